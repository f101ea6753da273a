#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingFile.h"
#include "draft/host/DrawingFileReader.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/EquationCurveEntity.h"
#include "draft/host/FileExtension.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineSetEntity.h"
#include "draft/host/PointEntity.h"
#include "draft/host/ScratchDrawing.h"
#include "draft/host/TableCell.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TableRow.h"
#include "draft/host/TendonGraphEntity.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TwoPointEntity.h"
#include "draft/host/tests/FileSizeLimit.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {

// A drawing of every kind, in two groups with their own scale, origin,
// flags and items, the second one active.
void FillEveryKind(CScratchDrawing& d) {
  CGroupTable* table = d.GetGroupTable();
  CDrawingGroup* part = AddGroup(table, "零件", 2.0, 3, 1, 7, nullptr);
  part->SetOrigin(10, -5);
  part->GetItemList()->Append({"材料", "字符串", "钢 \"45\"", 1});
  CDrawingGroup* frame = AddGroup(table, "图框", 0.5, 0, 0, 0, nullptr);
  SetActiveGroup(table, frame);
  CEntityList& list = *d.GetEntityList();
  list.AddTail(ConstructLineEntity(1, part, 0, 0, 30.5, 20));
  list.AddTail(ConstructCircleEntity(2, frame, 5, 5, 2.5));
  list.AddTail(ConstructArcEntity(3, nullptr, 0, 0, 4, 30, 300));
  list.AddTail(ConstructEllipseEntity(0, nullptr, 1, 2, 6, 3, 15, 0, 180));
  list.AddTail(ConstructPointEntity(4, part, 7, 8, 3, 1.5));
  CTextAttrib attr;
  ConstructTextAttribDefault(attr, 3.5, 2, 1);
  attr.SetAngle(30);
  attr.SetFontStyle(1);
  attr.SetTrueTypeName("黑体");
  CTextEntity* text = ConstructTextEntity(5, part, "标题\\\"x\"", 1, 2, attr);
  text->SetPlacementBox(0, 0, 40, 10);
  text->SetPlacementCode(5);
  text->GetEntityAttributes()->Append({"代号", "字符型", "A-1", 0});
  list.AddTail(text);
  CTwoPointEntity* two = ConstructTwoPointEntity(1, nullptr, 2, 0.5);
  two->SetEndPoints(0, 0, 10, 0, 1);
  two->AddSegment(0, 0, 4, 1);
  two->AddSegment(4, 1, 10, 0);
  list.AddTail(two);
  CBlockEntity* block = ConstructBlockEntity(0, part);
  block->AddMember(ConstructLineEntity(0, part, 1, 1, 2, 2));
  CBlockEntity* inner = ConstructBlockEntity(6, nullptr);
  inner->AddMember(ConstructCircleEntity(6, nullptr, 0, 0, 1));
  block->AddMember(inner);
  list.AddTail(block);
  CCurveEntity* curve = ConstructCurveEntity(0, nullptr, 1);
  curve->AddFitPoint(0, 0);
  curve->AddFitPoint(5, 5);
  curve->AddCurveSegment(0, 0, 5, 5, 1);
  list.AddTail(curve);
  CLineSetEntity* set = ConstructLineSetEntity(2, nullptr);
  set->AddSegment(0, 0, 1, 0);
  list.AddTail(set);
  CEquationCurveEntity* eq = ConstructEquationCurveEntity(1, nullptr);
  CStringArrayA record;
  for (const char* f : {"玫瑰线", "", "45*sin(4*t)", "t", "0", "360", "4", "1", "1"}) record.Add(f);
  eq->SetRecord(record);
  eq->SetOrigin(100, 100);
  eq->AddCurveSegment(100, 100, 101, 101, 1);
  list.AddTail(eq);
  CTendonGraphEntity* tendon = ConstructTendonGraphEntity(0, nullptr, "");
  tendon->GetColumnNames().push_back("X");
  tendon->GetColumnWidths().push_back(12);
  tendon->GetCurves().push_back({{0, 1}, {2, 3}});
  tendon->SetOrigin({3, 4});
  tendon->AddSegment(0, 0, 1, 1);
  list.AddTail(tendon);
  CTableEntity* tableEntity = ConstructTableEntity(0, nullptr);
  tableEntity->SetTableName("明细表");
  CTableRow* row = ConstructTableRow(1);
  AddRowCell(row, ConstructTableCell("序号", 10, 7, 1));
  AddRowCell(row, ConstructTableCell("名称", 30, 7, 0));
  tableEntity->AddRow(row);
  tableEntity->AddSegment(ConstructTableSegment(0, 0, kTableOpenEnd));
  tableEntity->Recalc();
  list.AddTail(tableEntity);
}

std::string SaveAndRead(CScratchDrawing& d, const std::string& path, CScratchDrawing& back) {
  EXPECT_TRUE(d.SaveDrawingFile(path.c_str(), 1, 0, 1, 12.5, -3, 1));
  std::string error;
  EXPECT_TRUE(ReadDrawingFile(path.c_str(), back, &error)) << error;
  return error;
}

}  // namespace

TEST(DrawingFileReader, ReadsBackEverythingASavedDrawingHolds) {
  const testsupport::ScratchFolder scratch("drawing-reader");
  CScratchDrawing d;
  FillEveryKind(d);
  CScratchDrawing back;
  SaveAndRead(d, scratch.path() + "/every.gdf", back);
  // The file holds everything it says: what was read writes the same text.
  EXPECT_EQ(FormatSavedDrawing(back), FormatSavedDrawing(d));
  EXPECT_EQ(back.GetEntityList()->GetCount(), d.GetEntityList()->GetCount());

  const DrawingFileHeader& h = back.GetHeader();
  EXPECT_EQ(h.flags[0], 1);
  EXPECT_EQ(h.flags[1], 0);
  EXPECT_EQ(h.flags[2], 1);
  EXPECT_EQ(h.baseX, 12.5);
  EXPECT_EQ(h.baseY, -3);
  EXPECT_EQ(h.baseFlag, 1);
  CDrawingGroup* part = back.GetGroupTable()->FindGroup("零件");
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(part->GetGroupScale(), 2.0);
  EXPECT_EQ(part->GetOriginX(), 10);
  EXPECT_EQ(part->GetOriginY(), -5);
  EXPECT_EQ(GetGroupFlagA(part), 3);
  EXPECT_EQ(IsGroupPickedWhole(part), TRUE);
  EXPECT_EQ(GetGroupFlagC(part), 7);
  ASSERT_NE(part->GetItemList()->Find("材料"), nullptr);
  EXPECT_EQ(part->GetItemList()->Find("材料")->value, "钢 \"45\"");
  EXPECT_EQ(back.GetGroupTable()->GetActiveGroup(), back.GetGroupTable()->FindGroup("图框"));

  // Entities come back in their groups, shown where they were.
  CEntity* line = back.GetEntityList()->GetHead();
  EXPECT_EQ(line->GetEntityGroup(), part);
  double v[kMaxGeometryValues];
  ASSERT_EQ(line->GetGeometry(v), 4);
  EXPECT_DOUBLE_EQ(v[2], 30.5);
  CEntity* text = back.GetEntityList()->GetAt(back.GetEntityList()->FindIndex(5));
  ASSERT_TRUE(text->IsText());
  EXPECT_TRUE(static_cast<CTextEntity*>(text)->GetTextAttrib() ==
              static_cast<CTextEntity*>(d.GetEntityList()->GetAt(d.GetEntityList()->FindIndex(5)))->GetTextAttrib());
}

TEST(DrawingFileReader, ReadsTheViewsDrawingFile) {
  CDraftView view;
  CDrawingGroup* g = view.GetGroupTable()->AddGroup("零件", 2.0, 1.0, -1.5);
  view.AddEntityToView(ConstructLineEntity(0, g, 11, 20, 31, 40));
  CTextAttrib attr;
  view.AddEntityToView(ConstructTextEntity(5, nullptr, "标题", 10, 20, attr));
  CScratchDrawing back;
  std::string error;
  ASSERT_TRUE(ParseDrawingFile(FormatDrawingFile(view), back, &error)) << error;
  ASSERT_EQ(back.GetEntityList()->GetCount(), 2);
  EXPECT_EQ(back.GetEntityList()->GetHead()->GetEntityGroup(), back.GetGroupTable()->FindGroup("零件"));
  EXPECT_EQ(back.GetHeader().baseFlag, 0);
}

TEST(DrawingFileReader, RefusesMalformedFilesWithTheLine) {
  const std::string head = "scrivel-drawing 1\n";
  std::string deep = head;
  for (int i = 0; i <= kMaxDrawingFileDepth + 1; ++i) deep += "block 0 - {\n";
  const struct {
    std::string text;
    const char* error;
  } cases[] = {
      {"", "line 1: the first line missing"},
      {"scrivel-drawing 2\n", "line 1: not a drawing file"},
      {head + "spline 0 - 1 2\n", "line 2: unknown entity kind \"spline\""},
      {head + "line 0 - 1 2 3\n", "line 2: an end point missing"},
      {head + "line 0 - 1 2 3 x\n", "line 2: an end point expected, \"x\" found"},
      {head + "line 0 - 1 2 3 1e999\n", "line 2: an end point expected"},
      {head + "line 100 - 1 2 3 4\n", "line 2: the layer 100 outside 0..99"},
      {head + "line 0 - 1 2 3 4 5\n", "line 2: unexpected \"5\""},
      {head + "line 0 \"无\" 1 2 3 4\n", "line 2: no group named"},
      {head + "circle 0 - 1 2 -3\n", "line 2: the radius must be above 0"},
      {head + "text 0 - 1 2 \"abc\n", "line 2: a text has no closing quote"},
      {head + "block 0 - {\n  line 0 - 1 2 3 4\n", "line 4: the block's closing brace missing"},
      {head + "block 0 -\n", "line 2: \"{\" expected"},
      {head + "group \"a\" 1 0 0\ngroup \"a\" 1 0 0\n", "line 3: the group is named twice"},
      {head + "active \"a\"\n", "line 2: no group named"},
      {head + "curve 0 - open fit 1000000000 1 2 {\n}\n", "line 2: a fit point expected, \"{\" found"},
      {head + "table 0 - 0 0 1 1 \"t\" 0 0 1 1 0 0 {\n    cell \"x\" 0 1 1 0\n}\n", "line 3: a cell before the first row"},
      {head + "saved 1 0 1 base 0 0 2\n", "line 2: the base-point flag 2 outside 0..1"},
      {deep, "blocks nest deeper than 64"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CScratchDrawing d;
    d.GetEntityList()->AddTail(ConstructLineEntity(0, nullptr, 0, 0, 1, 1));  // emptied on failure too
    std::string error;
    EXPECT_FALSE(ParseDrawingFile(c.text, d, &error));
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
    EXPECT_TRUE(d.GetEntityList()->IsEmpty());
    EXPECT_EQ(d.GetGroupTable()->GetCount(), 0);
  }
}

TEST(DrawingFileReader, EveryTruncationReadsOrFailsCleanly) {
  CScratchDrawing d;
  FillEveryKind(d);
  const std::string text = FormatSavedDrawing(d);
  for (size_t n = 0; n < text.size(); ++n) {
    CScratchDrawing back;
    std::string error;
    if (!ParseDrawingFile(std::string_view(text).substr(0, n), back, &error)) {
      EXPECT_EQ(error.rfind("line ", 0), 0U) << n;
      EXPECT_TRUE(back.GetEntityList()->IsEmpty());
    }
  }
}

TEST(DrawingFileReader, MissingFileIsAnError) {
  const testsupport::ScratchFolder scratch("drawing-reader");
  CScratchDrawing d;
  std::string error;
  EXPECT_FALSE(ReadDrawingFile((scratch.path() + "/none.gdf").c_str(), d, &error));
  EXPECT_NE(error.find("cannot read"), std::string::npos);
}

class SaveDrawingFileTest : public ::testing::Test, public drafttest::MessageBoxAnswers {};

TEST_F(SaveDrawingFileTest, AFailedWriteKeepsTheOldFileAndSaysSo) {
  const testsupport::ScratchFolder scratch("drawing-save");
  const std::string path = scratch.path() + "/old.gdf";
  CScratchDrawing small;
  small.GetEntityList()->AddTail(ConstructLineEntity(0, nullptr, 0, 0, 1, 1));
  ASSERT_TRUE(small.SaveDrawingFile(path.c_str(), 1, 0, 1, 0, 0, 1));
  const std::string before = testsupport::ReadFileBytes(path);
  CScratchDrawing large;
  FillEveryKind(large);
  {
    drafttest::ScopedFileSizeLimit limit(before.size() + 10);
    EXPECT_FALSE(large.SaveDrawingFile(path.c_str(), 1, 1, 1, 0, 0, 0));
  }
  EXPECT_EQ(testsupport::ReadFileBytes(path), before);
  ASSERT_EQ(boxes.size(), 1U);
  EXPECT_EQ(boxes[0].Find(CStringA("不能写文件 ") + path.c_str()), 0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.path()), {}), 1);
}

TEST(GroupFlags, AddGroupWithFlagsReturnsAKnownNameUnchanged) {
  CGroupTable table;
  CDrawingGroup* g = AddGroup(&table, "A", 2.0, 5, 1, 9, nullptr);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(GetGroupFlagA(g), 5);
  EXPECT_EQ(IsGroupPickedWhole(g), TRUE);
  EXPECT_EQ(GetGroupFlagC(g), 9);
  EXPECT_EQ(AddGroup(&table, "A", 3.0, 0, 0, 0, nullptr), g);
  EXPECT_EQ(g->GetGroupScale(), 2.0);
  EXPECT_EQ(GetGroupFlagA(g), 5);
  EXPECT_EQ(AddGroup(&table, "", 1.0, 0, 0, 0, nullptr), nullptr);
  EXPECT_EQ(AddGroup(nullptr, "B", 1.0, 0, 0, 0, nullptr), nullptr);
  EXPECT_EQ(GetGroupFlagA(nullptr), 0);
  EXPECT_EQ(table.GetCount(), 1);
}

TEST(FileExtension, AddsTheTypesExtensionToANameWithout) {
  const struct {
    const char* path;
    const char* name;
    const char* result;
  } cases[] = {
      {"a", "", "a.gdf"},
      {"d:\\blocks\\a", "", "d:\\blocks\\a.gdf"},
      {"/tmp/x.y/a", nullptr, "/tmp/x.y/a.gdf"},
      {"a.btl", "", "a.btl"},
      {"a.GDF", "", "a.GDF"},
      {"d:\\blocks\\", "", "d:\\blocks\\"},
      {"d:\\blocks\\", "新块", "d:\\blocks\\新块.gdf"},
      {"", "", ""},
      {".gdf", "", ".gdf.gdf"},
  };
  for (const auto& c : cases) {
    CString path = c.path;
    EXPECT_EQ(EnsureFileExtension(path, c.name, "gdf"), CString(c.result) == c.path ? FALSE : TRUE) << c.path;
    EXPECT_EQ(path, c.result) << c.path;
  }
}
