#include "draft/host/TableRecordset.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/core/Charset.h"
#include "platform/odbc/DbaseFile.h"
#include "platform/odbc/Sql.h"
#include "platform/testsupport/ScratchFolder.h"

using platform::odbc::DbaseFile;

namespace {

class TableRecordsetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_ + "/" + platform::GbkToUtf8("表") + ".dbf";
    std::string error, state;
    auto f = DbaseFile::Create(path_, {{"名称", 'C', 12, 0}, {"N", 'N', 6, 0}, {"W", 'N', 10, 2}}, error);
    ASSERT_TRUE(f) << error;
    const std::vector<std::vector<platform::odbc::DbaseValue>> rows = {
        {{false, "b'x"}, {false, "2"}, {false, "1.5"}},
        {{false, "a;y"}, {false, "10"}, {true, ""}},
        {{false, "gone"}, {false, "3"}, {false, "0"}},
        {{false, "螺栓"}, {false, "2"}, {false, "7.25"}},
    };
    for (const auto& r : rows) ASSERT_TRUE(f->AppendRecord(r, state, error)) << error;
    f.reset();
    // Record 3 ("gone") is flagged deleted.
    std::fstream file(path_, std::ios::in | std::ios::out | std::ios::binary);
    unsigned char header[12];
    file.read(reinterpret_cast<char*>(header), sizeof header);
    file.seekp((header[8] | header[9] << 8) + 2 * (header[10] | header[11] << 8));
    file.put('*');
  }

  // The names of the records visited, deleted ones marked with '*'.
  std::vector<std::string> Names(const char* filter, const char* sort) {
    CTableRecordset rs;
    if (!rs.Open(Gbk().c_str(), filter, sort)) return {"<failed>"};
    std::vector<std::string> names;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
      names.push_back(std::string(rs.IsDeleted() ? "*" : "") + rs.GetFieldValue(0).GetString());
    return names;
  }
  std::string Gbk() const { return platform::Utf8ToGbk(path_); }

  testsupport::ScratchFolder scratch_{"scrivel-trs"};
  const std::string& dir_ = scratch_.path();
  std::string path_;
};

TEST_F(TableRecordsetTest, FieldsTellNameTypeAndSizeAndNullsRead) {
  CTableRecordset rs;
  ASSERT_TRUE(rs.Open(Gbk().c_str()));
  ASSERT_EQ(rs.GetFieldCount(), 3);
  EXPECT_STREQ(rs.GetFieldInfo(0).m_strName, "名称");
  EXPECT_EQ(rs.GetFieldInfo(0).m_nSQLType, SQL_CHAR);
  EXPECT_EQ(rs.GetFieldInfo(0).m_nSize, 12);
  EXPECT_EQ(rs.GetFieldInfo(1).m_nSQLType, SQL_INTEGER);
  EXPECT_EQ(rs.GetFieldInfo(2).m_nSQLType, SQL_NUMERIC);
  EXPECT_EQ(rs.GetFieldInfo(2).m_nDecimals, 2);
  rs.MoveNext();
  EXPECT_STREQ(rs.GetFieldValue(2), "<NULL>");
  EXPECT_STREQ(rs.GetFieldValue(0), "a;y");
  EXPECT_FALSE(rs.Open((Gbk() + "x").c_str()));
  EXPECT_FALSE(rs.IsOpen());
}

TEST_F(TableRecordsetTest, FilterAndSort) {
  const struct {
    const char* filter;
    const char* sort;
    std::vector<std::string> names;
  } cases[] = {
      {nullptr, nullptr, {"b'x", "a;y", "*gone", "螺栓"}},
      {"N=2", nullptr, {"b'x", "螺栓"}},
      {"名称='b''x'", nullptr, {"b'x"}},
      {"N>2 AND N<=10", nullptr, {"a;y", "*gone"}},
      {"N=10 OR W>=7", nullptr, {"a;y", "螺栓"}},
      {"W<>0", nullptr, {"b'x", "螺栓"}},  // a null passes no comparison
      {"名称 LIKE '螺_'", nullptr, {"螺栓"}},
      {nullptr, "N DESC", {"a;y", "*gone", "b'x", "螺栓"}},  // numbers as numbers; ties keep file order
      {nullptr, "名称", {"a;y", "b'x", "*gone", "螺栓"}},
      {"n<10", "n, w desc", {"螺栓", "b'x", "*gone"}},
      {"nosuch=1", nullptr, {"<failed>"}},
      {"N=", nullptr, {"<failed>"}},
      {"名称='open", nullptr, {"<failed>"}},
      {nullptr, "N DOWN", {"<failed>"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.filter ? c.filter : "-") + " / " + (c.sort ? c.sort : "-"));
    EXPECT_EQ(Names(c.filter, c.sort), c.names);
  }
}

}  // namespace
