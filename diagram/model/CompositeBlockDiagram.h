// CCompositeBlockDiagram: the inner diagram of a composite block. Besides
// the canvas it keeps the internal ports, opens in windows of its own
// through a default document template, and moves objects between itself and
// its parent diagram (nesting and un-nesting).
#pragma once

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/objects/DrawObj.h"
#include "platform/core/PtrMaps.h"

class CDrawPort;
class CMultiDocTemplate;

// A direct connection that a composite block's boundary stands for.
struct PortPairAndArcClass {
  CDrawPort* pSrcPort;
  CDrawPort* pDestPort;
  CRuntimeClass* pArcClass;
};

class CCompositeBlockDiagram : public CDiagram {
 public:
  enum ShiftDirection { shiftIntoBlock = 0, shiftOutOfBlock = 1 };

  explicit CCompositeBlockDiagram(CDrawObj* owner);

  CMenu* GetPopupMenu(CDrawView* view, CPoint point) override;
  ~CCompositeBlockDiagram() override;
  void Serialize(CArchive& ar) override;

  virtual CMultiDocTemplate* GetDocTemplate();
  virtual int GetVerticalOffsetBetweenInternalPorts();
  virtual int GetVerticalOffsetForNextPort();
  virtual int GetHorizOffsetFromCanvasEdgeToInternalPortPoint0();
  virtual int GetWidthToReserveAtCanvasEdgeForInternalPorts();
  virtual void OnOpen(CDrawView* view);
  virtual void ShiftBetweenDiagrams(const CDrawList& objects, ShiftDirection direction,
                                    const CMapPtrToWord& zOrder);

  void AddInternalPort(CDrawPort* port, int index);
  int RemoveInternalPort(CDrawPort* port);
  const CDrawList& GetInternalPorts() const { return m_internalPorts; }
  void MarkInternalPorts(DrawObjState state);
  void CloseAllInternalViews();
  // Appends, for un-nesting, one record (owned by the caller) per direct
  // connection the boundary stands for.
  void GetPortPairs(CPtrList& pairs);

  static void SetDefaultDocTemplateInfo(UINT idResource, CRuntimeClass* docClass, CRuntimeClass* frameClass,
                                        CRuntimeClass* viewClass, UINT idContainerInfo);

 protected:
  int GetPortPairHelper(int bAsSource, CDrawPort* port, const CDrawList& externalPorts, CDrawList& visited,
                        CDrawList& result);

  CMultiDocTemplate* m_pDocTemplate;
  CDrawList m_internalPorts;
  // Where the diagram's pop-up menu was last opened, in document units.
  CPoint m_lastPopupPoint;

  static UINT c_uIDResource4DefaultDocTemplate;
  static CRuntimeClass* c_pDocClass4DefaultDocTemplate;
  static CRuntimeClass* c_pFrameClass4DefaultDocTemplate;
  static CRuntimeClass* c_pViewClass4DefaultDocTemplate;
  static UINT c_uIDR4DefaultDocTemplateContainerInfo;
};
