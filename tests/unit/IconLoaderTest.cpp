// Which icon a path names; the icons themselves, and the question mark for a file without one, are
// compared on the screen end to end.
#include "store/IconLoader.h"
#include <gtest/gtest.h>

TEST(IconLoader, SplitsAtTheFirstCommaAndReadsTheIndexAsFarAsItGoes) {
    const struct { const char* path; const char* file; int index; } cases[] = {
        {"C:\\lib.dll,3", "C:\\lib.dll", 3},
        {"C:\\a,b.dll, -2x", "C:\\a", 0},
        {"C:\\x.exe, -2x", "C:\\x.exe", -2},
        {"x.exe,99999999999", "x.exe", 0x7FFFFFFF},
    };
    for (const auto& c : cases) {
        std::string file;
        int index = -1;
        SplitIconPath(c.path, file, index);
        EXPECT_EQ(c.file, file) << c.path;
        EXPECT_EQ(c.index, index) << c.path;
    }
}
