// A module of dialog templates on the resource chain, and a scripted modal
// driver: each modal window that starts takes the next script of the queue.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

#include "platform/core/ExtensionModule.h"
#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace uitest {

class DialogFixture : public UiTest {
 protected:
  using Script = std::function<void(platform::ModalSession&)>;

  // The templates of the module under test.
  virtual platform::ResourceSet Resources() = 0;

  void SetUp() override {
    UiTest::SetUp();
    module_ = std::make_unique<platform::ModuleRegistration>(u"UiDialogs.DLL", Resources());
    record_ = new CDynLinkLibrary(module_->Handle(), module_->Handle());
    driver_ = std::make_unique<platform::ScopedModalDriver>([this](platform::ModalSession& session) {
      ++modalRuns;
      if (scripts.empty()) {
        ADD_FAILURE() << "a modal window started with no script left";
        return;
      }
      Script script = std::move(scripts.front());
      scripts.pop_front();
      script(session);
    });
  }

  void TearDown() override {
    driver_.reset();
    delete record_;
    module_.reset();
    EXPECT_TRUE(scripts.empty()) << scripts.size() << " script(s) never ran";
    UiTest::TearDown();
  }

  HINSTANCE Module() const { return module_->Handle(); }

  std::deque<Script> scripts;
  int modalRuns = 0;

 private:
  std::unique_ptr<platform::ModuleRegistration> module_;
  CDynLinkLibrary* record_ = nullptr;
  std::unique_ptr<platform::ScopedModalDriver> driver_;
};

}  // namespace uitest
