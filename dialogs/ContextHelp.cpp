#include "dialogs/ContextHelp.h"
#include "dialogs/HelpPopup.h"
#include "framework/Display.h"
#include "res/resource.h"

const HelpTableEntry DefaultHelpTable[] = {
    {IDOK, "hlpOK"},
    {IDCANCEL, "hlpCancel"},
    {IDHELP, "hlpHelp"},        // the property sheet's own Help button
    {ID_HELP, "hlpHelp"},       // the Help button of the dialog templates
    {ID_APPLY_NOW, "hlpApply"},
    {0, nullptr},
};

namespace {
const char* FindInTable(const HelpTableEntry* table, UINT controlId) {
    for (const HelpTableEntry* row = table; row && row->id != 0; ++row)
        if (row->id == controlId) return row->key;
    return nullptr;
}

// WM_HELP and WM_CONTEXTMENU of a dialog or page; false for other messages.
bool AnswerHelpRequest(HWND self, UINT message, WPARAM wParam, LPARAM lParam, const HelpTableEntry* table,
                       CHelpTip& tip) {
    if (message == WM_HELP) {
        const HELPINFO* info = reinterpret_cast<const HELPINFO*>(lParam);
        // F1 in an open menu names a menu, not a window: there is no control to explain.
        if (info && info->iContextType == HELPINFO_WINDOW)
            ShowContextHelp(static_cast<HWND>(info->hItemHandle), false, table, tip);
        return true;
    }
    if (message == WM_CONTEXTMENU) {
        HWND clicked = reinterpret_cast<HWND>(wParam);
        // A click on the window's own background concerns no control.
        if (clicked != self) ShowContextHelp(clicked, true, table, tip);
        return true;
    }
    return false;
}
}  // namespace

const char* FindHelpKey(const HelpTableEntry* table, UINT controlId) {
    if (const char* key = FindInTable(table, controlId)) return key;
    if (const char* key = FindInTable(DefaultHelpTable, controlId)) return key;
    return "hlpUnknown";
}

void MoveToScreenCorner(HWND window) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return;
    const SIZE size = {rect.right - rect.left, rect.bottom - rect.top};
    const RECT placed = CornerNearNotificationArea(size, ScaleForDpi(50, WindowDpi(window)));
    MoveWindow(window, placed.left, placed.top, size.cx, size.cy, TRUE);
}

BOOL CContextHelpDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) | WS_EX_CONTEXTHELP);
    // The caption buttons are laid out again only when the frame is recalculated.
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

bool CContextHelpDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (AnswerHelpRequest(m_hWnd, message, wParam, lParam, GetHelpTable(), m_tip)) {
        result = 0;
        return true;
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
}

bool CContextHelpPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (AnswerHelpRequest(m_hWnd, message, wParam, lParam, GetHelpTable(), m_tip)) {
        result = 0;
        return true;
    }
    return CPropertyPage::OnMessage(message, wParam, lParam, result);
}

void CContextHelpSheet::OnPreCreate(DLGTEMPLATE* sheetTemplate) {
    // The sheet window is taken over only after it exists, so the style goes into its template.
    AddTemplateExStyle(sheetTemplate, WS_EX_CONTEXTHELP);
}

bool CContextHelpSheet::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_HELP || message == WM_CONTEXTMENU) {
        // A page that passes the request on hands it back to its parent, this sheet.
        CPropertyPage* page = GetActivePage();
        if (page && !m_forwarding) {
            m_forwarding = true;
            SendMessageA(page->m_hWnd, message, wParam, lParam);
            m_forwarding = false;
        }
        result = 0;
        return true;
    }
    return CPropertySheet::OnMessage(message, wParam, lParam, result);
}
