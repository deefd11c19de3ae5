// The end-to-end tests' program.
#include <windows.h>

#include <gtest/gtest.h>

// Crash boxes are off for this process and every program it starts, so a crash ends a test, not hangs it.
int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
