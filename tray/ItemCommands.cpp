// Adding special icons, deleting an icon, closing the program, and the first-time flow.
#include "dialogs/FirstTimeDlg.h"
#include "dialogs/ShowMessage.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "store/Options.h"
#include "tray/MainWnd.h"

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
    switch (dialog.DoModal()) {
    case IDC_FIRST_DUN:
        AddSpecialItem(ShortcutKind::DialUp);
        break;
    case IDC_FIRST_DESKACCESS:
        AddSpecialItem(ShortcutKind::DeskAccess);
        break;
    default:
        // The application icon needs the property sheet, which the program does not have
        // yet; ending is what a cancelled sheet would do.
        PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        break;
    }
}
