#include "sheet/OrderPage.h"
#include "lang/Language.h"
#include "res/resource.h"
#include <vector>

namespace {
const HelpTableEntry OrderPageHelpTable[] = {
    {IDC_RPG_LIST, "hlpOrderList"},
    {0, nullptr},
};
}  // namespace

COrderPage::COrderPage(SheetState& state)
    : CContextHelpPage(IDD_ORDER_PAGE), m_state(state), m_separatorLabel(GetText("rpgSeparator")),
      m_list([this] { NoteOrderChange(); }) {
    SetCaption(GetText("rpgTitle"));
}

LRESULT COrderPage::SendToList(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(m_list.m_hWnd, message, wParam, lParam);
}

BOOL COrderPage::OnInitDialog() {
    CContextHelpPage::OnInitDialog();
    m_list.SubclassDlgItem(IDC_RPG_LIST, m_hWnd);
    FillList();
    LocaliseDialog(m_hWnd);
    return TRUE;
}

void COrderPage::FillList() {
    const ShortcutList& shortcuts = m_state.Shortcuts;
    for (int i = 0; i < shortcuts.Count(); ++i) {
        const ShortcutItem& item = shortcuts.At(i);
        const std::string& text = item.Kind() == ShortcutKind::Separator ? m_separatorLabel : item.Name;
        LRESULT entry = SendToList(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (entry >= 0) SendToList(LB_SETITEMDATA, static_cast<WPARAM>(entry), i);
    }
    SendToList(LB_SETCURSEL, static_cast<WPARAM>(m_state.SelectedIndex));  // -1: none
}

int COrderPage::EntryOfRecord(int index) const {
    const int count = static_cast<int>(SendToList(LB_GETCOUNT));
    for (int entry = 0; entry < count; ++entry)
        if (SendToList(LB_GETITEMDATA, static_cast<WPARAM>(entry)) == index) return entry;
    return -1;
}

bool COrderPage::OnSetActive() {
    const LRESULT selected = SendToList(LB_GETCURSEL);
    // A name typed on the Properties page shows in the shortcut's place before it is applied. The
    // entry is found by its record rather than its text, which a separator label could share.
    if (m_state.ListedName != m_state.EditedName && m_state.SelectedIndex >= 0) {
        const int entry = EntryOfRecord(m_state.SelectedIndex);
        if (entry >= 0) {
            const LRESULT data = SendToList(LB_GETITEMDATA, static_cast<WPARAM>(entry));
            SendToList(LB_DELETESTRING, static_cast<WPARAM>(entry));
            SendToList(LB_INSERTSTRING, static_cast<WPARAM>(entry),
                       reinterpret_cast<LPARAM>(m_state.EditedName.c_str()));
            SendToList(LB_SETITEMDATA, static_cast<WPARAM>(entry), data);
        }
    }
    SendToList(LB_SETCURSEL, static_cast<WPARAM>(selected));
    EnableWindow(m_list.m_hWnd, !m_state.IsLocked());
    return true;
}

void COrderPage::NoteOrderChange() {
    m_state.OrderChanged = true;
    SetModified(true);
}

bool COrderPage::OnCommand(UINT id, UINT code, HWND) {
    if (id != IDC_RPG_LIST) return false;
    if (code == LBN_SELCHANGE) NoteOrderChange();
    return true;
}

bool COrderPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return m_list.OnParentMessage(message, lParam, result) ||
           CContextHelpPage::OnMessage(message, wParam, lParam, result);
}

bool COrderPage::OnApply() {
    if (!m_state.OrderChanged) return true;
    const int count = static_cast<int>(SendToList(LB_GETCOUNT));
    std::vector<int> newOrder;
    for (int entry = 0; entry < count; ++entry)
        newOrder.push_back(static_cast<int>(SendToList(LB_GETITEMDATA, static_cast<WPARAM>(entry))));
    // The list writes Order only when its text changed and refreshes only the places whose
    // shortcut changed; the icon identifiers stay with their places.
    if (!m_state.Shortcuts.Reorder(newOrder)) return true;
    int selected = m_state.SelectedIndex;
    for (int place = 0; place < count; ++place) {
        if (newOrder[static_cast<size_t>(place)] == m_state.SelectedIndex) selected = place;
        SendToList(LB_SETITEMDATA, static_cast<WPARAM>(place), place);
    }
    m_state.SelectedIndex = selected;
    m_state.OrderChanged = false;
    return true;
}

const HelpTableEntry* COrderPage::GetHelpTable() const {
    return OrderPageHelpTable;
}
