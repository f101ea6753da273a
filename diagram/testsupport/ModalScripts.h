// Answers the modal windows a command opens one after another: each window
// that opens runs the next script of the queue.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <utility>

#include "platform/core/String.h"
#include "platform/ui/ModalDriver.h"

namespace diagramtest {

using ModalScript = std::function<void(platform::ModalSession&)>;

class ModalScriptQueue {
 public:
  explicit ModalScriptQueue(std::deque<ModalScript> scripts)
      : scripts_(std::move(scripts)), driver_([this](platform::ModalSession& s) {
          ASSERT_FALSE(scripts_.empty()) << "no script for " << CStringA(s.Caption()).GetString();
          ModalScript next = std::move(scripts_.front());
          scripts_.pop_front();
          next(s);
        }) {}
  bool Done() const { return scripts_.empty(); }

 private:
  std::deque<ModalScript> scripts_;
  platform::ScopedModalDriver driver_;
};

}  // namespace diagramtest
