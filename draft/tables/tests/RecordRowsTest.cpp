// The record operations over the rows of a parts-list file: insertion with
// renumbering, deletion with renumbering, adding and filling, the records
// built from entity attributes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "draft/host/LineEntity.h"
#include "draft/tables/RecordRows.h"
#include "draft/tables/RowText.h"
#include "draft/tables/tests/RecordTestSupport.h"

using recordtest::Numbers;

namespace {

struct RowsCase {
  const char* name;
  std::vector<int> rows;
  int mode;  // 1 insert, 2 delete, 3 add
  int first, last;
  BOOL changed;
  std::vector<std::string> numbers;
  std::vector<std::string> parts;  // the part names in row order
};

void RowsOf(const std::vector<int>& numbers, CStringArray& rows) {
  rows.RemoveAll();
  for (int n : numbers) rows.Add(CStringA((std::to_string(n) + ";p" + std::to_string(n) + ";2;Q235").c_str()));
}

std::vector<std::string> Column(const CStringArray& rows, int column) {
  std::vector<std::string> out;
  CStringArray cells;
  for (INT_PTR i = 0; i < rows.GetSize(); ++i) {
    SplitRowText(rows[i], cells);
    out.push_back(column < cells.GetSize() ? cells[column].GetString() : "");
  }
  return out;
}

}  // namespace

TEST(RecordRowsTest, RangesInsertDeleteAndAddWithTheirRenumbering) {
  const RowsCase cases[] = {
      {"insert 3..4 into 1..5", {1, 2, 3, 4, 5}, 1, 3, 4, TRUE,
       {"1", "2", "3", "4", "5", "6", "7"}, {"p1", "p2", "new", "new", "p3", "p4", "p5"}},
      {"insert without a number of the range", {1, 2}, 1, 5, 6, FALSE, {"1", "2"}, {"p1", "p2"}},
      {"delete 3..5 of 1..8", {1, 2, 3, 4, 5, 6, 7, 8}, 2, 3, 5, TRUE,
       {"1", "2", "3", "4", "5"}, {"p1", "p2", "p6", "p7", "p8"}},
      {"delete 3..9 of 1..8", {1, 2, 3, 4, 5, 6, 7, 8}, 2, 3, 9, TRUE, {"1", "2"}, {"p1", "p2"}},
      {"add 2..4 to 1, 3, 5", {1, 3, 5}, 3, 2, 4, TRUE,
       {"1", "2", "3", "4", "5"}, {"p1", "new", "p3", "new", "p5"}},
  };
  CEntity* part = ConstructLineEntity(0, nullptr, 0, 0, 1, 0);
  AddAttributeItem(part->GetEntityAttributes(), "零件名称", "字符串", "new", 1, 1);
  std::unique_ptr<CEntity> owner(part);
  CFieldArray fields;
  recordtest::RecordFields(fields);
  for (const RowsCase& c : cases) {
    SCOPED_TRACE(c.name);
    CStringArray rows;
    RowsOf(c.rows, rows);
    CRecordRows records(rows, fields, 0, {part});
    BOOL changed = FALSE;
    if (c.mode == 1) changed = records.InsertNumbers(c.first, c.last);
    if (c.mode == 2) changed = records.DeleteNumbers(c.first, c.last);
    if (c.mode == 3) changed = records.AddNumbers(c.first, c.last);
    EXPECT_EQ(changed, c.changed);
    EXPECT_EQ(Numbers(rows), c.numbers);
    EXPECT_EQ(Column(rows, 1), c.parts);
  }
}

TEST(RecordRowsTest, RecordsTakeTheirEntitiesAttributes) {
  CFieldArray fields;
  recordtest::RecordFields(fields);
  std::vector<std::unique_ptr<CEntity>> owned;
  auto part = [&](std::initializer_list<std::pair<const char*, const char*>> attributes) {
    owned.emplace_back(ConstructLineEntity(0, nullptr, 0, 0, 1, 0));
    for (const auto& [n, v] : attributes) AddAttributeItem(owned.back()->GetEntityAttributes(), n, "字符串", v, 1, 1);
    return owned.back().get();
  };
  const struct {
    const char* name;
    const CEntity* entity;
    std::vector<std::string> cells;
  } cases[] = {
      {"quantity 0 is 1", part({{"零件名称", "轴"}, {"数量", "0"}}), {"7", "轴", "1", " "}},
      {"quantity 32 is 1", part({{"零件名称", "轴"}, {"数量", "32"}}), {"7", "轴", "1", " "}},
      {"quantity 4 stays", part({{"数量", "4"}, {"材料", "45"}}), {"7", " ", "4", "45"}},
      {"名称 stands in for 零件名称", part({{"名称", "盖"}}), {"7", "盖", "1", " "}},
      {"a ';' survives the row text", part({{"零件名称", "a;b"}, {"材料", "x;"}}), {"7", "a;b", "1", "x;"}},
      {"no entity", nullptr, {"7", " ", "1", " "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CStringArray rows;
    CRecordRows records(rows, fields, 0, {});
    CStringArray cells;
    SplitRowText(records.BuildRecordText(7, c.entity), cells);
    std::vector<std::string> got;
    for (INT_PTR i = 0; i < cells.GetSize(); ++i) got.push_back(cells[i].GetString());
    EXPECT_EQ(got, c.cells);
  }
}

TEST(RecordRowsTest, TheLastEntityServesTheRestOfTheRange) {
  CFieldArray fields;
  recordtest::RecordFields(fields);
  std::unique_ptr<CEntity> a(ConstructLineEntity(0, nullptr, 0, 0, 1, 0)), b(ConstructLineEntity(0, nullptr, 0, 0, 1, 0));
  AddAttributeItem(a->GetEntityAttributes(), "零件名称", "字符串", "A", 1, 1);
  AddAttributeItem(b->GetEntityAttributes(), "零件名称", "字符串", "B", 1, 1);
  CStringArray rows;
  CRecordRows records(rows, fields, 0, {a.get(), b.get()});
  records.AppendNumbers(1, 4);
  EXPECT_EQ(Column(rows, 1), (std::vector<std::string>{"A", "B", "B", "B"}));
  CStringArray gone;
  gone.Add("2");
  records.DeleteValues(gone);
  EXPECT_EQ(Numbers(rows), (std::vector<std::string>{"1", "3", "4"}));
}
