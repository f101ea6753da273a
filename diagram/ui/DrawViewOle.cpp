// CDrawView: inserting OLE objects, the OLE-object outline toggle, leaving
// in-place editing, block descriptions, and the item active in place.
#include <utility>

#include "diagram/model/blocks/CompositeBlock.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/objects/DrawItem.h"
#include "diagram/model/objects/DrawOleObj.h"
#include "diagram/ui/DrawTool.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/SelectTool.h"
#include "platform/core/Exceptions.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleInsertDialog.h"
#include "platform/ole/OlePasteAsDialog.h"
#include "platform/ui/CmdTarget.h"

namespace {

// The update hint that repaints every OLE object.
constexpr LPARAM kHintShowItems = 1;

}  // namespace

CDrawOleObj* CDrawView::InsertOleObject(const std::function<BOOL(CDrawItem*)>& create) {
  CDrawDoc* document = GetDocument();
  if (!document || !m_pDiagram) return nullptr;
  CWaitCursor wait;
  CPoint point = m_pDiagram->GetLastClickPoint();
  if (m_pDiagram->IsSnapToGridEnabled()) CDiagram::SnapPointToGrid(point, m_pDiagram->GetGridSize());
  if (!document->BeginUndoRecording(u"Insert OLE Object", 255)) return nullptr;
  m_pDiagram->BeginDynamicRouteChanges();
  CDrawOleObj* object = nullptr;
  try {
    object = m_pDiagram->MakeDrawOleObj(point);
    if (!object) AfxThrowMemoryException();
    auto* item = new CDrawItem(document, object);
    object->SetItem(item);
    if (!create(item)) AfxThrowMemoryException();
    item->UpdateExtent();
  } catch (CMemoryException&) {
    // Nothing of the failed object stays: neither records nor the item.
    document->FlushUndoRecording();
    delete object;
    object = nullptr;
    CMsgBox::Notify(20);
  }
  if (object) {
    // Kept on the canvas in the diagram's own direction (the canvas test
    // normalises the rectangle).
    CRect position = object->GetPosition();
    const bool upward = position.top > position.bottom;
    m_pDiagram->ForceRectWithinBounds(position, m_pDiagram->GetRect());
    if (upward) std::swap(position.top, position.bottom);
    if (position != object->GetPosition()) object->MoveTo(position, this);
    if (m_pDiagram->Add(object)) {
      object->Invalidate();
      Select(object, FALSE);
    } else {
      delete object;
      object = nullptr;
    }
  }
  m_pDiagram->EndDynamicRouteChanges();
  document->EndUndoRecording();
  return object;
}

void CDrawView::OnInsertObject() {
  COleInsertDialog dialog;
  if (dialog.DoModal() != IDOK) return;
  CDrawOleObj* object = InsertOleObject([&dialog](CDrawItem* item) { return dialog.CreateItem(item); });
  // A new object is shown for editing at once.
  if (object && object->GetItem() && dialog.GetSelectionType() == COleInsertDialog::createNewItem)
    object->GetItem()->DoVerb(OLEIVERB_SHOW, this);
}

void CDrawView::OnEditPasteSpecial() {
  COlePasteSpecialDialog dialog;
  dialog.AddStandardFormats();
  if (dialog.DoModal() != IDOK) return;
  CDrawOleObj* object = InsertOleObject([&dialog](CDrawItem* item) { return dialog.CreateItem(item); });
  if (object && object->GetItem() && object->GetItem()->GetType() == OT_LINK) object->GetItem()->UpdateLink();
}


void CDrawView::OnEditPasteLink() {
  if (!m_pDiagram) return;
  COleDataObject data;
  if (!data.AttachClipboard()) return;
  if (CDrawOleObj* object = m_pDiagram->PasteOLE(data, 1, m_pDiagram->GetLastClickPoint())) Select(object, 0);
}


void CDrawView::OnViewShowObjects() {
  CDrawOleObj::c_bShowItems = !CDrawOleObj::c_bShowItems;
  if (CDrawDoc* document = GetDocument()) document->UpdateAllViews(nullptr, kHintShowItems, nullptr);
}

void CDrawView::OnUpdateViewShowObjects(CCmdUI* cmdUI) { cmdUI->SetCheck(CDrawOleObj::c_bShowItems ? 1 : 0); }

void CDrawView::OnCancelEditCntr() {
  if (CDrawDoc* document = GetDocument()) {
    if (COleClientItem* item = document->GetInPlaceActiveItem(this)) item->Close();
  }
  if (CDrawTool* tool = CDrawTool::GetActiveTool()) tool->OnCancel(this);
  m_bCapture = FALSE;
  ::ReleaseCapture();
  CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool());
}

void CDrawView::OnBlockAbout() {
  auto* block = static_cast<CDrawBlock*>(m_selection.GetLastSelectedClassType(RUNTIME_CLASS(CDrawBlock)));
  if (block && block->IsAboutAllowed()) block->OpenAbout(0);
}

void CDrawView::OnUpdateBlockAbout(CCmdUI* cmdUI) {
  auto* block = static_cast<CDrawBlock*>(m_selection.GetLastSelectedClassType(RUNTIME_CLASS(CDrawBlock)));
  cmdUI->Enable(block && block->IsAboutAllowed());
}

void CDrawView::UpdateActiveItem() {
  CDrawDoc* document = GetDocument();
  if (!document) return;
  if (COleClientItem* item = document->GetInPlaceActiveItem(this)) item->SetItemRects();
}
