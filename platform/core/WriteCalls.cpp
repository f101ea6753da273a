#include "platform/core/WriteCalls.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <mutex>

namespace platform {

namespace {

std::mutex g_mutex;
ScopedWriteFailure::Plan* g_plan = nullptr;

// Takes one step of the plan in force: false, with errno set, when it is to
// fail. `size` is the bytes a write asks for, cut to what the device still
// holds.
bool Step(size_t* size) {
  std::lock_guard<std::mutex> lock(g_mutex);
  ScopedWriteFailure::Plan* plan = g_plan;
  if (!plan) return true;
  const int step = plan->counts.steps++;
  if (size) plan->counts.writeStarts.push_back(plan->counts.bytes);
  if (step == plan->failStep) {
    plan->failed = true;
    errno = plan->error;
    return false;
  }
  if (size && *size > 0) {
    const size_t left = plan->budget - std::min(plan->budget, plan->counts.bytes);
    if (left == 0) {
      plan->failed = true;
      errno = plan->error;
      return false;
    }
    *size = std::min(*size, left);
  }
  return true;
}

void Count(ssize_t written) {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (g_plan && written > 0) g_plan->counts.bytes += static_cast<size_t>(written);
}

}  // namespace

ssize_t WriteCall(int fd, const void* data, size_t size) {
  if (!Step(&size)) return -1;
  const ssize_t n = ::write(fd, data, size);
  Count(n);
  return n;
}

int SyncCall(int fd) { return Step(nullptr) ? ::fsync(fd) : -1; }

int CloseCall(int fd) {
  if (!Step(nullptr)) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return ::close(fd);
}

int RenameCall(const char* from, const char* to) { return Step(nullptr) ? std::rename(from, to) : -1; }

ScopedWriteFailure::ScopedWriteFailure(size_t budget, int failStep, int error)
    : plan_{budget, failStep, error, {}, false, nullptr} {
  std::lock_guard<std::mutex> lock(g_mutex);
  plan_.previous = g_plan;
  g_plan = &plan_;
}

ScopedWriteFailure::~ScopedWriteFailure() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (g_plan == &plan_) g_plan = plan_.previous;
}

WriteCallCounts ScopedWriteFailure::Counts() const {
  std::lock_guard<std::mutex> lock(g_mutex);
  return plan_.counts;
}

bool ScopedWriteFailure::Failed() const {
  std::lock_guard<std::mutex> lock(g_mutex);
  return plan_.failed;
}

}  // namespace platform
