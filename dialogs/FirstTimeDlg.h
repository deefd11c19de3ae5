// Offered while the program has no icon at all: an application icon, a dial-up icon, a
// desktop-access icon, or quitting. It only returns the choice.
#pragma once
#include "dialogs/ContextHelp.h"

class CFirstTimeDlg : public CContextHelpDialog {
public:
    explicit CFirstTimeDlg(HWND parent);
    // The id of the chosen radio button (1032, 1033, 1036, 1034).
    int Choice = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    const HelpTableEntry* GetHelpTable() const override;
};
