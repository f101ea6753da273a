// Opening damaged dBase files: each is refused as a whole, never read in
// part (the cases the dBase fuzzer found, reduced).
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/odbc/DbaseFile.h"
#include "platform/odbc/tests/OdbcTestSupport.h"

using odbc_test::TempDir;
using platform::odbc::DbaseField;
using platform::odbc::DbaseFile;
using platform::odbc::DbaseValue;

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void PutUint32(std::string& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A file of one character field and two records, as the writer makes it.
std::string TwoRecordFile(const TempDir& dir) {
  const std::string path = dir.File("two.dbf");
  std::string error, state;
  {
    auto file = DbaseFile::Create(path, {DbaseField{"NAME", 'C', 4, 0}}, error);
    EXPECT_TRUE(file) << error;
    for (const char* text : {"ab", "cd"}) {
      DbaseValue v;
      v.null = false;
      v.text = text;
      EXPECT_TRUE(file->AppendRecord({v}, state, error)) << error;
    }
  }
  return ReadBytes(path);
}

TEST(DbaseFileTest, AFileWhoseHeaderClaimsMoreRecordsThanItHoldsIsRefused) {
  TempDir dir;
  const std::string good = TwoRecordFile(dir);
  ASSERT_GT(good.size(), 32u);

  struct Case {
    const char* what;
    std::string bytes;
  };
  std::string countRaised = good;
  PutUint32(countRaised, 4, 0x00400000);  // the fuzzer's case: four million records in a short file
  std::string countByOne = good;
  PutUint32(countByOne, 4, 3);
  std::string lastCut = good.substr(0, good.size() - 3);  // the end marker and two bytes of the last record
  const Case cases[] = {
      {"record count raised far past the data", countRaised},
      {"record count one past the data", countByOne},
      {"last record cut short", lastCut},
  };
  for (const Case& c : cases) {
    const std::string path = dir.File("bad.dbf");
    WriteBytes(path, c.bytes);
    EXPECT_FALSE(DbaseFile::Open(path, false)) << c.what;
    EXPECT_FALSE(DbaseFile::Open(path, true)) << c.what;
    EXPECT_EQ(ReadBytes(path), c.bytes) << c.what << ": the file is left as it was";
  }

  // Without its end marker every record is still there: it opens whole.
  const std::string path = dir.File("unmarked.dbf");
  WriteBytes(path, good.substr(0, good.size() - 1));
  auto file = DbaseFile::Open(path, false);
  ASSERT_TRUE(file);
  ASSERT_EQ(file->RecordCount(), 2);
  EXPECT_EQ(file->ReadRecord(1)[0].text, "cd");
}

}  // namespace

namespace {

// A record whose value the file refuses (a memo field's text longer than the
// field, a date of more digits than it holds) is refused as a whole: the
// file keeps its bytes, and a record that fits still goes in after it, its
// date as written.
TEST(DbaseFileTest, ARefusedRecordLeavesTheFileAsItWas) {
  TempDir dir;
  const std::string path = dir.File("kinds.dbf");
  std::string error, state;
  {
    auto file = DbaseFile::Create(path, {DbaseField{"NOTE", 'M', 4, 0}, DbaseField{"DAY", 'D', 8, 0}}, error);
    ASSERT_TRUE(file) << error;
    DbaseValue note{false, "ab"}, day{false, "2024-02-29"};
    ASSERT_TRUE(file->AppendRecord({note, day}, state, error)) << error;
  }
  const std::string before = ReadBytes(path);
  const struct {
    const char* note;
    const char* day;
    const char* state;
  } cases[] = {{"longer", "2024-02-29", "22001"}, {"ok", "2024-02-29-1", "22007"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.note);
    {
      auto file = DbaseFile::Open(path, true);
      ASSERT_TRUE(file);
      state.clear();
      EXPECT_FALSE(file->AppendRecord({DbaseValue{false, c.note}, DbaseValue{false, c.day}}, state, error));
      EXPECT_EQ(state, c.state);
      EXPECT_TRUE(file->Close(false, error)) << error;
    }
    EXPECT_EQ(ReadBytes(path), before);
  }
  auto file = DbaseFile::Open(path, true);
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->AppendRecord({DbaseValue{false, "cd"}, DbaseValue{false, "20240301"}}, state, error)) << error;
  file.reset();
  file = DbaseFile::Open(path, false);
  ASSERT_TRUE(file);
  ASSERT_EQ(file->RecordCount(), 2);
  EXPECT_EQ(file->ReadRecord(0)[1].text, "2024-02-29");
  EXPECT_EQ(file->ReadRecord(1)[1].text, "2024-03-01");
}

}  // namespace
