#pragma once

#include "ui/INavPaneItem.h"

// The deletable base of the pane's entries: adds the virtual destructor after the
// interface's operations.
class CNavPaneItemAbstract : public INavPaneItem {
public:
    CNavPaneItemAbstract() = default;
    CNavPaneItemAbstract(const CNavPaneItemAbstract&) = delete;
    CNavPaneItemAbstract& operator=(const CNavPaneItemAbstract&) = delete;
    virtual ~CNavPaneItemAbstract() = default;
};
