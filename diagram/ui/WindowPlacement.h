// A frame's placement kept in the application profile under a section, key
// "WindowPos": the placement's flags, show command, minimised and maximised
// positions and normal rectangle, ten numbers separated by commas.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/ui/WinUser.h"

// Fills `placement` from the stored text; FALSE (and the record untouched)
// when there is no text or it does not hold exactly ten numbers.
BOOL ReadWindowPlacement(WINDOWPLACEMENT* placement, LPCWSTR section);
void WriteWindowPlacement(WINDOWPLACEMENT* placement, LPCWSTR section);
