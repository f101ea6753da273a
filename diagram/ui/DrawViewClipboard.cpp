// CDrawView: copy, cut and paste.
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/ui/DrawView.h"
#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ui/CmdTarget.h"

namespace {

enum : UINT {
  kCmdEditClear = 57632,
  kCmdEditCopy = 57634,
};

// The view update hint that repaints the selection.
constexpr LPARAM kHintSelection = 30;

// Whether the data offer one of the diagram's clipboard formats.
bool OffersDiagramFormat(const CDiagram& diagram, COleDataObject& data) {
  for (int i = 0;; ++i) {
    const WORD format = diagram.GetClipboardFormat(i);
    if (!format) return false;
    if (data.IsDataAvailable(format)) return true;
  }
}

// Whether an OLE item could be made (or linked) from the data.
bool CanMakeOleItemFrom(COleDataObject& data, bool link) {
  return link ? COleClientItem::CanCreateLinkFromData(&data) : COleClientItem::CanCreateFromData(&data);
}

}  // namespace

void CDrawView::OnEditCopy() {
  if (!m_pDiagram) return;
  m_pDiagram->EditCopy(m_selection, m_pDiagram->GetClipboardFormat(0), m_pDiagram->GetLastClickPoint(),
                       m_pDiagram->GetClipboardOther(0));
}

void CDrawView::OnUpdateEditCopy(CCmdUI* cmdUI) {
  CDrawList objects(m_selection);
  objects.ExcludeElementComponents();
  objects.ExcludeNonCopyables();
  cmdUI->Enable(!objects.IsEmpty());
}

void CDrawView::OnEditCut() {
  SendMessage(WM_COMMAND, kCmdEditCopy);
  SendMessage(WM_COMMAND, kCmdEditClear);
  // The first paste of what was cut puts it back where it was.
  if (m_pDiagram) m_pDiagram->ClearPasteOffset();
}

void CDrawView::OnEditPaste() {
  if (!m_pDiagram) return;
  OnUpdate(nullptr, kHintSelection, nullptr);
  m_pDiagram->EditPaste(m_pDiagram->GetLastClickPoint(), m_selection);
  m_selection.ExcludeNonSelectables();
  OnUpdate(nullptr, kHintSelection, nullptr);
}

void CDrawView::OnUpdateEditPaste(CCmdUI* cmdUI) {
  COleDataObject data;
  const bool available =
      m_pDiagram && data.AttachClipboard() && (OffersDiagramFormat(*m_pDiagram, data) || CanMakeOleItemFrom(data, false));
  cmdUI->Enable(available);
}

void CDrawView::OnUpdateEditPasteLink(CCmdUI* cmdUI) {
  COleDataObject data;
  cmdUI->Enable(data.AttachClipboard() && CanMakeOleItemFrom(data, true));
}

void CDrawView::OnUpdateEditPasteSpecial(CCmdUI* cmdUI) {
  COleDataObject data;
  cmdUI->Enable(data.AttachClipboard() && CanMakeOleItemFrom(data, false));
}
