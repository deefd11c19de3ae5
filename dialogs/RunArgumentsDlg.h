// Asks for the command-line arguments of one launch; it opens empty every time.
#pragma once
#include "dialogs/ContextHelp.h"
#include <string>

class CRunArgumentsDlg : public CContextHelpDialog {
public:
    explicit CRunArgumentsDlg(HWND parent);
    // The arguments as typed, whole (the field takes what a launch accepts).
    std::string Text;

protected:
    BOOL OnInitDialog() override;
    bool DoDataExchange(bool save) override;
    const HelpTableEntry* GetHelpTable() const override;
};
