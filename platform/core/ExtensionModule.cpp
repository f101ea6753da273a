#include "platform/core/ExtensionModule.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <mutex>

#include "platform/core/Module.h"

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CObject)

namespace platform {
namespace {

// An initialised extension module: the classes of its shared object are set
// aside while it has no record in the chain.
struct ExtensionEntry {
  const AFX_EXTENSION_MODULE* state;
  const void* linkMap;
};

struct Record {
  CDynLinkLibrary* library;
  const AFX_EXTENSION_MODULE* state;  // null for a record of a plain module
};

struct Chain {
  std::mutex mutex;
  std::vector<Record> records;  // newest first
  std::vector<ExtensionEntry> extensions;

  bool HasEntry(const AFX_EXTENSION_MODULE* state) const {
    for (const ExtensionEntry& e : extensions)
      if (e.state == state) return true;
    return false;
  }
  bool HasRecord(const AFX_EXTENSION_MODULE* state) const {
    for (const Record& r : records)
      if (r.state == state) return true;
    return false;
  }
  void Add(CDynLinkLibrary* library, const AFX_EXTENSION_MODULE* state) {
    records.insert(records.begin(), Record{library, state});
  }
};

// Never destroyed: libraries end their records from static destructors.
Chain& TheChain() {
  static Chain* chain = new Chain;
  return *chain;
}

// The shared object that holds `address`. Called outside the chain's lock:
// dladdr takes the system loader's lock, which is held while a library's
// static constructors (and so AfxInitExtensionModule) run.
const void* LinkMapOf(const void* address) {
  Dl_info info;
  link_map* map = nullptr;
  if (!dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP)) return nullptr;
  return map;
}

}  // namespace

std::vector<CDynLinkLibrary*> DynLinkLibraries() {
  Chain& c = TheChain();
  std::lock_guard<std::mutex> lock(c.mutex);
  std::vector<CDynLinkLibrary*> libraries;
  for (const Record& r : c.records) libraries.push_back(r.library);
  return libraries;
}

bool IsRuntimeClassVisible(const CRuntimeClass* cls) {
  Chain& c = TheChain();
  {
    std::lock_guard<std::mutex> lock(c.mutex);
    if (c.extensions.empty()) return true;
  }
  const void* map = LinkMapOf(cls);
  if (!map) return true;
  std::lock_guard<std::mutex> lock(c.mutex);
  bool setAside = false;
  for (const ExtensionEntry& e : c.extensions) {
    if (e.linkMap != map) continue;
    if (c.HasRecord(e.state)) return true;
    setAside = true;
  }
  return !setAside;
}

}  // namespace platform

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module) {
  if (state.bInitialized) return TRUE;
  if (!platform::IsModule(module)) return FALSE;
  // The classes set aside are those of the file that holds the record, a
  // static of the library; else those of the module's file.
  const void* map = platform::LinkMapOf(&state);
  if (!map) map = platform::loader::LinkMap(module);
  platform::Chain& c = platform::TheChain();
  std::lock_guard<std::mutex> lock(c.mutex);
  state.hModule = module;
  state.hResource = module;
  state.bInitialized = TRUE;
  if (!c.HasEntry(&state)) c.extensions.push_back({&state, map});
  return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL) {
  platform::Chain& c = platform::TheChain();
  std::vector<CDynLinkLibrary*> doomed;
  {
    std::lock_guard<std::mutex> lock(c.mutex);
    for (const platform::Record& r : c.records)
      if (r.state == &state || (state.hModule && r.library->m_hModule == state.hModule)) doomed.push_back(r.library);
  }
  // Each destructor takes itself out of the chain.
  for (CDynLinkLibrary* r : doomed) delete r;
  std::lock_guard<std::mutex> lock(c.mutex);
  c.extensions.erase(std::remove_if(c.extensions.begin(), c.extensions.end(),
                                    [&state](const platform::ExtensionEntry& e) { return e.state == &state; }),
                     c.extensions.end());
  state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state)
    : m_hModule(state.hModule), m_hResource(state.hResource) {
  platform::Chain& c = platform::TheChain();
  std::lock_guard<std::mutex> lock(c.mutex);
  c.Add(this, &state);
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE module, HINSTANCE resource) : m_hModule(module), m_hResource(resource) {
  platform::Chain& c = platform::TheChain();
  std::lock_guard<std::mutex> lock(c.mutex);
  c.Add(this, nullptr);
}

CDynLinkLibrary::~CDynLinkLibrary() {
  platform::Chain& c = platform::TheChain();
  std::lock_guard<std::mutex> lock(c.mutex);
  c.records.erase(std::remove_if(c.records.begin(), c.records.end(),
                                 [this](const platform::Record& r) { return r.library == this; }),
                  c.records.end());
}
