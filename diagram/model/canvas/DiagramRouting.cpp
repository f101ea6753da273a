// CDiagram: the routing driver. The live router hears of every change
// through Add, Remove and UpdateObject; the route-change brackets are its
// batches. A one-off pass (RouteArcs) may use a router of its own.
#include "diagram/model/canvas/Diagram.h"

#include <new>

#include "diagram/model/canvas/ArcRouter.h"
#include "diagram/model/canvas/ArcRouterRegistry.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/MsgBox.h"

void CDiagram::BeginDynamicRouteChanges() {
  if (m_pRouter) m_pRouter->BeginChanges();
}

void CDiagram::EndDynamicRouteChanges() {
  if (m_pRouter) m_pRouter->EndChanges();
}

UINT CDiagram::GetAutoRouteMode() const {
  if (!m_pRouter) return 0;
  return m_pRouter->IsDynamic() ? 2 : 1;
}

UINT CDiagram::GetAutoRouteMethod() const {
  return ArcRouterRegistry::MethodOf(m_pRouter);
}

CArcRouter* CDiagram::GetNewArcRouter(UINT method) { return ArcRouterRegistry::Make(method, this, &m_autoRouteOption); }

UINT CDiagram::ArcRoutingProgressCaptionID() { return 0; }

namespace {

// Builds a router's model; a router whose initialisation throws counts as
// one that could not be initialised.
bool InitRouter(CArcRouter* router, const CDrawList& objects) {
  try {
    return router->Init(objects) != 0;
  } catch (...) {
    return false;
  }
}

}  // namespace

void CDiagram::SetAutoRouteModeAndMethod(UINT mode, UINT method) {
  if (mode == 0) {
    delete m_pRouter;
    m_pRouter = nullptr;
    return;
  }
  if (GetAutoRouteMethod() != method) {
    delete m_pRouter;
    m_pRouter = nullptr;
    CArcRouter* router = GetNewArcRouter(method);
    if (!router) return;
    if (!InitRouter(router, GetObjects())) {
      delete router;
      router = nullptr;
    }
    m_pRouter = router;
  }
  if (!m_pRouter) {
    CMsgBox::Notify(22);
    return;
  }
  m_pRouter->SetDynamic(mode == 2 ? 1 : 0);
}

int CDiagram::RouteArcs(const CDrawList& selection, int useLiveRouter) {
  if (useLiveRouter) return m_pRouter ? m_pRouter->Route(selection) : 1;

  CDrawList chosen(10);
  if (m_bSelectedBlocks) {
    CDrawList blocks(10);
    blocks.CopyFromFilter(selection, RUNTIME_CLASS(CDrawBlock));
    blocks.IncludeElementComponents();
    blocks.IncludeAttachedArcs();
    chosen.CopyFromFilter(blocks, RUNTIME_CLASS(CDrawArc));
  }
  if (m_bSelectedNodes) {
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
      if (auto* port = DYNAMIC_DOWNCAST(CDrawPort, selection.GetNext(pos))) port->IncludeArcsInList(&chosen);
    }
  }
  if (m_bSelectedArcs) chosen.CopyFromFilter(selection, RUNTIME_CLASS(CDrawArc));

  CDrawList arcs(10);
  switch (m_nRouteWhat) {
    case 0: arcs.CopyFromFilter(GetObjects(), RUNTIME_CLASS(CDrawArc)); break;
    case 1: arcs = chosen; break;
    case 2:
      arcs.CopyFromFilter(GetObjects(), RUNTIME_CLASS(CDrawArc));
      arcs -= chosen;
      break;
    default: return 1;
  }

  if (m_pDocument && !m_pDocument->BeginUndoRecording(u"Arc Routing", 255)) return 0;
  if (m_pDocument) m_pDocument->BeginWaitCursor();
  auto close = [this]() {
    if (m_pDocument) {
      m_pDocument->EndWaitCursor();
      m_pDocument->EndUndoRecording();
    }
  };

  CArcRouter* temporary = nullptr;
  CArcRouter* router = nullptr;
  CDrawList obstacles(GetObjects());
  obstacles -= arcs;
  try {
    if (m_nManualRouteMethod != GetAutoRouteMethod()) {
      temporary = GetNewArcRouter(m_nManualRouteMethod);
      if (!temporary) {
        close();
        return 1;
      }
      if (!InitRouter(temporary, obstacles)) {
        delete temporary;
        temporary = nullptr;
      }
      router = temporary;
    } else {
      router = m_pRouter;
      if (m_nRouteWhat == 0 && router) {
        router->Clear();
        if (!InitRouter(router, obstacles)) {
          delete m_pRouter;
          m_pRouter = nullptr;
          router = nullptr;
        }
      }
    }
  } catch (...) {
    delete temporary;
    close();
    throw;
  }

  if (router) {
    CArcRouter* live = (temporary && m_pRouter) ? m_pRouter : nullptr;
    int wasDynamic = 0;
    if (live) {
      wasDynamic = live->IsDynamic();
      live->SetDynamic(0);
      live->BeginChanges();
    }
    auto finishPass = [&]() {
      delete temporary;
      if (live) {
        live->EndChanges();
        live->SetDynamic(wasDynamic);
      }
    };
    try {
      router->Route(arcs);
    } catch (const CMemoryException&) {
      CMsgBox::Notify(23);
    } catch (const std::bad_alloc&) {
      CMsgBox::Notify(23);
    } catch (...) {
      // Any other failure goes on to the caller, with the run's router,
      // batch and recording closed as after a pass that ended.
      finishPass();
      close();
      throw;
    }
    finishPass();
  } else {
    CMsgBox::Notify(22);
  }
  close();
  return 1;
}
