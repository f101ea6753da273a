// The file and colour dialogs, filled in by the modal driver.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/core/Charset.h"
#include "platform/testsupport/ScratchFolder.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/tests/DialogFixture.h"

namespace {

using platform::ModalSession;
using uitest::Utf8;
namespace fs = std::filesystem;

class CommonDialogTest : public uitest::DialogFixture {
 protected:
  platform::ResourceSet Resources() override { return platform::ResourceSet(); }
  void SetUp() override {
    DialogFixture::SetUp();
    std::ofstream(folder / "block.gdf") << "x";
    std::ofstream(folder / "a.dbf") << "x";
    std::ofstream(folder / "b.dbf") << "x";
    dir = CStringW(platform::Utf8ToUtf16(folder.string()).c_str());
  }
  void TearDown() override { DialogFixture::TearDown(); }
  testsupport::ScratchFolder scratch{"ui_filedlg"};
  fs::path folder = scratch.path();
  CStringW dir;
};

TEST_F(CommonDialogTest, OpenRefusesAMissingFileAndFindsOneWhateverItsCase) {
  uitest::MessageBoxRecorder boxes;
  CFileDialog dlg(TRUE, u"gdf", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, u"Blocks (*.gdf)|*.gdf||");
  dlg.m_ofn.lpstrInitialDir = dir.GetString();
  dlg.m_ofn.lpstrTitle = u"取属性模板文件";
  scripts.push_back([&](ModalSession& s) {
    EXPECT_EQ(Utf8(s.Caption()), "取属性模板文件");
    s.EnterText(edt1, CStringW(u"missing"));
    s.Click(IDOK);
    EXPECT_TRUE(s.IsRunning());
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("missing.gdf\nFile not found."), std::string::npos);
    s.EnterText(edt1, CStringW(u"BLOCK"));  // the default extension is added
    s.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(Utf8(dlg.GetPathName()), folder.string() + "/BLOCK.gdf");
  EXPECT_EQ(Utf8(dlg.GetFileName()), "BLOCK.gdf");
  EXPECT_EQ(Utf8(dlg.GetFileExt()), "gdf");
  EXPECT_EQ(Utf8(dlg.GetFileTitle()), "BLOCK");
  EXPECT_EQ(dlg.m_ofn.nFilterIndex, 1u);
  EXPECT_EQ(dlg.m_ofn.nFileOffset, folder.string().size() + 1);
}

TEST_F(CommonDialogTest, SaveAsksBeforeReplacingAndGivesBackTheChosenFilter) {
  struct Case {
    int answer;
    INT_PTR result;
  };
  for (const Case& c : {Case{IDNO, IDCANCEL}, Case{IDYES, IDOK}}) {
    platform::ScopedMessageBoxHandler answer([&](const platform::MessageBoxRequest& r) {
      EXPECT_NE(platform::Utf16ToUtf8(r.text.str()).find("block.gdf already exists."), std::string::npos);
      EXPECT_EQ(r.type & MB_TYPEMASK, MB_YESNO);
      return c.answer;
    });
    // The multibyte build's call: GBK texts.
    std::string filter = platform::Utf8ToGbk("图块文件(*.gdf)|*.gdf|标题栏文件(*.btl)|*.btl|附栏文件(*.btf)|*.btf|");
    CFileDialog dlg(FALSE, "gdf", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter.c_str());
    dlg.m_ofn.lpstrInitialDir = dir.GetString();
    dlg.m_ofn.nFilterIndex = 2;
    scripts.push_back([&](ModalSession& s) {
      EXPECT_EQ(SendMessageW(s.Control(cmb1), CB_GETCOUNT, 0, 0), 3);
      EXPECT_EQ(Utf8(s.Text(cmb1)), "标题栏文件(*.btl)");
      s.Choose(cmb1, 2);
      s.EnterText(edt1, CStringW(u"block.gdf"));
      s.Click(IDOK);
      if (c.answer == IDNO) {
        EXPECT_TRUE(s.IsRunning());
      }
      // A script that stops here leaves the dialog to be cancelled.
    });
    EXPECT_EQ(dlg.DoModal(), c.result);
    if (c.result == IDOK) {
      EXPECT_EQ(dlg.m_ofn.nFilterIndex, 3u);
      EXPECT_EQ(Utf8(dlg.GetPathName()), folder.string() + "/block.gdf");
      CStringA gbk = dlg.GetPathName();  // what the multibyte build holds
      EXPECT_EQ(std::string(gbk.GetString()), folder.string() + "/block.gdf");
    }
  }
}

TEST_F(CommonDialogTest, SeveralFilesAndADefaultExtensionWrittenWithItsDot) {
  CFileDialog dlg(TRUE, u".dbf", nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, u"Tables (*.dbf)|*.dbf|");
  dlg.m_ofn.lpstrInitialDir = dir.GetString();
  scripts.push_back([](ModalSession& s) {
    s.EnterText(edt1, CStringW(u"\"a\" \"b.dbf\""));
    s.Click(IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  std::vector<std::string> paths;
  for (POSITION pos = dlg.GetStartPosition(); pos;) paths.push_back(Utf8(dlg.GetNextPathName(pos)));
  EXPECT_EQ(paths, (std::vector<std::string>{folder.string() + "/a.dbf", folder.string() + "/b.dbf"}));
}

TEST_F(CommonDialogTest, WithoutADriverTheFileDialogIsCancelled) {
  platform::ScopedModalDriver none(nullptr);
  CFileDialog dlg(TRUE);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(dlg.GetPathName().IsEmpty());
  EXPECT_EQ(dlg.GetStartPosition(), nullptr);
}

TEST_F(CommonDialogTest, ColourDialogStartsAtTheColourAndTakesTheUsersParts) {
  uitest::MessageBoxRecorder boxes;
  CColorDialog dlg(RGB(10, 20, 30));
  scripts.push_back([&](ModalSession& s) {
    EXPECT_EQ(Utf8(s.Text(COLOR_RED)), "10");
    EXPECT_EQ(Utf8(s.Text(COLOR_BLUE)), "30");
    s.EnterText(COLOR_RED, CStringW(u"300"));
    s.Click(IDOK);
    EXPECT_TRUE(s.IsRunning());
    EXPECT_EQ(boxes.texts.size(), 1u);
    s.EnterText(COLOR_RED, CStringW(u"255"));
    s.EnterText(COLOR_GREEN, CStringW(u"0"));
    s.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetColor(), RGB(255, 0, 30));

  CColorDialog cancelled(RGB(1, 2, 3));
  scripts.push_back([](ModalSession& s) { s.Click(IDCANCEL); });
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
  EXPECT_EQ(cancelled.GetColor(), RGB(1, 2, 3));
}

}  // namespace
