#include "diagram/ui/tests/EditSession.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <sstream>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/model/undo/URList.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/routing/CellArcRouter.h"
#include "diagram/routing/SegmentArcRouter.h"
#include "diagram/routing/SharedPathArcRouter.h"
#include "diagram/ui/ArcTool.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/PlacerTool.h"
#include "diagram/ui/SelectTool.h"
#include "platform/core/Exceptions.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/WinUser.h"

namespace editseq {

namespace {

// A router of the library whose search of one wire throws when the
// diagram's countdown reaches it.
template <class Router>
class FailingRouter : public Router {
 public:
  FailingRouter(SessionDiagram* diagram, AutoRouteOption* options) : Router(diagram, options), diagram_(diagram) {}
  using Router::Route;
  int Route(CDrawArc* arc) override {
    if (diagram_->failCountdown > 0 && --diagram_->failCountdown == 0) {
      if (diagram_->failWithMemory) AfxThrowMemoryException();
      AfxThrowInvalidArgException();
    }
    return Router::Route(arc);
  }

 private:
  SessionDiagram* diagram_;
};

std::string Describe(const CURList* entry) {
  if (!entry) return "(none)";
  return CStringA(const_cast<CURList*>(entry)->GetCmdName()).GetString();
}

// One line per object of the document a stream holds (class, z-index,
// position, pen, fill, a group's members, a wire's ports, the handles), and
// the canvas, for the message of a failure.
std::vector<std::string> Lines(const Stream& stream) {
  std::vector<std::string> lines;
  CDrawDoc loaded;
  try {
    doctest::LoadArchive in(stream, &loaded);
    loaded.Serialize(in.ar());
  } catch (CException&) {
    return {"(does not load)"};
  }
  CDiagram* diagram = loaded.GetDiagram();
  std::ostringstream head;
  const CRect canvas = diagram->GetRect();
  head << "canvas " << canvas.left << ',' << canvas.top << ',' << canvas.right << ',' << canvas.bottom << " paper "
       << diagram->GetPaperColor() << " grid " << diagram->GetGridSize().cx << '/' << diagram->GetGridLineInterval().cx;
  lines.push_back(head.str());
  const CDrawList& objects = diagram->GetObjects();
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    std::ostringstream line;
    const CRect& r = object->GetPosition();
    line << object->GetRuntimeClass()->m_lpszClassName << " z" << object->GetZIndex() << " (" << r.left << ','
         << r.top << ',' << r.right << ',' << r.bottom << ") pen " << object->GetPenStyle() << '/'
         << object->GetPenSize() << '/' << object->GetLineColor() << " fill " << object->IsFillEnabled() << '/'
         << object->GetFillColor() << " hatch " << object->IsHatchEnabled() << '/' << object->GetHatchStyle()
         << " group " << (object->GetGroup() ? object->GetGroup()->GetZIndex() : -1);
    if (object->IsKindOf(RUNTIME_CLASS(CDrawGroup))) {
      line << " members";
      const CDrawList& members = static_cast<CDrawGroup*>(object)->GetMembers();
      for (POSITION at = members.GetHeadPosition(); at;) line << ' ' << members.GetNext(at)->GetZIndex();
    }
    if (object->IsKindOf(RUNTIME_CLASS(CDrawText)))
      line << " text \"" << CStringA(static_cast<CDrawText*>(object)->TextString()).GetString() << '"';
    if (object->IsKindOf(RUNTIME_CLASS(CDrawArc))) {
      auto* arc = static_cast<CDrawArc*>(object);
      line << " from " << (arc->GetSrcOutPort() ? arc->GetSrcOutPort()->GetZIndex() : -1) << " to "
           << (arc->GetDestInPort() ? arc->GetDestInPort()->GetZIndex() : -1) << " complete " << arc->IsComplete();
    }
    line << " handles";
    for (int i = 1; i <= object->GetHandleCount(); ++i) {
      const CPoint p = object->GetHandle(i);
      line << ' ' << p.x << ',' << p.y;
    }
    lines.push_back(line.str());
  }
  return lines;
}

// The lines where two streams differ.
std::string Difference(const Stream& expected, const Stream& actual) {
  const std::vector<std::string> a = Lines(expected);
  const std::vector<std::string> b = Lines(actual);
  std::ostringstream out;
  for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    const std::string& x = i < a.size() ? a[i] : std::string("(none)");
    const std::string& y = i < b.size() ? b[i] : std::string("(none)");
    if (x != y) out << "\n  kept: " << x << "\n  now:  " << y;
  }
  if (out.str().empty()) {
    const auto at = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    out << "\n  (the objects read alike; the streams differ from byte " << (at.first - expected.begin()) << " of "
        << expected.size() << " and " << actual.size() << ": " << int(*at.first) << " and " << int(*at.second) << ")";
    const size_t from = static_cast<size_t>(at.first - expected.begin());
    // The bytes around the first difference, for the fields the lines leave out.
    out << "\n  kept bytes:";
    for (size_t i = from > 24 ? from - 24 : 0; i < std::min(expected.size(), from + 24); ++i)
      out << ' ' << int(expected[i]);
    out << "\n  now bytes: ";
    for (size_t i = from > 24 ? from - 24 : 0; i < std::min(actual.size(), from + 24); ++i)
      out << ' ' << int(actual[i]);
  }
  return out.str();
}

}  // namespace

CArcRouter* SessionDiagram::GetNewArcRouter(UINT method) {
  switch (method) {
    case 1: return new FailingRouter<CellArcRouter>(this, &m_autoRouteOption);
    case 2: return new FailingRouter<SegmentArcRouter>(this, &m_autoRouteOption);
    case 3: return new FailingRouter<SharedPathArcRouter>(this, &m_autoRouteOption);
    default: return nullptr;
  }
}

Settings SettingsFor(uint32_t seed, int steps) {
  Settings settings;
  settings.steps = steps;
  if (seed % 4 == 3) settings.undoLimit = 3 + static_cast<int>(seed % 5);
  return settings;
}

SessionDoc::SessionDoc() {
  delete m_pDiagram;
  m_pDiagram = new SessionDiagram;
  m_pActiveDiagram = m_pDiagram;
  m_pDiagram->SetDocument(this);
}

namespace {

// The class-wide state the tools and views keep between gestures and
// documents, put at what a program that has just started has: a session
// then runs the same way alone and after others.
void ResetClassState() {
  CDrawTool::c_down = CPoint();
  CDrawTool::c_last = CPoint();
  CDrawTool::c_nDownFlags = 0;
  CDrawTool::nDragHandle = 0;
  CDrawTool::selectMode = smNone;
  CSelectTool::c_moveBoundingRect.SetRectEmpty();
  CSelectTool::c_moveStart = CPoint();
  CSelectTool::InitialPoint = CPoint();
  CDrawToolSet::GetBlockTool()->ResetBlockType();
  CDrawToolSet::GetCompositeBlockTool()->ResetBlockType();
  CDrawView::c_bShowGrid = TRUE;
  CDrawView::c_crGridColor = RGB(0, 0, 128);
}

}  // namespace

// The class-wide options a session changes, put back when it ends; the
// class-wide state set to its start.
struct Session::SavedOptions {
  SavedOptions() { ResetClassState(); }
  int maxUndo = CDrawDoc::m_nMaxUndoLevels;
  BOOL capture = CDiagram::m_bCaptureArcCreation;
  BOOL singleUse = CDiagram::m_bArcToolSingleUse;
  BOOL pencil = CDiagram::m_bAllowArcPencilMode;
  int routeWhat = CDiagram::m_nRouteWhat;
  BOOL arcs = CDiagram::m_bSelectedArcs;
  BOOL nodes = CDiagram::m_bSelectedNodes;
  BOOL blocks = CDiagram::m_bSelectedBlocks;
  UINT manual = CDiagram::m_nManualRouteMethod;
  AutoRouteOption routing = CDiagram::m_autoRouteOption;
  UINT percent = CDrawView::c_uNewViewScalePercent;
  BOOL showGrid = CDrawView::c_bShowGrid;
  COLORREF gridColor = CDrawView::c_crGridColor;
  CDrawTool* tool = CDrawTool::GetActiveTool();
  ~SavedOptions() {
    CDrawDoc::SetMaxUndoLevels(maxUndo);
    CDiagram::m_bCaptureArcCreation = capture;
    CDiagram::m_bArcToolSingleUse = singleUse;
    CDiagram::m_bAllowArcPencilMode = pencil;
    CDiagram::m_nRouteWhat = routeWhat;
    CDiagram::m_bSelectedArcs = arcs;
    CDiagram::m_bSelectedNodes = nodes;
    CDiagram::m_bSelectedBlocks = blocks;
    CDiagram::m_nManualRouteMethod = manual;
    CDiagram::m_autoRouteOption = routing;
    CDrawView::c_uNewViewScalePercent = percent;
    CDrawView::c_bShowGrid = showGrid;
    CDrawView::c_crGridColor = gridColor;
    CDrawTool::c_pActiveTool = tool;
    CDrawTool::selectMode = smNone;
    CDrawTool::nDragHandle = 0;
  }
};


Session::Session(uint32_t seed, const Settings& settings)
    : saved_(new SavedOptions), rng(seed), settings_(settings), seed_(seed) {
  doctest::LinkLibrary();
  diagram = static_cast<SessionDiagram*>(doc.GetDiagram());
  if (settings_.undoLimit > 0) CDrawDoc::SetMaxUndoLevels(settings_.undoLimit);
  CDiagram::m_bCaptureArcCreation = Chance(50);
  CDiagram::m_bArcToolSingleUse = TRUE;
  CDiagram::m_bAllowArcPencilMode = FALSE;
  // The whole canvas (up to 3 x 3 pages) shows at a fifth of its size, so
  // every point of it is a point of the window, away from the scrolling
  // margin, and the window repaints quickly under a dialog.
  CDrawView::c_uNewViewScalePercent = 20;
  diagram->SetCanvasSize(static_cast<BYTE>(Int(1, 2)), static_cast<BYTE>(Int(1, 2)));
  if (Chance(50)) diagram->ToggleSnapToGrid();
  // A session pastes only what it copied itself.
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  doc.AddView(&view);
  view.CreateEx(0, u"AfxWnd", u"view", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 800), nullptr, 0);
  view.OnInitialUpdate();
  view.SetActive(TRUE);
  CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool());
  doc.ClearUndoStack();
  kept_.push_back(Store());
}

Session::~Session() {
  if (CArcTool* arcTool = CDrawToolSet::GetArcTool(); arcTool->GetArcInProgress()) arcTool->OnCancel(&view);
  if (CDrawTool* tool = CDrawTool::GetActiveTool()) tool->OnCancel(&view);
  diagram->SetAutoRouteModeAndMethod(0, 0);
  doc.ClearUndoStack();
  doc.ClearRedoStack();
  if (view.GetSafeHwnd()) view.DestroyWindow();
}

int Session::Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

bool Session::Chance(int percent) { return Int(1, 100) <= percent; }

CRect Session::Canvas() const {
  CRect canvas = diagram->GetRect();
  canvas.NormalizeRect();
  return canvas;
}

CPoint Session::AnyPoint() {
  const CRect canvas = Canvas();
  // A margin of a few units keeps the point on the canvas whatever the
  // rounding of the view.
  return CPoint(Int(canvas.left + 20, canvas.right - 20), Int(canvas.top + 20, canvas.bottom - 20));
}

CPoint Session::Client(CPoint doc) {
  view.DocToClient(doc);
  return doc;
}

std::vector<CDrawObj*> Session::Objects(bool (*keep)(CDrawObj*)) {
  std::vector<CDrawObj*> out;
  const CDrawList& objects = diagram->GetObjects();
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    if (!keep || keep(object)) out.push_back(object);
  }
  return out;
}

std::vector<CDrawObj*> Session::Some(bool (*keep)(CDrawObj*), int most) {
  std::vector<CDrawObj*> all = Objects(keep);
  std::vector<CDrawObj*> out;
  const int count = std::min<int>(static_cast<int>(all.size()), Int(1, most));
  for (int i = 0; i < count; ++i) {
    const size_t at = static_cast<size_t>(Int(i, static_cast<int>(all.size()) - 1));
    std::swap(all[static_cast<size_t>(i)], all[at]);
    out.push_back(all[static_cast<size_t>(i)]);
  }
  return out;
}

std::vector<CDrawPort*> Session::Ports() {
  std::vector<CDrawPort*> out;
  for (CDrawObj* object : Objects([](CDrawObj* o) { return o->IsKindOf(RUNTIME_CLASS(CDrawPort)) != 0; }))
    out.push_back(static_cast<CDrawPort*>(object));
  return out;
}

void Session::Press(CDrawTool* tool, CPoint doc, unsigned flags) {
  CDrawTool::SetActiveTool(tool);
  tool->OnLButtonDown(&view, MK_LBUTTON | flags, Client(doc));
}

void Session::MoveTo(CDrawTool* tool, CPoint doc, unsigned flags) { tool->OnMouseMove(&view, flags, Client(doc)); }

void Session::Release(CDrawTool* tool, CPoint doc, unsigned flags) { tool->OnLButtonUp(&view, flags, Client(doc)); }

void Session::Drag(CDrawTool* tool, std::initializer_list<CPoint> points, unsigned flags) {
  const CPoint* p = points.begin();
  Press(tool, *p, flags);
  for (++p; p != points.end(); ++p) MoveTo(tool, *p, MK_LBUTTON | flags);
  Release(tool, *(points.end() - 1), flags);
}

void Session::Select(const std::vector<CDrawObj*>& objects) {
  view.Select(nullptr, FALSE);
  for (CDrawObj* object : objects) view.Select(object, TRUE);
}

Stream Session::Store() { return doctest::StoreDocument(doc); }

void Session::Fail(const std::string& what) {
  if (!failure.empty()) return;
  std::ostringstream out;
  out << "seed " << seed_ << ", after " << history_.size() << " steps: " << what << "\n  steps:";
  for (const std::string& step : history_) out << ' ' << step;
  failure = out.str();
}

void Session::Checkpoint(const char* what) {
  if (!failure.empty()) return;
  const bool noChange = std::exchange(expectNoChange_, false);
  if (doc.GetUndoLevel() != 0 || doc.GetCurrentURList()) {
    Fail(std::string(what) + " left a recording open");
    return;
  }
  Stream now = Store();
  const CURList* top = doc.UndoTop();
  const size_t entries = static_cast<size_t>(doc.GetNumberUndosOnStack());
  if (top == top_) {
    // No entry: nothing may have changed, the redo stack included. A
    // command opened at the undo limit drops the oldest entry, whether or
    // not it records anything.
    if (entries + 1 == current_ && current_ == static_cast<size_t>(CDrawDoc::m_nMaxUndoLevels)) {
      kept_.pop_front();
      --current_;
    }
    if (entries != current_) Fail(std::string(what) + " changed the undo stack without a new entry");
    if (now != kept_[current_])
      Fail(std::string(what) + " changed the document without an undo entry" + Difference(kept_[current_], now));
    if (static_cast<size_t>(doc.GetNumberRedosOnStack()) != kept_.size() - 1 - current_)
      Fail(std::string(what) + " changed the redo stack without a new entry");
    return;
  }
  if (noChange) Fail(std::string(what) + " should have changed nothing but recorded \"" + Describe(top) + "\"");
  if (doc.GetNumberRedosOnStack() != 0) Fail(std::string(what) + " kept the redo stack under a new entry");
  kept_.resize(current_ + 1);
  if (entries == current_ + 1) {
    ++current_;
  } else if (entries >= 1 && entries <= current_ && current_ == static_cast<size_t>(CDrawDoc::m_nMaxUndoLevels)) {
    // At the limit every outermost recording drops the oldest entry, one
    // that records nothing too (a gesture may open more than one).
    for (size_t dropped = current_ + 1 - entries; dropped > 0; --dropped) kept_.pop_front();
    current_ = entries;
  } else {
    const long long made = static_cast<long long>(entries) - static_cast<long long>(current_);
    Fail(std::string(what) + " made " + std::to_string(made) + " entries at once, the last \"" + Describe(top) + "\"");
    return;
  }
  kept_.push_back(std::move(now));
  top_ = top;
}

void Session::Rebase(const char* what) {
  if (!failure.empty()) return;
  if (doc.UndoTop() != top_ || doc.GetNumberRedosOnStack() != 0 || current_ + 1 != kept_.size()) {
    Fail(std::string(what) + " recorded an entry");
    return;
  }
  kept_[current_] = Store();
}

bool Session::Undo() {
  if (!failure.empty()) return false;
  const std::string name = Describe(doc.UndoTop());
  const bool undone = doc.UndoLast() != 0;
  if (undone != (current_ > 0)) {
    Fail("undo answered " + std::to_string(undone) + " with " + std::to_string(current_) + " entries kept");
    return false;
  }
  if (!undone) return false;
  ++replaysChecked_;
  --current_;
  if (Stream now = Store(); now != kept_[current_])
    Fail("undo of \"" + name + "\" did not give the stream kept before it" + Difference(kept_[current_], now));
  if (static_cast<size_t>(doc.GetNumberRedosOnStack()) != kept_.size() - 1 - current_)
    Fail("undo of \"" + name + "\" left the redo stack at " + std::to_string(doc.GetNumberRedosOnStack()));
  top_ = doc.UndoTop();
  return true;
}

bool Session::Redo() {
  if (!failure.empty()) return false;
  const std::string name = Describe(doc.RedoTop());
  const bool redone = doc.RedoLast() != 0;
  if (redone != (current_ + 1 < kept_.size())) {
    Fail("redo answered " + std::to_string(redone) + " with " + std::to_string(kept_.size() - 1 - current_) +
         " undone entries kept");
    return false;
  }
  if (!redone) return false;
  ++replaysChecked_;
  ++current_;
  if (Stream now = Store(); now != kept_[current_])
    Fail("redo of \"" + name + "\" did not give the stream kept after it" + Difference(kept_[current_], now));
  if (static_cast<size_t>(doc.GetNumberUndosOnStack()) != current_)
    Fail("redo of \"" + name + "\" left the undo stack at " + std::to_string(doc.GetNumberUndosOnStack()));
  top_ = doc.UndoTop();
  return true;
}

// A wire left in progress by an undone finish, or a half-made gesture, is
// given up (Escape) before the next command, as a user would.
void Session::Settle() {
  CArcTool* arcTool = CDrawToolSet::GetArcTool();
  if (arcTool->GetArcInProgress()) {
    arcTool->OnCancel(&view);
    Checkpoint("escape");
  }
  CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool());
}

std::string Session::Run() {
  std::vector<const EditStep*> steps;
  int total = 0;
  for (const EditStep& step : EditSteps()) {
    if (std::find(settings_.without.begin(), settings_.without.end(), step.name) != settings_.without.end()) continue;
    steps.push_back(&step);
    total += step.weight;
  }
  for (int i = 0; i < settings_.steps && failure.empty(); ++i) {
    Settle();
    int choice = Int(0, total - 1);
    auto row = steps.begin();
    while (choice >= (*row)->weight) choice -= (*row++)->weight;
    const EditStep* step = *row;
    history_.push_back(step->name);
    try {
      step->run(*this);
    } catch (const std::exception& e) {
      Fail(std::string(step->name) + " threw " + e.what());
    } catch (CException& e) {
      Fail(std::string(step->name) + " threw a library exception");
    }
    ++stepsRun_;
    Checkpoint(step->name);
  }
  if (failure.empty()) CheckFinal();
  if (failure.empty()) CheckLoadAndSaveAgain();
  return failure;
}

size_t Session::Fingerprint() const {
  std::string all = failure;
  for (const Stream& stream : kept_) {
    all.append(stream.begin(), stream.end());
    all += '|';
  }
  return std::hash<std::string>{}(all);
}

void Session::CheckFinal() {
  history_.push_back("|checks");
  Settle();
  while (failure.empty() && Undo()) {
  }
  if (failure.empty() && current_ != 0) Fail("undo stopped before the first kept stream");
  while (failure.empty() && Redo()) {
  }
  if (failure.empty() && current_ + 1 != kept_.size()) Fail("redo stopped before the last kept stream");
  for (int i = 0; i < 2 * settings_.steps && failure.empty(); ++i) {
    if (Chance(50)) {
      Undo();
    } else {
      Redo();
    }
  }
}

namespace {

// Loads the stream into a new document and stores it again; whether the
// load left objects out is `failures`.
bool LoadAndSave(const Stream& stream, Stream& again, bool& failures) {
  CDrawDoc loaded;
  try {
    doctest::LoadArchive in(stream, &loaded);
    loaded.Serialize(in.ar());
    if (!in.AtEnd()) return false;
  } catch (CException&) {
    return false;
  }
  failures = loaded.LoadFailuresDidOccur() != 0;
  again = doctest::StoreDocument(loaded);
  return true;
}

}  // namespace

// A stream kept while a wire was being drawn holds the incomplete wire,
// which a load leaves out (no wire is read without both its ports): such a
// stream must save again to bytes that load and save to themselves.
void Session::CheckLoadAndSaveAgain() {
  for (size_t i = 0; i < kept_.size() && failure.empty(); ++i) {
    Stream again;
    bool failures = false;
    if (!LoadAndSave(kept_[i], again, failures)) {
      Fail("kept stream " + std::to_string(i) + " does not load to its end");
      continue;
    }
    if (failures) {
      Stream third;
      if (!LoadAndSave(again, third, failures) || failures || third != again)
        Fail("kept stream " + std::to_string(i) + " saved without its incomplete wire does not load alike");
    } else if (again != kept_[i]) {
      Fail("kept stream " + std::to_string(i) + " saves differently" + Difference(kept_[i], again));
    }
  }
}

}  // namespace editseq
