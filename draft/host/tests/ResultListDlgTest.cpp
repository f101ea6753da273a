#include <gtest/gtest.h>

#include "draft/host/ResultListDlg.h"
#include <vector>

#include "platform/core/Module.h"
#include "platform/core/ScopedResourceModule.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/ModalDriver.h"

// The dialog from Korrin's template: labels and values in two columns, the
// caption given, the value column as wide as the display member says.
TEST(ResultListDlgTest, ShowsLabelsAndValuesInTwoColumns) {
  CStringArray labels, values;
  labels.Add("面积1");
  values.Add("314.16");
  labels.Add("总面积");  // a label without a value
  platform::ScopedResourceModule korrin("Korrin.DLL");
  CResultListDlg* dlg = ConstructResultListDlg(nullptr, labels, values, 0, 0, 1.0, "测量面积", 0, 10);
  dlg->m_valueWidth = 11;
  struct Row {
    CStringW label, value;
  };
  std::vector<Row> rows;
  CStringW caption;
  int valueWidth = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    caption = s.Caption();
    auto* list = static_cast<CListCtrl*>(CWnd::FromHandle(s.Control(kResultListControl)));
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < list->GetItemCount(); ++i) rows.push_back({list->GetItemText(i, 0), list->GetItemText(i, 1)});
    valueWidth = list->GetColumnWidth(1);
    s.Click(IDOK);
  });
  EXPECT_EQ(dlg->DoModal(), IDOK);
  DestroyResultListDlg(dlg);
  EXPECT_EQ(caption, CStringW(u"测量面积"));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].label, CStringW(u"面积1"));
  EXPECT_EQ(rows[0].value, CStringW(u"314.16"));
  EXPECT_EQ(rows[1].label, CStringW(u"总面积"));
  EXPECT_EQ(rows[1].value, CStringW(u""));
  EXPECT_EQ(valueWidth, 11 * 7);
}
