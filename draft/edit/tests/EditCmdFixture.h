// What the edit command tests share: settings kept in memory for the test,
// and message boxes answered from a queue (the default answer when it is
// empty) with their texts kept in order.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "draft/host/Settings.h"
#include "draft/testsupport/MessageBoxAnswers.h"

class EditCmdFixture : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  EditCmdFixture() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~EditCmdFixture() override { SetSettingsBacking(std::move(previous_)); }

 private:
  std::unique_ptr<CSettingsBacking> previous_;
};
