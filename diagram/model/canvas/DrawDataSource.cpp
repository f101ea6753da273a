#include "diagram/model/canvas/DrawDataSource.h"

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/canvas/Diagram.h"
#include "platform/ole/ObjectDescriptor.h"
#include "platform/ui/ClipboardFormats.h"
#include "platform/ui/CmdTarget.h"

namespace {

// Diagram units (hundredths of an inch) as HIMETRIC (hundredths of a mm).
LONG ToHimetric(LONG units) { return MulDiv(units, 2540, 100); }

}  // namespace

CDrawDataSource::CDrawDataSource(CDrawDoc* document, CDiagram* diagram, const CDrawList& objects, WORD format,
                                 CPoint origin, const CObject* other)
    : m_pDocument(document),
      m_pDiagram(diagram),
      m_cfFormat(format),
      m_origin(origin),
      m_pOther(other),
      m_timeStamp(static_cast<LONG>(std::time(nullptr))) {
  // The wires follow the objects they join.
  CDrawList arcs;
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    if (object->IsKindOf(RUNTIME_CLASS(CDrawArc)))
      arcs.AddTail(object);
    else
      m_objects.AddTail(object);
  }
  m_objects.AddTail(arcs);
  DelayRenderFileData(m_cfFormat);

  CRect extent;
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) GrowExtentToBoundRect(extent, m_objects.GetNext(pos)->GetDraggingRect());
  OBJECTDESCRIPTOR descriptor{};
  descriptor.cbSize = sizeof(OBJECTDESCRIPTOR);
  descriptor.clsid = CLSID_NULL;
  descriptor.dwDrawAspect = DVASPECT_CONTENT;
  if (!m_objects.IsEmpty()) {
    descriptor.sizel = SIZEL{ToHimetric(extent.right - extent.left), ToHimetric(extent.bottom - extent.top)};
    descriptor.pointl = POINTL{ToHimetric(origin.x - extent.left), ToHimetric(origin.y - extent.top)};
    if (diagram && diagram->IsUpwardPositive()) {
      descriptor.sizel.cy = -descriptor.sizel.cy;
      descriptor.pointl.y = -descriptor.pointl.y;
    }
  }
  HGLOBAL block = GlobalAlloc(GMEM_SHARE | GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(OBJECTDESCRIPTOR));
  if (!block) AfxThrowMemoryException();
  *static_cast<OBJECTDESCRIPTOR*>(GlobalLock(block)) = descriptor;
  GlobalUnlock(block);
  CacheGlobalData(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CF_OBJECTDESCRIPTOR_NAME)), block);
}

BOOL CDrawDataSource::OnRenderFileData(LPFORMATETC formatEtc, CFile* file) {
  if (formatEtc->cfFormat != m_cfFormat || !m_pDiagram) return COleDataSource::OnRenderFileData(formatEtc, file);
  CWaitCursor wait;
  m_pDiagram->CopyNative2ClipboardFile(file, m_objects, m_timeStamp, m_origin, m_pOther);
  return TRUE;
}
