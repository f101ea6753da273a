// The value dialogs, run modally from this library's templates with the
// platform's modal driver acting as the user.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "draft/framework/CenterLineSetDlg.h"
#include "draft/framework/CoordInputDlg.h"
#include "draft/framework/IntInputDlg.h"
#include "draft/framework/LayerPickDlg.h"
#include "draft/framework/LengthInputDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "draft/framework/RadiusInputDlg.h"
#include "draft/host/DraftView.h"
#include "draft/host/Settings.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/WindowApi.h"

namespace {
using Script = std::function<void(platform::ModalSession&)>;

class ValueDialogTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  // Runs the dialog with this library's resources, the script acting as the user.
  INT_PTR Run(CDialog& dlg, Script script) {
    platform::ScopedModalDriver driver(std::move(script));
    CModalDialogScope scope(nullptr);
    return dlg.DoModal();
  }
  // Types `text` into edit `id` and presses OK.
  static Script EnterAndOk(int id, const char* text) {
    return [id, text](platform::ModalSession& s) {
      EXPECT_TRUE(s.EnterText(id, CStringA(text)));
      EXPECT_TRUE(s.Click(IDOK));
    };
  }
  // OK is refused (the dialog stays open with a message), then Cancel.
  Script EnterRefusedThenCancel(int id, const char* text) {
    return [this, id, text](platform::ModalSession& s) {
      EXPECT_TRUE(s.EnterText(id, CStringA(text)));
      const size_t before = boxes.size();
      EXPECT_TRUE(s.Click(IDOK));
      EXPECT_TRUE(s.IsRunning()) << text;
      EXPECT_EQ(boxes.size(), before + 1) << text;
      EXPECT_TRUE(s.Click(IDCANCEL));
    };
  }

};

// The caret of an edit (start and end of the selection).
std::pair<DWORD, DWORD> Selection(HWND edit) {
  DWORD start = 0, end = 0;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}
}  // namespace

TEST_F(ValueDialogTest, TemplatesCarryTheirIdsCaptionsAndTexts) {
  auto resources = platform::ModuleResources(GetModuleHandleA("Scrivel.DLL"));
  ASSERT_TRUE(resources);
  struct Expected {
    UINT id;
    const char* caption;
    std::vector<std::pair<int, const char*>> controls;  // id, text (null: any)
  };
  const std::vector<Expected> table = {
      {134, "输入数据", {{1062, nullptr}, {1063, "数值"}}},
      {133, "长度输入", {{1048, nullptr}, {1055, nullptr}, {2272, "长度"}, {1045, "角度"}}},
      {288, "半径(直径)输入", {{1004, nullptr}, {572, "半径"}, {2324, "直径"}, {313, nullptr}}},
      {385,
       "图形整理",
       {{2245, "全图整理中心线"},
        {2234, "全图整理重复线"},
        {1024, "选择整理中心线"},
        {336, "选择整理重复线"},
        {1121, nullptr}}},
      {7260, "Dialog", {{11224, "数字："}, {11225, nullptr}}},
      {260, "选择图层", {{358, nullptr}, {1192, nullptr}}},
  };
  for (const Expected& e : table) {
    SCOPED_TRACE(e.id);
    const platform::DialogTemplate* t = resources->FindDialog(e.id);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(CStringA(t->caption.c_str()), e.caption);
    for (const auto& [id, text] : e.controls) {
      const platform::DialogControl* c = t->FindControl(id);
      ASSERT_NE(c, nullptr) << id;
      if (text) {
        EXPECT_EQ(CStringA(c->text.c_str()), text) << id;
      }
    }
    ASSERT_NE(t->FindControl(IDOK), nullptr);
    EXPECT_EQ(CStringA(t->FindControl(IDOK)->text.c_str()), "确认");
    ASSERT_NE(t->FindControl(IDCANCEL), nullptr);
    EXPECT_EQ(CStringA(t->FindControl(IDCANCEL)->text.c_str()), "取消");
  }
  // The tidy dialog's label has no id of its own.
  bool label = false;
  for (const platform::DialogControl& c : resources->FindDialog(385)->controls)
    label = label || CStringA(c.text.c_str()) == "中心线超出\n轮廓长度";
  EXPECT_TRUE(label);
}

TEST_F(ValueDialogTest, NumberDialogReadsNumbersAndSlopesAsAngles) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"1:0", 90},         {"1:1", 45},  {"", 0},     {"-1:1", -45}, {"0:5", 0},
      {"1:0.0000001", 90}, {"2.5", 2.5}, {"3abc", 3}, {"abc", 0},    {"1:", 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CNumberInputDlg dlg(nullptr, nullptr, nullptr, 7.0, 0);
    ASSERT_EQ(Run(dlg, EnterAndOk(1062, c.text)), IDOK);
    EXPECT_NEAR(dlg.GetValue(), c.value, 1e-9);
  }
  EXPECT_TRUE(boxes.empty());  // read as far as they go, no message
  // A value that no command could use is refused.
  for (const char* bad : {"1e999", "inf", "nan:1"}) {
    CNumberInputDlg dlg(nullptr, nullptr, nullptr, 7.0, 0);
    EXPECT_EQ(Run(dlg, EnterRefusedThenCancel(1062, bad)), IDCANCEL);
    EXPECT_EQ(dlg.GetValue(), 7.0);
  }
}

TEST_F(ValueDialogTest, NumberDialogOpensWithItsTextsOrTheTypedKey) {
  CNumberInputDlg real(nullptr, "输入间距", "间距值", 2.5, 0);
  Run(real, [](platform::ModalSession& s) {
    EXPECT_EQ(CStringA(s.Caption()), "输入间距");
    EXPECT_EQ(CStringA(s.Text(1063)), "间距值");
    EXPECT_EQ(CStringA(s.Text(1062)), "2.500000");
  });
  CNumberInputDlg typed(nullptr, nullptr, nullptr, 2.5, '7');
  const INT_PTR answer = Run(typed, [](platform::ModalSession& s) {
    EXPECT_EQ(CStringA(s.Caption()), "输入数据");  // the template's texts
    EXPECT_EQ(CStringA(s.Text(1063)), "数值");
    EXPECT_EQ(CStringA(s.Text(1062)), "7");  // the key that opened it, alone
    EXPECT_EQ(::GetFocus(), s.Control(1062));
    EXPECT_EQ(Selection(s.Control(1062)), std::make_pair(DWORD(1), DWORD(1)));  // caret after it
    EXPECT_TRUE(s.Click(IDOK));
  });
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(typed.GetValue(), 7.0);
}

TEST_F(ValueDialogTest, NumberDialogInIntegerModeTakesDigitsOnly) {
  CNumberInputDlg dlg(nullptr, nullptr, nullptr, 12, 0);
  ASSERT_EQ(Run(dlg,
                [](platform::ModalSession& s) {
                  EXPECT_EQ(CStringA(s.Text(1062)), "12");
                  EXPECT_TRUE(s.EnterText(1062, CStringA("4.5x6")));
                  EXPECT_EQ(CStringA(s.Text(1062)), "456");
                  EXPECT_TRUE(s.Click(IDOK));
                }),
            IDOK);
  EXPECT_EQ(dlg.GetValue(), 456.0);
  CNumberInputDlg huge(nullptr, nullptr, nullptr, 12, 0);
  EXPECT_EQ(Run(huge, EnterRefusedThenCancel(1062, "99999999999")), IDCANCEL);
}

TEST_F(ValueDialogTest, LengthDialogLaysTheLengthOffFromTheBasePoint) {
  CLengthInputDlg polar(nullptr, 2.0, 3.0, 45.0, 0, 1);
  polar.SetBasePoint(1, 2);
  ASSERT_EQ(Run(polar,
                [](platform::ModalSession& s) {
                  EXPECT_EQ(CStringA(s.Caption()), "长度输入");
                  EXPECT_EQ(CStringA(s.Text(2272)), "长度");
                  EXPECT_EQ(CStringA(s.Text(1048)), "3");
                  EXPECT_EQ(CStringA(s.Text(1055)), "45");
                  EXPECT_TRUE(s.EnterText(1048, CStringA("5")));
                  EXPECT_TRUE(s.EnterText(1055, CStringA("90")));
                  EXPECT_TRUE(s.Click(IDOK));
                }),
            IDOK);
  EXPECT_NEAR(polar.GetResultX(), 1, 1e-9);
  EXPECT_NEAR(polar.GetResultY(), 12, 1e-9);  // 2 + 2 × 5
  EXPECT_EQ(polar.GetLength(), 5);
  EXPECT_EQ(polar.GetAngle(), 90);

  CLengthInputDlg box(nullptr, 1.0, 0, 0, '4', 0, "输入矩形参数", "矩形宽", "矩形高");
  box.SetBasePoint(10, 10);
  ASSERT_EQ(Run(box,
                [](platform::ModalSession& s) {
                  EXPECT_EQ(CStringA(s.Caption()), "输入矩形参数");
                  EXPECT_EQ(CStringA(s.Text(2272)), "矩形宽");
                  EXPECT_EQ(CStringA(s.Text(1045)), "矩形高");
                  EXPECT_EQ(CStringA(s.Text(1048)), "4");
                  EXPECT_EQ(::GetFocus(), s.Control(1048));
                  EXPECT_TRUE(s.EnterText(1055, CStringA("-3")));
                  EXPECT_TRUE(s.Click(IDOK));
                }),
            IDOK);
  EXPECT_EQ(box.GetResultX(), 14);
  EXPECT_EQ(box.GetResultY(), 7);

  CLengthInputDlg bad(nullptr, 1.0, 1, 1, 0, 1);
  EXPECT_EQ(Run(bad, EnterRefusedThenCancel(1055, "1,5")), IDCANCEL);
}

// A typed value that the scale or the base point carries beyond what a
// number holds gives no point: the framework's number message, and the
// dialog stays open. A large value that stays in range is taken.
TEST_F(ValueDialogTest, CoordinateAndLengthDialogsRefuseAPointBeyondTheRangeOfNumbers) {
  struct Case {
    bool length;  // the length dialog, else the coordinate dialog
    double scale;
    int polar;
    double baseX;
    const char* text;
    bool refused;
  } cases[] = {
      {false, 2.0, 0, 0, "1e308", true},     {false, 1.0, 1, 1.7e308, "1e308", true},
      {false, 1.0, 0, 0, "1e308", false},    {true, 10.0, 0, 0, "1e308", true},
      {true, 1.0, 1, 1.7e308, "1e308", true}, {true, 1.0, 0, 0, "1e308", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.length << " " << c.scale << " " << c.polar << " " << c.text);
    std::unique_ptr<CDialog> dlg;
    int edit = 0;
    if (c.length) {
      auto* d = new CLengthInputDlg(nullptr, c.scale, 0, 0, 0, c.polar);
      d->SetBasePoint(c.baseX, 0);
      dlg.reset(d);
      edit = CLengthInputDlg::kLengthEdit;
    } else {
      auto* d = new CCoordInputDlg(nullptr, c.scale, 0, 0, 1, !c.polar, 0);  // relative
      d->SetBasePoint(c.baseX, 0);
      dlg.reset(d);
      edit = CCoordInputDlg::kFirstEdit;
    }
    if (c.refused) {
      EXPECT_EQ(Run(*dlg, EnterRefusedThenCancel(edit, c.text)), IDCANCEL);
    } else {
      ASSERT_EQ(Run(*dlg, EnterAndOk(edit, c.text)), IDOK);
      const double x = c.length ? static_cast<CLengthInputDlg&>(*dlg).GetResultX()
                                : static_cast<CCoordInputDlg&>(*dlg).GetResultX();
      EXPECT_EQ(x, 1e308);
    }
  }
}

TEST_F(ValueDialogTest, RadiusDialogHalvesADiameterAndScales) {
  struct Case {
    UINT letter;
    double scale;
    const char* shown;    // the edit's first text
    const char* caption;  // and label
    const char* label;
    const char* typed;
    double radius;
  };
  const Case cases[] = {
      {'D', 1.0, "10", "直径输入", "直径值 &D：", "10", 5}, {'d', 2.0, "10", "直径输入", "直径值 &D：", "10", 10},
      {'R', 1.0, "5", "半径输入", "半径值 &R：", "8", 8},   {'r', 3.0, "5", "半径输入", "半径值 &R：", "2", 6},
      {'7', 1.0, "7", "半径输入", "半径值 &R：", "7", 7},  // a digit is kept as the first text
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    CRadiusInputDlg dlg(nullptr, c.scale, 5.0, c.letter);
    ASSERT_EQ(Run(dlg,
                  [&c](platform::ModalSession& s) {
                    EXPECT_EQ(CStringA(s.Text(1004)), c.shown);
                    EXPECT_EQ(CStringA(s.Caption()), c.caption);
                    EXPECT_EQ(CStringA(s.Text(313)), c.label);
                    const bool diameter = c.letter == 'D' || c.letter == 'd';
                    EXPECT_EQ(s.CheckState(diameter ? 2324 : 572), BST_CHECKED);
                    EXPECT_TRUE(s.EnterText(1004, CStringA(c.typed)));
                    EXPECT_TRUE(s.Click(IDOK));
                  }),
              IDOK);
    EXPECT_NEAR(dlg.GetValue(), c.radius, 1e-12);
  }
}

TEST_F(ValueDialogTest, RadiusDialogSwitchesModeAndChecksTheRange) {
  CRadiusInputDlg dlg(nullptr, 1.0, 5.0, 'R');
  dlg.SetReferenceGeometry(1, 1, 1, 11, 0, 0, 0);  // no reference: towards the second point
  ASSERT_EQ(Run(dlg,
                [this](platform::ModalSession& s) {
                  EXPECT_TRUE(s.Click(2324));
                  EXPECT_EQ(CStringA(s.Caption()), "直径输入");
                  EXPECT_EQ(CStringA(s.Text(313)), "直径值 &D：");
                  for (const char* outside : {"0", "0.000001", "2e12", "-3"}) {
                    EXPECT_TRUE(s.EnterText(1004, CStringA(outside)));
                    EXPECT_TRUE(s.Click(IDOK));
                    EXPECT_TRUE(s.IsRunning()) << outside;
                  }
                  EXPECT_EQ(boxes.size(), 4u);
                  EXPECT_TRUE(s.EnterText(1004, CStringA("6")));
                  EXPECT_TRUE(s.Click(IDOK));
                }),
            IDOK);
  EXPECT_EQ(dlg.GetValue(), 3);
  EXPECT_NEAR(dlg.GetResultX(), 1, 1e-12);
  EXPECT_NEAR(dlg.GetResultY(), 4, 1e-12);
}

TEST_F(ValueDialogTest, RadiusDialogFitsACircleThroughTwoPointsOrSaysItCannot) {
  {
    CRadiusInputDlg dlg(nullptr, 1.0, 1.0, 'R');
    dlg.SetReferenceGeometry(0, 0, 10, 0, 5, 1, 1);
    ASSERT_EQ(Run(dlg, EnterAndOk(1004, "5")), IDOK);
    EXPECT_EQ(dlg.IsSolved(), 1);
    EXPECT_NEAR(dlg.GetResultX(), 5, 1e-9);  // centre (5, 0), towards the cursor (5, 1)
    EXPECT_NEAR(dlg.GetResultY(), 5, 1e-9);
    EXPECT_TRUE(boxes.empty());
  }
  {
    CRadiusInputDlg dlg(nullptr, 1.0, 1.0, 'D');
    dlg.SetReferenceGeometry(0, 0, 10, 0, 5, 1, 1);
    // A diameter of 8 is a radius of 4: no circle of it reaches both points.
    EXPECT_EQ(Run(dlg, EnterAndOk(1004, "8")), IDOK);
    EXPECT_EQ(dlg.IsSolved(), 0);
    EXPECT_EQ(boxes, (std::vector<CStringA>{"所给的半径不合理，求解失败！"}));
  }
}

TEST_F(ValueDialogTest, TidyDialogKeepsTheExtensionInTheSettings) {
  auto previous = SetSettingsBacking(std::make_unique<CMemorySettings>());
  {
    CCenterLineSetDlg dlg(nullptr);
    EXPECT_EQ(dlg.GetExtension(), 5.0);  // the default
    ASSERT_EQ(Run(dlg,
                  [this](platform::ModalSession& s) {
                    EXPECT_EQ(s.CheckState(2245), BST_CHECKED);
                    EXPECT_EQ(CStringA(s.Text(1121)), "5");
                    EXPECT_TRUE(s.Click(1024));
                    EXPECT_TRUE(s.EnterText(1121, CStringA("2001")));
                    EXPECT_TRUE(s.Click(IDOK));
                    EXPECT_TRUE(s.IsRunning());
                    EXPECT_EQ(boxes.size(), 1u);
                    EXPECT_EQ(GetProfileStringSetting("SystemSetting", "CenterLine", "none"), "none");
                    EXPECT_TRUE(s.EnterText(1121, CStringA("-12.5")));
                    EXPECT_TRUE(s.Click(IDOK));
                  }),
              IDOK);
    EXPECT_EQ(dlg.GetChoice(), CCenterLineSetDlg::kTidyPickedCentreLines);
    EXPECT_EQ(dlg.GetExtension(), -12.5);
    EXPECT_EQ(GetProfileStringSetting("SystemSetting", "CenterLine", ""), "-12.500000");
  }
  {
    CCenterLineSetDlg again(nullptr);
    EXPECT_EQ(again.GetExtension(), -12.5);
    EXPECT_EQ(Run(again, [](platform::ModalSession& s) { EXPECT_TRUE(s.Click(IDCANCEL)); }), IDCANCEL);
  }
  SetSettingsBacking(std::move(previous));
}

TEST_F(ValueDialogTest, IntegerDialogShowsItsTextsAndKeepsToItsRange) {
  CIntInputDlg dlg;
  int lo = 0, hi = 0;
  EXPECT_FALSE(dlg.GetRange(lo, hi));
  dlg.SetCaption("");
  dlg.SetLabel("份数");
  dlg.SetRange(10, 1);  // given the wrong way round
  ASSERT_TRUE(dlg.GetRange(lo, hi));
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 10);
  ASSERT_EQ(Run(dlg,
                [this](platform::ModalSession& s) {
                  EXPECT_EQ(CStringA(s.Caption()), "");  // empty texts are shown too
                  EXPECT_EQ(CStringA(s.Text(11224)), "份数");
                  for (const char* refused : {"11", "0", "x"}) {
                    EXPECT_TRUE(s.EnterText(11225, CStringA(refused)));
                    EXPECT_TRUE(s.Click(IDOK));
                    EXPECT_TRUE(s.IsRunning()) << refused;
                  }
                  EXPECT_EQ(boxes.size(), 3u);
                  EXPECT_TRUE(s.EnterText(11225, CStringA("10")));
                  EXPECT_TRUE(s.Click(IDOK));
                }),
            IDOK);
  EXPECT_EQ(dlg.GetValue(), 10);
}

TEST_F(ValueDialogTest, LayerDialogTakesLayersZeroToNinetyNine) {
  struct Case {
    const char* text;
    bool accepted;
  };
  for (const Case& c : {Case{"100", false}, Case{"-1", false}, Case{"0", true}, Case{"99", true}}) {
    SCOPED_TRACE(c.text);
    CLayerPickDlg dlg(7);
    const INT_PTR answer = Run(dlg, [&c](platform::ModalSession& s) {
      EXPECT_EQ(CStringA(s.Text(358)), "7");
      const LRESULT range = ::SendMessageW(s.Control(1192), UDM_GETRANGE, 0, 0);
      EXPECT_EQ(LOWORD(range), 99);  // upper in the low word, lower in the high word
      EXPECT_EQ(HIWORD(range), 0);
      EXPECT_TRUE(s.EnterText(358, CStringA(c.text)));
      EXPECT_TRUE(s.Click(IDOK));
      if (s.IsRunning()) {
        EXPECT_TRUE(s.Click(IDCANCEL));
      }
    });
    EXPECT_EQ(answer, c.accepted ? IDOK : IDCANCEL);
    if (c.accepted) {
      EXPECT_EQ(dlg.GetLayer(), std::atoi(c.text));
    }
  }
}

TEST(ModalDialogScope, SwitchesResourcesAndTheModalFlagAndPutsThemBack) {
  CDraftView view;
  const HINSTANCE before = AfxGetResourceHandle();
  HINSTANCE during = nullptr;
  int flagDuring = 0;
  {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      during = AfxGetResourceHandle();
      flagDuring = view.ModalDialogFlag();
      s.Click(IDCANCEL);
    });
    CModalDialogScope scope(&view);
    CNumberInputDlg dlg(nullptr, nullptr, nullptr, 1.0, 0);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  }
  EXPECT_EQ(during, GetModuleHandleA("Scrivel.DLL"));
  EXPECT_EQ(flagDuring, 1);
  EXPECT_EQ(AfxGetResourceHandle(), before);
  EXPECT_EQ(view.ModalDialogFlag(), 0);

  // A dialog that throws: both are put back as the exception passes.
  platform::ScopedModalDriver throwing([](platform::ModalSession&) { throw std::runtime_error("driver"); });
  EXPECT_THROW(
      {
        CModalDialogScope scope(&view, "Korrin.DLL");
        EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA("Korrin.DLL"));
        CNumberInputDlg dlg(nullptr, nullptr, nullptr, 1.0, 0);
        dlg.DoModal();
      },
      std::runtime_error);
  EXPECT_EQ(AfxGetResourceHandle(), before);
  EXPECT_EQ(view.ModalDialogFlag(), 0);

  // Nested: the inner scope leaves the outer dialog's flag set.
  {
    CModalDialogScope outer(&view);
    { CModalDialogScope inner(&view, "Missing.DLL"); }
    EXPECT_EQ(view.ModalDialogFlag(), 1);
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA("Scrivel.DLL"));
  }
  EXPECT_EQ(view.ModalDialogFlag(), 0);
}
