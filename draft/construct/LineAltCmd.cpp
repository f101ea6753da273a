#include "draft/construct/LineAltCmd.h"

#include <cmath>
#include <iterator>

#include "draft/construct/ConstructHelpers.h"
#include "draft/host/ConstructionSolvers.h"

namespace {
constexpr double kRadiansPerDegree = 0.017453292519943295;
// The standard angles Up and Down step through (360 is 0).
constexpr double kStandardAngles[] = {0, 30, 45, 60, 90, 120, 150, 180, 210, 225, 240, 270, 300, 315, 330};
constexpr int kStandardAngleCount = static_cast<int>(std::size(kStandardAngles));
}  // namespace

CLineAltCmd::CLineAltCmd(int id) : CLineCmd(id, nullptr) {
  kind_ = 1;
  snapHint_ = 1;
}

void CLineAltCmd::OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) {
  if (dx == 0 && dy == 0) return;
  // The step is taken from the segment as it was before the key: the base
  // nudge below moves the cursor off it.
  const PointRec before = cursor_;
  CLineCmd::OnArrowKey(dx, dy, dp, view, outX, outY);
  if (points_.empty() || !view) return;

  const PointRec& p = points_.back();
  double ex = 0.0, ey = 0.0, unused = 0.0;
  // The end the cursor gives, without the TAB symmetry (which would double
  // the segment at each key).
  ConstrainSegmentEnd(view, p.x, p.y, before, ex, ey, unused, 0);
  const double step = view->GetLengthStep() * construct::CurrentScale(view);
  double length = GetPointDistance(p.x, p.y, ex, ey);
  double angle = NormalizeAngle(GetLineAngle(p.x, p.y, ex, ey));

  if (dx != 0) {
    if (step > 0.0 && std::isfinite(step)) {
      double n = dx + std::trunc((step / 2 + length) / step);
      if (n == 0) n = dx;
      if (n < 0) {
        angle = NormalizeAngle(angle + 180.0);
        n = -n;
      }
      length = n * step;
    }
  } else {
    // The angle is rounded only to be compared: one that is not a standard
    // angle stays exactly as it is.
    const double rounded = RoundAngle(angle);
    for (int i = 0; i < kStandardAngleCount; ++i) {
      if (std::fabs(rounded - kStandardAngles[i]) < tressil::kGeomTolerance) {
        angle = kStandardAngles[(i + dy + kStandardAngleCount) % kStandardAngleCount];
        break;
      }
    }
  }
  snapState_ = 0;
  cursor_.x = p.x + length * std::cos(angle * kRadiansPerDegree);
  cursor_.y = p.y + length * std::sin(angle * kRadiansPerDegree);
}
