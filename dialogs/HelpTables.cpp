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

const HelpTableEntry ChangeIconHelpTable[] = {
    {1022, "hlpIconFileName"},  // file name edit
    {1027, "hlpIconList"},      // icon list
    {1020, "hlpIconBrowse"},    // Browse button
    {0, nullptr},
};

const HelpTableEntry SecurityHelpTable[] = {
    {1054, "hlpSecPassword"},         // password edit
    {1056, "hlpSecOldPassword"},      // old password edit
    {1055, "hlpSecConfirmPassword"},  // confirmation edit
    {1064, "hlpSecRelock"},           // relock check box
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

const HelpTableEntry ShortcutPageHelpTable[] = {
    {106, "hlpPpgShortcutName"},   // name edit
    {107, "hlpPpgProgramPath"},    // program path edit
    {119, "hlpPpgBrowsePgm"},      // Browse for the program
    {108, "hlpPpgStartupPath"},    // working folder edit
    {120, "hlpPpgBrowseStartup"},  // Browse for the folder
    {110, "hlpPpgArgs"},           // arguments edit
    {111, "hlpPpgPrompt"},         // ask-for-arguments check box
    {1026, "hlpPpgRun"},           // window style list
    {121, "hlpPpgBrowseIcon"},     // Change Icon button
    {0, nullptr},
};

const HelpTableEntry OrderPageHelpTable[] = {
    {1008, "hlpOrderList"},  // drag list
    {0, nullptr},
};

const HelpTableEntry OptionsPageHelpTable[] = {
    {1037, "hlpOptWaveFile"},       // sound list
    {1041, "hlpOptWaveBrowse"},     // Browse for a sound
    {1036, "hlpOptWavePlay"},       // Play button
    {1056, "hlpOptClickCombo"},     // single or double click
    {1059, "hlpAdvQuickNew"},       // Explorer verb check box
    {1061, "hlpAdvExitConfirm"},    // confirm exit check box
    {1060, "hlpAdvDeleteConfirm"},  // confirm delete check box
    {1051, "hlpAdvSecurityState"},  // lock or unlock button
    {1052, "hlpAdvPassword"},       // change password button
    {1057, "hlpAdvLanguage"},       // language list
    {0, nullptr},
};
