#include <gtest/gtest.h>

#include <fstream>

#include "examples/draft-session/SessionOutputs.h"
#include "examples/draft-session/tests/ScratchFolder.h"

namespace {

// A script replayed into its own folder: the outputs of its earlier run go,
// the script and the files of other names stay.
TEST(SessionOutputsTest, AnEarlierRunsFilesGoButNotTheScript) {
  ScratchFolder scratch;
  ASSERT_FALSE(scratch.path.empty());
  for (const char* name : {"s.session", "s.drawing", "s.png", "s.lst", "other.drawing", "s2.png"})
    std::ofstream(scratch.path / name) << "x";
  draftsession::RemoveEarlierOutputs(scratch.path, scratch.path / "s.session");
  for (const char* kept : {"s.session", "other.drawing", "s2.png"})
    EXPECT_TRUE(std::filesystem::exists(scratch.path / kept)) << kept;
  for (const char* gone : {"s.drawing", "s.png", "s.lst"})
    EXPECT_FALSE(std::filesystem::exists(scratch.path / gone)) << gone;
  // The script named by a relative path is found the same.
  std::ofstream(scratch.path / "s.png") << "x";
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(scratch.path);
  draftsession::RemoveEarlierOutputs(".", "s.session");
  std::filesystem::current_path(here);
  EXPECT_TRUE(std::filesystem::exists(scratch.path / "s.session"));
  EXPECT_FALSE(std::filesystem::exists(scratch.path / "s.png"));
}

}  // namespace
