// MoveFile over a temporary folder: renames with the paths the libraries
// write, never over an existing file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/core/MoveFile.h"

namespace {
namespace fs = std::filesystem;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

TEST(MoveFile, RenamesButNeverReplaces) {
  std::string pattern = (fs::temp_directory_path() / "scrivel-move-XXXXXX").string();
  const std::string dir = ::mkdtemp(pattern.data());
  std::ofstream(dir + "/Table.LST", std::ios::binary) << "rows";
  std::ofstream(dir + "/other.tyb", std::ios::binary) << "keep";
  fs::create_directories(dir + "/sub");

  // Backslashes, and the source found without regard to case.
  EXPECT_TRUE(MoveFileA((dir + "\\table.lst").c_str(), (dir + "\\sub\\table.tyb").c_str()));
  EXPECT_FALSE(fs::exists(dir + "/Table.LST"));
  EXPECT_EQ(Read(dir + "/sub/table.tyb"), "rows");

  struct Case {
    const char* name;
    std::string from, to;
  };
  for (const Case& c : {Case{"an existing destination", dir + "/sub/table.tyb", dir + "/other.tyb"},
                        Case{"a missing source", dir + "/none.lst", dir + "/new.lst"},
                        Case{"a destination in a missing folder", dir + "/other.tyb", dir + "/no/where.tyb"}}) {
    EXPECT_FALSE(MoveFileA(c.from.c_str(), c.to.c_str())) << c.name;
  }
  EXPECT_EQ(Read(dir + "/other.tyb"), "keep");
  EXPECT_EQ(Read(dir + "/sub/table.tyb"), "rows");
  EXPECT_TRUE(MoveFileW(u"", u"") == FALSE);
  fs::remove_all(dir);
}
