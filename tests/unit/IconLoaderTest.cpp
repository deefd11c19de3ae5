#include "TestSupport.h"
#include "res/resource.h"
#include "store/IconLoader.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
struct IconPixels {
    int width = 0, height = 0;
    std::vector<BYTE> colour, mask;
    bool operator==(const IconPixels& other) const {
        return width == other.width && height == other.height && colour == other.colour && mask == other.mask;
    }
};

std::vector<BYTE> BitmapBits(HBITMAP bitmap, int& width, int& height) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    std::vector<BYTE> bits(static_cast<size_t>(width) * height * 4);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, height, bits.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bits;
}

IconPixels PixelsOf(HICON icon) {
    IconPixels pixels;
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return pixels;
    int maskWidth, maskHeight;
    pixels.mask = BitmapBits(info.hbmMask, maskWidth, maskHeight);
    if (info.hbmColor) pixels.colour = BitmapBits(info.hbmColor, pixels.width, pixels.height);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return pixels;
}

IconPixels ResourceIcon(int id, int size) {
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    IconPixels pixels = PixelsOf(icon);
    DestroyIcon(icon);
    return pixels;
}

IconPixels QuestionMark(int size) {
    HICON icon = static_cast<HICON>(
        CopyImage(LoadIconA(nullptr, IDI_QUESTION), IMAGE_ICON, size, size, LR_COPYFROMRESOURCE));
    IconPixels pixels = PixelsOf(icon);
    DestroyIcon(icon);
    return pixels;
}

std::string ThisExecutable() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}
}  // namespace

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
    SplitIconPath("C:\\x.exe", file, index);
    EXPECT_EQ("C:\\x.exe", file);
    EXPECT_EQ(0, index);
    SplitIconPath("x.exe,99999999999", file, index);
    EXPECT_EQ(0x7FFFFFFF, index);
}

// This test program carries the same icons as Velkator.exe, in resource order 125, 138, 139, 140, 160.
TEST(IconLoader, IndexPicksThatIconOfTheFile) {
    std::string exe = ThisExecutable();
    HICON fourth = LoadIconFromPath(exe + ",3", true);
    EXPECT_EQ(ResourceIcon(IDI_DESKACCESS, 16), PixelsOf(fourth));
    EXPECT_FALSE(ResourceIcon(IDI_DIALUP, 16) == PixelsOf(fourth));

    HICON first = LoadIconFromPath(exe, false);
    IconPixels large = PixelsOf(first);
    EXPECT_EQ(32, large.width);
    EXPECT_EQ(ResourceIcon(IDI_VELKATOR, 32), large);
    DestroyIcon(fourth);
    DestroyIcon(first);
}

TEST(IconLoader, MissingIconsGiveTheQuestionMarkAtTheRequestedSize) {
    TemporaryFolder folder;
    folder.Write("notes.txt", "hello");
    std::string exe = ThisExecutable();
    // Icon files whose directory does not fit them: 65535 entries, and an image past the end.
    std::string entry("\x10\x10\0\0\1\0\x20\0", 8);
    folder.Write("many.ico", std::string("\0\0\1\0\xFF\xFF", 6) + entry + std::string("\x68\4\0\0\x16\0\0\0", 8));
    folder.Write("short.ico", std::string("\0\0\1\0\1\0", 6) + entry + std::string("\x68\4\0\0\x16\0\0\0", 8));
    const std::string cases[] = {exe + ",40", folder.File("notes.txt"), folder.File("missing.exe"),
                                 folder.File("many.ico"), folder.File("short.ico")};
    for (const std::string& path : cases) {
        for (bool small : {true, false}) {
            HICON icon = LoadIconFromPath(path, small);
            ASSERT_NE(nullptr, icon) << path;
            IconPixels pixels = PixelsOf(icon);
            EXPECT_EQ(small ? 16 : 32, pixels.width) << path;
            EXPECT_EQ(QuestionMark(small ? 16 : 32), pixels) << path;
            DestroyIcon(icon);
        }
    }
    EXPECT_EQ(nullptr, LoadIconFromPath("", true));
    EXPECT_EQ(nullptr, LoadIconFromPath("", false));
}
