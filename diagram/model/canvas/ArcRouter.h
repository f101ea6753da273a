// CArcRouter: the common base of the wire routers. It keeps the router's
// picture of which objects are obstacles, turns object additions, moves and
// removals into mark-as-used and mark-as-free calls on the subclass's
// free-space model, collects the wires whose way such a change blocked, and
// runs a routing pass over a list of wires as one undo step, with a wait
// cursor, a progress dialog and a cancel question.
//
// Changes arrive in batches (BeginChanges / EndChanges, nested); only the end
// of the outermost batch marks what was queued and, for a dynamic router,
// re-routes the wires the batch disturbed.
//
// The class is declared here, in the model, because the diagram and the
// document drive every router through it; its members are defined by the
// routing room (diagram/routing/ArcRouter.cpp), with the routers themselves.
#pragma once

#include "diagram/model/lists/DrawList.h"
#include "platform/core/Geometry.h"
#include "platform/core/Object.h"

struct AutoRouteOption;
class CDiagram;
class CDrawArc;
class CDrawDoc;
class CDrawObj;

class CArcRouter : public CObject {
  DECLARE_DYNAMIC(CArcRouter)

 public:
  // Registers with the diagram's document, which brackets undo and redo
  // with every registered router's batches.
  CArcRouter(CDiagram* diagram, AutoRouteOption* options);
  CArcRouter(const CArcRouter&) = delete;
  CArcRouter& operator=(const CArcRouter&) = delete;
  ~CArcRouter() override;

  // Builds the model from the objects (their components included); 0 when
  // the model cannot be built.
  virtual int Init(const CDrawList& objects);
  // Forgets every object; uninitialised.
  virtual void Clear();
  // Rebuilds the model over the current canvas, keeping what is pending.
  virtual int Resize();
  // Marks one object into the model now.
  virtual void AddObj(CDrawObj* object, int bCollectAffected);
  // Queues an added or moved object for the end of the batch.
  virtual void AddObj(CDrawObj* object);
  virtual void RemoveObj(CDrawObj* object);
  virtual void UpdateObj(CDrawObj* object);
  // Lays one wire; 1 when routed. The base marks the wire's present shape
  // as an obstacle and fails.
  virtual int Route(CDrawArc* arc);
  // A routing pass over the wires of the list, one undo step "Routing
  // Arcs"; 0 only when the document refused the recording.
  virtual int Route(const CDrawList& objects);
  virtual int IsDoingDynamicRouteChanges() const { return m_nChangeDepth; }
  virtual void MarkAsFree(CRect rect);
  virtual void MarkRectAsUsed(CRect rect, int bCollectAffected);
  virtual void MarkLineAsUsed(CPoint p1, CPoint p2, CSize extent, int bCollectAffected);

  void BeginChanges() { ++m_nChangeDepth; }
  void EndChanges();
  // Whether the EndChanges that closes the outermost batch will re-route.
  int WillEndChangesRouteWires() const;
  int IsDynamic() const { return m_bDynamic; }
  void SetDynamic(int dynamic);
  int IsInitialised() const { return m_bInitialised; }
  void AddWiresToAffectedArcList(CDrawList& wires);

  CDiagram* GetDiagram() const { return m_pDiagram; }
  const CDrawList& GetAddedObjects() const { return m_addedObjects; }
  const CDrawList& GetAffectedArcs() const { return m_affectedArcs; }

 protected:
  // Whether the object takes part in routing at all.
  int IsOK(CDrawObj* object) const;
  // The added objects that meet the rectangle, in the diagram's order.
  void GetAddedObjectsInRect(const CRect& rect, CDrawList& out);
  CDrawDoc* GetDocument() const;
  // Whether a change may collect the wires it disturbs.
  bool MayCollect() const;

  AutoRouteOption* m_pOptions;
  CDiagram* m_pDiagram;
  int m_bInitialised;
  CDrawList m_affectedArcs;
  CDrawList m_addedObjects;
  CDrawList m_objectsToReMark;
  CDrawList m_objectsToAdd;
  int m_bDynamic;
  int m_nChangeDepth;
  int m_bRouting;
};
