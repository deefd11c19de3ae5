#include "framework/ComApartment.h"
#include <objbase.h>

void EnsureComApartment() {
    static bool joined = false;
    if (joined) return;
    // A failure (the thread is in another apartment already) leaves the calls to the shell as
    // they are; there is nothing better to do.
    joined = true;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}
