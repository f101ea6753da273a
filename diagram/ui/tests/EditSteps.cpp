// The rows of the edit-session generator: each drives one command of the
// library as a user's session would (see EditSession.h).
#include <string>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/ui/ArcTool.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/PlacerTool.h"
#include "diagram/ui/PolyTool.h"
#include "diagram/ui/RectTool.h"
#include "diagram/ui/SelectTool.h"
#include "diagram/ui/TextTool.h"
#include "diagram/ui/tests/ClipboardSteps.h"
#include "diagram/ui/tests/EditSession.h"
#include "diagram/ui/tests/NestSteps.h"
#include "diagram/ui/tests/ViewCommandSteps.h"
#include "platform/core/Exceptions.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/WinUser.h"

namespace editseq {

namespace {

constexpr int kTextEdit = 28094;       // the text dialog's edit
constexpr int kLineWeightEdit = 28096;  // the shape page's line weight
const int kHatchButtons[] = {28153, 28155, 28141};

bool IsPort(CDrawObj* o) { return o->IsKindOf(RUNTIME_CLASS(CDrawPort)) != 0; }
bool IsArc(CDrawObj* o) { return o->IsKindOf(RUNTIME_CLASS(CDrawArc)) != 0; }
bool IsGroup(CDrawObj* o) { return o->IsKindOf(RUNTIME_CLASS(CDrawGroup)) != 0; }
bool IsText(CDrawObj* o) { return o->IsKindOf(RUNTIME_CLASS(CDrawText)) != 0; }
bool IsPoly(CDrawObj* o) { return o->IsKindOf(RUNTIME_CLASS(CDrawPoly)) != 0; }
bool IsSelectable(CDrawObj* o) { return o->Selectable() != 0; }
bool IsFree(CDrawObj* o) { return !o->IsInGroup() && !IsPort(o) && !IsArc(o); }

COLORREF AnyColor(Session& s) {
  return RGB(s.Int(0, 4) * 63, s.Int(0, 4) * 63, s.Int(0, 4) * 63);
}

CDrawObj* One(Session& s, bool (*keep)(CDrawObj*)) {
  std::vector<CDrawObj*> found = s.Objects(keep);
  return found.empty() ? nullptr : s.Pick(found);
}

CDrawList ListOf(const std::vector<CDrawObj*>& objects) {
  CDrawList list;
  for (CDrawObj* object : objects) list.AddTail(object);
  return list;
}

void AddShape(Session& s) {
  static const DrawShape shapes[] = {dsLine, dsRect, dsRoundRect, dsEllipse};
  CRectTool* tool = CDrawToolSet::GetRectTool(shapes[s.Int(0, 3)]);
  const CPoint from = s.AnyPoint();
  s.Drag(tool, {from, from + CSize(s.Int(-10, 10), s.Int(-10, 10)), s.AnyPoint()});
}

void AddPoly(Session& s) {
  CPolyTool* tool = CDrawToolSet::GetPolyTool(s.Chance(50) ? dsPolygon : dsPolyline);
  const int points = s.Int(2, 5);
  CPoint at = s.AnyPoint();
  for (int i = 0; i < points; ++i) {
    s.Press(tool, at);
    s.Release(tool, at);
    // A click on the first point closed the polygon.
    if (!tool->GetPolyInProgress()) return;
    at = s.AnyPoint();
    s.MoveTo(tool, at, 0);
  }
  tool->OnLButtonDblClk(&s.view, MK_LBUTTON, s.Client(at));
  if (tool->GetPolyInProgress()) tool->OnCancel(&s.view);
}

// Answers the text dialog: a new text and OK, or Cancel.
platform::ModalDriver TextAnswer(Session& s, bool cancel) {
  static const char16_t* words[] = {u"Gain", u"Sum", u"x", u"Filter 2", u""};
  const char16_t* word = words[s.Int(0, 4)];
  return [cancel, word](platform::ModalSession& m) {
    if (!cancel) m.EnterText(kTextEdit, CStringW(word));
    m.Click(cancel ? IDCANCEL : IDOK);
  };
}

void AddText(Session& s) {
  platform::ScopedModalDriver driver(TextAnswer(s, s.Chance(20)));
  const CPoint at = s.AnyPoint();
  s.Press(CDrawToolSet::GetTextTool(), at);
  s.Release(CDrawToolSet::GetTextTool(), at);
}

void EditText(Session& s) {
  auto* text = static_cast<CDrawText*>(One(s, IsText));
  if (!text) return;
  const bool cancel = s.Chance(25);
  if (cancel) s.ExpectNoChange();
  platform::ScopedModalDriver driver(TextAnswer(s, cancel));
  text->OnOpen(&s.view);
}

// A block placed with the placer tool, whose press the select tool takes
// over: released where it was pressed, or (`drag`) dragged on.
void PlaceBlock(Session& s, bool drag) {
  CPlacerTool* tool = CDrawToolSet::GetBlockTool();
  const unsigned inputs = static_cast<unsigned>(s.Int(0, 3));
  const unsigned outputs = static_cast<unsigned>(s.Int(inputs == 0 ? 1 : 0, 3));
  tool->StartPlacing(&s.view, inputs * 100 + outputs);
  const CPoint at = s.AnyPoint();
  s.Press(tool, at);
  s.Checkpoint("place block");
  CDrawTool* now = CDrawTool::GetActiveTool();
  const CPoint to = drag ? at + CSize(s.Int(-40, 40), s.Int(-40, 40)) : at;
  if (to != at) s.MoveTo(now, to);
  s.Release(now, to);
}

void AddBlock(Session& s) { PlaceBlock(s, false); }

void AddAndDragBlock(Session& s) { PlaceBlock(s, true); }

// A wire drawn with the arc tool from one port to another, with a few bends
// on the way; sometimes given up part-way.
void DrawWire(Session& s) {
  std::vector<CDrawPort*> ports = s.Ports();
  if (ports.size() < 2) return;
  CDrawPort* from = s.Pick(ports);
  CDrawPort* to = s.Pick(ports);
  CArcTool* tool = CDrawToolSet::GetArcTool();
  const bool captured = CDiagram::m_bCaptureArcCreation != 0;
  CDrawTool::SetActiveTool(tool);
  tool->OnLButtonDown(&s.view, MK_LBUTTON, s.Client(from->ConnectionPoint()), RUNTIME_CLASS(CDrawArc));
  tool->OnLButtonUp(&s.view, 0, s.Client(from->ConnectionPoint()));
  if (!tool->GetArcInProgress()) return;
  if (!captured) s.Checkpoint("begin wire");
  const int bends = s.Int(0, 3);
  for (int i = 0; i < bends; ++i) {
    const CPoint bend = s.AnyPoint();
    s.MoveTo(tool, bend, 0);
    if (!captured) s.Rebase("rubber point");
    tool->OnLButtonDown(&s.view, MK_LBUTTON, s.Client(bend), RUNTIME_CLASS(CDrawArc));
    tool->OnLButtonUp(&s.view, 0, s.Client(bend));
    if (!captured) s.Checkpoint("bend");
  }
  if (s.Chance(15)) {
    tool->OnCancel(&s.view);
    return;
  }
  const unsigned keys = s.Chance(30) ? static_cast<unsigned>(CDiagram::m_nArcFlags4OrthogonalLines) : 0;
  s.MoveTo(tool, to->ConnectionPoint(), keys);
  // The pointer lies on the connection point of the port under it (ports
  // lie closer than a pixel of a view at a fifth of the size), which the
  // view cannot always give.
  auto* under = static_cast<CDrawPort*>(
      s.diagram->ObjectAt(&s.view, s.Client(to->ConnectionPoint()), RUNTIME_CLASS(CDrawPort)));
  if (CDrawArc* arc = tool->GetArcInProgress(); arc && under)
    arc->MoveHandleTo(arc->GetHandleCount(), under->ConnectionPoint(), &s.view);
  if (!captured) s.Rebase("rubber point");
  tool->OnLButtonDown(&s.view, MK_LBUTTON | keys, s.Client(to->ConnectionPoint()), RUNTIME_CLASS(CDrawArc));
  tool->OnLButtonUp(&s.view, 0, s.Client(to->ConnectionPoint()));
  // A port that does not take the wire: the user gives it up.
  if (tool->GetArcInProgress()) {
    if (!captured) s.Checkpoint("bend");
    tool->OnCancel(&s.view);
  }
}

// A press on an object with the select tool and a drag.
void MoveObjects(Session& s) {
  CDrawObj* object = One(s, IsSelectable);
  if (!object) return;
  CSelectTool* tool = CDrawToolSet::GetSelectTool();
  if (s.Chance(30)) {
    // A selection of several objects, moved together.
    std::vector<CDrawObj*> more = s.Some(IsSelectable, 3);
    more.push_back(object);
    s.Select(more);
  }
  CRect r = object->GetPosition();
  const CPoint from = r.CenterPoint();
  const CPoint to = from + CSize(s.Int(-150, 150), s.Int(-150, 150));
  s.Drag(tool, {from, from + CSize(3, 3), to}, s.Chance(30) ? MK_CONTROL : 0);
}

// A handle of the one selected object dragged with the select tool.
void Reshape(Session& s) {
  CDrawObj* object = One(s, [](CDrawObj* o) { return o->Selectable() && o->UserMayReshape() && o->GetHandleCount() > 0; });
  if (!object) return;
  s.Select({object});
  const CPoint handle = object->GetHandle(s.Int(1, object->GetHandleCount()));
  s.Drag(CDrawToolSet::GetSelectTool(), {handle, handle + CSize(2, 2), s.AnyPoint()});
}

void SetProperty(Session& s) {
  CDrawObj* object = One(s, nullptr);
  if (!object) return;
  switch (s.Int(0, 7)) {
    case 0: object->SetLineColor(AnyColor(s)); break;
    case 1: object->SetFillColor(AnyColor(s)); break;
    case 2: object->SetHatchColor(AnyColor(s)); break;
    case 3: object->SetHatchStyle(s.Int(HS_HORIZONTAL, HS_DIAGCROSS)); break;
    case 4: object->EnableFill(s.Chance(50)); break;
    case 5: object->EnableHatch(s.Chance(50)); break;
    case 6: object->SetPenSize(static_cast<UINT>(s.Int(0, 6))); break;
    default: object->SetPenStyle(static_cast<UINT>(s.Int(PS_SOLID, PS_NULL)), static_cast<UINT>(s.Int(0, 3))); break;
  }
}

// The shape page of the property sheet over a few objects, answered with a
// line weight and a hatch, or cancelled.
void GeneralPage(Session& s) {
  std::vector<CDrawObj*> objects = s.Some(nullptr, 3);
  if (objects.empty()) return;
  CDrawList list = ListOf(objects);
  const bool cancel = s.Chance(30);
  if (cancel) s.ExpectNoChange();
  const std::u16string weight = std::u16string(1, static_cast<char16_t>(u'0' + s.Int(0, 5)));
  const int hatch = kHatchButtons[s.Int(0, 2)];
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    m.EnterText(kLineWeightEdit, CStringW(weight.c_str()));
    m.Click(hatch);
    m.Click(cancel ? IDCANCEL : IDOK);
  });
  CPropertySheet sheet(u"Shape Properties");
  s.diagram->DoGeneralPropertyPage(list, &sheet);
}

void SetGrid(Session& s) {
  const int step = s.Int(1, 4) * 5;
  const int lines = s.Int(1, 10);
  s.diagram->SetGrid(CSize(step, step), CSize(lines, lines));
}

void SetPaper(Session& s) { s.diagram->SetPaperColor(AnyColor(s)); }

void SetCanvas(Session& s) {
  s.diagram->SetCanvasSize(static_cast<BYTE>(s.Int(1, 3)), static_cast<BYTE>(s.Int(1, 3)));
}

// A host's group command: a new group holding the chosen objects, one
// entry.
void Group(Session& s) {
  std::vector<CDrawObj*> objects = s.Some(IsFree, 3);
  if (objects.size() < 2) return;
  if (!s.doc.BeginUndoRecording(u"Group", 255)) return;
  CDrawGroup* group = s.diagram->MakeDrawGroup();
  if (group && s.diagram->Add(group)) {
    group->SetMembers(ListOf(objects), s.Chance(50));
  } else {
    delete group;
  }
  s.doc.EndUndoRecording();
}

// A host's ungroup command: the members released and the empty group
// deleted, one entry.
void UnGroup(Session& s) {
  auto* group = static_cast<CDrawGroup*>(One(s, IsGroup));
  if (!group) return;
  if (!s.doc.BeginUndoRecording(u"Ungroup", 255)) return;
  CDrawList released;
  if (group->UnGroup(released)) group->Delete();
  s.doc.EndUndoRecording();
}

void ZOrder(Session& s) {
  CDrawObj* object = One(s, nullptr);
  if (!object) return;
  switch (s.Int(0, 4)) {
    case 0: s.diagram->MoveFoward(object, s.Chance(50)); break;
    case 1: s.diagram->MoveBack(object, s.Chance(50)); break;
    case 2: s.diagram->MoveToFront(object); break;
    case 3: s.diagram->MoveToBack(object); break;
    default:
      s.diagram->ChangeZorder(object, static_cast<UINT>(s.Int(0, static_cast<int>(s.diagram->GetObjects().GetCount()) - 1)));
      break;
  }
}

// A point added to or taken from a polygon, polyline or wire.
void Vertex(Session& s) {
  auto* poly = static_cast<CDrawPoly*>(One(s, [](CDrawObj* o) { return IsPoly(o) && !IsPort(o); }));
  if (!poly) return;
  const int count = poly->GetHandleCount();
  // A wire's ends stay on its ports: only its inner points change.
  const int end = IsArc(poly) ? 1 : 0;
  if (s.Chance(50) && poly->UserMayRemovePoints() && count > 2 + 2 * end) {
    poly->RemovePoint(s.Int(end, count - 1 - end), &s.view);
  } else if (poly->UserMayAddPoints() && count >= 2 * end) {
    poly->InsertPoint(s.Int(end, count - end), s.AnyPoint(), &s.view);
  }
}

void Delete(Session& s) {
  if (s.Chance(30)) {
    if (CDrawObj* object = One(s, nullptr)) object->Delete();
    return;
  }
  std::vector<CDrawObj*> objects = s.Some(IsSelectable, 4);
  s.Select(objects);
  CDrawList list = s.view.GetSelection();
  list.DeleteElements(&s.doc);
}

// A routing pass of the view's command over the selection, with one of the
// three routers.
void Route(Session& s) {
  CDiagram::m_nManualRouteMethod = static_cast<UINT>(s.Int(1, 3));
  CDiagram::m_nRouteWhat = s.Int(0, 1);
  CDiagram::m_bSelectedArcs = s.Chance(50);
  CDiagram::m_bSelectedNodes = s.Chance(50);
  CDiagram::m_bSelectedBlocks = s.Chance(50);
  s.Select(s.Some(IsSelectable, 5));
  s.view.OnRouteArcs();
}

// A pass whose router fails part-way: what it laid is one whole entry, or
// nothing.
void RouteFails(Session& s) {
  s.diagram->FailRouteAfter(s.Int(1, 3), s.Chance(50));
  CDiagram::m_nManualRouteMethod = static_cast<UINT>(s.Int(1, 3));
  CDiagram::m_nRouteWhat = 0;
  try {
    s.diagram->RouteArcs(CDrawList(), 0);
  } catch (CException&) {
    // The host reports it; the document must be whole.
  }
  s.diagram->FailRouteAfter(0, true);
}

// The live router: none, automatic on finish, or dynamic.
void AutoRoute(Session& s) {
  s.diagram->SetAutoRouteModeAndMethod(static_cast<UINT>(s.Int(0, 2)), static_cast<UINT>(s.Int(1, 3)));
}

void AvoidPageBoundaries(Session& s) { s.view.OnObjectAvoidpageboundary(); }

void Undo(Session& s) { s.Undo(); }

void Redo(Session& s) { s.Redo(); }

// Any other step while the document refuses to record (the memory for undo
// is short and the user will not go on without undo): nothing changes.
void Refused(Session& s) {
  const std::vector<EditStep>& steps = EditSteps();
  const EditStep& step = steps[static_cast<size_t>(s.Int(0, static_cast<int>(steps.size()) - 1))];
  if (step.run == Refused || step.run == Undo || step.run == Redo) return;
  CDrawDoc::MemoryProbe old = CDrawDoc::SetUndoMemoryProbe([](size_t) { return false; });
  s.ExpectNoChange();
  try {
    step.run(s);
  } catch (...) {
    CDrawDoc::SetUndoMemoryProbe(old);
    throw;
  }
  CDrawDoc::SetUndoMemoryProbe(old);
}

}  // namespace

const std::vector<EditStep>& EditSteps() {
  static const std::vector<EditStep> steps = {
      {"shape", 6, AddShape},
      {"poly", 4, AddPoly},
      {"text", 3, AddText},
      {"edit-text", 2, EditText},
      {"block", 4, AddBlock},
      {"block-drag", 2, AddAndDragBlock},
      {"wire", 8, DrawWire},
      {"move", 6, MoveObjects},
      {"reshape", 4, Reshape},
      {"property", 4, SetProperty},
      {"general-page", 2, GeneralPage},
      {"grid", 1, SetGrid},
      {"paper", 1, SetPaper},
      {"canvas", 1, SetCanvas},
      {"group", 3, Group},
      {"ungroup", 2, UnGroup},
      {"z-order", 3, ZOrder},
      {"vertex", 3, Vertex},
      {"delete", 4, Delete},
      {"route", 3, Route},
      {"route-fails", 1, RouteFails},
      {"auto-route", 1, AutoRoute},
      {"avoid-boundaries", 1, AvoidPageBoundaries},
      {"undo", 5, Undo},
      {"redo", 3, Redo},
      {"refused", 2, Refused},
      // Composite blocks (NestSteps.cpp).
      {"nest", 2, NestSomeObjects},
      {"unnest", 1, UnnestOneBlock},
      // The view's menu commands (ViewCommandSteps.cpp).
      {"view-command", 3, RunViewCommand},
      {"canvas-size", 2, RunCanvasSizeCommand},
      {"colour", 2, RunColourCommand},
      {"grid-size", 1, RunGridCommand},
      // The clipboard and drag and drop (ClipboardSteps.cpp).
      {"copy-paste", 3, CopyAndPaste},
      {"cut", 2, Cut},
      {"paste", 2, Paste},
      {"drag-drop", 3, DragAndDrop},
  };
  return steps;
}

}  // namespace editseq
