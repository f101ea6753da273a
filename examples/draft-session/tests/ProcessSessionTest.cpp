// The shipped process session, end to end: a process card read from the file
// shipped beside the script, lengthened by two rows, generated and docked to
// the frame's corner, then one of its cells edited; a tendon graph read from
// the shipped .zbb file placed with its coordinate table, the coordinates
// saved again as a .zbb file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/TableCell.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TableRow.h"
#include "draft/host/TendonGraphEntity.h"
#include "examples/draft-session/tests/PlayedSession.h"
#include "platform/core/Charset.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/testsupport/ScratchFolder.h"

using namespace draftsession;

TEST(ProcessSession, PlacesTheProcessCardAndEditsOneOfItsCells) {
  const testsupport::ScratchFolder scratch("scrivel-process");
  PlayedSession session;
  session.player.SetVariable("OUT", scratch.path());
  session.player.SetVariable("SCRIPT", SCRIVEL_SESSION_FOLDER);
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "process.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());

  const CTableEntity* card = nullptr;
  const CTableEntity* coordinates = nullptr;
  const CTendonGraphEntity* graph = nullptr;
  for (CEntity* e : *view.GetEntityList()) {
    if (auto* t = dynamic_cast<const CTableEntity*>(e)) (t->GetTableKind() == 3 ? coordinates : card) = t;
    if (e->IsTendonGraph()) graph = static_cast<const CTendonGraphEntity*>(e);
  }
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(card->GetTableKind(), 5);
  ASSERT_EQ(card->GetRowCount(), 6);  // the header, the file's three steps, the two rows added
  double v[kMaxGeometryValues] = {};
  card->GetGeometry(v);
  EXPECT_DOUBLE_EQ(v[0], 10);  // docked to the frame's corner
  EXPECT_DOUBLE_EQ(v[1], 10);
  EXPECT_EQ(card->GetRow(4)->GetCell(1)->GetText(), platform::Utf8ToGbk("检验").c_str());  // the edited cell
  EXPECT_EQ(card->GetRow(3)->GetCell(1)->GetText(), platform::Utf8ToGbk("铣").c_str());
  // The tendon graph: two curves of three points from the file, drawn as
  // four segments, two axes and their labels, with its origin at the click.
  ASSERT_NE(graph, nullptr);
  ASSERT_EQ(graph->GetCurves().size(), 2u);
  EXPECT_EQ(graph->GetCurves()[0].second, (std::vector<double>{30, 5, 30}));
  EXPECT_EQ(graph->GetMemberCount(), 4 + 2 + 2);
  EXPECT_DOUBLE_EQ(graph->GetOrigin().x, 240);
  EXPECT_DOUBLE_EQ(graph->GetOrigin().y, 200);
  ASSERT_NE(coordinates, nullptr);
  EXPECT_EQ(coordinates->GetRowCount(), 4);  // the header and the three stations
  // "存文件" wrote the coordinates read as a .zbb file of their own.
  EXPECT_EQ(testsupport::ReadFileBytes(std::filesystem::path(scratch.path()) / "tendon.zbb"),
            testsupport::ReadFileBytes(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "data" / "tendon.zbb"));
  // The rectangle, the placed card, its cell edit, the graph and its table.
  EXPECT_EQ(view.GetUndoCount(), 5);
  const std::string shown = session.out.str();
  for (const char* part : {"  dialog \"定义为工艺表格\"\n", "  dialog \"输入行数\"\n", "  dialog \"修改单元表格\"\n",
                           "  dialog \"选择坐标轴\"\n", "  dialog \"坐标值\"\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;
}
