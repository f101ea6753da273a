#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/core/Charset.h"
#include "platform/core/IniFile.h"
#include "platform/core/Profile.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/testsupport/ScratchFolder.h"

namespace fs = std::filesystem;
using platform::GetProfileInt;
using platform::GetProfileString;
using platform::WriteProfileInt;
using platform::WriteProfileString;

namespace {

using testsupport::ReadFileBytes;

// A literal with the NULs in it.
template <size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

void WriteBytes(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// A fresh folder with the profile "app.ini" in it (not created).
class ProfileTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::is_directory(folder_));
    file_ = folder_ / "app.ini";
    platform::SetProfilePath(file_);
  }
  void TearDown() override {
    platform::SetProfilePath({});
  }
  // The names in the folder other than the profile: a failed write leaves none.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder_))
      if (e.path() != file_) names.push_back(e.path().filename().string());
    return names;
  }

  testsupport::ScratchFolder scratch_{"profile-test"};
  fs::path folder_ = scratch_.path();
  fs::path file_;
};

TEST_F(ProfileTest, ValuesRoundTripWithoutRegardToCase) {
  EXPECT_EQ(GetProfileInt("DrawDoc", "MaxUndoLevels", 100), 100u);  // no file: the default
  EXPECT_EQ(GetProfileString("DrawFrame", "WindowPos", "none"), CStringA("none"));
  ASSERT_TRUE(WriteProfileInt("DrawDoc", "MaxUndoLevels", 25));
  ASSERT_TRUE(WriteProfileInt(u"DrawDoc", u"UsePrinterDefaults", -1));
  ASSERT_TRUE(WriteProfileString(u"DrawFrame", u"WindowPos", u"0,1,10,20"));
  EXPECT_EQ(GetProfileInt("drawdoc", "MAXUNDOLEVELS", 0), 25u);
  EXPECT_EQ(static_cast<int>(GetProfileInt(u"DRAWDOC", u"useprinterdefaults", 0)), -1);
  EXPECT_EQ(GetProfileString(u"drawframe", u"windowpos"), CStringW(u"0,1,10,20"));
  // Rewriting a value replaces it where it is.
  ASSERT_TRUE(WriteProfileInt("DRAWDOC", "maxundolevels", 30));
  EXPECT_EQ(ReadFileBytes(file_), "[DrawDoc]\nmaxundolevels=30\nUsePrinterDefaults=-1\n\n[DrawFrame]\nWindowPos=0,1,10,20\n");
}

TEST_F(ProfileTest, GbkNamesAndTextsAreStoredAsUtf8) {
  std::string section = platform::Utf8ToGbk("拷贝设定");
  std::string entry = platform::Utf8ToGbk("拷贝份数");
  ASSERT_TRUE(WriteProfileInt(section.c_str(), entry.c_str(), 3));
  ASSERT_TRUE(WriteProfileString(section.c_str(), "Name", platform::Utf8ToGbk("图组").c_str()));
  EXPECT_EQ(ReadFileBytes(file_), "[拷贝设定]\n拷贝份数=3\nName=图组\n");
  EXPECT_EQ(GetProfileInt(u"拷贝设定", u"拷贝份数", 1), 3u);
  EXPECT_EQ(GetProfileString(section.c_str(), "name"), CStringA(platform::Utf8ToGbk("图组")));
}

TEST_F(ProfileTest, NullRemovesAnEntryOrASection) {
  ASSERT_TRUE(WriteProfileInt("DrawView", "ShowGrid", 1));
  ASSERT_TRUE(WriteProfileString("DrawView", "Bar3", "shown"));
  ASSERT_TRUE(WriteProfileInt("Other", "Kept", 7));
  ASSERT_TRUE(WriteProfileString("drawview", "BAR3", nullptr));
  EXPECT_EQ(GetProfileString("DrawView", "Bar3", "gone"), CStringA("gone"));
  EXPECT_EQ(GetProfileInt("DrawView", "ShowGrid", 0), 1u);
  ASSERT_TRUE(WriteProfileString(u"DRAWVIEW", nullptr, nullptr));
  EXPECT_EQ(GetProfileInt("DrawView", "ShowGrid", 0), 0u);
  EXPECT_EQ(ReadFileBytes(file_), "[Other]\nKept=7\n");
  // Removing what is not there is no error.
  EXPECT_TRUE(WriteProfileString("Nothing", "Here", nullptr));
  EXPECT_FALSE(WriteProfileString(nullptr, "Here", "x"));
}

TEST_F(ProfileTest, IntegersReadAsTheFrameworkReadsThem) {
  struct Case {
    const char* stored;
    int expected;
  } cases[] = {
      {"12", 12}, {"-1", -1}, {"+7", 7}, {" 42abc", 42}, {"abc", 0}, {"", 99}, {"4294967295", -1}, {"0x10", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    ASSERT_TRUE(WriteProfileString("S", "K", c.stored));
    EXPECT_EQ(static_cast<int>(GetProfileInt("S", "K", 99)), c.expected);
  }
}

TEST_F(ProfileTest, ValuesComeBackExactlyAsWritten) {
  for (const char16_t* value : {u"plain", u"  padded  ", u"\"quoted\"", u"'single'", u"\"half", u"a=b;c", u""}) {
    SCOPED_TRACE(platform::Utf16ToUtf8(value));
    ASSERT_TRUE(WriteProfileString(u"S", u"K", value));
    EXPECT_EQ(GetProfileString(u"S", u"K", u"default"), CStringW(value));
  }
}

TEST_F(ProfileTest, TextsTheFileCannotHoldAreRefused) {
  ASSERT_TRUE(WriteProfileInt("S", "K", 1));
  std::string before = ReadFileBytes(file_);
  struct Case {
    const char* section;
    const char* entry;
    const char* value;
  } cases[] = {
      {"S", "K", "two\nlines"}, {"S", "K", "carriage\rreturn"}, {"S]", "K", "v"}, {"", "K", "v"},
      {"S", "a=b", "v"},        {"S", "", "v"},                 {"S", "[K", "v"}, {"S", ";K", "v"},
      {" S", "K", "v"},         {"S", "K ", "v"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.entry);
    EXPECT_FALSE(WriteProfileString(c.section, c.entry, c.value));
  }
  EXPECT_EQ(ReadFileBytes(file_), before);
}

TEST_F(ProfileTest, ADamagedFileReadsAsDefaultsAndKeepsItsBytes) {
  const std::string gbk = platform::Utf8ToGbk("[绘图]\n层=5");
  struct Case {
    const char* what;
    std::string bytes;
    const char* section;
    const char* entry;
    int expected;
  } cases[] = {
      {"garbage", Bytes("\x00\xFF\xFE\x80garbage\x01\x02\x03[\x9F\x9F"), "DrawDoc", "MaxUndoLevels", 100},
      {"truncated lines", "[DrawDoc\nMaxUndoLevels\n=5\n[DrawDoc]\nMaxUndo", "DrawDoc", "MaxUndoLevels", 100},
      {"entries before any section", "MaxUndoLevels=3\n[DrawDoc]\n", "DrawDoc", "MaxUndoLevels", 100},
      {"a GBK file from Windows", gbk, "绘图", "层", 5},
      {"a BOM and CR LF", "\xEF\xBB\xBF[DrawDoc]\r\nMaxUndoLevels=7\r\n", "DrawDoc", "MaxUndoLevels", 7},
      {"a NUL in a value", Bytes("[DrawDoc]\nMaxUndoLevels=8\0 9\n"), "DrawDoc", "MaxUndoLevels", 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(file_, c.bytes);
    std::u16string section = platform::Utf8ToUtf16(c.section), entry = platform::Utf8ToUtf16(c.entry);
    EXPECT_EQ(static_cast<int>(GetProfileInt(section.c_str(), entry.c_str(), 100)), c.expected);
    // A write adds its entry and keeps every line it does not touch.
    ASSERT_TRUE(WriteProfileInt(u"New", u"Value", 1));
    EXPECT_EQ(GetProfileInt(u"New", u"Value", 0), 1u);
    EXPECT_EQ(static_cast<int>(GetProfileInt(section.c_str(), entry.c_str(), 100)), c.expected);
    std::string after = ReadFileBytes(file_);
    std::string kept = c.bytes;
    if (kept.back() != '\n') kept += (kept.find("\r\n") != std::string::npos) ? "\r\n" : "\n";
    EXPECT_EQ(after.substr(0, kept.size()), kept);
  }
}

TEST_F(ProfileTest, AFolderInThePlaceOfTheFileIsNeitherReadNorReplaced) {
  fs::create_directory(file_);
  WriteBytes(file_ / "inside", "data");
  EXPECT_EQ(GetProfileInt("S", "K", 5), 5u);
  EXPECT_EQ(GetProfileString("S", "K", "d"), CStringA("d"));
  EXPECT_FALSE(WriteProfileInt("S", "K", 1));
  EXPECT_FALSE(WriteProfileString("S", nullptr, nullptr));
  EXPECT_TRUE(fs::is_directory(file_));
  EXPECT_EQ(ReadFileBytes(file_ / "inside"), "data");
  EXPECT_TRUE(Leftovers().empty());
}

// The write runs out of room (a file-size limit stands in for a full disk):
// the call fails and the old file is whole.
TEST_F(ProfileTest, AFailedWriteLosesNothing) {
  ASSERT_TRUE(WriteProfileString("DrawFrame", "WindowPos", "0,1,10,20"));
  std::string before = ReadFileBytes(file_);

  struct rlimit old;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  BOOL written = WriteProfileString("DrawFrame", "Big", std::string(10000, 'x').c_str());
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);

  EXPECT_FALSE(written);
  EXPECT_EQ(ReadFileBytes(file_), before);
  EXPECT_TRUE(Leftovers().empty());
  EXPECT_EQ(GetProfileString("DrawFrame", "WindowPos"), CStringA("0,1,10,20"));
}

TEST_F(ProfileTest, WithoutAWritableFolderWritesFailAndReadsGiveDefaults) {
  platform::SetProfilePath(folder_ / "missing" / "app.ini");
  EXPECT_FALSE(WriteProfileInt("S", "K", 1));
  EXPECT_EQ(GetProfileInt("S", "K", 4), 4u);
  platform::SetProfilePath({});
  EXPECT_FALSE(WriteProfileInt("S", "K", 1));
  EXPECT_EQ(GetProfileInt("S", "K", 4), 4u);

  // Permissions stop everyone but the superuser.
  if (::geteuid() != 0) {
    platform::SetProfilePath(file_);
    ASSERT_TRUE(WriteProfileInt("S", "K", 1));
    ::chmod(folder_.c_str(), 0500);
    EXPECT_FALSE(WriteProfileInt("S", "K", 2));
    ::chmod(folder_.c_str(), 0700);
    EXPECT_EQ(GetProfileInt("S", "K", 0), 1u);
  }
}

TEST_F(ProfileTest, AReadOnlyProfileIsReadButNotWritten) {
  platform::SetProfilePath(file_);
  ASSERT_TRUE(WriteProfileInt("S", "K", 1));
  ASSERT_EQ(::chmod(file_.c_str(), 0444), 0);
  EXPECT_FALSE(WriteProfileInt("S", "K", 2));
  EXPECT_FALSE(WriteProfileString("S", "K", nullptr));
  EXPECT_EQ(GetProfileInt("S", "K", 0), 1u);
  EXPECT_EQ(ReadFileBytes(file_), "[S]\nK=1\n");
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(ProfileTest, AWriteKeepsALinkAndTheFilesPermissions) {
  fs::path real = folder_ / "real.ini";
  WriteBytes(real, "; settings\n[S]\nK=1\n");
  ::chmod(real.c_str(), 0640);
  fs::create_symlink(real, file_);
  ASSERT_TRUE(WriteProfileInt("S", "K", 2));
  EXPECT_TRUE(fs::is_symlink(file_));
  EXPECT_EQ(ReadFileBytes(real), "; settings\n[S]\nK=2\n");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
