#include "dialogs/DialogOpen.h"

bool DialogOpenFlag = false;
