#include "dialogs/HelpTables.h"
#include "res/resource.h"

const HelpTableEntry AboutHelpTable[] = {
    {0, nullptr},
};

const HelpTableEntry FirstTimeHelpTable[] = {
    {IDC_FIRST_APP, "hlpFirstTimeApp"},
    {IDC_FIRST_DUN, "hlpFirstTimeDUN"},
    {IDC_FIRST_DESKACCESS, "hlpFirstTimeDeskAccess"},
    {IDC_FIRST_EXIT, "hlpFirstTimeExit"},
    {0, nullptr},
};

const HelpTableEntry RunArgumentsHelpTable[] = {
    {IDC_ARGUMENTS_EDIT, "hlpInputEdit"},
    {0, nullptr},
};

const HelpTableEntry MessageHelpTable[] = {
    {IDYES, "hlpYes"},
    {IDNO, "hlpNo"},
    {0, nullptr},
};

const HelpTableEntry MessageYesNoHelpTable[] = {
    {IDOK, "hlpYes"},      // the Yes button
    {IDCANCEL, "hlpNo"},   // the No button
    {IDYES, "hlpYes"},
    {IDNO, "hlpNo"},
    {0, nullptr},
};
