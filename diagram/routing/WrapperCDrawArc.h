// WrapperCDrawArc: one wire while the segment router searches its way: the
// wire, its source and destination connection points, the new points found
// for it (owned) and the straight-line distance between its two ends.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/ObArray.h"

class CDrawArc;

class WrapperCDrawArc {
 public:
  // Takes the connection points of the wire's source and destination ports
  // (0, 0 for a missing port).
  explicit WrapperCDrawArc(CDrawArc* arc);
  WrapperCDrawArc(const WrapperCDrawArc&) = delete;
  WrapperCDrawArc& operator=(const WrapperCDrawArc&) = delete;
  // Deletes the points.
  ~WrapperCDrawArc();

  CDrawArc* GetArc() const { return m_pArc; }
  CPoint GetSource() const { return CPoint(m_nSrcX, m_nSrcY); }
  CPoint GetDestination() const { return CPoint(m_nDestX, m_nDestY); }
  int GetDistance() const { return m_nDistance; }

  int GetNumberOfPoints() const { return static_cast<int>(m_points.GetSize()); }
  // Copies the points out; `out` holds GetNumberOfPoints() points.
  void GetArrayOfPoints(CPoint* out) const;
  void AddPoint(const CPoint& point);
  // Inserts before the point at `index` (at the end when index is the count).
  void InsertPoint(int index, const CPoint& point);
  CPoint& PointAt(int index) { return *static_cast<CPoint*>(m_points[index]); }
  const CPoint& PointAt(int index) const { return *static_cast<const CPoint*>(m_points[index]); }
  void RemoveAllPoints();

 private:
  CDrawArc* m_pArc;
  int m_nSrcX = 0;
  int m_nSrcY = 0;
  int m_nDestX = 0;
  int m_nDestY = 0;
  CPtrArray m_points;
  int m_nDistance = 0;
};
