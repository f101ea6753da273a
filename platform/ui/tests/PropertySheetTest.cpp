// Property sheets: pages made when shown, validation when a page is left or
// the sheet accepted, apply, cancel, and a page that ends the sheet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/DataExchange.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/UserInput.h"
#include "platform/ui/tests/DialogFixture.h"

namespace {

using platform::ModalSession;
using uitest::Utf8;
using namespace platform::rc;

constexpr int kRouteNow = 28137;

platform::ResourceSet Pages() {
  platform::ResourceSet r;
  r.Add(Dialog(28010, u"Automatic", {0, 0, 200, 120})
            .Style(WS_CHILD | WS_DISABLED | WS_CAPTION)
            .AutoCheckBox(u"&Disable automatic routing of arcs/links.", 28084, {5, 5, 180, 10}, WS_TABSTOP)
            .AutoRadioButton(u"&Only when new arcs/links are created.", 28128, {10, 25, 170, 10}, WS_GROUP | WS_TABSTOP)
            .AutoRadioButton(u"&Any time arcs/links are disturbed.", 28126, {10, 35, 170, 10}));
  r.Add(Dialog(28011, u"General / Page", {0, 0, 200, 140})
            .Style(WS_CHILD | WS_DISABLED | WS_CAPTION)
            .EditText(28079, {5, 5, 40, 14}, ES_AUTOHSCROLL | WS_TABSTOP)
            .EditText(28106, {5, 25, 40, 14}, ES_AUTOHSCROLL | WS_TABSTOP)
            .ComboBox(28108, {5, 45, 40, 100}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
            .Items(28108, {u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"12", u"13", u"14", u"15",
                           u"16", u"17", u"18", u"19", u"20"}));
  r.Add(Dialog(28012, u"Manual", {0, 0, 200, 100})
            .Style(WS_CHILD | WS_DISABLED | WS_CAPTION)
            .AutoCheckBox(u"S&elected ", 28081, {5, 5, 100, 10}, WS_TABSTOP)
            .PushButton(u"&Route Now", kRouteNow, {5, 40, 60, 14}));
  return r;
}

class CAutoPage : public CPropertyPage {
 public:
  int m_disable = 0;
  int m_when = -1;
  CAutoPage() : CPropertyPage(28010) {}
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Check(dx, 28084, m_disable);
    DDX_Radio(dx, 28128, m_when);
  }
  BOOL OnInitDialog() override {
    CPropertyPage::OnInitDialog();
    UpdateControls();
    return TRUE;
  }

 protected:
  void UpdateControls() {
    BOOL enable = !IsDlgButtonChecked(28084);
    GetDlgItem(28128)->EnableWindow(enable);
    GetDlgItem(28126)->EnableWindow(enable);
  }
  afx_msg void OnDisableClicked() {
    UpdateControls();
    SetModified(TRUE);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAutoPage, CPropertyPage)
  ON_BN_CLICKED(28084, OnDisableClicked)
END_MESSAGE_MAP()

class CGeneralPage : public CPropertyPage {
 public:
  UINT m_bottom = 10;
  UINT m_left = 5;
  int m_distance = -1;
  int applied = 0;
  CGeneralPage() : CPropertyPage(28011) {}
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, 28079, m_bottom);
    DDV_MinMaxUInt(dx, m_bottom, 0, 100);
    DDX_Text(dx, 28106, m_left);
    DDV_MinMaxUInt(dx, m_left, 0, 80);
    DDX_CBIndex(dx, 28108, m_distance);
  }
  BOOL OnApply() override {
    ++applied;
    return CPropertyPage::OnApply();
  }
};

class CManualPage : public CPropertyPage {
 public:
  int m_selected = 0;
  bool routeNow = false;
  int resets = 0;
  CManualPage() : CPropertyPage(28012) {}
  void DoDataExchange(CDataExchange* dx) override { DDX_Check(dx, 28081, m_selected); }
  void OnReset() override { ++resets; }

 protected:
  afx_msg void OnRouteNow() {
    routeNow = true;
    UpdateData(TRUE);
    static_cast<CPropertySheet*>(GetParent())->EndDialog(kRouteNow);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CManualPage, CPropertyPage)
  ON_BN_CLICKED(kRouteNow, OnRouteNow)
END_MESSAGE_MAP()

class PropertySheetTest : public uitest::DialogFixture {
 protected:
  platform::ResourceSet Resources() override { return Pages(); }
  void SetUp() override {
    DialogFixture::SetUp();
    sheet.AddPage(&automatic);
    sheet.AddPage(&manual);
    sheet.AddPage(&general);
  }
  CAutoPage automatic;
  CManualPage manual;
  CGeneralPage general;
  CPropertySheet sheet{u"Arc Routing Options"};
};

TEST_F(PropertySheetTest, PagesAreMadeWhenShownAndOKTakesTheValuesOfThePagesShown) {
  uitest::MessageBoxRecorder boxes;
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  sheet.m_psh.dwFlags &= ~PSH_HASHELP;
  scripts.push_back([&](ModalSession& s) {
    EXPECT_EQ(Utf8(s.Caption()), "Arc Routing Options");
    EXPECT_EQ(s.Control(ID_APPLY_NOW), nullptr);
    EXPECT_NE(automatic.m_hWnd, nullptr);
    EXPECT_EQ(general.m_hWnd, nullptr);  // not shown yet
    CTabCtrl* tabs = sheet.GetTabControl();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(Utf8(tabs->GetItemText(2)), "General / Page");

    s.Click(28084);  // disabling automatic routing disables its choices
    EXPECT_FALSE(s.IsEnabled(28128));

    EXPECT_TRUE(s.Choose(AFX_IDC_TAB_CONTROL, 2));
    EXPECT_EQ(sheet.GetActivePage(), &general);
    EXPECT_EQ(SendMessageW(s.Control(28108), CB_GETCOUNT, 0, 0), 19);  // from the initialisation data
    EXPECT_EQ(Utf8(s.Text(28079)), "10");

    // A value out of range keeps the user on the page.
    s.EnterText(28079, CStringW(u"101"));
    s.Choose(AFX_IDC_TAB_CONTROL, 0);
    EXPECT_EQ(sheet.GetActivePage(), &general);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Please enter an integer between 0 and 100."});
    s.EnterText(28079, CStringW(u"100"));
    s.Choose(28108, 3);
    s.Click(IDOK);
    EXPECT_FALSE(s.IsRunning());
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(automatic.m_disable, 1);
  EXPECT_EQ(general.m_bottom, 100u);
  EXPECT_EQ(general.m_distance, 3);  // the distance 5
  EXPECT_EQ(general.applied, 1);
  EXPECT_EQ(manual.m_selected, 0);  // never shown
  EXPECT_EQ(general.m_hWnd, nullptr);
}

TEST_F(PropertySheetTest, APageEndsTheSheetWithItsOwnResult) {
  sheet.SetActivePage(1);
  scripts.push_back([&](ModalSession& s) {
    EXPECT_EQ(sheet.GetActivePage(), &manual);
    s.Click(28081);
    s.Click(kRouteNow);
    EXPECT_FALSE(s.IsRunning());
  });
  EXPECT_EQ(sheet.DoModal(), kRouteNow);
  EXPECT_TRUE(manual.routeNow);
  EXPECT_EQ(manual.m_selected, 1);
}

TEST_F(PropertySheetTest, CancelResetsTheShownPagesAndApplyWaitsForAChange) {
  scripts.push_back([&](ModalSession& s) {
    EXPECT_FALSE(s.IsEnabled(ID_APPLY_NOW));
    s.Click(28084);  // the page marks itself changed
    EXPECT_TRUE(s.IsEnabled(ID_APPLY_NOW));
    s.Click(ID_APPLY_NOW);
    EXPECT_FALSE(s.IsEnabled(ID_APPLY_NOW));
    EXPECT_EQ(automatic.m_disable, 1);  // applied
    s.Choose(AFX_IDC_TAB_CONTROL, 1);
    s.Click(IDCANCEL);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(manual.resets, 1);
  EXPECT_EQ(general.applied, 0);
}

}  // namespace
