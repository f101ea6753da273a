// Velmish's file-name rule for saving: a file name the user typed without an
// extension gets the one of the chosen file type.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// Gives `path` (GBK; "\" and "/" separate folders) the extension
// `extension` ("gdf", no dot) when its file name has none. A path that names
// no file (empty, or ending in a separator) first gets `defaultName`, when
// that is given and not empty. A file name that has an extension (a dot
// after its first character) keeps it. TRUE when the path changed.
BOOL EnsureFileExtension(CString& path, const char* defaultName, const char* extension);
