// CDrawDataSource: a selection offered for a drag (or the clipboard) in the
// diagram's native format, written only when a reader asks for it, with
// an "Object Descriptor" giving the selection's size and the point it was
// picked at. It keeps a copy of the object list with every wire moved to the
// end, so that a reader meets the blocks before the wires joining them. The
// objects must live while the source offers them.
#pragma once

#include <ctime>

#include "diagram/model/lists/DrawList.h"
#include "platform/core/Geometry.h"
#include "platform/ole/OleDataSource.h"

class CDiagram;
class CDrawDoc;

class CDrawDataSource : public COleDataSource {
 public:
  CDrawDataSource(CDrawDoc* document, CDiagram* diagram, const CDrawList& objects, WORD format, CPoint origin,
                  const CObject* other);

  BOOL IsEmpty() const { return m_objects.IsEmpty(); }
  const CDrawList& GetObjects() const { return m_objects; }
  // The native format is written by the diagram
  // (CDiagram::CopyNative2ClipboardFile); others go to the base.
  BOOL OnRenderFileData(LPFORMATETC formatEtc, CFile* file) override;

 protected:
  CDrawDoc* m_pDocument;
  CDiagram* m_pDiagram;
  CDrawList m_objects;
  WORD m_cfFormat;
  CPoint m_origin;
  const CObject* m_pOther;
  LONG m_timeStamp;
};
