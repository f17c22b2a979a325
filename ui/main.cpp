#include <windows.h>

#include "ui/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return RunProgramSafely(instance);
}
