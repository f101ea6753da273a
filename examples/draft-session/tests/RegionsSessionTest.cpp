// The shipped regions session, end to end: three rectangles turned into the
// cells of one table through Quorvel's table-in-region dialog, and the
// characters of a text filled with hatch lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TextOutlines.h"
#include "examples/draft-session/tests/PlayedSession.h"
#include "platform/core/Charset.h"

using namespace draftsession;

TEST(RegionsSession, FillsThreeRectanglesAsTheCellsOfOneTableAndATextsCharacters) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "regions.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  std::vector<CTableEntity*> tables;
  std::vector<CBlockEntity*> fills;
  CEntity* text = nullptr;
  int lines = 0;
  for (CEntity* e : *view.GetEntityList()) {
    if (e->IsTable()) tables.push_back(static_cast<CTableEntity*>(e));
    if (e->GetKind() == EntityKind::kBlock) fills.push_back(static_cast<CBlockEntity*>(e));
    if (e->IsText()) text = e;
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
  // One fill per outline of the text's characters, hatch lines in those
  // that are no hole, each line inside the text's box.
  ASSERT_NE(text, nullptr);
  std::vector<CEntityList*> outlines;
  const int outlineCount = GetBoundaryList(text, outlines);
  FreeBoundaryLists(outlines);
  EXPECT_GT(outlineCount, 2);
  EXPECT_EQ(static_cast<int>(fills.size()), outlineCount);
  int hatched = 0;
  for (const CBlockEntity* fill : fills) {
    if (fill->GetMemberCount() > 0) ++hatched;
    for (int i = 0; i < fill->GetMemberCount(); ++i) {
      double v[kMaxGeometryValues];
      ASSERT_EQ(fill->GetMember(i)->GetGeometry(v), 4);
      for (int k = 0; k < 4; k += 2) {
        EXPECT_GE(v[k], 39.0);
        EXPECT_LE(v[k], 102.0);
        EXPECT_GE(v[k + 1], 28.0);
        EXPECT_LE(v[k + 1], 62.0);
      }
    }
  }
  EXPECT_GE(hatched, 2);
  // The three rectangles, the table, the text and its fills.
  EXPECT_EQ(view.GetUndoCount(), 6);
}
