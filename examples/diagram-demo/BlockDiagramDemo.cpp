#include "examples/diagram-demo/BlockDiagramDemo.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/ui/ArcTool.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/SelectTool.h"
#include "diagram/ui/DrawView.h"
#include "examples/diagram-demo/DemoSupport.h"
#include "platform/core/Charset.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/PdfPrinter.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/StandardIds.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WinUser.h"

// The host's view: a diagram view that labels the places where wires cross
// a page boundary, on screen and on paper.
class CLabelledDrawView : public CDrawView {
  DECLARE_DYNCREATE(CLabelledDrawView)

 public:
  CLabelledDrawView() { m_bShowCrossLabels = TRUE; }
};

IMPLEMENT_DYNCREATE(CLabelledDrawView, CDrawView)

namespace demo {
namespace {

namespace fs = std::filesystem;

CStringW Wide(const std::string& utf8) { return CStringW(platform::Utf8ToUtf16(utf8).c_str()); }

LPARAM At(CPoint client) { return MAKELPARAM(client.x, client.y); }

CDrawPort* PortOf(CDrawBlock* block, int index) {
  POSITION pos = block->GetPorts().FindIndex(index);
  return pos ? static_cast<CDrawPort*>(block->GetPorts().GetAt(pos)) : nullptr;
}

// The wires that end on the block's ports.
std::vector<CDrawArc*> WiresOf(CDiagram& diagram, CDrawBlock* block) {
  std::vector<CDrawArc*> wires;
  const CDrawList& objects = diagram.GetObjects();
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    if (!object->IsKindOf(RUNTIME_CLASS(CDrawArc))) continue;
    auto* arc = static_cast<CDrawArc*>(object);
    for (int i = 0; i < block->GetPorts().GetCount(); ++i) {
      CDrawPort* port = PortOf(block, i);
      if (arc->GetSrcOutPort() == port || arc->GetDestInPort() == port) wires.push_back(arc);
    }
  }
  return wires;
}

// Both ends of the wire on their ports' connection points, and every
// segment horizontal or vertical.
bool Joined(CDrawArc* arc) {
  const int count = arc->GetHandleCount();
  if (!arc->IsComplete() || count < 2) return false;
  if (arc->GetHandle(1) != arc->GetSrcOutPort()->ConnectionPoint()) return false;
  if (arc->GetHandle(count) != arc->GetDestInPort()->ConnectionPoint()) return false;
  for (int i = 1; i < count; ++i) {
    const CPoint a = arc->GetHandle(i);
    const CPoint b = arc->GetHandle(i + 1);
    if (a.x != b.x && a.y != b.y) return false;
  }
  return true;
}

int PdfPages(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  const std::string pdf = s.str();
  const size_t tree = pdf.find("/Type /Pages");
  if (tree == std::string::npos) return -1;
  const size_t count = pdf.find("/Count ", tree);
  return count == std::string::npos ? -1 : std::atoi(pdf.c_str() + count + 7);
}

// Builds the diagram in a view at 100 % that shows the whole canvas, the
// way a user's mouse would: the host starts each wire at a port with the
// arc tool's press, the pointer moves to each bend and the wire ends at a
// port; a block is then dragged with the select tool.
class Editor {
 public:
  explicit Editor(CDrawDoc& doc) : doc_(doc), diagram_(*doc.GetDiagram()) {
    doc_.AddView(&view_);
    CDrawView::c_uNewViewScalePercent = 100;
    created_ = view_.CreateEx(0, u"AfxWnd", u"editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1800, 2300),
                              nullptr, 0) != FALSE;
    if (created_) {
      view_.OnInitialUpdate();
      view_.SetActive(TRUE);
    }
  }
  ~Editor() {
    CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool());
    if (created_) view_.DestroyWindow();
    doc_.RemoveView(&view_);
  }
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  bool Ready() const { return created_; }
  CDrawView& View() { return view_; }

  CPoint Client(CPoint doc) {
    view_.DocToClient(doc);
    return doc;
  }

  // A block of `inputs` x 100 + `outputs` named `name`, its top-left corner
  // at the point.
  CDrawBlock* PlaceBlock(UINT code, CPoint at, const char16_t* name) {
    return PlaceNamedBlock(&diagram_, code, at, &view_, name);
  }

  // A wire from the output to the input through the bends, drawn with the
  // arc tool.
  CDrawArc* Wire(CDrawPort* from, CDrawPort* to, std::initializer_list<CPoint> bends) {
    CArcTool* tool = CDrawToolSet::GetArcTool();
    CDrawTool::SetActiveTool(tool);
    tool->OnLButtonDown(&view_, MK_LBUTTON, Client(from->ConnectionPoint()), RUNTIME_CLASS(CDrawArc));
    CDrawArc* arc = tool->GetArcInProgress();
    if (!arc) return nullptr;
    for (CPoint bend : bends) {
      view_.SendMessage(WM_MOUSEMOVE, 0, At(Client(bend)));
      tool->OnLButtonDown(&view_, MK_LBUTTON, Client(bend), RUNTIME_CLASS(CDrawArc));
    }
    const CPoint end = Client(to->ConnectionPoint());
    view_.SendMessage(WM_MOUSEMOVE, 0, At(end));
    tool->OnLButtonDown(&view_, MK_LBUTTON, end, RUNTIME_CLASS(CDrawArc));
    view_.SendMessage(WM_LBUTTONUP, 0, At(end));
    CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool());
    return arc->IsComplete() ? arc : nullptr;
  }

  // Presses at the document point, drags by `pixels` in steps and releases,
  // as mouse messages to the view with the select tool active.
  void Drag(CPoint doc, CSize pixels) {
    CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool());
    const CPoint from = Client(doc);
    view_.SendMessage(WM_MOUSEMOVE, 0, At(from));
    view_.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(from));
    for (int step = 1; step <= 4; ++step) {
      const CPoint at(from.x + pixels.cx * step / 4, from.y + pixels.cy * step / 4);
      view_.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(at));
    }
    view_.SendMessage(WM_LBUTTONUP, 0, At(from + pixels));
  }

 private:
  CDrawDoc& doc_;
  CDiagram& diagram_;
  CDrawView view_;
  bool created_ = false;
};

// Shows the document in a frame at 150 % around the corner where the four
// pages meet, writes the view's pixels and prints the diagram with the
// standard print command.
void ShowAndPrint(CDrawDoc& doc, const fs::path& folder) {
  const std::string picture = (folder / "diagram-blocks.png").string();
  const std::string pdf = (folder / "diagram-blocks.pdf").string();
  std::error_code error;
  fs::remove(pdf, error);
  const std::string savedPrinterFolder = platform::PrinterOutputFolder();
  platform::SetPrinterOutputFolder(folder.string());
  CDrawView::c_uNewViewScalePercent = 150;

  auto* frame = new CFrameWnd;
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CLabelledDrawView);
  context.m_pCurrentDoc = &doc;
  if (!frame->Create(u"AfxWnd", u"diagram-blocks", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1280, 900), nullptr, nullptr, 0,
                     &context)) {
    Check(false, "a frame holding a view of the document");
    delete frame;
    platform::SetPrinterOutputFolder(savedPrinterFolder);
    return;
  }
  frame->InitialUpdateFrame(&doc);
  auto* view = static_cast<CDrawView*>(frame->GetActiveView());
  Check(view && view->GetScalePercentage() == 150, "the view opens at 150 %");
  if (view) {
    // The corner where the four pages meet goes to the middle of the window.
    CDiagram& diagram = *view->GetDiagram();
    const CRect canvas = diagram.GetRect();
    const CSize page = diagram.GetPageSize();
    CPoint corner(canvas.left + page.cx, canvas.top - page.cy);
    view->DocToClient(corner);
    CRect client;
    view->GetClientRect(client);
    view->ScrollToPosition(view->GetDeviceScrollPosition() + (corner - client.CenterPoint()));
    Check(view->GetDeviceScrollPosition() != CPoint(0, 0), "scrolled to where the four pages meet");
    view->Invalidate();
    view->UpdateWindow();
    platform::WindowSurface* surface = platform::WindowSurfaceOf(view->GetSafeHwnd());
    Check(surface && surface->WritePng(picture), "the view painted to " + picture);
  }
  const CSize shownPage = view ? view->GetDiagram()->GetPageSize() : CSize();
  frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
  // The printer gives its paper in whole millimetres.
  const CSize printedPage = view ? view->GetDiagram()->GetPageSize() : CSize();
  Check(std::abs(printedPage.cx - shownPage.cx) <= 4 && std::abs(printedPage.cy - shownPage.cy) <= 4,
        "the printed pages are the pages shown");
  Check(PdfPages(pdf) == 4, "printed to " + pdf + ", one page per canvas page");
  frame->DestroyWindow();
  platform::SetPrinterOutputFolder(savedPrinterFolder);
}

// For the block diagram the default printer takes letter paper, and the
// canvas's pages are its printable area from the start, so that each
// printed page is one page of the canvas as the view shows it, inside the
// printer's margins. The printer and the class-wide page size are restored
// at the end.
class LetterPrinter {
 public:
  LetterPrinter() : saved_(platform::DefaultPrinterSettings()) {
    platform::PrinterSettings letter = saved_;
    letter.paperSize = DMPAPER_LETTER;
    platform::PaperDimensions(DMPAPER_LETTER, &letter.paperWidth, &letter.paperLength);
    platform::SetDefaultPrinterSettings(letter);
    CPrintDialog printer(FALSE);
    if (printer.GetDefaults()) {
      CDiagram::UpdatePrinterPageSize(&printer);
      GlobalFree(printer.m_pd.hDevMode);
      GlobalFree(printer.m_pd.hDevNames);
    }
  }
  ~LetterPrinter() {
    platform::SetDefaultPrinterSettings(saved_);
    CDiagram::UpdatePrinterPageSize(nullptr);
  }
  LetterPrinter(const LetterPrinter&) = delete;
  LetterPrinter& operator=(const LetterPrinter&) = delete;

 private:
  platform::PrinterSettings saved_;
};

}  // namespace

void RunBlockDiagramDemo(const fs::path& folder) {
  const UINT savedPercent = CDrawView::c_uNewViewScalePercent;
  const LetterPrinter printer;
  const std::string path = (folder / "diagram-blocks.drw").string();
  std::vector<BYTE> saved;
  {
    std::printf("Blocks, ports and wires\n");
    CDrawDoc doc;
    Check(doc.OnNewDocument() != FALSE, "a new document");
    CDiagram& diagram = *doc.GetDiagram();
    Check(diagram.SetCanvasSize(2, 2) != FALSE, "a canvas of 2 x 2 pages");
    // Bends go exactly where the pointer is.
    if (diagram.IsSnapToGridEnabled()) diagram.ToggleSnapToGrid();
    Editor editor(doc);
    Check(editor.Ready(), "a view to edit in");
    if (!editor.Ready()) return;

    // Points measured right and down from the canvas's top-left corner (y
    // grows upward in the diagram); pages meet at (w, h).
    const CRect canvas = diagram.GetRect();
    const CSize page = diagram.GetPageSize();
    const int w = page.cx;
    const int h = page.cy;
    auto at = [&](int right, int down) { return CPoint(canvas.left + right, canvas.top - down); };

    // Around the corner where the four pages meet, one block on each page.
    CDrawBlock* source = editor.PlaceBlock(2, at(w - 330, h - 240), u"Gen");   // page 1: two outputs
    CDrawBlock* mixer = editor.PlaceBlock(201, at(w + 140, h - 220), u"Mix");  // page 2: two inputs, one output
    CDrawBlock* gain = editor.PlaceBlock(101, at(w + 70, h + 90), u"Gain");    // page 4
    CDrawBlock* scope = editor.PlaceBlock(100, at(w - 290, h + 120), u"Scope");  // page 3
    Check(source && mixer && gain && scope, "four blocks with their names and ports");
    if (!(source && mixer && gain && scope)) return;

    // Wires run out of an output's right side and into an input's left side.
    const CPoint genA = PortOf(source, 0)->ConnectionPoint();
    const CPoint genB = PortOf(source, 1)->ConnectionPoint();
    const CPoint mixIn0 = PortOf(mixer, 0)->ConnectionPoint();
    const CPoint mixIn1 = PortOf(mixer, 1)->ConnectionPoint();
    const CPoint mixOut = PortOf(mixer, 2)->ConnectionPoint();
    const CPoint gainIn = PortOf(gain, 0)->ConnectionPoint();
    const CPoint gainOut = PortOf(gain, 1)->ConnectionPoint();
    const CPoint scopeIn = PortOf(scope, 0)->ConnectionPoint();
    const int rightOfPage1 = canvas.left + w - 110;
    const int leftOfMixer = mixIn0.x - 35;
    const int rightOfMixer = mixOut.x + 45;
    const int rightOfGain = std::max(gainOut.x, mixOut.x) + 130;
    const int leftOfScope = scopeIn.x - 50;
    const int belowMixer = at(0, h - 60).y;
    const int belowGain = at(0, h + 240).y;
    std::vector<CDrawArc*> wires = {
        editor.Wire(PortOf(source, 0), PortOf(mixer, 0), {CPoint(leftOfMixer - 45, genA.y),
                                                          CPoint(leftOfMixer - 45, mixIn0.y)}),
        editor.Wire(PortOf(source, 1), PortOf(gain, 0), {CPoint(rightOfPage1, genB.y), CPoint(rightOfPage1, gainIn.y)}),
        editor.Wire(PortOf(mixer, 2), PortOf(scope, 0),
                    {CPoint(rightOfMixer, mixOut.y), CPoint(rightOfMixer, belowGain), CPoint(leftOfScope, belowGain),
                     CPoint(leftOfScope, scopeIn.y)}),
        editor.Wire(PortOf(gain, 1), PortOf(mixer, 1),
                    {CPoint(rightOfGain, gainOut.y), CPoint(rightOfGain, belowMixer), CPoint(leftOfMixer, belowMixer),
                     CPoint(leftOfMixer, mixIn1.y)}),
    };
    bool allJoined = true;
    for (CDrawArc* wire : wires) allJoined = allJoined && wire && Joined(wire);
    Check(allJoined, "four wires drawn with the arc tool, each from an output to an input");
    if (!allJoined) return;
    CrossPoint crossings[16];
    int crossingCount = 0;
    for (CDrawArc* wire : wires) crossingCount += wire->GetCrossPoint(crossings, 16);
    Check(crossingCount >= 4, std::to_string(crossingCount) + " crossings of page boundaries");

    std::printf("Moving a block with the mouse\n");
    doc.ClearUndoStack();
    const CRect home = gain->GetPosition();
    // Pressed inside the block, below its name.
    const CPoint grip(home.CenterPoint().x, home.bottom + 8);
    editor.Drag(grip, CSize(40, 40));
    const CRect moved = gain->GetPosition();
    Check(moved != home && moved.Size() == home.Size(), "the block moved with the pointer");
    Check(doc.GetNumberUndosOnStack() == 1 && CStringW(doc.GetNextUndoCmdName()) == CStringW(u"Reposition"),
          "the drag is one \"Reposition\" entry");
    auto wiresFollow = [&] {
      const std::vector<CDrawArc*> attached = WiresOf(diagram, gain);
      bool ok = attached.size() == 2;
      for (CDrawArc* wire : attached) ok = ok && Joined(wire);
      return ok;
    };
    Check(wiresFollow(), "its two wires follow it and stay orthogonal");
    Check(doc.UndoLast() != FALSE && gain->GetPosition() == home && wiresFollow(), "undo puts it and its wires back");
    Check(doc.RedoLast() != FALSE && gain->GetPosition() == moved && wiresFollow(), "redo moves them again");

    std::printf("Saving and loading\n");
    doc.SetTitle(u"diagram-blocks");
    saved = StreamBytes(doc);
    Check(doc.OnSaveDocument(Wide(path)) != FALSE, "saved as " + path);
  }
  CDrawDoc loaded;
  Check(loaded.OnOpenDocument(Wide(path)) != FALSE, "opened diagram-blocks.drw");
  Check(StreamBytes(loaded) == saved, "  and it equals what was saved");
  loaded.SetTitle(u"diagram-blocks");

  std::printf("Showing and printing\n");
  ShowAndPrint(loaded, folder);
  CDrawView::c_uNewViewScalePercent = savedPercent;
}

}  // namespace demo
