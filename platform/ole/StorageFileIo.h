// The disk side of compound files: naming the file, reading it whole,
// checking that it may be written, and replacing its contents safely (a new
// file is written beside the old one and renamed over it, so a failure part
// way leaves the previous file as it was).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/ole/StorageTypes.h"

namespace platform {

// The Linux path (UTF-8) of a file named by a caller, resolved as CFile
// resolves paths (either separator, names matched without regard to case).
std::string StorageFilePath(LPCWSTR name);

// The absolute path of the file with links resolved, under which all opens
// of one file meet; `exists` tells whether the file is there. A file that
// does not exist yet is named in its folder's resolved path. Fails with
// STG_E_PATHNOTFOUND when the folder is missing and STG_E_ACCESSDENIED when
// the path names a folder.
HRESULT CanonicalStoragePath(const std::string& path, std::string& canonical, bool& exists);

// The contents of a regular file, or its first `limit` bytes.
HRESULT ReadFileBytes(const std::string& path, std::vector<BYTE>& bytes, size_t limit = SIZE_MAX);

// S_OK when the file (if it exists) and its folder may be written.
// STG_E_ACCESSDENIED otherwise: the permissions forbid it, the file system
// is read-only, or the file or folder carries no write permission at all,
// which is taken as read-only for every user, the super-user too (as a
// read-only file or folder binds every user on the system the callers come
// from).
HRESULT CheckWriteAccess(const std::string& path, bool exists);

// Replaces the file with `bytes`: writes a new file in the same folder, with
// the old file's permissions, and renames it over the old one. With `flush`
// the data reaches the disk before the rename. On failure the new file is
// removed and the old one is untouched.
HRESULT ReplaceFileContents(const std::string& path, std::span<const BYTE> bytes, bool flush);

// The storage error for a system error number.
HRESULT StorageErrorFromErrno(int error, bool writing);

}  // namespace platform
