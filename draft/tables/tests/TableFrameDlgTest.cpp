// The table-structure dialog, run from this library's template with the
// modal driver acting as the user (the frame dialog and its file dialogs)
// and the message-box handler answering the questions.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/tables/TableFiles.h"
#include "draft/tables/TableFrameDlg.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/MessageBox.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/Edit.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ModalDriver.h"

namespace {

using testsupport::ReadFileBytes;

class TableFrameDlgTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  void SetUp() override { previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>()); }
  void TearDown() override { SetSettingsBacking(std::move(previous_)); }

  std::string Scratch(const char* name) const { return scratch_.GetFolder() + "/" + name; }

  // Runs the dialog: `frame` acts in the frame dialog, a file dialog gets
  // `fileName` typed and OK.
  INT_PTR Run(CTableFrameDlg& dlg, std::function<void(platform::ModalSession&)> frame,
              const std::string& fileName = "") {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      if (s.As<CFileDialog>()) {
        EXPECT_TRUE(s.EnterText(edt1, CStringA(fileName.c_str())));
        EXPECT_TRUE(s.Click(IDOK));
        return;
      }
      frame(s);
    });
    CModalDialogScope scope(nullptr);
    return dlg.DoModal();
  }

  static void AddRow(CTableFrameDlg& dlg, const char* name, const char* type, const char* width, const char* align) {
    CEditListCtrl& list = dlg.GetList();
    const int row = list.InsertItem(list.GetItemCount(), name);
    list.SetItemText(row, 1, type);
    list.SetItemText(row, 2, width);
    list.SetItemText(row, 3, align);
  }

  // An edit through the width cell's editor, as the user types it.
  static void EditWidth(CTableFrameDlg& dlg, int row, const char* text) {
    CEditListCtrl& list = dlg.GetList();
    ASSERT_TRUE(list.EditCell(row, 2));
    list.GetCellEditor()->SetWindowText(text);
    ASSERT_TRUE(list.EndCellEdit(TRUE));
  }

  CSystemDataScratch scratch_;
  std::unique_ptr<CSettingsBacking> previous_;
};

}  // namespace

TEST(TableFrameShortenPath, KeepsTheTailFromAWholeCharacter) {
  struct Case {
    std::string path;
    size_t kept;  // bytes after "..."
  };
  const std::string ascii40(40, 'a');
  std::string gbkTail = "abcdefgh";  // 8 bytes, then 16 double-byte characters
  for (int i = 0; i < 16; ++i) gbkTail += "表";
  std::string leadAtStart = "abcdefghi";  // 9 bytes, 15 characters, one byte
  for (int i = 0; i < 15; ++i) leadAtStart += "表";
  leadAtStart += "z";
  for (const Case& c : {Case{ascii40, 30}, Case{gbkTail, 30}, Case{leadAtStart, 31}, Case{std::string(33, 'b'), 33}}) {
    ASSERT_EQ(c.path.size() == 33 ? 33u : 40u, c.path.size());
    CStringA out;
    CTableFrameDlg::ShortenPath(out, c.path.c_str(), 33);
    const std::string shown = out.GetString();
    if (c.path.size() <= 33) {
      EXPECT_EQ(shown, c.path);
      continue;
    }
    EXPECT_EQ(shown.substr(0, 3), "...") << c.path;
    EXPECT_EQ(shown.substr(3), c.path.substr(c.path.size() - c.kept)) << c.path;
  }
}

TEST_F(TableFrameDlgTest, ASavedStructureLoadsBackAndUnknownTextsAreCharacterCentred) {
  const std::string path = Scratch("t.def");
  CFieldArray structure;
  CTableFrameDlg dlg(&structure, nullptr);
  EXPECT_EQ(dlg.GetPath(), GetSystemFilePath("Def\\item.def"));
  ASSERT_EQ(Run(dlg,
                [&](platform::ModalSession& s) {
                  EXPECT_GT(dlg.GetList().GetItemCount(), 0);  // the shipped structure
                  dlg.GetList().DeleteAllItems();
                  AddRow(dlg, "名;称", "整型", "12.5", "右对齐");
                  AddRow(dlg, "备注", "文本型", "8", "靠左");
                  EXPECT_TRUE(s.Click(CTableFrameDlg::kSaveButton));
                  const CStringA caption(s.Caption());
                  EXPECT_EQ(caption.Left(24), "定义表头结构 (文件路径: ");
                  EXPECT_EQ(caption.Right(6), "t.def)");
                  EXPECT_TRUE(s.Click(IDOK));
                },
                path),
            IDOK);
  EXPECT_TRUE(boxes.empty());
  ASSERT_EQ(structure.GetSize(), 2);
  EXPECT_EQ(structure[0], CFieldRecord("名;称", 1, 12.5, 3));
  EXPECT_EQ(structure[1], CFieldRecord("备注", 0, 8, 2));
  EXPECT_EQ(ReadFileBytes(path), std::string("Wendrix99 表结构文件\r\n名;;称;1;12.5;3\r\n备注;0;8;2\r\n"));
  EXPECT_EQ(GetProfileStringSetting("TableFrameSetting", "TableFrameFilePath", ""), path.c_str());

  CFieldArray back;
  CTableFrameDlg again(&back, nullptr);
  EXPECT_EQ(again.GetPath(), path.c_str());
  ASSERT_EQ(Run(again, [&](platform::ModalSession& s) {
              EXPECT_EQ(again.GetList().GetItemCount(), 2);
              EXPECT_EQ(CStringA(again.GetList().GetItemText(1, 3)), "中对齐");
              EXPECT_TRUE(s.Click(IDOK));
            }),
            IDOK);
  ASSERT_EQ(back.GetSize(), 2);
  EXPECT_EQ(back[0], structure[0]);
  EXPECT_EQ(back[1], structure[1]);
}

TEST_F(TableFrameDlgTest, OkAfterAnEditAsksToSaveAndCancelStays) {
  const std::string path = Scratch("edit.def");
  {
    std::ofstream(path, std::ios::binary) << "Wendrix99 表结构文件\r\n序号;1;8.000000;2\r\n";
  }
  WriteProfileStringSetting("TableFrameSetting", "TableFrameFilePath", path.c_str());
  CFieldArray structure;
  CTableFrameDlg dlg(&structure, nullptr);
  answers = {IDCANCEL, IDYES};
  ASSERT_EQ(Run(dlg,
                [&](platform::ModalSession& s) {
                  EditWidth(dlg, 0, "9");
                  EXPECT_TRUE(s.Click(IDOK));
                  EXPECT_TRUE(s.IsRunning());  // Cancel keeps the dialog
                  EXPECT_TRUE(s.Click(IDOK));
                }),
            IDOK);
  const std::vector<CStringA> asked{"是否保存刚才打开的文件?", "是否保存刚才打开的文件?"};
  EXPECT_EQ(boxes, asked);
  EXPECT_EQ(ReadFileBytes(path), std::string("Wendrix99 表结构文件\r\n序号;1;9;2\r\n"));
  ASSERT_EQ(structure.GetSize(), 1);
  EXPECT_EQ(structure[0].width, 9.0);
  EXPECT_EQ(GetProfileIntSetting("DefineFrameSetting", "DefineFrame", 0), 1);
}

TEST_F(TableFrameDlgTest, AWidthClearedInTheListIsSavedAsALineThatReadsBack) {
  const std::string path = Scratch("cleared.def");
  {
    std::ofstream(path, std::ios::binary) << "Wendrix99 表结构文件\r\n序号;1;8;2\r\n名称;0;40;1\r\n";
  }
  WriteProfileStringSetting("TableFrameSetting", "TableFrameFilePath", path.c_str());
  CFieldArray structure;
  CTableFrameDlg dlg(&structure, nullptr);
  answers = {IDYES};
  ASSERT_EQ(Run(dlg,
                [&](platform::ModalSession& s) {
                  EditWidth(dlg, 0, "");
                  EXPECT_TRUE(s.Click(IDOK));
                }),
            IDOK);
  CFieldArray back;
  EXPECT_EQ(ReadStructureFileFields(back, path.c_str(), 1), 1);
  ASSERT_EQ(back.GetSize(), 2);
  EXPECT_EQ(back[0], CFieldRecord("序号", 1, 0, 2));
  EXPECT_EQ(back[1], CFieldRecord("名称", 0, 40, 1));
  EXPECT_EQ(boxes, std::vector<CStringA>{"是否保存刚才打开的文件?"});
}

TEST_F(TableFrameDlgTest, ANegativeWidthIsReportedAndSavedAsTypedAndAFailedSaveKeepsTheDialogOpen) {
  const std::string path = Scratch("widths.def");
  {
    std::ofstream(path, std::ios::binary) << "Wendrix99 表结构文件\r\n序号;1;8;2\r\n名称;0;40;1\r\n";
  }
  WriteProfileStringSetting("TableFrameSetting", "TableFrameFilePath", path.c_str());
  CFieldArray structure;
  CTableFrameDlg dlg(&structure, nullptr);
  answers = {IDYES, IDOK, IDNO};
  ASSERT_EQ(Run(dlg,
                [&](platform::ModalSession& s) {
                  EditWidth(dlg, 1, "-5");
                  // The file's folder is gone: the save fails and the dialog stays.
                  dlg.SetPath(Scratch("gone/widths.def").c_str());
                  EXPECT_TRUE(s.Click(IDOK));
                  EXPECT_TRUE(s.IsRunning());
                  dlg.SetPath(path.c_str());
                  EXPECT_TRUE(s.Click(IDOK));  // No: closes without saving
                }),
            IDOK);
  ASSERT_EQ(boxes.size(), 5u);
  EXPECT_EQ(boxes[0], "是否保存刚才打开的文件?");
  EXPECT_EQ(boxes[1], "第 2 行存在无效宽度!");
  EXPECT_NE(boxes[2].Find("widths.def"), -1);  // the host's file-failure report
  EXPECT_EQ(boxes[3], "是否保存刚才打开的文件?");
  EXPECT_EQ(boxes[4], "第 2 行存在无效宽度!");  // the structure handed back is built again
  EXPECT_EQ(dlg.GetPreparedLines()[1], "名称;0;-5;1");
  ASSERT_EQ(structure.GetSize(), 2);
  EXPECT_EQ(structure[1].width, -5.0);
  EXPECT_EQ(ReadFileBytes(path), std::string("Wendrix99 表结构文件\r\n序号;1;8;2\r\n名称;0;40;1\r\n"));
}

TEST_F(TableFrameDlgTest, AFileOfNeitherKindWithoutQuotedLinesIsRefusedAndAnotherChosen) {
  const std::string wrong = Scratch("wrong.def"), good = Scratch("good.def");
  std::ofstream(wrong, std::ios::binary) << "not a structure\r\n";
  std::ofstream(good, std::ios::binary) << "Wendrix99 表结构文件\r\n序号;1;8;2\r\n";
  CFieldArray structure;
  CTableFrameDlg dlg(&structure, nullptr);
  struct Case {
    const char* chosen;  // what the open dialog takes (null: Cancel)
    BOOL loaded;
    INT_PTR fields;
  };
  for (const Case& c : {Case{"good.def", TRUE, 1}, Case{nullptr, FALSE, 0}}) {
    SCOPED_TRACE(c.chosen ? c.chosen : "cancel");
    boxes.clear();
    dlg.SetPath(wrong.c_str());
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      if (!c.chosen) return;
      EXPECT_TRUE(s.EnterText(edt1, CStringA(Scratch(c.chosen).c_str())));
      EXPECT_TRUE(s.Click(IDOK));
    });
    EXPECT_EQ(dlg.LoadStructureFile(), c.loaded);
    EXPECT_EQ(boxes, std::vector<CStringA>{"文件类型不匹配,请重新选择!"});
    EXPECT_EQ(structure.GetSize(), c.fields);
  }
  EXPECT_EQ(dlg.GetPath(), CStringA(wrong.c_str()));
}

TEST_F(TableFrameDlgTest, ASaveUnderAnotherKindIsRefusedAndACancelledOpenKeepsTheEdits) {
  const std::string path = Scratch("kept.def");
  std::ofstream(path, std::ios::binary) << "Wendrix99 表结构文件\r\n序号;1;8;2\r\n";
  WriteProfileStringSetting("TableFrameSetting", "TableFrameFilePath", path.c_str());
  CFieldArray structure;
  CTableFrameDlg dlg(&structure, nullptr);
  bool cancelOpen = false;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    if (s.As<CFileDialog>()) {
      if (cancelOpen) {
        EXPECT_TRUE(s.Click(IDCANCEL));
        return;
      }
      EXPECT_TRUE(s.EnterText(edt1, CStringA(Scratch("table.txt").c_str())));
      EXPECT_TRUE(s.Click(IDOK));
      return;
    }
    EditWidth(dlg, 0, "9");
    const CStringA caption(s.Caption());
    EXPECT_TRUE(s.Click(CTableFrameDlg::kSaveButton));
    EXPECT_EQ(boxes, std::vector<CStringA>{"文件类型不匹配,请重新选择!"});
    EXPECT_FALSE(std::filesystem::exists(Scratch("table.txt")));
    EXPECT_EQ(CStringA(s.Caption()), caption);
    EXPECT_TRUE(dlg.GetList().IsListModified());
    cancelOpen = true;
    EXPECT_TRUE(s.Click(CTableFrameDlg::kOpenButton));
    EXPECT_TRUE(dlg.GetList().IsListModified());
    EXPECT_EQ(CStringA(dlg.GetList().GetItemText(0, 2)), "9");
    EXPECT_TRUE(s.Click(IDCANCEL));
  });
  CModalDialogScope scope(nullptr);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.GetPath(), CStringA(path.c_str()));
}

TEST_F(TableFrameDlgTest, AMissingFileIsCreatedEmptyAndAForeignFileReadsAsQuotedLines) {
  const std::string missing = Scratch("new.def");
  WriteProfileStringSetting("TableFrameSetting", "TableFrameFilePath", missing.c_str());
  CFieldArray structure;
  structure.Add(CFieldRecord("old", 0, 1, 0));
  CTableFrameDlg dlg(&structure, nullptr);
  dlg.SetPath(missing.c_str());
  answers = {IDYES};
  EXPECT_TRUE(dlg.LoadStructureFile());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], CStringA(missing.c_str()) + "文件不存在,是否新建?");
  EXPECT_EQ(structure.GetSize(), 0);
  EXPECT_EQ(ReadFileBytes(missing), "Wendrix99 表结构文件");

  const std::string foreign = Scratch("foreign.def");
  std::ofstream(foreign, std::ios::binary) << "\"NAME\" \"30\" \"x\" \"y\" \"2\" \"1\" \"z\"\r\n\"B\" \"5\" \"\" \"\" \"4\" \"3\" \"\"\r\nend\r\n";
  dlg.SetPath(foreign.c_str());
  EXPECT_TRUE(dlg.LoadStructureFile());
  ASSERT_EQ(structure.GetSize(), 2);
  EXPECT_EQ(structure[0], CFieldRecord("NAME", 1, 30, 1));
  EXPECT_EQ(structure[1], CFieldRecord("B", 2, 5, 3));
}

TEST_F(TableFrameDlgTest, AStructureSavedAsAnEmptyDbaseTableLoadsBack) {
  const std::string path = Scratch("frame.dbf");
  CFieldArray structure;
  CTableFrameDlg dlg(&structure, nullptr);
  ASSERT_EQ(Run(dlg,
                [&](platform::ModalSession& s) {
                  dlg.GetList().DeleteAllItems();
                  AddRow(dlg, "名称", "字符型", "12.5", "右对齐");
                  AddRow(dlg, "数量", "整型", "8", "中对齐");
                  EXPECT_TRUE(s.Click(CTableFrameDlg::kSaveButton));
                  EXPECT_TRUE(s.Click(IDOK));
                },
                path),
            IDOK);
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_TRUE(boxes.empty());

  CFieldArray back;
  CTableFrameDlg again(&back, nullptr);
  again.SetPath(path.c_str());
  ASSERT_TRUE(again.LoadStructureFile());
  ASSERT_EQ(back.GetSize(), 2);
  EXPECT_EQ(back[0].GetName(), "名称");
  EXPECT_EQ(back[0].type, 0);
  EXPECT_EQ(back[0].width, 13.0);  // Char(13): the width rounded up
  EXPECT_EQ(back[1].GetName(), "数量");
  EXPECT_EQ(back[1].type, 1);
}
