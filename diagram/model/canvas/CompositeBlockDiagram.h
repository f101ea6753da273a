// CCompositeBlockDiagram: the inner diagram of a composite block. It is a
// canvas like any other whose owner is the block; it also keeps the list of
// its internal ports (the partners of the block's boundary ports), opens in
// a window of its own through a document template, and moves objects
// between itself and the block's own diagram (nesting and un-nesting).
#pragma once

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/canvas/PortPairAndArcClass.h"
#include "platform/core/ObList.h"
#include "platform/core/PtrMaps.h"

class CDrawPort;
class CMultiDocTemplate;
struct CRuntimeClass;

class CCompositeBlockDiagram : public CDiagram {
 public:
  enum ShiftDirection { shiftIn = 0, shiftOut = 1 };

  explicit CCompositeBlockDiagram(CDrawObj* owner);
  // Deletes the template, the contents and every internal port still
  // listed.
  ~CCompositeBlockDiagram() override;

  // Sub-menu 7 of the view's pop-up menu for a diagram with an owner; the
  // point is kept (in document units) as where a port added from inside
  // goes.
  CMenu* GetPopupMenu(CDrawView* view, CPoint point) override;
  // The diagram record, then (except for the top-level diagram of a
  // document older than version 10) the internal-port list. While it is
  // read this diagram is the document's active one.
  void Serialize(CArchive& ar) override;

  // The template inner diagrams open their windows with, made on first use.
  virtual CMultiDocTemplate* GetDocTemplate();
  // The distance between internal ports down the canvas edge: negative when
  // y grows upward.
  virtual int GetVerticalOffsetBetweenInternalPorts();
  virtual int GetVerticalOffsetForNextPort();
  virtual int GetHorizOffsetFromCanvasEdgeToInternalPortPoint0();
  virtual int GetWidthToReserveAtCanvasEdgeForInternalPorts();
  // Opens the diagram: in an MDI child frame an existing view of it comes
  // to the top or a new frame opens; in any other frame the view shows it.
  virtual void OnOpen(CDrawView* view);
  // Moves the listed objects into this diagram from the owner's diagram
  // (shiftIn) or back out (shiftOut); objects in `zOrder` take their saved
  // places in the destination's z-order.
  virtual void ShiftBetweenDiagrams(const CDrawList& objects, ShiftDirection direction,
                                    const CMapPtrToWord& zOrder);

  // Inserts at `index` when it is 0 or more, else appends; a listed port
  // stays where it is.
  void AddInternalPort(CDrawPort* port, int index);
  // 1 when the port was listed.
  int RemoveInternalPort(CDrawPort* port);
  const CDrawList& GetInternalPorts() const { return m_internalPorts; }
  void MarkInternalPorts(DrawObjState state);
  // Closes every view of this diagram and of the inner diagrams within it.
  void CloseAllInternalViews();
  // Appends a new PortPairAndArcClass (the caller frees them) for every
  // connection a wire makes through the block's boundary.
  void GetPortPairs(CPtrList& pairs);
  // Where the pop-up menu was last opened, in document units.
  CPoint GetLastPopupPoint() const { return m_lastPopupPoint; }

  static void SetDefaultDocTemplateInfo(UINT idResource, CRuntimeClass* doc, CRuntimeClass* frame,
                                        CRuntimeClass* view, UINT idContainerInfo);

 protected:
  // The wires of `port` in the one direction, less the visited ones,
  // followed through boundary pairs that lead straight through; true when
  // any is left.
  int GetPortPairHelper(int bAsSource, CDrawPort* port, const CDrawList& externalPorts, CDrawList& visited,
                        CDrawList& result);

  // The listed internal ports that are on the canvas.
  CDrawList LiveInternalPorts() const;

  static UINT c_uIDResource4DefaultDocTemplate;
  static CRuntimeClass* c_pDocClass4DefaultDocTemplate;
  static CRuntimeClass* c_pFrameClass4DefaultDocTemplate;
  static CRuntimeClass* c_pViewClass4DefaultDocTemplate;
  static UINT c_uIDR4DefaultDocTemplateContainerInfo;

  CMultiDocTemplate* m_pDocTemplate = nullptr;
  CDrawList m_internalPorts;
  CPoint m_lastPopupPoint;
};
