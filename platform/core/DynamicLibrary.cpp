#include "platform/core/DynamicLibrary.h"

#include <dlfcn.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/Charset.h"
#include "platform/core/Module.h"

namespace platform {
namespace {

// Serialises loading and unloading, as the system loader does. Recursive: a
// library's static constructors and destructors may load or free others.
std::recursive_mutex& LoaderLock() {
  static std::recursive_mutex* lock = new std::recursive_mutex;
  return *lock;
}

std::mutex& FolderLock() {
  static std::mutex* lock = new std::mutex;
  return *lock;
}

std::filesystem::path& HostFolder() {
  static std::filesystem::path* folder = new std::filesystem::path;
  return *folder;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

bool EndsWithNoCase(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && EqualNoCase(s.substr(s.size() - suffix.size()), suffix);
}

// The shared object's file name for the last component of a Windows name:
// "Korrin.DLL", "Korrin" -> "libKorrin.so"; "Korrin." -> "libKorrin.so";
// "libKorrin.so" stays.
std::string SharedObjectName(std::string base) {
  if (EndsWithNoCase(base, ".dll"))
    base.resize(base.size() - 4);
  else if (!base.empty() && base.back() == '.')
    base.pop_back();
  if (base.empty()) return {};
  if (base.size() > 6 && base.compare(0, 3, "lib") == 0 && base.compare(base.size() - 3, 3, ".so") == 0) return base;
  return "lib" + base + ".so";
}

std::vector<std::filesystem::path> SearchFolders() {
  std::vector<std::filesystem::path> folders;
  {
    std::lock_guard<std::mutex> lock(FolderLock());
    if (!HostFolder().empty()) folders.push_back(HostFolder());
  }
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    folders.push_back(exe.parent_path());
    folders.push_back(exe.parent_path().parent_path() / "lib");
  }
  Dl_info info;
  if (dladdr(reinterpret_cast<const void*>(&SearchFolders), &info) && info.dli_fname && info.dli_fname[0])
    folders.push_back(std::filesystem::path(info.dli_fname).parent_path());
  return folders;
}

std::filesystem::path FindInFolder(const std::filesystem::path& folder, const std::string& fileName) {
  std::error_code ec;
  std::filesystem::path exact = folder / fileName;
  if (std::filesystem::is_regular_file(exact, ec)) return exact;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (EqualNoCase(it->path().filename().string(), fileName) && it->is_regular_file(ec)) return it->path();
  }
  return {};
}

}  // namespace

void SetLibraryFolder(const std::filesystem::path& folder) {
  std::lock_guard<std::mutex> lock(FolderLock());
  HostFolder() = folder;
}

std::filesystem::path LibraryFolder() {
  std::lock_guard<std::mutex> lock(FolderLock());
  return HostFolder();
}

std::filesystem::path ResolveLibraryFile(std::u16string_view name) {
  std::string utf8 = Utf16ToUtf8(name);
  if (utf8.empty()) return {};
  std::error_code ec;
  if (utf8.find('/') != std::string::npos && std::filesystem::is_regular_file(utf8, ec)) return utf8;
  size_t slash = utf8.find_last_of("/\\");
  std::string fileName = SharedObjectName(slash == std::string::npos ? utf8 : utf8.substr(slash + 1));
  if (fileName.empty()) return {};
  for (const std::filesystem::path& folder : SearchFolders()) {
    std::filesystem::path found = FindInFolder(folder, fileName);
    if (!found.empty()) return found;
  }
  return {};
}

}  // namespace platform

HMODULE LoadLibraryW(LPCWSTR fileName) {
  if (!fileName || !fileName[0]) return nullptr;
  std::u16string name(fileName);
  std::lock_guard<std::recursive_mutex> lock(platform::LoaderLock());
  if (HMODULE loaded = platform::loader::AddReferenceByName(name)) return loaded;
  std::filesystem::path file = platform::ResolveLibraryFile(name);
  if (file.empty()) return nullptr;
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    // The file is there but cannot be loaded (a missing symbol or library):
    // worth telling whoever reads the log.
    const char* why = dlerror();
    std::fprintf(stderr, "LoadLibrary(%s): %s\n", platform::Utf16ToUtf8(name).c_str(), why ? why : "failed");
    return nullptr;
  }
  void* surplus = nullptr;
  HMODULE module = platform::loader::AttachLoaded(handle, name, &surplus);
  if (surplus) dlclose(surplus);
  return module;
}

HMODULE LoadLibraryA(LPCSTR fileName) {
  if (!fileName) return nullptr;
  std::u16string name = platform::GbkToUtf16(fileName);
  return LoadLibraryW(name.c_str());
}

BOOL FreeLibrary(HMODULE module) {
  std::lock_guard<std::recursive_mutex> lock(platform::LoaderLock());
  void* handle = nullptr;
  switch (platform::loader::DropReference(module, &handle)) {
    case platform::loader::Release::NotAModule:
      return FALSE;
    case platform::loader::Release::StillLoaded:
      return TRUE;
    case platform::loader::Release::Unloaded:
      if (handle) dlclose(handle);
      return TRUE;
  }
  return FALSE;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
  if (!procName || IS_INTRESOURCE(procName)) return nullptr;
  std::lock_guard<std::recursive_mutex> lock(platform::LoaderLock());
  void* handle = platform::loader::OpenSymbolHandle(module);
  if (!handle) return nullptr;
  void* symbol = dlsym(handle, procName);
  dlclose(handle);
  return reinterpret_cast<FARPROC>(symbol);
}
