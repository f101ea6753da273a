// Modal and modeless dialogs from templates: controls and initial data,
// scripted input, data exchange and validation, cancel, a missing template,
// the resource module during the run, the owner, nested dialogs and keys.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/UserInput.h"
#include "platform/ui/tests/DialogFixture.h"

namespace {

using platform::ModalSession;
using uitest::Utf8;
using namespace platform::rc;

enum : UINT { IDD_LAYER = 260, IDD_FILTER = 141, IDD_GROUPS = 145, IDD_VALUES = 300 };

platform::ResourceSet Templates() {
  platform::ResourceSet r;
  r.Add(Dialog(IDD_LAYER, u"选择图层", {0, 0, 120, 60})
            .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
            .Font(9, u"宋体")
            .EditText(358, {10, 10, 40, 14}, ES_AUTOHSCROLL | WS_TABSTOP)
            .Control(u"", 1192, u"msctls_updown32", WS_CHILD | WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT,
                     {50, 10, 10, 14})
            .DefPushButton(u"确认", IDOK, {10, 40, 40, 14})
            .PushButton(u"取消", IDCANCEL, {60, 40, 40, 14}));
  r.Add(Dialog(IDD_FILTER, u"设置图形选择的过滤条件", {0, 0, 200, 80})
            .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
            .GroupBox(u"选择过滤器:", -1, {5, 5, 190, 50})
            .ComboBox(1029, {10, 15, 80, 60}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
            .Items(1029, {u"图组", u"尺寸"})
            .PushButton(u"选择", 1030, {100, 15, 40, 14})
            .LText(u"参数值:", -1, {10, 35, 30, 8})
            .EditText(1036, {45, 33, 100, 14}, ES_AUTOHSCROLL | WS_TABSTOP)
            .DefPushButton(u"应用", IDOK, {40, 60, 40, 14})
            .PushButton(u"取消", IDCANCEL, {100, 60, 40, 14}));
  r.Add(Dialog(IDD_GROUPS, u"当前使用的图层列表", {0, 0, 120, 100})
            .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
            .ListBox(1038, {5, 5, 110, 70}, LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP)
            .DefPushButton(u"确认", IDOK, {10, 80, 40, 14})
            .PushButton(u"取消", IDCANCEL, {60, 80, 40, 14}));
  r.Add(Dialog(IDD_VALUES, u"Values", {0, 0, 200, 160})
            .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
            .EditText(10, {5, 5, 60, 14}, ES_AUTOHSCROLL | WS_TABSTOP)
            .EditText(11, {5, 25, 60, 14}, ES_AUTOHSCROLL | WS_TABSTOP)
            .EditText(12, {5, 45, 60, 14}, ES_AUTOHSCROLL | WS_TABSTOP)
            .AutoCheckBox(u"Composite", 13, {80, 5, 60, 10})
            .AutoRadioButton(u"Only new", 14, {80, 20, 60, 10}, WS_GROUP | WS_TABSTOP)
            .AutoRadioButton(u"Any time", 15, {80, 30, 60, 10})
            .AutoRadioButton(u"Never", 16, {80, 40, 60, 10})
            .ComboBox(17, {80, 55, 50, 80}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP)
            .Items(17, {u"2", u"3", u"4", u"5"})
            .ComboBox(18, {80, 75, 50, 80}, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP)
            .Items(18, {u"1:1", u"1:2", u"2:1"})
            .ListBox(19, {5, 65, 60, 40}, LBS_NOTIFY | WS_TABSTOP)
            .Items(19, {u"a", u"b", u"c"})
            .DefPushButton(u"OK", IDOK, {40, 140, 40, 14})
            .PushButton(u"Cancel", IDCANCEL, {100, 140, 40, 14}));
  return r;
}

class DialogTest : public uitest::DialogFixture {
 protected:
  platform::ResourceSet Resources() override { return Templates(); }
};

// A dialog with an integer field checked against a range, as a layer picker.
class CLayerDlg : public CDialog {
 public:
  int m_layer;
  CSpinButtonCtrl m_spin;
  HINSTANCE resourceAtInit = nullptr;
  bool throwOnOK = false;
  bool cancelled = false;

  explicit CLayerDlg(int layer, CWnd* parent = nullptr) : CDialog(IDD_LAYER, parent), m_layer(layer) {}

  void DoDataExchange(CDataExchange* dx) override {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, 1192, m_spin);
    DDX_Text(dx, 358, m_layer);
    DDV_MinMaxInt(dx, m_layer, 0, 99);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    resourceAtInit = AfxGetResourceHandle();
    m_spin.SetRange(0, 99);
    return TRUE;
  }
  void OnOK() override {
    if (throwOnOK) throw std::runtime_error("handler failed");
    CDialog::OnOK();
  }
  void OnCancel() override {
    cancelled = true;
    CDialog::OnCancel();
  }
};

TEST_F(DialogTest, ScriptFillsAFieldAndClicksOK) {
  CLayerDlg dlg(5);
  scripts.push_back([](ModalSession& s) {
    EXPECT_EQ(Utf8(s.Caption()), "选择图层");
    EXPECT_EQ(Utf8(s.Text(358)), "5");  // filled from the member
    EXPECT_TRUE(s.EnterText(358, CStringW(u"42")));
    EXPECT_TRUE(s.Click(IDOK));
    EXPECT_FALSE(s.IsRunning());
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_layer, 42);
  EXPECT_EQ(dlg.m_hWnd, nullptr);  // destroyed when DoModal returns
  EXPECT_EQ(dlg.m_spin.m_hWnd, nullptr);
}

TEST_F(DialogTest, OutOfRangeOrBadTextKeepsTheDialogOpenWithTheFrameworksMessage) {
  struct Case {
    const char16_t* typed;
    const char* message;  // null: accepted
  };
  const Case cases[] = {
      {u"100", "Please enter an integer between 0 and 99."},
      {u"-1", "Please enter an integer between 0 and 99."},
      {u"abc", "Please enter an integer."},
      {u"", "Please enter an integer."},
      {u"4 2", "Please enter an integer."},
      {u"99999999999", "Please enter an integer."},
      {u"0", nullptr},
      {u"99", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(CStringW(c.typed)));
    uitest::MessageBoxRecorder boxes;
    CLayerDlg dlg(7);
    scripts.push_back([&](ModalSession& s) {
      s.EnterText(358, CStringW(c.typed));
      s.Click(IDOK);
      if (!c.message) return;
      EXPECT_TRUE(s.IsRunning());
      ASSERT_EQ(boxes.texts.size(), 1u);
      EXPECT_EQ(boxes.texts[0], c.message);
      // The offending field has the focus and its text is selected.
      EXPECT_EQ(::GetFocus(), s.Control(358));
      DWORD start = 0, end = 0;
      SendMessageW(s.Control(358), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      EXPECT_EQ(start, 0u);
      EXPECT_EQ(end, static_cast<DWORD>(CStringW(c.typed).GetLength()));
      s.EnterText(358, CStringW(u"12"));
      s.Click(IDOK);
      EXPECT_FALSE(s.IsRunning());
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    if (c.message) {
      EXPECT_EQ(dlg.m_layer, 12);
    } else {
      EXPECT_TRUE(boxes.texts.empty());
      EXPECT_EQ(dlg.m_layer, std::stoi(Utf8(CStringW(c.typed))));
    }
  }
}

TEST_F(DialogTest, CancelLeavesTheCallersDataUntouched) {
  CLayerDlg dlg(7);
  scripts.push_back([](ModalSession& s) {
    s.EnterText(358, CStringW(u"55"));
    s.Click(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_layer, 7);
  EXPECT_TRUE(dlg.cancelled);
}

TEST_F(DialogTest, AMissingTemplateGivesMinusOneWithoutRunning) {
  CDialog dlg(4321);
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_EQ(modalRuns, 0);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogTest, WithoutADriverTheDialogIsCancelled) {
  platform::ScopedModalDriver none(nullptr);
  CLayerDlg dlg(3);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(dlg.cancelled);
  EXPECT_EQ(dlg.m_layer, 3);
}

TEST_F(DialogTest, AScriptThatLeavesTheDialogOpenEndsInCancel) {
  CLayerDlg dlg(3);
  scripts.push_back([](ModalSession& s) { s.EnterText(358, CStringW(u"8")); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_layer, 3);
}

TEST_F(DialogTest, TheResourceModuleIsTheDialogsOwnDuringTheRunAndRestoredAfter) {
  platform::ModuleRegistration caller(u"Caller.DLL", platform::ResourceSet());
  HINSTANCE before = AfxGetResourceHandle();
  AfxSetResourceHandle(caller.Handle());
  {
    CLayerDlg dlg(1);
    HINSTANCE during = nullptr;
    scripts.push_back([&](ModalSession& s) {
      during = AfxGetResourceHandle();
      s.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.resourceAtInit, Module());
    EXPECT_EQ(during, Module());
    EXPECT_EQ(AfxGetResourceHandle(), caller.Handle());
  }
  {
    // A handler that throws: the exception comes out of DoModal, and the
    // resource module, the owner and the dialog window are put right first.
    CWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, u"AfxWnd", u"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    CLayerDlg dlg(1, &owner);
    dlg.throwOnOK = true;
    HWND dialogWindow = nullptr;
    scripts.push_back([&](ModalSession& s) {
      dialogWindow = s.Handle();
      EXPECT_FALSE(owner.IsWindowEnabled());
      s.Click(IDOK);
    });
    EXPECT_THROW(dlg.DoModal(), std::runtime_error);
    EXPECT_EQ(AfxGetResourceHandle(), caller.Handle());
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_FALSE(IsWindow(dialogWindow));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    owner.DestroyWindow();
  }
  AfxSetResourceHandle(before);
}

// A framework exception in a handler is reported; the dialog runs on.
class CThrowingDlg : public CLayerDlg {
 public:
  CThrowingDlg() : CLayerDlg(1) {}
  HINSTANCE resourceInHandler = nullptr;

 protected:
  afx_msg void OnEditChange() {
    resourceInHandler = AfxGetResourceHandle();
    throw CNotSupportedException();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingDlg, CLayerDlg)
  ON_EN_CHANGE(358, OnEditChange)
END_MESSAGE_MAP()

TEST_F(DialogTest, AFrameworkExceptionInAHandlerIsReportedAndTheDialogRunsOn) {
  uitest::MessageBoxRecorder boxes;
  HINSTANCE before = AfxGetResourceHandle();
  CThrowingDlg dlg;
  scripts.push_back([&](ModalSession& s) {
    s.EnterText(358, CStringW(u"4"));
    EXPECT_TRUE(s.IsRunning());
    EXPECT_FALSE(boxes.texts.empty());
    s.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.resourceInHandler, Module());
  EXPECT_EQ(AfxGetResourceHandle(), before);
  EXPECT_EQ(dlg.m_layer, 4);
}

// The selection-filter dialog and the group list it opens.
class CGroupNameDlg : public CDialog {
 public:
  CStringW m_name;
  std::vector<CStringW> groups;
  explicit CGroupNameDlg(CWnd* parent) : CDialog(IDD_GROUPS, parent) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    CListBox* list = static_cast<CListBox*>(GetDlgItem(1038));
    for (const CStringW& g : groups) list->AddString(g.GetString());
    return TRUE;
  }
  void OnOK() override {
    CListBox* list = static_cast<CListBox*>(GetDlgItem(1038));
    int sel = list->GetCurSel();
    if (sel < 0) return;  // nothing chosen: stays open
    list->GetText(sel, m_name);
    EndDialog(IDOK);
  }
};

class CSelectFilterDlg : public CDialog {
 public:
  CStringW groupName;
  bool dimensionsOnly = false;
  CSelectFilterDlg() : CDialog(IDD_FILTER) {}

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    Combo()->SetCurSel(Combo()->FindStringExact(-1, u"尺寸"));
    GetDlgItem(1030)->EnableWindow(FALSE);
    return TRUE;
  }
  void OnOK() override {
    int sel = Combo()->GetCurSel();
    if (sel < 0) return;
    CStringW choice;
    Combo()->GetLBText(sel, choice);
    if (choice == u"尺寸") {
      dimensionsOnly = true;
      groupName.Empty();
    } else {
      CStringW name;
      GetDlgItemText(1036, name);
      if (name.IsEmpty()) {
        MessageBox(u"没有选择限制选择的图组名称", u"", MB_OK);
        return;
      }
      dimensionsOnly = false;
      groupName = name;
    }
    EndDialog(IDOK);
  }

 protected:
  CComboBox* Combo() { return static_cast<CComboBox*>(GetDlgItem(1029)); }
  afx_msg void OnChoiceChanged() {
    CStringW choice;
    Combo()->GetLBText(Combo()->GetCurSel(), choice);
    GetDlgItem(1030)->EnableWindow(choice != u"尺寸");
  }
  afx_msg void OnPickGroup() {
    CGroupNameDlg groups(this);
    groups.groups = {u"外框", u"标题栏", u"明细表"};
    if (groups.DoModal() == IDOK) SetDlgItemText(1036, groups.m_name.GetString());
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelectFilterDlg, CDialog)
  ON_CBN_SELCHANGE(1029, OnChoiceChanged)
  ON_BN_CLICKED(1030, OnPickGroup)
END_MESSAGE_MAP()

TEST_F(DialogTest, ControlsAreCreatedFromTheTemplateWithTheirInitialData) {
  CSelectFilterDlg dlg;
  scripts.push_back([](ModalSession& s) {
    HWND combo = s.Control(1029);
    ASSERT_NE(combo, nullptr);
    CComboBox* box = dynamic_cast<CComboBox*>(CWnd::FromHandle(combo));  // a wrapper of the control's class
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetStyle() & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));
    ASSERT_EQ(box->GetCount(), 2);
    CStringW item;
    box->GetLBText(0, item);
    EXPECT_EQ(Utf8(item), "图组");
    EXPECT_EQ(Utf8(s.Text(1029)), "尺寸");  // chosen by OnInitDialog
    EXPECT_FALSE(s.IsEnabled(1030));
    EXPECT_NE(dynamic_cast<CEdit*>(CWnd::FromHandle(s.Control(1036))), nullptr);
    EXPECT_EQ(Utf8(s.Text(IDOK)), "应用");
    EXPECT_EQ(GetDlgCtrlID(s.Control(1036)), 1036);
    // Dialog units become pixels: 45 x 33 units at 6 x 13 pixels per 4 x 8.
    CRect r;
    GetWindowRect(s.Control(1036), &r);
    CWnd::FromHandle(s.Handle())->ScreenToClient(&r);
    EXPECT_EQ(r, CRect(68, 54, 218, 76));
    EXPECT_EQ(GetFocus(), combo);  // the first control that takes Tab
    s.Click(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, HandlersFollowTheUsersChoicesAndANestedDialogRuns) {
  uitest::MessageBoxRecorder boxes;
  CSelectFilterDlg dlg;
  scripts.push_back([&](ModalSession& s) {
    EXPECT_FALSE(s.Click(1030));     // disabled: the user cannot press it
    EXPECT_TRUE(s.Choose(1029, 0));  // "图组"
    EXPECT_TRUE(s.IsEnabled(1030));
    s.Click(IDOK);  // no name yet
    EXPECT_TRUE(s.IsRunning());
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"没有选择限制选择的图组名称"});
    EXPECT_TRUE(s.Click(1030));  // runs the group list, scripted below
    EXPECT_EQ(Utf8(s.Text(1036)), "标题栏");
    s.Click(IDOK);
  });
  scripts.push_back([](ModalSession& s) {
    EXPECT_EQ(Utf8(s.Caption()), "当前使用的图层列表");
    EXPECT_FALSE(IsWindowEnabled(GetParent(s.Handle())));  // the filter dialog waits
    s.Click(IDOK);                                         // nothing chosen: stays
    EXPECT_TRUE(s.IsRunning());
    s.Choose(1038, 1);
    s.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_FALSE(dlg.dimensionsOnly);
  EXPECT_EQ(Utf8(dlg.groupName), "标题栏");
  EXPECT_EQ(modalRuns, 2);
}

// Every kind of exchange in one dialog.
class CValuesDlg : public CDialog {
 public:
  double m_real = 0.5;
  UINT m_count = 3;
  CStringW m_name = u"Block";
  int m_composite = 1;
  int m_when = 1;
  int m_distance = 2;
  CStringW m_scale = u"1:2";
  int m_pick = -1;
  CValuesDlg() : CDialog(IDD_VALUES) {}
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, 10, m_real);
    DDV_MinMaxDouble(dx, m_real, 0.00001, 1e12);
    DDX_Text(dx, 11, m_count);
    DDV_MinMaxUInt(dx, m_count, 1, 500);
    DDX_Text(dx, 12, m_name);
    DDV_MaxChars(dx, m_name, 10);
    DDX_Check(dx, 13, m_composite);
    DDX_Radio(dx, 14, m_when);
    DDX_CBIndex(dx, 17, m_distance);
    DDX_CBString(dx, 18, m_scale);
    DDX_LBIndex(dx, 19, m_pick);
  }
};

TEST_F(DialogTest, EveryKindOfExchangeFillsTheControlsAndReadsThemBack) {
  CValuesDlg dlg;
  scripts.push_back([](ModalSession& s) {
    EXPECT_EQ(Utf8(s.Text(10)), "0.5");
    EXPECT_EQ(Utf8(s.Text(11)), "3");
    EXPECT_EQ(Utf8(s.Text(12)), "Block");
    EXPECT_EQ(SendMessageW(s.Control(12), EM_GETLIMITTEXT, 0, 0), 10);  // DDV_MaxChars limits the edit
    EXPECT_EQ(s.CheckState(13), BST_CHECKED);
    EXPECT_EQ(s.CheckState(15), BST_CHECKED);
    EXPECT_EQ(Utf8(s.Text(17)), "4");
    EXPECT_EQ(Utf8(s.Text(18)), "1:2");
    EXPECT_EQ(SendMessageW(s.Control(19), LB_GETCURSEL, 0, 0), LB_ERR);

    s.EnterText(10, CStringW(u"2.25e3"));
    s.EnterText(11, CStringW(u"500"));
    s.EnterText(12, CStringW(u"Gear"));
    s.Click(13);  // unchecks
    s.Click(16);  // the third radio of the group
    s.Choose(17, 0);
    s.EnterText(18, CStringW(u"3:1"));
    s.Choose(19, 2);
    s.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_DOUBLE_EQ(dlg.m_real, 2250.0);
  EXPECT_EQ(dlg.m_count, 500u);
  EXPECT_EQ(Utf8(dlg.m_name), "Gear");
  EXPECT_EQ(dlg.m_composite, 0);
  EXPECT_EQ(dlg.m_when, 2);
  EXPECT_EQ(dlg.m_distance, 0);
  EXPECT_EQ(Utf8(dlg.m_scale), "3:1");
  EXPECT_EQ(dlg.m_pick, 2);
}

TEST_F(DialogTest, ValidationMessagesOfEachKind) {
  struct Case {
    int control;
    const char16_t* typed;
    const char* message;
  };
  const Case cases[] = {
      {10, u"0", "Please enter a number between 1e-05 and 1000000000000."},
      {10, u"x1", "Please enter a number."},
      {10, u"1e999", "Please enter a number."},
      {11, u"-3", "Please enter a positive integer."},
      {11, u"501", "Please enter an integer between 1 and 500."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(CStringW(c.typed)));
    uitest::MessageBoxRecorder boxes;
    CValuesDlg dlg;
    scripts.push_back([&](ModalSession& s) {
      s.EnterText(c.control, CStringW(c.typed));
      s.Click(IDOK);
      EXPECT_TRUE(s.IsRunning());
      s.Click(IDCANCEL);
    });
    // The caller reads nothing after a cancel; as in the framework, the
    // members exchanged before the failing check may have been updated.
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{c.message});
  }
  // The string limit: typing stops at the limit the exchange set.
  uitest::MessageBoxRecorder boxes;
  CValuesDlg dlg;
  scripts.push_back([&](ModalSession& s) {
    s.EnterText(12, CStringW(u"ABCDEFGHIJKLMN"));
    EXPECT_EQ(Utf8(s.Text(12)), "ABCDEFGHIJ");
    s.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(Utf8(dlg.m_name), "ABCDEFGHIJ");
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonAndEscapeCancels) {
  CLayerDlg a(1);
  scripts.push_back([](ModalSession& s) {
    s.EnterText(358, CStringW(u"9"));
    s.PressKey(VK_RETURN);
  });
  EXPECT_EQ(a.DoModal(), IDOK);
  EXPECT_EQ(a.m_layer, 9);

  CLayerDlg b(1);
  scripts.push_back([](ModalSession& s) {
    s.EnterText(358, CStringW(u"9"));
    s.PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(b.DoModal(), IDCANCEL);
  EXPECT_EQ(b.m_layer, 1);
}

TEST_F(DialogTest, TheSpinMovesItsBuddyWithinItsRange) {
  CLayerDlg dlg(97);
  scripts.push_back([](ModalSession& s) {
    HWND spin = s.Control(1192);
    EXPECT_TRUE(platform::SpinBy(spin, 1));
    EXPECT_EQ(Utf8(s.Text(358)), "98");
    platform::SpinBy(spin, 5);
    EXPECT_EQ(Utf8(s.Text(358)), "99");  // held at the top of 0..99
    s.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_layer, 99);
}

// A modeless dialog: created, driven through the pump, destroyed.
class CModeless : public CDialog {
 public:
  int oks = 0;
  int cancels = 0;
  void OnOK() override { ++oks; }  // Enter does not close it
  void OnCancel() override { ++cancels; }
};

TEST_F(DialogTest, AModelessDialogLivesUntilDestroyed) {
  CModeless dlg;
  ASSERT_TRUE(dlg.Create(IDD_LAYER));
  EXPECT_TRUE(IsWindow(dlg.m_hWnd));
  EXPECT_EQ(modalRuns, 0);
  EXPECT_TRUE(platform::ClickButton(dlg.GetDlgItem(IDCANCEL)->m_hWnd) == false);  // not shown yet
  dlg.ShowWindow(SW_SHOW);
  EXPECT_TRUE(platform::ClickButton(dlg.GetDlgItem(IDCANCEL)->m_hWnd));
  EXPECT_EQ(dlg.cancels, 1);
  dlg.GetDlgItem(358)->SetFocus();
  platform::PressKey(VK_RETURN);
  EXPECT_EQ(dlg.oks, 1);
  EXPECT_TRUE(IsWindow(dlg.m_hWnd));
  HWND h = dlg.m_hWnd;
  dlg.DestroyWindow();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(dlg.Create(9999));
}

}  // namespace
