// demo_diagram OUTPUT_FOLDER
//
// Shows ScrivelDiagram at work, as a host's code and tools would drive it:
// a diagram of rectangles, a rounded rectangle, an ellipse, lines, a polygon,
// a polyline, texts in two fonts and a group is built through the library's
// own operations; an edit is undone and redone; the document is saved as a
// plain stream and as a compound file, both are loaded back and compared with
// the original byte for byte, and the diagram is painted in a view and written
// as a PNG picture after a rectangle's fill was changed through its property
// sheet, and the view's bird's-eye window is written as a picture too; the
// document is shown in a frame with bars and a split view (frame.png,
// frame-birdeye.png) whose placement and bar state come back after it is
// closed and reopened, and the plain file is opened through the document
// template in an MDI main frame (mdi-frame.png). Then a diagram of blocks, ports and wires on 2 x 2
// pages is drawn with the arc and select tools, saved, loaded, shown at 150 %
// and printed (BlockDiagramDemo.h), and a rectangle, a polyline and a text are
// drawn with the creation tools through mouse messages (ToolsDemo.h). Then
// blocks joined by wires are routed with the cell router and painted before
// and after, and dynamic routing re-routes the wire of a block that moves; a
// diagram with a fan-out is routed with each router (RouterDemo.h); last, the
// blocks of a multi-page diagram are moved off its page boundaries with the
// view's command (PageBoundaryDemo.h), a selection is nested into a
// composite block (NestDemo.h); two blocks and their wire are copied into a
// second document through the clipboard and a block is dragged from one
// document's view to the other's (ClipboardDemo.h); and a note object is
// inserted, edited in place, saved in a compound document and loaded back
// (OleDemo.h).
// Writes OUTPUT_FOLDER/diagram-plain.drw, diagram-compound.drw, diagram.png,
// birdeye.png, frame.png, frame-birdeye.png, mdi-frame.png, diagram-blocks.drw,
// diagram-blocks.png, diagram-blocks.pdf, diagram-tools.png,
// routing-before.png, routing-after.png, routing-moved.png, one
// routing-<router>.png per router, page-boundaries-before.png,
// page-boundaries-after.png, nest-outer.png, nest-inner.png,
// clipboard-source.png, clipboard-target.png, ole-note.drw and ole-note.png;
// exits non-zero when a step fails.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "examples/diagram-demo/ToolsDemo.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/lists/DrawList.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/model/objects/TextFont.h"
#include "diagram/ui/BirdEyeWnd.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/MultiControlBarSDIFrame.h"
#include "diagram/ui/RectDlg.h"
#include "examples/diagram-demo/BlockDiagramDemo.h"
#include "examples/diagram-demo/ClipboardDemo.h"
#include "examples/diagram-demo/DemoSupport.h"
#include "examples/diagram-demo/MdiDemo.h"
#include "examples/diagram-demo/NestDemo.h"
#include "examples/diagram-demo/OleDemo.h"
#include "examples/diagram-demo/RouterDemo.h"
#include "examples/diagram-demo/PageBoundaryDemo.h"
#include "platform/core/Archive.h"
#include "platform/core/Charset.h"
#include "platform/core/Exceptions.h"
#include "platform/core/File.h"
#include "platform/core/MessageBox.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/WindowPicture.h"
#include "platform/core/Profile.h"
#include <unistd.h>
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowDC.h"

extern "C" void _InitScrivel();

namespace {

namespace fs = std::filesystem;

using demo::Check;
using demo::StreamBytes;

CStringW Wide(const std::string& utf8) { return CStringW(platform::Utf8ToUtf16(utf8).c_str()); }

LOGFONTW Font(const char16_t* face, int height, int weight) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = face[i];
  return lf;
}

// A polyline: the polygon class with its open flag set, as the polyline tool
// makes it. It is stored and read back as the library's own class.
class OpenPolyline : public CDrawPoly {
 public:
  OpenPolyline() { m_bPolyLine = TRUE; }
};

// Builds the diagram: every shape kind, texts in two fonts, and a group.
// Everything goes through the diagram's own operations, so each step is
// recorded for undo as a user's would be.
struct Built {
  CDrawRect* box = nullptr;
  CDrawGroup* group = nullptr;
};

Built BuildDiagram(CDiagram& diagram, CTextFont& titleFont) {
  Built built;
  const CRect canvas = diagram.GetRect();  // y grows upward: top > bottom
  const int x0 = canvas.left + 100;
  const int y0 = canvas.top - 100;

  auto add = [&](CDrawObj* object) {
    if (!diagram.Add(object)) {
      delete object;
      return false;
    }
    return true;
  };

  // Rectangles of the four shapes, each with its own look.
  built.box = diagram.MakeDrawRect(CPoint(x0, y0));
  built.box->MoveTo(CRect(x0, y0, x0 + 300, y0 - 180), nullptr);
  add(built.box);
  built.box->SetFillColor(RGB(255, 236, 179));
  built.box->SetLineColor(RGB(120, 80, 0));
  built.box->SetPenStyle(PS_SOLID, 3);

  auto* rounded = new CDrawRect(CRect(x0 + 380, y0, x0 + 680, y0 - 180), CDrawRect::roundRectangle);
  add(rounded);
  rounded->SetFillColor(RGB(200, 230, 201));
  rounded->EnableHatch(TRUE);
  rounded->SetHatchStyle(HS_DIAGCROSS);
  rounded->SetHatchColor(RGB(46, 125, 50));

  auto* ellipse = new CDrawRect(CRect(x0 + 760, y0, x0 + 1060, y0 - 180), CDrawRect::ellipse);
  add(ellipse);
  ellipse->SetFillColor(RGB(187, 222, 251));
  ellipse->SetLineColor(RGB(13, 71, 161));

  auto* line = new CDrawRect(CRect(x0, y0 - 260, x0 + 300, y0 - 420), CDrawRect::line);
  add(line);
  line->SetPenStyle(PS_SOLID, 4);
  line->SetLineColor(RGB(183, 28, 28));
  auto* dashed = new CDrawRect(CRect(x0, y0 - 420, x0 + 300, y0 - 260), CDrawRect::line);
  add(dashed);
  dashed->SetPenStyle(PS_DASH, 0);

  // A closed polygon (a triangle) and an open polyline, point by point.
  CDrawPoly* triangle = diagram.MakeDrawPoly();
  add(triangle);
  for (CPoint p : {CPoint(x0 + 380, y0 - 420), CPoint(x0 + 530, y0 - 260), CPoint(x0 + 680, y0 - 420)})
    triangle->AddPoint(p, nullptr);
  triangle->SetFillColor(RGB(225, 190, 231));
  triangle->EnableFill(TRUE);

  auto* zigzag = new OpenPolyline;
  add(zigzag);
  for (int i = 0; i < 6; ++i) zigzag->AddPoint(CPoint(x0 + 760 + i * 60, y0 - (i % 2 ? 260 : 420)), nullptr);
  zigzag->SetPenStyle(PS_SOLID, 2);
  zigzag->SetLineColor(RGB(0, 105, 92));

  // Texts: a title in its own font, and a caption in the library's default.
  add(new CDrawText(u"ScrivelDiagram demonstration", CRect(x0, y0 + 80, x0 + 1060, y0 + 20), 1, 4, &titleFont,
                    &diagram));
  auto* caption = new CDrawText(u"shapes, texts and a group", CRect(x0, y0 - 460, x0 + 1060, y0 - 500), 1, 4,
                                nullptr, &diagram);
  add(caption);

  // The rounded rectangle and the ellipse become one group.
  built.group = diagram.MakeDrawGroup();
  add(built.group);
  CDrawList members;
  members.AddTail(rounded);
  members.AddTail(ellipse);
  built.group->SetMembers(members, FALSE);
  return built;
}

// Changes the fill of the diagram's first rectangle through its property
// sheet, as a user would: Shift and a right click on it with the select
// tool, the fill colour button, the colour dialog, OK.
bool ChangeFillThroughPropertySheet(CDrawView& view, COLORREF color) {
  CDrawRect* rect = nullptr;
  for (POSITION pos = view.GetDiagram()->GetObjects().GetHeadPosition(); pos && !rect;) {
    rect = dynamic_cast<CDrawRect*>(view.GetDiagram()->GetObjects().GetNext(pos));
  }
  if (!rect) return false;
  int sheets = 0;
  platform::ScopedModalDriver driver([color, &sheets](platform::ModalSession& s) {
    if (s.As<CColorDialog>()) {
      CStringW part;
      part.Format(u"%d", GetRValue(color));
      s.EnterText(COLOR_RED, part);
      part.Format(u"%d", GetGValue(color));
      s.EnterText(COLOR_GREEN, part);
      part.Format(u"%d", GetBValue(color));
      s.EnterText(COLOR_BLUE, part);
      s.Click(IDOK);
      return;
    }
    if (!s.As<CPropertySheet>()) {
      s.Close();  // a pop-up menu instead of the sheet: the click missed
      return;
    }
    ++sheets;
    std::printf("  the property sheet shows the shape page; the fill colour is chosen\n");
    s.Click(CRectDlg::kFillColorButton);
    s.Click(IDOK);
  });
  CPoint centre = rect->GetPosition().CenterPoint();
  view.DocToClient(centre);
  view.SetActive(TRUE);
  view.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(centre.x, centre.y));
  view.SendMessage(WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(centre.x, centre.y));
  platform::PumpPendingMessages();
  return sheets == 1 && rect->GetFillColor() == color && rect->IsFillEnabled();
}

// Paints the active diagram in a view of the document and writes the
// view's pixels; then shows the bird's-eye window of the view and writes
// its pixels too.
bool Paint(CDrawDoc& doc, const std::string& path, const std::string& overviewPath) {
  CDrawView view;
  doc.AddView(&view);
  // The objects lie within 1260 x 700 units of the canvas's top-left
  // corner, a unit being a hundredth of an inch at 100 %.
  const bool created = view.CreateEx(0, u"AfxWnd", u"diagram", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(0, 0, 1240, 680), nullptr, 0) != FALSE;
  bool written = false;
  if (created) {
    view.OnInitialUpdate();
    Check(ChangeFillThroughPropertySheet(view, RGB(120, 200, 255)),
          "a fill changed through the property sheet (Shift and a right click with the select tool)");
    view.Invalidate();
    view.UpdateWindow();
    platform::WindowSurface* surface = platform::WindowSurfaceOf(view.GetSafeHwnd());
    written = surface && surface->WritePng(path);
    view.SendMessage(WM_COMMAND, 57054);
    CBirdEyeWnd* overview = view.GetBirdEyeWnd();
    if (overview) {
      // Scrolled a little, so that the tracker sits inside the overview.
      view.ScrollToPosition(CPoint(200, 100));
      overview->UpdateTracker();
      overview->Invalidate();
      overview->UpdateWindow();
      platform::WindowSurface* picture = platform::WindowSurfaceOf(overview->GetSafeHwnd());
      Check(picture && picture->WritePng(overviewPath), "the bird's-eye window painted to " + overviewPath);
    } else {
      Check(false, "the bird's-eye window opened");
    }
    // Closing the view closes its overview.
    view.DestroyWindow();
    Check(!view.IsBirdEyeShown(), "the overview closed with its view");
  }
  doc.RemoveView(&view);
  return written;
}

// Opens the document in the SDI frame with its bars and a split view, shows
// the first pane's bird's-eye window, writes the frame composed with its
// children; then disables the status bar, moves the frame, closes it and
// checks that a new frame comes back at the same place with the same bars.
void ShowInFrame(CDrawDoc& doc, const fs::path& folder) {
  const std::filesystem::path savedProfile = platform::ProfilePath();
  const fs::path profile = fs::temp_directory_path() / ("scrivel-demo-" + std::to_string(::getpid()) + ".ini");
  platform::SetProfilePath(profile);
  // The fill changed in the painting step: closing the frame asks to save
  // it, and the demo declines, so the saved files stay as they were.
  int asked = 0;
  platform::ScopedMessageBoxHandler boxes([&asked](const platform::MessageBoxRequest& box) {
    ++asked;
    std::printf("  question: %s (no)\n", platform::Utf16ToUtf8(std::u16string_view(box.text.GetString())).c_str());
    return IDNO;
  });
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CDrawView);
  context.m_pCurrentDoc = &doc;
  auto open = [&]() -> CMultiControlBarSDIFrame* {
    auto* frame = new CMultiControlBarSDIFrame;
    frame->SetNameOfHostCFB(u"demo");
    if (!frame->Create(u"AfxWnd", u"ScrivelDiagram", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 700), nullptr, nullptr, 0,
                       &context)) {
      return nullptr;
    }
    frame->InitialUpdateFrame(&doc, TRUE);
    frame->OnUpdateFrameTitle(TRUE);
    return frame;
  };
  CMultiControlBarSDIFrame* frame = open();
  Check(frame != nullptr, "the document opened in a frame with a tool bar, a status bar and a splitter");
  if (!frame) return;
  Check(frame->m_wndSplitter.SplitColumn(560) != FALSE, "the view split into two panes");
  auto* view = dynamic_cast<CDrawView*>(frame->GetActiveView());
  Check(view != nullptr, "the first pane is a diagram view");
  if (view) {
    view->SendMessage(WM_COMMAND, 57054);
    CBirdEyeWnd* overview = view->GetBirdEyeWnd();
    Check(overview != nullptr, "its bird's-eye window is shown");
    if (overview) {
      overview->Invalidate();
      const std::string picture = (folder / "frame-birdeye.png").string();
      Check(platform::WriteWindowPicture(overview->GetSafeHwnd(), picture), "the overview written to " + picture);
    }
  }
  // The host's message loop runs: the status bar says "Ready".
  platform::PumpPendingMessages();
  frame->Invalidate();
  const std::string picture = (folder / "frame.png").string();
  Check(platform::WriteWindowPicture(frame->GetSafeHwnd(), picture),
        "the frame with its bars and panes written to " + picture);

  frame->SetWindowPos(nullptr, 40, 50, 900, 640, SWP_NOZORDER);
  frame->EnableControlBar(AFX_IDW_STATUS_BAR, FALSE);
  platform::PumpPendingMessages();
  frame->SendMessage(WM_CLOSE);
  Check(asked == 1, "closing asked whether to save the changed document");
  frame = open();
  Check(frame != nullptr, "the frame opened again");
  if (frame) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    frame->GetWindowPlacement(&placement);
    Check(CRect(placement.rcNormalPosition) == CRect(40, 50, 940, 690), "  at the place it was closed");
    Check(!frame->m_wndStatusBar.IsVisible() &&
              frame->GetBarDVState(&frame->m_wndStatusBar) == CMultiControlBarSDIFrame::barDisabledVisible,
          "  with its status bar still disabled");
    Check(frame->m_wndToolBar.IsVisible(), "  and its tool bar shown");
    frame->SendMessage(WM_CLOSE);
  }
  std::error_code error;
  fs::remove(profile, error);
  platform::SetProfilePath(savedProfile);
}

// Paints the active diagram in a view of the document and writes the view's
// pixels.
bool PaintPlain(CDrawDoc& doc, const std::string& path) {
  CDrawView view;
  return demo::PaintInView(doc, view, u"diagram", CRect(0, 0, 1240, 680), path);
}

CDrawPort* FirstPort(CDrawBlock* block) {
  POSITION pos = block->GetPorts().GetHeadPosition();
  return pos ? static_cast<CDrawPort*>(block->GetPorts().GetAt(pos)) : nullptr;
}

bool IsOrthogonal(CDrawArc* arc) {
  for (int i = 2; i <= arc->GetHandleCount(); ++i) {
    const CPoint a = arc->GetHandle(i - 1);
    const CPoint b = arc->GetHandle(i);
    if (a.x != b.x && a.y != b.y) return false;
  }
  return arc->GetHandleCount() >= 2;
}

// Blocks joined by wires drawn as straight slanted lines, routed with the
// cell router; then dynamic routing follows a block that moves.
void RouteWires(const fs::path& folder) {
  CDrawDoc doc;
  Check(doc.OnNewDocument() != FALSE, "a new document for routing");
  CDiagram& diagram = *doc.GetDiagram();
  Check(diagram.SetCanvasSize(2, 1) != FALSE, "a canvas of two pages");
  // A view to lay the blocks out in; it stays while the pictures are taken,
  // so the live router lives as long as the demo needs it.
  CDrawView placer;
  doc.AddView(&placer);
  placer.CreateEx(0, u"AfxWnd", u"placer", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1240, 680), nullptr, 0);
  placer.OnInitialUpdate();
  const CRect canvas = diagram.GetRect();
  const int x0 = canvas.left + 150;
  const int y0 = canvas.top - 150;
  struct Placed {
    UINT code;
    int dx, dy;
  };
  const Placed layout[] = {{1, 0, 0}, {1, 0, -300}, {100, 700, -150}, {100, 700, -420}, {1, 350, -200}};
  std::vector<CDrawBlock*> blocks;
  for (const Placed& p : layout) {
    auto* block = new CDrawBlock;
    if (block->InitializeAs(p.code, CPoint(x0 + p.dx, y0 + p.dy), &placer) &&
        block->AddBlockAndComponentsToDiagram(&diagram)) {
      blocks.push_back(block);
    } else {
      delete block;
    }
  }
  Check(blocks.size() == 5, "five blocks placed");
  if (blocks.size() != 5) return;
  std::vector<CDrawArc*> wires;
  const std::pair<int, int> joins[] = {{0, 2}, {1, 3}, {4, 3}};
  for (const auto& [from, to] : joins) {
    auto* arc = new CDrawArc;
    if (arc->Initialize(FirstPort(blocks[from]), FirstPort(blocks[to]), TRUE) && diagram.Add(arc)) {
      wires.push_back(arc);
    } else {
      delete arc;
    }
  }
  Check(wires.size() == 3, "three wires drawn");
  Check(PaintPlain(doc, (folder / "routing-before.png").string()), "the wires before routing painted");

  CDiagram::m_nManualRouteMethod = 1;
  CDiagram::m_nRouteWhat = 0;
  Check(diagram.RouteArcs(CDrawList(), 0) == 1, "a routing pass with the cell router");
  bool allOrthogonal = true;
  for (CDrawArc* arc : wires) allOrthogonal = allOrthogonal && IsOrthogonal(arc);
  Check(allOrthogonal, "every wire runs horizontally and vertically");
  Check(PaintPlain(doc, (folder / "routing-after.png").string()), "the routed wires painted");

  diagram.SetAutoRouteModeAndMethod(2, 1);
  Check(diagram.GetAutoRouteMode() == 2, "dynamic routing on");
  doc.BeginUndoRecording(u"Move Block", 255);
  diagram.BeginDynamicRouteChanges();
  blocks[2]->MoveBy(CPoint(0, -120), TRUE);
  diagram.EndDynamicRouteChanges();
  doc.EndUndoRecording();
  Check(IsOrthogonal(wires[0]) && wires[0]->GetHandle(wires[0]->GetHandleCount()) == FirstPort(blocks[2])->ConnectionPoint(),
        "the moved block's wire was routed again");
  Check(PaintPlain(doc, (folder / "routing-moved.png").string()), "the re-routed wires painted");
  diagram.SetAutoRouteModeAndMethod(0, 0);
  placer.DestroyWindow();
  doc.RemoveView(&placer);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const fs::path folder = argv[1];
  std::error_code error;
  fs::create_directories(folder, error);
  // Questions take their default answer; messages are printed.
  platform::ScopedMessageBoxHandler boxes([](const platform::MessageBoxRequest& box) {
    std::printf("  message: %s\n", platform::Utf16ToUtf8(std::u16string_view(box.text.GetString())).c_str());
    return platform::DefaultMessageBoxAnswer(box.type);
  });
  _InitScrivel();

  try {
    const std::string plainPath = (folder / "diagram-plain.drw").string();
    const std::string compoundPath = (folder / "diagram-compound.drw").string();
    std::vector<BYTE> original;
    {
      std::printf("Building a diagram\n");
      CDrawDoc doc;
      Check(doc.OnNewDocument() != FALSE, "a new document");
      CDiagram& diagram = *doc.GetDiagram();
      Check(diagram.SetCanvasSize(2, 1) != FALSE, "a canvas of two pages");
      CTextFont titleFont(Font(u"DejaVu Sans", -40, FW_BOLD));
      const Built built = BuildDiagram(diagram, titleFont);
      Check(diagram.GetObjects().GetCount() == 10, "ten objects on the canvas (the group and its members each count)");

      std::printf("Undo and redo\n");
      const std::vector<BYTE> before = StreamBytes(doc);
      const int undoEntries = doc.GetNumberUndosOnStack();
      built.box->SetFillColor(RGB(255, 138, 101));
      Check(StreamBytes(doc) != before, "the fill colour changed the stream");
      Check(doc.UndoLast() != FALSE && StreamBytes(doc) == before, "undo restores the stream exactly");
      Check(doc.GetNumberUndosOnStack() == undoEntries && doc.GetNumberRedosOnStack() == 1,
            "the entry moved to the redo stack");
      Check(doc.RedoLast() != FALSE && built.box->GetFillColor() == RGB(255, 138, 101),
            "redo makes the change again");

      std::printf("Saving\n");
      original = StreamBytes(doc);
      {
        CFile file(Wide(plainPath), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar.m_pDocument = &doc;
        doc.Serialize(ar);
        ar.Close();
        file.Close();
      }
      Check(fs::file_size(plainPath, error) == original.size(), "the plain file holds the stream");
      Check(doc.OnSaveDocument(Wide(compoundPath)) != FALSE, "saved as a compound file");
      // The document keeps its compound file open, and to itself, until it
      // closes: it ends with this block, before the files are opened again.
    }

    std::printf("Loading\n");
    // A plain file is converted as it opens; a compound file opens as is.
    CDrawDoc plain;
    Check(plain.OnOpenDocument(Wide(plainPath)) != FALSE, "opened diagram-plain.drw");
    Check(StreamBytes(plain) == original, "  and it equals the original");
    CDrawDoc compound;
    Check(compound.OnOpenDocument(Wide(compoundPath)) != FALSE, "opened diagram-compound.drw");
    compound.SetPathName(Wide(compoundPath));
    Check(StreamBytes(compound) == original, "  and it equals the original");

    std::printf("Painting\n");
    const std::string picture = (folder / "diagram.png").string();
    const std::string overview = (folder / "birdeye.png").string();
    Check(Paint(compound, picture, overview), "the loaded compound document painted to " + picture);

    std::printf("Frame\n");
    ShowInFrame(compound, folder);
    std::printf("MDI frame\n");
    ShowInMainFrame(plainPath, folder);

    demo::RunBlockDiagramDemo(folder);
    DrawWithTools((folder / "diagram-tools.png").string());

    std::printf("Routing wires\n");
    RouteWires(folder);
    demo::RunRouterDemo(folder);
    demo::RunPageBoundaryDemo(folder);
    demo::RunNestDemo(folder);
    demo::RunClipboardDemo(folder);
    demo::RunOleDemo(folder);
  } catch (CException& e) {
    std::printf("FAIL: %s\n", platform::Utf16ToUtf8(std::u16string_view(e.GetErrorMessage().GetString())).c_str());
    return 1;
  }
  const int failures = demo::Failures();
  std::printf(failures ? "%d step(s) failed\n" : "All steps passed\n", failures);
  return failures ? 1 : 0;
}
