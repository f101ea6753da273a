// The shipped session of chamfer, extend, groups and contours, end to end.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/testsupport/EntityValues.h"
#include "examples/draft-session/tests/PlayedSession.h"

using namespace draftsession;

namespace {

using drafttest::Geometry;

}  // namespace

TEST(ExampleSession, EditChamfersExtendsGroupsAndOffsetsContours) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "edit.session"));
  CDraftView& view = session.player.View();
  EXPECT_EQ(view.GetSelectionCount(), 0);
  EXPECT_EQ(view.GetSecondList()->GetCount(), 0);
  EXPECT_TRUE(session.player.Stack().IsEmpty());

  std::vector<CEntity*> all;
  for (CEntity* e : *view.GetEntityList()) all.push_back(e);
  ASSERT_EQ(all.size(), 31u);
  auto has = [&](const std::vector<double>& want) {
    for (CEntity* e : all) {
      const std::vector<double> v = Geometry(e);
      if (v.size() != want.size()) continue;
      bool same = true;
      for (size_t i = 0; i < v.size() && same; ++i) same = std::fabs(v[i] - want[i]) < 1e-9;
      if (same) return e;
    }
    return static_cast<CEntity*>(nullptr);
  };
  // The chamfered corner: both sides cut 4 short of it, and the chamfer.
  EXPECT_TRUE(has({40, 10, 40, 26}));
  EXPECT_TRUE(has({10, 30, 36, 30}));
  EXPECT_TRUE(has({40, 26, 36, 30}));
  // The extended line and its boundary, both in the new group.
  CEntity* extended = has({60, 10, 100, 10});
  CEntity* boundary = has({100, 5, 100, 20});
  ASSERT_TRUE(extended && boundary);
  ASSERT_NE(extended->GetEntityGroup(), nullptr);
  EXPECT_EQ(extended->GetEntityGroup()->GetGroupName(), CStringA(CStringW(u"零件2")));  // GBK
  EXPECT_EQ(boundary->GetEntityGroup(), extended->GetEntityGroup());
  // The rounded rectangle's two offset contours, 2 inside and 2 outside.
  for (double d : {-2.0, 2.0}) {
    SCOPED_TRACE(d);
    EXPECT_TRUE(has({25, 45 - d, 65, 45 - d}));
    EXPECT_TRUE(has({70 + d, 50, 70 + d, 75}));
    EXPECT_TRUE(has({65, 80 + d, 25, 80 + d}));
    EXPECT_TRUE(has({20 - d, 75, 20 - d, 50}));
    EXPECT_TRUE(has({65, 50, 5 + d, 270, 360}));
    EXPECT_TRUE(has({25, 75, 5 + d, 90, 180}));
  }
  EXPECT_NE(session.out.str().find("  dialog \"倒角参数\"\n"), std::string::npos);
}
