// Registers the library's routers with the diagram's router registry when
// the library loads: 1 the cell router, 2 the segment router, 3 the
// shared-path router.
#include "diagram/model/canvas/ArcRouterRegistry.h"
#include "diagram/routing/CellArcRouter.h"
#include "diagram/routing/SegmentArcRouter.h"
#include "diagram/routing/SharedPathArcRouter.h"

namespace {

template <class Router>
CArcRouter* MakeRouter(CDiagram* diagram, AutoRouteOption* options) {
  return new Router(diagram, options);
}

const bool g_registered = [] {
  ArcRouterRegistry::Register(1, RUNTIME_CLASS(CellArcRouter), &MakeRouter<CellArcRouter>);
  ArcRouterRegistry::Register(2, RUNTIME_CLASS(SegmentArcRouter), &MakeRouter<SegmentArcRouter>);
  ArcRouterRegistry::Register(3, RUNTIME_CLASS(SharedPathArcRouter), &MakeRouter<SharedPathArcRouter>);
  return true;
}();

}  // namespace
