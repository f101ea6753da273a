#include "platform/core/Module.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <mutex>
#include <system_error>
#include <vector>

#include "platform/core/Charset.h"

namespace platform {
namespace {

struct ModuleRecord {
  std::u16string name;
  std::filesystem::path file;
  std::shared_ptr<const ResourceSet> resources;
  const void* linkMap = nullptr;  // the shared object the module lives in
  void* dlHandle = nullptr;       // held while LoadLibrary references exist
  int loadCount = 0;              // LoadLibrary references
  int registrations = 0;          // ModuleRegistration objects
  bool application = false;
};

std::filesystem::path ExecutablePath() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe;
}

std::filesystem::path FileOf(const link_map* map) {
  if (!map->l_name || !map->l_name[0]) return ExecutablePath();  // the main program has no name here
  std::error_code ec;
  std::filesystem::path file = std::filesystem::weakly_canonical(map->l_name, ec);
  return ec ? std::filesystem::path(map->l_name) : file;
}

// The shared object that holds `address` (null when none does) and its file.
const void* LinkMapOf(const void* address, std::filesystem::path* file) {
  Dl_info info;
  link_map* map = nullptr;
  if (!dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) || !map) return nullptr;
  *file = FileOf(map);
  return map;
}

const void* MainProgramLinkMap() {
  void* self = dlopen(nullptr, RTLD_NOW);
  link_map* map = nullptr;
  if (self) {
    if (dlinfo(self, RTLD_DI_LINKMAP, &map) != 0) map = nullptr;
    dlclose(self);
  }
  return map;
}

char16_t FoldAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool SameNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

// The last component of a Windows or Linux path.
std::u16string_view BaseName(std::u16string_view name) {
  size_t slash = name.find_last_of(u"/\\");
  return slash == std::u16string_view::npos ? name : name.substr(slash + 1);
}

bool NameMatches(const ModuleRecord& m, std::u16string_view query) {
  std::u16string_view base = BaseName(query);
  if (base.empty()) return false;
  if (SameNoCase(m.name, base)) return true;
  // "Name" means "Name.dll"; "Name." means exactly "Name".
  if (base.back() == u'.') return SameNoCase(m.name, base.substr(0, base.size() - 1));
  if (base.find(u'.') == std::u16string_view::npos) {
    std::u16string withExtension(base);
    withExtension += u".dll";
    return SameNoCase(m.name, withExtension);
  }
  return false;
}

class Registry {
 public:
  Registry() {
    auto app = std::make_unique<ModuleRecord>();
    app->file = ExecutablePath();
    app->name = Utf8ToUtf16(app->file.filename().string());
    app->resources = std::make_shared<const ResourceSet>();
    app->linkMap = MainProgramLinkMap();
    app->application = true;
    app->registrations = 1;
    application_ = app.get();
    modules_.push_back(std::move(app));
  }

  std::mutex mutex;

  HINSTANCE Handle(const ModuleRecord* m) const { return reinterpret_cast<HINSTANCE>(const_cast<ModuleRecord*>(m)); }
  HINSTANCE Application() const { return Handle(application_); }

  ModuleRecord* Get(HINSTANCE h) {
    for (auto& m : modules_)
      if (Handle(m.get()) == h) return m.get();
    return nullptr;
  }

  ModuleRecord* ByName(std::u16string_view name) {
    for (auto& m : modules_)
      if (NameMatches(*m, name)) return m.get();
    return nullptr;
  }

  ModuleRecord* Add(std::unique_ptr<ModuleRecord> m) {
    modules_.push_back(std::move(m));
    return modules_.back().get();
  }

  // Forgets a module that nothing holds any more.
  void RemoveIfUnused(ModuleRecord* m) {
    if (m->application || m->registrations > 0 || m->loadCount > 0) return;
    modules_.erase(std::find_if(modules_.begin(), modules_.end(), [m](auto& p) { return p.get() == m; }));
  }

  // The module registered from the shared object `linkMap`, preferring the
  // one named `name`.
  ModuleRecord* ByLinkMap(const void* linkMap, std::u16string_view name) {
    ModuleRecord* first = nullptr;
    for (auto& m : modules_) {
      if (m->linkMap != linkMap || m->application) continue;
      if (NameMatches(*m, name)) return m.get();
      if (!first) first = m.get();
    }
    return first;
  }

 private:
  std::vector<std::unique_ptr<ModuleRecord>> modules_;
  ModuleRecord* application_ = nullptr;
};

// Never destroyed: libraries unregister from their static destructors, which
// may run after this library's.
Registry& TheRegistry() {
  static Registry* registry = new Registry;
  return *registry;
}

}  // namespace

HINSTANCE RegisterModule(std::u16string_view name, ResourceSet resources, const void* addressInside) {
  auto m = std::make_unique<ModuleRecord>();
  m->name = std::u16string(name);
  m->resources = std::make_shared<const ResourceSet>(std::move(resources));
  m->linkMap = LinkMapOf(addressInside, &m->file);
  m->registrations = 1;
  Registry& r = TheRegistry();
  if (!m->linkMap) {
    // Not in any loaded file (a registration on the stack or the heap): the
    // application's.
    m->linkMap = MainProgramLinkMap();
    m->file = ExecutablePath();
  }
  std::lock_guard<std::mutex> lock(r.mutex);
  return r.Handle(r.Add(std::move(m)));
}

bool UnregisterModule(HINSTANCE module) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  ModuleRecord* m = r.Get(module);
  if (!m || m->application || m->registrations == 0) return false;
  --m->registrations;
  r.RemoveIfUnused(m);
  return true;
}

HINSTANCE ApplicationModule() { return TheRegistry().Application(); }

bool IsModule(HINSTANCE module) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  return r.Get(module) != nullptr;
}

std::u16string ModuleName(HINSTANCE module) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  ModuleRecord* m = r.Get(module);
  return m ? m->name : std::u16string();
}

std::filesystem::path ModuleFile(HINSTANCE module) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  ModuleRecord* m = r.Get(module);
  return m ? m->file : std::filesystem::path();
}

std::shared_ptr<const ResourceSet> ModuleResources(HINSTANCE module) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  ModuleRecord* m = r.Get(module);
  return m ? m->resources : nullptr;
}

bool SetModuleResources(HINSTANCE module, ResourceSet resources) {
  auto shared = std::make_shared<const ResourceSet>(std::move(resources));
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  ModuleRecord* m = r.Get(module);
  if (!m) return false;
  m->resources.swap(shared);
  return true;
}

HINSTANCE FindModule(std::u16string_view name) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  ModuleRecord* m = r.ByName(name);
  return m ? r.Handle(m) : nullptr;
}

namespace loader {

HINSTANCE AddReferenceByName(std::u16string_view name) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  ModuleRecord* m = r.ByName(name);
  if (!m) return nullptr;
  if (!m->application) ++m->loadCount;
  return r.Handle(m);
}

HINSTANCE AttachLoaded(void* dlHandle, std::u16string_view requestedName, void** surplusHandle) {
  *surplusHandle = nullptr;
  link_map* map = nullptr;
  if (dlinfo(dlHandle, RTLD_DI_LINKMAP, &map) != 0) map = nullptr;
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  ModuleRecord* m = map ? r.ByLinkMap(map, requestedName) : nullptr;
  if (!m) {
    // A library that did not register itself: a module named as asked.
    auto record = std::make_unique<ModuleRecord>();
    std::u16string name(BaseName(requestedName));
    if (!name.empty() && name.back() == u'.')
      name.pop_back();
    else if (name.find(u'.') == std::u16string::npos)
      name += u".dll";
    record->name = name;
    record->resources = std::make_shared<const ResourceSet>();
    record->linkMap = map;
    if (map) record->file = FileOf(map);
    m = r.Add(std::move(record));
  }
  if (m->dlHandle)
    *surplusHandle = dlHandle;
  else
    m->dlHandle = dlHandle;
  ++m->loadCount;
  return r.Handle(m);
}

Release DropReference(HINSTANCE module, void** dlHandle) {
  *dlHandle = nullptr;
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  ModuleRecord* m = r.Get(module);
  if (!m) return Release::NotAModule;
  // A module that was not loaded with LoadLibrary (the application, a library
  // the program links) stays, as a statically loaded module does.
  if (m->loadCount == 0) return Release::StillLoaded;
  if (--m->loadCount > 0) return Release::StillLoaded;
  *dlHandle = m->dlHandle;
  m->dlHandle = nullptr;
  r.RemoveIfUnused(m);
  return Release::Unloaded;
}

const void* LinkMap(HINSTANCE module) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  ModuleRecord* m = r.Get(module);
  return m ? m->linkMap : nullptr;
}

void* OpenSymbolHandle(HINSTANCE module) {
  std::filesystem::path file;
  bool application;
  {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    ModuleRecord* m = r.Get(module);
    if (!m) return nullptr;
    application = m->application || m->linkMap == MainProgramLinkMap();
    file = m->file;
  }
  if (application) return dlopen(nullptr, RTLD_NOW);
  if (file.empty()) return nullptr;
  // The library is loaded (it is registered): this only finds it.
  return dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD);
}

}  // namespace loader
}  // namespace platform

namespace {

HMODULE GetModuleHandleU16(const char16_t* name) {
  if (!name) return platform::ApplicationModule();
  return platform::FindModule(name);
}

template <typename CharT>
DWORD CopyPath(const std::basic_string<CharT>& path, CharT* buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  if (path.size() < size) {
    std::copy(path.begin(), path.end(), buffer);
    buffer[path.size()] = 0;
    return static_cast<DWORD>(path.size());
  }
  std::copy(path.begin(), path.begin() + (size - 1), buffer);
  buffer[size - 1] = 0;
  return size;
}

}  // namespace

HMODULE GetModuleHandleA(LPCSTR moduleName) {
  if (!moduleName) return platform::ApplicationModule();
  std::u16string name = platform::GbkToUtf16(moduleName);
  return GetModuleHandleU16(name.c_str());
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) { return GetModuleHandleU16(moduleName); }

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  if (!module) module = platform::ApplicationModule();
  if (!platform::IsModule(module)) return 0;
  std::string path = platform::Utf8ToGbk(platform::ModuleFile(module).string());
  // Never cut a double-byte character in two.
  if (path.size() >= size && size > 0) {
    size_t keep = 0;
    while (keep < size - 1) {
      size_t len = platform::IsGbkLeadByte(static_cast<unsigned char>(path[keep])) ? 2 : 1;
      if (keep + len > size - 1) break;
      keep += len;
    }
    path.resize(keep);
    CopyPath(path, buffer, size);
    return size;
  }
  return CopyPath(path, buffer, size);
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
  if (!module) module = platform::ApplicationModule();
  if (!platform::IsModule(module)) return 0;
  return CopyPath(platform::Utf8ToUtf16(platform::ModuleFile(module).string()), buffer, size);
}
