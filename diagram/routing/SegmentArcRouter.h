// SegmentArcRouter: lays wires with the fewest bends. Free space is a set of
// horizontal and vertical tracks, one every minimum distance, each holding a
// sorted list of free stretches (Segment). Obstacles cut stretches out of
// the tracks; a wire is found by a breadth-first search over stretches in
// which each level adds one bend, so the first way found has the fewest
// bends; the stretches it uses are then cut out so that later wires keep
// their distance. Tracks within the route margins of a page boundary are
// never made, so wires stay off page boundaries.
//
// Track coordinates are canvas coordinates: x from the canvas's left edge
// and y as the height above its bottom edge, in both y orientations.
// Horizontal track k lies at canvas y = k * step, vertical track k at
// canvas x = k * step.
#pragma once

#include <utility>
#include <vector>

#include "diagram/model/canvas/ArcRouter.h"
#include "diagram/routing/Segment.h"
#include "diagram/routing/SegmentWaySearch.h"

class WrapperCDrawArc;

class SegmentArcRouter : public CArcRouter {
  DECLARE_DYNAMIC(SegmentArcRouter)

 public:
  SegmentArcRouter(CDiagram* diagram, AutoRouteOption* options);
  ~SegmentArcRouter() override;

  // Makes the tracks over the canvas outside the page-boundary margins, then
  // marks the objects. 0 when memory ran out.
  int Init(const CDrawList& objects) override;
  // Deletes every stretch and both track arrays, then forgets the objects.
  void Clear() override;
  // A wire marks only its inner legs; anything else as the base marks it.
  void AddObj(CDrawObj* object, int bCollectAffected) override;
  using CArcRouter::AddObj;
  void MarkAsFree(CRect rect) override;
  void MarkRectAsUsed(CRect rect, int bCollectAffected) override;
  // Lays the wire with the fewest bends; 1 when routed. A wire without a way
  // keeps its shape and becomes an obstacle.
  int Route(CDrawArc* arc) override;
  using CArcRouter::Route;

  int GetHorzTrackCount() const { return m_nHorzTracks; }
  int GetVertTrackCount() const { return m_nVertTracks; }
  // The first stretch of a track (none for a track not made or emptied).
  const Segment* GetHorzTrack(int track) const;
  const Segment* GetVertTrack(int track) const;
  // The step the tracks were made with.
  int GetStep() const { return m_nStep; }
  CPoint DocToCanvas(const CPoint& point) const;
  CPoint CanvasToDoc(const CPoint& point) const;
  // Normalised.
  CRect DocToCanvas(const CRect& rect) const;

 protected:
  // The (start, end) that gluing added to a stretch, or (-1, -1).
  using GluedSpan = std::pair<int, int>;

  // Normalises and clamps to the canvas; a low edge goes to the nearer
  // track, a high edge up to the next track only when more than half a step
  // past one.
  void RoundUpRectangle(CRect& rect) const;
  // A canvas rectangle became an obstacle: its span is cut out of the
  // tracks it covers.
  void addBadRect(CRect rect);
  // A canvas rectangle became free: a free stretch is put on every track it
  // covers and the track's neighbouring stretches are merged.
  void addGoodRect(CRect rect);
  void RemoveHorizontalSegment(int y, int x1, int x2);
  void RemoveVerticalSegment(int x, int y1, int y2);
  // The stretch that holds a pin: on the track nearest `position`, or the
  // neighbouring track on its side, within a tolerance of `coordinate`.
  static Segment* FindSegment(int position, int step, int count, Segment** heads, int coordinate);
  // Joins the stretch with its previous and next stretches when they touch
  // it; `except` and pin stretches are never absorbed.
  GluedSpan GlueNextOrPrevious(Segment*& stretch, Segment* except);
  // Clears the marks of the last search on every stretch of the tracks.
  static void ZeroState(int count, Segment** heads);
  // The wires of the list with a leg on the track that overlaps the span
  // join the affected wires.
  void AccumArcsSharingHorzSegment(const CDrawList& arcs, int y, int x1, int x2);
  void AccumArcsSharingVertSegment(const CDrawList& arcs, int x, int y1, int y2);
  // Bends a wire of two points that differ in both x and y into a Z or an L
  // according to the orientations of its ends.
  static void DoFinalTwoPointAdjustment(WrapperCDrawArc* wrapper, int sourceVertical, int destinationVertical);
  // Whether the search keeps its index of the tracks that did not change
  // from one wire to the next (the default) or makes it afresh for each;
  // both lay every wire alike.
  void KeepSearchIndex(bool keep) { m_search.KeepIndexAcrossSearches(keep); }

  std::vector<Segment*> m_horzHeads;
  std::vector<Segment*> m_vertHeads;
  int m_nHorzTracks = 0;
  int m_nVertTracks = 0;
  int m_nXOffset = 0;
  int m_nYOffset = 0;
  int m_bUpward = 1;

 private:
  // The search for one wire's way over the tracks.
  SegmentWaySearch m_search{m_horzHeads, m_vertHeads};
  // The step, canvas and page the tracks were made with.
  int m_nStep = 1;
  CSize m_canvas{0, 0};
  CSize m_page{0, 0};

  // Whether a track at this canvas position lies outside the page margins.
  bool IsHorzTrackPosition(int y) const;
  bool IsVertTrackPosition(int x) const;
  // A canvas coordinate rounded to the nearest track position.
  int RoundToTrack(int value) const;
  void DeleteTracks();
  // Tells the search that a track of the orientation of `heads` changed.
  void TrackChanged(const std::vector<Segment*>& heads, int track);
  void DeleteSegment(Segment* stretch, std::vector<Segment*>& heads);
  void RemoveSpan(std::vector<Segment*>& heads, int limit, int position, int low, int high);
  void InsertFreeSpan(std::vector<Segment*>& heads, int position, int low, int high);
  void AccumArcsSharing(const CDrawList& arcs, bool vertical, int position, int low, int high);
  // Cuts the stretches of a found way out of the tracks.
  // `way` runs from the source stretch to the destination stretch; `along`
  // holds where the way enters and leaves each of them.
  void CutWay(const std::vector<Segment*>& way, const std::vector<int>& along, bool sourceVertical,
              GluedSpan sourceGlued, GluedSpan destinationGlued);
  // A wire end's stretch: the span becomes a pin stretch.
  void CutPinSpan(Segment* stretch, int low, int high);
  // A stretch the way runs through loses the span and half a step each side.
  void CutUsedSpan(Segment* stretch, std::vector<Segment*>& heads, int low, int high);
};
