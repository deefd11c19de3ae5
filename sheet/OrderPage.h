// The Order page: every icon in its place, rearranged by dragging.
#pragma once
#include "dialogs/ContextHelp.h"
#include "sheet/SheetState.h"

class COrderPage : public CContextHelpPage {
public:
    explicit COrderPage(SheetState& state);

protected:
    BOOL OnInitDialog() override;
    const HelpTableEntry* GetHelpTable() const override;

private:
    SheetState& m_state;
};
