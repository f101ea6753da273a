#include "diagram/model/canvas/ArcRouterRegistry.h"

#include <vector>

#include "diagram/model/canvas/ArcRouter.h"

namespace {

struct Entry {
  UINT method;
  const CRuntimeClass* routerClass;
  ArcRouterRegistry::Factory make;
};

// Filled while the library's static objects are built, so it is made on
// first use.
std::vector<Entry>& Entries() {
  static std::vector<Entry> entries;
  return entries;
}

}  // namespace

void ArcRouterRegistry::Register(UINT method, const CRuntimeClass* routerClass, Factory make) {
  for (Entry& entry : Entries()) {
    if (entry.method == method) {
      entry = Entry{method, routerClass, make};
      return;
    }
  }
  Entries().push_back(Entry{method, routerClass, make});
}

CArcRouter* ArcRouterRegistry::Make(UINT method, CDiagram* diagram, AutoRouteOption* options) {
  for (const Entry& entry : Entries()) {
    if (entry.method == method) return entry.make(diagram, options);
  }
  return nullptr;
}

UINT ArcRouterRegistry::MethodOf(const CArcRouter* router) {
  if (!router) return 0;
  const Entry* best = nullptr;
  for (const Entry& entry : Entries()) {
    if (!router->IsKindOf(entry.routerClass)) continue;
    if (!best || entry.routerClass->IsDerivedFrom(best->routerClass)) best = &entry;
  }
  return best ? best->method : 0;
}
