// Compound curves, equation curves and the expression evaluator.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "draft/host/BlockEntity.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingFile.h"
#include "draft/host/EntityList.h"
#include "draft/host/EquationCurveEntity.h"
#include "draft/host/ExpressionEvaluator.h"
#include "draft/host/LineEntity.h"
#include "platform/core/Charset.h"

namespace {
std::vector<double> Geometry(const CEntity* e) {
  double v[kMaxGeometryValues];
  const int n = e->GetGeometry(v);
  return std::vector<double>(v, v + n);
}

void ExpectNear(const std::vector<double>& a, const std::vector<double>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) EXPECT_NEAR(a[i], b[i], 1e-9) << i;
}

CEquationCurveEntity* Rose(CDrawingGroup* group) {
  auto* e = ConstructEquationCurveEntity(1, group);
  CStringArrayA record;
  for (const char* f : {"玫瑰线", "", "45*sin(4*t)", "t", "0", "360", "4", "1", "1"}) record.Add(f);
  e->SetRecord(record);
  e->SetOrigin(100, 100);
  e->SetAxisType(3);
  e->SetShowAxes(1);
  e->AddCurveSegment(100, 100, 110, 100, 1);
  e->AddCurveSegment(110, 100, 110, 110, 1);
  return e;
}
}  // namespace

TEST(ExpressionEvaluator, ValuesInDegreesAndTheParameter) {
  struct Case {
    const char* text;
    double t;
    double value;
  } cases[] = {
      {"45*sin(4*D[0])", 22.5, 45},      {"d[0]*d[0]", 3, 9},           {"-(2+3)*4", 0, -20},
      {"2 - -3", 0, 5},                  {"1/4+.5", 0, 0.75},           {"COS(60)", 0, 0.5},
      {"tan(45)", 0, 1},                 {"asin(0.5)", 0, 30},          {"acos(-1)", 0, 180},
      {"atan(1)", 0, 45},                {"sqrt(D[0])", 16, 4},         {"1e2/4", 0, 25},
      {"57.295780*(d[0])", 1, 57.29578}, {"sqrt(sin(30)-0.5)", 0, 0},
  };
  const CExpressionEvaluator& eval = GetExpressionEvaluator();
  for (const Case& c : cases) {
    double v = -1;
    EXPECT_EQ(eval.Evaluate(c.text, &v, &c.t), kEvalOk) << c.text;
    EXPECT_NEAR(v, c.value, 1e-9) << c.text;
  }
}

TEST(ExpressionEvaluator, FailuresAreAStatusAndLeaveTheValueAlone) {
  struct Case {
    const char* text;
    int status;
  } cases[] = {
      {"", kEvalSyntaxError},          {"2+", kEvalSyntaxError},       {"(1", kEvalSyntaxError},
      {"1)", kEvalSyntaxError},        {"t*2", kEvalSyntaxError},      {"D[1]", kEvalSyntaxError},
      {"sinh(1)", kEvalSyntaxError},   {"sin 30", kEvalSyntaxError},   {"1/0", kEvalDivideByZero},
      {"1/(D[0]-2)", kEvalDivideByZero}, {"asin(2)", kEvalDomainError}, {"acos(-1.5)", kEvalDomainError},
      {"sqrt(-1)", kEvalDomainError},  {"tan(90)", kEvalDomainError},  {"tan(-270)", kEvalDomainError},
      {"1e308*10", kEvalDomainError},  {".", kEvalSyntaxError},
  };
  const double t = 2;
  for (const Case& c : cases) {
    double v = 7;
    EXPECT_EQ(GetExpressionEvaluator().Evaluate(c.text, &v, &t), c.status) << c.text;
    EXPECT_EQ(v, 7) << c.text;
  }
  const std::string deep = std::string(300, '(') + "1" + std::string(300, ')');
  double v = 0;
  EXPECT_EQ(GetExpressionEvaluator().Evaluate(deep.c_str(), &v, &t), kEvalSyntaxError);
  const std::string minus(100000, '-');
  EXPECT_EQ(GetExpressionEvaluator().Evaluate((minus + "1").c_str(), &v, &t), kEvalSyntaxError);
}

TEST(CurveEntities, SegmentsAreMembersThatStandForTheCurveWhenPicked) {
  CDraftView view;
  auto* curve = ConstructCurveEntity(2, nullptr, 0);
  curve->AddFitPoint(0, 0);
  curve->AddFitPoint(10, 10);
  ASSERT_TRUE(curve->AddCurveSegment(0, 0, 5, 8, 1));
  ASSERT_TRUE(curve->AddCurveSegment(5, 8, 10, 10, 1));
  view.AddEntityToView(curve);
  EXPECT_TRUE(curve->IsCompoundCurve());
  EXPECT_FALSE(curve->IsEquationCurve());
  ASSERT_EQ(curve->GetMemberCount(), 2);
  EXPECT_EQ(curve->GetMember(1)->GetEntityLayer(), 2);
  CEntityList whole, member;
  ASSERT_TRUE(view.PickEntitiesAtPoint(7.5, 9, whole, 0, 1, 0, 0, kPickOrdinary, -1));
  EXPECT_EQ(whole.GetHead(), curve);
  ASSERT_TRUE(view.PickEntitiesAtPoint(7.5, 9, member, 0, 1, 0, 0, kPickEverything, -1));
  EXPECT_EQ(member.GetHead(), curve->GetMember(1));
  EXPECT_EQ(member.GetHead()->GetEntityOwner(), curve);

  // A block takes a segment as a line member too.
  std::unique_ptr<CBlockEntity> block(ConstructBlockEntity(4, nullptr));
  ASSERT_TRUE(block->AddCurveSegment(1, 2, 3, 4, 1));
  ASSERT_TRUE(block->GetMember(0)->IsLine());
  ExpectNear(Geometry(block->GetMember(0)), {1, 2, 3, 4});
}

TEST(CurveEntities, TransformAndCloneCarryTheMembersAndTheCurvesOwnFields) {
  CDrawingGroup group("零件", 2.0, 0, 0);
  std::unique_ptr<CEquationCurveEntity> rose(Rose(&group));
  std::unique_ptr<CEntity> moved(rose->Transform(10, -5, 0, 0, 1, 0, 1));
  ASSERT_NE(moved, nullptr);
  auto* eq = dynamic_cast<CEquationCurveEntity*>(moved.get());
  ASSERT_NE(eq, nullptr);
  EXPECT_NEAR(eq->GetOrigin().x, 110, 1e-9);
  EXPECT_NEAR(eq->GetOrigin().y, 95, 1e-9);
  EXPECT_EQ(eq->GetAxisType(), 3);
  EXPECT_EQ(eq->GetShowAxes(), 1);
  ASSERT_EQ(eq->GetRecord().GetSize(), 9);
  EXPECT_EQ(eq->GetRecord()[2], "45*sin(4*t)");
  ASSERT_EQ(eq->GetMemberCount(), 2);
  ExpectNear(Geometry(eq->GetMember(1)), {120, 95, 120, 105});
  EXPECT_EQ(eq->GetMember(1)->GetEntityOwner(), eq);
  ExpectNear(Geometry(rose->GetMember(1)), {110, 100, 110, 110});  // the source is unchanged

  auto* curve = ConstructCurveEntity(0, &group, 1);
  curve->AddFitPoint(2, 2);
  curve->AddCurveSegment(0, 0, 2, 2, 1);
  std::unique_ptr<CEntity> owned(curve);
  std::unique_ptr<CEntity> mirrored(curve->MirrorCopy(0, 0, 0, 1));
  auto* m = dynamic_cast<CCurveEntity*>(mirrored.get());
  ASSERT_NE(m, nullptr);
  EXPECT_TRUE(m->IsClosed());
  ASSERT_EQ(m->GetShownFitPoints().size(), 1u);
  EXPECT_NEAR(m->GetShownFitPoints()[0].x, -2, 1e-9);
  EXPECT_NEAR(m->GetFitPoints()[0].x, -1, 1e-9);  // group coordinates at scale 2

  EXPECT_EQ((rose->SetAxisType(9), rose->GetAxisType()), 0);
  EXPECT_EQ((rose->SetAxisType(-1), rose->GetAxisType()), 8);
}

TEST(CurveEntities, TheDrawingFileWritesBothKinds) {
  CDraftView view;
  auto* curve = ConstructCurveEntity(0, nullptr, 0);
  curve->AddFitPoint(0, 0);
  curve->AddFitPoint(5, 5);
  curve->AddCurveSegment(0, 0, 5, 5, 1);
  view.AddEntityToView(curve);
  auto* rose = Rose(nullptr);
  view.AddEntityToView(rose);
  const std::string text = FormatDrawingFile(view);
  const std::string expected = "scrivel-drawing 1\n"
                               "curve 0 - open fit 2 0 0 5 5 {\n"
                               "  line 0 - 0 0 5 5\n"
                               "}\n"
                               "eqcurve 1 - \"" + platform::GbkToUtf8("玫瑰线") +
                               ";;45*sin(4*t);t;0;360;4;1;1\" axes 1 kind 1 type 3 at 100 100 {\n"
                               "  line 1 - 100 100 110 100\n"
                               "  line 1 - 110 100 110 110\n"
                               "}\n";
  EXPECT_EQ(text, expected);
}

TEST(CurveEntities, ExplodeBreaksACurveIntoLinesOnlyWithTheCurveBit) {
  std::unique_ptr<CEquationCurveEntity> rose(Rose(nullptr));
  CEntityList parts;
  EXPECT_FALSE(rose->ExplodeByType(parts, kExplodeBlocks));
  EXPECT_TRUE(parts.IsEmpty());
  EXPECT_TRUE(rose->ExplodeByType(parts, kExplodeCurves));
  ASSERT_EQ(parts.GetCount(), 2);
  for (CEntity* e : parts) {
    EXPECT_TRUE(e->IsLine());
    EXPECT_EQ(e->GetEntityOwner(), nullptr);
    delete e;
  }
  EXPECT_EQ(rose->GetMemberCount(), 2);
}
