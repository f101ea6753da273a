#include "diagram/ui/TextTool.h"

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/ui/DrawView.h"
#include "platform/ui/WinUser.h"

CTextTool::CTextTool() : CDrawTool(dsText) {
  LoadCursorForTool(static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(IDC_IBEAM)), TRUE);
}

void CTextTool::OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) {
  // The text is placed at the press; nothing follows the mouse.
  CDrawTool::OnLButtonDown(view, flags, point);
  view->ReleaseCapture();
  CDiagram* diagram = view->GetDiagram();
  CDrawDoc* document = view->GetDocument();
  if (!diagram || !document) return;
  CPoint docPoint = point;
  view->ClientToDoc(docPoint);
  if (diagram->IsSnapToGridEnabled()) diagram->SnapToGrid(docPoint);
  if (!document->BeginUndoRecording(u"Add Text", 255)) return;
  diagram->BeginDynamicRouteChanges();
  CDrawText* text = diagram->MakeDrawText(u"text", docPoint, view);
  if (!text) {
    AbandonAdd(diagram, document);
    return;
  }
  // The whole text lies on the canvas.
  text->MoveBy(OffsetOntoCanvas(diagram, text->GetPosition()), FALSE);
  if (!diagram->Add(text)) {
    delete text;
    AbandonAdd(diagram, document);
    return;
  }
  view->Select(text, FALSE);
  text->OnOpen(view);
  // The dialog may have taken the text off the diagram (an empty text).
  if (diagram->GetObjects().Find(text)) {
    text->InitializeDrawing(view);
  } else {
    document->FlushUndoRecording();
  }
  diagram->EndDynamicRouteChanges();
  document->EndUndoRecording();
}

void CTextTool::OnLButtonUp(CDrawView*, unsigned, const CPoint&) {}

void CTextTool::OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) {
  view->AutoScroll(point);
  CDrawTool::OnMouseMove(view, flags, point);
}
