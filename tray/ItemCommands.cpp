// Adding special icons, deleting an icon, closing the program, and the first-time flow.
#include "dialogs/FirstTimeDlg.h"
#include "dialogs/ShowMessage.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "store/Options.h"
#include "sheet/ShortcutSheet.h"
#include "tray/MainWnd.h"

bool CMainWnd::RunShortcutSheet(int selection) {
    if (selection < 1 && m_shortcuts.IsFull()) {
        ShowMessage("msgTableFull", MB_ICONEXCLAMATION);
        return false;
    }
    ModalScope modal;
    CShortcutSheet sheet(m_hWnd, selection, m_shortcuts);
    sheet.DoModal();
    return true;
}

void CMainWnd::NewShortcutFromPath(const std::string& path) {
    if (IsPasswordStored()) {
        ShowMessage("msgNewNotAllowed", MB_ICONSTOP);
        return;
    }
    if (TheApp()->ModalDepth != 0) {
        ShowMessage("msgDialogOpenForNew", MB_ICONSTOP);
        return;
    }
    WIN32_FIND_DATAA found;
    // A path longer than the sheet's fields hold is refused, never cut.
    HANDLE search = !path.empty() && path.size() < MAX_PATH ? FindFirstFileA(path.c_str(), &found)
                                                            : INVALID_HANDLE_VALUE;
    if (search == INVALID_HANDLE_VALUE) {
        ShowMessage("msgCannotFindNew", MB_ICONSTOP);
        return;
    }
    FindClose(search);
    if (m_shortcuts.IsFull()) {
        ShowMessage("msgTableFull", MB_ICONEXCLAMATION);
        return;
    }
    ModalScope modal;
    CShortcutSheet sheet(m_hWnd, -1, m_shortcuts);
    if (sheet.PrefillFromPath(path)) sheet.DoModal();
}

void CMainWnd::AddSpecialItem(ShortcutKind kind) {
    if (m_shortcuts.AppendSpecial(kind, SpecialItemTitle(kind)) < 0)
        ShowMessage("msgTableFull", MB_ICONEXCLAMATION);
}

void CMainWnd::DeleteContextItem() {
    if (ReadOption(Option::ConfirmDelete) != 0 && ShowMessage("msgConfirmDelete", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The question's modal loop may have let the list change; act only on an item that exists.
    if (ContextItem < 1 || ContextItem > m_shortcuts.Count()) return;
    m_shortcuts.Remove(ContextItem - 1);
    if (m_shortcuts.Count() == 0) RunFirstTimeFlow();
}

void CMainWnd::CloseProgram() {
    if (ReadOption(Option::ConfirmExit) != 0 && ShowMessage("msgConfirmExit", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
}

void CMainWnd::RunFirstTimeFlow() {
    ModalScope modal;  // until the chosen action has finished
    CFirstTimeDlg dialog(m_hWnd);
    const INT_PTR choice = dialog.DoModal();
    switch (choice) {
    case IDC_FIRST_DUN:
    case IDC_FIRST_DESKACCESS:
        // Locked changes are refused as the menu refuses them; without an icon the program ends.
        if (IsPasswordStored()) {
            ShowMessage("msgNewNotAllowed", MB_ICONSTOP);
            PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
            break;
        }
        AddSpecialItem(choice == IDC_FIRST_DUN ? ShortcutKind::DialUp : ShortcutKind::DeskAccess);
        break;
    case IDC_FIRST_APP:
        // A sheet that cannot be cancelled; closed without a shortcut, it ends the program too.
        RunShortcutSheet(0);
        if (m_shortcuts.Count() == 0) PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        break;
    default:
        PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        break;
    }
}
