// The shipped records session, end to end: a bill of materials drawn as
// lines and texts picked into a .lst file in the output folder (the save
// dialog answered), then a placed parts list folded into a second segment.
// The written file is read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/TableEntity.h"
#include "draft/tables/FieldRecord.h"
#include "draft/tables/RowText.h"
#include "draft/tables/TableFiles.h"
#include "examples/draft-session/tests/PlayedSession.h"
#include "platform/core/Charset.h"
#include "platform/testsupport/ScratchFolder.h"

using namespace draftsession;

TEST(RecordsSession, PicksTheDrawnBillOfMaterialsAndFoldsThePlacedPartsList) {
  const testsupport::ScratchFolder scratch("scrivel-records");
  const std::filesystem::path out = scratch.path();
  PlayedSession session;
  session.player.SetVariable("OUT", out.string());
  session.player.SetVariable("SCRIPT", SCRIVEL_SESSION_FOLDER);
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "records.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());

  // The rows picked, from the lowest up, under the structure file's fields.
  CStringArray rows;
  CFieldArray fields;
  ASSERT_EQ(ReadPartsListFile((out / "records.lst").string().c_str(), rows, fields), TableFileRead::kRead);
  EXPECT_EQ(fields.GetSize(), 8);
  ASSERT_EQ(rows.GetSize(), 3);
  EXPECT_EQ(std::string(rows[0]), platform::Utf8ToGbk("3;垫圈 12;16"));
  EXPECT_EQ(std::string(rows[2]), platform::Utf8ToGbk("1;螺栓 M12x60;8"));

  // The parts list: its first segment from (10, 20) ends at the fold; the
  // rows from the third on go on from (200, 20).
  const CTableEntity* table = dynamic_cast<const CTableEntity*>(view.GetPartsListTable());
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->GetSegmentCount(), 2);
  EXPECT_NEAR(table->GetSegment(0).startX, 10, 1e-9);
  EXPECT_NEAR(table->GetSegment(0).endY, 44, 1e-9);
  EXPECT_EQ(table->GetSegment(1), ConstructTableSegment(200, 20, kTableOpenEnd));
  int second = 0;
  for (const auto& p : table->GetPlacedRows()) second += p.segment == 1;
  EXPECT_EQ(second, 3);
  EXPECT_EQ(view.GetUndoCount(), 9 + 12 + 1 + 1);  // lines, texts, the placed table, the fold
}
