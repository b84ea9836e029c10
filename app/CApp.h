#pragma once

#include "app/CAppBase.h"
#include "app/CDialogApp.h"
#include "app/CMultiApp.h"
#include "app/CProfileApp.h"
#include "app/CTrayApp.h"

// The stack of application layers that the program's own application object sits on.
class CApp : public CProfileApp<CMultiApp<CTrayApp<CDialogApp<CAppBase>>>> {
public:
    ~CApp() override = default;
};
