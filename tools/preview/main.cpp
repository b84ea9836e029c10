// embra-preview: renders an effect through the real engine on the headless desktop and
// writes the last presented band, or with several monitors the whole desktop. With one worker the
// output is a pure function of the arguments.

#include "PreviewDesktop.h"
#include "PreviewEffects.h"
#include "PreviewImage.h"
#include "PreviewOptions.h"

#include "effects/engine/CRandom.h"
#include "effects/engine/CRenderState.h"
#include "effects/engine/CSet.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "graphics/CBmp.h"
#include "params/CMemoryBackend.h"
#include "params/CSettingsStore.h"
#include "params/IParam.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kBadArguments = 2;
constexpr int kFailed = 1;

int Fail(int code, const std::string& message) {
    std::fprintf(stderr, "embra-preview: %s\n", message.c_str());
    return code;
}

void PlaceTaskbar(CHeadlessDesktop& desktop, std::size_t monitor, const PreviewOptions& options) {
    switch (options.taskbar) {
    case PreviewTaskbar::Bottom:
        return desktop.SetTaskbar(monitor, TaskbarSide::Bottom, options.taskbarSize);
    case PreviewTaskbar::Top:
        return desktop.SetTaskbar(monitor, TaskbarSide::Top, options.taskbarSize);
    case PreviewTaskbar::Left:
        return desktop.SetTaskbar(monitor, TaskbarSide::Left, options.taskbarSize);
    case PreviewTaskbar::Right:
        return desktop.SetTaskbar(monitor, TaskbarSide::Right, options.taskbarSize);
    case PreviewTaskbar::Hidden:
        return desktop.HideTaskbar(monitor);
    case PreviewTaskbar::None:
        return desktop.RemoveTaskbar(monitor);
    }
}

// The monitors of --monitors, each with the taskbar of --taskbar; one screen without it.
void PlaceMonitors(CHeadlessDesktop& desktop, const PreviewOptions& options) {
    std::vector<DesktopRect> screens;
    for (const PreviewMonitor& m : options.monitors)
        screens.push_back({m.x, m.y, m.x + m.width, m.y + m.height});
    if (!screens.empty())
        desktop.SetMonitors(screens);
    for (std::size_t i = 0; i < std::max<std::size_t>(1, screens.size()); ++i)
        PlaceTaskbar(desktop, i, options);
}

IParamReg* FindParam(CSet& set, const std::string& name) {
    for (IParamReg* param : set.paramSet.Params())
        if (param->GetName() == tstr(name.c_str()))
            return param;
    return nullptr;
}

// The values go through the settings store and the set's Load, as stored settings do, so
// that every parameter applies its own bounds; a value that does not survive unchanged
// is refused.
bool ApplySettings(CSet& set, CSettingsStore& store, const PreviewOptions& options,
                   std::string* error) {
    for (const auto& setting : options.settings) {
        if (!FindParam(set, setting.first)) {
            *error = "the effect has no parameter '" + setting.first + "'";
            return false;
        }
        store.WriteString(set.paramSet.GetPath(), setting.first.c_str(), setting.second.c_str());
    }
    set.Load();
    for (const auto& setting : options.settings) {
        const IParam* param = dynamic_cast<const IParam*>(FindParam(set, setting.first));
        const tstr held = param ? param->ToText() : tstr("");
        if (!(held == tstr(setting.second.c_str()))) {
            *error = "bad value '" + setting.second + "' for parameter '" + setting.first +
                     "' (it would hold " + held.str() + ")";
            return false;
        }
    }
    return true;
}

// Renders the frames; false when the set does not start.
bool Render(CRenderState& renderState, CSet& set, uint32_t seed) {
    renderState.activeSet = &set;
    CRandom::Seed(seed); // the set's Start draws from the main thread's generator
    if (!renderState.StartEffect())
        return false;
    // Worker 0 drops the run flag once it has presented the last frame.
    while (renderState.runFlag.load(std::memory_order_acquire) != 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    renderState.StopEffect();
    return true;
}

int Run(const PreviewOptions& options) {
    CHeadlessDesktop desktop(options.width, options.height);
    PlaceMonitors(desktop, options);
    desktop.SetTickCount(options.seed); // worker i is seeded with i x tick count
    CSettingsStore store(true, "Lumavist", "Embra");
    store.SetBackend(std::make_unique<CMemoryBackend>());
    CRenderState renderState(&desktop);
    renderState.processorCount = options.workers;
    renderState.frameSleepMs = 0;
    renderState.frameLimit = options.frames;
    std::unique_ptr<CSet> set = options.effect->make(&store, &renderState);
    std::string error;
    if (!ApplySettings(*set, store, options, &error))
        return Fail(kBadArguments, error);
    if (!Render(renderState, *set, options.seed))
        return Fail(kFailed, std::string("the effect '") + options.effect->name +
                                 "' did not start (no taskbar, or its artwork is missing)");
    CBmp band;
    desktop.CopyLastPresented(&band);
    if (band.pixels && !options.monitors.empty())
        ComposeDesktop(desktop, &band); // the whole desktop instead of the band
    if (!band.pixels)
        return Fail(kFailed, "no frame was presented");
    if (!WritePreviewPng(band, options.pngPath))
        return Fail(kFailed, "cannot write " + options.pngPath);
    if (!options.rawPath.empty() && !WritePreviewRaw(band, options.rawPath))
        return Fail(kFailed, "cannot write " + options.rawPath);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    PreviewOptions options;
    std::string error;
    if (!ParsePreviewOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "embra-preview: %s\n%s", error.c_str(), PreviewUsage());
        return kBadArguments;
    }
    if (options.help) {
        std::fputs(PreviewUsage(), stdout);
        return 0;
    }
    return Run(options);
}
