// Tressil's program folder: the folder of the application's file, where the
// table dialogs keep their scratch files ("qxwtmp.dbf", "temp.tyb",
// "bom.dat"). A host (a test, the example host) may name another folder, as
// it names the profile, so that runs side by side each keep their own.
#pragma once

#include "platform/core/String.h"

// The folder in use, with a trailing separator.
CStringA GetProgramFolder();
// Makes `folder` (GBK) the program folder; null or empty: the folder of the
// application's module file again.
void SetProgramFolder(const char* folder);
