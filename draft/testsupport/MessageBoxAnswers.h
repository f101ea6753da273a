// Message boxes answered for a test: the text of each box is kept in order
// (GBK), and the answer is the first one queued in `answers`, else `answer`.
// A fixture derives from it, so that its tests read `boxes` and set
// `answer` or `answers` themselves.
#pragma once

#include <deque>
#include <vector>

#include "platform/core/MessageBox.h"
#include "platform/core/String.h"
#include "platform/core/WinConstants.h"

namespace drafttest {

class MessageBoxAnswers {
 public:
  explicit MessageBoxAnswers(int defaultAnswer = IDOK) : answer(defaultAnswer) {}

  std::vector<CStringA> boxes;
  std::deque<int> answers;
  int answer;

 private:
  platform::ScopedMessageBoxHandler handler_{[this](const platform::MessageBoxRequest& r) {
    boxes.push_back(CStringA(r.text));
    if (answers.empty()) return answer;
    const int next = answers.front();
    answers.pop_front();
    return next;
  }};
};

}  // namespace drafttest
