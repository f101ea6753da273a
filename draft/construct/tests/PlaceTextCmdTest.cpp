// The text command: texts placed and turned by TAB, texts edited in the text
// dialog, and a dimension's text edited as its parts with the whole
// dimension replaced in one undo step.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "draft/construct/PlaceTextCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/DimensionEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextInputDlg.h"
#include "draft/host/TextPlacement.h"
#include "draft/tables/DimValueDlg.h"
#include "platform/ui/ModalDriver.h"

namespace {

class PlaceTextTest : public ::testing::Test, public CommandBench {
 protected:
  PlaceTextTest() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~PlaceTextTest() override { SetSettingsBacking(std::move(previous_)); }

  // Answers the dialogs in order: each answer acts on its session; a
  // session still running is cancelled. Shown captions are kept.
  void Answer(std::vector<std::function<void(platform::ModalSession&)>> answers) {
    answers_ = std::move(answers);
    driver_.reset();  // the earlier driver goes first, so it cannot restore its own predecessor over this one
    driver_ = std::make_unique<platform::ScopedModalDriver>([this](platform::ModalSession& s) {
      captions.push_back(CStringA(s.Caption()));
      if (!answers_.empty()) {
        auto next = answers_.front();
        answers_.erase(answers_.begin());
        next(s);
      }
      if (s.IsRunning()) s.Click(IDCANCEL);
    });
  }
  static std::function<void(platform::ModalSession&)> Type(const char* text) {
    return [text](platform::ModalSession& s) {
      s.EnterText(CTextInputDlg::kTextEdit, CStringA(text));
      s.Click(IDOK);
    };
  }
  static void Ok(platform::ModalSession& s) { s.Click(IDOK); }

  std::vector<const CTextEntity*> Texts() {
    std::vector<const CTextEntity*> out;
    for (CEntity* e : *view.GetEntityList())
      if (e->IsText()) out.push_back(static_cast<const CTextEntity*>(e));
    return out;
  }
  CTextEntity* PlacePlainText(const char* s, double x, double y) {
    CTextAttrib attr;
    attr.SetHeight(5);
    CTextEntity* t = ConstructTextEntity(0, nullptr, s, x, y, attr);
    view.AddEntityToView(t);
    return t;
  }
  // A dimension of one line and its value text "50" at (100, 100).
  CDimensionEntity* PlaceDimension(const char* shown = "50") {
    auto* dim = ConstructDimensionEntity(0, nullptr);
    dim->AddMember(ConstructLineEntity(0, nullptr, 50, 95, 150, 95));
    CTextAttrib attr;
    attr.SetHeight(5);
    dim->AddMember(ConstructTextEntity(0, nullptr, "50", 100, 100, attr));
    dim->Strings(CDimensionEntity::kValue) = {shown};
    dim->Strings(CDimensionEntity::kPrefix) = {""};
    dim->Strings(CDimensionEntity::kBasicSize) = {"50"};
    dim->Strings(CDimensionEntity::kCode) = {""};
    dim->Strings(CDimensionEntity::kLower) = {""};
    dim->Strings(CDimensionEntity::kUpper) = {""};
    dim->SetTextStyle(1, 1, 0);
    view.AddEntityToView(dim);
    return dim;
  }

  std::vector<CStringA> captions;

 private:
  std::unique_ptr<CSettingsBacking> previous_;
  std::vector<std::function<void(platform::ModalSession&)>> answers_;
  std::unique_ptr<platform::ScopedModalDriver> driver_;
};

}  // namespace

TEST(PlaceTextCmd, TabPressesTurnByRightAnglesFromZero) {
  const std::pair<int, double> cases[] = {{0, 30}, {1, 0}, {2, 90}, {3, 180}, {4, 270}, {5, 0}, {6, 90}};
  for (const auto& [presses, angle] : cases) EXPECT_EQ(CPlaceTextCmd::TabAngle(presses, 30.0), angle) << presses;
}

TEST_F(PlaceTextTest, NewTextsArePlacedAtClicksTurnedByTabUntilTheDialogIsCancelled) {
  view.GetTextFont()->attrib.SetAngle(30);  // the font's own angle, kept without TAB
  Answer({Type("AB"), Type("CD"), Type("EF")});
  Push(new CPlaceTextCmd(300, 1));
  ASSERT_FALSE(stack.IsEmpty());
  for (int i = 0; i < 5; ++i) Char(9, 20, 30);
  Click(20, 30);
  for (int i = 0; i < 2; ++i) Char(9, 60, 30);
  Click(60, 30);
  Move(90, 30);
  Click(90, 30);  // the fourth dialog is cancelled: the command ends
  EXPECT_TRUE(stack.IsEmpty());
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0]->GetText(), "AB");
  EXPECT_EQ(texts[0]->GetTextAttrib().GetAngle(), 0.0);
  EXPECT_NEAR(texts[0]->GetInsertPoint().x, 20, 1e-9);
  EXPECT_EQ(texts[1]->GetText(), "CD");
  EXPECT_EQ(texts[1]->GetTextAttrib().GetAngle(), 90.0);
  EXPECT_EQ(texts[2]->GetTextAttrib().GetAngle(), 30.0);
  EXPECT_EQ(view.GetUndoCount(), 3);
  view.Undo();
  EXPECT_EQ(Texts().size(), 2u);
}

TEST_F(PlaceTextTest, CancelInTheFirstDialogDoesNotStartTheCommand) {
  Answer({});
  Push(new CPlaceTextCmd(300, 1));
  EXPECT_TRUE(stack.IsEmpty());
}

TEST_F(PlaceTextTest, AnEditWithoutChangesRecordsNothingAndAChangedOneReplacesTheText) {
  PlacePlainText("AB", 20, 20);
  Answer({Ok, Type("XY")});
  Push(new CPlaceTextCmd(301, 0));
  Move(21, 21);
  Click(21, 21);
  EXPECT_EQ(view.GetUndoCount(), 0);
  Click(21, 21);
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0]->GetText(), "XY");
  EXPECT_EQ(view.GetUndoCount(), 1);
  EXPECT_EQ(captions, (std::vector<CStringA>{"修改文本", "修改文本"}));
}

TEST_F(PlaceTextTest, ABlockOwnedTextKeepsItsOwner) {
  auto* block = ConstructBlockEntity(0, nullptr);
  CTextAttrib attr;
  attr.SetHeight(5);
  block->AddMember(ConstructTextEntity(0, nullptr, "AB", 20, 20, attr));
  view.AddEntityToView(block);
  Answer({Type("XY")});
  Push(new CPlaceTextCmd(301, 0));
  Move(21, 21);
  Click(21, 21);
  ASSERT_EQ(block->GetMemberCount(), 1);
  ASSERT_TRUE(block->GetMember(0)->IsText());
  EXPECT_EQ(static_cast<CTextEntity*>(block->GetMember(0))->GetText(), "XY");
  EXPECT_EQ(block->GetMember(0)->GetEntityOwner(), block);
}

TEST_F(PlaceTextTest, ADimensionWithoutThePickedStringUsesThePlainEdit) {
  CDimensionEntity* dim = PlaceDimension("60");  // the value array does not hold "50"
  Answer({Type("55")});
  Push(new CPlaceTextCmd(301, 0));
  Move(101, 101);
  Click(101, 101);
  EXPECT_EQ(captions, (std::vector<CStringA>{"修改文本"}));
  EXPECT_EQ(static_cast<CTextEntity*>(dim->GetMember(1))->GetText(), "55");
  EXPECT_EQ(dim->GetMember(1)->GetEntityOwner(), dim);
}

TEST_F(PlaceTextTest, AConfirmedDimensionEditReplacesTheDimensionInOneStep) {
  CDimensionEntity* dim = PlaceDimension();
  Answer({[](platform::ModalSession& s) {
    EXPECT_EQ(CStringA(s.Text(CDimValueDlg::kBasicSizeEdit)), "50");
    s.EnterText(CDimValueDlg::kCodeEdit, CStringA("H7"));
    s.Click(IDOK);
  }});
  Push(new CPlaceTextCmd(301, 0));
  Move(101, 101);
  Click(101, 101);
  EXPECT_EQ(captions, (std::vector<CStringA>{"尺寸数值"}));
  ASSERT_EQ(view.GetEntityList()->GetCount(), 1);
  CEntity* replaced = *view.GetEntityList()->begin();
  ASSERT_TRUE(replaced->IsDimension());
  ASSERT_NE(replaced, dim);
  auto* edited = static_cast<CDimensionEntity*>(replaced);
  EXPECT_EQ(edited->Strings(CDimensionEntity::kValue)[0], "50H7(+0.025/0)");
  EXPECT_EQ(edited->Strings(CDimensionEntity::kCode)[0], "H7");
  EXPECT_EQ(edited->Strings(CDimensionEntity::kUpper)[0], "+0.025");
  ASSERT_EQ(edited->GetMemberCount(), 2);
  EXPECT_EQ(static_cast<CTextEntity*>(edited->GetMember(1))->GetText(), "50H7(+0.025/0)");
  EXPECT_EQ(edited->GetMember(1)->GetEntityOwner(), edited);
  EXPECT_EQ(view.GetUndoCount(), 1);
  view.Undo();
  EXPECT_EQ(*view.GetEntityList()->begin(), dim);
}

TEST_F(PlaceTextTest, ACancelledOrUnchangedDimensionEditChangesNothing) {
  CDimensionEntity* dim = PlaceDimension();
  Push(new CPlaceTextCmd(301, 0));
  for (bool ok : {false, true}) {
    captions.clear();
    if (ok)
      Answer({Ok});
    else
      Answer({});
    Move(101, 101);
    Click(101, 101);
    EXPECT_EQ(captions, (std::vector<CStringA>{"尺寸数值"})) << ok;  // no text dialog after it
    EXPECT_EQ(*view.GetEntityList()->begin(), dim) << ok;
    EXPECT_EQ(view.GetUndoCount(), 0) << ok;
  }
}

namespace {
// A dimension that cannot be cloned.
class CUnclonedDimension : public CDimensionEntity {
 public:
  CUnclonedDimension() : CDimensionEntity(0, nullptr) {}
  CEntity* Clone(int) const override { return nullptr; }
};
}  // namespace

TEST_F(PlaceTextTest, AFailedCloneAfterAConfirmedDimensionEditChangesNothing) {
  auto* dim = new CUnclonedDimension;
  CTextAttrib attr;
  attr.SetHeight(5);
  dim->AddMember(ConstructTextEntity(0, nullptr, "50", 100, 100, attr));
  dim->Strings(CDimensionEntity::kValue) = {"50"};
  view.AddEntityToView(dim);
  Answer({Ok});
  Push(new CPlaceTextCmd(301, 0));
  Move(101, 101);
  Click(101, 101);
  // The plain text dialog does not follow the confirmed dimension dialog.
  EXPECT_EQ(captions, (std::vector<CStringA>{"尺寸数值"}));
  EXPECT_EQ(*view.GetEntityList()->begin(), dim);
  EXPECT_EQ(static_cast<CTextEntity*>(dim->GetMember(0))->GetText(), "50");
  EXPECT_EQ(view.GetUndoCount(), 0);
}

TEST_F(PlaceTextTest, AnEditedTextPlacedInABoxIsPlacedAgainInItsBox) {
  CTextAttrib attr;
  attr.SetHeight(5);
  CTextEntity* boxed = ConstructTextEntityEx(0, nullptr, attr, 10, 10, 70, 30, 40, 20, 4, "AB", kTextAngleNotGiven);
  view.AddEntityToView(boxed);
  const GPoint at = boxed->GetInsertPoint();
  Answer({Type("ABCD")});
  Push(new CPlaceTextCmd(301, 0));
  Move(at.x + 0.5, at.y + 0.5);
  Click(at.x + 0.5, at.y + 0.5);
  ASSERT_EQ(Texts().size(), 1u);
  const CTextEntity* edited = Texts()[0];
  EXPECT_EQ(edited->GetText(), "ABCD");
  EXPECT_EQ(edited->GetPlacementCode(), 4);
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  ASSERT_TRUE(edited->GetPlacementBox(x0, y0, x1, y1));
  EXPECT_NEAR(x0, 10, 1e-9);
  EXPECT_NEAR(y1, 30, 1e-9);
  // Still centred in the box: a longer text starts further left.
  EXPECT_LT(edited->GetInsertPoint().x, at.x);
}
