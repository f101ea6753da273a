// ArcRouterRegistry: the routers a diagram can make, by method number
// (CDiagram::GetNewArcRouter asks it). The routing room registers its
// routers when the library loads: 1 the cell router, 2 the segment router,
// 3 the shared-path router. A method nobody registered makes no router.
#pragma once

#include "platform/core/WinTypes.h"

class CArcRouter;
class CDiagram;
struct AutoRouteOption;
struct CRuntimeClass;

class ArcRouterRegistry {
 public:
  using Factory = CArcRouter* (*)(CDiagram* diagram, AutoRouteOption* options);

  ArcRouterRegistry() = delete;

  // Makes `make` the maker of method `method`, whose routers are of
  // `routerClass`; a later registration of the method replaces it.
  static void Register(UINT method, const CRuntimeClass* routerClass, Factory make);
  // A new router of the method, or null when no router has that number.
  static CArcRouter* Make(UINT method, CDiagram* diagram, AutoRouteOption* options);
  // The method of a router: that of the most derived registered class the
  // router belongs to (a router derived from a registered one counts as
  // its base's method); 0 for a null router or one of no registered class.
  static UINT MethodOf(const CArcRouter* router);
};
