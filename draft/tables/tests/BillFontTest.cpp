// The table font definition in the settings and its dialog, run from this
// library's template with the modal driver acting as the user.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TextAttrib.h"
#include "draft/tables/BillFontDef.h"
#include "draft/tables/BillFontDlg.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ModalDriver.h"

namespace {

class BillFontTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  void SetUp() override { previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>()); }
  void TearDown() override { SetSettingsBacking(std::move(previous_)); }

  INT_PTR Run(CBillFontDlg& dlg, std::function<void(platform::ModalSession&)> script) {
    platform::ScopedModalDriver driver(std::move(script));
    CModalDialogScope scope(nullptr);
    return dlg.DoModal();
  }
  static std::vector<CStringA> Entries(platform::ModalSession& s, int id) {
    auto* combo = static_cast<CComboBox*>(s.Window().GetDlgItem(id));
    std::vector<CStringA> v;
    CStringA t;
    for (int i = 0; i < combo->GetCount(); ++i) {
      combo->GetLBText(i, t);
      v.push_back(t);
    }
    return v;
  }
  static int Selected(platform::ModalSession& s, int id) {
    return static_cast<CComboBox*>(s.Window().GetDlgItem(id))->GetCurSel();
  }

  CSystemDataScratch scratch_;
  std::unique_ptr<CSettingsBacking> previous_;
};

}  // namespace

TEST_F(BillFontTest, TheDefinitionReadsItsDefaultsAndRoundTrips) {
  CBillFontDef read;
  read.Read();
  CBillFontDef constructed;
  EXPECT_EQ(read.m_bBTHave, 0);  // only the constructor has the header present
  EXPECT_EQ(constructed.m_bBTHave, 1);
  read.m_bBTHave = 1;
  EXPECT_EQ(read, constructed);

  CBillFontDef changed;
  changed.m_nBGEFont = 3;
  changed.m_szBTttName = "黑体";
  changed.m_fBGChrSpace = 0.25;
  changed.m_nFontStyle = 1;
  changed.m_nBTSort = 0;
  changed.Write();
  EXPECT_EQ(GetProfileStringSetting("CBillFontDef", "m_fBGChrSpace", ""), "0.250000");
  EXPECT_EQ(GetProfileIntSetting("CBillFontDef", "m_nBGEFont", 0), 3);
  CBillFontDef back;
  back.Read();
  EXPECT_EQ(back, changed);

  // Header and body parts go to and from a text attribute.
  CTextAttrib attr;
  changed.ToTextAttrib(attr, FALSE);
  EXPECT_EQ(attr.GetHeight(), 3.5);
  EXPECT_EQ(attr.GetSpacing(), 0.25);
  EXPECT_EQ(attr.GetWesternFontIndex(), 3);
  EXPECT_EQ(attr.GetFontStyle(), 1);
  CBillFontDef other;
  other.FromTextAttrib(attr, TRUE);
  EXPECT_EQ(other.m_fBTChrSpace, 0.25);
  EXPECT_EQ(other.m_nBTEFont, 3);
  EXPECT_EQ(other.m_fBGChrSpace, 0.0);
  EXPECT_EQ(other.m_nFontStyle, 1);
}

TEST_F(BillFontTest, AVectorFontIndexBeyondTheLoadedFontsSelectsTheFirst) {
  WriteProfileIntSetting("CBillFontDef", "m_nFontStyle", 0);
  WriteProfileIntSetting("CBillFontDef", "m_nBTCFont", 99);
  WriteProfileIntSetting("CBillFontDef", "m_nBGEFont", 2);
  CBillFontDlg dlg(TRUE, nullptr);
  ASSERT_EQ(Run(dlg,
                [&](platform::ModalSession& s) {
                  EXPECT_FALSE(Entries(s, CBillFontDlg::kHeaderChineseCombo).empty());
                  EXPECT_EQ(Selected(s, CBillFontDlg::kHeaderChineseCombo), 0);
                  EXPECT_EQ(CStringA(s.Text(CBillFontDlg::kHeaderChineseLabel)), "中文字体");
                  if (Entries(s, CBillFontDlg::kBodyWesternCombo).size() >= 2) {
                    EXPECT_EQ(Selected(s, CBillFontDlg::kBodyWesternCombo), 1);
                  }
                  EXPECT_TRUE(s.Click(IDOK));
                }),
            IDOK);
  EXPECT_EQ(GetProfileIntSetting("CBillFontDef", "m_nBTCFont", 0), 1);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(BillFontTest, ACharacterHeightEqualToItsRowHeightIsRefused) {
  struct Case {
    int rowId, charId;
    const char* row;
    const char* chars;
    const char* message;
  };
  const Case cases[] = {
      {CBillFontDlg::kHeaderHeight, CBillFontDlg::kHeaderCharHeight, "7", "7.0", "表头字高度应该为正数且小于表头的高度"},
      {CBillFontDlg::kBodyHeight, CBillFontDlg::kBodyCharHeight, "5", "5", "表格字高度应该为正数且小于表格的高度"},
      {CBillFontDlg::kHeaderHeight, CBillFontDlg::kHeaderCharHeight, "0", "3.5", "表头的高度设置不正确"},
      {CBillFontDlg::kBodyHeight, CBillFontDlg::kBodyCharHeight, "x", "3.5", "表格的高度设置不正确"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    boxes.clear();
    CBillFontDlg dlg(TRUE, nullptr);
    EXPECT_EQ(Run(dlg,
                  [&](platform::ModalSession& s) {
                    EXPECT_TRUE(s.EnterText(c.rowId, CStringA(c.row)));
                    EXPECT_TRUE(s.EnterText(c.charId, CStringA(c.chars)));
                    EXPECT_TRUE(s.Click(IDOK));
                    EXPECT_TRUE(s.IsRunning());
                    EXPECT_TRUE(s.Click(IDCANCEL));
                  }),
              IDCANCEL);
    EXPECT_EQ(boxes, std::vector<CStringA>{c.message});
  }
}

TEST_F(BillFontTest, TheShxTypeListsTheFontFolderAndLeavesTheSpacings) {
  WriteProfileStringSetting("CBillFontDef", "m_fBTChrSpace", "1.5");
  WriteProfileStringSetting("CBillFontDef", "m_szBGShxFontName", "gone.shx");
  CBillFontDlg dlg(TRUE, nullptr);
  ASSERT_EQ(Run(dlg,
                [&](platform::ModalSession& s) {
                  EXPECT_EQ(CStringA(s.Text(CBillFontDlg::kHeaderChineseLabel)), "SHX字体");
                  EXPECT_EQ(CStringA(s.Text(CBillFontDlg::kHeaderWesternLabel)), "SHX大字体");
                  EXPECT_EQ(Entries(s, CBillFontDlg::kHeaderChineseCombo), std::vector<CStringA>{"txt.shx"});
                  EXPECT_EQ(Entries(s, CBillFontDlg::kBodyWesternCombo), std::vector<CStringA>{"morvane.shx"});
                  EXPECT_EQ(Selected(s, CBillFontDlg::kBodyChineseCombo), 0);  // the stored one is gone
                  EXPECT_FALSE(s.IsEnabled(CBillFontDlg::kHeaderSpacing));
                  EXPECT_EQ(CStringA(s.Text(CBillFontDlg::kHeaderSpacing)), "1.5");
                  s.Window().SetDlgItemText(CBillFontDlg::kHeaderSpacing, "9");
                  EXPECT_TRUE(s.Click(IDOK));
                }),
            IDOK);
  CBillFontDef stored;
  stored.Read();
  EXPECT_EQ(stored.m_fBTChrSpace, 1.5);
  EXPECT_EQ(stored.m_szBGShxFontName, "txt.shx");
}

TEST_F(BillFontTest, TheTrueTypeListHoldsTheInstalledCjkFont) {
  CBillFontDlg dlg(TRUE, nullptr);
  ASSERT_EQ(Run(dlg,
                [&](platform::ModalSession& s) {
                  ASSERT_TRUE(s.Choose(CBillFontDlg::kFontType, 1));
                  EXPECT_EQ(CStringA(s.Text(CBillFontDlg::kHeaderChineseLabel)), "TrueType字体");
                  EXPECT_FALSE(s.IsEnabled(CBillFontDlg::kHeaderWesternCombo));
                  EXPECT_TRUE(s.IsEnabled(CBillFontDlg::kHeaderSpacing));
                  const auto faces = Entries(s, CBillFontDlg::kHeaderChineseCombo);
                  bool cjk = false;
                  int at = -1;
                  for (size_t i = 0; i < faces.size(); ++i)
                    if (faces[i] == "WenQuanYi Micro Hei") cjk = true, at = static_cast<int>(i);
                  EXPECT_TRUE(cjk);
                  if (at >= 0) {
                    EXPECT_TRUE(s.Choose(CBillFontDlg::kBodyChineseCombo, at));
                  }
                  EXPECT_TRUE(s.EnterText(CBillFontDlg::kBodySpacing, CStringA("0.5")));
                  EXPECT_TRUE(s.Click(IDOK));
                }),
            IDOK);
  CBillFontDef stored;
  stored.Read();
  EXPECT_EQ(stored.m_nFontStyle, 1);
  EXPECT_EQ(stored.m_szBGttName, "WenQuanYi Micro Hei");
  EXPECT_EQ(stored.m_fBGChrSpace, 0.5);
}
