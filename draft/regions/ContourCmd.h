// Offset contours. The user clicks inside a closed region; the boundary
// search of the area command finds its contour, which is shown, and each
// further click adds a contour parallel to it at the distance the cursor
// gives (made whole) or the one typed (a digit opens the spacing dialog).
// TAB switches between one contour and a double one (one on each side).
// The right button drops the contour; a second one ends the command.
//
// The contour is walked counter-clockwise, so that the region lies left of
// every side: a positive distance, which the cursor gives inside (left of
// the first side, where Tressil's line distance is positive), moves lines
// to their left and arcs that bulge out of the region towards their
// centres, and the offset contour lies on the cursor's side.
//
// Every offset piece comes from its boundary entity and that entity's two
// neighbours: a line moves sideways, an arc keeps its centre and changes its
// radius, and the piece is cut where it meets its neighbours' offsets
// (a neighbour whose offset vanishes or misses is passed over for the one
// beyond). Collinear pieces are merged. Contours of one or two entities
// (a circle, a ring, a D shape) take a shorter construction.
#pragma once

#include <memory>
#include <unordered_map>

#include "draft/host/EntityList.h"
#include "draft/regions/MeasureAreaCmd.h"

class CChainEndIndex;
class CDrawingGroup;

class CContourCmd : public CMeasureAreaCmd {
 public:
  // chainMode 0: a closed contour; 1: an open chain; any other value makes
  // an end entity its own neighbour.
  CContourCmd(int id, CDraftView* view, int chainMode);
  ~CContourCmd() override;

  void OnTabKey(CDraftView* view) override;
  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  // Chain mode 0: −1 when the arc's quarter point (its eighth point for a
  // sweep of 180 degrees or more, whose quarter point is a vertex of the
  // polygon) lies inside the boundary polygon (the arc bulges into the
  // contour), else +1. Other chain modes
  // tell it from how the arc's start meets its neighbours. The winding test
  // of an arc is made once for the polygon it was made with.
  int ArcSegmentSign(CEntity* piece) override;
  // The polygon of the base, with the winding tests of the previous one
  // forgotten.
  int BuildBoundaryPolygon() override;

  // ---- Added operations, in slot order.
  virtual void BuildOffsetContour(CDraftView* view, int side, int preview);
  virtual CEntity* OffsetEntity(CDraftView* view, CEntity* previous, CEntity* entity, CEntity* next, double h,
                                int preview);
  virtual void OffsetSegment(double x1, double y1, double x2, double y2, double d, double& ox1, double& oy1,
                             double& ox2, double& oy2);
  virtual CEntity* PrevBoundaryEntity(CEntity* entity);
  virtual CEntity* NextBoundaryEntity(CEntity* entity);
  // The new piece joined with the last (end 0) or first (end 1) result:
  // the piece to append, or null. The caller deletes `piece` whatever the
  // result (a merge made a new one; a drop means it is not wanted).
  virtual CEntity* MergeWithLast(CEntity* piece, int end, int& drop);
  virtual CEntity* MergeWithEnds(CEntity* piece, int& drop);
  virtual void GetEndPoints(CEntity* entity, double& x1, double& y1, double& x2, double& y2);
  virtual void BuildChainFromPicks(CEntityList& source, CEntityList& chain, CEntity* start);
  virtual CEntity* FindConnected(int code, CEntity* entity, CEntityList& source);
  virtual void PickTargets(CDraftView* view);
  virtual void DrawPickBox(CDraftView* view);
  virtual void ClearMarks(CEntityList& list);

  // For tests and hosts.
  double GetOffsetDistance() const { return distance_; }
  int IsContourFound() const { return found_; }
  int IsDouble() const { return double_; }
  const CEntityList& GetBoundary() const { return regions_[0]; }

 protected:
  // The short construction of one or two entities; 1 when it applied.
  virtual int BuildShortContour(CDraftView* view, int side, int preview);
  // The cursor's distance (made whole) into distance_, as the preview of
  // the first side takes it.
  void UpdateDistance(CDraftView* view, const GPoint& cursor);
  // Builds one side into the result list, or draws it.
  void BuildSide(CDraftView* view, int side, int preview);
  // Builds and adds the contour(s) of a click, one undo step; true when
  // pieces were added.
  bool CreateContours(CDraftView* view);
  // Makes the found contour run counter-clockwise.
  void OrientCounterClockwise();
  // Drops the contour, the pieces and the flags.
  void ClearContour(CDraftView* view);
  void DeleteResults();
  // The rubber line from the cursor to the first boundary entity.
  void DrawFootLine(CDraftView* view);
  // The preview of the contour(s) at the cursor with the readout.
  void DrawContourPreview(CDraftView* view);
  // A new line or arc of the pieces, or the preview of it.
  CEntity* MakeLine(CDraftView* view, const GPoint& s, const GPoint& t, int preview);
  CEntity* MakeArc(CDraftView* view, const GPoint& c, double r, double a1, double a2, int preview);
  // The reference point of a line–circle crossing (see OffsetEntity).
  virtual GPoint LineArcReference(bool previous, int arcSign, const GPoint& s0, const GPoint& e0);
  virtual GPoint ArcLineReference(bool previous, int pieceSign, const GPoint& lineStart, const GPoint& lineEnd);

  // Members added to the area command, in order.
  CEntityList results_;
  CEntityList holding_;
  double distance_ = -10.0;
  BYTE layer_ = 0;
  CDrawingGroup* contourGroup_ = nullptr;
  int typed_ = 0;
  int found_ = 0;
  int double_ = 0;
  int chainMode_;
  int sideSign_ = 1;
  // A closed contour of one or two offset pieces is dropped unless set.
  bool keepFewPieces_ = false;
  // The picks' end points while BuildChainFromPicks runs; FindConnected
  // looks there instead of walking its source list when it is that list.
  std::unique_ptr<CChainEndIndex> endIndex_;
  // Chain mode 0: the winding test's answer for each arc of the contour, for
  // the boundary polygon as it stands.
  std::unordered_map<const CEntity*, int> arcSigns_;
};
