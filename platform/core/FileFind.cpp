#include "platform/core/FileFind.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/core/Charset.h"
#include "platform/core/FileAttributes.h"
#include "platform/core/PathResolve.h"

namespace {

struct FoundFile {
  std::string name;  // UTF-8
  std::u16string folded;
  DWORD attributes = 0;
  unsigned long long size = 0;
  FILETIME written{};
};

// What a find handle lists.
struct FindState {
  std::vector<FoundFile> files;
  size_t next = 0;
  bool wide = false;
};

std::mutex& HandlesMutex() {
  static std::mutex m;
  return m;
}

std::unordered_set<FindState*>& Handles() {
  static std::unordered_set<FindState*> handles;
  return handles;
}

// Seconds since 1970 as 100-nanosecond intervals since 1601.
FILETIME ToFileTime(const struct timespec& t) {
  const unsigned long long kEpochDifference = 11644473600ULL;
  unsigned long long v = (static_cast<unsigned long long>(t.tv_sec) + kEpochDifference) * 10000000ULL +
                         static_cast<unsigned long long>(t.tv_nsec) / 100;
  return {static_cast<DWORD>(v & 0xFFFFFFFFu), static_cast<DWORD>(v >> 32)};
}

bool Matches(const std::u16string& p, size_t pi, const std::u16string& n, size_t ni) {
  // Iterative match with backtracking to the last '*'.
  size_t starP = std::u16string::npos, starN = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == u'?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == u'*') {
      starP = pi++;
      starN = ni;
    } else if (starP != std::u16string::npos) {
      pi = starP + 1;
      ni = ++starN;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == u'*') ++pi;
  return pi == p.size();
}

HANDLE FindFirst(const std::string& utf8Pattern, bool wide, FindState*& state) {
  size_t cut = utf8Pattern.find_last_of("\\/");
  std::string folder = cut == std::string::npos ? std::string() : utf8Pattern.substr(0, cut + 1);
  std::string pattern = cut == std::string::npos ? utf8Pattern : utf8Pattern.substr(cut + 1);
  if (pattern.empty()) return INVALID_HANDLE_VALUE;
  std::string dir = folder.empty() ? std::string(".") : platform::ResolveUtf8Path(folder);
  if (dir.empty()) dir = "/";
  std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.c_str()), ::closedir);
  if (!d) return INVALID_HANDLE_VALUE;
  auto found = std::make_unique<FindState>();
  found->wide = wide;
  while (dirent* e = ::readdir(d.get())) {
    std::string name(e->d_name);
    if (!platform::FileNameMatches(pattern, name)) continue;
    struct stat st;
    std::string full = dir.back() == '/' ? dir + name : dir + "/" + name;
    if (::stat(full.c_str(), &st) != 0) continue;  // a dangling link
    FoundFile f;
    f.name = name;
    f.folded = platform::FoldFileName(name);
    f.attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!S_ISDIR(st.st_mode) && !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) {
      f.attributes |= FILE_ATTRIBUTE_READONLY;
    }
    f.size = S_ISDIR(st.st_mode) ? 0 : static_cast<unsigned long long>(st.st_size);
    f.written = ToFileTime(st.st_mtim);
    found->files.push_back(std::move(f));
  }
  if (found->files.empty()) return INVALID_HANDLE_VALUE;
  std::sort(found->files.begin(), found->files.end(), [](const FoundFile& a, const FoundFile& b) {
    return a.folded != b.folded ? a.folded < b.folded : a.name < b.name;
  });
  state = found.get();
  std::lock_guard<std::mutex> lock(HandlesMutex());
  Handles().insert(found.get());
  return found.release();
}

template <typename Data>
void FillCommon(const FoundFile& f, Data* data) {
  data->dwFileAttributes = f.attributes;
  data->ftCreationTime = f.written;
  data->ftLastAccessTime = f.written;
  data->ftLastWriteTime = f.written;
  data->nFileSizeHigh = static_cast<DWORD>(f.size >> 32);
  data->nFileSizeLow = static_cast<DWORD>(f.size & 0xFFFFFFFFu);
  data->dwReserved0 = 0;
  data->dwReserved1 = 0;
}

void Fill(const FoundFile& f, WIN32_FIND_DATAA* data) {
  std::memset(data, 0, sizeof *data);
  FillCommon(f, data);
  std::string gbk = platform::Utf8ToGbk(f.name);
  std::memcpy(data->cFileName, gbk.data(), std::min(gbk.size(), sizeof data->cFileName - 1));
}

void Fill(const FoundFile& f, WIN32_FIND_DATAW* data) {
  std::memset(data, 0, sizeof *data);
  FillCommon(f, data);
  std::u16string w = platform::Utf8ToUtf16(f.name);
  std::copy_n(w.data(), std::min<size_t>(w.size(), MAX_PATH - 1), data->cFileName);
}

// The open handle of the given kind, or null.
FindState* Lookup(HANDLE find, bool wide) {
  auto* state = static_cast<FindState*>(find);
  std::lock_guard<std::mutex> lock(HandlesMutex());
  if (!Handles().count(state) || state->wide != wide) return nullptr;
  return state;
}

template <typename Data>
BOOL Next(HANDLE find, Data* data, bool wide) {
  FindState* state = Lookup(find, wide);
  if (!state || !data || state->next >= state->files.size()) return FALSE;
  Fill(state->files[state->next++], data);
  return TRUE;
}

}  // namespace

namespace platform {

bool FileNameMatches(std::string_view utf8Pattern, std::string_view utf8Name) {
  std::u16string p = FoldFileName(utf8Pattern);
  if (p == u"*.*") p = u"*";
  return Matches(p, 0, FoldFileName(utf8Name), 0);
}

}  // namespace platform

HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) {
  if (!pattern || !data) return INVALID_HANDLE_VALUE;
  FindState* state = nullptr;
  HANDLE h = FindFirst(platform::GbkToUtf8(pattern), false, state);
  if (h != INVALID_HANDLE_VALUE) Fill(state->files[state->next++], data);
  return h;
}

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data) {
  if (!pattern || !data) return INVALID_HANDLE_VALUE;
  FindState* state = nullptr;
  HANDLE h = FindFirst(platform::Utf16ToUtf8(pattern), true, state);
  if (h != INVALID_HANDLE_VALUE) Fill(state->files[state->next++], data);
  return h;
}

BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data) { return Next(find, data, false); }

BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data) { return Next(find, data, true); }

BOOL FindClose(HANDLE find) {
  auto* state = static_cast<FindState*>(find);
  {
    std::lock_guard<std::mutex> lock(HandlesMutex());
    if (!Handles().erase(state)) return FALSE;
  }
  delete state;
  return TRUE;
}
