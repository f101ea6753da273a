// The three-view stretch command: draws the projection lines of a profile
// across a view. The user picks the profile's entities (a click, or a
// window from a click on nothing), ends the selection with the right
// button, gives a start point (or the position of a symmetry line) and a
// second point (or types the length); the command draws one straight line
// for every distinct coordinate of the profile's edge points across the
// stretch, and end lines across the profile's extent. Points that another
// selected entity hides from the stretch side give lines on the hidden-line
// layer; centres of circles and of arcs of at least half a turn give centre
// lines on the centre-line layer, 5 units beyond both ends.
//
// Modes: 1 vertical lines at x values, 2 horizontal lines at y values,
// 3 x values carried across the three-view origin's 45-degree mitre to
// horizontal lines (a profile left of the origin turns the command into
// mode 4 for good), 4 y values carried across the mitre to vertical lines.
// A mode 4 given to the constructor is the oblique mode: lines
// perpendicular to the first section segment, made only from section
// crossings. With the section flag the lines come from the points where
// section lines (taken by CSectionCmd) cross the profile; a point on an
// oblique section segment is laid out along the stretch by its distance
// from the segment's corner.
//
// Keys once the selection is done: Shift drops (or brings back) the bottom
// end line before the first point, the top end line after it; Ctrl tapers
// the lines to the cursor; TAB switches one-sided and symmetric stretches;
// R or D turns the hidden side round; a digit types the length.
#pragma once

#include <initializer_list>
#include <memory>
#include <vector>

#include "draft/framework/CmdBase.h"
#include "draft/host/EntityList.h"
#include "draft/host/Geometry2D.h"

class CDrawingGroup;
class CEntity;

class CThreeViewStretchCmd : public CCmdBase {
 public:
  using PointList = std::vector<GPoint>;
  using ValueArray = std::vector<double>;
  // Section segments as line entities the command owns.
  using SectionLineList = std::vector<std::unique_ptr<CEntity>>;

  CThreeViewStretchCmd(CDraftView* view, int id, int mode, int sectionFlag);
  ~CThreeViewStretchCmd() override;

  // Runs the right button; 0.
  int OnInterrupt(CDraftView* view) override;
  // Refuses mode 3 before the drawing is divided into three views; takes a
  // selection that is already there as the profile.
  int Begin(CDraftView* view) override;
  void OnShiftKey(CDraftView* view) override;
  void OnCtrlKey(CDraftView* view) override;
  void OnTabKey(CDraftView* view) override;
  // With the selection done and one point: turns the hidden side round and
  // collects again. Nothing in any other state. 0.
  int OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) override;
  // With the selection done and one point: the length dialog. 1 in every
  // state, so that the cursor position is taken as the next point.
  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // ---- The operations it adds, in slot order.
  // Picks at the point taken, or over the window of the two points taken.
  virtual void PickProfile(CDraftView* view);
  // The rubber window from the point taken to the cursor, with its size.
  virtual void DrawPickBox(CDraftView* view);
  // A line, arc or circle is appended; a block's members are taken in turn.
  virtual void CollectProfileEntity(CEntityList& list, CEntity* entity);
  // The coordinate arrays of the three line classes from the selection.
  virtual void CollectCoordinates(CDraftView* view);
  // One line per value across the stretch, with the end lines when asked.
  // Add mode 1 or 3 adds what was made as one undo step, 2 keeps it for the
  // next call; a preview only draws.
  virtual void DrawStretchLines(CDraftView* view, ValueArray& values, int endLines, int addMode, int preview);
  // Drops from `values` what the outline holds, then draws the rest.
  virtual void DrawClassLines(CDraftView* view, ValueArray& values, const ValueArray& outline, int addMode,
                              int preview);
  // 1 when an entity of the list (blocks searched through) hides p from
  // the side `side` (11, 12, 21, 22).
  virtual int IsPointHidden(CDraftView* view, int side, const GPoint& p, const CEntityList& entities);
  virtual int IsBlockedByLine(int side, const GPoint& p, const CEntity* entity);
  virtual int IsBlockedByCurve(int side, const GPoint& p, const CEntity* entity);
  // The side code from the reference point (x, y) and the mode.
  virtual void SetSideCode(double x, double y);
  virtual void CollectXCoordinates(const PointList& points, ValueArray& values, int extremes);
  virtual void CollectYCoordinates(const PointList& points, ValueArray& values, int extremes);
  // Consumes the profile list into outline and hidden points.
  virtual void SplitProfilePoints(CDraftView* view, CEntityList& profile, PointList& outline, PointList& hidden);
  virtual int ContainsPoint(const PointList& points, const GPoint& p);
  // The crossings of `entity` with each of `others`, then its extreme points.
  virtual void CollectEntityPoints(CEntity* entity, const CEntityList& others, PointList& out);
  // 0 nothing, 1 crossing points, 2 a touching point (appended to `out`).
  virtual int IntersectEntities(const CEntity* e1, const CEntity* e2, PointList& out, int option);
  virtual void CollectExtremePoints(const CEntity* entity, PointList& out, PointList& centres);
  // Moves the source's points to the end of the target.
  virtual void AppendPoints(PointList& target, PointList& source);
  virtual int ContainsValue(const ValueArray& values, double v);
  // Append ox + oy − c for every value c.
  virtual void MitreFromX(const ValueArray& source, ValueArray& target);
  virtual void MitreFromY(const ValueArray& source, ValueArray& target);
  virtual void CollectSectionCrossings(CDraftView* view, const CEntity* sectionLine, const CEntityList& entities,
                                       PointList& out);
  virtual void CollectAllSectionCrossings(CDraftView* view, const SectionLineList& lines,
                                          const CEntityList& entities, PointList& out);
  virtual void CollectSectionCoordinates(CDraftView* view);
  // The corner of the oblique section line p lies on; 0 and (0, 0) when none.
  virtual int FindSectionReference(const GPoint& p, const SectionLineList& lines, double& qx, double& qy);
  // The oblique mode's lines from the points of the list.
  virtual void DrawObliqueLines(CDraftView* view, const PointList& points, int preview);
  // The extreme corners of the points by x (byY 0) or by y (1).
  virtual void UpdateObliqueExtent(const PointList& points, int byY);
  // 1 with q = 0 when p lies on the first section line (or there is none),
  // else 0 with q its signed distance from that line.
  virtual int DistanceToSectionLine(const GPoint& p, const SectionLineList& lines, double& q);
  virtual void ResetExtents();
  virtual void ClearCollections();

  // ---- For hosts and tests: what the command holds.
  int GetMode() const { return mode_; }
  int GetSideCode() const { return sideCode_; }
  int IsSelectionDone() const { return selectionDone_; }
  int GetStretchKind() const { return stretchKind_; }
  int IsTapered() const { return tapered_; }
  int GetBottomLineFlag() const { return bottomLine_; }
  int GetTopLineFlag() const { return topLine_; }
  double GetStretchLength() const { return length_; }
  const ValueArray& GetOutlineValues() const { return outline_; }
  const ValueArray& GetHiddenValues() const { return hidden_; }
  const ValueArray& GetCentreValues() const { return centre_; }
  int GetSectionLineCount() const { return static_cast<int>(sectionLines_.size()); }
  // Segment i of the section as x1, y1, x2, y2.
  void GetSectionSegment(int i, double& x1, double& y1, double& x2, double& y2) const;

 protected:
  // A class of lines for CollectClassCoordinates: its points, its array and
  // its extremes flag.
  struct CoordinateClass {
    const PointList* points;
    ValueArray* values;
    int extremes;
  };
  // What CollectXCoordinates (byY false) and CollectYCoordinates do.
  void CollectAxisCoordinates(const PointList& points, ValueArray& values, int extremes, bool byY);
  // By the mode, for each class in turn: the x (modes 1, 3) or y (2, 4)
  // coordinates of its points into its array; in modes 3 and 4 carried over
  // the mitre into the array, and the cross extent carried over after all.
  void CollectClassCoordinates(std::initializer_list<CoordinateClass> classes);
  // The first-point and second-point prompts, following the end-line flags.
  void SetFirstPointPrompt();
  void SetSecondPointPrompt();
  // Appends a section segment as a line on the command's layer and group.
  void AddSectionSegment(double x1, double y1, double x2, double y2);
  void DeleteSectionLines();
  // The stretch from `s` towards `e` (the cursor's place along it): a typed
  // length is measured from `s`, else the length becomes e - s; a stretch
  // both ways (kind 2) starts as far before `s`. FALSE when the length is
  // nil.
  bool SpanStretch(double& s, double& e);
  // Centre lines stand out past both ends of the stretch.
  static void ExtendBothEnds(double& s, double& e);
  // Adds the result list to the drawing as one undo step.
  void AddResultList(CDraftView* view);
  // The layer of centre lines in the view's layer table.
  int CentreLayer(CDraftView* view) const;
  // Whether a selected entity takes part (its layer exists and is not a
  // centre-line layer).
  static bool TakesPart(CDraftView* view, const CEntity* entity);

  int sectionFlag_;
  int sectionPhase_ = 0;
  int sectionInput_ = 1;
  int oblique_;
  SectionLineList sectionLines_;
  PointList crossings_;
  ValueArray sx1_, sy1_, sx2_, sy2_;
  int mode_;
  int sideCode_ = 11;
  int groupTaken_ = 0;
  ValueArray outline_, hidden_, centre_;
  PointList centres_;
  int typedLength_ = 0;
  int selectionDone_ = 0;
  int bottomLine_ = 1;
  int topLine_ = 1;
  int stretchKind_ = 1;
  int tapered_ = 0;
  double length_ = 0.0;
  double crossMin_ = 0.0, crossMax_ = 0.0;
  double xMin_ = 0.0, yMin_ = 0.0, xMax_ = 0.0, yMax_ = 0.0;
  CDrawingGroup* drawGroup_ = nullptr;
  BYTE layer_ = 0;
  CEntityList profile_;
  CEntityList results_;  // lines made, not yet the drawing's
  PointList excluded_;
  double originX_ = 0.0, originY_ = 0.0;
  int divided_ = 0;
  // Set while the radius key collects again: the side code it turned round
  // stays.
  int keepSideCode_ = 0;
};
