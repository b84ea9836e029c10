#pragma once

#include <windows.h>

// What the navigation pane asks of an entry: run a tool's command and expand or collapse.
class INavPaneItem {
public:
    // A push or toggle tool of the entry was clicked.
    virtual int OnToolCommand(UINT command) = 0;
    // state: 1 expand, 0 collapse, -1 toggle.
    virtual int Expand(int state) = 0;

protected:
    ~INavPaneItem() = default;
};
