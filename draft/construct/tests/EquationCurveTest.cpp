// Equation curves: the texts of the equation, the dialog and the command.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "draft/construct/CurveEquationCmd.h"
#include "draft/construct/CurveEquationDlg.h"
#include "draft/construct/EquationPickDlg.h"
#include "draft/construct/EquationText.h"
#include "draft/construct/ListPickDlg.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/EquationCurveEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/UndoRecord.h"
#include "draft/host/tests/FileSizeLimit.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/Charset.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ModalDriver.h"

namespace {

std::vector<std::string> Fields(const CStringArrayA& a) {
  std::vector<std::string> out;
  for (INT_PTR i = 0; i < a.GetSize(); ++i) out.push_back(a[i].GetString());
  return out;
}

std::string Gbk(const char* text) { return text; }

class EquationTest : public ::testing::Test {
 protected:
  EquationTest() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {
    CDrawingGroup* part = b.view.GetGroupTable()->AddGroup("零件", 1.0);
    b.view.GetGroupTable()->SetActiveGroup(part);
  }
  ~EquationTest() override {
    b.stack.DeleteAll();
    SetSettingsBacking(std::move(previous_));
  }
  std::string TableFile() const { return scratch.GetFolder() + "/Table/VoskCurveEquation.Tab"; }
  void WriteTable(const std::string& bytes) { std::ofstream(TableFile(), std::ios::binary) << bytes; }
  std::string ReadTable() const {
    std::ifstream in(TableFile(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static CStringA Text(platform::ModalSession& m, int id) { return CStringA(m.Text(id)); }

  CSystemDataScratch scratch;
  CommandBench b;

 private:
  std::unique_ptr<CSettingsBacking> previous_;
};

}  // namespace

TEST(EquationText, ConversionToTheEvaluatorForm) {
  struct Case {
    const char* x;
    const char* y;
    bool polar;
    bool radians;
    const char* xOut;
    const char* yOut;
    const char* message;  // null: converted
  } cases[] = {
      {"t", "tan(t)", false, false, "D[0]", "tan(D[0])", nullptr},
      {"sqrt(t)", "t*t", false, false, "sqrt(D[0])", "D[0]*D[0]", nullptr},
      {"", "asin(t)", true, false, "", "asin(D[0])", nullptr},
      {"", "asin(t)", true, true, "", "asin(57.295780*(57.295780*(d[0])))", nullptr},
      {"", "Sin(Cos(t))", true, true, "", "sin(57.295780*(cos(57.295780*(d[0]))))", nullptr},
      {"5", "2*(t+1)", false, false, "5", "2*(D[0]+1)", nullptr},
      {"", "sin(t", true, true, nullptr, nullptr, "表达式中的括号不匹配!"},
      {"", "sin()+t", true, true, nullptr, nullptr, "三角函数中无内容!"},
      {"", "4t", true, false, nullptr, nullptr, "表达式中的数学函数有错误!"},
      {"1", "2", false, false, nullptr, nullptr, "参数方程有误，请检查后再预览!"},
      {"", "t+t+t+t+t+t+t+t+t+t+t+t+t+t+t+t+t", true, false, nullptr, nullptr, "表达式过长!"},
      {"", "sin(t)+sin(t)+sin(t)+sin(t)", true, true, nullptr, nullptr, "表达式过长!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.y);
    CStringA x = "unchanged", y = "unchanged", message;
    const bool ok = ConvertEquation(c.x, c.y, c.polar && c.radians ? "t" : "t", c.polar, c.radians, x, y, message);
    if (c.message) {
      EXPECT_FALSE(ok);
      EXPECT_EQ(message, c.message);
      EXPECT_EQ(x, "unchanged");
    } else {
      ASSERT_TRUE(ok) << message.GetString();
      EXPECT_EQ(x, c.xOut);
      EXPECT_EQ(y, c.yOut);
    }
  }
  // The parameter in upper case is found in the radian text only before it
  // is lowered: "T" here.
  CStringA x, y, message;
  ASSERT_TRUE(ConvertEquation("", "sin(T)", "T", true, true, x, y, message));
  EXPECT_EQ(y, "sin(57.295780*(d[0]))");
  // A parameter that starts with '(' is skipped behind the function's '('
  // rather than found there again and again.
  EXPECT_FALSE(ConvertEquation("", "sin(t)", "(", true, false, x, y, message));
  EXPECT_EQ(message, "参数方程有误，请检查后再预览!");
}

TEST(EquationText, RecordLinesRoundTrip) {
  CStringArrayA fields;
  ParseEquationLine(kDefaultEquationLine, fields);
  EXPECT_EQ(Fields(fields), (std::vector<std::string>{Gbk("玫瑰线"), "", "45*sin(4*t)", "t", "0", "360", "4", "1", "1"}));
  EXPECT_EQ(FormatEquationLine(fields), kDefaultEquationLine);

  ParseEquationLine(" 圆 ; X(t)= 50*cos(t) ;Y(t)=50*sin(t);t;0;360;5;1;0;", fields);
  EXPECT_EQ(Fields(fields), (std::vector<std::string>{Gbk("圆"), "50*cos(t)", "50*sin(t)", "t", "0", "360", "5", "1", "0"}));
  EXPECT_EQ(FormatEquationLine(fields), "圆;X(t)=50*cos(t);Y(t)=50*sin(t);t;0;360;5;1;0");
  ParseEquationLine("a;X(t)=;Y(t)=;t", fields);
  EXPECT_EQ(Fields(fields), (std::vector<std::string>{"a", "", "", "t"}));
}

TEST(EquationText, DegreeValuesSamplesAndExtents) {
  EXPECT_EQ(FormatDegreeValue(0.523599 * kDegreesPerRadian), "30");
  EXPECT_EQ(FormatDegreeValue(0.03), "0");
  EXPECT_EQ(FormatDegreeValue(12.5), "12.500000");

  // From 180 down to 90 the samples step towards the end.
  const std::vector<double> down = EquationSamples(180, 90, 30, true);
  EXPECT_EQ(down, (std::vector<double>{180, 150, 120, 90}));
  EXPECT_EQ(EquationSamples(0, 90, 30, false), (std::vector<double>{0, 30, 60}));
  EXPECT_TRUE(EquationSamples(0, 90, 0, true).empty());
  EXPECT_EQ(EquationSamples(0, 1e12, 0.01, true).size(), static_cast<size_t>(kMaxEquationSamples));

  const EquationExtents rose = ComputeEquationExtents("", "45*sin(4*D[0])", true, true, 0, 360, 4);
  EXPECT_NEAR(rose.xmax, 45, 5);
  EXPECT_NEAR(rose.ymin, -45, 5);

  // A curve of no extent draws nothing in the preview.
  const EquationExtents none = ComputeEquationExtents("0*D[0]", "0*D[0]", false, true, 0, 360, 4);
  EXPECT_EQ(none.xmax, 0);
  EXPECT_EQ(none.ymin, 0);
  PreviewMapping m;
  EXPECT_FALSE(ComputePreviewMapping(none, 200, 150, m));
  // Samples where the expression has no value give no extent either.
  const EquationExtents failing = ComputeEquationExtents("", "sqrt(0-1-D[0])", true, true, 0, 360, 4);
  EXPECT_FALSE(ComputePreviewMapping(failing, 200, 150, m));
  ASSERT_TRUE(ComputePreviewMapping(rose, 200, 150, m));
  const std::vector<CPoint> pixels = PreviewCurvePixels("", "45*sin(4*D[0])", true, true, 0, 360, 4, m, 200, 150);
  ASSERT_FALSE(pixels.empty());
  for (const CPoint& p : pixels) {
    EXPECT_GE(p.x, 0);
    EXPECT_LE(p.x, 200);
    EXPECT_GE(p.y, 0);
    EXPECT_LE(p.y, 150);
  }
}

// A damaged table may hold a line of any length: splitting it and
// converting its expressions walk it once, so a line of hundreds of
// thousands of characters takes no longer than reading it.
TEST(EquationText, LongLinesAndExpressionsAreTakenInOneWalk) {
  const std::clock_t started = std::clock();
  CStringArrayA fields;
  ParseEquationLine(CStringA(std::string(200000, ';').c_str()), fields);
  EXPECT_EQ(fields.GetSize(), 200000);
  std::string terms;
  for (int i = 0; i < 50000; ++i) terms += "t+";
  std::string sines;
  for (int i = 0; i < 20000; ++i) sines += "sin(t)+";
  CStringA x, y, message;
  EXPECT_FALSE(ConvertEquation("", (terms + "t").c_str(), "t", true, false, x, y, message));
  EXPECT_EQ(message, "表达式过长!");
  EXPECT_FALSE(ConvertEquation("", (sines + "t").c_str(), "t", true, true, x, y, message));
  EXPECT_EQ(message, "表达式过长!");
  EXPECT_FALSE(ConvertEquation("", (sines + "sin(t").c_str(), "t", true, true, x, y, message));
  EXPECT_EQ(message, "表达式中的括号不匹配!");
  EXPECT_LT(std::clock() - started, 10 * CLOCKS_PER_SEC);

  // The walk steps over double-byte characters: a ';' or a parameter that is
  // the trail byte of one is not found there.
  ParseEquationLine("a\xB0;b;c", fields);
  EXPECT_EQ(Fields(fields), (std::vector<std::string>{"a\xB0;b", "c"}));
  ASSERT_TRUE(ConvertEquation("", "\xB0t+t", "t", true, false, x, y, message));
  EXPECT_EQ(y, "\xB0t+D[0]");
}

TEST_F(EquationTest, AcommentOnlyTableYieldsTheRoseWhichIsWrittenBackWhenTheDialogCloses) {
  WriteTable(Gbk(";只有注释\r\n"));
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    EXPECT_EQ(CStringA(m.Caption()), "参数方程曲线");
    EXPECT_EQ(Text(m, CCurveEquationDlg::kName), "玫瑰线");
    EXPECT_EQ(Text(m, CCurveEquationDlg::kYEdit), "45*sin(4*t)");
    EXPECT_EQ(Text(m, CCurveEquationDlg::kYLabel), "ρ(t)=");
    EXPECT_FALSE(m.IsEnabled(CCurveEquationDlg::kXEdit));
    m.Click(IDCANCEL);
  });
  CCurveEquationDlg dlg(nullptr, nullptr);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(ReadTable(), Gbk(";只有注释\r\n玫瑰线;;ρ(t)=45*sin(4*t);t;0;360;4;1;1\r\n"));
}

// The table cannot be written whole when the dialog closes (a file-size
// limit stands in for a full disk): the failure is reported and the table
// keeps its equations.
TEST_F(EquationTest, ATableThatCannotBeWrittenKeepsItsEquations) {
  WriteTable(Gbk(";方程表\r\n圆;X(t)=50*cos(t);Y(t)=50*sin(t);t;0;360;5;1;0\r\n玫瑰线;;ρ(t)=45*sin(4*t);t;0;360;4;1;1\r\n"));
  const std::string before = ReadTable();
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) { m.Click(IDCANCEL); });
  {
    drafttest::ScopedFileSizeLimit limit(8);
    CCurveEquationDlg dlg(nullptr, nullptr);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  }
  EXPECT_EQ(b.boxes.size(), 1u);
  EXPECT_EQ(ReadTable(), before);
}

TEST_F(EquationTest, UnitSwitchingConvertsTheRangeAndTheStepIsChecked) {
  WriteTable(Gbk("圆;X(t)=50*cos(t);Y(t)=50*sin(t);t;30;360;5;1;0\r\n"));
  drafttest::MessageBoxAnswers shown;
  std::vector<CStringA>& boxes = shown.boxes;
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    EXPECT_EQ(Text(m, CCurveEquationDlg::kStart), "30");
    m.Click(CCurveEquationDlg::kRadians);
    EXPECT_EQ(Text(m, CCurveEquationDlg::kStart), "0.523599");
    EXPECT_EQ(Text(m, CCurveEquationDlg::kEnd), "6.283185");
    m.Click(CCurveEquationDlg::kDegrees);
    EXPECT_EQ(Text(m, CCurveEquationDlg::kStart), "30");
    EXPECT_EQ(Text(m, CCurveEquationDlg::kEnd), "360");
    m.EnterText(CCurveEquationDlg::kStep, CStringA("0.5"));
    m.Click(IDOK);
    EXPECT_TRUE(m.IsRunning());
    m.Click(IDCANCEL);
  });
  CCurveEquationDlg dlg(nullptr, nullptr);
  dlg.DoModal();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "请输入的参变量变化步长在 1.0--10.0 之间!");
}

// The unit and coordinate radios show the record the dialog opens with.
TEST_F(EquationTest, TheRadiosShowTheUnitAndSystemOfTheRecord) {
  struct Case {
    const char* line;
    int checked[2];    // the unit radio checked, the system radio checked
    int unchecked[2];  // the other two
  } cases[] = {
      {"圆;X(t)=50*cos(t);Y(t)=50*sin(t);t;0;360;5;1;0",
       {CCurveEquationDlg::kDegrees, CCurveEquationDlg::kCartesian},
       {CCurveEquationDlg::kRadians, CCurveEquationDlg::kPolar}},
      {"螺线;;ρ(t)=2*t;t;0;6.28;0.1;0;1",
       {CCurveEquationDlg::kRadians, CCurveEquationDlg::kPolar},
       {CCurveEquationDlg::kDegrees, CCurveEquationDlg::kCartesian}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    WriteTable(std::string(c.line) + "\r\n");
    platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
      for (int id : c.checked) EXPECT_EQ(m.CheckState(id), BST_CHECKED) << id;
      for (int id : c.unchecked) EXPECT_EQ(m.CheckState(id), BST_UNCHECKED) << id;
      m.Click(IDCANCEL);
    });
    CCurveEquationDlg dlg(nullptr, nullptr);
    dlg.DoModal();
  }
}

TEST_F(EquationTest, OkConvertsFromTheControlsEvenAfterAPreviewOfAnotherSystem) {
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    m.Click(CCurveEquationDlg::kPreview);  // the rose, polar
    m.Click(CCurveEquationDlg::kCartesian);
    m.EnterText(CCurveEquationDlg::kXEdit, CStringA("10*t"));
    m.EnterText(CCurveEquationDlg::kYEdit, CStringA("t"));
    m.Click(IDOK);
  });
  CCurveEquationDlg dlg(nullptr, nullptr);
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_STREQ(dlg.GetXBuffer(), "10*D[0]");
  EXPECT_STREQ(dlg.GetYBuffer(), "D[0]");
  EXPECT_EQ(dlg.GetRecord()[kEqSystem], "0");
  EXPECT_NEAR(dlg.GetExtents().xmax, 10 * 356, 1e-9);
}

TEST_F(EquationTest, TheRoseIsPlacedAsOneCurveOfNinetySegments) {
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    m.Choose(CCurveEquationDlg::kLineType, 0);  // 细实线
    m.Click(IDOK);
  });
  auto* cmd = b.Push(new CCurveEquationCmd(90, nullptr));
  ASSERT_FALSE(b.stack.IsEmpty());
  EXPECT_EQ(b.stack.GetPrompt(), "确定曲线放置位置(Tab键切换坐标轴类型)");
  b.Char(9, 200, 200);
  EXPECT_EQ(cmd->GetCurve()->GetAxisType(), 1);
  b.Move(200, 200);
  b.Click(200, 200);
  EXPECT_TRUE(b.stack.IsEmpty());
  ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
  auto* curve = dynamic_cast<CEquationCurveEntity*>(b.view.GetEntityList()->GetHead());
  ASSERT_NE(curve, nullptr);
  EXPECT_EQ(curve->GetMemberCount(), 90);
  EXPECT_EQ(curve->GetLineKind(), 2);
  EXPECT_EQ(curve->GetEntityLayer(), GetLineKindLayer(2));
  EXPECT_NEAR(curve->GetOrigin().x, 200, 1e-9);
  EXPECT_EQ(curve->GetAxisType(), 1);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
}

// A curve placed at a typed point ends the command as a click does.
TEST_F(EquationTest, ACurvePlacedAtATypedPointEndsTheCommand) {
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) { m.Click(IDOK); });
  b.Push(new CCurveEquationCmd(90, nullptr));
  ASSERT_FALSE(b.stack.IsEmpty());
  b.stack.OnTypedInput(&b.view, "120,80");
  EXPECT_TRUE(b.stack.IsEmpty());
  ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
  auto* curve = dynamic_cast<CEquationCurveEntity*>(b.view.GetEntityList()->GetHead());
  ASSERT_NE(curve, nullptr);
  EXPECT_NEAR(curve->GetOrigin().x, 120, 1e-9);
  EXPECT_NEAR(curve->GetOrigin().y, 80, 1e-9);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
}

TEST_F(EquationTest, ACurveFrom180To90RunsBetweenThem) {
  WriteTable(Gbk("弧;;ρ(t)=50+0*t;t;180;90;5;1;1\r\n"));
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) { m.Click(IDOK); });
  b.Push(new CCurveEquationCmd(90, nullptr));
  b.Click(300, 300);
  ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
  auto* curve = dynamic_cast<CEquationCurveEntity*>(b.view.GetEntityList()->GetHead());
  ASSERT_NE(curve, nullptr);
  ASSERT_EQ(curve->GetMemberCount(), 18);
  // Axis type 0 mirrors x: the arc of 180..90 degrees lies at x >= 300, y >= 300.
  for (int i = 0; i < curve->GetMemberCount(); ++i) {
    double v[kMaxGeometryValues];
    curve->GetMember(i)->GetGeometry(v);
    EXPECT_GE(v[0], 300 - 1e-9);
    EXPECT_GE(v[1], 300 - 1e-9);
  }
}

TEST_F(EquationTest, AnEditedCurveComesBackOnEndAndIsReplacedWhenPlaced) {
  auto* old = ConstructEquationCurveEntity(0, b.view.GetCurrentGroup());
  CStringArrayA record;
  ParseEquationLine("圆;X(t)=50*cos(t);Y(t)=50*sin(t);t;0;360;5;1;0", record);
  old->SetRecord(record);
  old->SetLineKind(5);
  old->AddCurveSegment(0, 0, 1, 1, 1);
  b.view.AddEntityToView(old);
  std::vector<CStringA> names;
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    names.push_back(Text(m, CCurveEquationDlg::kName));
    EXPECT_EQ(Text(m, CCurveEquationDlg::kLineType), "虚线");
    m.Click(IDOK);
  });
  b.Push(new CCurveEquationCmd(90, old));
  EXPECT_FALSE(b.view.IsInDrawing(old));
  b.stack.EndAll(&b.view);
  EXPECT_TRUE(b.view.IsInDrawing(old));
  EXPECT_EQ(b.view.GetUndoCount(), 0);

  b.Push(new CCurveEquationCmd(90, old));
  b.Click(100, 100);
  EXPECT_FALSE(b.view.IsInDrawing(old));
  ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
  EXPECT_EQ(b.view.GetLastUndoRecord()->GetOldEntities(), std::vector<CEntity*>{old});
  ASSERT_TRUE(b.view.Undo());
  EXPECT_TRUE(b.view.IsInDrawing(old));
  EXPECT_EQ(names, (std::vector<CStringA>{"圆", "圆"}));
}

TEST_F(EquationTest, TheListButtonsStoreTakeAndRemoveEquationsAndTheTableKeepsItsCommentsFirst) {
  WriteTable(Gbk("圆;X(t)=50*cos(t);Y(t)=50*sin(t);t;0;360;5;1;0\r\n;注释\r\n螺线;;ρ(t)=0.2*t;t;0;720;5;1;1\r\n"));
  drafttest::MessageBoxAnswers shown;
  std::vector<CStringA>& boxes = shown.boxes;
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    const CStringA caption(m.Caption());
    if (caption == "参数方程") {  // take the third line
      EXPECT_TRUE(m.DoubleClick(CEquationPickDlg::kList, 2));
      return;
    }
    if (caption == "删除方程") {  // remove the first line
      auto* dlg = m.As<CListPickDlg>();
      ASSERT_NE(dlg, nullptr);
      static_cast<CListBox*>(dlg->GetDlgItem(CListPickDlg::kList))->SetSel(0, TRUE);
      m.Click(IDOK);
      return;
    }
    m.EnterText(CCurveEquationDlg::kName, CStringA("新"));
    m.Click(CCurveEquationDlg::kStore);  // on top: 新, 圆, 螺线
    m.Click(CCurveEquationDlg::kTake);
    EXPECT_EQ(Text(m, CCurveEquationDlg::kName), "螺线");
    EXPECT_EQ(Text(m, CCurveEquationDlg::kEnd), "720");
    m.Click(CCurveEquationDlg::kRemove);
    m.Click(IDCANCEL);
  });
  CCurveEquationDlg dlg(nullptr, nullptr);
  dlg.DoModal();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "确实要删除选定的 1 个方程吗?");
  EXPECT_EQ(ReadTable(), Gbk(";注释\r\n圆;X(t)=50*cos(t);Y(t)=50*sin(t);t;0;360;5;1;0\r\n螺线;;ρ(t)=0.2*t;t;0;720;5;1;1\r\n"));
}

TEST_F(EquationTest, AMissingTableOpensEmptyWithTheTemplatesListsAndClosingCreatesIt) {
  std::remove(TableFile().c_str());
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    EXPECT_EQ(Text(m, CCurveEquationDlg::kName), "");
    EXPECT_EQ(Text(m, CCurveEquationDlg::kYEdit), "");
    auto* step = static_cast<CComboBox*>(m.As<CCurveEquationDlg>()->GetDlgItem(CCurveEquationDlg::kStep));
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->GetCount(), 5);  // the template's own list
    m.Click(IDCANCEL);
  });
  CCurveEquationDlg dlg(nullptr, nullptr);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.GetRecord().GetSize(), 0);
  std::ifstream created(TableFile(), std::ios::binary);
  EXPECT_TRUE(created.good());
  EXPECT_EQ(ReadTable(), "");
}

TEST_F(EquationTest, EachMissingOrWrongFieldIsRefusedWithItsMessageAndTheDialogStaysOpen) {
  WriteTable(Gbk("圆;X(t)=50*cos(t);Y(t)=50*sin(t);t;0;360;5;1;0\r\n"));
  struct Case {
    int control;
    const char* text;
    bool radians;
    const char* message;
  } cases[] = {
      {CCurveEquationDlg::kXEdit, " ", false, "请输入正确的表达式!"},
      {CCurveEquationDlg::kYEdit, "", false, "请输入正确的表达式!"},
      {CCurveEquationDlg::kParameter, " ", false, "请输入参数变量!"},
      {CCurveEquationDlg::kParameter, "ASin", false, "参变量与数学函数同名!"},
      {CCurveEquationDlg::kParameter, "sqrt", false, "参变量与数学函数同名!"},
      {CCurveEquationDlg::kStart, "", false, "请输入参变量的起始值!"},
      {CCurveEquationDlg::kEnd, "", false, "请输入参变量的终止值!"},
      {CCurveEquationDlg::kStep, "", false, "请输入参变量的变化步长!"},
      {CCurveEquationDlg::kStep, "10.5", false, "请输入的参变量变化步长在 1.0--10.0 之间!"},
      {CCurveEquationDlg::kStep, "0.5", true, "请输入的参变量变化步长在 0.01--0.4 之间!"},
      {CCurveEquationDlg::kStep, "0.005", true, "请输入的参变量变化步长在 0.01--0.4 之间!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    drafttest::MessageBoxAnswers shown;
    std::vector<CStringA>& boxes = shown.boxes;
    platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
      if (c.radians) m.Click(CCurveEquationDlg::kRadians);
      m.EnterText(c.control, CStringA(c.text));
      m.Click(IDOK);
      EXPECT_TRUE(m.IsRunning());
      m.Click(IDCANCEL);
    });
    CCurveEquationDlg dlg(nullptr, nullptr);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], c.message);
  }
}
