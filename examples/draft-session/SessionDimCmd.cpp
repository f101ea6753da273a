#include "examples/draft-session/SessionDimCmd.h"

#include <cmath>

#include "draft/host/DimensionEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/FontManager.h"
#include "draft/host/LineEntity.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextFontRecord.h"
#include "draft/host/UndoRecord.h"

namespace draftsession {
namespace {

constexpr double kTextHeight = 3.5;
constexpr double kGap = 1.0;   // between a measured point and its extension line
constexpr double kTick = 1.5;  // half the length of an end tick

GPoint Along(GPoint p, GPoint u, double t) { return {p.x + u.x * t, p.y + u.y * t}; }

}  // namespace

CSessionDimCmd::CSessionDimCmd(int id) : CCmdBase(id, nullptr) {
  pointCount_ = 3;
  prompts_ = {CString("第一尺寸界线原点"), CString("第二尺寸界线原点"), CString("尺寸线位置")};
}

void CSessionDimCmd::Execute(CDraftView* view) {
  if (view && points_.size() >= 3) {
    CTextAttrib attr = ConstructTextAttrib(view->GetTextFont());
    attr.SetHeight(kTextHeight);
    const PointRec& a = points_[points_.size() - 3];
    const PointRec& b = points_[points_.size() - 2];
    const PointRec& c = points_.back();
    if (CDimensionEntity* dim = MakeLinearDimension(view->GetCurrentLayer(), view->GetCurrentGroup(), attr, a.x,
                                                    a.y, b.x, b.y, c.x, c.y)) {
      view->AddEntityToView(dim);
      view->PushUndoRecord(ConstructUndoAddEntity(dim));
    }
  }
  std::vector<PointRec>().swap(points_);
  step_ = 0;
}

CDimensionEntity* MakeLinearDimension(int layer, CDrawingGroup* group, const CTextAttrib& textAttrib, double x1,
                                      double y1, double x2, double y2, double x3, double y3) {
  const double length = std::hypot(x2 - x1, y2 - y1);
  if (!(length > tressil::kGeomTolerance)) return nullptr;
  const GPoint p1{x1, y1}, p2{x2, y2};
  const GPoint u{(x2 - x1) / length, (y2 - y1) / length};
  const GPoint n{-u.y, u.x};
  const double offset = (x3 - x1) * n.x + (y3 - y1) * n.y;
  const double side = offset < 0 ? -1.0 : 1.0;
  const GPoint d1 = Along(p1, n, offset), d2 = Along(p2, n, offset);

  CDimensionEntity* dim = ConstructDimensionEntity(layer, group);
  auto line = [&](GPoint a, GPoint b) { dim->AddMember(ConstructLineEntity(layer, group, a.x, a.y, b.x, b.y)); };
  if (std::fabs(offset) > kGap) {
    line(Along(p1, n, side * kGap), Along(d1, n, side * kGap));
    line(Along(p2, n, side * kGap), Along(d2, n, side * kGap));
  }
  line(d1, d2);
  // A tick slanted at 45 degrees through each end of the dimension line.
  const GPoint slant{(u.x + n.x) * kTick / std::sqrt(2.0), (u.y + n.y) * kTick / std::sqrt(2.0)};
  for (const GPoint& e : {d1, d2}) line({e.x - slant.x, e.y - slant.y}, {e.x + slant.x, e.y + slant.y});

  CStringA value;
  value.Format("%.2f", length / GetGroupScale(group));
  TrimNumberText(value);
  // The text reads from left to right (or upwards) above the line's middle.
  GPoint r = u;
  if (r.x < -tressil::kGeomTolerance || (std::fabs(r.x) <= tressil::kGeomTolerance && r.y < 0)) r = {-r.x, -r.y};
  const GPoint up{-r.y, r.x};
  CTextAttrib attr = textAttrib;
  attr.SetAngle(RadianToDegree(std::atan2(r.y, r.x)));
  const CFontManager* fonts = GetFontManager();
  const double width = fonts ? fonts->GetTextWidth(value, attr) : 0.0;
  const GPoint mid{(d1.x + d2.x) / 2, (d1.y + d2.y) / 2};
  const GPoint at = Along(Along(mid, r, -width / 2), up, kGap);
  CTextEntity* text = ConstructTextEntity(layer, group, value, at.x, at.y, attr);
  dim->AddMember(text);
  dim->CopyTextAttributes(text);
  dim->Strings(CDimensionEntity::kValue) = {value};
  dim->Strings(CDimensionEntity::kPrefix) = {""};
  dim->Strings(CDimensionEntity::kBasicSize) = {value};
  dim->Strings(CDimensionEntity::kCode) = {""};
  dim->Strings(CDimensionEntity::kLower) = {""};
  dim->Strings(CDimensionEntity::kUpper) = {""};
  dim->SetTextStyle(1, 1, 0);  // a code and deviations given later are shown
  return dim;
}

}  // namespace draftsession
