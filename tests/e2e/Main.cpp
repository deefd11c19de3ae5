// The end-to-end tests' program.
#include "tests/e2e/Driver.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// A test ended by its timeout leaves its Velkator running, which would turn every later start into a
// second copy; end such a copy before this test starts.
class EndLeftoverCopies : public testing::Environment {
public:
    void SetUp() override {
        for (int attempt = 0; attempt < 5; ++attempt) {
            HWND leftover = FindWindowA(e2e::kMainWindowClass, nullptr);
            DWORD processId = 0;
            if (!leftover || !GetWindowThreadProcessId(leftover, &processId)) return;
            HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
            if (!process) return;
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
};

}  // namespace

// Crash boxes are off for this process and every program it starts, so a crash ends a test, not hangs it.
int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new EndLeftoverCopies);
    return RUN_ALL_TESTS();
}
