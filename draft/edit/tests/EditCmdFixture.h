// What the edit command tests share: settings kept in memory for the test,
// and message boxes answered from a queue (the default answer when it is
// empty) with their texts kept in order.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

#include "draft/host/Settings.h"
#include "platform/core/MessageBox.h"

class EditCmdFixture : public ::testing::Test {
 protected:
  EditCmdFixture() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~EditCmdFixture() override { SetSettingsBacking(std::move(previous_)); }

  std::deque<int> answers;
  std::vector<CStringA> boxes;
  platform::ScopedMessageBoxHandler handler{[this](const platform::MessageBoxRequest& r) {
    boxes.push_back(CStringA(r.text));
    if (answers.empty()) return IDOK;
    const int a = answers.front();
    answers.pop_front();
    return a;
  }};

 private:
  std::unique_ptr<CSettingsBacking> previous_;
};
