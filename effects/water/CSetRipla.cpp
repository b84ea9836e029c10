#include "effects/water/CSetRipla.h"

#include "effects/engine/CRandom.h"
#include "effects/engine/IDesktop.h"
#include "effects/engine/ScreenSize.h"
#include "effects/engine/TaskbarPlacement.h"
#include "effects/water/RiplaBlend.h"
#include "effects/water/RiplaDraw.h"
#include "graphics/SpriteSpans.h"

#include <cstddef>
#include <new>
#include <vector>

CSetRipla::CSetRipla(CSettingsStore* store, CRenderState* renderState)
    : CSpriteSet(store, renderState, "Ripla") {
    displayName.Set("Water");
    colour.Set(0xFFDD7755);
    InitBounded(waveSize, 1, 40, 20);
    InitBounded(waveDuration, 100, 200, 150);
    waveSize.SetBoundedMirror(&wave.size);
    paramSet.Add(&waveSize, "wave_size");
    paramSet.Add(&waveDuration, "wave_duration");
}

CSetRipla::~CSetRipla() {
    Stop();
}

bool CSetRipla::Start() {
    Stop();
    if (!AllocateFrame() || !AllocateSpriteItems<CItemRipla>(4000) ||
        !PlanSort(sorted, kFewestStrips))
        return Fail();
    PrepareWave();
    ForEachItem<CItemRipla>([&](CItemRipla& splash) { splash.wave = &wave; });
    FillRamp();
    CBmp splash;
    if (!desktop->LoadBitmapResource(kSplashResource, &splash) || !splash.pixels ||
        !BuildFrames(splash))
        return Fail();
    wave.lastFrame = frameCount - 1;
    ForEachItem<CItemRipla>([&](CItemRipla& item) { item.Spawn(1, splash.width, splash.height); });
    PlaceBands();
    return true;
}

bool CSetRipla::Stop() {
    ReleaseSprites();
    sorted.Clear();
    return true;
}

void CSetRipla::ShowSettings(void* parentWindow) {
    if (settingsDialog)
        settingsDialog(*this, parentWindow);
}

// Every Start puts the wave's limit 32 rows above the bottom of the screen as it is now;
// the first one also draws the wave's row at random, later ones let the wave go on where
// it stopped.
void CSetRipla::PrepareWave() {
    wave.yLimit = screenHeight - 32;
    if (wave.walkStarted)
        return;
    wave.walk.y = screenHeight - (CRandom::Next() % 200) - 50;
    wave.walkStarted = true;
}

// Red runs 0 .. 95, green 90 .. 192, blue stays 255: the ramp that the fast blend works out
// for itself, in tables for the reference loops.
void CSetRipla::FillRamp() {
    for (uint32_t k = 0; k < 256; ++k) {
        rampRed[k] = RiplaBlend::RampRed(k);
        rampGreen[k] = RiplaBlend::RampGreen(k);
        rampBlue[k] = RiplaBlend::RampBlue(k);
    }
}

bool CSetRipla::BuildFrames(const CBmp& splash) {
    const int32_t w = splash.width;
    const int32_t h = splash.height;
    std::vector<int32_t> heights;
    int32_t j = 0;
    for (; j < h / 2; j += 2)
        heights.push_back(j + 1); // grows two rows per frame to half the height
    for (; j <= h - 1; ++j)
        heights.push_back(h - j); // then shrinks one row per frame
    frames.reset(new (std::nothrow) CBmp[heights.size()]);
    frameCount = 0;
    spans.clear();
    if (!frames)
        return false;
    for (std::size_t k = 0; k < heights.size(); ++k) {
        CBmp& frame = frames[k];
        frame.Copy(splash);
        frame.Resize(w, heights[k]);
        if (!frame.pixels || frame.height != heights[k])
            return false;
        spans.push_back(FindRowSpans(frame));
    }
    frameCount = static_cast<int32_t>(heights.size());
    return frameCount > 0;
}

// One worker steps and draws each splash in turn. Several, or a band drawn by strips,
// move and sort their own splashes, then draw every worker's on their own slice of the
// band (a strip at a time).
void CSetRipla::StepAndDraw(int worker, CItem* workerArray) {
    if (workerCount <= 1 && strips <= 1) {
        if (workerArray)
            StepSplashes(ItemsAs<CItemRipla>(workerArray), AnimatedCount());
        return;
    }
    MoveThenDrawSorted<CItemRipla>(
        worker, workerArray, sorted,
        [this, worker](CItemRipla* own, int32_t count) { MoveAndSort(worker, own, count); },
        [this](const CellArea& area, const auto& cell) {
            const CDrawTarget target = Target(area);
            for (const Placement& splash : cell)
                DrawSplash(target, splash.index, splash.left, splash.top);
        });
}

void CSetRipla::MoveAndSort(int worker, CItemRipla* splashes, int32_t count) {
    if (frameCount <= 0)
        return;
    const int32_t lifeStep = LifeStep();
    BeginSort(sorted, worker);
    for (int32_t k = 0; k < count; ++k) {
        MoveSplash(splashes[k], lifeStep);
        Placement splash;
        if (!Place(splashes[k], &splash))
            continue;
        const CBmp& frame = frames[splash.index];
        sorted.Add(worker, splash, splash.top, splash.top + frame.height, splash.left,
                   splash.left + frame.width);
    }
}

int64_t CSetRipla::StepSplashes(CItemRipla* splashes, int32_t count) {
    if (frameCount <= 0)
        return 0;
    const int32_t lifeStep = LifeStep();
    const CDrawTarget target = Target();
    int64_t visited = 0;
    for (int32_t k = 0; k < count; ++k) {
        MoveSplash(splashes[k], lifeStep);
        visited += DrawOneSplash(target, splashes[k]);
    }
    return visited;
}

int64_t CSetRipla::DrawSplashes(const CItemRipla* splashes, int32_t count, int32_t firstRow,
                                int32_t endRow) {
    if (frameCount <= 0)
        return 0;
    const CDrawTarget target = Target(firstRow, endRow);
    int64_t visited = 0;
    for (int32_t k = 0; k < count; ++k)
        visited += DrawOneSplash(target, splashes[k]);
    return visited;
}

int32_t CSetRipla::LifeStep() const {
    return waveDuration.GetMax() - waveDuration.Bounded() + 100;
}

void CSetRipla::MoveSplash(CItemRipla& splash, int32_t lifeStep) {
    splash.x += splash.dx;
    splash.y += splash.dy;
    splash.life -= lifeStep;
    if (splash.life < 0)
        splash.Respawn(nullptr, nullptr, 0);
}

// Bottom-aligned: the frame's last row lands on row y + h0 - 2.
bool CSetRipla::Place(const CItemRipla& splash, Placement* placement) const {
    const int32_t t = splash.life >> 8;
    if (t < 0 || t >= frameCount)
        return false;
    const int32_t index = frameCount - 1 - t;
    *placement = {index, splash.x, splash.y + frames[0].height - 1 - frames[index].height};
    return true;
}

int64_t CSetRipla::DrawOneSplash(const CDrawTarget& target, const CItemRipla& splash) {
    Placement placement;
    return Place(splash, &placement)
               ? DrawSplash(target, placement.index, placement.left, placement.top)
               : 0;
}

int64_t CSetRipla::DrawSplash(const CDrawTarget& target, int32_t index, int32_t left, int32_t top) {
    return RiplaDraw::Fast(target, frames[index], spans[index].data(), left, top);
}
