// Asks for the command-line arguments of one launch; it opens empty every time.
#pragma once
#include "dialogs/ContextHelp.h"
#include <string>

class CRunArgumentsDlg : public CContextHelpDialog {
public:
    explicit CRunArgumentsDlg(HWND parent);
    // The arguments as typed (at most 255 characters: what a launch accepts).
    std::string Text;
    static const int MaxLength = 255;

protected:
    BOOL OnInitDialog() override;
    bool DoDataExchange(bool save) override;
    const HelpTableEntry* GetHelpTable() const override;
};
