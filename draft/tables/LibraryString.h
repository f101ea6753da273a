// The string operation the library exports for the host: a string resource
// of this library by its id.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// Loads the string resource `id` of this library into `text`; id 0, or an
// id the library has no string for, empties it.
void LoadScrivelString(UINT id, CStringA& text);
