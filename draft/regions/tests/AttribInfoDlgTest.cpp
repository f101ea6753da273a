// The attribute dialog over a drawing and its groups, and the command that
// opens it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draft/framework/CmdStack.h"
#include "draft/host/AttributeItems.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingAttributes.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/tests/FileSizeLimit.h"
#include "draft/regions/AttribInfoDlg.h"
#include "draft/regions/ShowAttribCmd.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/ModalDriver.h"

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

class AttribDlgTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  AttribDlgTest() : MessageBoxAnswers(IDYES), previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~AttribDlgTest() override { SetSettingsBacking(std::move(previous_)); }

  void WriteDefaults(const std::string& bytes) {
    std::ofstream(scratch.GetFolder() + "/Table/Default_Attrib.Tab", std::ios::binary) << bytes;
  }
  std::string ReadDefaults() const {
    std::ifstream in(scratch.GetFolder() + "/Table/Default_Attrib.Tab", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static Rows RowsOf(CAttribInfoDlg* dlg) {
    auto* list = dynamic_cast<CListCtrl*>(dlg->GetDlgItem(CAttribInfoDlg::kAttribList));
    Rows out;
    if (!list) return out;
    for (int r = 0; r < list->GetItemCount(); ++r)
      out.emplace_back(CStringA(list->GetItemText(r, 0)).GetString(), CStringA(list->GetItemText(r, 1)).GetString());
    return out;
  }
  static void SetCell(CAttribInfoDlg* dlg, int row, int column, const char* text) {
    auto* list = dynamic_cast<CListCtrl*>(dlg->GetDlgItem(CAttribInfoDlg::kAttribList));
    ASSERT_NE(list, nullptr);
    list->SetItemText(row, column, text);
  }
  // Runs the dialog for `group` of the view; `drive` works it and closes it.
  void Run(CDrawingGroup* group, const std::function<void(CAttribInfoDlg*, platform::ModalSession&)>& drive) {
    platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
      auto* dlg = m.As<CAttribInfoDlg>();
      ASSERT_NE(dlg, nullptr);
      drive(dlg, m);
    });
    CAttribInfoDlg dlg(group, &view, nullptr);
    dlg.DoModal();
  }

  CSystemDataScratch scratch;
  CDraftView view;

 private:
  std::unique_ptr<CSettingsBacking> previous_;
};

}  // namespace

TEST_F(AttribDlgTest, TheSystemGroupShowsTheDefaultsWithTheDrawingsItemsAndARowForItemsWithoutADefault) {
  WriteDefaults(";缺省\r\n无冒号\r\n材料:  钢  \r\n设计日期:1999年\r\n单位:\r\n");
  AddAttributeItem(view.GetDrawingAttributeList(), "单位", "字符串", "厂", 1, 1);
  AddAttributeItem(view.GetDrawingAttributeList(), "图号", "字符串", "A-1", 1, 1);
  const std::string today = GetCurrentDateString(1).GetString();
  Run(nullptr, [&](CAttribInfoDlg* dlg, platform::ModalSession& m) {
    EXPECT_EQ(CStringA(m.Caption()), "属性信息");
    EXPECT_EQ(RowsOf(dlg), (Rows{{"无冒号", ""}, {"材料", "钢"}, {"设计日期", today}, {"单位", "厂"}, {"图号", "A-1"}}));
    m.Click(CAttribInfoDlg::kExit);
  });
  EXPECT_TRUE(boxes.empty());  // nothing changed, nothing asked
  // A default fills a missing item; the drawing keeps the value it had.
  const CAttributeItem* unit = view.GetDrawingAttributeList()->Find("单位");
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(unit->value, "厂");
}

TEST_F(AttribDlgTest, SavedAttributesAndDefaultsReadBack) {
  WriteDefaults(";缺省属性\r\n设计:\r\n日期:2001\r\n");
  Run(nullptr, [&](CAttribInfoDlg* dlg, platform::ModalSession& m) {
    SetCell(dlg, 0, 1, " 张三 ");
    m.Click(CAttribInfoDlg::kAddRow);  // a row named " ": skipped when saved
    m.Click(CAttribInfoDlg::kSaveAttributes);
    m.Click(CAttribInfoDlg::kSaveDefaults);
    m.Click(CAttribInfoDlg::kExit);
  });
  const CAttributeItemList& items = *view.GetDrawingAttributeList();
  ASSERT_EQ(items.GetCount(), 2);
  EXPECT_EQ(items.GetAt(0).name, "设计");
  EXPECT_EQ(items.GetAt(0).value, "张三");
  EXPECT_EQ(items.GetAt(1).name, "日期");
  EXPECT_TRUE(view.IsDrawingModified());

  CAttribInfoDlg reader(nullptr);
  CStringArrayA entries, comments;
  reader.ReadTabFile(GetSystemFilePath("Table\\Default_Attrib.Tab"), entries, comments);
  ASSERT_EQ(comments.GetSize(), 1);
  EXPECT_EQ(comments[0], ";缺省属性");
  ASSERT_EQ(entries.GetSize(), 3);
  EXPECT_EQ(entries[0], "设计: 张三");  // the line is trimmed, not the value
  EXPECT_EQ(entries[1], "日期:");      // a date is never stored
  EXPECT_EQ(entries[2], ":");          // the blank row: an empty name, passed over when read
}

// The default file cannot be written whole (a file-size limit stands in for
// a full disk): the failure is reported and the file keeps what it held.
TEST_F(AttribDlgTest, AFailedWriteOfTheDefaultsIsReportedAndKeepsTheOldFile) {
  WriteDefaults(";缺省属性\r\n设计:张三\r\n材料:钢\r\n");
  const std::string before = ReadDefaults();
  Run(nullptr, [&](CAttribInfoDlg* dlg, platform::ModalSession& m) {
    SetCell(dlg, 0, 1, std::string(200, 'x').c_str());
    {
      drafttest::ScopedFileSizeLimit limit(8);
      m.Click(CAttribInfoDlg::kSaveDefaults);
    }
    m.Close();
  });
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(ReadDefaults(), before);
}

// A template that could not be saved still counts as changed: leaving offers
// to save the names again, and Yes writes them.
TEST_F(AttribDlgTest, NamesWhoseTemplateFailedToSaveAreOfferedAgainOnExit) {
  const std::string templateFile = scratch.GetFolder() + "/Def/Attribute.Tab";
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    if (m.As<CFileDialog>()) {
      EXPECT_TRUE(m.EnterText(edt1, CStringA(templateFile.c_str())));
      EXPECT_TRUE(m.Click(IDOK));
      return;
    }
    ASSERT_NE(m.As<CAttribInfoDlg>(), nullptr);
    m.EnterText(CAttribInfoDlg::kNameEdit, CStringA("表面处理"));
    m.Click(CAttribInfoDlg::kAddName);
    {
      drafttest::ScopedFileSizeLimit limit(4);
      m.Click(CAttribInfoDlg::kSaveTemplate);
    }
    m.Click(CAttribInfoDlg::kExit);
  });
  CAttribInfoDlg dlg(nullptr, &view, nullptr);
  dlg.DoModal();
  // The file dialog's overwrite question, the failed write, then the offer.
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[2], "是否保存修改后的内容?");
  CAttribInfoDlg reader(nullptr);
  CStringArrayA names, comments;
  reader.ReadTabFile(GetSystemFilePath("Def\\Attribute.Tab"), names, comments);
  ASSERT_GT(names.GetSize(), 0);
  EXPECT_EQ(names[names.GetSize() - 1], "表面处理");
}

TEST_F(AttribDlgTest, AGroupsRowsAreItsItemListAndExitOffersToSaveThem) {
  CDrawingGroup* part = view.GetGroupTable()->AddGroup("零件", 1.0);
  AddAttributeItem(part->GetItemList(), "重量", "字符型", "5kg", 1, 1);
  Run(part, [&](CAttribInfoDlg* dlg, platform::ModalSession& m) {
    EXPECT_EQ(RowsOf(dlg), (Rows{{"重量", "5kg"}}));
    // "->" with the first template name selected adds it as a row.
    auto* names = dynamic_cast<CListBox*>(dlg->GetDlgItem(CAttribInfoDlg::kNameList));
    ASSERT_NE(names, nullptr);
    names->SetSel(0, TRUE);
    m.Click(CAttribInfoDlg::kAddSelected);
    EXPECT_EQ(RowsOf(dlg).size(), 2u);
    m.Click(CAttribInfoDlg::kAddSelected);  // nothing selected any more
    EXPECT_EQ(RowsOf(dlg).size(), 2u);
    m.Click(CAttribInfoDlg::kExit);
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "是否保存修改后的内容?");
  EXPECT_EQ(part->GetItemList()->GetCount(), 2);
  EXPECT_EQ(GetProfileStringSetting("SystemSetting", "AttrNameFilePath", ""), GetSystemFilePath("Def\\Attribute.Tab"));
}

TEST_F(AttribDlgTest, ExitCopiesTheSystemGroupsItemsToTheDrawing) {
  CDrawingGroup* system = view.GetGroupTable()->AddGroup("系统图组", 1.0);
  AddAttributeItem(system->GetItemList(), "比例", "字符型", "1:2", 1, 1);
  Run(system, [&](CAttribInfoDlg*, platform::ModalSession& m) { m.Click(CAttribInfoDlg::kExit); });
  const CAttributeItem* item = view.GetDrawingAttributeList()->Find("比例");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->value, "1:2");
  EXPECT_EQ(item->type, "字符串");
}

TEST_F(AttribDlgTest, EnterInTheNameEditAddsTheNameAndKeepsTheDialogOpen) {
  Run(nullptr, [&](CAttribInfoDlg* dlg, platform::ModalSession& m) {
    auto* names = dynamic_cast<CListBox*>(dlg->GetDlgItem(CAttribInfoDlg::kNameList));
    ASSERT_NE(names, nullptr);
    const int before = names->GetCount();
    dlg->GetDlgItem(CAttribInfoDlg::kNameEdit)->SetFocus();
    m.EnterText(CAttribInfoDlg::kNameEdit, CStringA("表面处理"));
    dlg->OnOK();
    EXPECT_TRUE(m.IsRunning());
    EXPECT_EQ(names->GetCount(), before + 1);
    EXPECT_EQ(m.Text(CAttribInfoDlg::kNameEdit), u"");
    m.Close();
  });
}

TEST_F(AttribDlgTest, TheCommandShowsTheDrawingOnTabAndAPickedEntitysGroup) {
  CDrawingGroup* part = view.GetGroupTable()->AddGroup("零件", 1.0);
  view.AddEntityToView(new CLineEntity(0, part, 0, 0, 10, 0));
  std::vector<std::string> chosen;
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    auto* dlg = m.As<CAttribInfoDlg>();
    ASSERT_NE(dlg, nullptr);
    CStringA entry;
    dlg->GetDlgItemText(CAttribInfoDlg::kGroupCombo, entry);
    chosen.push_back(entry.GetString());
    m.Close();
  });
  CCmdStack stack;
  stack.Push(&view, new CShowAttribCmd(70));
  EXPECT_EQ(stack.GetPrompt(), "选择需要显示属性的组元(Tab键直接显示图纸属性)");
  stack.OnChar(CPoint(0, 0), 9, 1, 0, &view);
  stack.OnLButton(0, CPoint(5, 600), &view);
  EXPECT_EQ(chosen, (std::vector<std::string>{"系统图组", "零件"}));
  stack.DeleteAll();
}
