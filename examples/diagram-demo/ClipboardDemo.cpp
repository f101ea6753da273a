#include "examples/diagram-demo/ClipboardDemo.h"

#include <string>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/SelectTool.h"
#include "examples/diagram-demo/DemoSupport.h"
#include "platform/ole/DragDrop.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/WindowPicture.h"

namespace fs = std::filesystem;

namespace demo {

namespace {

constexpr UINT kCmdEditCopy = 57634;
constexpr UINT kCmdEditPaste = 57637;

CDrawPort* PortAt(CDrawBlock* block, int index) {
  POSITION pos = block ? block->GetPorts().FindIndex(index) : nullptr;
  return pos ? static_cast<CDrawPort*>(block->GetPorts().GetAt(pos)) : nullptr;
}

int Count(CDiagram* diagram, const CRuntimeClass* kind) {
  int count = 0;
  for (POSITION pos = diagram->GetObjects().GetHeadPosition(); pos;)
    count += diagram->GetObjects().GetNext(pos)->IsKindOf(kind) ? 1 : 0;
  return count;
}

// A view of the document in a window at `where`, the whole canvas in sight.
bool Show(CDrawDoc& doc, CDrawView& view, const char16_t* title, const CRect& where) {
  doc.AddView(&view);
  if (!view.CreateEx(0, u"AfxWnd", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, where, nullptr, 0)) return false;
  view.OnInitialUpdate();
  view.SetActive(TRUE);
  view.OnViewScaleToFit();
  return true;
}

bool Picture(CDrawView& view, const fs::path& path) {
  view.Invalidate();
  view.UpdateWindow();
  return platform::WriteWindowPicture(view.GetSafeHwnd(), path.string());
}

}  // namespace

void RunClipboardDemo(const fs::path& folder) {
  std::printf("Clipboard and drag and drop\n");
  CDrawDoc source;
  CDrawDoc target;
  Check(source.OnNewDocument() && target.OnNewDocument(), "two new documents");
  CDiagram* from = source.GetDiagram();
  CDiagram* to = target.GetDiagram();
  CDrawView left;
  CDrawView right;
  if (!Show(source, left, u"source", CRect(0, 0, 900, 620)) || !Show(target, right, u"target", CRect(920, 0, 1820, 620))) {
    Check(false, "a view of each document side by side");
    return;
  }
  CDrawBlock* generator = PlaceNamedBlock(from, 1, CPoint(-300, 150), &left, u"Generator");
  CDrawBlock* gain = PlaceNamedBlock(from, 101, CPoint(-60, 150), &left, u"Gain");
  CDrawBlock* scope = PlaceNamedBlock(from, 100, CPoint(180, 150), &left, u"Scope");
  bool joined = generator && gain && scope;
  for (auto [a, b] : {std::pair{PortAt(generator, 0), PortAt(gain, 0)}, std::pair{PortAt(gain, 1), PortAt(scope, 0)}}) {
    auto* arc = new CDrawArc;
    if (joined && arc->Initialize(a, b, TRUE) && from->Add(arc)) continue;
    delete arc;
    joined = false;
  }
  Check(joined, "three blocks wired in a chain in the first document");
  if (!joined) return;

  // Copy: Gain and Scope with the wire between them, picked at Gain.
  left.Select(gain, FALSE);
  left.Select(scope, TRUE);
  from->SetLastClickPoint(gain->GetPosition().TopLeft());
  left.SendMessage(WM_COMMAND, kCmdEditCopy);
  Check(IsClipboardFormatAvailable(CDiagram::m_cfDraw) != FALSE, "Gain and Scope copied to the clipboard");
  to->SetLastClickPoint(CPoint(-200, -100));
  right.SendMessage(WM_COMMAND, kCmdEditPaste);
  Check(Count(to, RUNTIME_CLASS(CDrawBlock)) == 2 && Count(to, RUNTIME_CLASS(CDrawArc)) == 1,
        "pasted into the second document: two blocks and their wire");
  Check(target.GetNumberUndosOnStack() == 1, "  as one undo step there");

  // Drag: Generator onto the second view with Shift held, a move.
  source.ClearUndoStack();
  target.ClearUndoStack();
  CSelectTool* tool = CDrawToolSet::GetSelectTool();
  CDrawTool::SetActiveTool(tool);
  left.Select(nullptr, FALSE);
  const CRect body = generator->GetPosition();
  CPoint press(body.left + body.Width() / 2, body.top + body.Height() * 4 / 5);
  left.DocToClient(press);
  CPoint drop(-300, 200);
  right.DocToClient(drop);
  {
    platform::ScopedDragDriver drag{platform::DragStep::MoveTo(left.m_hWnd, press + CSize(20, 0)),
                                    platform::DragStep::MoveTo(right.m_hWnd, drop, MK_LBUTTON | MK_SHIFT),
                                    platform::DragStep::Drop()};
    tool->OnLButtonDown(&left, MK_LBUTTON, press);
    tool->OnMouseMove(&left, MK_LBUTTON | MK_SHIFT, press + CSize(8, 0));
    tool->OnLButtonUp(&left, 0, press + CSize(8, 0));
  }
  Check(Count(from, RUNTIME_CLASS(CDrawBlock)) == 2 && Count(to, RUNTIME_CLASS(CDrawBlock)) == 3,
        "Generator dragged into the second view: moved out of the first");
  Check(source.GetNumberUndosOnStack() == 1 && target.GetNumberUndosOnStack() == 1,
        "  one undo step in each document");

  platform::PumpPendingMessages();
  Check(Picture(left, folder / "clipboard-source.png"), "the first document written to clipboard-source.png");
  Check(Picture(right, folder / "clipboard-target.png"), "the second document written to clipboard-target.png");
  source.ClearUndoStack();
  target.ClearUndoStack();
  left.DestroyWindow();
  right.DestroyWindow();
  source.RemoveView(&left);
  target.RemoveView(&right);
}

}  // namespace demo
