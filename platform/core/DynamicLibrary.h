// Dynamic libraries by file name, over dlopen. A Windows library name maps to
// the project's built library of that name: "Korrin.dll" (any case, with or
// without a path or the extension) is lib<Korrin>.so, looked for without
// regard to case in
//   1. the folder the host set with SetLibraryFolder,
//   2. the running program's folder and its ../lib (CMake puts programs in
//      bin/ and shared libraries in lib/),
//   3. the folder of the platform library itself.
// A name that is a path to an existing file is loaded as it is. A module that
// is already registered under the name (a library the program links, or one
// loaded before) is not loaded again: it gets another reference.
//
// Reference counting is Win32's: each LoadLibrary needs a FreeLibrary, and
// the last one unloads the library. The handle is the module's HINSTANCE
// (Module.h): GetModuleHandle gives the same one.
#pragma once

#include <filesystem>

#include "platform/core/WinTypes.h"

namespace platform {

// The folder searched first; an empty path forgets it.
void SetLibraryFolder(const std::filesystem::path& folder);
std::filesystem::path LibraryFolder();

// The file that LoadLibrary would load for `name`, or an empty path.
std::filesystem::path ResolveLibraryFile(std::u16string_view name);

}  // namespace platform

HMODULE LoadLibraryA(LPCSTR fileName);
HMODULE LoadLibraryW(LPCWSTR fileName);
// False for a handle that is not a loaded module.
BOOL FreeLibrary(HMODULE module);
// An exported function or variable of the module by name; null when there is
// none (and for an ordinal, which shared objects do not have).
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);

#if defined(UNICODE) || defined(_UNICODE)
#define LoadLibrary LoadLibraryW
#else
#define LoadLibrary LoadLibraryA
#endif
