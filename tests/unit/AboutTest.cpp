// The About box's free-space figure where the real system cannot show the cases.
#include "dialogs/AboutFigures.h"
#include <gtest/gtest.h>

// (A local disk's figure, gigabytes of it, is seen end to end.)
TEST(AboutFigures, FreeSpaceTooLargeToCountAndTheShareRootOfAPathWithoutDriveLetter) {
    EXPECT_EQ(~0ULL, FreeBytes(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF));
    EXPECT_EQ("c:\\", DiskRoot("c:\\Program Files\\Velkator"));
    EXPECT_EQ("\\\\server\\share\\", DiskRoot("\\\\server\\share\\tools\\bin"));
    EXPECT_EQ("Not available", FreeDiskSpaceText("\\\\no-such-server\\share\\tools"));
}
