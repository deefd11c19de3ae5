// The end-to-end tests' program.
#include "tests/e2e/Driver.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// Each test starts without a copy that a test killed by its timeout left running.
class EndLeftoverCopies : public testing::Environment {
public:
    void SetUp() override { e2e::EndLeftoverVelkator(); }
};

}  // namespace

// Crash boxes are off for this process and every program it starts, so a crash ends a test, not hangs it.
int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new EndLeftoverCopies);
    return RUN_ALL_TESTS();
}
