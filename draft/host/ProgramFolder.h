// Tressil's program folder: the folder of the application's file, where the
// table dialogs keep their scratch files ("qxwtmp.dbf", "temp.tyb",
// "bom.dat").
#pragma once

#include "platform/core/String.h"

// The folder of the application's module file, with a trailing separator.
CStringA GetProgramFolder();
