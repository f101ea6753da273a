#include "ToolsDemo.h"

#include <cstdio>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/PolyTool.h"
#include "diagram/ui/RectTool.h"
#include "diagram/ui/TextTool.h"
#include "diagram/ui/DrawView.h"
#include "examples/diagram-demo/DemoSupport.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowDC.h"

namespace {

void Step(bool ok, const char* what) { demo::Check(ok, what); }

// The mouse messages of the view at a client point.
void Send(CDrawView& view, UINT message, CPoint at, WPARAM keys = 0) {
  view.SendMessage(message, keys, MAKELPARAM(at.x, at.y));
}

void Drag(CDrawView& view, CPoint from, CPoint to) {
  Send(view, WM_MOUSEMOVE, from);
  Send(view, WM_LBUTTONDOWN, from, MK_LBUTTON);
  Send(view, WM_MOUSEMOVE, CPoint((from.x + to.x) / 2, (from.y + to.y) / 2), MK_LBUTTON);
  Send(view, WM_MOUSEMOVE, to, MK_LBUTTON);
  Send(view, WM_LBUTTONUP, to);
}

void Click(CDrawView& view, CPoint at) {
  Send(view, WM_MOUSEMOVE, at);
  Send(view, WM_LBUTTONDOWN, at, MK_LBUTTON);
  Send(view, WM_LBUTTONUP, at);
}

}  // namespace

int DrawWithTools(const std::string& picturePath) {
  const int failedBefore = demo::Failures();
  std::printf("Drawing with the creation tools\n");
  CDrawDoc doc;
  Step(doc.OnNewDocument() != FALSE, "a new document");
  CDiagram* diagram = doc.GetDiagram();
  CDrawView view;
  doc.AddView(&view);
  if (!view.CreateEx(0, u"AfxWnd", u"tools", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 500), nullptr, 0)) {
    Step(false, "a view of the diagram");
    doc.RemoveView(&view);
    return demo::Failures() - failedBefore;
  }
  view.OnInitialUpdate();
  view.SetActive(TRUE);
  // The view shows the canvas's top-left corner; client points below are
  // pixels from there.
  view.ScrollToPosition(CPoint(0, 0));

  // A rectangle dragged out from corner to corner.
  CDrawTool::SetActiveTool(CDrawToolSet::GetRectTool(dsRect));
  Drag(view, CPoint(60, 60), CPoint(300, 200));
  const INT_PTR afterRect = diagram->GetObjects().GetCount();
  const bool rectMade = afterRect == 1 && diagram->GetObjects().GetTail()->IsKindOf(RUNTIME_CLASS(CDrawRect));
  Step(rectMade, "the rectangle tool drew a rectangle");
  if (rectMade) diagram->GetObjects().GetTail()->SetFillColor(RGB(255, 236, 179));

  // A polyline: a click per corner, a double click on the last.
  CDrawTool::SetActiveTool(CDrawToolSet::GetPolyTool(dsPolyline));
  const CPoint corners[] = {CPoint(360, 200), CPoint(440, 70), CPoint(520, 200), CPoint(600, 70)};
  for (const CPoint& corner : corners) Click(view, corner);
  Send(view, WM_LBUTTONDBLCLK, corners[3], MK_LBUTTON);
  Send(view, WM_LBUTTONUP, corners[3]);
  CDrawObj* last = diagram->GetObjects().GetTail();
  const bool polyMade = diagram->GetObjects().GetCount() == afterRect + 1 && last->IsKindOf(RUNTIME_CLASS(CDrawPoly)) &&
                        static_cast<CDrawPoly*>(last)->IsPolyLine() && last->GetHandleCount() == 4;
  Step(polyMade, "the polyline tool drew a polyline of four points");
  if (polyMade) last->SetPenStyle(PS_SOLID, 3);

  // A text: the text dialog opens at the click, and the user types.
  CDrawTool::SetActiveTool(CDrawToolSet::GetTextTool());
  {
    platform::ScopedModalDriver typist([](platform::ModalSession& s) {
      s.EnterText(28094, CStringW(u"Drawn with the tools"));
      s.Click(IDOK);
    });
    Click(view, CPoint(80, 260));
  }
  last = diagram->GetObjects().GetTail();
  Step(last->IsKindOf(RUNTIME_CLASS(CDrawText)) &&
           static_cast<CDrawText*>(last)->TextString() == CStringW(u"Drawn with the tools"),
       "the text tool placed the typed text");
  Step(doc.GetNumberUndosOnStack() >= 3 && CStringW(doc.GetNextUndoCmdName()) == CStringW(u"Add Text"),
       "each drawing is an undo entry");

  view.Invalidate();
  view.UpdateWindow();
  platform::WindowSurface* surface = platform::WindowSurfaceOf(view.GetSafeHwnd());
  Step(surface && surface->WritePng(picturePath), ("the drawing painted to " + picturePath).c_str());
  view.DestroyWindow();
  doc.RemoveView(&view);
  return demo::Failures() - failedBefore;
}
