// The geometry of pieces that lie on one carrier: straight stretches of one
// line, and arcs of one circle. The fillet joins two such edges into one,
// and the tidy command merges duplicates; both work through these
// functions, which know nothing of entities.
//
// Line-kind codes decide what stays when two pieces overlap: the piece with
// the smaller code stays whole and the other keeps only its parts outside
// it; pieces of one code are joined, or the one inside the other goes.
#pragma once

#include "draft/host/Geometry2D.h"

namespace carrier {

// A result piece and the piece it is taken from: 0 the first (A), 1 the
// second (B). Its layer, group and owner are those of that piece.
struct LinePiece {
  GPoint from, to;
  int source = 0;
};

// What merging two straight pieces gives: `removal` 1 removes A, 2 B, 3
// both (0: nothing merges), and up to two new pieces.
struct LineMerge {
  int removal = 0;
  int count = 0;
  LinePiece pieces[2];
};

// Merges the stretch B (b1-b2) into the stretch A (a1-a2) when B lies on
// A's line (b1 on it; the caller has found them parallel) and they overlap
// or meet end to end. Positions are taken along A's axis (y for a line
// steeper than 45 degrees, else x), low end first, 1e-6 of slack:
// - end to end: one code joins them into one piece (from A), two codes
//   leave both;
// - one code: the piece inside the other goes (A when they are equal), or
//   an overlapping pair is joined (from A);
// - two codes: the lower stays whole and the other keeps its parts outside
//   it.
LineMerge MergeCollinearLines(const GPoint& a1, const GPoint& a2, int codeA, const GPoint& b1, const GPoint& b2,
                              int codeB);

// A piece of a circle: the whole circle, or the arc counter-clockwise from
// `start` to `end` degrees.
struct CircleSpan {
  bool circle = false;
  double start = 0.0;
  double end = 0.0;
};

struct ArcPiece {
  CircleSpan span;
  int source = 0;
};

struct ArcMerge {
  int removal = 0;
  int count = 0;
  ArcPiece pieces[2];
};

// Merges two pieces of one circle (the caller has found the centres and
// radii equal), by the rules of the lines with angles in place of
// positions, compared on the circle (measured from A's start, so that
// pieces across 0 degrees are seen as they lie; 1e-6 degrees of slack):
// - two circles: B goes;
// - a circle and an arc: the arc goes unless its code is lower, and then
//   the circle is replaced by the arc's complement;
// - two arcs that only touch join under one code and stay under two;
//   overlapping ones join under one code (into a circle when they cover
//   it), the one inside the other goes under one code, and under two the
//   higher-coded keeps its parts outside the other.
ArcMerge MergeArcsOfOneCircle(const CircleSpan& a, int codeA, const CircleSpan& b, int codeB);

// The stretch a-b lengthened to take in the point e of its line: e beyond
// an end (by its position along a-b) becomes that end.
void StretchOver(GPoint& a, GPoint& b, const GPoint& e);

// Two arcs of one circle joined into one. Overlapping or touching arcs give
// what they cover together. Apart, the gap closed is the one beside the end
// of A nearer (in angle) to `pickAngle`, a direction within A: from A's
// start to B's end when the pick is nearer A's end, else from B's start to
// A's end.
CircleSpan JoinArcs(const CircleSpan& a, const CircleSpan& b, double pickAngle);

}  // namespace carrier
