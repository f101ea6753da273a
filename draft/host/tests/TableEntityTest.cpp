#include <gtest/gtest.h>

#include <memory>

#include "draft/host/CellText.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingFile.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/TableEntity.h"
#include "platform/core/Charset.h"

namespace {
// A table of a header row (height 10) and `rows` data rows (height 5), two
// columns 20 and 30 wide.
std::unique_ptr<CTableEntity> MakeTable(int rows, int direction) {
  std::unique_ptr<CTableEntity> t(ConstructTableEntity(1, nullptr));
  t->SetDirection(direction);
  CTableRow* header = ConstructTableRow(0);
  AddRowCell(header, ConstructTableCell("序号", 20, 10, 2));
  AddRowCell(header, ConstructTableCell("名称", 30, 10, 2));
  t->AddRow(header);
  for (int i = 0; i < rows; ++i) {
    CTableRow* row = ConstructTableRow(1);
    AddRowCell(row, ConstructTableCell(std::to_string(i + 1).c_str(), 20, 5, 1));
    AddRowCell(row, ConstructTableCell("x", 30, 5, 3));
    t->AddRow(row);
  }
  return t;
}

// The near edge (y) of each laid-out row, with its segment.
std::vector<std::pair<int, double>> RowEdges(const CTableEntity& t) {
  std::vector<std::pair<int, double>> out;
  for (const auto& p : t.GetPlacedRows()) out.push_back({p.segment, p.y});
  return out;
}
}  // namespace

TEST(TableEntity, SizeAndRowStepsComeFromTheCells) {
  auto t = MakeTable(3, 0);
  double w = 0, h = 0;
  GetTableSize(t.get(), w, h);
  EXPECT_DOUBLE_EQ(w, 50);
  EXPECT_DOUBLE_EQ(h, 25);
  double a = 0, b = 0;
  GetRowPosition(t.get(), t->GetRow(0), a, b);
  EXPECT_DOUBLE_EQ(a, 50);
  EXPECT_DOUBLE_EQ(b, 10);
  t->SetHeaderShown(0);  // a hidden header takes no room
  GetTableSize(t.get(), w, h);
  EXPECT_DOUBLE_EQ(h, 15);
}

TEST(TableEntity, RowsStackInTheGrowthDirection) {
  struct Case {
    int direction;
    std::vector<double> edges;
  };
  for (const Case& c : {Case{0, {100, 90, 85, 80}}, Case{1, {100, 110, 115, 120}}, Case{2, {100, 110, 115, 120}}}) {
    auto t = MakeTable(3, c.direction);
    t->AddSegment(ConstructTableSegment(10, 100, kTableOpenEnd));
    RecalcTable(t.get());
    std::vector<double> edges;
    for (const auto& e : RowEdges(*t)) edges.push_back(e.second);
    EXPECT_EQ(edges, c.edges) << "direction " << c.direction;
    double v[kMaxGeometryValues];
    ASSERT_EQ(t->GetGeometry(v), 4);
    EXPECT_DOUBLE_EQ(v[0], 10);
    EXPECT_DOUBLE_EQ(v[1], 100);
  }
}

TEST(TableEntity, SegmentsTakeRowsUpToTheirEnd) {
  auto t = MakeTable(4, 0);
  t->AddSegment(ConstructTableSegment(0, 100, 85));  // header and one row fit (far edge 85)
  t->AddSegment(ConstructTableSegment(60, 100, kTableOpenEnd));
  RecalcTable(t.get());
  const std::vector<std::pair<int, double>> want{{0, 100}, {0, 90}, {1, 100}, {1, 95}, {1, 90}};
  EXPECT_EQ(RowEdges(*t), want);
  EXPECT_EQ(t->FindSegment(10, 87), 0);
  EXPECT_EQ(t->FindSegment(70, 92), 1);
  EXPECT_EQ(t->FindSegment(55, 92), -1);  // between the two parts

  t->SetRepeatHeader(1);  // the second part starts with the header again
  RecalcTable(t.get());
  const std::vector<std::pair<int, double>> repeated{{0, 100}, {0, 90}, {1, 100}, {1, 90}, {1, 85}, {1, 80}};
  EXPECT_EQ(RowEdges(*t), repeated);
  EXPECT_EQ(t->GetPlacedRows()[2].row, 0);
}

TEST(TableEntity, PlaceTableCutsAtTheWrapHeightAndGoesOn) {
  auto t = MakeTable(4, 0);
  int remaining = t->GetRowsToPlace();
  EXPECT_EQ(remaining, 5);
  EXPECT_FALSE(PlaceTable(t.get(), 0, 100, &remaining, 82));  // 100 → 90 → 85 → 80 passes 82
  EXPECT_EQ(remaining, 3);
  EXPECT_EQ(t->GetRowsToPlace(), 3);
  ASSERT_EQ(t->GetSegmentCount(), 1);
  EXPECT_DOUBLE_EQ(t->GetSegment(0).endY, 85);

  EXPECT_FALSE(PlaceTable(t.get(), 60, 100, &remaining, 99));  // too low for any row: one is still taken
  EXPECT_EQ(remaining, 2);
  EXPECT_TRUE(PlaceTable(t.get(), 120, 100, &remaining, 1e300));
  EXPECT_EQ(remaining, 0);
  ASSERT_EQ(t->GetSegmentCount(), 3);
  EXPECT_TRUE(t->GetSegment(2).IsOpen());
  const std::vector<std::pair<int, double>> want{{0, 100}, {0, 90}, {1, 100}, {2, 100}, {2, 95}};
  EXPECT_EQ(RowEdges(*t), want);

  remaining = t->GetCountedRowCount();  // all rows again: placed afresh
  EXPECT_TRUE(PlaceTable(t.get(), 0, 0, &remaining, 1e300));
  EXPECT_EQ(t->GetSegmentCount(), 1);

  auto up = MakeTable(2, 1);  // upward: the wrap is above the start
  remaining = up->GetRowsToPlace();
  EXPECT_FALSE(PlaceTable(up.get(), 0, 0, &remaining, 12));
  EXPECT_EQ(remaining, 2);
}

TEST(TableEntity, DrawsOutlineGridAndTextsAndIsPickedAsATable) {
  auto t = MakeTable(1, 0);
  t->AddSegment(ConstructTableSegment(0, 100, kTableOpenEnd));
  RecalcTable(t.get());
  ShapePieces grid;
  t->GetPieces(grid);
  t->SetGridShown(0);
  RecalcTable(t.get());
  ShapePieces outline;
  t->GetPieces(outline);
  EXPECT_LT(outline.size(), grid.size());
  // Four texts each give their point: the header's two and the row's two.
  int points = 0;
  for (const ShapePiece& p : outline) points += p.kind == ShapePiece::kPoint;
  EXPECT_EQ(points, 4);
  double x0, y0, x1, y1;
  ASSERT_TRUE(t->GetExtents(x0, y0, x1, y1));
  EXPECT_DOUBLE_EQ(x0, 0);
  EXPECT_DOUBLE_EQ(y0, 85);
  EXPECT_DOUBLE_EQ(x1, 50);
  EXPECT_DOUBLE_EQ(y1, 100);

  CDraftView view;
  CTableEntity* raw = t.release();
  view.AddEntityToView(raw);
  CEntityList picked;
  EXPECT_TRUE(view.PickEntitiesAtPoint(0, 95, picked, 0, 1, 0, 0, kPickTable, -1));
  ASSERT_EQ(picked.GetCount(), 1);
  EXPECT_TRUE(picked.GetHead()->IsTable());
  picked.RemoveAll();
  EXPECT_FALSE(view.PickEntitiesAtPoint(0, 95, picked, 0, 1, 0, 0, kPickLine, -1));
  raw->SetTableKind(1);
  EXPECT_EQ(view.GetPartsListTable(), raw);
}

TEST(TableEntity, CloneIsDeepAndTransformMovesAndScales) {
  auto t = MakeTable(2, 0);
  t->SetTableName("a.lst");
  t->AddSegment(ConstructTableSegment(0, 100, 85));
  t->AddSegment(ConstructTableSegment(60, 100, kTableOpenEnd));
  RecalcTable(t.get());
  std::unique_ptr<CEntity> copy(t->Clone());
  auto* c = static_cast<CTableEntity*>(copy.get());
  c->GetRow(1)->GetCell(0)->SetText("changed");
  EXPECT_STREQ(t->GetRow(1)->GetCell(0)->GetText(), "1");
  EXPECT_EQ(c->GetTableName(), "a.lst");

  ASSERT_EQ(c->Transform(5, -5, 0, 100, 2.0, 0.0, 0), c);
  EXPECT_DOUBLE_EQ(c->GetSegment(0).startX, 5);
  EXPECT_DOUBLE_EQ(c->GetSegment(0).startY, 95);
  EXPECT_DOUBLE_EQ(c->GetSegment(0).endY, 65);  // 15 below its start, doubled
  EXPECT_DOUBLE_EQ(c->GetSegment(1).startX, 125);
  EXPECT_TRUE(c->GetSegment(1).IsOpen());
  EXPECT_DOUBLE_EQ(c->GetRow(1)->GetCell(1)->GetWidth(), 60);
  EXPECT_DOUBLE_EQ(c->GetRow(1)->GetCell(1)->GetTextAttrib().GetHeight(), 10);
  EXPECT_EQ(c->GetPlacedRows().size(), t->GetPlacedRows().size());  // the same rows in each part
}

TEST(TableEntity, GroupCoordinatesShowThroughTheGroup) {
  CDrawingGroup g("g", 2.0, 0.0, 0.0);
  std::unique_ptr<CTableEntity> t(ConstructTableEntity(1, &g));
  CTableRow* row = ConstructTableRow(1);
  AddRowCell(row, ConstructTableCell("a", 10, 5, 2));
  t->AddRow(row);
  t->AddSegment(ConstructTableSegment(10, 10, kTableOpenEnd));
  RecalcTable(t.get());
  double v[kMaxGeometryValues];
  t->GetGeometry(v);
  EXPECT_DOUBLE_EQ(v[0], 20);
  EXPECT_DOUBLE_EQ(v[2], 20);
  t->SetEntityGroup(nullptr);  // keeps where it is shown
  t->GetGeometry(v);
  EXPECT_DOUBLE_EQ(v[0], 20);
  EXPECT_DOUBLE_EQ(v[2], 20);
  EXPECT_DOUBLE_EQ(t->GetSegment(0).startX, 20);
}

TEST(TableEntity, IsWrittenInTheDrawingFile) {
  CDraftView view;
  auto t = MakeTable(1, 1);
  t->SetTableName("明细");
  t->SetTableKind(1);
  t->AddSegment(ConstructTableSegment(0, 0, kTableOpenEnd));
  t->GetRow(1)->GetCell(1)->SetDittoCode(4);
  view.AddEntityToView(t.release());
  const std::string text = FormatDrawingFile(view);
  EXPECT_NE(text.find("table 1 - 0 0 50 15 \"" + platform::GbkToUtf8("明细") + "\" 1 1 1 1 0 1 {\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("  segment 0 0 open\n  row 0 1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("    cell \"x\" 4 30 5 3\n}\n"), std::string::npos) << text;
}

TEST(CellText, CodesBecomeSymbolsAndBack) {
  struct Case {
    const char* typed;
    const char* stored;
  };
  for (const Case& c : {Case{"%%c20", "Φ20"}, Case{"45%%D", "45°"}, Case{"%%P0.1", "±0.1"}, Case{"50%", "50%"},
                        Case{"%%x", "%%x"}, Case{"钢%%c", "钢Φ"}, Case{"", ""}}) {
    EXPECT_STREQ(ConvertCellTextToStored(c.typed), c.stored) << c.typed;
    CStringA back = ConvertStoredToCellText(c.stored);
    back.MakeLower();
    CStringA typed = c.typed;
    typed.MakeLower();
    EXPECT_EQ(back, typed) << c.typed;
  }
}
