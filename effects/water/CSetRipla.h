#pragma once

#include "effects/engine/CDrawTarget.h"
#include "effects/engine/CSliceSort.h"
#include "effects/engine/CSpriteSet.h"
#include "effects/water/CItemRipla.h"
#include "effects/water/CRiplaWave.h"
#include "graphics/CBmp.h"
#include "params/CEdges.h"
#include "params/CParam.h"
#include "params/tstr.h"
#include "resources/resource.h"

#include <cstdint>
#include <functional>

class CRenderState;
class CSettingsStore;

// The water: waves of small splashes 20 pixels apart along the taskbar. Each splash
// grows from one row to its full height, sinks back and is placed again further along
// its wave; the splashes are tinted blue through a ramp indexed by their opacity. The
// sprite frames are the splash frames, one row high first.
class CSetRipla : public CSpriteSet {
public:
    static constexpr int kSplashResource = IDB_SPLASH;

    CSetRipla(CSettingsStore* store, CRenderState* renderState);
    ~CSetRipla() override;

    bool Start() override;
    bool Stop() override;
    void ShowSettings(void* parentWindow) override;

    // The frames squeezed from the splash picture: heights 1, 3, ... up to half its
    // height, then back down one row per frame to 1. False when an allocation fails.
    bool BuildFrames(const CBmp& splash);

    // Steps and draws the first `count` splashes of a worker's array, one splash after the
    // other; returns the number of frame pixels visited.
    int64_t StepSplashes(CItemRipla* splashes, int32_t count);
    // Draws the first `count` splashes of an array as they are on the frame-buffer rows
    // [firstRow, endRow) of the band; returns the frame pixels visited.
    int64_t DrawSplashes(const CItemRipla* splashes, int32_t count, int32_t firstRow,
                         int32_t endRow);

    // The "Ripla settings" dialog (resource 165), installed by the settings layer.
    std::function<void(CSetRipla& set, void* parentWindow)> settingsDialog;

    uint8_t rampRed[256] = {}; // colour ramp, indexed by a pixel's new alpha
    uint8_t rampGreen[256] = {};
    uint8_t rampBlue[256] = {};
    CRiplaWave wave; // the one wave of every splash, kept across Start

    CEdges<CParam<int>, int> waveSize;     // "wave_size": splashes per wave
    CEdges<CParam<int>, int> waveDuration; // "wave_duration": splash life

protected:
    void StepAndDraw(int worker, CItem* workerArray) override;
    // Draws splash frame `index` with its top-left corner at (left, top); returns the
    // frame pixels visited. The fast loops of RiplaDraw on the band's rows; a test or
    // benchmark may put the plain reference loop in their place.
    virtual int64_t DrawSplash(const CDrawTarget& target, int32_t index, int32_t left, int32_t top);

private:
    // The life a splash loses per frame, as "wave_duration" sets it.
    int32_t LifeStep() const;
    static void MoveSplash(CItemRipla& splash, int32_t lifeStep);
    // Where a splash's frame lands this frame: the frame's index and its top-left corner.
    struct Placement {
        int32_t index;
        int32_t left;
        int32_t top;
    };
    // False for a splash whose life selects no frame.
    bool Place(const CItemRipla& splash, Placement* placement) const;
    int64_t DrawOneSplash(const CDrawTarget& target, const CItemRipla& splash);
    // Moves the first `count` splashes of worker `worker`'s array one frame on,
    // respawning those whose life ran out, and sorts their placements into the lists of
    // the slices they reach.
    void MoveAndSort(int worker, CItemRipla* splashes, int32_t count);
    void FillRamp();
    void PrepareWave();

    // Several workers: this frame's placements of every worker's splashes.
    CSliceSort<Placement> sorted;
};
