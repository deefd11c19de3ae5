// The Order page: every icon in its place, rearranged by dragging. Its apply moves the records
// through the shortcut list, which keeps each icon's identifier with its place.
#pragma once
#include "dialogs/ContextHelp.h"
#include "sheet/OrderListBox.h"
#include "sheet/SheetState.h"
#include <string>

class COrderPage : public CContextHelpPage {
public:
    explicit COrderPage(SheetState& state);

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnApply() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    const HelpTableEntry* GetHelpTable() const override;

private:
    void FillList();
    LRESULT SendToList(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The list's entry of the record at index, or -1.
    int EntryOfRecord(int index) const;
    void NoteOrderChange();

    SheetState& m_state;
    std::string m_separatorLabel;
    COrderListBox m_list;
};
