#include "store/Options.h"
#include "framework/WinApp.h"

const char* const OptionsSection = "Options";

bool IsPasswordStored() {
    return !TheApp()->GetProfileString(OptionsSection, "Security", "").empty();
}
