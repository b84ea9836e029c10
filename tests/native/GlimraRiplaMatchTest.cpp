// The fast draw path of the northern lights and the water presents exactly the bytes of
// the plain reference loops: whole presented bands, frame by frame, over seeds, screen
// sizes and the parameters' limits.

#include "effects/engine/CRandom.h"
#include "effects/engine/CRenderState.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"
#include "params/CEdges.h"
#include "params/CParam.h"
#include "support/EffectName.h"
#include "tests/reference/CSetGlimraReference.h"
#include "tests/reference/CSetRiplaReference.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Band = std::vector<uint8_t>;

// Renders `frames` frames of a set (TSet: the shipped set or its reference, a TBase)
// with one worker on the calling thread and returns every presented band. `configure`
// sets the parameters before the start.
template <class TSet, class TBase>
std::vector<Band> PresentedBands(int32_t width, int32_t height, uint32_t seed, CDrawPath path,
                                 int32_t frames, const std::function<void(TBase&)>& configure) {
    CHeadlessDesktop desktop(width, height);
    desktop.SetTaskbar(TaskbarSide::Bottom, 40);
    CRenderState renderState(&desktop);
    renderState.processorCount = 1;
    TSet set(nullptr, &renderState);
    configure(set);
    set.drawPath = path;
    std::vector<Band> bands;
    desktop.onPresent = [&](const CBmp& surface, int32_t, int32_t) {
        bands.emplace_back(surface.pixels, surface.pixels + surface.byteSize);
    };
    CRandom::Seed(seed);
    renderState.activeSet = &set;
    if (!renderState.StartRendering())
        return bands;
    std::atomic<int32_t> runFlag{1};
    CRandom::Seed(seed + 1);
    for (int32_t k = 0; k < frames; ++k)
        set.Render(0, &runFlag);
    renderState.StopRendering();
    renderState.activeSet = nullptr;
    return bands;
}

// The first differing frame and byte, or an empty text when both runs agree.
std::string FirstMismatch(const std::vector<Band>& reference, const std::vector<Band>& fast) {
    if (reference.size() != fast.size())
        return "frame counts differ";
    for (std::size_t f = 0; f < reference.size(); ++f) {
        if (reference[f].size() != fast[f].size())
            return "band sizes differ in frame " + std::to_string(f);
        for (std::size_t i = 0; i < reference[f].size(); ++i)
            if (reference[f][i] != fast[f][i])
                return "frame " + std::to_string(f) + ", byte " + std::to_string(i);
    }
    return "";
}

// The SSE2 path always; the AVX2 path where this processor runs it.
std::vector<CDrawPath> FastPaths() {
    if (FastestDrawPath() == CDrawPath::Avx2)
        return {CDrawPath::Sse2, CDrawPath::Avx2};
    std::printf("AVX2 is not available here: only the SSE2 path is compared\n");
    return {CDrawPath::Sse2};
}

template <class TSet, class TReference>
void ExpectSameBands(int32_t width, int32_t height, uint32_t seed,
                     const std::function<void(TSet&)>& configure, const char* what) {
    constexpr int32_t kFrames = 60;
    const std::vector<Band> reference = PresentedBands<TReference, TSet>(
        width, height, seed, FastestDrawPath(), kFrames, configure);
    ASSERT_EQ(reference.size(), static_cast<std::size_t>(kFrames)) << what;
    for (const CDrawPath path : FastPaths()) {
        const std::vector<Band> fast =
            PresentedBands<TSet, TSet>(width, height, seed, path, kFrames, configure);
        EXPECT_EQ(FirstMismatch(reference, fast), "")
            << what << " at " << width << "x" << height << ", seed " << seed << ", path "
            << static_cast<int>(path);
    }
}

// One run: a screen, a seed and the values of the effect's parameters (those of its
// kParams, in order).
struct MatchCase {
    const char* what;
    int32_t width, height;
    uint32_t seed;
    int values[5];
};

template <class TSet> using Param = CEdges<CParam<int>, int> TSet::*;

struct GlimraMatch {
    using Set = CSetGlimra;
    using Reference = CSetGlimraReference;
    static constexpr const char* kName = "Glimra";
    static constexpr Param<CSetGlimra> kParams[] = {&CSetGlimra::vis, &CSetGlimra::items,
                                                    &CSetGlimra::clrChange, &CSetGlimra::flmSize,
                                                    &CSetGlimra::flmDuration};
    static constexpr MatchCase kCases[] = {
        {"defaults", 640, 480, 1, {50, 100, 0, 100, 200}},
        {"lowest opacity, fewest rays", 801, 600, 2, {10, 30, 5, 50, 100}},
        {"full opacity, longest curtains and lives", 1024, 768, 3, {100, 100, 5, 400, 400}},
        {"shortest curtains, shortest lives", 333, 500, 4, {10, 100, 1, 50, 100}},
        {"narrower than a ray", 13, 400, 5, {70, 100, 2, 100, 200}},
        {"odd width, screen just taller than the band", 157, 331, 6, {99, 30, 5, 400, 100}},
        {"lower than the band", 300, 150, 7, {50, 100, 3, 200, 300}},
    };
};

struct RiplaMatch {
    using Set = CSetRipla;
    using Reference = CSetRiplaReference;
    static constexpr const char* kName = "Ripla";
    static constexpr Param<CSetRipla> kParams[] = {&CSetRipla::vis, &CSetRipla::items,
                                                   &CSetRipla::waveSize, &CSetRipla::waveDuration};
    static constexpr MatchCase kCases[] = {
        {"defaults", 640, 480, 1, {50, 100, 20, 150}},
        {"lowest opacity, fewest splashes", 801, 600, 2, {10, 30, 1, 100}},
        {"full opacity, longest waves and lives", 1024, 768, 3, {100, 100, 40, 200}},
        {"a new wave at every spawn", 333, 500, 4, {10, 100, 1, 200}},
        {"narrower than a splash", 41, 400, 5, {70, 100, 20, 150}},
        {"odd width, screen just taller than the band", 157, 331, 6, {99, 30, 40, 100}},
        {"lower than the band", 300, 150, 7, {50, 100, 5, 120}},
    };
};

template <class TMatch> class FastPath : public testing::Test {};

using Matches = testing::Types<GlimraMatch, RiplaMatch>;
TYPED_TEST_SUITE(FastPath, Matches, EffectName);

} // namespace

TYPED_TEST(FastPath, PresentsTheReferenceBandsBitForBit) {
    using Set = typename TypeParam::Set;
    for (const MatchCase& test : TypeParam::kCases) {
        const auto configure = [&](Set& set) {
            std::size_t k = 0;
            for (const Param<Set> param : TypeParam::kParams)
                (set.*param).Set(test.values[k++]);
        };
        ExpectSameBands<Set, typename TypeParam::Reference>(test.width, test.height, test.seed,
                                                            configure, test.what);
    }
}
