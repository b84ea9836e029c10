#include "effects/CSetRipla.h"

#include "effects/CRandom.h"
#include "effects/IDesktop.h"
#include "effects/ScreenSize.h"
#include "effects/TaskbarPlacement.h"
#include "graphics/PixelMath.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr int32_t kPollMs = 3; // this set's sleep between lock attempts and in the wait

void SetRange(CEdges<CParam<int>, int>& param, int min, int max, int initial) {
    param.SetRange(min, max);
    param.Set(initial);
}

} // namespace

CSetRipla::CSetRipla(CSettingsStore* store, CRenderState* renderState)
    : CFrameSet(store, renderState) {
    pollMs = kPollMs;
    key.Set("Ripla");
    name.Set("Ripla");
    displayName.Set("Water");
    colour.Set(0xFFDD7755);
    SetRange(vis, 10, 100, 50);
    SetRange(items, 30, 100, 100);
    SetRange(waveSize, 1, 40, 20);
    SetRange(waveDuration, 100, 200, 150);
    waveSize.SetMirror(&wave.size);
    paramSet.SetPath(tstr("Sets\\") + Key());
    paramSet.Add(&vis, "vis");
    paramSet.Add(&items, "items");
    paramSet.Add(&waveSize, "wave_size");
    paramSet.Add(&waveDuration, "wave_duration");
}

CSetRipla::~CSetRipla() {
    Stop();
}

bool CSetRipla::Start() {
    Stop();
    if (!AllocateFrame() || !rowLocks.Allocate(screenHeight))
        return Fail();
    const int64_t perWorker = int64_t{screenWidth} * 4000 / 1600 / workerCount;
    if (!AllocateItems<CItemRipla>(static_cast<int32_t>(perWorker)))
        return Fail();
    PrepareWalks();
    for (int32_t worker = 0; worker < workerCount; ++worker)
        for (int32_t k = 0; k < itemsPerWorker; ++k)
            ItemsAs<CItemRipla>(workerItems[worker])[k].walk = &walks[worker];
    FillRamp();
    CBmp splash;
    if (!desktop->LoadBitmapResource(kSplashResource, &splash) || !splash.pixels ||
        !BuildFrames(splash))
        return Fail();
    wave.lastFrame = frameCount - 1;
    for (int32_t worker = 0; worker < workerCount; ++worker)
        for (int32_t k = 0; k < itemsPerWorker; ++k)
            ItemsAs<CItemRipla>(workerItems[worker])[k].Spawn(1, splash.width, splash.height);
    UpdatePlacement();
    return true;
}

bool CSetRipla::Fail() {
    Stop();
    return false;
}

bool CSetRipla::Stop() {
    ReleaseFrame();
    rowLocks.Free();
    frames.reset();
    frameCount = 0;
    FreeItems();
    return true;
}

bool CSetRipla::Load() {
    paramSet.Load();
    return true;
}

bool CSetRipla::Save() {
    paramSet.Save();
    return true;
}

void CSetRipla::ShowSettings(void* parentWindow) {
    if (settingsDialog)
        settingsDialog(*this, parentWindow);
}

void CSetRipla::UpdatePlacement() {
    int32_t x = 0;
    int32_t y = 0;
    if (PlaceBandOnTaskbar(*desktop, &x, &y))
        SetDestination(x, y);
}

// The wave state is created with the first Start: its limit 32 rows above the bottom of
// the screen, and for every worker seen for the first time a wave row drawn at random.
void CSetRipla::PrepareWalks() {
    if (walks.empty())
        wave.yLimit = screenHeight - 32;
    while (static_cast<int32_t>(walks.size()) < workerCount) {
        CRiplaWalk walk;
        walk.wave = &wave;
        walk.y = screenHeight - (CRandom::Next() % 200) - 50;
        walks.push_back(walk);
    }
}

// Red runs 0 .. 95, green 90 .. 192, blue stays 255.
void CSetRipla::FillRamp() {
    for (int k = 0; k < 256; ++k) {
        rampRed[k] = static_cast<uint8_t>(3 * k / 8);
        rampGreen[k] = static_cast<uint8_t>(2 * k / 5 + 90);
        rampBlue[k] = 255;
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
    if (!frames)
        return false;
    for (std::size_t k = 0; k < heights.size(); ++k) {
        CBmp& frame = frames[k];
        frame.Copy(splash);
        frame.Resize(w, heights[k]);
        if (!frame.pixels || frame.height != heights[k])
            return false;
    }
    frameCount = static_cast<int32_t>(heights.size());
    return frameCount > 0;
}

void CSetRipla::StepAndDraw(int worker, CItem* workerArray) {
    (void)worker;
    if (!workerArray || frameCount <= 0)
        return;
    CItemRipla* splashes = ItemsAs<CItemRipla>(workerArray);
    const int32_t lifeStep = waveDuration.GetMax() - *waveDuration.Get() + 100;
    const int32_t animated = itemsPerWorker * *items.Get() / 100;
    const int32_t firstHeight = frames[0].height;
    for (int32_t k = 0; k < animated; ++k) {
        CItemRipla& splash = splashes[k];
        splash.x += splash.dx;
        splash.y += splash.dy;
        splash.life -= lifeStep;
        if (splash.life < 0)
            splash.Respawn(nullptr, nullptr, 0);
        const int32_t t = splash.life >> 8;
        if (t < 0 || t >= frameCount)
            continue;
        const CBmp& frame = frames[frameCount - 1 - t];
        // Bottom-aligned: the frame's last row lands on row y + h0 - 2.
        DrawSplash(frame, splash.x, splash.y + firstHeight - 1 - frame.height);
    }
}

// Rows bottom to top, columns right to left; pixels beyond the screen's edges are not
// drawn. An opaque target is left alone; otherwise the alphas unite and each colour
// channel moves towards the ramp's colour at the new alpha.
void CSetRipla::DrawSplash(const CBmp& frame, int32_t left, int32_t top) {
    const int32_t w = frameBuffer.width;
    const int32_t h = frameBuffer.height;
    const int32_t firstU = std::max(0, -left);
    const int32_t lastU = std::min(frame.width, w - left) - 1;
    if (firstU > lastU)
        return;
    CRowLocks::CHold hold(rowLocks);
    for (int32_t v = frame.height - 1; v >= 0; --v) {
        const int32_t row = top + v;
        if (row < 0 || row >= h)
            continue;
        hold.Row(row);
        const uint8_t* source = frame.pixels + std::ptrdiff_t{v} * frame.width * 4;
        const std::ptrdiff_t rowStart = std::ptrdiff_t{row} * w + left;
        for (int32_t u = lastU; u >= firstU; --u) {
            const uint8_t* s = source + u * 4;
            uint8_t* d = frameBuffer.pixels + (rowStart + u) * 4;
            if (d[3] == 255 || s[3] == 0)
                continue;
            if (s[3] == 255) {
                std::memcpy(d, s, 4);
                continue;
            }
            const uint32_t a = d[3] == 0 ? s[3] : PixelMath::AlphaUnion(s[3], d[3]);
            const uint32_t keep = 255 - a;
            d[3] = static_cast<uint8_t>(a);
            d[2] = static_cast<uint8_t>((rampRed[a] * a + d[2] * keep) / 256);
            d[1] = static_cast<uint8_t>((rampGreen[a] * a + d[1] * keep) / 256);
            d[0] = static_cast<uint8_t>((rampBlue[a] * a + d[0] * keep) / 256);
        }
    }
}

void CSetRipla::ApplyOpacity(CBmp& band) {
    if (*vis.Get() < 100)
        band.ScaleAll(*vis.Get());
}
