#pragma once

#include "app/CAppBase.h"
#include "app/CMultiApp.h"

// The stack of application layers that the program's own application object sits on.
class CApp : public CMultiApp<CAppBase> {};
