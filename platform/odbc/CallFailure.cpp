#include "platform/odbc/CallFailure.h"

#include <mutex>

#include "platform/odbc/OdbcHandles.h"

namespace platform::odbc {

namespace {

std::mutex g_mutex;
ScopedSqlFailure::Plan* g_plan = nullptr;

}  // namespace

ScopedSqlFailure::ScopedSqlFailure(int failAt, const char* state, const char* message)
    : plan_{failAt, state, message, 0, {}, nullptr} {
  std::lock_guard<std::mutex> lock(g_mutex);
  plan_.previous = g_plan;
  g_plan = &plan_;
}

ScopedSqlFailure::~ScopedSqlFailure() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (g_plan == &plan_) g_plan = plan_.previous;
}

int ScopedSqlFailure::Calls() const {
  std::lock_guard<std::mutex> lock(g_mutex);
  return plan_.calls;
}

std::string ScopedSqlFailure::FailedCall() const {
  std::lock_guard<std::mutex> lock(g_mutex);
  return plan_.failed;
}

bool FailsOnPlan(const char* function, OdbcHandle* handle) {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_plan || g_plan->calls++ != g_plan->failAt) return false;
  g_plan->failed = function;
  if (handle) handle->Fail(g_plan->state.c_str(), g_plan->message);
  return true;
}

}  // namespace platform::odbc
