// Parts-list data files and attributed entities for the record tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "draft/host/AttributeItems.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/tables/FieldRecord.h"
#include "draft/tables/RowText.h"
#include "draft/tables/TableFiles.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/testsupport/ScratchFolder.h"

namespace recordtest {

// The columns of the record files: number, part name, quantity, material.
inline void RecordFields(CFieldArray& fields, const char* numberName = "序号") {
  fields.RemoveAll();
  fields.Add(CFieldRecord(numberName, 1, 8, 2));
  fields.Add(CFieldRecord("零件名称", 0, 40, 2));
  fields.Add(CFieldRecord("数量", 1, 10, 2));
  fields.Add(CFieldRecord("材料", 0, 30, 2));
}

// Rows numbered `numbers`, their part named "p<n>".
inline std::vector<std::string> NumberedRows(std::initializer_list<int> numbers) {
  std::vector<std::string> rows;
  for (int n : numbers) rows.push_back(std::to_string(n) + ";p" + std::to_string(n) + ";2;Q235");
  return rows;
}

// The number column of each row.
inline std::vector<std::string> Numbers(const CStringArray& rows) {
  std::vector<std::string> out;
  CStringArray cells;
  for (INT_PTR i = 0; i < rows.GetSize(); ++i) {
    SplitRowText(rows[i], cells);
    out.push_back(cells.GetSize() ? cells[0].GetString() : "");
  }
  return out;
}

class RecordFixture : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  void SetUp() override { previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>()); }
  void TearDown() override { SetSettingsBacking(std::move(previous_)); }

  CStringA PathOf(const char* name) const { return CStringA((folder_.path() + "/" + name).c_str()); }
  // A record file of the fields and rows.
  CStringA WriteRecords(const char* name, const std::vector<std::string>& rows, const char* numberName = "序号") {
    CFieldArray fields;
    RecordFields(fields, numberName);
    CStringArray texts;
    for (const std::string& r : rows) texts.Add(r.c_str());
    const CStringA path = PathOf(name);
    EXPECT_TRUE(WritePartsListFile(path, kPartsListMagic99, fields, texts));
    return path;
  }
  std::vector<std::string> ReadNumbers(const CStringA& path) {
    CStringArray rows;
    CFieldArray fields;
    EXPECT_EQ(ReadPartsListFile(path, rows, fields), TableFileRead::kRead);
    return Numbers(rows);
  }
  void ReadRows(const CStringA& path, CStringArray& rows) {
    CFieldArray fields;
    ReadPartsListFile(path, rows, fields);
  }
  // An entity of the drawing with the attributes (name, value pairs).
  CEntity* AddPart(std::initializer_list<std::pair<const char*, const char*>> attributes) {
    CEntity* e = ConstructLineEntity(0, nullptr, 0, parts_ * 5.0, 10, parts_ * 5.0);
    ++parts_;
    for (const auto& [name, value] : attributes) AddAttributeItem(e->GetEntityAttributes(), name, "字符串", value, 1, 1);
    view->AddEntityToView(e);
    return e;
  }

  testsupport::ScratchFolder folder_;
  CSystemDataScratch system_;
  std::unique_ptr<CSettingsBacking> previous_;
  // A fresh drawing (the old one goes with everything it holds).
  void NewView() {
    viewOwner_ = std::make_unique<CDraftView>();
    view = viewOwner_.get();
  }

  std::unique_ptr<CDraftView> viewOwner_ = std::make_unique<CDraftView>();
  CDraftView* view = viewOwner_.get();
  int parts_ = 0;
};

}  // namespace recordtest
