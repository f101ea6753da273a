#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/core/FileAttributes.h"
#include "platform/core/FileFind.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

class FindFolder : public testsupport::ScratchFolder {
 public:
  void Touch(const std::string& name, size_t size = 0) {
    fs::create_directories(fs::path(File(name)).parent_path());
    std::ofstream(File(name), std::ios::binary) << std::string(size, 'x');
  }
};

std::vector<std::string> FindAll(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA(pattern.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(data.cFileName);
  } while (FindNextFileA(h, &data));
  EXPECT_TRUE(FindClose(h));
  return names;
}

TEST(FileFind, WildcardsMatchWithoutRegardToCase) {
  struct Case {
    const char* pattern;
    const char* name;
    bool match;
  };
  const Case cases[] = {
      {"*.shx", "txt.SHX", true},     {"*.shx", "txt.shxx", false}, {"*.shx", ".shx", true},
      {"t?t.shx", "txt.shx", true},   {"t?t.shx", "tt.shx", false}, {"*", "anything", true},
      {"*.*", "noextension", true},   {"a*b*c", "aXbYbc", true},    {"a*b*c", "aXbYbcd", false},
      {"Item.def", "ITEM.DEF", true}, {"*.tab", "Material.Tab", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::FileNameMatches(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
  }
}

TEST(FileFind, ListsTheMatchesOfAFolderResolvedAsEveryPath) {
  FindFolder dir;
  dir.Touch("Font/txt.shx", 7);
  dir.Touch("Font/Morvane.SHX");
  dir.Touch("Font/readme.txt");
  fs::create_directories(dir.path() + "/Font/sub.shx");
  // The folder written in another case and with backslashes.
  std::string pattern = dir.path() + "\\FONT\\*.shx";
  EXPECT_EQ(FindAll(pattern), (std::vector<std::string>{"Morvane.SHX", "sub.shx", "txt.shx"}));

  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((dir.path() + "/font/TXT.shx").c_str(), &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "txt.shx");
  EXPECT_EQ(data.nFileSizeLow, 7u);
  EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_FALSE(FindNextFileA(h, &data));
  EXPECT_FALSE(FindNextFileA(h, &data));
  EXPECT_TRUE(FindClose(h));
  EXPECT_FALSE(FindClose(h));  // already closed

  h = FindFirstFileA((dir.path() + "/Font/sub*").c_str(), &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_NE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  FindClose(h);
}

TEST(FileFind, NothingFoundGivesTheInvalidHandle) {
  FindFolder dir;
  dir.Touch("a.txt");
  WIN32_FIND_DATAA data;
  EXPECT_EQ(FindFirstFileA((dir.path() + "/*.shx").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindFirstFileA((dir.path() + "/missing/*").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindFirstFileA((dir.path() + "/").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(FindNextFileA(INVALID_HANDLE_VALUE, &data));
}

TEST(FileFind, WideNamesAndHandlesOfOneKind) {
  FindFolder dir;
  dir.Touch("\xE5\xAD\x97\xE4\xBD\x93.shx");  // UTF-8 on disk
  WIN32_FIND_DATAW wdata;
  std::u16string pattern(dir.path().begin(), dir.path().end());
  pattern += u"/*.SHX";
  HANDLE h = FindFirstFileW(pattern.c_str(), &wdata);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(std::u16string(wdata.cFileName), u"字体.shx");
  WIN32_FIND_DATAA data;
  EXPECT_FALSE(FindNextFileA(h, &data));  // a wide handle
  EXPECT_TRUE(FindClose(h));

  h = FindFirstFileA((dir.path() + "/*.shx").c_str(), &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "\xD7\xD6\xCC\xE5.shx");  // GBK
  FindClose(h);
}

}  // namespace
