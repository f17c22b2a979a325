#include <windows.h>

#include <cstdlib>
#include <exception>

#include "ui/program.h"

// libstdc++'s default terminate handler prints the uncaught exception's demangled type to
// stderr, which a GUI program does not have; it would also link in the demangler and printf
// (about a quarter of the executable). Ending the same way, without the message, costs nothing.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return RunProgramSafely(instance);
}
