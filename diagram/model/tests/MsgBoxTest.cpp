#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "diagram/model/document/DrawMsgBox.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/res/MessageStrings.h"
#include "platform/core/Charset.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Module.h"
#include "platform/core/ScopedResourceModule.h"

namespace {

// The library's message texts in a module of their own, made the current
// resource module: the built-in box takes its texts from the resource chain.
platform::ResourceSet MessageStrings() {
  platform::ResourceSet r;
  AddMessageStrings(r);
  return r;
}

// Records what the chain shows and answers questions with `answer_`.
class MsgBoxChainTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = CMsgBox::c_pMsgBoxFirst; }
  // The built-in box is the tail of the chain, so restoring the head puts
  // back the chain as the library installed it.
  void TearDown() override { CMsgBox::c_pMsgBoxFirst = saved_; }

  std::string ShownText(size_t i) const { return platform::Utf16ToUtf8(shown_.at(i).text.str()); }

  platform::ModuleRegistration module_{u"MessageStrings.DLL", MessageStrings()};
  platform::ScopedResourceModule useStrings_{module_.Handle()};
  int answer_ = IDYES;
  std::vector<platform::MessageBoxRequest> shown_;
  platform::ScopedMessageBoxHandler handler_{[this](const platform::MessageBoxRequest& r) {
    shown_.push_back(r);
    return answer_;
  }};
  CMsgBox* saved_ = nullptr;
};

// A host's box: handles the codes it is given and notes every call.
class HostBox : public CMsgBox {
 public:
  HostBox(std::vector<std::string>& log, std::string name, ULONG handled, CMsgBox* replaced = nullptr)
      : CMsgBox(replaced), log_(log), name_(std::move(name)), handled_(handled) {}
  int HandleNotify(ULONG code, LPCWSTR, LPCWSTR) override {
    log_.push_back(name_ + ":" + std::to_string(code));
    return code == handled_;
  }
  int HandleConfirm(ULONG code, LPCWSTR, int& answer) override {
    log_.push_back(name_ + "?" + std::to_string(code));
    if (code != handled_) return FALSE;
    answer = TRUE;
    return TRUE;
  }

 private:
  std::vector<std::string>& log_;
  std::string name_;
  ULONG handled_;
};

TEST_F(MsgBoxChainTest, TheLibraryInstallsItsOwnBox) {
  EXPECT_EQ(CMsgBox::c_pMsgBoxFirst, CDrawMsgBox::GetInstance());
  EXPECT_EQ(CMsgBox::GetInstance(), nullptr);
  EXPECT_TRUE(CDrawMsgBox::GetInstance()->IsKindOf(RUNTIME_CLASS(CMsgBox)));
}

TEST_F(MsgBoxChainTest, NewestBoxIsAskedFirstAndUnhandledCodesFallThrough) {
  std::vector<std::string> log;
  HostBox older(log, "older", 24);
  HostBox newer(log, "newer", 26);
  CMsgBox::Notify(26);
  CMsgBox::Notify(24);
  CMsgBox::Notify(31);  // neither host box handles it: the built-in one shows it
  EXPECT_EQ(log, (std::vector<std::string>{"newer:26", "newer:24", "older:24", "newer:31", "older:31"}));
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(ShownText(0), "Document was opened Read-Only!");
  EXPECT_EQ(shown_[0].type, static_cast<UINT>(MB_OK));

  log.clear();
  EXPECT_TRUE(CMsgBox::Confirm(26));
  EXPECT_EQ(log, (std::vector<std::string>{"newer?26"}));
}

TEST_F(MsgBoxChainTest, ReplacedBoxLeavesTheChainAtTheNextCall) {
  std::vector<std::string> log;
  {
    HostBox host(log, "host", 1, CDrawMsgBox::GetInstance());
    CMsgBox::Notify(24);  // the built-in box is gone before anyone is asked
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(CMsgBox::c_pMsgBoxFirst, &host);
    EXPECT_FALSE(CMsgBox::Confirm(6));
    EXPECT_TRUE(shown_.empty());
  }
  // No box at all: nothing is shown and every question is answered no.
  EXPECT_EQ(CMsgBox::c_pMsgBoxFirst, nullptr);
  CMsgBox::Notify(24);
  EXPECT_FALSE(CMsgBox::Confirm(1));
  EXPECT_TRUE(shown_.empty());

  // Removing a box that is not in the chain is ignored.
  CMsgBox::Remove(CDrawMsgBox::GetInstance());
  EXPECT_EQ(CMsgBox::c_pMsgBoxFirst, nullptr);
}

TEST_F(MsgBoxChainTest, RemoveUnlinksFromAnyPlaceInTheChain) {
  std::vector<std::string> log;
  HostBox a(log, "a", 0), b(log, "b", 0), c(log, "c", 0);  // none handles 99
  CMsgBox::Remove(&b);
  CMsgBox::Notify(99);
  EXPECT_EQ(log, (std::vector<std::string>{"c:99", "a:99"}));
  CMsgBox::Remove(&c);  // the head
  log.clear();
  CMsgBox::Notify(99);
  EXPECT_EQ(log, (std::vector<std::string>{"a:99"}));
}

TEST_F(MsgBoxChainTest, RouterMemoryHintSilencesTheNextInitFailureOnly) {
  const std::map<ULONG, std::string> text = {
      {1, "About info is already opened for edit!"},
      {4, "1 arcs were routed successfully.\n2 arcs were not processed."},
      {7, "Decreasing canvas size or increasing minumum distance between arcs will reduce memory requirements."},
      {22, "Could NOT initialize Arc Router.  Not enough memory."},
  };
  struct Case {
    std::vector<ULONG> raised;
    std::vector<ULONG> shown;
  } cases[] = {
      {{7, 22}, {7}},
      {{22}, {22}},
      {{7, 22, 22}, {7, 22}},
      {{7, 4, 22}, {7, 4}},  // code 4 leaves the remembered code alone
      {{7, 1, 22}, {7, 1, 22}},
  };
  for (const Case& c : cases) {
    CMsgBox::Notify(1);  // a known remembered code
    shown_.clear();
    for (ULONG code : c.raised) CMsgBox::Notify(code, u"1", u"2");
    std::vector<std::string> want, got;
    for (ULONG code : c.shown) want.push_back(text.at(code));
    for (size_t i = 0; i < shown_.size(); ++i) got.push_back(ShownText(i));
    EXPECT_EQ(got, want) << "case starting with " << c.raised.front() << ", " << c.raised.size() << " codes";
  }
}

TEST_F(MsgBoxChainTest, ArgumentsAreFormattedIntoTheirCodesOnly) {
  struct Case {
    ULONG code;
    const char16_t* s1;
    const char16_t* s2;
    const char* text;
  } cases[] = {
      {4, u"12", u"3", "12 arcs were routed successfully.\n3 arcs were not processed."},
      {25, u"%2", u"5", "Group consists of %2 direct members and 5 sub-members."},
      {25, nullptr, nullptr, "Group consists of  direct members and  sub-members."},
      {8, u"1, 2, 3 or 0", u"x",
       "Bad ArcFlags4OrthogonalLines profile value, must be one of 1, 2, 3 or 0 for Shift, Control, both, or "
       "neither recevtively."},
      {24, u"ignored", nullptr, "Cannot edit text properties"},
  };
  for (const Case& c : cases) {
    shown_.clear();
    CMsgBox::Notify(c.code, c.s1, c.s2);
    ASSERT_EQ(shown_.size(), 1u) << c.code;
    EXPECT_EQ(ShownText(0), c.text) << c.code;
  }
}

TEST_F(MsgBoxChainTest, QuestionsAskYesNoWithTheQuestionIcon) {
  answer_ = IDYES;
  EXPECT_TRUE(CMsgBox::Confirm(3, u"512"));
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(ShownText(0),
            "This operation requires more than 512 megabytes of additional virtual memory, which may cause "
            "excessive swapping.  Continue?");
  EXPECT_EQ(shown_[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  answer_ = IDNO;
  EXPECT_FALSE(CMsgBox::Confirm(7));
  EXPECT_EQ(ShownText(1), "This operation CANNOT be undone!\nAre you sure you want to continue?");
}

TEST_F(MsgBoxChainTest, CodesOutsideTheVocabularyAreNotHandled) {
  CMsgBox::Notify(0);
  CMsgBox::Notify(33);
  EXPECT_FALSE(CMsgBox::Confirm(0));
  EXPECT_FALSE(CMsgBox::Confirm(8));
  EXPECT_TRUE(shown_.empty());
  int answer = 5;
  EXPECT_FALSE(CDrawMsgBox::GetInstance()->HandleConfirm(8, nullptr, answer));
  EXPECT_EQ(answer, 5);
}

TEST_F(MsgBoxChainTest, EveryCodeHasAText) {
  for (ULONG code = 1; code <= 32; ++code) {
    CMsgBox::Notify(3);
    shown_.clear();
    CMsgBox::Notify(code, u"a", u"b");
    ASSERT_EQ(shown_.size(), 1u) << code;
    EXPECT_FALSE(shown_[0].text.IsEmpty()) << code;
  }
  for (ULONG code = 1; code <= 7; ++code) {
    shown_.clear();
    CMsgBox::Confirm(code, u"a");
    ASSERT_EQ(shown_.size(), 1u) << code;
    EXPECT_FALSE(shown_[0].text.IsEmpty()) << code;
  }
}

}  // namespace
