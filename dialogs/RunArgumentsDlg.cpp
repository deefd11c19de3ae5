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
    Text = WindowText(edit);
    return true;
}

const HelpTableEntry* CRunArgumentsDlg::GetHelpTable() const {
    return RunArgumentsHelpTable;
}
