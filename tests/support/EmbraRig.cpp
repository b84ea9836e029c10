#include "support/EmbraRig.h"

#include "effects/CRandom.h"
#include "params/CMemoryBackend.h"

#include <memory>

EmbraRig::EmbraRig(int32_t width, int32_t height, int32_t workers)
    : desktop(width, height), store(true, "Lumavist", "Embra"), renderState(&desktop),
      set(&store, &renderState) {
    store.SetBackend(std::make_unique<CMemoryBackend>());
    desktop.SetTaskbar(TaskbarEdge::Bottom, 40);
    renderState.processorCount = workers;
    renderState.activeSet = &set;
    set.pollMs = 0;
}

EmbraRig::~EmbraRig() {
    renderState.StopRendering();
}

bool EmbraRig::Start(uint32_t seed) {
    CSetEmbra::profileTimer = 0;
    CSetEmbra::profilePeriod = 20;
    CRandom::Seed(seed);
    return renderState.StartRendering();
}

void EmbraRig::RenderFrames(int32_t frames) {
    CRandom::Seed(0);
    for (int32_t i = 0; i < frames; ++i)
        set.Render(0, &runFlag);
}

uint64_t EmbraRig::PresentedChecksum() const {
    CBmp band;
    desktop.CopyLastPresented(&band);
    return Checksum(band);
}

uint64_t Checksum(const CBmp& bitmap) {
    uint64_t hash = 14695981039346656037ull;
    for (int32_t i = 0; i < bitmap.byteSize; ++i) {
        hash ^= bitmap.pixels[i];
        hash *= 1099511628211ull;
    }
    return hash;
}
