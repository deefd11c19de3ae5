// Ordering and layout of the entry menus; nothing here makes a window.
#include "tray/EntryMenus.h"
#include <algorithm>

std::vector<std::string> SortEntryNames(const std::vector<std::string>& serviceOrder) {
    // Each name goes before the first greater one, so equal names keep the service's order.
    std::vector<std::string> sorted;
    for (const std::string& name : serviceOrder)
        sorted.insert(std::upper_bound(sorted.begin(), sorted.end(), name), name);
    if (sorted.size() > MaxDialUpEntries) sorted.resize(MaxDialUpEntries);
    return sorted;
}

std::string MenuItemText(const std::string& name) {
    std::string text;
    for (char c : name) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

void SortDeskItems(std::vector<DeskItem>& items) {
    std::sort(items.begin(), items.end(), [](const DeskItem& a, const DeskItem& b) {
        return lstrcmpiA(a.DisplayName.c_str(), b.DisplayName.c_str()) < 0;
    });
}

std::vector<DeskMenuLine> LayOutDeskMenu(const std::vector<DeskItem>& sorted, int rowHeight, int availableHeight) {
    std::vector<DeskMenuLine> lines;
    if (sorted.empty()) return lines;
    const int count = static_cast<int>(sorted.size());
    const int folders = static_cast<int>(std::count_if(sorted.begin(), sorted.end(),
                                                       [](const DeskItem& item) { return item.IsFolder; }));
    const int total = count + (folders > 0 ? 1 : 0);  // the separator takes a row
    // However small the screen, a column holds at least one row.
    const int fit = std::max(1, rowHeight > 0 ? availableHeight / rowHeight : 0);
    const int columns = (total + fit - 1) / fit;
    const int rows = total / columns;

    // The counter restarts at 0 on the item that begins a column, so later columns hold rows + 1.
    int row = 0;
    auto appendGroup = [&](bool folderGroup) {
        for (int position = 0; position < count; ++position) {
            if (sorted[position].IsFolder != folderGroup) continue;
            const bool startsColumn = ++row > rows;
            if (startsColumn) row = 0;
            lines.push_back({position, startsColumn});
        }
    };
    appendGroup(true);
    if (folders > 0 && folders < count && row != 0) lines.push_back({DeskMenuLine::Separator, false});
    appendGroup(false);
    return lines;
}
