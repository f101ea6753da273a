// The shipped regions session, end to end: three rectangles turned into the
// cells of one table through Quorvel's table-in-region dialog.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/TableEntity.h"
#include "examples/draft-session/tests/PlayedSession.h"
#include "platform/core/Charset.h"

using namespace draftsession;

TEST(RegionsSession, FillsThreeRectanglesAsTheCellsOfOneTable) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "regions.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  std::vector<CTableEntity*> tables;
  int lines = 0;
  for (CEntity* e : *view.GetEntityList()) {
    if (e->IsTable()) tables.push_back(static_cast<CTableEntity*>(e));
    if (e->IsLine()) ++lines;
  }
  EXPECT_EQ(lines, 12);
  EXPECT_EQ(view.GetSecondList()->GetCount(), 0);  // no boundary left behind
  ASSERT_EQ(tables.size(), 1u);
  const CTableEntity& table = *tables[0];
  struct Cell {
    const char* text;  // UTF-8, as the script typed it
    double left, width;
  };
  const Cell cells[] = {{"名称", 20, 50}, {"数量", 70, 50}, {"备注", 120, 60}};
  ASSERT_EQ(table.GetRowCount(), 3);
  for (int i = 0; i < 3; ++i) {
    const CTableCell& cell = *table.GetRow(i)->GetCell(0);
    EXPECT_EQ(std::string(cell.GetText().GetString()), platform::Utf8ToGbk(cells[i].text)) << i;
    EXPECT_NEAR(cell.GetWidth(), cells[i].width, 1e-9) << i;
    EXPECT_NEAR(cell.GetTextAttrib().GetHeight(), 6.0, 1e-9) << i;
    EXPECT_NEAR(table.GetSegment(i).startX, cells[i].left, 1e-9) << i;
    EXPECT_NEAR(table.GetSegment(i).startY, 120, 1e-9) << i;
    EXPECT_NEAR(table.GetSegment(i).endY, 100, 1e-9) << i;
  }
  // The three rectangles and the table.
  EXPECT_EQ(view.GetUndoCount(), 4);
}
