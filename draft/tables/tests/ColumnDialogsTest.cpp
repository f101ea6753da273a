// The column definition and column relation dialogs, run from this
// library's templates with the modal driver acting as the user, over a
// scratch copy of the system data folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/SystemFiles.h"
#include "draft/tables/ColumnRelationDlg.h"
#include "draft/tables/FieldDefDlg.h"
#include "draft/tables/tests/GridTestSupport.h"
#include "platform/core/PathResolve.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/ui/ModalDriver.h"

using gridtest::GridTest;
using gridtest::Load;

namespace {

// The bytes of the file at a GBK path.
std::string ReadGbkPathBytes(const char* gbkPath) { return testsupport::ReadFileBytes(platform::ResolvePath(gbkPath)); }

void WriteBytes(const char* gbkPath, const std::string& bytes) {
  testsupport::WriteFileBytes(platform::ResolvePath(gbkPath), bytes);
}

class ColumnDialogsTest : public GridTest {
 protected:
  CSystemDataScratch scratch;
};

}  // namespace

TEST(FieldDefDlg, AColumnNameProposesItsType) {
  struct Case {
    const char* name;
    int type;
  };
  const Case cases[] = {
      {"编号", kFieldInteger},     {"零件编号", kFieldChar},     {"序号", kFieldInteger},  {"总数量", kFieldInteger},
      {"单位重(kg)", kFieldDouble}, {"总重", kFieldDouble},      {"总长(m)", kFieldDouble}, {"单件", kFieldDouble},
      {"总计", kFieldDouble},       {"出厂日期", kFieldDate},     {"材料", kFieldChar},     {"", kFieldChar},
  };
  for (const Case& c : cases) EXPECT_EQ(CFieldDefDlg::ProposeType(c.name), c.type) << c.name;
}

TEST_F(ColumnDialogsTest, TheFieldDialogListsTheSystemNamesAndWidthsAndDefinesAColumn) {
  Load(owner, {"序号", "名称"}, {"1;a", "2;b"});
  owner.grid.SetCurrentCell(-1, 0);
  EXPECT_FALSE(owner.grid.InsertColumnDialog(owner.structure, undo));
  EXPECT_FALSE(owner.grid.ModifyColumnDialog(owner.structure, undo));
  EXPECT_EQ(boxes, (std::vector<CStringA>{"请选择插入位置!", "请选择修改字段!"}));

  owner.grid.SetCurrentCell(1, 0);
  std::vector<CStringA> names, widths;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    EXPECT_EQ(CStringA(s.Caption()), "插入字段");
    auto* names_ = static_cast<CComboBox*>(s.Window().GetDlgItem(CFieldDefDlg::kNameCombo));
    auto* widths_ = static_cast<CComboBox*>(s.Window().GetDlgItem(CFieldDefDlg::kWidthCombo));
    CStringA t;
    for (int i = 0; i < names_->GetCount(); ++i) names.push_back((names_->GetLBText(i, t), t));
    for (int i = 0; i < widths_->GetCount(); ++i) widths.push_back((widths_->GetLBText(i, t), t));
    EXPECT_EQ(CStringA(s.Text(CFieldDefDlg::kWidthCombo)), "20");
    // Choosing "数量" proposes the integer type.
    int quantity = -1;
    for (size_t i = 0; i < names.size(); ++i)
      if (names[i] == "数量") quantity = static_cast<int>(i);
    ASSERT_GE(quantity, 0);
    EXPECT_TRUE(s.Choose(CFieldDefDlg::kNameCombo, quantity));
    EXPECT_EQ(static_cast<CComboBox*>(s.Window().GetDlgItem(CFieldDefDlg::kTypeCombo))->GetCurSel(), kFieldInteger);
    EXPECT_TRUE(s.Choose(CFieldDefDlg::kAlignmentCombo, 3));
    EXPECT_TRUE(s.EnterText(CFieldDefDlg::kWidthCombo, CStringA("12.5")));
    EXPECT_TRUE(s.Click(IDOK));
  });
  ASSERT_TRUE(owner.grid.InsertColumnDialog(owner.structure, undo));
  // The lists hold the entries of the system files, comments left out.
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.front(), "编号");
  EXPECT_EQ(widths.front(), "8");
  for (const CStringA& n : names) EXPECT_NE(n.Find(';'), 0);

  ASSERT_EQ(owner.structure.GetSize(), 3);
  EXPECT_EQ(owner.structure[1], CFieldRecord("数量", kFieldInteger, 12.5, kAlignRight));
  EXPECT_EQ(owner.grid.GetColumnCount(), 3);
  EXPECT_EQ(owner.grid.GetCellText(1, 2), "b");
  ASSERT_EQ(undo.GetCount(), 1);
  EXPECT_EQ(undo.GetTail()->kind, CPartsListRow::kInsertColumn);
  EXPECT_EQ(undo.GetTail()->column, 1);
}

TEST_F(ColumnDialogsTest, TheFieldDialogModifiesTheCurrentColumnAndKeepsTheOldField) {
  Load(owner, {"序号", "名称"}, {"1;a"});
  owner.structure[1] = CFieldRecord("名称", kFieldChar, 44, kAlignLeft);
  owner.grid.SetCurrentCell(0, 1);
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    EXPECT_EQ(CStringA(s.Caption()), "修改字段");
    EXPECT_EQ(CStringA(s.Text(CFieldDefDlg::kNameCombo)), "名称");
    EXPECT_EQ(CStringA(s.Text(CFieldDefDlg::kWidthCombo)), "44");
    EXPECT_TRUE(s.EnterText(CFieldDefDlg::kNameCombo, CStringA("零件名称")));
    EXPECT_TRUE(s.Click(IDOK));
  });
  ASSERT_TRUE(owner.grid.ModifyColumnDialog(owner.structure, undo));
  EXPECT_EQ(owner.structure[1], CFieldRecord("零件名称", kFieldChar, 44, kAlignLeft));
  ASSERT_EQ(undo.GetCount(), 1);
  EXPECT_EQ(undo.GetTail()->kind, CPartsListRow::kModifyColumn);
  EXPECT_EQ(undo.GetTail()->field, CFieldRecord("名称", kFieldChar, 44, kAlignLeft));
}

TEST_F(ColumnDialogsTest, ANewRelationGoesFirstAndTheFileKeepsTenWithItsComments) {
  const CStringA file = GetSystemFilePath("Table\\CalRelation.Tab");
  std::string bytes = "; 关系式\r\n;second comment\r\n";
  for (int i = 1; i <= 10; ++i) bytes += "a" + std::to_string(i) + "=a1\r\n";
  WriteBytes(file, bytes);

  struct Case {
    const char* typed;  // null: the first entry as selected
    const char* formula;
    bool rewritten;
  };
  const Case cases[] = {
      {nullptr, "a1=a1", false},
      {"a5=a1", "a5=a1", false},
      {"b1=a2*a3", "b1=a2*a3", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.formula);
    const std::string before = ReadGbkPathBytes(file);
    CColumnRelationDlg dialog(nullptr);
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      EXPECT_EQ(CStringA(s.Caption()), "定义关系式 (a1,a2,a3...分别代表列1,列2,列3...)");
      if (c.typed) {
        EXPECT_TRUE(s.EnterText(CColumnRelationDlg::kFormulaCombo, CStringA(c.typed)));
      }
      EXPECT_TRUE(s.Click(IDOK));
    });
    CModalDialogScope scope(nullptr);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_formula, c.formula);
    if (!c.rewritten) {
      EXPECT_EQ(ReadGbkPathBytes(file), before);
    }
  }
  std::string want = "; 关系式\r\n;second comment\r\nb1=a2*a3\r\n";
  for (int i = 1; i <= 9; ++i) want += "a" + std::to_string(i) + "=a1\r\n";
  EXPECT_EQ(ReadGbkPathBytes(file), want);
}
