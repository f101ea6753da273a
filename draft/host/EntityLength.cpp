// The lengths of entities (CEntity::GetLength and the kinds that measure
// themselves), in the units of each entity's own group.
#include <cmath>

#include "draft/host/BlockEntity.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/Entity.h"

namespace {
// Intervals of the Simpson rule along an ellipse's parameter (even): the
// speed is smooth, so the error is far below the printed decimals even for
// a flat ellipse.
constexpr int kEllipseIntervals = 2048;

double PieceLength(const ShapePiece& piece) {
  switch (piece.kind) {
    case ShapePiece::kSegment:
      return GetPointDistance(piece.a.x, piece.a.y, piece.b.x, piece.b.y);
    case ShapePiece::kArc: {
      if (piece.IsFullCircle()) return 2 * M_PI * piece.r;
      double s = piece.start, e = piece.end;
      MakeAngleRangeAscending(s, e, true);
      return DegreeToRadian(e - s) * piece.r;
    }
    default:
      return 0.0;
  }
}
}  // namespace

double CEntity::GetLength() const {
  ShapePieces pieces;
  ShownTexts texts;
  GetShownShape(pieces, texts);  // texts give no length
  double shown = 0.0;
  for (const ShapePiece& piece : pieces) shown += PieceLength(piece);
  return GroupLength(shown);
}

double CBlockEntity::GetLength() const {
  double total = 0.0;
  for (const auto& member : members_) total += member->GetLength();
  return total;
}

double CEllipseEntity::GetLength() const {
  double s = start_, e = end_;
  MakeAngleRangeAscending(s, e, true);
  const double t0 = DegreeToRadian(s), sweep = DegreeToRadian(e - s);
  // The speed along the parameter, in the group's units.
  auto speed = [this](double t) { return std::hypot(a_ * std::sin(t), b_ * std::cos(t)); };
  const double h = sweep / kEllipseIntervals;
  double sum = speed(t0) + speed(t0 + sweep);
  for (int i = 1; i < kEllipseIntervals; ++i) sum += (i % 2 ? 4.0 : 2.0) * speed(t0 + i * h);
  return sum * h / 3.0;
}
