// Stands in for a running Photoshop in the tests: a process that does nothing until it is
// ended, started from whatever folder and name the test copies it to.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Sleep(INFINITE);
    return 0;
}
