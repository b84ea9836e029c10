#include "ui/CNavPaneWndParent.h"

int CNavPaneWndParent::OnToolCommand(UINT command, CNavPaneItem* entry) {
    (void)command;
    (void)entry;
    return 0;
}

int CNavPaneWndParent::OnKey(UINT message, UINT key, LPARAM lParam) {
    (void)message;
    (void)key;
    (void)lParam;
    return 0;
}

int CNavPaneWndParent::OnMouseOverEntry(UINT message, POINT point, CNavPaneItem* entry) {
    (void)message;
    (void)point;
    (void)entry;
    return 0;
}

int CNavPaneWndParent::OnMouse(UINT message, POINT point, CNavPaneItem* entry) {
    (void)message;
    (void)point;
    (void)entry;
    return 0;
}

int CNavPaneWndParent::OnEntryChanged(CNavPaneItem* entry, int reserved) {
    (void)entry;
    (void)reserved;
    return 0;
}

bool CNavPaneWndParent::OnDrop(CNavPaneItem* target, CNavPaneItem* source, bool before) {
    (void)target;
    (void)source;
    (void)before;
    return false;
}
