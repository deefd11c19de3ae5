// Ordering and column layout of the desktop menu. (The dial-up menu's order is seen end to end.)
#include "Support.h"
#include "tray/EntryMenus.h"
#include <algorithm>

// The desktop menu for the names ("+" marks a folder) on a screen that fits fitRows rows, as
// "name|name|-|^name|": "-" a separator, "^" an item that begins a column.
static std::string Plan(const std::vector<std::string>& names, int fitRows) {
    std::vector<DeskItem> items(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        items[i].IsFolder = names[i][0] == '+';
        items[i].DisplayName = names[i].substr(items[i].IsFolder ? 1 : 0);
    }
    SortDeskItems(items);
    std::string plan;
    for (const DeskMenuLine& line : LayOutDeskMenu(items, 20, 20 * fitRows))
        plan += line.Position < 0 ? "-|" : (line.StartsColumn ? "^" : "") + items[line.Position].DisplayName + "|";
    return plan;
}

TEST(EntryMenuLayout, FoldersFirstThenASeparatorAndTheRestEachGroupSortedIgnoringCase) {
    EXPECT_EQ("Alpha|beta|-|delta.txt|Gamma.txt|", Plan({"Gamma.txt", "+beta", "delta.txt", "+Alpha"}, 20));
    EXPECT_EQ("A|b|", Plan({"+b", "+A"}, 20));
    EXPECT_EQ("A.txt|b.txt|", Plan({"b.txt", "A.txt"}, 20));
    EXPECT_EQ("F1|^F2|file|", Plan({"file", "+F2", "+F1"}, 1));  // the last folder began a column
    EXPECT_EQ("a|^b|", Plan({"b", "a"}, -5));                   // no room for a row: one a column
    // 45 items, 20 rows fit: 3 columns of 15 rows, the first holding 15 items, the next 16 and 14.
    std::vector<std::string> names = {"+folder"};
    for (int i = 10; i < 54; ++i) names.push_back("file " + std::to_string(i));
    const std::string plan = Plan(names, 20);
    EXPECT_NE(std::string::npos, plan.find("|file 23|^file 24|")) << plan;
    EXPECT_NE(std::string::npos, plan.find("|file 39|^file 40|")) << plan;
    EXPECT_EQ(2, std::count(plan.begin(), plan.end(), '^'));
    EXPECT_EQ("AT&&T && more", MenuItemText("AT&T & more"));  // an item's text, not its underline
}
