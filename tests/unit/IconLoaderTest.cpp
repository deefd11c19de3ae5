#include "Support.h"
#include "store/IconLoader.h"
#include <gtest/gtest.h>

// Which icon a path names; the icons themselves are compared on the screen end to end.
TEST(IconLoader, SplitsAtTheFirstComma) {
    std::string file;
    int index = -1;
    SplitIconPath("C:\\lib.dll,3", file, index);
    EXPECT_EQ("C:\\lib.dll", file);
    EXPECT_EQ(3, index);
    SplitIconPath("C:\\a,b.dll, -2x", file, index);
    EXPECT_EQ("C:\\a", file);
    EXPECT_EQ(0, index);
    SplitIconPath("C:\\x.exe, -2x", file, index);
    EXPECT_EQ(-2, index);
    SplitIconPath("x.exe,99999999999", file, index);
    EXPECT_EQ(0x7FFFFFFF, index);
}

TEST(IconLoader, WithoutAnIconTheQuestionMarkComesInTheRequestedSize) {
    TemporaryFolder folder;
    // An icon file whose single image lies past its end is never handed to the system.
    folder.Write("short.ico", std::string("\0\0\1\0\1\0\x20\x20\0\0\1\0\x20\0\x68\4\0\0\x16\0\0\0", 22));
    for (const std::string& path : {folder.File("short.ico"), folder.File("missing.exe")}) {
        for (int size : {16, 32}) {
            HICON icon = LoadIconFromPath(path, size == 16);
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(icon, &info)) << path;
            BITMAP mask = {};
            GetObjectA(info.hbmMask, sizeof mask, &mask);
            EXPECT_EQ(size, mask.bmWidth) << path;
            DeleteObject(info.hbmMask);
            DeleteObject(info.hbmColor);
            DestroyIcon(icon);
        }
    }
    EXPECT_EQ(nullptr, LoadIconFromPath("", true));
}
