// What the measuring command tests share: every result list answered with
// OK, its caption, rows and selected row kept in order.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draft/host/ResultListDlg.h"
#include "platform/ui/ModalDriver.h"

namespace drafttest {

struct ResultRow {
  std::string label, value;
  bool operator==(const ResultRow& other) const { return label == other.label && value == other.value; }
};
using ResultRows = std::vector<ResultRow>;

inline void PrintTo(const ResultRow& row, std::ostream* os) { *os << "{" << row.label << ", " << row.value << "}"; }

class ResultListAnswers {
 public:
  std::vector<ResultRows> reports;
  std::vector<std::string> captions;

 private:
  platform::ScopedModalDriver driver_{[this](platform::ModalSession& s) {
    auto* dlg = s.As<CResultListDlg>();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->m_valueWidth, 11);
    captions.push_back(CStringA(s.Caption()).GetString());
    ResultRows rows;
    for (int i = 0; i < dlg->GetRowCount(); ++i)
      rows.push_back({CStringA(dlg->GetLabel(i)).GetString(), CStringA(dlg->GetValue(i)).GetString()});
    reports.push_back(rows);
    s.Click(IDOK);
  }};
};

}  // namespace drafttest
