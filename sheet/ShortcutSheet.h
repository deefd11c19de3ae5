// The settings sheet: a shortcut's properties, the order of the icons and the options, with the
// pages that fit what it was opened for. Changes are stored by the pages' apply.
#pragma once
#include "dialogs/ContextHelp.h"
#include "dialogs/DialogOpen.h"
#include "sheet/OptionsPage.h"
#include "sheet/OrderPage.h"
#include "sheet/ShortcutPage.h"
#include "sheet/SheetState.h"
#include <string>

class CShortcutSheet : public CContextHelpSheet {
public:
    // selection: the 1-based number of an existing shortcut, -1 for a new shortcut, 0 for a new
    // shortcut whose sheet cannot be cancelled. The list must have room for a new one.
    CShortcutSheet(HWND parent, int selection, ShortcutList& shortcuts);
    ~CShortcutSheet() override;

    // IDOK or IDCANCEL as the sheet was closed, or 0 when changes are locked and not unlocked.
    INT_PTR DoModal() override;
    // A new record filled from an existing file's path, made the one the sheet edits.
    bool PrefillFromPath(const std::string& path);

protected:
    BOOL OnInitDialog() override;

private:
    void CreateNewRecord();

    DialogOpenScope m_dialogOpen;
    SheetState m_state;
    CShortcutPage m_shortcutPage;
    COrderPage m_orderPage;
    COptionsPage m_optionsPage;
};
