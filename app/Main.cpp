// Entry point: the application object lives for the whole process.
#include "app/TrayApp.h"
#include <stdlib.h>

#if defined(__GLIBCXX__)
// The runtime's default end for an exception nobody caught prints its demangled type to a console
// this program does not have. Ending at once is all a user sees either way, and it keeps the
// demangler (a sixth of the program's size) out.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    abort();
}
}  // namespace __gnu_cxx
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    TrayApp app;
    return RunApplication(app, instance);
}
