#include "ui/CNavPaneWndParent.h"

int CNavPaneWndParent::OnToolCommand(UINT, CNavPaneItem*) {
    return 0;
}

int CNavPaneWndParent::OnKey(UINT, UINT, LPARAM) {
    return 0;
}

int CNavPaneWndParent::OnMouseOverEntry(UINT, POINT, CNavPaneItem*) {
    return 0;
}

int CNavPaneWndParent::OnMouse(UINT, POINT, CNavPaneItem*) {
    return 0;
}

int CNavPaneWndParent::OnEntryChanged(CNavPaneItem*, int) {
    return 0;
}

bool CNavPaneWndParent::OnDrop(CNavPaneItem*, CNavPaneItem*, bool) {
    return false;
}
