// The help tables of the program's dialogs and pages, one per class; each class returns
// its own from GetHelpTable.
#pragma once
#include "dialogs/ContextHelp.h"

extern const HelpTableEntry AboutHelpTable[];  // empty: only DefaultHelpTable applies
extern const HelpTableEntry FirstTimeHelpTable[];
extern const HelpTableEntry RunArgumentsHelpTable[];
extern const HelpTableEntry MessageHelpTable[];
// The message box with Yes and No: its buttons keep ids 1 and 2 but say Yes and No.
extern const HelpTableEntry MessageYesNoHelpTable[];
