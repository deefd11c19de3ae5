// Reading the "Options" values where they are needed, so changes apply without a restart.
#pragma once
#include <string>

extern const char* const OptionsSection;

// A password locks changes while Options\Security holds one.
bool IsPasswordStored();
