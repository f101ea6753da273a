// Runs a table dialog modally for a test: the font dialog it opens is
// confirmed; in each other session `act` works, then a session still
// running is cancelled. `act` must have run at least once.
#pragma once

#include <gtest/gtest.h>

#include "draft/framework/ModalDialogScope.h"
#include "draft/tables/BillFontDlg.h"
#include "platform/ui/ModalDriver.h"

namespace tabletest {

template <class Dialog, class Act>
INT_PTR RunConfirmingFont(Dialog& dlg, const Act& act) {
  int acted = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    if (s.As<CBillFontDlg>()) {
      EXPECT_TRUE(s.Click(IDOK));
      return;
    }
    ++acted;
    act(dlg, s);
    if (s.IsRunning()) s.Click(IDCANCEL);
  });
  CModalDialogScope scope(nullptr);
  const INT_PTR result = dlg.DoModal();
  EXPECT_GT(acted, 0);
  return result;
}

}  // namespace tabletest
