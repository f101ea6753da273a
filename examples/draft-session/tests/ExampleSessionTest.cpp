// The shipped example session, end to end: parsed, replayed with the
// library's commands, and the drawing it leaves checked.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "draft/host/DrawingFile.h"
#include "draft/host/Entity.h"
#include "examples/draft-session/SessionPlayer.h"

using namespace draftsession;

namespace {

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

using Segment = std::vector<double>;

// The lines of the drawing, in drawing order (nothing is left selected).
std::vector<Segment> Lines(CDraftView& view) {
  std::vector<Segment> out;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    EXPECT_EQ(e->GetKind(), EntityKind::kLine);
    out.emplace_back(v, v + e->GetGeometry(v));
  }
  return out;
}

void ExpectNear(const Segment& got, const Segment& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-9) << "value " << i;
}

}  // namespace

TEST(ExampleSession, DrawsTheOutlineTheRectangleWithCentreLinesTheCopyAndTheMove) {
  const Script script = ParseScript(ReadFile(SCRIVEL_SESSION_SCRIPT));
  ASSERT_TRUE(script.Ok()) << script.errors.front().message;
  const CommandRegistry commands = LibraryCommands();
  std::ostringstream out;
  SessionPlayer player(commands, out);
  ASSERT_TRUE(player.Play(script)) << "line " << player.Error().line << ": " << player.Error().message << "\n"
                                   << out.str();
  CDraftView& view = player.View();
  EXPECT_EQ(view.GetSelectionCount(), 0);
  EXPECT_TRUE(player.Stack().IsEmpty());

  const std::vector<Segment> lines = Lines(view);
  ASSERT_EQ(lines.size(), 18u);
  // The outline, typed length by length and closed with C.
  const Segment outline[] = {{20, 20, 100, 20}, {100, 20, 100, 70}, {100, 70, 60, 70},
                             {60, 70, 60, 50},  {60, 50, 20, 50},   {20, 50, 20, 20}};
  for (size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    ExpectNear(lines[i], outline[i]);
  }
  // The rectangle (undone and redone) with its centre lines, where drawn.
  const Segment original[] = {{30, 28, 50, 28}, {50, 28, 50, 42}, {50, 42, 30, 42},
                              {30, 42, 30, 28}, {26, 35, 54, 35}, {40, 24, 40, 46}};
  // Its copy, 40 to the right, moved 20 up.
  for (size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    ExpectNear(lines[6 + i], original[i]);
    const Segment& o = original[i];
    ExpectNear(lines[12 + i], {o[0] + 40, o[1] + 20, o[2] + 40, o[3] + 20});
  }
  // The centre lines and their copies are on the centre-line layer, the rest on layer 0.
  std::vector<int> layers;
  for (CEntity* e : *view.GetEntityList()) layers.push_back(e->GetEntityLayer());
  EXPECT_EQ(layers, (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 0, 0, 0, 0, 2, 2}));
  // Rectangle, centre lines, copy and move: one record each.
  EXPECT_EQ(view.GetUndoCount(), 6 + 4);

  // What the user saw: the prompts and the dialogs, in UTF-8.
  const std::string shown = out.str();
  for (const char* part : {"  prompt: 输入直线起点\n", "  dialog \"长度输入\"\n    1048 = \"80\"\n",
                           "  prompt: 输入拷贝基点\n", "  prompt: 输入移动基点\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;

  // The drawing file lists the 18 lines; the picture is a PNG file.
  const auto folder = std::filesystem::temp_directory_path() / ("example-session-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::string error;
  ASSERT_TRUE(WriteDrawingFile(view, folder / "outline.drawing", &error)) << error;
  const std::string file = ReadFile(folder / "outline.drawing");
  size_t lineEntities = 0;
  for (size_t at = file.find("\nline "); at != std::string::npos; at = file.find("\nline ", at + 1)) ++lineEntities;
  EXPECT_EQ(lineEntities, 18u);
  EXPECT_NE(file.find("\nline 0 \"零件\" 70 48 90 48\n"), std::string::npos) << file;
  ASSERT_TRUE(player.WritePicture((folder / "outline.png").string()));
  EXPECT_EQ(ReadFile(folder / "outline.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
  std::filesystem::remove_all(folder);
}
