#include "effects/engine/ScreenSize.h"

#include "effects/engine/IDesktop.h"

int32_t screenWidth = 0;
int32_t screenHeight = 0;

void ReadScreenSize(IDesktop& desktop) {
    const DesktopSize size = desktop.ScreenSize();
    screenWidth = size.width;
    screenHeight = size.height;
}
