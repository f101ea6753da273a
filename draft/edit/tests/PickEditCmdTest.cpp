// Pick and edit: a requirement block starts the requirements command on
// top (the editor confirmed: it runs over pick-and-edit; cancelled: nothing
// runs), and an entity without an editor in this build reports it.
#include <gtest/gtest.h>

#include <memory>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/PickEditCmd.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TextBlockEntity.h"
#include "draft/tables/TecReqCmd.h"
#include "draft/tables/TecReqDlg.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/Exceptions.h"
#include "platform/ui/ModalDriver.h"

namespace {

class PickEditCmdTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>()); }
  void TearDown() override { SetSettingsBacking(std::move(previous_)); }
  CTextBlockEntity* AddBlock() {
    CStringArrayA items;
    items.Add("一\r\n");
    CTextBlockEntity* block =
        ConstructTextBlockEntity(0, nullptr, 100, 500, "T", items, CTextAttrib(), CTextAttrib(), 7, 5, 3);
    UpdateTextBlock(block);
    b.view.AddEntityToView(block);
    return block;
  }

  CSystemDataScratch scratch_;
  std::unique_ptr<CSettingsBacking> previous_;
  drafttest::MessageBoxAnswers answers_{IDNO};
  CommandBench b;
};

TEST_F(PickEditCmdTest, ARequirementBlockStartsTheRequirementsCommandOnTop) {
  AddBlock();
  auto* cmd = b.Push(new CPickEditCmd(309));
  ASSERT_EQ(b.stack.GetCurrent(), cmd);
  for (int button : {IDCANCEL, IDOK}) {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      if (s.As<CTecReqDlg>()) s.Click(button);
    });
    b.Click(101, 494);  // on the block's title
    EXPECT_EQ(cmd->IsPicked(), 1);
    EXPECT_EQ(b.view.GetSelectionCount(), 0);
    auto* top = dynamic_cast<CTecReqCmd*>(b.stack.GetCurrent());
    if (button == IDCANCEL) {
      EXPECT_EQ(b.stack.GetCurrent(), cmd);
      continue;
    }
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->GetId(), 61551);
    EXPECT_NE(top->GetExistingBlock(), nullptr);
    // Abandoned: the block is back, and pick-and-edit runs again.
    b.stack.OnRButton(0, CommandBench::At(300, 300), &b.view);
    EXPECT_EQ(b.stack.GetCurrent(), cmd);
  }
}

TEST_F(PickEditCmdTest, AnEntityWithoutAnEditorIsReported) {
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 300, 100));
  auto* cmd = b.Push(new CPickEditCmd(309));
  EXPECT_THROW(b.Click(200, 100), CNotSupportedException);
  EXPECT_EQ(cmd->IsPicked(), 1);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  EXPECT_EQ(b.view.GetUndoCount(), 0);
}

}  // namespace
