// CDrawHint: the object that travels with a view-update hint of a diagram.
// It names the diagram (a view acts only on hints of the diagram it shows)
// and one other object, the one the hint is about. It owns neither.
#pragma once

#include "platform/core/Object.h"

class CDiagram;

class CDrawHint : public CObject {
  DECLARE_DYNAMIC(CDrawHint)

 public:
  CDrawHint(CDiagram* diagram, CObject* other) : m_pDiagram(diagram), m_pOther(other) {}

  CDiagram* GetDiagram() const { return m_pDiagram; }
  CObject* GetOther() const { return m_pOther; }

  // The hint codes a diagram and its objects send.
  enum {
    printerPageSizeChanged = 2,
    paperColorChanged = 10,
    gridChanged = 11,
    canvasSizeChanged = 12,
    diagramDestroyed = 13,
    contentsCleared = 14,
    objectChanged = 20,
    objectRemoved = 21,
  };

 private:
  CDiagram* m_pDiagram;
  CObject* m_pOther;
};
