// MoveFile over a temporary folder: renames with the paths the libraries
// write, never over an existing file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/core/MoveFile.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {
namespace fs = std::filesystem;

using testsupport::ReadFileBytes;
}  // namespace

TEST(MoveFile, RenamesButNeverReplaces) {
  const testsupport::ScratchFolder scratch("scrivel-move");
  const std::string& dir = scratch.path();
  std::ofstream(dir + "/Table.LST", std::ios::binary) << "rows";
  std::ofstream(dir + "/other.tyb", std::ios::binary) << "keep";
  fs::create_directories(dir + "/sub");

  // Backslashes, and the source found without regard to case.
  EXPECT_TRUE(MoveFileA((dir + "\\table.lst").c_str(), (dir + "\\sub\\table.tyb").c_str()));
  EXPECT_FALSE(fs::exists(dir + "/Table.LST"));
  EXPECT_EQ(ReadFileBytes(dir + "/sub/table.tyb"), "rows");

  struct Case {
    const char* name;
    std::string from, to;
  };
  for (const Case& c : {Case{"an existing destination", dir + "/sub/table.tyb", dir + "/other.tyb"},
                        Case{"a missing source", dir + "/none.lst", dir + "/new.lst"},
                        Case{"a destination in a missing folder", dir + "/other.tyb", dir + "/no/where.tyb"}}) {
    EXPECT_FALSE(MoveFileA(c.from.c_str(), c.to.c_str())) << c.name;
  }
  EXPECT_EQ(ReadFileBytes(dir + "/other.tyb"), "keep");
  EXPECT_EQ(ReadFileBytes(dir + "/sub/table.tyb"), "rows");
  EXPECT_TRUE(MoveFileW(u"", u"") == FALSE);
}
