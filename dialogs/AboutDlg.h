// The About box: the program's version from its own version resource, the notice, the
// computer's physical memory and the free space of the current drive.
#pragma once
#include "dialogs/ContextHelp.h"

class CAboutDlg : public CContextHelpDialog {
public:
    explicit CAboutDlg(HWND parent);

protected:
    BOOL OnInitDialog() override;
    const HelpTableEntry* GetHelpTable() const override;

private:
    // While the box exists a right click on a tray icon only beeps.
};
