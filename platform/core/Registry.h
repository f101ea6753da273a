// A small read-only registry: keys under the predefined roots, each with
// named values (REG_SZ texts and REG_DWORD numbers). A program opens a key
// and reads its values as on Windows; the values are the host's to set
// (platform::SetRegistryString, SetRegistryDword). Key paths and value names
// compare without regard to case; "\\" separates the parts of a path. An
// open for writing is refused: nothing in this process writes the registry.
#pragma once

#include "platform/core/WinTypes.h"

typedef LONG LSTATUS;
typedef HKEY* PHKEY;
typedef DWORD REGSAM;

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_EXECUTE 0x20019
#define KEY_ALL_ACCESS 0xF003F

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4

#ifndef ERROR_SUCCESS
#define ERROR_SUCCESS 0L
#endif
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_MORE_DATA 234L
#define ERROR_KEY_DELETED 1018L

// Opens `subKey` (null or empty: the key itself again) under a root or an
// open key; ERROR_FILE_NOT_FOUND when no such key exists, ERROR_ACCESS_DENIED
// when write access is asked.
LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result);
LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
// Reads a value (null or empty name: the key's default value). With `data`
// null the size is given; a buffer smaller than the value gives
// ERROR_MORE_DATA and the size needed. Texts are UTF-16 with their end zero
// in the W form, GBK in the A form.
LSTATUS RegQueryValueExW(HKEY key, LPCWSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LSTATUS RegCloseKey(HKEY key);
static inline LSTATUS RegOpenKeyEx(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result) {
  return RegOpenKeyExW(key, subKey, options, desired, result);
}
static inline LSTATUS RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result) {
  return RegOpenKeyExA(key, subKey, options, desired, result);
}
static inline LSTATUS RegQueryValueEx(HKEY key, LPCWSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size) {
  return RegQueryValueExW(key, name, reserved, type, data, size);
}
static inline LSTATUS RegQueryValueEx(HKEY key, LPCSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size) {
  return RegQueryValueExA(key, name, reserved, type, data, size);
}

namespace platform {

// The host's values: the key (with the keys above it) is made when missing.
void SetRegistryString(HKEY root, LPCWSTR keyPath, LPCWSTR name, LPCWSTR value);
void SetRegistryDword(HKEY root, LPCWSTR keyPath, LPCWSTR name, DWORD value);
// Removes every key and value (open keys then answer ERROR_KEY_DELETED).
void ClearRegistry();

}  // namespace platform
