#include <gtest/gtest.h>

#include <fstream>

#include "examples/draft-session/SessionOutputs.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {

// A script replayed into its own folder: the outputs of its earlier run go,
// the script and the files of other names stay.
TEST(SessionOutputsTest, AnEarlierRunsFilesGoButNotTheScript) {
  const testsupport::ScratchFolder folder("scrivel-session");
  const std::filesystem::path dir = folder.path();
  ASSERT_FALSE(dir.empty());
  for (const char* name : {"s.session", "s.drawing", "s.png", "s.lst", "other.drawing", "s2.png"})
    std::ofstream(dir / name) << "x";
  draftsession::RemoveEarlierOutputs(dir, dir / "s.session");
  for (const char* kept : {"s.session", "other.drawing", "s2.png"})
    EXPECT_TRUE(std::filesystem::exists(dir / kept)) << kept;
  for (const char* gone : {"s.drawing", "s.png", "s.lst"})
    EXPECT_FALSE(std::filesystem::exists(dir / gone)) << gone;
  // The script named by a relative path is found the same.
  std::ofstream(dir / "s.png") << "x";
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  draftsession::RemoveEarlierOutputs(".", "s.session");
  std::filesystem::current_path(here);
  EXPECT_TRUE(std::filesystem::exists(dir / "s.session"));
  EXPECT_FALSE(std::filesystem::exists(dir / "s.png"));
}

}  // namespace
