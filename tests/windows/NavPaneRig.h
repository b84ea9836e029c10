#pragma once

#include "CDibTarget.h"

#include "ui/CNavPaneItem.h"
#include "ui/CNavPaneWnd.h"
#include "ui/CNavPaneWndParent.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The painted client area of a pane, pixels 0x00RRGGBB.
struct CPanePixels {
    uint32_t At(int x, int y) const {
        return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF;
    }
    std::vector<uint32_t> pixels;
    int width = 0;
};

// The owner side of the pane tests: records every callback as text ("Tool 1002 B") and
// answers OnDrop with dropResult.
class CRecordingNavParent : public CNavPaneWndParent {
public:
    int OnToolCommand(UINT command, CNavPaneItem* entry) override {
        calls.push_back("Tool " + std::to_string(command) + " " + Name(entry));
        return 0;
    }
    int OnKey(UINT message, UINT key, LPARAM) override {
        calls.push_back("Key " + std::to_string(message) + " " + std::to_string(key));
        return swallowKeys;
    }
    int OnEntryChanged(CNavPaneItem* entry, int) override {
        calls.push_back("Changed " + Name(entry));
        return 0;
    }
    int OnMouse(UINT message, POINT, CNavPaneItem* entry) override {
        calls.push_back("Mouse " + std::to_string(message) + " " + Name(entry));
        return 0;
    }
    bool OnDrop(CNavPaneItem* target, CNavPaneItem* source, bool before) override {
        calls.push_back("Drop " + Name(target) + " " + Name(source) +
                        (before ? " before" : " after"));
        return dropResult;
    }

    // The callbacks of one kind ("Tool", "Drop", ...) in order.
    std::vector<std::string> Of(const std::string& kind) const {
        std::vector<std::string> found;
        for (const std::string& call : calls)
            if (call.compare(0, kind.size() + 1, kind + " ") == 0)
                found.push_back(call);
        return found;
    }
    static std::string Name(const CNavPaneItem* entry) {
        return entry && !entry->text.IsEmpty() ? entry->text.c_str() : "-";
    }

    std::vector<std::string> calls;
    bool dropResult = false;
    int swallowKeys = 0;
};

// A pane of the given client size in a hidden top-level window, with the recording owner.
// Entries are named "A", "B", ... and are `rowHeight` pixels high.
class CNavPaneRig {
public:
    CNavPaneRig(int width, int height) {
        CNavPaneWnd::RegisterFactory();
        host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, width + 40, height + 40, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
        pane.Create(0, WS_CHILD | WS_VISIBLE, 0, 0, width, height, host, nullptr);
        pane.SetCallback(&owner);
    }
    ~CNavPaneRig() {
        pane.SetCallback(nullptr);
        DestroyWindow(host);
    }

    CNavPaneItem* Add(const char* name, int rowHeight = 36, CNavPaneItem* parent = nullptr) {
        auto* entry = new CNavPaneItem;
        entry->text = name;
        entry->SetHeight(rowHeight);
        if (parent)
            pane.AddChild(parent, entry);
        else
            pane.AddEntry(entry);
        return entry;
    }
    std::vector<CNavPaneItem*> AddMany(int count, int rowHeight = 36) {
        std::vector<CNavPaneItem*> entries;
        for (int i = 0; i < count; ++i) {
            const char name[2] = {static_cast<char>('A' + i), 0};
            entries.push_back(Add(name, rowHeight));
        }
        return entries;
    }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageA(pane.Handle(), message, wParam, lParam);
    }
    void Click(int x, int y, UINT keys = 0) {
        Send(WM_LBUTTONDOWN, keys | MK_LBUTTON, MAKELPARAM(x, y));
        Send(WM_LBUTTONUP, keys, MAKELPARAM(x, y));
    }
    // A press at from, moves through every point of `via` and to, and the release at to.
    void Drag(POINT from, POINT to, const std::vector<POINT>& via = {}) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        for (POINT point : via)
            Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        Send(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    }
    void Key(UINT key) { Send(WM_KEYDOWN, key, 1); }
    // Paints the client area through WM_PRINTCLIENT into a 32-bit picture.
    CPanePixels Paint() {
        RECT client{};
        GetClientRect(pane.Handle(), &client);
        CDibTarget target(client.right, client.bottom);
        Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.Dc()), PRF_CLIENT);
        CPanePixels picture;
        picture.width = client.right;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                picture.pixels.push_back(target.At(x, y));
        return picture;
    }
    // A COLORREF (0x00BBGGRR) as a pixel (0x00RRGGBB).
    static uint32_t Rgb(COLORREF colour) {
        return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
    }
    // The names of the top-level entries in order ("ABC"), selected ones in lower case.
    std::string Order() {
        std::string order;
        for (CNavPaneItem* entry : pane.Root()->children.Items())
            order += entry->selected ? static_cast<char>(entry->text.c_str()[0] + 32)
                                     : entry->text.c_str()[0];
        return order;
    }

    HWND host = nullptr;
    CNavPaneWnd pane;
    CRecordingNavParent owner;
};
