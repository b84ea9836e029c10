#pragma once

#include "ui/CWnd.h"

#include <windows.h>

#include <string>
#include <vector>

// CWnd classes of the window base tests: each records the handler calls it receives as
// text ("MouseMove 1 -5 -7") and every message its dispatcher sees, and counts its living
// objects.
class CProbeWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int OnMouseMove(UINT keys, int x, int y) override { return Log("MouseMove", keys, x, y, 42); }
    int OnLButtonDown(UINT keys, int x, int y) override {
        return Log("LButtonDown", keys, x, y, 43);
    }
    int OnMouseWheel(UINT keys, int delta, int screenX, int screenY) override {
        Log("MouseWheel", keys, delta, screenX);
        return Log("MouseWheelY", 0, 0, screenY, 44);
    }
    int OnSize(UINT type, int width, int height) override {
        return Log("Size", type, width, height, 45);
    }
    int OnCommand(UINT id, UINT code, HWND control) override {
        return Log("Command", id, static_cast<int>(code), control ? 1 : 0, 46);
    }
    int OnSysKeyDown(UINT key, UINT low, UINT high) override {
        return Log("SysKeyDown", key, static_cast<int>(low), static_cast<int>(high), 47);
    }
    int OnTimer(UINT_PTR id) override { return Log("Timer", static_cast<UINT>(id), 0, 0, 48); }
    void OnKeyDown(UINT key, UINT low, UINT high) override {
        Log("KeyDown", key, static_cast<int>(low), static_cast<int>(high));
    }
    void OnKeyUp(UINT key, UINT low, UINT high) override {
        Log("KeyUp", key, static_cast<int>(low), static_cast<int>(high));
    }
    void OnLButtonDblClk(UINT keys, int x, int y) override { Log("LButtonDblClk", keys, x, y); }
    void OnMouseLeave() override { Log("MouseLeave", 0, 0, 0); }

    bool Saw(UINT message) const {
        for (UINT seen : messages)
            if (seen == message)
                return true;
        return false;
    }

    std::vector<std::string> calls;
    std::vector<UINT> messages;

private:
    int Log(const char* name, UINT first, int second, int third, int result = 0) {
        calls.push_back(std::string(name) + " " + std::to_string(first) + " " +
                        std::to_string(second) + " " + std::to_string(third));
        return result;
    }
};

// A class of its own with a living-object count.
template <class Tag> class CCountedProbe : public CProbeWnd {
public:
    CCountedProbe() { ++alive; }
    ~CCountedProbe() override { --alive; }
    bool* GetRegisteredFlag() override { return &registered; }
    const char* GetClassName() override { return Tag::kClassName; }

    static inline int alive = 0;
    static inline bool registered = false;
};

struct FactoryTag {
    static constexpr const char* kClassName = "EmbraTestFactoryWnd";
};
struct BareTag {
    static constexpr const char* kClassName = "EmbraTestBareWnd";
};
struct PlainTag {
    static constexpr const char* kClassName = "EmbraTestProbeWnd";
};

// Named in the test dialog template, with a factory entry while a test registers one.
using CFactoryProbe = CCountedProbe<FactoryTag>;
// Named in the test dialog template, never with a factory entry.
using CBareProbe = CCountedProbe<BareTag>;
// Created by the tests themselves.
using CPlainProbe = CCountedProbe<PlainTag>;
