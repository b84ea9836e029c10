#pragma once

#include "effects/engine/CDrawTarget.h"
#include "effects/engine/CSpriteSet.h"
#include "effects/lights/CGlimraCurtain.h"
#include "effects/lights/CItemGlimra.h"
#include "graphics/CBmp.h"
#include "params/CEdges.h"
#include "params/CParam.h"
#include "params/tstr.h"

#include <cstdint>
#include <functional>
#include <memory>

class CRenderState;
class CSettingsStore;

// The northern lights: curtains of soft vertical rays in a band along the top of the
// screen. Rays are placed one after another along a random walk of the curtain, tinted
// with one shared colour that can drift, and fade in and out over their life. The sprite
// frames are the ray frames, brightest in the middle.
class CSetGlimra : public CSpriteSet {
public:
    static constexpr int32_t kFrameCount = 41;
    static constexpr int32_t kSpriteWidth = 15;
    static constexpr int32_t kSpriteHeight = 96;

    CSetGlimra(CSettingsStore* store, CRenderState* renderState);
    ~CSetGlimra() override;

    bool Start() override;
    bool Stop() override;
    void ShowSettings(void* parentWindow) override;

    // Generates the column phase table anew with the calling thread's random generator.
    void GeneratePhaseTable();
    // Steps and draws the first `count` rays of a worker's array, one ray after the other;
    // returns the number of frame pixels visited.
    int64_t StepRays(CItemGlimra* rays, int32_t count);
    // Draws the first `count` rays of an array as they are, in the current shared colour, on
    // the frame-buffer rows [firstRow, endRow) of the band; returns the frame pixels visited.
    int64_t DrawRays(const CItemGlimra* rays, int32_t count, int32_t firstRow, int32_t endRow);
    // Drifts the shared colour with amplitude 1 .. 5.
    void DriftColour(int32_t amplitude);

    // The "Northern Lights settings" dialog (resource 160), installed by the settings layer.
    std::function<void(CSetGlimra& set, void* parentWindow)> settingsDialog;

    std::unique_ptr<CBmp[]> paddedFrames;  // the frames widened to 16 columns, fast paths
    std::unique_ptr<int32_t[]> phaseTable; // W entries: life taken off a ray placed there
    std::unique_ptr<int32_t[]> zeroTable;  // W zeros, the second table of Respawn
    int32_t spriteHeight = kSpriteHeight;
    int32_t spriteWidth = kSpriteWidth;
    CGlimraCurtain curtain; // the one curtain of every ray, kept across Start

    CEdges<CParam<int>, int> clrChange;   // "clr_change": colour drift amplitude, 0 = none
    CEdges<CParam<int>, int> flmSize;     // "flm_size": rays per curtain
    CEdges<CParam<int>, int> flmDuration; // "flm_duration": ray life

protected:
    void StepAndDraw(int worker, CItem* workerArray) override;
    void EndOfFrame() override;
    void AfterPresent() override;
    // Draws ray frame `frame` with its top-left corner at (x, y) in the shared colour;
    // returns the frame pixels visited. The fast loops of GlimraDraw on the band's rows;
    // a test or benchmark may put the plain reference loop in their place.
    virtual int64_t DrawRay(const CDrawTarget& target, int32_t frame, int32_t x, int32_t y,
                            uint32_t shared);
    // Each monitor's band at its top, below a top taskbar.
    void PlaceBands() override;

private:
    // The life a ray loses per frame, as "flm_duration" sets it.
    int32_t LifeStep() const;
    void MoveRay(CItemGlimra& ray, int32_t lifeStep);
    // Where a ray's frame lands this frame: the frame and its top-left corner.
    struct Placement {
        int32_t frame;
        int32_t x;
        int32_t y;
    };
    // Moves the first `count` rays of worker `worker`'s array one frame on (respawning those
    // whose life ran out or that left the screen) and sorts their placements into the
    // cells they reach.
    void MoveAndSort(int worker, CItemGlimra* rays, int32_t count);
    int64_t DrawOneRay(const CDrawTarget& target, const CItemGlimra& ray, uint32_t shared);
    // Places slice `slice`'s overlay on `monitor`.
    void PlaceOnMonitor(std::size_t slice, const MonitorArea& monitor);
    bool BuildFrames();
    void PrepareCurtain();

    // Several workers or strips: this frame's placements of every worker's rays.
    CSliceSort<Placement> sorted;
};
