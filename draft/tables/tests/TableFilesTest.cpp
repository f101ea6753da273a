// The row text, the field line and the two generations of the parts-list
// data file and the table-structure file, from small hand-made byte fixtures.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "draft/host/Settings.h"
#include "draft/tables/FieldLine.h"
#include "draft/tables/FieldRecord.h"
#include "draft/tables/RowText.h"
#include "draft/tables/TableFiles.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/MessageBox.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {

std::vector<CStringA> Cells(const CStringArray& a) {
  std::vector<CStringA> v;
  for (INT_PTR i = 0; i < a.GetSize(); ++i) v.push_back(a[i]);
  return v;
}

void Fill(CStringArray& a, const std::vector<const char*>& texts) {
  a.RemoveAll();
  for (const char* t : texts) a.Add(t);
}

std::string Int32(int32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[static_cast<size_t>(i)] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
  return s;
}

std::string Record(const CFieldRecord& r) {
  unsigned char bytes[CFieldRecord::kRecordBytes];
  r.ToBytes(bytes);
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

class TableFilesTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  void SetUp() override {
    previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>());
  }
  void TearDown() override {
    SetSettingsBacking(std::move(previous_));
  }
  CStringA Path(const char* name) const { return CStringA((folder_ / name).c_str()); }
  void Put(const char* name, const std::string& bytes) const { testsupport::WriteFileBytes(folder_ / name, bytes); }
  std::string Get(const char* name) const { return testsupport::ReadFileBytes(folder_ / name); }

  testsupport::ScratchFolder folder_{"tablefiles"};
  std::unique_ptr<CSettingsBacking> previous_;
};

}  // namespace

TEST(RowText, CellsAreJoinedAndSplitBySemicolons) {
  struct Case {
    std::vector<const char*> cells;
    const char* row;
    std::vector<const char*> back;
  };
  const Case cases[] = {
      {{"a;b"}, "a;;b", {"a;b"}},
      {{"a;", "b"}, "a;;;b", {"a;", "b"}},
      {{"x", ";y"}, "x;;;y", {"x;", "y"}},  // a leading ';' joins the cell before
      {{"", "  ", " c "}, " ; ;c", {" ", " ", "c"}},
      {{"丂@", "序号"}, "丂@;序号", {"丂@", "序号"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    CStringArray cells;
    Fill(cells, c.cells);
    CStringA row = JoinRowCells(cells);
    EXPECT_EQ(row, c.row);
    CStringArray back;
    SplitRowText(row, back);
    std::vector<CStringA> want(c.back.begin(), c.back.end());
    EXPECT_EQ(Cells(back), want);
  }
  CStringArray one;
  SplitRowText("", one);
  EXPECT_EQ(Cells(one), std::vector<CStringA>{""});
}

TEST(FieldLine, PartsAreClampedAndAWrongCountIsRefused) {
  drafttest::MessageBoxAnswers shown;
  std::vector<CStringA>& boxes = shown.boxes;
  struct Case {
    const char* line;
    double widthWhenNotGiven;
    const char* name;
    int type;
    double width;
    int alignment;
  };
  const Case cases[] = {
      {"序号;1;8.000000;2", 0.0, "序号", 1, 8.0, 2},
      {"名;9;0;7", 0.0, "名", 0, 0.0, 2},
      {"名;9;0;7", 15.0, "名", 0, 15.0, 2},
      {"名;-1;0.0000001;-1", 0.0, "名", 0, 0.0, 2},
      {"a;;b;6;12.5;3", 0.0, "a;b", 6, 12.5, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    CFieldArray fields;
    ASSERT_TRUE(ParseFieldLine(fields, c.line, c.widthWhenNotGiven));
    ASSERT_EQ(fields.GetSize(), 1);
    EXPECT_EQ(fields[0].GetName(), c.name);
    EXPECT_EQ(fields[0].type, c.type);
    EXPECT_DOUBLE_EQ(fields[0].width, c.width);
    EXPECT_EQ(fields[0].alignment, c.alignment);
  }
  EXPECT_TRUE(boxes.empty());
  for (const char* bad : {"a;1;2", "a;1;2;3;4", ""}) {
    CFieldArray fields;
    EXPECT_FALSE(ParseFieldLine(fields, bad)) << bad;
    EXPECT_EQ(fields.GetSize(), 0);
  }
  EXPECT_EQ(boxes, std::vector<CStringA>(3, "数据结构错误!"));

  // Both written forms read back; the tidied one drops trailing zeros and
  // leading blanks, and a ';' in the name is doubled.
  CFieldRecord r("  a;b", 3, 12.5, 1);
  EXPECT_EQ(FormatFieldLine(r, FieldLineForm::kStored), "  a;;b;3;12.500000;1");
  EXPECT_EQ(FormatFieldLine(r, FieldLineForm::kTidied), "a;;b;3;12.5;1");
  EXPECT_EQ(FormatFieldLine(CFieldRecord("", 0, 0, 2), FieldLineForm::kTidied), " ;0;0;2");
}

TEST(FieldLine, TheQuotedFormTakesSevenQuotedParts) {
  struct Case {
    const char* line;
    bool ok;
    const char* name;
    int type;
    double width;
    int alignment;
  };
  const Case cases[] = {
      {R"("名称" "12.5" "x" "y" "2" "1" "z")", true, "名称", 1, 12.5, 1},
      {R"(junk "a","8","","","4","9","" tail)", true, "a", 2, 8.0, 9},
      {R"("a" "8" "" "" "C" "0" "")", true, "a", 0, 8.0, 0},
      {R"("a" "8" "" "" "2" "0")", false, "", 0, 0, 0},
      {R"("a" "8" "" "" "2" "0" "" "")", false, "", 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    CFieldRecord r;
    ASSERT_EQ(ParseQuotedFieldLine(c.line, r), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(r.GetName(), c.name);
    EXPECT_EQ(r.type, c.type);
    EXPECT_DOUBLE_EQ(r.width, c.width);
    EXPECT_EQ(r.alignment, c.alignment);
  }
}

TEST(FieldRecord, FortyBytesAndNamesCutAtAWholeCharacter) {
  CFieldRecord r("名称", 4, 12.5, 3);
  std::string bytes = Record(r);
  ASSERT_EQ(bytes.size(), 40u);
  EXPECT_EQ(bytes.substr(0, 5), std::string("名称") + '\0');
  EXPECT_EQ(bytes.substr(20, 4), Int32(4));
  double w = 0;
  std::memcpy(&w, bytes.data() + 24, 8);
  EXPECT_EQ(w, 12.5);
  EXPECT_EQ(bytes.substr(32, 4), Int32(3));
  EXPECT_EQ(CFieldRecord::FromBytes(reinterpret_cast<const unsigned char*>(bytes.data())), r);

  struct Case {
    const char* name;
    const char* kept;
  };
  const Case cases[] = {
      {"一二三四五六七八九十x", "一二三四五六七八九"},  // 21 bytes: the tenth character would be cut in half
      {"x一二三四五六七八九十", "x一二三四五六七八九"},  // 21 bytes: 19 whole
      {"0123456789012345678", "0123456789012345678"},
      {"01234567890123456789", "0123456789012345678"},
  };
  for (const Case& c : cases) {
    CFieldRecord f;
    f.SetName(c.name);
    EXPECT_EQ(f.GetName(), c.kept) << c.name;
  }
  // A record of a file whose name fills all 20 bytes stays terminated.
  std::string full = std::string(20, 'n') + Int32(0) + std::string(8, '\0') + Int32(2) + Int32(0);
  EXPECT_EQ(CFieldRecord::FromBytes(reinterpret_cast<const unsigned char*>(full.data())).GetName(),
            CStringA(std::string(19, 'n').c_str()));
}

TEST_F(TableFilesTest, PartsListFilesOfBothGenerationsRead) {
  const std::string magic98 = kPartsListMagic98;
  ASSERT_EQ(magic98.size(), 24u);
  CFieldRecord a("序号", 1, 8, 2), b("名称", 0, 40, 1);
  // A record and a row that hold the bytes 0D 0A.
  CFieldRecord crlf("x\r\ny", 0, 0, 2);
  struct Case {
    const char* name;
    std::string bytes;
    TableFileRead result;
    std::vector<CFieldRecord> fields;
    std::vector<const char*> rows;
  };
  const std::vector<Case> cases = {
      {"99.lst", std::string(kPartsListMagic99) + "\r\n2\r\n序号;1;8;2\r\n名称;0;40.000000;1\r\n1;a;;b\r\n\r\n2; \r\n",
       TableFileRead::kRead, {a, b}, {"1;a;;b", "", "2; "}},
      {"99lf.lst", std::string(kPartsListMagic99) + "\n1\n序号;1;8;2\n1\n", TableFileRead::kRead, {a}, {"1"}},
      {"fresh.lst", kPartsListMagic99, TableFileRead::kRead, {}, {}},
      // A failed read keeps the columns before the bad line, and no rows.
      {"bad.lst", std::string(kPartsListMagic99) + "\r\n2\r\n序号;1;8;2\r\n名称;0\r\nrow\r\n", TableFileRead::kFailed,
       {a}, {}},
      {"98.lst", magic98 + Int32(2) + Record(a) + Record(crlf) + Int32(4) + "1\r\n2" + Int32(0), TableFileRead::kRead,
       {a, crlf}, {"1\r\n2", ""}},
      {"98only.lst", magic98, TableFileRead::kRead, {}, {}},
      // Cut inside the second record, and inside a row.
      {"98cut.lst", magic98 + Int32(2) + Record(a) + Record(b).substr(0, 30), TableFileRead::kRead, {a}, {}},
      {"98rowcut.lst", magic98 + Int32(1) + Record(a) + Int32(1) + "1" + Int32(9) + "abc", TableFileRead::kRead, {a},
       {"1"}},
      {"other.lst", "Wendrix97 明细表数据文件\r\n", TableFileRead::kWrongKind, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Put(c.name, c.bytes);
    CStringArray rows;
    CFieldArray fields;
    EXPECT_EQ(ReadPartsListFile(Path(c.name), rows, fields), c.result);
    ASSERT_EQ(fields.GetSize(), static_cast<INT_PTR>(c.fields.size()));
    for (size_t i = 0; i < c.fields.size(); ++i) EXPECT_EQ(fields[static_cast<INT_PTR>(i)], c.fields[i]) << i;
    std::vector<CStringA> want(c.rows.begin(), c.rows.end());
    EXPECT_EQ(Cells(rows), want);
  }
  CStringArray rows;
  CFieldArray fields;
  EXPECT_EQ(ReadPartsListFile(Path("missing.lst"), rows, fields), TableFileRead::kFailed);
  EXPECT_EQ(boxes, std::vector<CStringA>{"数据结构错误!"});
}

TEST_F(TableFilesTest, PartsListFilesAreWrittenInTheTextGenerationAndReadBack) {
  CFieldArray fields;
  fields.Add(CFieldRecord("序号", 1, 8, 2));
  fields.Add(CFieldRecord(" a;b", 0, 12.5, 1));
  CStringArray rows;
  Fill(rows, {"1;x;;y", " ; "});
  ASSERT_TRUE(WritePartsListFile(Path("w.lst"), kPartsListMagic99, fields, rows));
  EXPECT_EQ(Get("w.lst"), std::string(kPartsListMagic99) + "\r\n2\r\n序号;1;8;2\r\na;;b;0;12.5;1\r\n1;x;;y\r\n ; \r\n");
  CStringArray back;
  CFieldArray fieldsBack;
  ASSERT_EQ(ReadPartsListFile(Path("w.lst"), back, fieldsBack), TableFileRead::kRead);
  EXPECT_EQ(Cells(back), Cells(rows));
  ASSERT_EQ(fieldsBack.GetSize(), 2);
  EXPECT_EQ(fieldsBack[1].GetName(), "a;b");

  ASSERT_TRUE(CreateTableFile(Path("new.lst"), kPartsListMagic99));
  EXPECT_EQ(Get("new.lst").size(), 24u);
  ASSERT_TRUE(CreateTableFile(Path("new.def"), kStructureMagic99));
  EXPECT_EQ(Get("new.def").size(), 20u);
}

TEST_F(TableFilesTest, AFailedWriteKeepsTheOldFile) {
  Put("old.lst", "old contents");
  CFieldArray fields;
  fields.Add(CFieldRecord("序号", 1, 8, 2));
  CStringArray rows;
  for (int i = 0; i < 2000; ++i) rows.Add("a row long enough to pass the limit;1;2;3");

  struct rlimit old;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  BOOL written = WritePartsListFile(Path("old.lst"), kPartsListMagic99, fields, rows);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);

  EXPECT_FALSE(written);
  EXPECT_EQ(Get("old.lst"), "old contents");
  ASSERT_EQ(boxes.size(), 1u);  // the host's file-failure report
  EXPECT_NE(boxes[0].Find("old.lst"), -1);
  size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(folder_.path())) files += e.is_regular_file();
  EXPECT_EQ(files, 1u);  // no temporary left behind
}

TEST_F(TableFilesTest, StructureFilesOfBothGenerationsRead) {
  const std::string magic98 = kStructureMagic98;
  ASSERT_EQ(magic98.size(), 20u);
  CFieldRecord a("序号", 1, 8, 2), b("名称", 0, 40, 1), crlf("\r\n", 3, 1.5, 0);
  CFieldArray partsList, rebar;
  FillDefaultStructure(partsList, 1);
  FillDefaultStructure(rebar, 2);
  ASSERT_EQ(partsList.GetSize(), 8);
  ASSERT_EQ(rebar.GetSize(), 5);
  EXPECT_EQ(rebar[2], CFieldRecord("单根长(mm)", 4, 20, 2));
  EXPECT_EQ(partsList[7], CFieldRecord("备注", 0, 20, 2));
  auto all = [](const CFieldArray& f) {
    std::vector<CFieldRecord> v;
    for (INT_PTR i = 0; i < f.GetSize(); ++i) v.push_back(f[i]);
    return v;
  };
  struct Case {
    const char* name;
    std::string bytes;
    int kind;
    int result;
    std::vector<CFieldRecord> fields;
  };
  const std::vector<Case> cases = {
      {"99.def", std::string(kStructureMagic99) + "\r\n序号;1;8.000000;2\r\n名称;0;40;1\r\n", 1, 1, {a, b}},
      {"99bad.def", std::string(kStructureMagic99) + "\r\n序号;1;8;2\r\nbad\r\n名称;0;40;1\r\n", 1, 0, {a}},
      {"99fresh.def", kStructureMagic99, 1, 1, {}},
      {"98.def", magic98 + Record(a) + Record(crlf) + Record(b).substr(0, 12), 1, 1, {a, crlf}},
      {"98only.def", magic98, 2, 0, all(rebar)},
      {"other.def", "something else\r\n", 1, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Put(c.name, c.bytes);
    CFieldArray fields;
    EXPECT_EQ(ReadStructureFileFields(fields, Path(c.name), c.kind), c.result);
    EXPECT_EQ(all(fields), c.fields);
  }
  EXPECT_EQ(boxes, (std::vector<CStringA>{"数据结构错误!", kFileKindMismatch}));
  CFieldArray fields;
  EXPECT_EQ(ReadStructureFileFields(fields, "", 1), 0);
  EXPECT_EQ(all(fields), all(partsList));
  EXPECT_EQ(ReadStructureFileFields(fields, Path("missing.def"), 2), 0);
  EXPECT_EQ(all(fields), all(rebar));
}

TEST_F(TableFilesTest, AStructureFileIsWrittenAsDefAndItsPathRemembered) {
  CFieldArray fields;
  fields.Add(CFieldRecord("序号", 1, 8, 2));
  fields.Add(CFieldRecord(" 名", 3, 0, 0));
  ASSERT_TRUE(WriteStructureFileFields(Path("s.txt"), fields));
  EXPECT_EQ(Get("s.def"), std::string(kStructureMagic99) + "\r\n序号;1;8.000000;2\r\n 名;3;0.000000;0\r\n");
  EXPECT_EQ(GetProfileStringSetting("TableFrameSetting", "TableFrameFilePath", ""), Path("s.def"));
  CFieldArray back;
  EXPECT_EQ(ReadStructureFileFields(back, Path("s.def"), 1), 1);
  ASSERT_EQ(back.GetSize(), 2);
  EXPECT_EQ(back[1], fields[1]);

  EXPECT_EQ(ReplaceFileExtension("a.b/c", "def"), "a.b/c.def");
  EXPECT_EQ(ReplaceFileExtension("a.b\\c.lst", "def"), "a.b\\c.def");
  // A failed write leaves the setting alone.
  EXPECT_FALSE(WriteStructureFileFields(Path("no-such-folder/x"), fields));
  EXPECT_FALSE(WriteStructureFileFields("", fields));
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_EQ(GetProfileStringSetting("TableFrameSetting", "TableFrameFilePath", ""), Path("s.def"));
}

// Names and rows that a binary file held but a text line cannot (the
// fuzzer's case: a generation-98 structure whose record names hold CR LF,
// which saved as text read back as other columns).
TEST_F(TableFilesTest, NamesAndRowsThatCannotBeTextLinesAreNotWritten) {
  CFieldRecord good("序号", 1, 8, 2);
  struct Case {
    const char* what;
    const char* name;
    const char* row;
  };
  const Case cases[] = {
      {"a name holding CR LF", "\r\n;1;10", "1"},
      {"a name holding LF", "a\nb", "1"},
      {"a name holding Ctrl-Z", "a\x1A", "1"},
      {"a line feed after a stray lead byte", "\xFE\n", "1"},  // the fuzzer's case
      {"a row holding CR LF", "x", "1\r\n2"},
      {"a row holding Ctrl-Z", "x", "1\x1A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.clear();
    Put("keep.lst", "old list");
    Put("keep.def", "old structure");
    CFieldArray fields;
    fields.Add(good);
    fields.Add(CFieldRecord(c.name, 0, 10, 2));
    CStringArray rows;
    rows.Add(c.row);
    EXPECT_FALSE(WritePartsListFile(Path("keep.lst"), kPartsListMagic99, fields, rows));
    EXPECT_EQ(Get("keep.lst"), "old list");
    const bool nameBad = std::string(c.name).find_first_of("\n\x1A") != std::string::npos;
    EXPECT_EQ(WriteStructureFileFields(Path("keep.def"), fields), nameBad ? FALSE : TRUE);
    if (nameBad) {
      EXPECT_EQ(Get("keep.def"), "old structure");
    }
    EXPECT_EQ(boxes[0], "数据结构错误!");
  }
  // A CR alone stays within its line and reads back.
  CFieldArray fields;
  fields.Add(CFieldRecord("a\rb", 0, 10, 2));
  CStringArray rows;
  rows.Add("1\r");
  ASSERT_TRUE(WritePartsListFile(Path("cr.lst"), kPartsListMagic99, fields, rows));
  CStringArray rowsBack;
  CFieldArray fieldsBack;
  ASSERT_EQ(ReadPartsListFile(Path("cr.lst"), rowsBack, fieldsBack), TableFileRead::kRead);
  EXPECT_EQ(fieldsBack[0].GetName(), "a\rb");
  EXPECT_EQ(Cells(rowsBack), Cells(rows));
}

// A damaged name or cell whose stray GBK lead byte stands before a ';' (the
// fuzzer's case: a generation-98 record name "ú\xC5;1;166660...") reads back
// from its line as it was written, like every sound text.
TEST(RowText, EverySemicolonByteIsDoubledAndReadBack) {
  const char* const texts[] = {"\xC5;1;2", "a;b", "序;号", "\xFE;", ";\x81"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    CFieldArray fields;
    ASSERT_TRUE(ParseFieldLine(fields, FormatFieldLine(CFieldRecord(text, 1, 8, 2), FieldLineForm::kStored)));
    EXPECT_EQ(fields[0].GetName(), text);
    CStringArray cells, back;
    Fill(cells, {text, "x"});
    SplitRowText(JoinRowCells(cells), back);
    EXPECT_EQ(Cells(back), Cells(cells));
  }
}
