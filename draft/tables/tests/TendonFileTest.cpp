// The tendon coordinate-table files: both generations read (the binary one
// with CR LF and Ctrl-Z bytes inside its numbers, and cut short), a file of
// neither generation refused, and the text generation written over the file
// (its failures: WriterFailureTest).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "draft/tables/TendonFile.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {

class TendonFileTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  std::string PathOf(const char* name) const { return (std::filesystem::path(scratch.path()) / name).string(); }
  void Write(const char* name, const std::string& bytes) const {
    std::ofstream(std::filesystem::path(scratch.path()) / name, std::ios::binary) << bytes;
  }
  static void AppendInt(std::string& out, int32_t v) { out.append(reinterpret_cast<const char*>(&v), 4); }

  // A binary file: direction 1, file flag 0, the columns "Y" (width 13.0,
  // whose bytes hold CR LF, 0x1A) and "X1", then rows.
  std::string BinaryFile(const std::vector<std::string>& rows) const {
    std::string out = kTendonFileMagic98;
    EXPECT_EQ(out.size(), 24u);
    AppendInt(out, 1);
    AppendInt(out, 0);
    AppendInt(out, 2);
    for (const CFieldRecord& f : {CFieldRecord("Y", 4, 13.0, 2), CFieldRecord("X1", 4, 20.0, 2)}) {
      unsigned char bytes[CFieldRecord::kRecordBytes];
      f.ToBytes(bytes);
      out.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
    }
    for (const std::string& r : rows) {
      AppendInt(out, static_cast<int32_t>(r.size()));
      out += r;
    }
    return out;
  }

  testsupport::ScratchFolder scratch{"scrivel-zbb"};
};

TEST_F(TendonFileTest, ReadsTheTextGenerationWithEitherLineEnd) {
  for (const char* end : {"\r\n", "\n"}) {
    std::string text = std::string(kTendonFileMagic99) + end + "1" + end + "0" + end + "2" + end + "Y;4;20;2" + end +
                       "X1;4;25.5;2" + end + "0;1.5" + end + "10;2" + end;
    Write("a.zbb", text);
    TendonTableData data;
    ASSERT_EQ(ReadTendonFile(PathOf("a.zbb").c_str(), data), TendonFileRead::kRead);
    EXPECT_EQ(data.direction, 1);
    EXPECT_EQ(data.fileFlag, 0);
    ASSERT_EQ(data.fields.GetSize(), 2);
    EXPECT_EQ(data.fields[1].GetName(), "X1");
    EXPECT_EQ(data.fields[1].width, 25.5);
    ASSERT_EQ(data.rows.GetSize(), 2);
    EXPECT_EQ(data.rows[1], "10;2");
  }
}

TEST_F(TendonFileTest, ReadsTheBinaryGenerationByteForByteAndWhatACutFileHolds) {
  const std::string whole = BinaryFile({"0;1\r\n\x1A", "5;2"});
  struct {
    size_t cut;  // bytes kept
    int fields, rows;
  } cases[] = {{whole.size(), 2, 2}, {whole.size() - 2, 2, 1}, {24 + 12 + 40 + 10, 1, 0}, {24 + 4, 0, 0}};
  for (const auto& c : cases) {
    Write("b.zbb", whole.substr(0, c.cut));
    TendonTableData data;
    ASSERT_EQ(ReadTendonFile(PathOf("b.zbb").c_str(), data), TendonFileRead::kRead) << c.cut;
    EXPECT_EQ(data.direction, 1);
    EXPECT_EQ(data.fields.GetSize(), c.fields) << c.cut;
    EXPECT_EQ(data.rows.GetSize(), c.rows) << c.cut;
    if (c.fields > 0) {
      EXPECT_EQ(data.fields[0].width, 13.0);
    }
    if (c.rows > 0) {
      EXPECT_EQ(std::string(data.rows[0]), std::string("0;1\r\n\x1A"));
    }
  }
}

TEST_F(TendonFileTest, AFileOfNeitherGenerationIsRefused) {
  for (const char* start : {"Wendrix99 钢束坐标表文件\r\n1\r\n", "wendrix97 钢束坐标表文件", ""}) {
    Write("c.zbb", start);
    TendonTableData data;
    data.rows.Add("kept?");
    EXPECT_EQ(ReadTendonFile(PathOf("c.zbb").c_str(), data), TendonFileRead::kWrongType) << start;
  }
}

TEST_F(TendonFileTest, WritesTheTextGenerationOverTheFile) {
  Write("d.zbb", "old contents");
  TendonTableData data;
  data.direction = 1;
  data.fields.Add(CFieldRecord("  Y", 4, 20.0, 2));
  data.fields.Add(CFieldRecord("", 4, 12.5, 2));
  data.rows.Add("0;1.5");
  ASSERT_TRUE(WriteTendonFile(PathOf("d.zbb").c_str(), data));
  EXPECT_EQ(testsupport::ReadFileBytes(std::filesystem::path(scratch.path()) / "d.zbb"),
            std::string(kTendonFileMagic99) + "\r\n1\r\n1\r\n2\r\nY;4;20;2\r\n ;4;12.5;2\r\n0;1.5\r\n");
  TendonTableData back;
  ASSERT_EQ(ReadTendonFile(PathOf("d.zbb").c_str(), back), TendonFileRead::kRead);
  EXPECT_EQ(back.fields.GetSize(), 2);
  EXPECT_EQ(back.rows.GetSize(), 1);
}

}  // namespace
