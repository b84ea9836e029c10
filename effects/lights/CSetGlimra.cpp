#include "effects/lights/CSetGlimra.h"

#include "effects/engine/CRandom.h"
#include "effects/engine/GuardedMod.h"
#include "effects/engine/IDesktop.h"
#include "effects/engine/ScreenSize.h"
#include "effects/engine/TaskbarPlacement.h"
#include "effects/lights/GlimraDraw.h"
#include "graphics/SpriteSpans.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr int32_t kEllipseWidth = CSetGlimra::kSpriteHeight + CSetGlimra::kFrameCount; // 137
constexpr int32_t kBottomMargin = 97; // rays stay above row H - 97

// Frame index t of the reversed frame list, or -1 when the life shows no frame.
int32_t ShownFrame(int32_t life, int32_t frameCount) {
    const int32_t t = life >> 8;
    return t >= 0 && t < frameCount ? frameCount - 1 - t : -1;
}

} // namespace

CSetGlimra::CSetGlimra(CSettingsStore* store, CRenderState* renderState)
    : CSpriteSet(store, renderState, "Glimra") {
    displayName.Set("Northern Lights");
    colour.Set(0xFFFFDD77);
    InitBounded(clrChange, 0, 5, 0);
    InitBounded(flmSize, 50, 400, 100);
    InitBounded(flmDuration, 100, 400, 200);
    flmSize.SetBoundedMirror(&curtain.length);
    paramSet.Add(&clrChange, "clr_change");
    paramSet.Add(&flmSize, "flm_size");
    paramSet.Add(&flmDuration, "flm_duration");
}

CSetGlimra::~CSetGlimra() {
    Stop();
}

bool CSetGlimra::Start() {
    Stop();
    if (!AllocateFrame())
        return Fail();
    const std::size_t columns = static_cast<std::size_t>(screenWidth);
    phaseTable.reset(new (std::nothrow) int32_t[columns]());
    zeroTable.reset(new (std::nothrow) int32_t[columns]());
    if (!phaseTable || !zeroTable)
        return Fail();
    PrepareCurtain();
    GeneratePhaseTable();
    if (!AllocateSpriteItems<CItemGlimra>(1000) || !PlanSort(sorted, kFewestStrips))
        return Fail();
    ForEachItem<CItemGlimra>([&](CItemGlimra& ray) { ray.curtain = &curtain; });
    spriteWidth = kSpriteWidth;
    spriteHeight = kSpriteHeight;
    curtain.speedLimit = 15;
    curtain.yLimit = (screenHeight - kBottomMargin) * 256;
    if (!BuildFrames())
        return Fail();
    curtain.frameCount = frameCount;
    ForEachItem<CItemGlimra>([&](CItemGlimra& ray) { ray.Spawn(1, spriteWidth, spriteHeight); });
    PlaceBands();
    return true;
}

bool CSetGlimra::Stop() {
    ReleaseSprites();
    paddedFrames.reset();
    phaseTable.reset();
    zeroTable.reset();
    sorted.Clear();
    return true;
}

void CSetGlimra::ShowSettings(void* parentWindow) {
    if (settingsDialog)
        settingsDialog(*this, parentWindow);
}

// Each monitor's band at its top, below a top taskbar; with a side taskbar the content is
// presented at (taskbar right or 0, 0) whatever row the overlay was moved to. Without a
// taskbar that shows (hidden, auto-hidden or none) the band keeps the top.
void CSetGlimra::PlaceBands() {
    for (std::size_t i = 0; i < SliceCount(); ++i)
        PlaceOnMonitor(i, SliceMonitor(i));
}

void CSetGlimra::PlaceOnMonitor(std::size_t slice, const MonitorArea& monitor) {
    DesktopRect taskbar;
    const TaskbarState state = ShownTaskbar(monitor, &taskbar);
    if (state != TaskbarState::Visible)
        taskbar = DesktopRect{};
    const int32_t width = monitor.screen.right - monitor.screen.left;
    const int32_t height = monitor.screen.bottom - monitor.screen.top;
    const TaskbarSide side =
        state != TaskbarState::Visible ? TaskbarSide::Top : ClassifyTaskbar(taskbar, width, height);
    const int32_t left = monitor.screen.left;
    const int32_t top = monitor.screen.top;
    switch (side) {
    case TaskbarSide::Top:
        PlaceSlice(slice, left, top + taskbar.bottom, left, top + taskbar.bottom);
        break;
    case TaskbarSide::Bottom:
        PlaceSlice(slice, left, top, left, top);
        break;
    case TaskbarSide::Left:
        PlaceSlice(slice, left + taskbar.right, top + height - kOverlayBandRows,
                   left + taskbar.right, top);
        break;
    case TaskbarSide::Right:
        PlaceSlice(slice, left, top + height - kOverlayBandRows, left, top);
        break;
    case TaskbarSide::Unknown:
        break;
    }
}

// The first Start draws the curtain's row at random below the middle of the screen;
// later ones let the curtain go on where it stopped.
void CSetGlimra::PrepareCurtain() {
    if (curtain.walkStarted)
        return;
    curtain.walk.curtainY = (screenHeight - (CRandom::Next() % 100) - 300) * 256;
    curtain.walkStarted = true;
}

// For u = 20 down to -20: a white soft ellipse whose alpha is 255 for u = 0 and 0 for
// u = +-20, squeezed from 137 to 15 columns and trimmed to its visible pixels.
bool CSetGlimra::BuildFrames() {
    frames.reset(new (std::nothrow) CBmp[kFrameCount]);
    paddedFrames.reset(new (std::nothrow) CBmp[kFrameCount]);
    if (!frames || !paddedFrames)
        return false;
    spans.clear();
    for (int32_t u = 20; u >= -20; --u) {
        CBmp& frame = frames[20 - u];
        frame.Create(kEllipseWidth, kSpriteHeight);
        const uint32_t alpha = static_cast<uint32_t>(255 - std::abs(u) * 255 / 20);
        frame.SoftEllipse(48, 63, 48, 72, (alpha << 24) | 0xFFFFFFu);
        frame.Resize(kSpriteWidth, kSpriteHeight);
        if (!frame.pixels || frame.width != kSpriteWidth)
            return false;
        frame.Trim();
        if (!PadToEightColumns(frame, &paddedFrames[20 - u]))
            return false;
        spans.push_back(FindRowSpans(frame));
    }
    frameCount = kFrameCount;
    return true;
}

// A noisy linear ramp between seven random levels at six random breakpoints; entries lie
// in 0 .. 1534. On a screen of 100 columns or fewer the breakpoints are kept inside it.
void CSetGlimra::GeneratePhaseTable() {
    if (!phaseTable)
        return;
    const int32_t w = screenWidth;
    std::fill(phaseTable.get(), phaseTable.get() + w, 0);
    const int32_t a = w - 100;
    const int32_t b = a / 7;
    int32_t breakpoint[7];
    breakpoint[0] = 0;
    for (int32_t i = 1; i <= 5; ++i)
        breakpoint[i] = std::clamp(GuardedMod(CRandom::Next(), a) / 7 + i * b + 50, 0, w);
    breakpoint[6] = w;
    int32_t level[7];
    for (int32_t& v : level)
        v = CRandom::Next() % 1280;
    for (int32_t k = 0; k < 6; ++k) {
        const int32_t length = breakpoint[k + 1] - breakpoint[k];
        for (int32_t j = 0; j < length; ++j)
            phaseTable[breakpoint[k] + j] =
                (CRandom::Next() % 256) + (level[k] * (length - 1 - j) + level[k + 1] * j) / length;
    }
}

void CSetGlimra::DriftColour(int32_t amplitude) {
    const int32_t a = amplitude;
    int32_t channel[3] = {static_cast<int32_t>((curtain.colour >> 16) & 0xFF),
                          static_cast<int32_t>((curtain.colour >> 8) & 0xFF),
                          static_cast<int32_t>(curtain.colour & 0xFF)};
    // Red is kept in 170 .. 230, green and blue in 200 .. 255; a colour whose three
    // channels share one band of 32 is refused and drifted again.
    const int32_t high[3] = {230, 255, 255};
    const int32_t low[3] = {170, 200, 200};
    do {
        const int32_t k = CRandom::Next() % 3;
        int32_t& c = channel[k];
        c += (CRandom::Next() % (2 * a + 1)) - a;
        if (c > high[k])
            c -= a + 1;
        if (c < low[k])
            c += a + 1;
    } while (channel[0] / 32 == channel[1] / 32 && channel[1] / 32 == channel[2] / 32);
    curtain.colour = 0xFF000000u | static_cast<uint32_t>(channel[0]) << 16 |
                     static_cast<uint32_t>(channel[1]) << 8 | static_cast<uint32_t>(channel[2]);
}

// One worker steps and draws each ray in turn. Several, or a band drawn by strips, move
// and sort their own rays, then draw every worker's on their own slice of the band (a
// strip at a time), all in the shared colour of the frame.
void CSetGlimra::StepAndDraw(int worker, CItem* workerArray) {
    if (workerCount <= 1 && strips <= 1) {
        if (workerArray)
            StepRays(ItemsAs<CItemGlimra>(workerArray), AnimatedCount());
        return;
    }
    MoveThenDrawSorted<CItemGlimra>(
        worker, workerArray, sorted,
        [this, worker](CItemGlimra* own, int32_t count) { MoveAndSort(worker, own, count); },
        [this](const CellArea& area, const auto& cell) {
            const CDrawTarget target = Target(area);
            const uint32_t shared = curtain.colour;
            for (const Placement& ray : cell)
                DrawRay(target, ray.frame, ray.x, ray.y, shared);
        });
}

void CSetGlimra::MoveAndSort(int worker, CItemGlimra* rays, int32_t count) {
    if (!frames)
        return;
    const int32_t lifeStep = LifeStep();
    BeginSort(sorted, worker);
    for (int32_t k = 0; k < count; ++k) {
        MoveRay(rays[k], lifeStep);
        const Placement ray{ShownFrame(rays[k].life, frameCount), rays[k].x >> 8, rays[k].y >> 8};
        if (ray.frame < 0)
            continue;
        const CBmp& frame = paddedFrames[ray.frame];
        sorted.Add(worker, ray, ray.y, ray.y + frame.height, ray.x, ray.x + frame.width);
    }
}

int64_t CSetGlimra::StepRays(CItemGlimra* rays, int32_t count) {
    if (!frames)
        return 0;
    const int32_t lifeStep = LifeStep();
    const uint32_t shared = curtain.colour; // rays are drawn in the current shared colour
    const CDrawTarget target = Target();
    int64_t visited = 0;
    for (int32_t k = 0; k < count; ++k) {
        MoveRay(rays[k], lifeStep);
        visited += DrawOneRay(target, rays[k], shared);
    }
    return visited;
}

int64_t CSetGlimra::DrawRays(const CItemGlimra* rays, int32_t count, int32_t firstRow,
                             int32_t endRow) {
    if (!frames)
        return 0;
    const uint32_t shared = curtain.colour;
    const CDrawTarget target = Target(firstRow, endRow);
    int64_t visited = 0;
    for (int32_t k = 0; k < count; ++k)
        visited += DrawOneRay(target, rays[k], shared);
    return visited;
}

int32_t CSetGlimra::LifeStep() const {
    return flmDuration.GetMax() - flmDuration.Bounded() + 100;
}

void CSetGlimra::MoveRay(CItemGlimra& ray, int32_t lifeStep) {
    ray.x += ray.dx;
    ray.y += ray.dy;
    ray.life -= lifeStep;
    if (ray.life < 0 || ray.y >= (screenHeight - kBottomMargin) * 256 || ray.y < 0 || ray.x < 0)
        ray.Respawn(phaseTable.get(), zeroTable.get(), 0);
}

int64_t CSetGlimra::DrawOneRay(const CDrawTarget& target, const CItemGlimra& ray, uint32_t shared) {
    const int32_t frame = ShownFrame(ray.life, frameCount);
    return frame < 0 ? 0 : DrawRay(target, frame, ray.x >> 8, ray.y >> 8, shared);
}

int64_t CSetGlimra::DrawRay(const CDrawTarget& target, int32_t frame, int32_t x, int32_t y,
                            uint32_t shared) {
    return GlimraDraw::Fast(target, paddedFrames[frame], spans[frame].data(), x, y, shared);
}

// Runs only after every worker finished the frame, so no worker reads the table now.
void CSetGlimra::EndOfFrame() {
    if (++curtain.frameCounter > curtain.tablePeriod) {
        curtain.frameCounter = 0;
        GeneratePhaseTable();
        curtain.tablePeriod = (CRandom::Next() % 40) + 5;
    }
}

void CSetGlimra::AfterPresent() {
    const int32_t amplitude = clrChange.Bounded();
    if (amplitude != 0)
        DriftColour(amplitude);
}
