// The shipped curves session, end to end: the rose placed from the equation
// dialog, two lines mirrored with the sources dropped, a deletion undone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/EquationCurveEntity.h"
#include "examples/draft-session/SessionPlayer.h"

using namespace draftsession;

namespace {
std::string ReadScript(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
}  // namespace

TEST(CurvesSession, PlacesTheRoseMirrorsTheLinesAndUndoesTheDeletion) {
  const Script script = ParseScript(ReadScript(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "curves.session"));
  ASSERT_TRUE(script.Ok()) << script.errors.front().message;
  const CommandRegistry commands = LibraryCommands();
  std::ostringstream out;
  SessionPlayer player(commands, out);
  ASSERT_TRUE(player.Play(script)) << "line " << player.Error().line << ": " << player.Error().message << "\n"
                                   << out.str();
  CDraftView& view = player.View();
  EXPECT_TRUE(player.Stack().IsEmpty());
  ASSERT_EQ(view.GetEntityList()->GetCount(), 4);

  // The rose: ρ = 45 sin 4t from 0 to 360 degrees in steps of 4, 90 segments.
  auto* rose = dynamic_cast<CEquationCurveEntity*>(view.GetEntityList()->GetHead());
  ASSERT_NE(rose, nullptr);
  EXPECT_EQ(rose->GetMemberCount(), 90);
  EXPECT_NEAR(rose->GetOrigin().x, 55, 1e-9);
  EXPECT_NEAR(rose->GetOrigin().y, 75, 1e-9);

  // The axis came back by the undo; the two lines lie mirrored about it.
  std::vector<std::vector<double>> lines;
  for (CEntity* e : *view.GetEntityList()) {
    if (!e->IsLine()) continue;
    double v[kMaxGeometryValues];
    lines.emplace_back(v, v + e->GetGeometry(v));
  }
  const std::vector<std::vector<double>> expected = {{150, 20, 150, 130}, {185, 40, 165, 60}, {185, 80, 160, 80}};
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i)
    for (size_t k = 0; k < 4; ++k) EXPECT_NEAR(lines[i][k], expected[i][k], 1e-9) << i << " " << k;

  const std::string shown = out.str();
  for (const char* part : {"  dialog \"参数方程曲线\"\n", "  message box: 保留原图？ -> No\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;
}
