// The one owner of the shortcut list: up to 100 records in tray order, their icon identifiers,
// and the stored order's tokens that did not fit. Every operation keeps the records, the
// registry and (through the listener) the tray icons in step; nothing else edits them.
// Positions are 0-based; menus, the tray callback and message 143 use 1-based item numbers.
//
// A tray icon's identifier stays with its shortcut, in this run and the next: the system keeps
// what the user chose for an icon (shown or hidden) by program and identifier. An application
// shortcut stores its identifier in its section; a special item's is its rank among the items
// of its kind. Every identifier fits the 16 bits of the tray's newer callback.
#pragma once
#include "store/ShortcutItem.h"
#include <basetsd.h>
#include <string>
#include <vector>

// Told of every change, so that whatever shows the records (the tray icons) follows them.
class ShortcutListener {
public:
    virtual void ShortcutAdded(const ShortcutItem& item) = 0;
    virtual void ShortcutChanged(const ShortcutItem& item) = 0;    // image and tip
    virtual void ShortcutRetitled(const ShortcutItem& item) = 0;   // tip only
    virtual void ShortcutRemoved(int iconId) = 0;

protected:
    ~ShortcutListener() = default;
};

// The tooltip of a special item in the current language.
typedef std::string (*SpecialTitle)(ShortcutKind kind);

class ShortcutList {
public:
    static const int Capacity = 100;

    explicit ShortcutList(ShortcutListener* listener = nullptr) : m_listener(listener) {}
    ShortcutList(const ShortcutList&) = delete;
    ShortcutList& operator=(const ShortcutList&) = delete;

    // Imports the legacy file at legacyIniPath (when there is one), then reads the stored order.
    // An application name that appears twice is loaded once; a shortcut without an identifier of
    // its own, or with one another record has, is given a new one.
    void Load(const std::string& legacyIniPath, SpecialTitle titleOf);

    int Count() const { return static_cast<int>(m_items.size()); }
    bool IsFull() const { return Count() >= Capacity; }
    const ShortcutItem& At(int index) const { return m_items[static_cast<size_t>(index)]; }
    // The record of a 1-based item number, or null when there is none.
    const ShortcutItem* ByNumber(UINT_PTR number) const;
    // The 1-based number of the record showing iconId, or 0.
    int NumberOfIconId(UINT_PTR iconId) const;
    bool Contains(ShortcutKind kind) const;
    // Whether a record other than exceptIndex, or the stored shortcuts, use name (any letter case).
    bool IsNameTaken(const std::string& name, int exceptIndex = -1) const;

    // A special item at the end, stored at once; its index, or -1 when the list is full.
    int AppendSpecial(ShortcutKind kind, const std::string& title);
    // An empty application record at the end with a new identifier, not stored until it is saved;
    // its index, or -1 when the list is full or another record is pending.
    int AppendPending();
    int PendingIndex() const { return m_pendingIndex; }
    // Fills the pending record with values (its identifier stays); nothing is stored yet.
    void SetPendingValues(const ShortcutItem& values);
    // Drops the pending record; its identifier is not used again.
    void DropPending();

    enum class SaveResult { Saved, BadName, NameTaken, NoRecord };
    // Stores the application record at index with values (IconId is kept). A pending record is
    // added to the order and its icon appears; a renamed one leaves its old name nowhere behind.
    SaveResult SaveApplication(int index, const ShortcutItem& values);
    // Removes the record with its icon and, for an application, its stored section.
    void Remove(int index);
    // Puts the records in a new order: newOrder[place] is the index the record there came from.
    // Identifiers stay with their records: from the first place that changed, the icons are
    // removed and added again in the new order. False (nothing changed) when newOrder is not a
    // permutation of the records.
    bool Reorder(const std::vector<int>& newOrder);
    // Gives every special item the title of the current language.
    void Retitle(SpecialTitle titleOf);

private:
    void Append(const ShortcutItem& item, bool announce);
    bool IsIconIdUsed(int iconId) const;
    // The lowest free identifier of a special kind's range.
    int SpecialIconId(ShortcutKind kind) const;
    // An identifier no record has, from the stored counter, which moves on.
    int NewApplicationIconId();
    bool HasApplicationNamed(const std::string& name, int exceptIndex) const;
    // The only way the stored order is written: the records' tokens, then the tokens that were
    // kept though not loaded.
    std::string OrderOfRecords() const;

    std::vector<ShortcutItem> m_items;
    int m_pendingIndex = -1;
    // Stored order text that was not loaded, kept so that rewriting the order never drops a
    // shortcut: tokens of shortcuts without their marker, and everything from the first token past
    // a full list (or text after the last bar).
    std::string m_keptTokens;
    std::string m_unloadedTail;
    ShortcutListener* m_listener;
};
