// The CFileException cause that a storage error stands for, so that a
// failure of a compound file is reported like the failure of a plain file
// ("Access to ... was denied.", "... was not found.").
#pragma once

#include "platform/ole/HResult.h"

namespace platform {

// CFileException::genericException for errors without a file counterpart.
int FileExceptionCauseOf(HRESULT hr);

}  // namespace platform
