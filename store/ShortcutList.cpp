#include "store/ShortcutList.h"
#include "framework/WinApp.h"
#include "store/LegacyIni.h"
#include "store/Options.h"
#include "store/ShortcutStore.h"
#include <windows.h>

namespace {
// Identifier ranges: applications first, then a hundred for each special kind.
const int LastApplicationIconId = 0xFDFF;
int FirstIconIdOf(ShortcutKind kind) {
    switch (kind) {
    case ShortcutKind::Separator: return 0xFE00;
    case ShortcutKind::DialUp: return 0xFF00;
    case ShortcutKind::DeskAccess: return 0xFF80;
    default: return 1;
    }
}
}  // namespace

void ShortcutList::Load(const std::string& legacyIniPath, SpecialTitle titleOf) {
    m_items.clear();
    m_pendingIndex = -1;
    m_keptTokens.clear();
    m_unloadedTail.clear();
    SettingsBatch batch(TheApp()->Settings());
    ImportLegacyIni(legacyIniPath);

    // Opened once: every token's marker is read from it.
    const std::unique_ptr<SettingsSection> shortcuts = TheApp()->Settings().OpenSection(ShortcutsSection);
    const std::string order = ReadOrderFrom(*shortcuts);
    size_t start = 0, bar;
    while ((bar = order.find('|', start)) != std::string::npos) {
        std::string token = order.substr(start, bar - start);
        ShortcutItem item;
        item.Path = token;
        if (item.Kind() != ShortcutKind::Application) {
            if (IsFull()) break;
            item.Name = titleOf(item.Kind());
            item.IconId = SpecialIconId(item.Kind());
            Append(item, true);
        } else if (IsInstalled(*shortcuts, token) && !HasApplicationNamed(token, -1)) {
            if (IsFull()) break;
            ReadApplicationValues(token, item);
            item.Name = token;
            if (item.IconId < 1 || item.IconId > LastApplicationIconId || IsIconIdUsed(item.IconId)) {
                // Settings of earlier versions, or a section copied by hand.
                item.IconId = NewApplicationIconId();
                TheApp()->Settings().WriteNumber(token, IconIdValue, item.IconId);
            }
            Append(item, true);
        } else if (!token.empty() && !IsInstalled(*shortcuts, token)) {
            m_keptTokens += token + "|";  // perhaps a shortcut whose marker was damaged: never dropped
        }
        start = bar + 1;
    }
    m_unloadedTail = order.substr(start);
}

const ShortcutItem* ShortcutList::ByNumber(UINT_PTR number) const {
    return number >= 1 && number <= m_items.size() ? &m_items[number - 1] : nullptr;
}

int ShortcutList::NumberOfIconId(UINT_PTR iconId) const {
    for (size_t i = 0; i < m_items.size(); ++i)
        if (static_cast<UINT_PTR>(m_items[i].IconId) == iconId) return static_cast<int>(i + 1);
    return 0;
}

bool ShortcutList::Contains(ShortcutKind kind) const {
    for (const ShortcutItem& item : m_items)
        if (item.Kind() == kind) return true;
    return false;
}

bool ShortcutList::HasApplicationNamed(const std::string& name, int exceptIndex) const {
    for (int i = 0; i < Count(); ++i) {
        const ShortcutItem& item = m_items[static_cast<size_t>(i)];
        if (i != exceptIndex && item.Kind() == ShortcutKind::Application &&
            lstrcmpiA(item.Name.c_str(), name.c_str()) == 0)
            return true;
    }
    return false;
}

bool ShortcutList::IsNameTaken(const std::string& name, int exceptIndex) const {
    if (HasApplicationNamed(name, exceptIndex)) return true;
    // Shortcuts the list did not load (past the hundredth, say) keep their names too. Only a stored
    // record's own name is its own: a new one filled from a file has never been stored.
    bool ownName = exceptIndex >= 0 && exceptIndex < Count() && exceptIndex != m_pendingIndex &&
                   lstrcmpiA(At(exceptIndex).Name.c_str(), name.c_str()) == 0;
    return !ownName && IsNameInstalled(name);
}

void ShortcutList::Append(const ShortcutItem& item, bool announce) {
    m_items.push_back(item);
    if (announce && m_listener) m_listener->ShortcutAdded(m_items.back());
}

bool ShortcutList::IsIconIdUsed(int iconId) const {
    for (const ShortcutItem& item : m_items)
        if (item.IconId == iconId) return true;
    return false;
}

int ShortcutList::SpecialIconId(ShortcutKind kind) const {
    int iconId = FirstIconIdOf(kind);
    while (IsIconIdUsed(iconId)) ++iconId;
    return iconId;
}

int ShortcutList::NewApplicationIconId() {
    int iconId = ReadOption(Option::NextIconId);
    // Past the range the numbers start again; a hundred records leave plenty free.
    for (int tries = 0; tries <= LastApplicationIconId; ++tries, ++iconId) {
        if (iconId < 1 || iconId > LastApplicationIconId) iconId = 1;
        if (!IsIconIdUsed(iconId)) break;
    }
    WriteOption(Option::NextIconId, iconId + 1);
    return iconId;
}

int ShortcutList::AppendSpecial(ShortcutKind kind, const std::string& title) {
    if (IsFull() || kind == ShortcutKind::Application) return -1;
    ShortcutItem item;
    item.Path = KindWord(kind);
    item.Name = title;
    item.IconId = SpecialIconId(kind);
    Append(item, true);
    WriteStoredOrder(OrderOfRecords());
    return Count() - 1;
}

int ShortcutList::AppendPending() {
    if (IsFull() || m_pendingIndex >= 0) return -1;
    ShortcutItem item;
    item.IconId = NewApplicationIconId();
    Append(item, false);  // no icon until it is saved
    m_pendingIndex = Count() - 1;
    return m_pendingIndex;
}

void ShortcutList::SetPendingValues(const ShortcutItem& values) {
    if (m_pendingIndex < 0) return;
    ShortcutItem& record = m_items[static_cast<size_t>(m_pendingIndex)];
    const int iconId = record.IconId;
    record = values;
    record.IconId = iconId;
}

void ShortcutList::DropPending() {
    if (m_pendingIndex < 0) return;
    m_items.erase(m_items.begin() + m_pendingIndex);
    m_pendingIndex = -1;
}

ShortcutList::SaveResult ShortcutList::SaveApplication(int index, const ShortcutItem& values) {
    if (index < 0 || index >= Count() || At(index).Kind() != ShortcutKind::Application ||
        values.Kind() != ShortcutKind::Application)
        return SaveResult::NoRecord;
    if (!IsStorableName(values.Name)) return SaveResult::BadName;
    ShortcutItem& record = m_items[static_cast<size_t>(index)];
    const bool isNew = index == m_pendingIndex;
    const std::string oldName = record.Name;
    const bool renamed = !isNew && oldName != values.Name;
    // Two shortcuts must never share one section; a change of letter case only is the same name.
    if ((isNew || lstrcmpiA(oldName.c_str(), values.Name.c_str()) != 0) && IsNameTaken(values.Name, index))
        return SaveResult::NameTaken;

    const int iconId = record.IconId;
    record = values;
    record.IconId = iconId;
    SettingsBatch batch(TheApp()->Settings());  // one operation, one save
    // The old section goes first: for a change of letter case it is the same registry key.
    if (renamed) DeleteApplicationData(oldName);
    WriteApplicationItem(record);
    if (isNew) m_pendingIndex = -1;
    if (isNew || renamed) WriteStoredOrder(OrderOfRecords());
    if (m_listener) {
        if (isNew)
            m_listener->ShortcutAdded(record);
        else
            m_listener->ShortcutChanged(record);
    }
    return SaveResult::Saved;
}

void ShortcutList::Remove(int index) {
    if (index < 0 || index >= Count()) return;
    if (index == m_pendingIndex) {
        DropPending();
        return;
    }
    const ShortcutItem removed = At(index);
    m_items.erase(m_items.begin() + index);
    if (index < m_pendingIndex) --m_pendingIndex;
    if (m_listener) m_listener->ShortcutRemoved(removed.IconId);
    SettingsBatch batch(TheApp()->Settings());
    if (removed.Kind() == ShortcutKind::Application) DeleteApplicationData(removed.Name);
    WriteStoredOrder(OrderOfRecords());
}

bool ShortcutList::Reorder(const std::vector<int>& newOrder) {
    if (newOrder.size() != m_items.size() || m_pendingIndex >= 0) return false;
    std::vector<bool> used(m_items.size(), false);
    std::vector<ShortcutItem> moved;
    for (int from : newOrder) {
        if (from < 0 || from >= Count() || used[static_cast<size_t>(from)]) return false;
        used[static_cast<size_t>(from)] = true;
        moved.push_back(m_items[static_cast<size_t>(from)]);
    }
    size_t firstMoved = 0;
    while (firstMoved < moved.size() && moved[firstMoved].IconId == m_items[firstMoved].IconId) ++firstMoved;
    // The tray shows icons in the order they were added: the moved ones and all after them go
    // and come back in the new order.
    if (m_listener)
        for (size_t place = firstMoved; place < m_items.size(); ++place) m_listener->ShortcutRemoved(m_items[place].IconId);
    m_items.swap(moved);
    if (m_listener)
        for (size_t place = firstMoved; place < m_items.size(); ++place) m_listener->ShortcutAdded(m_items[place]);
    const std::string order = OrderOfRecords();
    if (order != ReadStoredOrder()) WriteStoredOrder(order);
    return true;
}

void ShortcutList::Retitle(SpecialTitle titleOf) {
    for (ShortcutItem& item : m_items) {
        if (item.Kind() == ShortcutKind::Application) continue;
        item.Name = titleOf(item.Kind());
        if (m_listener) m_listener->ShortcutRetitled(item);
    }
}

std::string ShortcutList::OrderOfRecords() const {
    std::string order;
    for (int i = 0; i < Count(); ++i)
        if (i != m_pendingIndex) order += At(i).OrderToken() + "|";
    return order + m_keptTokens + m_unloadedTail;
}
