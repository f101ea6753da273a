// The names under which a session script pushes ScrivelDraft's commands.
// Each name has its own command id, so that pushing the running command's
// name again keeps it running (the stack's push rule).
#include "draft/construct/Arc3PointCmd.h"
#include "draft/construct/ArcCenterCmd.h"
#include "draft/construct/ArcFromEndCmd.h"
#include "draft/construct/ChangeLayerCmd.h"
#include "draft/construct/ChangeLayerSelCmd.h"
#include "draft/construct/CenterLineCmd.h"
#include "draft/construct/ChangeArcCmd.h"
#include "draft/construct/Circle2PointCmd.h"
#include "draft/construct/Circle3PointCmd.h"
#include "draft/construct/CircleCenterCmd.h"
#include "draft/construct/CurveEquationCmd.h"
#include "draft/construct/DeleteLayerCmd.h"
#include "draft/construct/LineAltCmd.h"
#include "draft/construct/LineCmd.h"
#include "draft/construct/PolygonCmd.h"
#include "draft/construct/RectCmd.h"
#include "draft/construct/TangentArcCmd.h"
#include "draft/edit/ArrayCmd.h"
#include "draft/edit/DeleteCmd.h"
#include "draft/edit/ExplodeCmd.h"
#include "draft/edit/MirrorCmd.h"
#include "draft/edit/MoveCopyCmd.h"
#include "draft/edit/RotateCmd.h"
#include "draft/edit/RoundArrayCmd.h"
#include "draft/edit/ScaleCmd.h"
#include "draft/edit/ZoomInCmd.h"
#include "draft/edit/ZoomWindowCmd.h"
#include "draft/regions/MeasureAreaCmd.h"
#include "draft/regions/MeasureDistCmd.h"
#include "draft/regions/MeasureLengthCmd.h"
#include "draft/edit/ChamferCmd.h"
#include "draft/edit/ExtendCmd.h"
#include "draft/regions/ChangeGroupCmd.h"
#include "draft/regions/ContourCmd.h"
#include "draft/regions/ContourSelectCmd.h"
#include "draft/regions/DeleteGroupCmd.h"
#include "draft/regions/EditGroupCmd.h"
#include "draft/regions/NewGroupCmd.h"
#include "draft/regions/SetCurGroupCmd.h"
#include "draft/regions/SectionCmd.h"
#include "draft/regions/ThreeViewOriginCmd.h"
#include "draft/regions/ThreeViewStretchCmd.h"
#include "draft/regions/ShowAttribCmd.h"
#include "draft/tables/FillTextCmd.h"
#include "draft/tables/PlaceTableCmd.h"
#include "draft/tables/RegionTableCmd.h"
#include "examples/draft-session/CommandRegistry.h"

namespace draftsession {

CommandRegistry LibraryCommands() {
  CommandRegistry c;
  c.Add("line", "single lines from two points each; TAB changes the symmetry",
        [](CDraftView& v) { return new CLineCmd(1, &v); });
  c.Add("chain", "a chain of lines, each starting where the last ended; C closes it",
        [](CDraftView& v) {
          auto* cmd = new CLineCmd(2, &v);
          cmd->SetChainFlag(1);
          return cmd;
        });
  c.Add("chain-length", "a chain of lines whose lengths and angles are typed (a digit opens the length dialog); "
                        "arrows step the length and angle; C closes it",
        [](CDraftView&) {
          auto* cmd = new CLineAltCmd(3);
          cmd->SetChainFlag(1);
          return cmd;
        });
  c.Add("rect", "a rectangle from two corners; TAB makes a corner the centre",
        [](CDraftView& v) { return new CRectCmd(4, &v); });
  c.Add("centreline", "a pair of centre lines from a centre and an extension point",
        [](CDraftView&) { return new CCenterLineCmd(5); });
  c.Add("move", "moves the selection from a base point to a target; Shift holds it level, TAB turns it",
        [](CDraftView&) { return new CMoveCopyCmd(6, 1, 0, 0, 0, 0); });
  c.Add("copy", "copies the selection from a base point to a target; Shift holds it level, TAB turns it",
        [](CDraftView&) { return new CMoveCopyCmd(7, 0, 0, 0, 0, 0); });
  c.Add("copy-repeat", "copies the selection again at each click, as many as the copy count setting says",
        [](CDraftView&) { return new CMoveCopyCmd(8, 0, 0, 0, 0, 1); });
  c.Add("circle", "circles by centre and a point on them (R or D types the radius); the centre stays for "
                  "concentric circles",
        [](CDraftView&) { return new CCircleCenterCmd(9, 0); });
  c.Add("circle-centrelines", "a circle by centre and a point on it, with its two centre lines",
        [](CDraftView&) { return new CCircleCenterCmd(10, 1); });
  c.Add("circle-2p", "a circle whose diameter runs between two points",
        [](CDraftView&) { return new CCircle2PointCmd(11); });
  c.Add("circle-3p", "a circle through three points", [](CDraftView&) { return new CCircle3PointCmd(12); });
  c.Add("polygon", "a regular polygon about a centre (its side count dialog first); TAB: inscribed or "
                   "circumscribed",
        [](CDraftView&) { return new CPolygonCmd(13); });
  c.Add("arc-end", "an arc continuing a picked line or arc from its nearer end",
        [](CDraftView&) { return new CArcFromEndCmd(14); });
  c.Add("arc-tangent-in", "an arc of a typed radius enclosing two picked circles",
        [](CDraftView&) { return new CTangentArcCmd(15, 1); });
  c.Add("arc-tangent-out", "an arc of a typed radius touching two picked circles from outside",
        [](CDraftView&) { return new CTangentArcCmd(16, 2); });
  c.Add("arc-tangent-mixed", "an arc enclosing the first picked circle and touching the second from outside",
        [](CDraftView&) { return new CTangentArcCmd(17, 3); });
  c.Add("arc-to-circle", "turns picked arcs into full circles",
        [](CDraftView& v) { return new CChangeArcCmd(18, &v); });
  c.Add("arc-centre", "an arc by centre, start and end point; the sweep in whole angle steps",
        [](CDraftView&) { return new CArcCenterCmd(19); });
  c.Add("sector", "an arc by centre, start and end point, with its two radii",
        [](CDraftView&) { return new CArcCenterAltCmd(20); });
  c.Add("arc-3p", "an arc through two end points and a middle point",
        [](CDraftView&) { return new CArc3PointCmd(21); });
  c.Add("segment", "an arc through two end points and a middle point, with its chord",
        [](CDraftView&) { return new CArc3PointAltCmd(22); });
  c.Add("rotate", "turns the selection about a base point, from a base line, in whole angle steps",
        [](CDraftView&) { return new CRotateCmd(23); });
  c.Add("scale", "scales the selection about a base point by the pointer's distance over 20",
        [](CDraftView&) { return new CScaleCmd(24); });
  c.Add("round-array", "places copies of the selection round a centre (its settings dialog first)",
        [](CDraftView&) { return new CRoundArrayCmd(25); });
  c.Add("array", "copies the selection into columns and rows (its settings dialog first); with picked "
                 "direction lines, a click on each (the right button: Y perpendicular to the first)",
        [](CDraftView& v) { return new CArrayCmd(190, &v, 0, 0); });
  c.Add("area", "the area of the regions round clicked points, added (or subtracted after TAB); "
                "the right button shows the result list",
        [](CDraftView& v) { return new CMeasureAreaCmd(40, &v); });
  // Chamfer, extend, drawing groups and offset contours.
  c.Add("chamfer", "cuts the corner of two picked lines by a chamfer (its settings dialog first); one click on "
                   "a corner takes both lines",
        [](CDraftView&) { return new CChamferCmd(150, 1); });
  c.Add("chamfer-keep", "adds a chamfer between two picked lines and leaves the lines as they are",
        [](CDraftView&) { return new CChamferCmd(151, 4); });
  c.Add("extend", "lengthens or shortens a picked line, arc, circle or ellipse to a point or a boundary entity",
        [](CDraftView& v) { return new CExtendCmd(152, &v); });
  c.Add("group-new", "puts the selection into a drawing group chosen or typed in the group dialog",
        [](CDraftView& v) { return new CNewGroupCmd(153, &v, 0, 0); });
  c.Add("group-change", "moves the selection into the current drawing group",
        [](CDraftView& v) { return new CChangeGroupCmd(154, &v, 0, 0); });
  c.Add("group-delete", "deletes the selection; a member of a group picked whole brings the group",
        [](CDraftView& v) { return new CDeleteGroupCmd(155, &v, 0, 0); });
  c.Add("group-current", "makes the drawing group of a picked entity current",
        [](CDraftView&) { return new CSetCurGroupCmd(156, 1); });
  c.Add("group-base", "moves the base point of a picked entity's group (TAB: the current group's)",
        [](CDraftView&) { return new CEditGroupCmd(157); });
  c.Add("contour", "offset contours of the closed region round a clicked point; TAB: one on each side",
        [](CDraftView& v) { return new CContourCmd(158, &v, 0); });
  c.Add("contour-chain", "offset contours of picked lines and arcs chained end to end (the right button "
                         "chains them)",
        [](CDraftView& v) { return new CContourSelectCmd(159, &v, 1); });
  c.Add("three-view", "divides the drawing into three views: a first point, then the origin on the mitre "
                      "(the right button takes the first point)",
        [](CDraftView&) { return new CThreeViewOriginCmd(41); });
  c.Add("stretch-vertical", "vertical projection lines of a picked profile between two points, hidden and "
                            "centre lines on their layers; TAB symmetric, Shift end lines, Ctrl tapered",
        [](CDraftView& v) { return new CThreeViewStretchCmd(&v, 42, 1, 0); });
  c.Add("stretch-horizontal", "horizontal projection lines of a picked profile between two points",
        [](CDraftView& v) { return new CThreeViewStretchCmd(&v, 43, 2, 0); });
  c.Add("stretch-mitre", "projection lines of a picked profile carried over the three-view mitre into the "
                         "neighbouring view",
        [](CDraftView& v) { return new CThreeViewStretchCmd(&v, 44, 3, 0); });
  c.Add("section", "section lines (picked, or clicked after Shift), then vertical projection lines from "
                   "their crossings with a picked profile",
        [](CDraftView& v) { return new CSectionCmd(&v, 45, 1, 1); });
  c.Add("section-oblique", "section lines, then projection lines perpendicular to the first of them",
        [](CDraftView& v) { return new CSectionCmd(&v, 46, 4, 1); });
  c.Add("mirror", "mirrors the selection about a picked line (TAB: about two typed points); asks whether to keep "
                  "the sources",
        [](CDraftView&) { return new CMirrorCmd(171, 0x2000, 0); });
  c.Add("delete", "deletes what is selected, then each entity clicked or every entity in a window",
        [](CDraftView&) { return new CDeleteCmd(172); });
  c.Add("explode", "breaks the selected blocks and curves into their parts",
        [](CDraftView& v) { return new CExplodeCmd(173, &v, 0, 0); });
  c.Add("change-layer-sel", "moves the selection to a layer chosen in the layer dialog",
        [](CDraftView&) { return new CChangeLayerSelCmd(191); });
  c.Add("change-layer", "moves every entity on a clicked entity's layer to a layer chosen in the layer dialog",
        [](CDraftView&) { return new CChangeLayerCmd(192); });
  c.Add("delete-layer", "deletes every entity on a clicked entity's layer (blocks keep what lies elsewhere)",
        [](CDraftView&) { return new CDeleteLayerCmd(193); });
  c.Add("equation", "a curve from parametric equations (the equation dialog first), placed with a click; TAB "
                    "turns its axes; needs a current group",
        [](CDraftView&) { return new CCurveEquationCmd(174, nullptr); });
  c.Add("attributes", "the attribute dialog of a clicked entity's group, or of the drawing on TAB",
        [](CDraftView&) { return new CShowAttribCmd(175); });
  // Tables: filled in their dialog, generated, then docked to lines and
  // wrapped into columns.
  c.Add("table", "a bill of materials or general table filled in its dialog (files read and saved there), "
                 "then placed: docked to a vertical and a horizontal line (TAB: the line is its right edge), "
                 "then a wrap height (the right button: none)",
        [](CDraftView&) { return new CPlaceTableCmd(nullptr, 176, 1); });
  c.Add("table-schedule", "a rebar schedule or general table filled in the table-content dialog, then placed as "
                          "\"table\" places it",
        [](CDraftView&) { return new CPlaceTableCmd(nullptr, 177, 2); });
  // View commands (level 5: they run over a drawing command, which waits)
  // and the length and distance measuring.
  c.Add("zoom-in", "zooms in by 2 about each clicked point; the right button returns to the command below",
        [](CDraftView& v) { return new CZoomInCmd(&v, 196); });
  c.Add("zoom-out", "zooms out by 2 about each clicked point", [](CDraftView& v) { return new CZoomOutCmd(&v, 197); });
  c.Add("zoom-window", "shows the window between two clicked corners",
        [](CDraftView& v) { return new CZoomWindowCmd(&v, 198); });
  c.Add("pan", "moves the view so that the first clicked point comes to the second",
        [](CDraftView& v) { return new CPanCmd(&v, 199); });
  c.Add("measure-length", "the total length of the entities picked (a click, or a window from a click on nothing); "
                          "the right button shows it",
        [](CDraftView& v) { return new CMeasureLengthCmd(200, &v); });
  c.Add("measure-distance", "distances, coordinate differences or the angle between two picked points, lines, "
                            "circles or arcs; TAB: clicked or typed points instead",
        [](CDraftView&) { return new CMeasureDistCmd(201); });
  // Tables inside closed regions (Quorvel's table-in-region dialog).
  c.Add("region-table", "a table whose cells are the closed regions clicked (up to ten); the right button opens "
                        "the table-in-region dialog",
        [](CDraftView& v) { return new CRegionTableCmd(280, &v); });
  c.Add("region-table-view", "a table over the closed regions the view collects from the clicks; the right button "
                             "opens the table-in-region dialog",
        [](CDraftView& v) { return new CRegionTableInsertCmd(281, &v); });
  c.Add("fill-text", "fills the character outlines of the texts at each click with hatch lines set in the "
                     "table-in-region dialog; the right button ends it",
        [](CDraftView& v) { return new CFillTextCmd(282, &v); });
  return c;
}

}  // namespace draftsession
