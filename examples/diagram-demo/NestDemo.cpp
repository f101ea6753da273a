#include "examples/diagram-demo/NestDemo.h"

#include <unistd.h>

#include <set>
#include <utility>

#include "diagram/model/blocks/CompositeBlock.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/res/DocumentStrings.h"
#include "diagram/ui/DrawFrame.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/MultiControlBarMainFrame.h"
#include "examples/diagram-demo/DemoSupport.h"
#include "platform/core/Profile.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/MultiDocTemplate.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WindowPicture.h"

namespace fs = std::filesystem;

namespace demo {

namespace {

using Connections = std::set<std::pair<CDrawPort*, CDrawPort*>>;

Connections WiresOf(CDiagram* diagram) {
  Connections wires;
  for (POSITION pos = diagram->GetObjects().GetHeadPosition(); pos;) {
    if (auto* arc = DYNAMIC_DOWNCAST(CDrawArc, diagram->GetObjects().GetNext(pos)))
      wires.insert({arc->GetSrcOutPort(), arc->GetDestInPort()});
  }
  return wires;
}

CDrawPort* PortAt(CDrawBlock* block, int index) {
  POSITION pos = block ? block->GetPorts().FindIndex(index) : nullptr;
  return pos ? static_cast<CDrawPort*>(block->GetPorts().GetAt(pos)) : nullptr;
}

bool Join(CDiagram* diagram, CDrawPort* src, CDrawPort* dst) {
  if (!src || !dst) return false;
  auto* arc = new CDrawArc;
  if (arc->Initialize(src, dst, TRUE) && diagram->Add(arc)) return true;
  delete arc;
  return false;
}

CDrawView* ViewOf(CDrawDoc* doc, CDiagram* diagram) {
  for (POSITION pos = doc->GetFirstViewPosition(); pos;) {
    auto* view = dynamic_cast<CDrawView*>(doc->GetNextView(pos));
    if (view && view->GetDiagram() == diagram) return view;
  }
  return nullptr;
}

}  // namespace

void RunNestDemo(const fs::path& folder) {
  std::printf("Composite blocks\n");
  const fs::path savedProfile = platform::ProfilePath();
  const fs::path profile = fs::temp_directory_path() / ("scrivel-nest-demo-" + std::to_string(::getpid()) + ".ini");
  platform::SetProfilePath(profile);
  {
    CWinApp app(u"ScrivelDiagram");
    app.AddDocTemplate(new CMultiDocTemplate(IDR_DRAWTYPE, RUNTIME_CLASS(CDrawDoc), RUNTIME_CLASS(CDrawFrame),
                                             RUNTIME_CLASS(CDrawView)));
    auto* main = new CMultiControlBarMainFrame;
    const bool made = main->Create(u"AfxWnd", u"ScrivelDiagram", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 760)) != FALSE;
    Check(made, "an MDI main frame");
    if (!made) {
      platform::SetProfilePath(savedProfile);
      return;
    }
    app.m_pMainWnd = main;
    main->ShowWindow(SW_SHOW);
    auto* doc = dynamic_cast<CDrawDoc*>(app.OpenDocumentFile(nullptr));
    CDiagram* top = doc ? doc->GetDiagram() : nullptr;
    CDrawView* view = doc ? ViewOf(doc, top) : nullptr;
    Check(view != nullptr, "a new diagram in a document frame");
    if (view) {
      CDrawBlock* source = PlaceNamedBlock(top, 1, CPoint(-350, 200), view, u"Source");
      CDrawBlock* gain = PlaceNamedBlock(top, 101, CPoint(-100, 200), view, u"Gain");
      CDrawBlock* filter = PlaceNamedBlock(top, 101, CPoint(100, 200), view, u"Filter");
      CDrawBlock* sink = PlaceNamedBlock(top, 100, CPoint(330, 200), view, u"Sink");
      Check(Join(top, PortAt(source, 0), PortAt(gain, 0)) && Join(top, PortAt(gain, 1), PortAt(filter, 0)) &&
                Join(top, PortAt(filter, 1), PortAt(sink, 0)),
            "four blocks wired in a chain");
      const Connections before = WiresOf(top);

      view->Select(gain, FALSE);
      view->Select(filter, TRUE);
      view->SendMessage(WM_COMMAND, 57035);
      auto* block = DYNAMIC_DOWNCAST(CCompositeBlock, view->GetSelection().IsEmpty() ? nullptr
                                                                                     : view->GetSelection().GetHead());
      Check(block != nullptr && gain->GetDiagram() == block->GetInternalDiagram(),
            "Gain and Filter nested into a composite block (one undo step)");
      if (block) {
        Check(block->GetNumberOfInputPorts() == 1 && block->GetNumberOfOutputPorts() == 1,
              "  the block has one input and one output for the wires that crossed");
        block->OnOpen(view);
        platform::PumpPendingMessages();
        CDrawView* innerView = ViewOf(doc, block->GetInternalDiagram());
        Check(innerView != nullptr && DYNAMIC_DOWNCAST(CMDIChildWnd, innerView->GetParentFrame()) != nullptr,
              "the inner diagram opened in an MDI child frame through the template");
        if (innerView) {
          const std::string inner = (folder / "nest-inner.png").string();
          innerView->GetParentFrame()->MoveWindow(CRect(0, 0, 900, 600));
          platform::PumpPendingMessages();
          Check(platform::WriteWindowPicture(innerView->GetParentFrame()->GetSafeHwnd(), inner),
                "the inner diagram written to " + inner);
        }
        view->GetParentFrame()->MoveWindow(CRect(0, 0, 900, 600));
        view->GetParentFrame()->BringWindowToTop();
        platform::PumpPendingMessages();
        const std::string outer = (folder / "nest-outer.png").string();
        Check(platform::WriteWindowPicture(view->GetParentFrame()->GetSafeHwnd(), outer),
              "the outer diagram written to " + outer);

        view->Select(block, FALSE);
        view->SendMessage(WM_COMMAND, 57040);
        platform::PumpPendingMessages();
        Check(gain->GetDiagram() == top && WiresOf(top) == before,
              "un-nested: the same blocks joined by the same connections");
        Check(doc->UndoLast() && top->GetObjects().Find(block) && gain->GetDiagram() == block->GetInternalDiagram(),
              "the un-nest undone: the composite block is back with Gain and Filter inside");
      }
    }
    if (doc) {
      doc->ClearUndoStack();
      doc->ClearRedoStack();
      doc->SetModifiedFlag(FALSE);
    }
    main->SendMessage(WM_CLOSE);
    MSG quit;
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    app.m_pMainWnd = nullptr;
  }
  std::error_code error;
  fs::remove(profile, error);
  platform::SetProfilePath(savedProfile);
}

}  // namespace demo
