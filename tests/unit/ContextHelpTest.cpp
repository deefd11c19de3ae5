// Where the help tip and windows beside the notification area go. (F1, "What's This?", the tip
// itself and its texts are checked end to end.)
#include "dialogs/ContextHelp.h"
#include "dialogs/HelpPopup.h"
#include "framework/Display.h"
#include "res/resource.h"
#include <gtest/gtest.h>

// The tip stays inside the work area of the control's monitor, which may begin anywhere.
TEST(ContextHelp, TipHangsFromTheControlsLeftEdgeAndStaysInTheWorkArea) {
    const RECT screen = {0, 0, 1024, 768}, secondMonitor = {1024, 0, 2048, 696};  // beside it, over a taller taskbar
    const struct { RECT control; SIZE size; RECT work, expected; } cases[] = {
        {{100, 200, 180, 221}, {121, 40}, screen, {40, 210, 161, 250}},      // 100 - 121 / 2, (200 + 221) / 2
        {{10, 100, 70, 120}, {120, 40}, screen, {0, 110, 120, 150}},         // left edge
        {{1000, 100, 1020, 120}, {120, 40}, screen, {904, 110, 1024, 150}},  // right edge
        {{300, 740, 360, 760}, {120, 40}, screen, {240, 728, 360, 768}},     // bottom edge
        {{300, -80, 360, -60}, {120, 40}, screen, {240, 0, 360, 40}},        // top edge
        {{500, 100, 560, 120}, {1100, 40}, screen, {0, 110, 1100, 150}},     // wider than the screen: its start shows
        {{1030, 670, 1090, 690}, {120, 40}, secondMonitor, {1024, 656, 1144, 696}},
    };
    for (const auto& c : cases) {
        const RECT placed = PlaceHelpPopup(c.control, c.size, c.work);
        EXPECT_TRUE(EqualRect(&c.expected, &placed)) << "control at " << c.control.left << "," << c.control.top;
    }
}

// Windows beside the notification area keep inside the work area, whichever edge the taskbar is on.
TEST(ContextHelp, CornerPlacementFollowsTheTaskbarAndTheWorkArea) {
    const SIZE sheet = {400, 300};
    const struct { RECT work, notification, expected; } cases[] = {
        {{0, 0, 1920, 1008}, {1700, 1010, 1920, 1080}, {1470, 658, 1870, 958}},  // 72-pixel taskbar below
        {{0, 0, 1920, 1080}, {1700, 0, 1920, 48}, {1470, 50, 1870, 350}},        // at the top
        {{62, 0, 1920, 1080}, {0, 900, 62, 1080}, {112, 730, 512, 1030}},        // on the left
        {{0, 0, 300, 200}, {250, 200, 300, 230}, {0, 0, 400, 300}},              // too small: its start shows
    };
    for (const auto& c : cases) {
        const RECT placed = CornerPlacement(sheet, c.work, c.notification, 50);
        EXPECT_TRUE(EqualRect(&c.expected, &placed)) << "notification area at " << c.notification.left;
    }
}
