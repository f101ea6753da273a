// Captures the message boxes the platform shows while it lives: notes each
// box's text and answers it (IDOK unless a test sets another answer).
#pragma once

#include <vector>

#include "platform/core/MessageBox.h"
#include "platform/core/WinConstants.h"
#include "platform/core/String.h"

namespace diagramtest {

class MessageBoxCapture {
 public:
  explicit MessageBoxCapture(int answer = IDOK) : answer(answer) {}
  MessageBoxCapture(const MessageBoxCapture&) = delete;
  MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

  int Count() const { return static_cast<int>(texts.size()); }
  CStringW Last() const { return texts.empty() ? CStringW() : texts.back(); }

  // The texts of the boxes shown, in order, and the answer to the next box.
  std::vector<CStringW> texts;
  int answer;

 private:
  platform::ScopedMessageBoxHandler handler_{[this](const platform::MessageBoxRequest& request) {
    texts.push_back(request.text);
    return answer;
  }};
};

}  // namespace diagramtest
