#pragma once

#include "effects/engine/CRandom.h"
#include "effects/engine/CRenderState.h"
#include "effects/headless/CHeadlessDesktop.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

// An effect set (TSet, usually a probe that makes the frame hooks reachable) of items
// TItem on a headless desktop (TDesktop) with a 40-pixel taskbar on `edge` and `workers`
// render workers, without a settings store. Nothing is started.
template <class TSet, class TItem, class TDesktop> struct CEffectRig {
    using Item = TItem;

    CEffectRig(int32_t width, int32_t height, int32_t workers, TaskbarSide edge)
        : desktop(width, height), renderState(&desktop), set(nullptr, &renderState) {
        renderState.processorCount = workers;
        desktop.SetTaskbar(edge, 40);
    }
    ~CEffectRig() {
        renderState.StopRendering();
        renderState.activeSet = nullptr;
    }
    bool Start(uint32_t seed) {
        CRandom::Seed(seed);
        renderState.activeSet = &set;
        return renderState.StartRendering();
    }
    // Whole frames as worker 0 on the calling thread, seeded as the first worker is.
    void RenderFrames(int32_t frames) {
        CRandom::Seed(0);
        for (int32_t k = 0; k < frames; ++k)
            set.Render(0, &runFlag);
    }
    TItem* Items(int32_t worker = 0) {
        return static_cast<TItem*>(set.workerItems[static_cast<std::size_t>(worker)]);
    }

    TDesktop desktop;
    CRenderState renderState;
    TSet set;
    std::atomic<int32_t> runFlag{1};
};

// The taskbars the placement tests put on the headless desktop: 40 pixels high on the
// top or bottom edge, 60 wide on the left or right, hidden, absent, one covering the
// whole screen (on no edge), or an auto-hidden one at the bottom (its 2-pixel strip on
// the screen, the rest below it).
enum class ScriptedBar { Top, Bottom, Left, Right, Hidden, Absent, Middle, AutoHidden };

inline void PlaceScriptedBar(CHeadlessDesktop& desktop, ScriptedBar bar) {
    const DesktopRect screen = desktop.Monitors().at(0).screen;
    switch (bar) {
    case ScriptedBar::Top:
        return desktop.SetTaskbar(TaskbarSide::Top, 40);
    case ScriptedBar::Bottom:
        return desktop.SetTaskbar(TaskbarSide::Bottom, 40);
    case ScriptedBar::Left:
        return desktop.SetTaskbar(TaskbarSide::Left, 60);
    case ScriptedBar::Right:
        return desktop.SetTaskbar(TaskbarSide::Right, 60);
    case ScriptedBar::Hidden:
        return desktop.HideTaskbar();
    case ScriptedBar::Absent:
        return desktop.RemoveTaskbar();
    case ScriptedBar::Middle:
        return desktop.SetTaskbarRect(screen);
    case ScriptedBar::AutoHidden:
        return desktop.SetTaskbarRect({0, screen.bottom - 2, screen.right, screen.bottom + 38});
    }
}

// The generator's draws after `seed`, computed independently of CRandom.
inline std::vector<int32_t> GeneratorDraws(uint32_t seed, int count) {
    std::vector<int32_t> draws;
    for (int k = 0; k < count; ++k) {
        seed = seed * 214013u + 2531011u;
        draws.push_back(static_cast<int32_t>((seed >> 16) & 0x7FFF));
    }
    return draws;
}
