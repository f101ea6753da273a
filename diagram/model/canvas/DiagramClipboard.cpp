// CDiagram: the clipboard and drag and drop. Moving objects by a drag and
// measuring it are built; the members that would copy, paste or drop throw
// CNotSupportedException saying so.
#include "diagram/model/canvas/Diagram.h"

#include "diagram/model/undo/UndoRecordingScope.h"
#include "platform/core/Exceptions.h"

namespace {

// An operation this build does not have throws CNotSupportedException
// saying so, instead of pretending to succeed.
[[noreturn]] void NotBuilt(LPCWSTR reason) { AfxThrowNotSupportedException(reason); }

}  // namespace

void CDiagram::MoveObjectsForOleDragDrop(const CDrawList& objects, CSize offset) {
  OnBeginDragMoveInternal(objects);
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    object->FinalizeDrawing(object->GetPosition() + offset, nullptr, 1);
  }
  OnEndDragMoveInternal(objects);
}

void CDiagram::ComputeDragDimensions(const CDrawList& objects, CPoint dragPoint, CSize& offset, CSize& size) {
  CRect extent;
  for (POSITION pos = objects.GetHeadPosition(); pos;) GrowExtentToBoundRect(extent, objects.GetNext(pos)->GetDraggingRect());
  if (objects.IsEmpty()) {
    offset = CSize(0, 0);
    size = CSize(0, 0);
    return;
  }
  size = CSize(extent.right - extent.left, extent.bottom - extent.top);
  offset = dragPoint - extent.TopLeft();
}

void CDiagram::AddNonNativeClipboardFormatData(COleDataSource*, const CDrawList&) {}

void CDiagram::CopyNative2ClipboardFile(CFile*, const CDrawList&, LONG, CPoint, const CObject*) {
  NotBuilt(u"The diagram clipboard is not built.");
}

int CDiagram::PasteNative(COleDataObject&, WORD, CPoint, CDrawList&, CObject*&) { NotBuilt(u"The diagram clipboard is not built."); }
void CDiagram::EditCopy(const CDrawList&, WORD, CPoint, const CObject*) { NotBuilt(u"The diagram clipboard is not built."); }
void CDiagram::EditPaste(CPoint, CDrawList&) { NotBuilt(u"The diagram clipboard is not built."); }
void CDiagram::DragAndDrop(const CDrawList&, CDrawView*) { NotBuilt(u"Drag and drop of diagram objects is not built."); }
int CDiagram::Drop(COleDataObject*, DWORD, CPoint, CDrawList&) { NotBuilt(u"Drag and drop of diagram objects is not built."); }
BOOL CDiagram::IsHostInDrag(CDrawObj*) const { NotBuilt(u"Drag and drop of diagram objects is not built."); }

void CDiagram::OnEndDragMoveExternal(const CDrawList& objects, CDrawView*) {
  CUndoRecordingScope batch(nullptr);
  batch.BeginRouteChanges(this);
  CDrawList elements(objects);
  elements.ExcludeElementComponents();
  elements.DeleteElements(m_pDocument);
  batch.End();
}

void CDiagram::OnBeginDragMoveInternal(const CDrawList&) {}
void CDiagram::OnEndDragMoveInternal(const CDrawList&) {}
