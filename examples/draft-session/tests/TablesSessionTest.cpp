// The shipped tables session, end to end: a bill of materials read from the
// file shipped beside the script through the tool bar and the file dialog,
// saved as .lst and .dbf into the output folder, generated and docked to the
// frame's corner, then the saved .dbf read again as a general table wrapped
// into two columns. The written files are read back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/TableCell.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TableRow.h"
#include "draft/tables/FieldRecord.h"
#include "draft/tables/TableFiles.h"
#include "examples/draft-session/tests/PlayedSession.h"
#include "examples/draft-session/tests/ScratchFolder.h"
#include "platform/core/Charset.h"
#include "platform/odbc/DbaseFile.h"

using namespace draftsession;

namespace {

std::string Gbk(const char* utf8) { return platform::Utf8ToGbk(utf8); }

// The texts of a table row, joined by '|'.
std::string RowText(const CTableEntity& table, int row) {
  std::string out;
  const CTableRow* r = table.GetRow(row);
  for (int i = 0; i < r->GetCellCount(); ++i) out += (i ? "|" : "") + std::string(r->GetCell(i)->GetText());
  return out;
}

}  // namespace

TEST(TablesSession, ReadsSavesAndPlacesTheBillOfMaterialsThenWrapsTheSavedTable) {
  ScratchFolder out;
  ASSERT_FALSE(out.path.empty());
  PlayedSession session;
  session.player.SetVariable("OUT", out.path.string());
  session.player.SetVariable("SCRIPT", SCRIVEL_SESSION_FOLDER);
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "tables.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());

  std::vector<const CTableEntity*> tables;
  for (CEntity* e : *view.GetEntityList())
    if (auto* t = dynamic_cast<const CTableEntity*>(e)) tables.push_back(t);
  ASSERT_EQ(tables.size(), 2u);  // the parts list stays beside the general table

  // The parts list: its right edge on the frame's right line (x 390), its
  // foot on the bottom line, the header and the five rows of the file.
  const CTableEntity& bom = *tables[0];
  EXPECT_EQ(bom.GetTableKind(), 1);
  ASSERT_EQ(bom.GetRowCount(), 6);
  ASSERT_EQ(bom.GetSegmentCount(), 1);
  EXPECT_NEAR(bom.GetSegment(0).startX, 390 - 180, 1e-9);
  EXPECT_NEAR(bom.GetSegment(0).startY, 10, 1e-9);
  EXPECT_EQ(RowText(bom, 4), Gbk("4|ZJ-01-02|支座|2|HT200|12.5|25|铸件"));

  // The general table from the saved .dbf: two columns, the first from
  // (20, 150) cut at 180, the second from (210, 150).
  const CTableEntity& general = *tables[1];
  EXPECT_EQ(general.GetTableKind(), 0);
  EXPECT_EQ(general.GetRowCount(), 6);
  ASSERT_EQ(general.GetSegmentCount(), 2);
  EXPECT_NEAR(general.GetSegment(0).startX, 20, 1e-9);
  EXPECT_NEAR(general.GetSegment(0).startY, 150, 1e-9);
  EXPECT_NEAR(general.GetSegment(1).startX, 210, 1e-9);
  EXPECT_NEAR(general.GetSegment(1).startY, 150, 1e-9);
  EXPECT_EQ(RowText(general, 1), RowText(bom, 1));

  // The files written: the .lst as a parts-list data file, the .dbf with a
  // record a row.
  CStringArray rows;
  CFieldArray fields;
  ASSERT_EQ(ReadPartsListFile((out.path / "tables.lst").string().c_str(), rows, fields), TableFileRead::kRead);
  ASSERT_EQ(rows.GetSize(), 5);
  EXPECT_EQ(std::string(rows[2]), Gbk("3;GB/T 97.1;垫圈 12;16;65Mn;0.006;0.096; "));
  ASSERT_EQ(fields.GetSize(), 8);
  EXPECT_EQ(std::string(fields[2].name), Gbk("零件名称"));
  auto dbf = platform::odbc::DbaseFile::Open((out.path / "tables.dbf").string(), false);
  ASSERT_NE(dbf, nullptr);
  ASSERT_EQ(dbf->RecordCount(), 5);
  ASSERT_EQ(dbf->Fields().size(), 8u);
  EXPECT_EQ(dbf->ReadRecord(3)[2].text, Gbk("支座"));

  const std::string shown = session.out.str();
  for (const char* part : {"    click tool-bar button 1037 \"读文件\"\n", "  dialog \"打开表内容文件\"\n",
                           "  message box: 是否保存刚才打开的文件? -> No\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;
}
