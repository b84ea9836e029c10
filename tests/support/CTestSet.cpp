#include "support/CTestSet.h"

#include "effects/engine/CRenderState.h"
#include "effects/engine/IDesktop.h"

#include <chrono>
#include <thread>

void CTestItem::Spawn(int initial, int a, int b) {
    (void)initial;
    (void)b;
    ++spawned;
    worker = a;
}

CTestSet::CTestSet(CRenderState* renderState) : CFrameSet(nullptr, renderState, "Test") {}

CTestSet::~CTestSet() {
    Stop();
}

bool CTestSet::Start() {
    Stop();
    starts.fetch_add(1);
    if (failStart || !AllocateFrame() || !AllocateItems<CTestItem>(1)) {
        Stop();
        return false;
    }
    for (int32_t i = 0; i < workerCount; ++i)
        ItemsAs<CTestItem>(workerItems[i])->Spawn(1, i, 0);
    PlaceBands();
    return true;
}

bool CTestSet::Stop() {
    stops.fetch_add(1);
    workersAtStop.store(renderState->runningWorkers.load());
    ReleaseFrame();
    FreeItems();
    return true;
}

void CTestSet::PlaceBands() {
    DesktopRect overlay;
    if (desktop->OverlayRect(0, &overlay))
        SetDestination(overlay.left, overlay.top);
}

void CTestSet::ResetFrameState() {
    Record("reset ");
}

void CTestSet::StepAndDraw(int worker, CItem* items) {
    const int32_t frame = draws[worker].fetch_add(1) + 1;
    Record("draw ");
    if (worker == blockWorker && frame == blockFrame) {
        HoldUntilStopped();
        return;
    }
    const CTestItem* item = ItemsAs<CTestItem>(items);
    if (item->worker == worker && worker < frameBuffer.width)
        frameBuffer.SetPixel(worker, BandTop() + MarkRow(worker), Mark(frames.load() + 1));
}

int32_t CTestSet::MarkRow(int worker) const {
    int32_t firstRow = 0;
    int32_t endRow = 0;
    SliceRows(worker, &firstRow, &endRow);
    return firstRow - BandTop();
}

void CTestSet::ApplyOpacity(CBmp& band) {
    Record("opacity ");
    if (opacityMark != 0)
        band.SetPixel(band.width - 1, band.height - 1, opacityMark);
}

void CTestSet::EndOfFrame() {
    const int32_t frame = frames.fetch_add(1) + 1;
    Record("end ");
    if (frame == blockEndOfFrame)
        HoldUntilStopped();
}

void CTestSet::AfterPresent() {
    Record("after");
}

void CTestSet::HoldUntilStopped() {
    blocked.store(true);
    while (renderState->runFlag.load() != 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void CTestSet::Record(const char* step) {
    if (recordSteps)
        steps += step;
}
