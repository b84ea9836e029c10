#include "app/CommandSender.h"
#include "app/ProgramMain.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunProgram(ProgramArguments());
}
