// Which key a control's help comes from, and where the tip goes. (F1, "What's This?", the tip
// itself and help on the sheet are checked end to end.)
#include "dialogs/ContextHelp.h"
#include "dialogs/HelpPopup.h"
#include "res/resource.h"
#include <gtest/gtest.h>

TEST(ContextHelp, OwnTableThenDefaultTableThenUnknown) {
    const HelpTableEntry own[] = {{IDOK, "hlpYes"}, {1060, "hlpInputEdit"}, {1060, "hlpNo"}, {0, nullptr}};
    EXPECT_STREQ("hlpYes", FindHelpKey(own, IDOK));
    EXPECT_STREQ("hlpInputEdit", FindHelpKey(own, 1060));
    EXPECT_STREQ("hlpCancel", FindHelpKey(own, IDCANCEL));
    EXPECT_STREQ("hlpApply", FindHelpKey(own, ID_APPLY_NOW));
    EXPECT_STREQ("hlpUnknown", FindHelpKey(own, 1061));
    EXPECT_STREQ("hlpOK", FindHelpKey(nullptr, IDOK));
}

TEST(ContextHelp, TipHangsFromTheControlsLeftEdgeAndStaysOnTheScreen) {
    const SIZE screen = {1024, 768};
    const struct { RECT control; SIZE size; RECT expected; } cases[] = {
        {{100, 200, 180, 221}, {121, 40}, {40, 210, 161, 250}},      // 100 - 121 / 2, (200 + 221) / 2
        {{10, 100, 70, 120}, {120, 40}, {0, 110, 120, 150}},         // left edge
        {{1000, 100, 1020, 120}, {120, 40}, {904, 110, 1024, 150}},  // right edge
        {{300, 740, 360, 760}, {120, 40}, {240, 728, 360, 768}},     // bottom edge
        {{300, -80, 360, -60}, {120, 40}, {240, 0, 360, 40}},        // top edge
        {{500, 100, 560, 120}, {1100, 40}, {0, 110, 1100, 150}},     // wider than the screen: its start shows
    };
    for (const auto& c : cases) {
        const RECT placed = PlaceHelpPopup(c.control, c.size, screen);
        EXPECT_TRUE(EqualRect(&c.expected, &placed)) << "control at " << c.control.left << "," << c.control.top;
    }
}
