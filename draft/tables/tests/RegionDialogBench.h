// What the table-in-region and fill-text tests share: a view and command
// stack whose Quorvel table-in-region dialogs are answered from a queue
// (OK with a text and a text height, or Cancel), the settings in memory.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/host/LineEntity.h"
#include "draft/host/RegionTableDlg.h"
#include "draft/host/Settings.h"
#include "draft/host/TableEntity.h"
#include "platform/ui/ModalDriver.h"

struct RegionAnswer {
  bool ok = true;
  const char* text = "A;B;C";
  int height = 40;  // word 0, tenths
};

class RegionBench : public CommandBench {
 public:
  RegionBench() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~RegionBench() { SetSettingsBacking(std::move(previous_)); }

  void Box(double x0, double y0, double x1, double y1) {
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x0, y0, x1, y0));
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x1, y0, x1, y1));
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x1, y1, x0, y1));
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x0, y1, x0, y0));
  }
  void Right() { stack.OnRButton(0, At(1, 1), &view); }
  // The tables of the drawing, in drawing order.
  std::vector<CTableEntity*> Tables() {
    std::vector<CTableEntity*> out;
    for (CEntity* e : *view.GetEntityList())
      if (e->IsTable()) out.push_back(static_cast<CTableEntity*>(e));
    return out;
  }

  std::deque<RegionAnswer> answers;
  int dialogs = 0;

 private:
  std::unique_ptr<CSettingsBacking> previous_;
  platform::ScopedModalDriver driver_{[this](platform::ModalSession& s) {
    ASSERT_NE(s.As<CRegionTableDlg>(), nullptr);
    EXPECT_EQ(view.ModalDialogFlag(), 1);
    ++dialogs;
    const RegionAnswer a = answers.empty() ? RegionAnswer{} : answers.front();
    if (!answers.empty()) answers.pop_front();
    if (!a.ok) {
      s.Click(IDCANCEL);
      return;
    }
    s.EnterText(kRegionTableTextEdit, CStringW(CStringA(a.text)));
    CStringA height;
    height.Format("%d", a.height);
    s.EnterText(kRegionTableWordEdit + kWordTextHeight, CStringW(height));
    s.Click(IDOK);
  }};
};

