// The shipped lines session, end to end: a line at an included angle to a
// reference line, a perpendicular from a picked line, a line by a typed
// direction and a two-point break line.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "examples/draft-session/tests/PlayedSession.h"

using namespace draftsession;

namespace {

using LineEnds = std::array<double, 4>;

// The straight entities of the drawing (lines or two-point entities) with
// these ends, within 1e-6.
int CountStraight(CDraftView& view, bool twoPoint, const LineEnds& ends) {
  int found = 0;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    if ((twoPoint ? !e->IsTwoPointEntity() : !e->IsLine()) || e->GetGeometry(v) != 4) continue;
    bool same = true;
    for (int i = 0; i < 4; ++i) same = same && std::fabs(v[i] - ends[static_cast<size_t>(i)]) < 1e-6;
    found += same ? 1 : 0;
  }
  return found;
}

}  // namespace

TEST(LinesSession, DrawsLinesByAngleDirectionAndFromAPickedLine) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "lines.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());

  const double d45 = 40 * std::sqrt(0.5);
  EXPECT_EQ(CountStraight(view, false, {10, 20, 90, 20}), 1);                    // the reference line
  EXPECT_EQ(CountStraight(view, false, {20, 30, 20 + d45, 30 + d45}), 1);        // 45 degrees to it
  EXPECT_EQ(CountStraight(view, false, {70, 20, 70, 50}), 1);                    // the perpendicular
  EXPECT_EQ(CountStraight(view, true, {110, 30, 190, 30}), 1);                   // the break line
  // The line by direction: the start and the end are the feet of the clicks
  // on the line through (110, 70) at 30 degrees.
  const double c = std::cos(30 * tressil::kPi / 180), s = std::sin(30 * tressil::kPi / 180);
  const auto foot = [&](double x, double y) {
    const double t = (x - 110) * c + (y - 70) * s;
    return std::array<double, 2>{110 + t * c, 70 + t * s};
  };
  const auto start = foot(120, 72), end = foot(170, 100);
  EXPECT_EQ(CountStraight(view, false, {start[0], start[1], end[0], end[1]}), 1);

  const std::string shown = session.out.str();
  for (const char* part : {"  dialog \"输入夹角\"\n", "  dialog \"输入长度\"\n", "  dialog \"输入倾角\"\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;
}
