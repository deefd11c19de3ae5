// The Options page: click style, click sound, language, the password lock, the Explorer verb
// and the two confirmations.
#pragma once
#include "dialogs/ContextHelp.h"
#include "sheet/SheetState.h"

class COptionsPage : public CContextHelpPage {
public:
    explicit COptionsPage(SheetState& state);

protected:
    BOOL OnInitDialog() override;
    const HelpTableEntry* GetHelpTable() const override;

private:
    SheetState& m_state;
};
