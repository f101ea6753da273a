// The data source "Qelvo" as every ODBC program sees it: isql, reaching it
// by its name alone, and this library read and change the same dBase files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/odbc/DbaseFile.h"
#include "platform/odbc/tests/IsqlSession.h"
#include "platform/odbc/tests/OdbcTestSupport.h"

using odbc_test::Connection;
using odbc_test::Gbk;
using odbc_test::Rows;
using odbc_test::RunIsql;
using platform::odbc::DbaseFile;
using Lines = std::vector<std::string>;
using Table = std::vector<std::vector<std::string>>;

namespace {

// A table of the data source's folder by a name of its own, removed at the
// end.
struct FolderTable {
  explicit FolderTable(const char* what)
      : name(std::string("scrivel_") + what + "_" + std::to_string(::getpid())),
        path(odbc_test::DataSourceFolder() + "/" + name + ".dbf") {
    std::remove(path.c_str());
  }
  ~FolderTable() { std::remove(path.c_str()); }
  std::string name;
  std::string path;
};

// A dBase file as another program writes it: the fields 名称 C(10), QTY
// N(5,0) and W N(8,2), code page GBK, and three records, the second of
// them deleted.
std::string DroppedFile() {
  struct Field {
    std::string name;
    char type;
    uint8_t width, decimals;
  };
  const Field fields[] = {{Gbk("名称"), 'C', 10, 0}, {"QTY", 'N', 5, 0}, {"W", 'N', 8, 2}};
  const std::vector<std::vector<std::string>> records = {
      {" ", Gbk("螺栓"), "3", "12.50"}, {"*", "gone", "1", "1.00"}, {" ", "nut", "4", "1.00"}};
  const uint16_t header = 32 + 32 * 3 + 1, length = 1 + 10 + 5 + 8;
  std::string bytes(32, '\0');
  bytes[0] = 3;
  bytes[1] = 125, bytes[2] = 1, bytes[3] = 1;
  bytes[4] = static_cast<char>(records.size());
  bytes[8] = static_cast<char>(header & 0xff), bytes[9] = static_cast<char>(header >> 8);
  bytes[10] = static_cast<char>(length);
  bytes[29] = 0x7a;  // code page 936
  for (const Field& f : fields) {
    std::string d(32, '\0');
    d.replace(0, f.name.size(), f.name);
    d[11] = f.type;
    d[16] = static_cast<char>(f.width);
    d[17] = static_cast<char>(f.decimals);
    bytes += d;
  }
  bytes += '\r';
  for (const auto& r : records) {
    bytes += r[0];
    for (size_t i = 0; i < 3; ++i) {
      const std::string& v = r[i + 1];
      const std::string pad(fields[i].width - v.size(), ' ');
      bytes += fields[i].type == 'C' ? v + pad : pad + v;
    }
  }
  return bytes + '\x1a';
}

TEST(DataSourceTest, ATableTheLibraryWritesIsReadByIsqlInUtf8WithItsTypes) {
  FolderTable t("export");
  Connection c;
  ASSERT_TRUE(c.connected);
  ASSERT_EQ(c.Exec("CREATE TABLE " + t.name + "(" + Gbk("名称") + " Char(12)," + Gbk("数量") +
                   " Integer,W Numeric(8,2),F Double,D Date)"),
            SQL_SUCCESS)
      << c.Message();
  ASSERT_EQ(c.Exec("INSERT INTO " + t.name + " VALUES('" + Gbk("螺栓 M8") + "',3,12.5,0.25,'2024-05-06')"), SQL_SUCCESS)
      << c.Message();
  ASSERT_EQ(c.Exec("INSERT INTO " + t.name + " VALUES('it''s',0,2,NULL,NULL)"), SQL_SUCCESS) << c.Message();

  EXPECT_EQ(RunIsql({"SELECT * FROM " + t.name,
                     "SELECT typeof(名称), typeof(数量), typeof(W), typeof(F), typeof(D) FROM " + t.name}),
            (Lines{"名称|数量|W|F|D", "螺栓 M8|3|12.5|0.25|2024-05-06", "it's|0|2||",
                   "typeof(名称)|typeof(数量)|typeof(W)|typeof(F)|typeof(D)", "text|integer|real|real|text",
                   "text|integer|integer|null|null"}));
}

// Rows changed through isql are the file's at once: the library's
// connection, opened before, reads them; a row the library adds is isql's.
TEST(DataSourceTest, RowsChangedByIsqlAndByTheLibraryAreSeenByTheOtherAtOnce) {
  FolderTable t("shared");
  Connection c;
  ASSERT_EQ(c.Exec("CREATE TABLE " + t.name + "(a1 Char(6),a2 Integer)"), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(c.Exec("INSERT INTO " + t.name + " VALUES('" + Gbk("甲") + "',1)"), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(c.Exec("INSERT INTO " + t.name + " VALUES('b',2)"), SQL_SUCCESS) << c.Message();

  EXPECT_EQ(RunIsql({"INSERT INTO " + t.name + " VALUES('丙',3)", "UPDATE " + t.name + " SET a2=20 WHERE a1='b'",
                     "DELETE FROM " + t.name + " WHERE a2=1"}),
            Lines{});
  ASSERT_EQ(c.Exec("SELECT a1, a2 FROM " + t.name), SQL_SUCCESS) << c.Message();
  EXPECT_EQ(Rows(c), (Table{{"b", "20"}, {Gbk("丙"), "3"}}));

  ASSERT_EQ(c.Exec("INSERT INTO " + t.name + " VALUES('" + Gbk("丁") + "',4)"), SQL_SUCCESS) << c.Message();
  EXPECT_EQ(RunIsql({"SELECT a1, a2 FROM " + t.name + " ORDER BY a2"}), (Lines{"a1|a2", "丙|3", "丁|4", "b|20"}));

  // A value the file cannot hold fails in isql with its state, and the
  // file keeps its rows.
  const struct {
    std::string sql;
    const char* state;
  } refusals[] = {{"UPDATE " + t.name + " SET a1='toolong'", "[dBase] 22001 String data, right truncated"},
                  {"INSERT INTO " + t.name + " VALUES('x','y')", "[dBase] 22018 Invalid character value"}};
  for (const auto& r : refusals) {
    std::string printed;
    for (const std::string& line : RunIsql({r.sql})) printed += line + "\n";
    EXPECT_NE(printed.find(r.state), std::string::npos) << printed;
  }
  ASSERT_EQ(c.Exec("SELECT a1, a2 FROM " + t.name), SQL_SUCCESS) << c.Message();
  EXPECT_EQ(Rows(c), (Table{{"b", "20"}, {Gbk("丙"), "3"}, {Gbk("丁"), "4"}}));
}

TEST(DataSourceTest, AFileDroppedIntoTheFolderIsATableToEveryProgram) {
  FolderTable t("dropped");
  {
    std::ofstream out(t.path, std::ios::binary);
    out << DroppedFile();
  }
  EXPECT_EQ(RunIsql({"SELECT * FROM " + t.name, "SELECT sum(QTY*W) FROM " + t.name}),
            (Lines{"名称|QTY|W", "螺栓|3|12.5", "nut|4|1", "sum(QTY*W)", "41.5"}));
  Connection c;
  ASSERT_EQ(c.Exec("SELECT * FROM " + t.name), SQL_SUCCESS) << c.Message();
  EXPECT_EQ(Rows(c), (Table{{Gbk("螺栓"), "3", "12.5"}, {"nut", "4", "1"}}));
}

// A writer that finds the file locked by another waits for it, and neither
// loses a row.
TEST(DataSourceTest, AWriterWaitsForTheLockOfAnother) {
  FolderTable t("locked");
  Connection c;
  ASSERT_EQ(c.Exec("CREATE TABLE " + t.name + "(a1 Char(4))"), SQL_SUCCESS) << c.Message();
  const int fd = ::open(t.path.c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  struct flock lock = {};
  lock.l_type = F_WRLCK;
  ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);
  std::atomic<bool> done{false};
  SQLRETURN rc = SQL_ERROR;
  std::thread writer([&] {
    rc = c.Exec("INSERT INTO " + t.name + " VALUES('w')");
    done = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(done);  // still waiting for the lock
  ::close(fd);
  writer.join();
  EXPECT_EQ(rc, SQL_SUCCESS);
  EXPECT_EQ(DbaseFile::Open(t.path, false)->RecordCount(), 1);
}

// In a transaction, a statement that fails takes nothing in and the rows of
// the others go to the file when it commits, which ends the writer's lock.
TEST(DataSourceTest, AStatementThatFailsInATransactionTakesNothingAndTheRestCommits) {
  FolderTable t("transaction");
  Connection c;
  ASSERT_EQ(c.Exec("CREATE TABLE " + t.name + "(a1 Char(4))"), SQL_SUCCESS) << c.Message();
  ASSERT_EQ(SQLSetConnectAttr(c.dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
            SQL_SUCCESS);
  ASSERT_EQ(c.Exec("INSERT INTO " + t.name + " VALUES('a')"), SQL_SUCCESS) << c.Message();
  EXPECT_EQ(c.Exec("INSERT INTO " + t.name + " VALUES('b'),('toolong')"), SQL_ERROR);
  EXPECT_EQ(c.State(), "22001");
  ASSERT_EQ(c.Exec("SELECT a1 FROM " + t.name), SQL_SUCCESS) << c.Message();
  EXPECT_EQ(Rows(c), Table{{"a"}});
  EXPECT_EQ(DbaseFile::Open(t.path, false)->RecordCount(), 0);  // nothing written before the commit
  ASSERT_EQ(SQLEndTran(SQL_HANDLE_DBC, c.dbc, SQL_COMMIT), SQL_SUCCESS);
  EXPECT_EQ(RunIsql({"INSERT INTO " + t.name + " VALUES('i')", "SELECT a1 FROM " + t.name}),
            (Lines{"a1", "a", "i"}));
}

// The library and isql write one table at the same time, each row by a
// statement of its own: every row of both is in the file once.
TEST(DataSourceTest, TwoWritersInterleavedOnOneTableKeepEveryRow) {
  FolderTable t("writers");
  Connection c;
  ASSERT_EQ(c.Exec("CREATE TABLE " + t.name + "(who Char(4),n Integer)"), SQL_SUCCESS) << c.Message();
  constexpr int kRows = 60;
  Lines inserts;
  for (int i = 0; i < kRows; ++i) {
    inserts.push_back("INSERT INTO " + t.name + " VALUES('isql'," + std::to_string(i) + ")");
    if (i % 10 == 0) inserts.push_back("UPDATE " + t.name + " SET n=n WHERE who='isql'");  // written whole
  }
  Lines printed;
  std::thread other([&] { printed = RunIsql(inserts); });
  for (int i = 0; i < kRows; ++i) {
    ASSERT_EQ(c.Exec("INSERT INTO " + t.name + " VALUES('lib'," + std::to_string(i) + ")"), SQL_SUCCESS)
        << c.Message();
    if (i % 10 == 5) {
      ASSERT_EQ(c.Exec("UPDATE " + t.name + " SET n=n WHERE who='lib'"), SQL_SUCCESS) << c.Message();
    }
  }
  other.join();
  EXPECT_EQ(printed, Lines{});
  auto file = DbaseFile::Open(t.path, false);
  ASSERT_TRUE(file);
  std::set<std::pair<std::string, std::string>> rows;
  for (int r = 0; r < file->RecordCount(); ++r) {
    if (file->IsDeleted(r)) continue;
    auto v = file->ReadRecord(r);
    EXPECT_TRUE(rows.insert({v[0].text, v[1].text}).second) << v[0].text << " " << v[1].text;
  }
  EXPECT_EQ(rows.size(), 2u * kRows);
}

}  // namespace
