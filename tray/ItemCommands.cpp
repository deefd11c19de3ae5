// Adding special icons, deleting an icon, closing the program, and the first-time flow.
#include "app/TrayApp.h"
#include "dialogs/FirstTimeDlg.h"
#include "lang/Language.h"
#include "lang/ShowMessage.h"
#include "res/resource.h"
#include "store/Options.h"
#include "store/ShortcutStore.h"
#include "tray/MainWnd.h"
#include "tray/TrayIcons.h"

void CMainWnd::AddSpecialItem(ShortcutKind kind) {
    if (ShortcutTable.IsFull()) {
        ShowMessage("msgTableFull", MB_ICONEXCLAMATION);
        return;
    }
    ShortcutItem& item = ShortcutTable.Items[ShortcutTable.Count++];
    item = ShortcutItem();
    item.Path = KindWord(kind);
    item.IconId = IconIdCounter++;
    item.Name = GetText(TipKey(kind).c_str());
    AddTrayIcon(item);
    AppendOrderToken(item.Path);
}

void CMainWnd::DeleteContextItem() {
    if (App().GetProfileInt(OptionsSection, "ConfirmDelete", 1) != 0 &&
        ShowMessage("msgConfirmDelete", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The question's modal loop may have let the list change; act only on an item that exists.
    int index = ContextItem - 1;
    if (index < 0 || index >= ShortcutTable.Count) return;

    ShortcutItem removed = ShortcutTable.Items[index];
    --ShortcutTable.Count;
    DeleteTrayIcon(removed.IconId);
    if (removed.Kind() == ShortcutKind::Application) DeleteApplicationData(removed.Name);
    // Later records move down with their own icon identifiers, so their icons stay as they are.
    for (int i = index; i < ShortcutTable.Count; ++i) ShortcutTable.Items[i] = ShortcutTable.Items[i + 1];
    ShortcutTable.Items[ShortcutTable.Count] = ShortcutItem();
    RewriteOrder();
    if (ShortcutTable.Count == 0) RunFirstTimeFlow();
}

void CMainWnd::CloseProgram() {
    if (App().GetProfileInt(OptionsSection, "ConfirmExit", 1) != 0 &&
        ShowMessage("msgConfirmExit", MB_YESNO | MB_ICONQUESTION) != IDYES)
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
