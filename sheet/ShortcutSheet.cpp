#include "sheet/ShortcutSheet.h"
#include "dialogs/FileVersionInfo.h"
#include "dialogs/SecurityDlg.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "store/Options.h"

namespace {
const int SheetHelpButton = 9;  // the sheet's own Help button
}

CShortcutSheet::CShortcutSheet(HWND parent, ShortcutList& shortcuts, int index)
    : CShortcutSheet(parent, shortcuts, index, true) {}

CShortcutSheet::CShortcutSheet(HWND parent, ShortcutList& shortcuts, NewShortcut which)
    : CShortcutSheet(parent, shortcuts, -1, which != NewShortcut::First) {}

CShortcutSheet::CShortcutSheet(HWND parent, ShortcutList& shortcuts, int index, bool mayCancel)
    : CContextHelpSheet("", parent), m_state(shortcuts, index, mayCancel), m_shortcutPage(m_state),
      m_orderPage(m_state), m_optionsPage(m_state) {
    m_state.ActivePassword = ReadOption(Option::Security);
    const bool existing = index >= 0 && index < shortcuts.Count();
    if (!existing || shortcuts.At(index).Kind() == ShortcutKind::Application) AddPage(&m_shortcutPage);
    if (existing) AddPage(&m_orderPage);
    AddPage(&m_optionsPage);
}

CShortcutSheet::~CShortcutSheet() {
    // A record that was never stored goes with the sheet, whatever closed it.
    if (m_state.NewItemPending()) m_state.Shortcuts.DropPending();
}

bool CShortcutSheet::PrefillFromPath(const std::string& path, bool isFolder) {
    int index = m_state.Shortcuts.AppendPending();
    if (index < 0) return false;
    ShortcutItem values;
    values.Name = isFolder ? NameForFolder(path) : NameForProgram(path);
    values.Path = path;
    values.Startup = isFolder ? std::string() : FolderForProgram(path);
    values.IconPath = path + ",0";
    m_state.Shortcuts.SetPendingValues(values);
    m_state.SelectedIndex = index;
    return true;
}

INT_PTR CShortcutSheet::DoModal() {
    if (m_state.IsLocked()) {
        // Unlocking lasts for this opening of the sheet; the pages open editable.
        CSecurityDlg unlock(ParentWindow(), m_state.ActivePassword, false);
        if (unlock.DoModal() != IDOK) return 0;
    }
    const WORD language = CurrentLanguage();
    INT_PTR result = CContextHelpSheet::DoModal();
    if (CurrentLanguage() != language) ReloadLanguage(CurrentLanguage());
    return result;
}

void CShortcutSheet::CreateNewRecord() {
    m_state.SelectedIndex = m_state.Shortcuts.AppendPending();
    m_shortcutPage.LoadRecord();
    EnableWindow(GetDlgItem(m_hWnd, IDOK), FALSE);
    SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_shortcutPage.m_hWnd, IDC_PPG_NAME)),
                 TRUE);
}

BOOL CShortcutSheet::OnInitDialog() {
    CContextHelpSheet::OnInitDialog();
    MoveToScreenCorner(m_hWnd);
    SetForegroundWindow(m_hWnd);
    // Every page is made once, last to first, so that all of them load, apply and cancel.
    for (int page = GetPageCount() - 1; page >= 0; --page) SetActivePage(page);
    if (!m_state.MayCancel) EnableWindow(GetDlgItem(m_hWnd, IDCANCEL), FALSE);
    if (m_state.SelectedIndex < 0) {
        CreateNewRecord();
    } else if (m_shortcutPage.m_hWnd) {
        m_shortcutPage.LoadRecord();
        m_orderPage.SetModified(false);
        SendMessageA(m_hWnd, WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(GetDlgItem(m_shortcutPage.m_hWnd, IDC_PPG_NAME)), TRUE);
    }
    SetDlgItemTextA(m_hWnd, IDOK, GetText("btnOK").c_str());
    SetDlgItemTextA(m_hWnd, IDCANCEL, GetText("btnCancel").c_str());
    SetDlgItemTextA(m_hWnd, ID_APPLY_NOW, GetText("btnApply").c_str());
    SetDlgItemTextA(m_hWnd, SheetHelpButton, GetText("btnHelp").c_str());
    SetWindowTextA(m_hWnd, FormatText("psNormalTitle").c_str());
    return TRUE;
}
