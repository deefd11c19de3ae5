// Shell calls that may reach COM objects (namespace folders, verbs of many document types, the
// folder picker, the file dialogs) need the calling thread in an apartment-threaded COM
// apartment. The window thread joins one before its first such call and stays for the program's
// life; a start that only shows icons never loads COM.
#pragma once

void EnsureComApartment();
