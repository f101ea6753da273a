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
#include "draft/construct/CylinderIntersectCmd.h"
#include "draft/construct/DeleteLayerCmd.h"
#include "draft/construct/EditSplineCmd.h"
#include "draft/construct/EllipseCmd.h"
#include "draft/construct/LineAltCmd.h"
#include "draft/construct/LineCmd.h"
#include "draft/construct/LineFromCurveCmd.h"
#include "draft/construct/LineKindCmd.h"
#include "draft/construct/LineCopyCmd.h"
#include "draft/construct/PlaceTextCmd.h"
#include "draft/construct/PolygonCmd.h"
#include "draft/construct/ProjectionCmd.h"
#include "draft/construct/RectCmd.h"
#include "draft/construct/SplineCmd.h"
#include "draft/construct/SymLineCmd.h"
#include "draft/construct/TanCircle3Cmd.h"
#include "draft/construct/TangentArcCmd.h"
#include "draft/construct/WaveLineCmd.h"
#include "draft/edit/ArrayCmd.h"
#include "draft/edit/ChangeFontCmd.h"
#include "draft/edit/ContourCenterPlaceCmd.h"
#include "draft/edit/HideCopyCmd.h"
#include "draft/edit/BreakPartCmd.h"
#include "draft/edit/PickEditCmd.h"
#include "draft/edit/DeleteCmd.h"
#include "draft/edit/DividePointCmd.h"
#include "draft/edit/EnlargedViewCmd.h"
#include "draft/edit/ExplodeCmd.h"
#include "draft/edit/MirrorCmd.h"
#include "draft/edit/ModifyDimCmd.h"
#include "draft/edit/ModifyEndCmd.h"
#include "draft/edit/MoveOriginCmd.h"
#include "draft/edit/MoveCopyCmd.h"
#include "draft/edit/ObliqueUndercutCmd.h"
#include "draft/edit/PointCmd.h"
#include "draft/edit/PolylineArcCmd.h"
#include "draft/edit/RotateCmd.h"
#include "draft/edit/RoundArrayCmd.h"
#include "draft/edit/ScaleCmd.h"
#include "draft/edit/ShaftChamferCmd.h"
#include "draft/edit/ZoomInCmd.h"
#include "draft/edit/ZoomWindowCmd.h"
#include "draft/host/Settings.h"
#include "draft/regions/InsertGroupAltCmd.h"
#include "draft/regions/InsertGroupCmd.h"
#include "draft/regions/MeasureAreaCmd.h"
#include "draft/regions/MeasureDistCmd.h"
#include "draft/regions/MeasureLengthCmd.h"
#include "draft/regions/MakeBlockCmd.h"
#include "draft/regions/SaveBlockCmd.h"
#include "draft/edit/ArcCenterOnEntityCmd.h"
#include "draft/edit/ArcTangentLineCmd.h"
#include "draft/edit/ChamferCmd.h"
#include "draft/edit/ClipCircleCmd.h"
#include "draft/edit/ClipRectCmd.h"
#include "draft/edit/ScaleByBasePointsCmd.h"
#include "draft/edit/ViewClipRectCmd.h"
#include "draft/edit/BreakCmd.h"
#include "draft/edit/ExtendCmd.h"
#include "draft/edit/FilletCmd.h"
#include "draft/edit/TidyCenterLineCmd.h"
#include "draft/edit/UndercutCmd.h"
#include "draft/regions/ChangeGroupCmd.h"
#include "draft/regions/ContourCmd.h"
#include "draft/regions/ContourPlaceCmd.h"
#include "draft/regions/ContourSelectCmd.h"
#include "draft/regions/DeleteGroupCmd.h"
#include "draft/regions/EditGroupCmd.h"
#include "draft/regions/NewGroupCmd.h"
#include "draft/regions/SetCurGroupCmd.h"
#include "draft/regions/SectionCmd.h"
#include "draft/regions/ThreeViewOriginCmd.h"
#include "draft/regions/ThreeViewStretchCmd.h"
#include "draft/regions/ShowAttribCmd.h"
#include "draft/host/ProgramFolder.h"
#include "draft/host/SystemFiles.h"
#include "draft/tables/EditCellCmd.h"
#include "draft/tables/EditTendonTableCmd.h"
#include "draft/tables/FillTextCmd.h"
#include "draft/tables/FoldTableCmd.h"
#include "draft/tables/PickDetailRegionCmd.h"
#include "draft/tables/PlaceTableCmd.h"
#include "draft/tables/ProcessTableCmd.h"
#include "draft/tables/SteelCoordGraphCmd.h"
#include "draft/tables/RecordTableCmd.h"
#include "draft/tables/RegionTableCmd.h"
#include "draft/tables/SignCellCmd.h"
#include "draft/tables/TableFiles.h"
#include "draft/tables/TecReqCmd.h"
#include "examples/draft-session/SessionDimCmd.h"
#include "examples/draft-session/SessionTextCmd.h"
#include "examples/draft-session/CommandRegistry.h"
#include "platform/ui/Wnd.h"

namespace draftsession {

namespace {
// The host's insertion options: the block folder (the shipped data folder
// when none is set), the scale and the angle asked after the base point,
// continuous insertion.
void PrepareInsertion() {
  if (GetProfileStringSetting("User Path", "Block Path", "").IsEmpty())
    WriteProfileStringSetting("User Path", "Block Path", SCRIVEL_SESSION_DATA "/");
  WriteProfileIntSetting("SYSVAR_NORMAL", "SET_INSERTSTATUS_SCALE", 1);
  WriteProfileIntSetting("SYSVAR_NORMAL", "SET_INSERTSTATUS_ANGLE", 1);
  WriteProfileIntSetting("SYSVAR_NORMAL", "SET_INSERTSTATUS_CON", 1);
}
}  // namespace

namespace {

// The structure a table dialog edits: each command starts from an empty one
// and takes what its dialog reads.
CFieldArray& TableStructure() {
  static CFieldArray structure;
  return structure;
}

}  // namespace

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
  // Tangent circles and shaft and hole end chamfers.
  c.Add("tan-circle", "circles through or tangent to three picked lines, circles or arcs, or points after TAB; "
                      "of several solutions the clicked ones are kept when the right button ends the choice",
        [](CDraftView&) { return new CTanCircle3Cmd(310); });
  c.Add("shaft-chamfer", "chamfers a shaft's end: a click on the end face finds the contour lines on its layer "
                         "and group (else they are picked); the chamfer settings dialog first",
        [](CDraftView&) { return new CShaftChamferCmd(311, 0); });
  c.Add("hole-chamfer", "chamfers a hole's end as the shaft chamfer does, the chamfers opening outwards",
        [](CDraftView&) { return new CShaftChamferCmd(312, 1); });
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
  c.Add("ellipse", "an ellipse from its centre, a first semi-axis point (its direction turns the ellipse) and a "
                   "point at the second semi-axis; R or D types a semi-axis",
        [](CDraftView&) { return new CEllipseCmd(220, 0); });
  c.Add("elliptic-arc", "an ellipse's three points, then the arc's start and end points (their angles on the "
                        "ellipse); TAB takes the other arc, digits type an angle",
        [](CDraftView&) { return new CEllipseCmd(221, 1); });
  c.Add("spline", "a smooth curve through the clicked fit points; the right button makes it and starts the next",
        [](CDraftView&) { return new CSplineCmd(222, 0, 0); });
  c.Add("closed-spline", "a closed smooth curve through the clicked fit points",
        [](CDraftView&) { return new CSplineCmd(223, 1, 0); });
  c.Add("wave-line", "a wave line (the peak height asked first) with one wave between each two clicked points; TAB "
                     "turns the waves over",
        [](CDraftView&) { return new CWaveLineCmd(224); });
  c.Add("edit-spline", "moves a fit point of a clicked smooth curve: the curve, the fit point, its new place",
        [](CDraftView&) { return new CEditSplineCmd(225); });
  c.Add("line-copy", "parallel copies of a picked line, arc or circle at the cursor's distance; TAB: single or "
                     "double (one on each side); a digit types the spacing",
        [](CDraftView&) { return new CLineCopyCmd(230, 0, 0); });
  c.Add("line-copy-length", "parallel copies of a picked line, each from where the last ended to the cursor's "
                            "foot; the right button joins them into an outline (the form dialog)",
        [](CDraftView&) { return new CLineCopyCmd(231, 0, 1); });
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
  // Records, drawn bills of materials and folds.
  c.Add("records", "the parts-list records of numbers 1 to 3 added from the selected entities' attributes in the "
                   "record dialog (file records.lst of the program folder), then the parts list placed as "
                   "\"table\" places it, or the drawing's parts list brought up to date",
        [](CDraftView& v) {
          // The host keeps the records file; it starts empty.
          const CStringA path = GetProgramFolder() + "records.lst";
          if (!IsFileExist(path)) CreateTableFile(path, kPartsListMagic99);
          return new CRecordTableCmd(1, 3, 3, 0, v.GetSelectionList(), path, 270, nullptr, nullptr);
        });
  c.Add("pick-bom", "a bill of materials drawn as lines and texts read back pick by pick (a rubber line across "
                    "the rows); the right button writes the rows to a .lst file chosen in a save dialog",
        [](CDraftView&) { return new CPickDetailRegionCmd(271); });
  c.Add("fold-table", "a table folded: a click on the row from which it goes on, a click where that part goes "
                      "(TAB: the point is its right edge)",
        [](CDraftView&) { return new CFoldTableCmd(272); });
  c.Add("text", "the host's text: the text typed on the command line, placed at each click",
        [](CDraftView&) { return new CSessionTextCmd(273); });
  c.Add("process-table", "a process card defined in the process-table dialog (its rows are the rows of a page), "
                         "then placed as \"table\" places it",
        [](CDraftView&) {
          TableStructure().RemoveAll();
          return new CProcessTableCmd(&TableStructure(), 262);
        });
  c.Add("tendon-graph", "a tendon graph: the axis dialog, the coordinate dialog (\"读文件\" reads a .zbb file), "
                        "then the graph placed by a click (TAB: x and y exchanged) and, with \"坐标表\", its "
                        "coordinate table placed as \"table\" places it",
        [](CDraftView&) { return new CSteelCoordGraphCmd(264, nullptr, nullptr); });
  c.Add("table-edit", "a clicked table reopened in the dialog that made it (general tables and bills of materials, "
                      "rebar schedules, process cards); a coordinate table or tendon graph, with its partner "
                      "clicked next (or the right button for it alone), reopens in the tendon graph command",
        [](CDraftView&) {
          TableStructure().RemoveAll();
          return new CEditTendonTableCmd(&TableStructure(), 263);
        });
  // Cells of drawn tables: edited in the cell dialog, signed on the sign pad.
  c.Add("cell-edit", "the text, alignment and direction of a clicked cell: of a table, or the closed rectangle "
                     "or circle round the click with the text inside it",
        [](CDraftView& v) { return new CEditCellCmd(260, &v); });
  c.Add("cell-sign", "a signature written on the sign pad, fitted into the closed rectangle or circle round the "
                     "click",
        [](CDraftView& v) { return new CSignCellCmd(261, &v); });
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
  // Lines of a given direction, lines from picked curves and two-point
  // polyline lines.
  c.Add("line-angle", "a line from a start at a typed included angle to a picked reference line (the angle dialog "
                      "after the pick); TAB changes the symmetry",
        [](CDraftView&) { return new CSymLineCmd(240); });
  c.Add("line-direction", "a line along a direction given by two points or a typed angle: a start carried onto "
                          "it, then an end",
        [](CDraftView&) { return new CLineDirCmd(241); });
  c.Add("line-from-curve", "a line from a picked line (perpendicular, or continuing it beyond an end; a click on "
                           "it fixes the start) or tangent to a picked arc or circle (TAB: the other side)",
        [](CDraftView&) { return new CLineFromCurveCmd(242); });
  c.Add("line-break", "a two-point line drawn as a break-line polyline between its two points; TAB changes the "
                      "symmetry",
        [](CDraftView&) { return new CLineKindCmd(243); });
  // Modifying ends, polylines with arcs, points and the origin.
  c.Add("modify-end", "moves the end of a picked line nearer the pick to a click, or gives a picked arc or circle "
                      "the click's distance from its centre as its radius (R or D types it)",
        [](CDraftView& v) { return new CModifyEndCmd(250, &v); });
  c.Add("polyline-arc", "a chain of lines and tangent arcs, each click a segment from the last one's end; TAB: line "
                        "or arc, R or D: the next arc's radius, Shift: the other end, Ctrl: a tangent line after an "
                        "arc or not; the right button starts a new chain",
        [](CDraftView& v) { return new CPolylineArcCmd(251, &v); });
  c.Add("point", "a point entity at each click", [](CDraftView& v) { return new CPointCmd(252, &v); });
  c.Add("divide", "asks for a count N (2 to 100), then points dividing each picked line or arc into N equal parts",
        [](CDraftView& v) { return new CDividePointCmd(253, &v); });
  c.Add("move-origin", "each click becomes the coordinate origin of the readouts (runs over a drawing command)",
        [](CDraftView& v) { return new CMoveOriginCmd(254, &v); });
  // Break.
  c.Add("break", "cuts a gap into a picked line, circle, arc or ellipse from the pick to a second point (on a "
                 "boundary entity: where it crosses)",
        [](CDraftView& v) { return new CBreakCmd(215, &v); });
  // Fillets and the drawing tidy.
  c.Add("fillet", "rounds the corner of two picked lines, circles or arcs (its settings dialog first) and cuts "
                  "both edges; two parallel lines become one, two arcs of one circle one arc",
        [](CDraftView&) { return new CFilletCmd(210, 1); });
  c.Add("fillet-keep", "adds the rounding arc between two picked edges and leaves the edges as they are",
        [](CDraftView&) { return new CFilletCmd(211, 0); });
  c.Add("fillet-sharp", "brings two picked edges to a sharp corner where they meet (no dialog)",
        [](CDraftView&) { return new CFilletCmd(212, 5); });
  c.Add("tidy", "trims or extends centre lines to the contour they cross, or merges duplicate lines, arcs and "
                "circles, over the whole drawing or over picked entities (its dialog chooses)",
        [](CDraftView& v) { return new CTidyCenterLineCmd(213, &v); });
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
  // Tangent lines, connecting arcs and undercuts.
  c.Add("tangent-line", "the common tangent line of two picked arcs or circles, the one nearest the two picks",
        [](CDraftView&) { return new CArcTangentLineCmd(295, 0); });
  c.Add("connect-arc", "an arc tangent to a picked line, arc or circle with its centre on a second picked entity "
                       "(TAB: through a clicked point instead), its radius from a dialog, ended by a click; TAB at "
                       "the end: the other arc, twice: the other solution",
        [](CDraftView&) { return new CArcCenterOnEntityCmd(296); });
  c.Add("undercut", "a groove cut next to a picked end line into the smaller of two diameters (four outline "
                    "lines crossing the end line; its sizes dialog first)",
        [](CDraftView&) { return new CUndercutCmd(297); });
  c.Add("oblique-undercut", "a slot cut into the corner of two picked lines along its bisector (its sizes dialog "
                            "first); one click on a corner takes both lines",
        [](CDraftView&) { return new CObliqueUndercutCmd(298); });
  // Clipping, view rectangles, scale and align, contour placement.
  c.Add("clip-circle", "clips the drawing with a circle by centre and a point on it; TAB: cut the inside away or "
                       "keep only the inside; asks whether to draw the circle",
        [](CDraftView&) { return new CClipCircleCmd(290); });
  c.Add("clip-rect", "clips the drawing with a rectangle by two corners; TAB: cut the inside away or keep only the "
                     "inside; asks whether to draw the rectangle",
        [](CDraftView&) { return new CClipRectCmd(291); });
  c.Add("view-rect", "stores a rectangle of two clicks as the view's clip rectangle and tells the view's window "
                     "(the host prints it); ends after the second click",
        [](CDraftView& v) {
          const HWND window = v.GetSafeHwnd();
          return new CViewClipRectCmd(window ? CWnd::FromHandlePermanent(window) : nullptr, 292);
        });
  c.Add("scale-base", "moves the selection from a source to a destination base point and, with a second pair, "
                      "turns and (if agreed) scales it; space after the first pair only moves it",
        [](CDraftView&) { return new CScaleByBasePointsCmd(293); });
  c.Add("contour-place", "copies of the contour chained to a picked entity, from a base point to each click, "
                         "turned 90 degrees a TAB, as a block (Shift: loose entities)",
        [](CDraftView& v) { return new CContourPlaceCmd(294, &v, 0); });
  // Texts (Korrin's text dialog) and dimension texts (the dimension-value
  // dialog).
  c.Add("place-text", "asks for a text in the text dialog and places it at each click (TAB turns it by 90 degrees); "
                      "the dialog asks again after each text, Cancel ends the command",
        [](CDraftView&) { return new CPlaceTextCmd(300, 1); });
  c.Add("edit-text", "opens a picked text in the text dialog and replaces it by the edited one (a dimension's text "
                     "in the dimension-value dialog, the whole dimension replaced); the right button ends it",
        [](CDraftView&) { return new CPlaceTextCmd(301, 0); });
  // Equation curves handed to a new equation-curve command through the host's
  // active MDI view.
  c.Add("modify-dim", "hands a picked equation curve to a new equation-curve command that the host's active view "
                      "pushes",
        [](CDraftView&) { return new CModifyDimCmd(302); });
  // Technical requirements and breaking into parts.
  c.Add("requirements", "the technical-requirements editor, then the numbered block placed at a click (it replaces "
                        "the drawing's earlier block)",
        [](CDraftView&) { return new CTecReqCmd(305); });
  c.Add("break-cut", "cuts away the piece of a picked line, arc or circle between its crossings at the pick",
        [](CDraftView&) { return new CBreakPartCmd(306, 1, 0, 0); });
  c.Add("break-keep", "keeps only the piece of a picked line, arc or circle between its crossings at the pick",
        [](CDraftView&) { return new CBreakPartCmd(307, 0, 1, 0); });
  c.Add("break-layer", "moves the piece of a picked line, arc or circle between its crossings at the pick to the "
                       "current layer",
        [](CDraftView&) { return new CBreakPartCmd(308, 0, 0, 1); });
  c.Add("pick-edit", "opens the editor of each picked entity (its values, a text's text dialog, a dimension's "
                     "dimension-value dialog); a requirement block starts the requirements command over it",
        [](CDraftView&) { return new CPickEditCmd(309); });
  c.Add("dim", "the host's linear dimension: two points measured and a third where the dimension line runs, the "
               "length written above it",
        [](CDraftView&) { return new CSessionDimCmd(330); });
  // End views.
  c.Add("end-view", "the end view of a turned part: pick its centre line, mark outline lines with windows (TAB: "
                    "single points), the right button, then click where the circles go (TAB: the cross, Shift: "
                    "centred on the axis)",
        [](CDraftView&) { return new CProjectionCmd(315); });
  c.Add("intersect", "the intersection line of two cylinders or a cylinder and a cone: pick the centre line and an "
                     "outline of each body",
        [](CDraftView&) { return new CCylinderIntersectCmd(316); });
  c.Add("detail", "an enlarged detail view: the centre and a point on the circle round the area, its scale and label "
                  "in a dialog, then the label, the enlarged copy and the annotation placed by three clicks",
        [](CDraftView&) { return new CEnlargedViewCmd(317); });
  // Block files and compound entities.
  c.Add("save-block", "writes the selection (the right button ends it) to the file chosen in the save dialog: a "
                      "block file (*.gdf) with the next click as its base point, or a title-block file (*.btl, "
                      "*.btf) at once, decomposed",
        [](CDraftView& v) { return new CSaveBlockCmd(320, &v, 0, 0); });
  c.Add("make-block", "replaces two or more selected entities (the right button ends the selection) by one block",
        [](CDraftView& v) { return new CMakeBlockCmd(321, &v, 0, 0); });
  // Group insertion from the block files of the host's block folder (the
  // shipped data folder unless "User Path"/"Block Path" names another).
  c.Add("insert-group", "inserts the stored group \"bolt\" (bolt.gdf of the block folder) at each clicked base "
                        "point, with a scale and an angle clicked or typed next (50 units: scale 1; TAB turns by "
                        "90 degrees), offering to remove the lines it hides; the right button ends",
        [](CDraftView& view) {
          PrepareInsertion();
          return new CInsertGroupCmd(&view, 325, 1, "bolt", 0, 0, "", 0, nullptr);
        });
  c.Add("insert-groups", "inserts the stored groups \"bolt\" and \"washer\" in turn, as insert-group does",
        [](CDraftView& view) {
          PrepareInsertion();
          CStringArray names;
          names.Add("bolt");
          names.Add("washer");
          return new CInsertGroupAltCmd(&view, 326, 1, &names, 0, 0, "", 0, nullptr);
        });
  c.Add("change-font", "gives the selected texts (a block's too) the drawing's text font and the system text "
                       "height; the right button ends the choice",
        [](CDraftView&) { return new CChangeFontCmd(327, 0); });
  c.Add("centre-mark", "a centre line, a parallel contour line, then marks of three arcs at clicked points of the "
                       "centre line (TAB: of the contour line)",
        [](CDraftView&) { return new CContourCenterPlaceCmd(328); });
  c.Add("hide-copy", "copies the selection without what the regions clicked after the base point hide; the right "
                     "button hands the copies to the drawing",
        [](CDraftView& view) { return new CHideCopyCmd(&view, 329); });
  return c;
}

}  // namespace draftsession
