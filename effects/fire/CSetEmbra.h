#pragma once

#include "effects/engine/CFrameSet.h"
#include "effects/engine/CSliceSort.h"
#include "effects/fire/CFlameBlender.h"
#include "effects/fire/CFlameGroups.h"
#include "effects/fire/CItemEmbra.h"
#include "graphics/CBmp.h"
#include "params/CEdges.h"
#include "params/CParam.h"
#include "params/tstr.h"
#include "resources/resource.h"

#include <cstdint>
#include <functional>
#include <memory>

class CRenderState;
class CSettingsStore;

// The fire: flame sprites rise from the taskbar's edge, shrink as they age and are
// respawned at the bottom. Overlapping flames add up their alphas, and a pixel's colour is
// looked up by its accumulated alpha in a gradient, so dense regions glow hotter. Two
// per-column profiles, renewed every few dozen frames, shorten the flames' lives in some
// stretches (lifeCut) and make them lean (drift).
//
// With several workers, each steps its own flames, then draws every worker's flames,
// worker 0's first and each worker's once that worker has stepped them, clipped to its
// own slice of the band's rows: no two workers write one row, so no lock is needed, and the picture
// is the one a single worker drawing all flames in that order would make, whatever the timing.
class CSetEmbra : public CFrameSet {
public:
    static constexpr int kSpriteSheetResource = IDB_FLAME_SHEET;
    static constexpr int kColourStripResource = IDB_COLOUR_STRIP;

    // The colour of each channel for an accumulated alpha.
    struct ColourTable {
        uint8_t red[256];
        uint8_t green[256];
        uint8_t blue[256];
    };

    CSetEmbra(CSettingsStore* store, CRenderState* renderState);
    ~CSetEmbra() override;

    bool Start() override;
    bool Stop() override;
    void ShowSettings(void* parentWindow) override;

    // Renews lifeCut and drift with draws from the calling thread's generator.
    void GenerateProfiles();
    // Steps the first `count` flames of an array and draws them; returns the number of
    // sprite pixels that lay inside the frame buffer.
    int64_t StepFlames(CItemEmbra* flames, int32_t count);
    // Moves the first `count` flames of an array one frame on, respawning those whose life
    // ran out; draws nothing.
    void MoveFlames(CItemEmbra* flames, int32_t count);
    // Draws the sprite frame that the flame's life selects; returns the number of its
    // pixels inside the frame buffer. Only the rows of the presented band are drawn, and
    // in each row only the run of the sprite's non-transparent pixels: a blend changes
    // nothing but the pixel it lands on, and only the band is ever cleared and shown, so
    // the band comes out as if every pixel had been blended.
    int64_t DrawFlame(const CItemEmbra& flame);
    // The same on the frame-buffer rows [firstRow, endRow) of the band only.
    int64_t DrawFlameRows(const CItemEmbra& flame, int32_t firstRow, int32_t endRow) {
        return DrawFlameArea(flame, firstRow, endRow, 0, frameBuffer.width);
    }
    // The same on the columns [firstColumn, endColumn) of those rows only.
    int64_t DrawFlameArea(const CItemEmbra& flame, int32_t firstRow, int32_t endRow,
                          int32_t firstColumn, int32_t endColumn);

    // The "Embra settings" dialog (resource 153), installed by the settings layer.
    std::function<void(CSetEmbra& set, void* parentWindow)> settingsDialog;

    // Frames presented since the last profile change, and how many frames the current
    // profiles last; process-wide, so a restart of the fire keeps the rhythm.
    static int32_t profileTimer;
    static int32_t profilePeriod;

    int32_t frameCount = 0;
    std::unique_ptr<CBmp[]> frames;     // cut from the sprite sheet, left to right
    std::unique_ptr<int32_t[]> lifeCut; // profileColumns entries, one per screen column
    std::unique_ptr<int32_t[]> drift;   // profileColumns entries
    int32_t profileColumns = 0;         // W at Start
    ColourTable colourTable = {};

protected:
    void StepAndDraw(int worker, CItem* itemArray) override;
    void EndOfFrame() override;

private:
    bool AllocateProfiles();
    bool LoadColourTable();
    bool CutFrames();
    bool BuildReversedFrames();
    void SpawnAll();

    using RowSpan = CFlameBlender::RowSpan;
    // One sprite frame as the flames draw it.
    struct SpriteEntry {
        const uint8_t* pixels;
        int32_t width;
        int32_t height;
        const RowSpan* spans;      // one per row
        bool opaque;               // holds a pixel of alpha 255
        const CFlameGroups* whole; // laid out to be blended unclipped in its columns
    };

    // Where a flame's sprite entry lands: its left column and top row in the frame buffer
    // and the sprite columns [firstU, endU) inside the buffer.
    struct SpriteClip {
        const SpriteEntry* entry;
        int32_t left;
        int32_t top;
        int32_t firstU;
        int32_t endU;
    };
    // Blends the sprite rows [firstV, endV) of a clipped entry into the frame buffer.
    void BlendRows(const SpriteClip& clip, int32_t firstV, int32_t endV) const;

    // Where a flame's sprite lands this frame: its entry and the top-left corner.
    struct Placement {
        int32_t entry;
        int32_t left;
        int32_t top;
    };
    // False for a flame whose life selects no entry.
    bool Place(const CItemEmbra& flame, Placement* placement) const;
    int64_t DrawPlaced(const Placement& placement, int32_t firstRow, int32_t endRow,
                       int32_t firstColumn, int32_t endColumn);
    // Moves the first `count` flames of worker `worker`'s array and sorts their placements
    // into the cells of the workers' slices and the strips they reach.
    void MoveAndSort(int worker, CItemEmbra* flames, int32_t count);

    // Several workers or strips: this frame's placements of every worker's flames.
    CSliceSort<Placement> sorted;

    // The frames in reverse order (entry j is frame frameCount - 1 - j), so that life >> 8
    // indexes them directly; two more entries of size 0 draw nothing. Built once by
    // Start: the frames do not change while the fire runs, so every worker reads the same
    // tables instead of copying them each frame.
    std::unique_ptr<SpriteEntry[]> entries;
    std::unique_ptr<RowSpan[]> rowSpans;     // the rows of every frame, entry after entry
    std::unique_ptr<CFlameGroups[]> layouts; // one per frame, in the entries' order
    int32_t entryCount = 0;                  // frameCount + 2
    int32_t firstFrameHeight = 0;            // R: the rows of the largest frame
    CFlameBlender blender;                   // built from the colour table by Start
};
