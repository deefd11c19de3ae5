#include "dialogs/RunArgumentsDlg.h"
#include "dialogs/HelpTables.h"
#include "store/ShortcutItem.h"
#include "lang/Language.h"
#include "res/resource.h"
#include <vector>

CRunArgumentsDlg::CRunArgumentsDlg(HWND parent) : CContextHelpDialog(IDD_RUN_ARGUMENTS, parent) {}

BOOL CRunArgumentsDlg::OnInitDialog() {
    SendDlgItemMessageA(m_hWnd, IDC_ARGUMENTS_EDIT, EM_LIMITTEXT, MaxArgumentsChars, 0);
    CContextHelpDialog::OnInitDialog();
    CenterWindow();
    LocaliseDialog(m_hWnd);
    return TRUE;
}

bool CRunArgumentsDlg::DoDataExchange(bool save) {
    HWND edit = GetDlgItem(m_hWnd, IDC_ARGUMENTS_EDIT);
    if (!save) return SetWindowTextA(edit, Text.c_str()) != 0;
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
    Text = text.data();
    return true;
}

const HelpTableEntry* CRunArgumentsDlg::GetHelpTable() const {
    return RunArgumentsHelpTable;
}
