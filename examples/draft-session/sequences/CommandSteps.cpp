#include "examples/draft-session/sequences/CommandSteps.h"

#include "draft/host/CurveEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/EntityList.h"
#include "examples/draft-session/sequences/SessionUser.h"
#include "platform/core/WinConstants.h"

namespace draftsequence {
namespace {

// Beyond this many entities in the drawing (members counted), deleting is
// drawn more often.
constexpr size_t kManyPieces = 400;

// ---- What several commands share.

// Sometimes a TAB, which turns or mirrors what most commands make.
void MaybeTab(SessionUser& u) {
  if (u.Random().Chance(0.2)) u.Char(9);
}

// A point for a command: free, on an entity, at an end or a centre.
GPoint SomePoint(SessionUser& u) {
  switch (u.Random().Int(0, 5)) {
    case 0: return u.PointOnEntity();
    case 1: return u.EndPoint();
    case 2: return u.CentrePoint();
    default: return u.AnyPoint();
  }
}

// The next point after `from`: near it mostly, so that figures stay small.
GPoint NextPoint(SessionUser& u, GPoint from) {
  return u.Random().Chance(0.3) ? SomePoint(u) : u.Near(from, 30);
}

// A point typed on the command line or given by a digit's coordinate dialog
// instead of a click, now and then.
void GivePoint(SessionUser& u, GPoint p) {
  const int how = u.Random().Int(0, 19);
  if (how == 0) {
    u.Type(std::to_string(static_cast<int>(p.x)) + "," + std::to_string(static_cast<int>(p.y)));
  } else if (how == 1) {
    u.Move(p);
    u.Char('0' + static_cast<UINT>(u.Random().Int(1, 9)));
  } else {
    u.Click(p);
  }
}

// Chooses entities: picks on them or a window, then the right button ends
// the choice (processing starts).
void Select(SessionUser& u) {
  const int picks = u.Random().Int(1, 3);
  for (int i = 0; i < picks; ++i) {
    if (u.Random().Chance(0.7)) {
      u.Click(u.PointOnEntity());
    } else {
      const GPoint corner = u.AnyPoint();
      u.Click(corner);
      u.Click(u.Near(corner, 60));
    }
  }
  u.RightClick();
}

void Points(SessionUser& u, int count) {
  GPoint p = SomePoint(u);
  for (int i = 0; i < count; ++i) {
    GivePoint(u, p);
    p = NextPoint(u, p);
  }
}

// ---- The commands.

void Line(SessionUser& u) {
  u.Push("line");
  MaybeTab(u);
  for (int i = u.Random().Int(1, 3); i > 0; --i) Points(u, 2);
}

void Chain(SessionUser& u) {
  u.Push("chain");
  Points(u, u.Random().Int(2, 5));
  if (u.Random().Chance(0.4)) u.Char('C');
}

void ChainLength(SessionUser& u) {
  u.Push("chain-length");
  u.Click(SomePoint(u));
  for (int i = u.Random().Int(1, 3); i > 0; --i) {
    u.Move(u.AnyPoint());
    u.Char('0' + static_cast<UINT>(u.Random().Int(1, 9)));  // the length dialog
  }
  if (u.Random().Chance(0.3)) u.Key(u.Random().Chance(0.5) ? VK_UP : VK_RIGHT);
  if (u.Random().Chance(0.4)) u.Char('C');
}

void Rect(SessionUser& u) {
  u.Push("rect");
  MaybeTab(u);
  Points(u, 2);
}

void CentreLine(SessionUser& u) {
  u.Push("centreline");
  Points(u, 2);
}

// Commands that take a fixed number of points (circles, arcs).
template <int kPoints>
void PointsCommand(SessionUser& u, const char* command) {
  u.Push(command);
  MaybeTab(u);
  Points(u, kPoints);
}

void Circle(SessionUser& u) {
  u.Push(u.Random().Chance(0.7) ? "circle" : "circle-centrelines");
  const GPoint centre = SomePoint(u);
  GivePoint(u, centre);
  if (u.Random().Chance(0.2))
    u.Char('R');  // the radius dialog
  else
    u.Click(u.Near(centre, 20));
  if (u.Random().Chance(0.3)) u.Click(u.Near(centre, 25));  // a concentric one
}

void Circle2(SessionUser& u) { PointsCommand<2>(u, "circle-2p"); }
void Circle3(SessionUser& u) { PointsCommand<3>(u, "circle-3p"); }
void ArcCentre(SessionUser& u) { PointsCommand<3>(u, u.Random().Chance(0.6) ? "arc-centre" : "sector"); }
void Arc3(SessionUser& u) { PointsCommand<3>(u, u.Random().Chance(0.6) ? "arc-3p" : "segment"); }

void Polygon(SessionUser& u) {
  u.Push("polygon");  // its side count dialog first
  MaybeTab(u);
  const GPoint centre = SomePoint(u);
  u.Click(centre);
  u.Click(u.Near(centre, 20));
}

void ArcEnd(SessionUser& u) {
  u.Push("arc-end");
  u.Click(u.PointOnEntity());
  u.Click(NextPoint(u, u.EndPoint()));
}

void ArcToCircle(SessionUser& u) {
  u.Push("arc-to-circle");
  Select(u);
}

void MoveCopy(SessionUser& u) {
  const int kind = u.Random().Int(0, 2);
  u.Push(kind == 0 ? "move" : kind == 1 ? "copy" : "copy-repeat");
  Select(u);
  const GPoint base = SomePoint(u);
  u.Click(base);
  if (u.Random().Chance(0.15)) u.Key(VK_SHIFT);
  MaybeTab(u);
  for (int i = kind == 2 ? u.Random().Int(1, 3) : 1; i > 0; --i) GivePoint(u, u.Near(base, 40));
}

void Rotate(SessionUser& u) {
  u.Push(u.Random().Chance(0.7) ? "rotate" : "scale");
  Select(u);
  const GPoint base = SomePoint(u);
  u.Click(base);
  if (u.Random().Chance(0.5))
    u.RightClick();  // a horizontal base line
  else
    u.Click(u.Near(base, 20));
  u.Click(u.Near(base, 25));  // the pointer; then "keep the original?"
}

void RoundArray(SessionUser& u) {
  u.Push("round-array");
  Select(u);  // then its settings dialog
  u.Click(SomePoint(u));
}

void Array(SessionUser& u) {
  u.Push("array");
  Select(u);  // then its settings dialog; with picked directions a line or two
  for (int i = u.Random().Int(0, 2); i > 0; --i) u.Click(u.PointOnEntity());
  if (u.Random().Chance(0.3)) u.RightClick();  // Y perpendicular to the first line
}

void ChangeLayer(SessionUser& u) {
  const int kind = u.Random().Int(0, 2);
  if (kind == 0) {
    u.Push("change-layer-sel");
    Select(u);  // then the layer dialog
  } else {
    u.Push(kind == 1 ? "change-layer" : "delete-layer");
    u.Click(u.PointOnEntity());
  }
}

void LineCopy(SessionUser& u) {
  const bool lengthMode = u.Random().Chance(0.5);
  u.Push(lengthMode ? "line-copy-length" : "line-copy");
  MaybeTab(u);
  GPoint at = u.PointOnEntity();
  u.Click(at);
  // Copies of the picked entity; a digit opens the spacing (and in length
  // mode then the length) dialog, Shift moves the start in length mode.
  for (int i = u.Random().Int(1, 3); i > 0; --i) {
    MaybeTab(u);
    if (lengthMode && u.Random().Chance(0.15)) u.Key(16);
    at = u.Near(at, 30);
    GivePoint(u, at);
  }
  // The right button joins the copies of a length-mode run (the form dialog).
  if (u.Random().Chance(0.6)) u.RightClick();
}

void Mirror(SessionUser& u) {
  u.Push("mirror");
  Select(u);
  if (u.Random().Chance(0.3)) {
    u.Char(9);  // about two points
    Points(u, 2);
  } else {
    u.Click(u.PointOnEntity());  // about a line
  }
}

void Delete(SessionUser& u) {
  u.Push("delete");
  Select(u);
  if (u.Random().Chance(0.3)) u.Click(u.PointOnEntity());
}

void Explode(SessionUser& u) {
  u.Push("explode");
  Select(u);
}

void Chamfer(SessionUser& u) {
  u.Push(u.Random().Chance(0.7) ? "chamfer" : "chamfer-keep");  // its settings dialog first
  if (u.Random().Chance(0.5)) {
    u.Click(u.EndPoint());  // a corner takes both lines
  } else {
    u.Click(u.PointOnEntity());
    u.Click(u.PointOnEntity());
  }
}

// Three inputs, picked or (after TAB) points; of several solutions some
// are clicked, and the right button ends the choice now and then.
void TanCircle(SessionUser& u) {
  u.Push("tan-circle");
  for (int i = 0; i < 3; ++i) {
    MaybeTab(u);
    u.Click(u.Random().Chance(0.7) ? u.PointOnEntity() : u.AnyPoint());
  }
  for (int i = u.Random().Int(0, 2); i > 0; --i) u.Click(u.PointOnEntity());
  if (u.Random().Chance(0.5)) u.RightClick();
}

// A shaft's or a hole's end face (its settings dialog first), and the
// contour lines when the click did not find them.
void ShaftChamfer(SessionUser& u) {
  u.Push(u.Random().Chance(0.6) ? "shaft-chamfer" : "hole-chamfer");
  u.Click(u.PointOnEntity());
  for (int i = u.Random().Int(0, 2); i > 0; --i) u.Click(u.PointOnEntity());
}

void Extend(SessionUser& u) {
  u.Push("extend");
  MaybeTab(u);
  u.Click(u.PointOnEntity());
  if (u.Random().Chance(0.1)) u.Char('R');
  u.Click(u.Random().Chance(0.5) ? u.PointOnEntity() : u.AnyPoint());
}

// Moves a line's near end or gives an arc or circle a new radius (now and
// then typed with R or D).
void ModifyEnd(SessionUser& u) {
  u.Push("modify-end");
  u.Click(u.PointOnEntity());
  if (u.Random().Chance(0.1)) u.Char(u.Random().Chance(0.5) ? 'R' : 'D');
  u.Click(u.Random().Chance(0.3) ? u.PointOnEntity() : u.AnyPoint());
}

// A chain of lines and arcs: TAB switches the kind, Shift the end (or, before
// the first segment, picks one to go on from), Ctrl the tangent line after
// an arc, R a fixed radius; the right button starts a new chain.
void PolylineArc(SessionUser& u) {
  u.Push("polyline-arc");
  MaybeTab(u);
  GPoint p = SomePoint(u);
  for (int i = u.Random().Int(2, 6); i > 0; --i) {
    switch (u.Random().Int(0, 9)) {
      case 0: u.Char(9); break;
      case 1: u.Key(VK_SHIFT); break;
      case 2: u.Key(VK_CONTROL); break;
      case 3: u.Char('R'); break;
      case 4: u.RightClick(); break;
      default: break;
    }
    GivePoint(u, p);
    p = NextPoint(u, p);
  }
}

void PointPlace(SessionUser& u) {
  u.Push("point");
  for (int i = u.Random().Int(1, 3); i > 0; --i) GivePoint(u, SomePoint(u));
}

// The count dialog first (generated numbers: refused ones are asked again),
// then a click or two on lines and arcs.
void Divide(SessionUser& u) {
  u.Push("divide");
  for (int i = u.Random().Int(1, 2); i > 0; --i) u.Click(u.PointOnEntity());
}

// The origin moved over a line begun, which then ends: the drawing changes
// only by the line.
void OriginOverLine(SessionUser& u) {
  u.Push("line");
  const GPoint start = SomePoint(u);
  u.Click(start);
  u.Push("move-origin");
  for (int i = u.Random().Int(1, 2); i > 0; --i) u.Click(u.AnyPoint());
  u.RightClick();
  u.Click(NextPoint(u, start));
}

void Break(SessionUser& u) {
  u.Push("break");
  u.Click(u.Random().Chance(0.8) ? u.PointOnEntity() : u.EndPoint());
  // A free point, a boundary, or a centre (no point of an ellipse lies on
  // the line from its centre to its centre).
  const int second = u.Random().Int(0, 4);
  u.Click(second < 2 ? u.PointOnEntity() : second < 4 ? u.AnyPoint() : u.CentrePoint());
}

// A piece between crossings cut away, kept alone or moved to the current
// layer, at one or two picks.
void BreakPart(SessionUser& u) {
  const int mode = u.Random().Int(0, 2);
  u.Push(mode == 0 ? "break-cut" : mode == 1 ? "break-keep" : "break-layer");
  for (int i = u.Random().Int(1, 2); i > 0; --i) u.Click(u.Random().Chance(0.8) ? u.PointOnEntity() : u.AnyPoint());
}

// The host's dimension tool: two ends measured (the same end twice makes
// nothing) and the place of the dimension line.
void Dimension(SessionUser& u) {
  u.Push("dim");
  const GPoint first = u.EndPoint();
  u.Click(first);
  u.Click(u.Random().Chance(0.8) ? u.EndPoint() : u.Near(first, 40));
  u.Click(u.Near(first, 30));
}

// Whether pick-and-edit, clicked at `p`, finds an entity with an editor of
// its own (or a requirement block): it picks as the command does and takes
// the owner that stands for a member. The other kinds report that they have
// none, which the host shows as a failed command.
bool EditsAt(SessionUser& u, GPoint p) {
  CDraftView& view = u.View();
  double x = 0, y = 0;
  view.ClientToDrawing(x, y, view.DrawingToClient(p.x, p.y), 1);
  CEntityList picked;
  if (!view.PickEntitiesAtPoint(x, y, picked, 0, 1, 0, 0, 0x4542C0, 0) || picked.IsEmpty()) return true;
  const CEntity* e = picked.GetHead();
  const CEntity* owner = e->GetEntityOwner();
  if (owner && (owner->IsTwoPointEntity() || owner->IsCompoundCurve() || owner->IsKeptWhole())) e = owner;
  return e->IsLine() || e->IsCircle() || e->IsArc() || e->IsPoint() || e->IsEllipse() || e->IsText() ||
         e->IsDimension() || e->IsRequirementText();
}

// Pick and edit: one or two entities opened in their own editors (the
// dialogs answered with generated values, now and then cancelled), at
// points where the picked kind has an editor; the right button ends it.
void PickEdit(SessionUser& u) {
  u.Push("pick-edit");
  for (int i = u.Random().Int(1, 2); i > 0; --i) {
    GPoint p = u.AnyPoint();
    for (int tries = 0; tries < 8; ++tries) {
      const GPoint on = u.PointOnEntity();
      if (EditsAt(u, on)) {
        p = on;
        break;
      }
    }
    if (EditsAt(u, p)) u.Click(p);
  }
  u.RightClick();
}

// The requirements editor (answered by the dialog table), then the block
// placed.
void Requirements(SessionUser& u) {
  u.Push("requirements");
  u.Click(u.AnyPoint());
}

void Fillet(SessionUser& u) {
  const int kind = u.Random().Int(0, 2);
  u.Push(kind == 0 ? "fillet" : kind == 1 ? "fillet-keep" : "fillet-sharp");  // a dialog first, but for sharp
  if (u.Random().Chance(0.4)) {
    u.Click(u.EndPoint());  // a corner takes both edges
  } else {
    u.Click(u.PointOnEntity());
    u.Click(u.PointOnEntity());
  }
}

// The common tangent of two picked arcs or circles.
void TangentLine(SessionUser& u) {
  u.Push("tangent-line");
  u.Click(u.PointOnEntity());
  u.Click(u.PointOnEntity());
}

// The connected entity, then the centre's entity or (after TAB) a point the
// arc passes through, the arc dialog, TAB now and then at the end point
// (the other arc or the other solution), and the end point.
void ConnectArc(SessionUser& u) {
  u.Push("connect-arc");
  u.Click(u.PointOnEntity());
  MaybeTab(u);
  u.Click(u.Random().Chance(0.6) ? u.PointOnEntity() : u.AnyPoint());
  for (int i = u.Random().Int(0, 2); i > 0; --i) u.Char(9);
  u.Click(u.AnyPoint());
}

// An end line and up to four edges (the first click may find them all).
void Undercut(SessionUser& u) {
  u.Push("undercut");  // its sizes dialog first
  for (int i = u.Random().Int(1, 5); i > 0; --i) u.Click(u.PointOnEntity());
}

void ObliqueUndercut(SessionUser& u) {
  u.Push("oblique-undercut");  // its sizes dialog first
  if (u.Random().Chance(0.5)) {
    u.Click(u.EndPoint());  // a corner takes both lines
  } else {
    u.Click(u.PointOnEntity());
    u.Click(u.PointOnEntity());
  }
}

// The dialog chooses the whole drawing (one pass, the command ends) or
// picks, which a click on an entity and a window give.
void Tidy(SessionUser& u) {
  u.Push("tidy");
  u.Click(u.PointOnEntity());
  if (u.Random().Chance(0.5)) {
    u.Click(u.AnyPoint());
    u.Click(u.AnyPoint());
  }
}

void GroupNew(SessionUser& u) {
  u.Push("group-new");
  Select(u);  // then the group dialog
}

void GroupChange(SessionUser& u) {
  u.Push(u.Random().Chance(0.6) ? "group-change" : "group-delete");
  Select(u);
}

// Then the save dialog (DialogAnswers.cpp) and, for a block file, the base
// point; the drawing stays as it was.
void SaveBlock(SessionUser& u) {
  u.Push("save-block");
  Select(u);
  if (u.Random().Chance(0.7)) GivePoint(u, SomePoint(u));
}

void MakeBlock(SessionUser& u) {
  u.Push("make-block");
  Select(u);
}

void GroupCurrent(SessionUser& u) {
  u.Push("group-current");
  u.Click(u.PointOnEntity());
}

void Contour(SessionUser& u) {
  u.Push("contour");
  u.Click(u.Random().Chance(0.7) ? u.CentrePoint() : u.AnyPoint());
  MaybeTab(u);
  if (u.Random().Chance(0.3))
    u.Char('0' + static_cast<UINT>(u.Random().Int(1, 9)));  // the spacing dialog
  else
    u.Click(u.AnyPoint());
}

void ContourChain(SessionUser& u) {
  u.Push("contour-chain");
  for (int i = u.Random().Int(1, 4); i > 0; --i) u.Click(u.PointOnEntity());
  u.RightClick();
  u.Click(u.AnyPoint());
}

void ClipCircle(SessionUser& u) {
  u.Push("clip-circle");  // then "draw the circle?" when it clipped
  MaybeTab(u);
  const GPoint centre = SomePoint(u);
  u.Click(centre);
  GivePoint(u, u.Near(centre, 30));
}

void ClipRect(SessionUser& u) {
  u.Push("clip-rect");  // then "draw the rectangle?" when it clipped
  MaybeTab(u);
  Points(u, 2);
}

void EndView(SessionUser& u) {
  u.Push("end-view");
  u.Click(u.PointOnEntity());  // the axis, or the first corner of a window
  for (int i = u.Random().Int(1, 3); i > 0; --i) {
    MaybeTab(u);
    const GPoint corner = u.AnyPoint();
    u.Click(corner);
    u.Click(u.Near(corner, 60));
  }
  u.RightClick();
  MaybeTab(u);
  u.Click(u.AnyPoint());
}

void Intersect(SessionUser& u) {
  u.Push("intersect");
  for (int i = 0; i < 4; ++i) u.Click(u.PointOnEntity());
}

void Detail(SessionUser& u) {
  u.Push("detail");  // its dialog after the second point
  const GPoint centre = SomePoint(u);
  u.Click(centre);
  GivePoint(u, u.Near(centre, 20));
  for (int i = 0; i < 3; ++i) u.Click(u.Near(centre, 80));
}

void ViewRect(SessionUser& u) {
  u.Push("view-rect");
  const GPoint corner = u.AnyPoint();
  u.Click(corner);
  u.Click(u.Near(corner, 40));
}

void ScaleBase(SessionUser& u) {
  u.Push("scale-base");
  Select(u);
  const GPoint s1 = SomePoint(u);
  u.Click(s1);
  u.Click(u.Near(s1, 40));
  if (u.Random().Chance(0.3)) {
    u.Char(' ');  // the move alone
    return;
  }
  u.Click(NextPoint(u, s1));
  u.Click(u.Near(s1, 40));  // then "scale too?"
}

void ContourPlace(SessionUser& u) {
  u.Push("contour-place");
  u.Click(u.PointOnEntity());
  const GPoint base = SomePoint(u);
  u.Click(base);
  if (u.Random().Chance(0.3)) u.Key(VK_SHIFT);
  for (int i = u.Random().Int(1, 3); i > 0; --i) {
    MaybeTab(u);
    u.Click(u.Near(base, 40));
  }
  if (u.Random().Chance(0.5)) u.RightClick();  // the picked contour back
}

// A stored group (or the list of two) placed once or twice: base point,
// scale, angle; the hiding question gets a random answer.
void InsertGroup(SessionUser& u) {
  u.Push(u.Random().Chance(0.7) ? "insert-group" : "insert-groups");
  for (int i = u.Random().Int(1, 2); i > 0; --i) {
    MaybeTab(u);
    const GPoint base = SomePoint(u);
    GivePoint(u, base);
    u.Click(u.Near(base, 60));
    u.Click(u.Near(base, 40));
  }
  if (u.Random().Chance(0.5)) u.RightClick();
}

void ChangeFont(SessionUser& u) {
  u.Push("change-font");
  Select(u);
  if (u.Random().Chance(0.5)) u.RightClick();
}

void CentreMark(SessionUser& u) {
  u.Push("centre-mark");
  u.Click(u.PointOnEntity());
  u.Click(u.PointOnEntity());
  const GPoint at = u.PointOnEntity();
  for (int i = u.Random().Int(1, 2); i > 0; --i) {
    MaybeTab(u);
    u.Click(u.Near(at, 20));
  }
  if (u.Random().Chance(0.5)) u.RightClick();
}

void HideCopy(SessionUser& u) {
  u.Push("hide-copy");
  Select(u);
  u.Click(SomePoint(u));  // the base point
  for (int i = u.Random().Int(1, 2); i > 0; --i) u.Click(u.AnyPoint());
  if (u.Random().Chance(0.7)) u.RightClick();  // the copies handed over
}

void ThreeView(SessionUser& u) {
  u.Push("three-view");
  const GPoint first = u.AnyPoint();
  u.Click(first);
  if (u.Random().Chance(0.3))
    u.RightClick();
  else
    u.Click(u.Near(first, 40));
}

void Stretch(SessionUser& u) {
  const int kind = u.Random().Int(0, 2);
  u.Push(kind == 0 ? "stretch-vertical" : kind == 1 ? "stretch-horizontal" : "stretch-mitre");
  Select(u);
  if (u.Random().Chance(0.2)) u.Key(u.Random().Chance(0.5) ? VK_SHIFT : VK_CONTROL);
  MaybeTab(u);
  const GPoint first = u.AnyPoint();
  u.Click(first);
  u.Click(u.Near(first, 40));
}

void Section(SessionUser& u) {
  u.Push(u.Random().Chance(0.7) ? "section" : "section-oblique");
  u.Click(u.PointOnEntity());
  u.RightClick();
  Select(u);
  const GPoint first = u.AnyPoint();
  u.Click(first);
  u.Click(u.Near(first, 40));
}

void Equation(SessionUser& u) {
  u.Push("equation");  // its dialog first; needs a current group
  MaybeTab(u);
  const GPoint at = u.AnyPoint();
  u.Move(at);
  GivePoint(u, at);
}

// An ellipse or an elliptic arc: the centre, the first semi-axis point
// (sometimes typed in the radius dialog), the second, and for an arc its
// two ends (sometimes an angle typed).
void Ellipse(SessionUser& u) {
  const bool arc = u.Random().Chance(0.5);
  u.Push(arc ? "elliptic-arc" : "ellipse");
  MaybeTab(u);
  const GPoint centre = SomePoint(u);
  GivePoint(u, centre);
  for (int axis = 0; axis < 2; ++axis) {
    if (u.Random().Chance(0.15))
      u.Char(axis == 0 ? 'R' : '0' + static_cast<UINT>(u.Random().Int(1, 9)));  // the radius dialog
    else
      u.Click(u.Near(centre, 30));
  }
  for (int end = 0; arc && end < 2; ++end) {
    if (u.Random().Chance(0.15)) {
      u.Move(u.Near(centre, 30));
      u.Char('0' + static_cast<UINT>(u.Random().Int(0, 9)));  // an angle typed
    } else {
      u.Click(u.Near(centre, 30));
    }
  }
}

// A smooth curve, open or closed, or a wave line (its height asked first)
// through a few points, made by the right button.
void Spline(SessionUser& u) {
  const int kind = u.Random().Int(0, 2);
  u.Push(kind == 0 ? "spline" : kind == 1 ? "closed-spline" : "wave-line");
  MaybeTab(u);
  Points(u, u.Random().Int(2, 7));
  MaybeTab(u);
  if (u.Random().Chance(0.8)) u.RightClick();
}

// A fit point of a smooth curve moved, or of nothing when the drawing has
// no curve; sometimes put back by the right button.
void EditSpline(SessionUser& u) {
  u.Push("edit-spline");
  std::vector<GPoint> fitPoints;
  for (CEntity* e : u.Entities())
    if (auto* curve = dynamic_cast<CCurveEntity*>(e))
      for (const GPoint& p : curve->GetShownFitPoints()) fitPoints.push_back(p);
  const GPoint p = fitPoints.empty() ? u.PointOnEntity() : u.Random().Pick(fitPoints);
  u.Click(p);  // a fit point lies on its curve
  u.Click(u.Near(p, 3));
  if (u.Random().Chance(0.2)) u.RightClick();
  u.Click(u.Near(p, 20));
}

void Table(SessionUser& u) {
  const int kind = u.Random().Int(0, 9);
  u.Push(kind < 6 ? "table" : kind < 9 ? "table-schedule" : "process-table");  // its dialogs, then the placement
  MaybeTab(u);
  const GPoint start = SomePoint(u);
  u.Click(start);
  if (u.Random().Chance(0.5))
    u.RightClick();  // one column
  else
    u.Click(u.Near(start, 40));
}

// The records of numbers 1 to 3 from what is selected, in the record
// dialog; the parts list it makes is placed as a table is.
void Records(SessionUser& u) {
  u.Push("records");
  const GPoint start = SomePoint(u);
  u.Click(start);
  if (u.Random().Chance(0.5))
    u.RightClick();
  else
    u.Click(u.Near(start, 40));
}

// Rubber lines across whatever is drawn, then the right button (its save
// dialog, when rows were read, is given up).
void PickBom(SessionUser& u) {
  u.Push("pick-bom");
  const int picks = u.Random().Int(1, 2);
  for (int i = 0; i < picks; ++i) {
    const GPoint first = SomePoint(u);
    u.Click(first);
    u.Click(u.Near(first, 30));
  }
  if (u.Random().Chance(0.3)) u.Char('U');
  u.RightClick();
}

// A fold at a point (a table there or not) to another point.
void FoldTable(SessionUser& u) {
  u.Push("fold-table");
  MaybeTab(u);
  const GPoint first = u.PointOnEntity();
  u.Click(first);
  if (u.Random().Chance(0.2)) {
    u.RightClick();
    return;
  }
  u.Click(u.Near(first, 60));
}

// A short text placed once or twice.
void Text(SessionUser& u) {
  u.Push("text");
  u.Type(u.Random().Pick(std::vector<std::string>{"A1", "轴", "12"}));
  u.Click(u.AnyPoint());
  if (u.Random().Chance(0.3)) u.Click(u.AnyPoint());
}

// A tendon graph placed (Tab now and then), and its coordinate table, when
// it has one, placed below it; the right button ends the command.
void TendonGraph(SessionUser& u) {
  u.Push("tendon-graph");
  MaybeTab(u);
  const GPoint origin = SomePoint(u);
  u.Click(origin);
  if (u.Random().Chance(0.2)) {
    u.RightClick();  // the placement of the table given up, or the command ended
    return;
  }
  u.Click(u.Near(origin, 40));  // the table's start
  u.RightClick();                // in one column
  u.RightClick();
}

// A table reopened in its dialog (a click on nothing: nothing happens); a
// coordinate table or tendon graph waits for its partner: a second click,
// or the right button for it alone.
// The library's text command: a text asked for and placed once or twice,
// turned by TAB now and then; or a click on an entity to edit it (a text
// placed by the host's tool first, now and then), and the right button.
void LibraryText(SessionUser& u) {
  if (u.Random().Chance(0.6)) {
    u.Push("place-text");
    for (int i = u.Random().Int(1, 2); i > 0; --i) {
      for (int tabs = u.Random().Int(0, 2); tabs > 0; --tabs) u.Char(9);
      u.Click(u.AnyPoint());
    }
    return;
  }
  if (u.Random().Chance(0.5)) u.PlaceText(u.AnyPoint(), 5, "AB");
  u.Push("edit-text");
  u.Click(u.PointOnEntity());
  u.RightClick();
}

// A table reopened in its dialog (a click on nothing: nothing happens).
void TableEdit(SessionUser& u) {
  u.Push("table-edit");
  u.Click(u.PointOnEntity());
  if (u.Random().Chance(0.3)) u.Click(u.PointOnEntity());
  u.RightClick();
}

void Area(SessionUser& u) {
  u.Push("area");
  u.Click(u.CentrePoint());
  if (u.Random().Chance(0.3)) u.Click(u.AnyPoint());
  u.RightClick();  // the result list
}

// A cell edited (the cell dialog) or signed (the sign pad) inside a closed
// rectangle or circle, or a click that finds no cell.
void CellEdit(SessionUser& u) {
  u.Push(u.Random().Chance(0.7) ? "cell-edit" : "cell-sign");
  for (int i = u.Random().Int(1, 2); i > 0; --i) u.Click(u.Random().Chance(0.6) ? u.CentrePoint() : u.AnyPoint());
}

// A table in one to three regions: round centres mostly (inside circles,
// arcs and polygons), clicks anywhere now and then (no region there
// discards the regions before); the right button opens the dialog.
void RegionTable(SessionUser& u) {
  u.Push(u.Random().Chance(0.6) ? "region-table" : "region-table-view");
  for (int i = u.Random().Int(1, 3); i > 0; --i) u.Click(u.Random().Chance(0.7) ? u.CentrePoint() : u.AnyPoint());
  u.RightClick();
}

// Texts filled: now and then a text placed first (the host's text tool),
// then a click on its box's corner or on another entity.
void FillText(SessionUser& u) {
  if (u.Random().Chance(0.7)) {
    const GPoint at = u.AnyPoint();
    u.PlaceText(at, u.Random().Int(2, 10), u.Random().Pick(std::vector<std::string>{"口", "AB", "图8"}));
    u.Push("fill-text");
    u.Click(u.Random().Chance(0.8) ? GPoint{at.x + 0.1, at.y + 0.1} : u.PointOnEntity());
  } else {
    u.Push("fill-text");
    u.Click(u.PointOnEntity());
  }
}

// A click on an equation curve or another entity for the modify-dimension
// command, which this host's missing active view leaves without effect.
void ModifyDim(SessionUser& u) {
  u.Push("modify-dim");
  u.Click(u.Random().Chance(0.7) ? u.PointOnEntity() : u.AnyPoint());
}

// A view command over a line begun: the view zooms in and out about one
// point, zooms to the window of the middle half of what it shows (x 0..200,
// y 0..150) and out about its centre, or pans there and back, so that it
// ends as it began; the right button ends the view command and the line
// resumes with its first point. The drawing does not change until the line
// ends.
void ViewOverLine(SessionUser& u) {
  u.Push("line");
  const GPoint start = SomePoint(u);
  u.Click(start);
  switch (u.Random().Int(0, 2)) {
    case 0: {
      const GPoint p = u.AnyPoint();
      u.Push("zoom-in");
      u.Click(p);
      u.Push("zoom-out");  // takes the zoom in's place
      u.Click(p);
      break;
    }
    case 1:
      u.Push("zoom-window");
      u.Click({50, 37.5});
      u.Click({150, 112.5});
      u.Push("zoom-out");
      u.Click({100, 75});
      break;
    default: {
      const GPoint p = u.AnyPoint(), q = u.Near(p, 15);
      u.Push("pan");
      u.Click(p);
      u.Click(q);
      u.Click(q);
      u.Click(p);
      break;
    }
  }
  u.RightClick();
  u.Click(NextPoint(u, start));
}

// Lengths and distances are measured; the drawing does not change.
void MeasureLength(SessionUser& u) {
  u.Push("measure-length");
  Select(u);  // the right button shows the total
}

void MeasureDistance(SessionUser& u) {
  u.Push("measure-distance");
  for (int i = 0; i < 2; ++i) {
    if (u.Random().Chance(0.3)) u.Char(9);  // points instead of entities, or back
    u.Click(u.Random().Chance(0.5) ? u.PointOnEntity() : u.EndPoint());
  }
}


// A start, a picked reference line (the included angle dialog), an end
// clicked or typed as a length.
void LineAngle(SessionUser& u) {
  u.Push("line-angle");
  const GPoint start = SomePoint(u);
  GivePoint(u, start);
  u.Click(u.PointOnEntity());
  MaybeTab(u);
  if (u.Random().Chance(0.2)) u.Key(u.Random().Chance(0.5) ? VK_UP : VK_LEFT);
  if (u.Random().Chance(0.3))
    u.Char('0' + static_cast<UINT>(u.Random().Int(1, 9)));  // the length dialog
  else
    u.Click(NextPoint(u, start));
}

// Two direction points (or a typed angle), a start and an end.
void LineDirection(SessionUser& u) {
  u.Push("line-direction");
  const GPoint first = SomePoint(u);
  GivePoint(u, first);
  if (u.Random().Chance(0.3)) {
    if (u.Random().Chance(0.5)) u.Key(VK_UP);  // one angle step about the first point
    u.Char('0' + static_cast<UINT>(u.Random().Int(1, 9)));  // the angle dialog
  } else {
    u.Click(u.Near(first, 30));
  }
  for (int i = 0; i < 2; ++i) {
    if (i == 1) MaybeTab(u);
    if (u.Random().Chance(0.2))
      u.Char('0' + static_cast<UINT>(u.Random().Int(1, 9)));  // the length dialog
    else
      u.Click(u.Near(first, 40));
  }
}

// A picked line, arc or circle, a movement, maybe a click on it, the end.
void LineFromCurve(SessionUser& u) {
  u.Push("line-from-curve");
  const GPoint pick = u.PointOnEntity();
  u.Click(pick);
  u.Move(u.Near(pick, 20));
  MaybeTab(u);
  if (u.Random().Chance(0.2)) {
    u.Click(u.PointOnEntity());  // on the picked entity: the start is fixed
    if (u.Random().Chance(0.4)) u.Char('0' + static_cast<UINT>(u.Random().Int(1, 9)));  // its length
  }
  u.Click(u.Near(pick, 40));
}

void LineBreak(SessionUser& u) {
  u.Push("line-break");
  MaybeTab(u);
  Points(u, 2);
}

}  // namespace

const std::vector<CommandStep>& CommandSteps() {
  static const std::vector<CommandStep> steps = {
      {"line", 8, Line},
      {"chain", 6, Chain},
      {"chain-length", 2, ChainLength},
      {"rect", 6, Rect},
      {"centreline", 2, CentreLine},
      {"circle", 5, Circle},
      {"circle-2p", 2, Circle2},
      {"circle-3p", 2, Circle3},
      {"arc-centre", 3, ArcCentre},
      {"arc-3p", 3, Arc3},
      {"polygon", 3, Polygon},
      {"arc-end", 2, ArcEnd},
      {"arc-to-circle", 1, ArcToCircle},
      {"move", 5, MoveCopy},
      {"rotate", 4, Rotate},
      {"round-array", 2, RoundArray},
      {"array", 2, Array},
      {"change-layer", 2, ChangeLayer},
      {"line-copy", 3, LineCopy},
      {"mirror", 3, Mirror},
      {"delete", 4, Delete},
      {"explode", 2, Explode},
      {"chamfer", 3, Chamfer},
      {"tan-circle", 2, TanCircle},
      {"shaft-chamfer", 2, ShaftChamfer},
      {"extend", 3, Extend},
      {"break", 3, Break},
      {"break-part", 3, BreakPart},
      {"requirements", 1, Requirements},
      {"dim", 2, Dimension},
      {"pick-edit", 3, PickEdit},
      {"fillet", 3, Fillet},
      {"tidy", 2, Tidy},
      {"tangent-line", 2, TangentLine},
      {"connect-arc", 2, ConnectArc},
      {"undercut", 2, Undercut},
      {"oblique-undercut", 2, ObliqueUndercut},
      {"group-new", 2, GroupNew},
      {"group-change", 2, GroupChange},
      {"group-current", 1, GroupCurrent},
      {"save-block", 1, SaveBlock},
      {"make-block", 2, MakeBlock},
      {"contour", 3, Contour},
      {"contour-chain", 2, ContourChain},
      {"three-view", 1, ThreeView},
      {"stretch", 3, Stretch},
      {"section", 1, Section},
      {"equation", 2, Equation},
      {"ellipse", 2, Ellipse},
      {"spline", 3, Spline},
      {"edit-spline", 2, EditSpline},
      {"table", 2, Table},
      {"records", 1, Records},
      {"pick-bom", 1, PickBom},
      {"fold-table", 2, FoldTable},
      {"text", 2, Text},
      {"area", 1, Area},
      {"cell-edit", 1, CellEdit},
      {"table-edit", 1, TableEdit},
      {"tendon-graph", 1, TendonGraph},
      {"region-table", 2, RegionTable},
      {"fill-text", 1, FillText},
      {"modify-dim", 1, ModifyDim},
      {"library-text", 2, LibraryText},
      {"zoom-pan", 2, ViewOverLine},
      {"measure-length", 1, MeasureLength},
      {"measure-distance", 1, MeasureDistance},
      {"line-angle", 2, LineAngle},
      {"line-direction", 2, LineDirection},
      {"line-from-curve", 2, LineFromCurve},
      {"line-break", 2, LineBreak},
      {"modify-end", 3, ModifyEnd},
      {"polyline-arc", 4, PolylineArc},
      {"point", 1, PointPlace},
      {"divide", 2, Divide},
      {"move-origin", 1, OriginOverLine},
      {"clip-circle", 2, ClipCircle},
      {"clip-rect", 2, ClipRect},
      {"view-rect", 1, ViewRect},
      {"scale-base", 3, ScaleBase},
      {"contour-place", 3, ContourPlace},
      {"end-view", 2, EndView},
      {"intersect", 2, Intersect},
      {"detail", 2, Detail},
      {"insert-group", 2, InsertGroup},
      {"change-font", 1, ChangeFont},
      {"centre-mark", 2, CentreMark},
      {"hide-copy", 2, HideCopy},
  };
  return steps;
}

const CommandStep& DrawCommandStep(SessionUser& user) {
  // Copies and arrays of copies make a drawing grow fast; a large one is
  // thinned out by deleting half of the time.
  if (user.PieceCount() > kManyPieces && user.Random().Chance(0.5)) {
    for (const CommandStep& s : CommandSteps())
      if (s.play == Delete) return s;
  }
  int total = 0;
  for (const CommandStep& s : CommandSteps()) total += s.weight;
  int n = user.Random().Int(0, total - 1);
  for (const CommandStep& s : CommandSteps()) {
    if (n < s.weight) return s;
    n -= s.weight;
  }
  return CommandSteps().front();
}

}  // namespace draftsequence
