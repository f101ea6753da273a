// Shared fixtures of the user-interface tests: a manual message clock, a
// recorder of message boxes and a clean window system per test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/Charset.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/Host.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/WindowApi.h"

namespace uitest {

// Records every message box and answers with its default button.
class MessageBoxRecorder {
 public:
  MessageBoxRecorder()
      : scope_([this](const platform::MessageBoxRequest& r) {
          texts.push_back(platform::Utf16ToUtf8(r.text.str()));
          return platform::DefaultMessageBoxAnswer(r.type);
        }) {}
  std::vector<std::string> texts;

 private:
  platform::ScopedMessageBoxHandler scope_;
};

// Each test starts with a manual clock, released keys and an empty queue.
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::UseManualClock(1000);
    platform::ResetKeyState();
    DrainQueue();
  }
  void TearDown() override {
    DrainQueue();
    platform::UseSystemClock();
  }
  static void DrainQueue() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_PAINT) ValidateRect(msg.hwnd, nullptr);
    }
  }
};

inline std::string Utf8(const CStringW& s) { return platform::Utf16ToUtf8(s.str()); }

}  // namespace uitest
