#include <gtest/gtest.h>

#include <stdexcept>

#include "draft/framework/CmdStack.h"
#include "draft/framework/tests/RecordingCommand.h"
#include "draft/host/DraftView.h"

namespace {
using Log = std::vector<std::string>;

struct PushStep {
  int id;
  BYTE level;
  int begins;
};
}  // namespace

// The push rule by level and id, case by case: what each push ends and
// deletes, and which command runs afterwards.
TEST(CmdStack, PushRuleByLevelAndId) {
  struct Case {
    const char* name;
    std::vector<PushStep> pushes;
    Log lastPushLog;  // what the last push did
    int current;      // id of the current command afterwards (0: none)
    int count;
  } cases[] = {
      {"same level, other id replaces", {{1, 2, 1}, {2, 2, 1}}, {"1 end", "1 deleted", "2 begin", "2 resume"}, 2, 1},
      {"higher level stacks on a lower one", {{1, 2, 1}, {9, 5, 1}}, {"9 begin", "9 resume"}, 9, 2},
      {"same level and id keeps the running one",
       {{1, 2, 1}, {1, 2, 1}},
       {"1 deleted", "1 resume"},
       1,
       1},
      {"same command below a zoom: the zoom ends, the new one is dropped, the old resumes",
       {{1, 2, 1}, {9, 5, 1}, {1, 2, 1}},
       {"9 end", "9 deleted", "1 deleted", "1 resume"},
       1,
       1},
      {"a drawing command under a zoom: both end, then the new one begins",
       {{1, 2, 1}, {9, 5, 1}, {2, 2, 1}},
       {"9 end", "9 deleted", "1 end", "1 deleted", "2 begin", "2 resume"},
       2,
       1},
      {"a refused begin deletes the new command; the one below is current, not resumed",
       {{1, 2, 1}, {9, 5, 0}},
       {"9 begin", "9 deleted"},
       1,
       1},
      {"a refused begin on an emptied stack leaves none", {{1, 2, 1}, {2, 2, 0}}, {"1 end", "1 deleted", "2 begin", "2 deleted"}, 0, 0},
      {"a lower level command ends the higher one and stacks nothing on it",
       {{4, 4, 1}, {1, 2, 1}},
       {"4 end", "4 deleted", "1 begin", "1 resume"},
       1,
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Log log;
    CDraftView view;
    {
      CCmdStack stack;
      for (size_t i = 0; i < c.pushes.size(); ++i) {
        if (i + 1 == c.pushes.size()) log.clear();
        const PushStep& p = c.pushes[i];
        stack.Push(&view, new CRecordingCommand(log, p.id, p.level, p.begins));
      }
      EXPECT_EQ(log, c.lastPushLog);
      EXPECT_EQ(stack.GetCurrentId(), c.current);
      EXPECT_EQ(stack.GetCount(), c.count);
    }
  }
}

TEST(CmdStack, NullCommandsAndNestedPushes) {
  Log log;
  CDraftView view;
  CCmdStack stack;
  stack.Push(&view, nullptr);
  EXPECT_EQ(stack.PushNested(&view, nullptr), 0);
  EXPECT_TRUE(stack.IsEmpty());
  stack.Push(&view, new CRecordingCommand(log, 1));
  EXPECT_EQ(stack.PushNested(&view, new CRecordingCommand(log, 1)), 1);  // nested: nothing is closed
  EXPECT_EQ(stack.GetCount(), 2);
  EXPECT_EQ(stack.PushNested(&view, new CRecordingCommand(log, 3, 2, 0)), 0);
  EXPECT_EQ(stack.GetCount(), 2);
}

TEST(CmdStack, EventsWithNoCommandDoNothing) {
  CDraftView view;
  CCmdStack stack;
  EXPECT_EQ(stack.OnLButton(0, CPoint(10, 10), &view), 0);
  stack.OnMouseMove(0, CPoint(10, 10), &view);
  stack.OnKeyDown(CPoint(10, 10), 37, 1, 0, &view);
  EXPECT_EQ(stack.OnChar(CPoint(), '5', 1, 0, &view), 0);
  EXPECT_EQ(stack.OnRButton(0, CPoint(), &view), 0);
  EXPECT_EQ(stack.OnTypedInput(&view, "1,2"), 0);
  stack.Interrupt(&view);
  EXPECT_EQ(stack.GetPrompt(), "欢迎使用Zarvex系列软件！");
  EXPECT_EQ(stack.GetStatusText(), "");
  EXPECT_EQ(stack.UpdateCursorState(0, &view), 1);  // a point-input cursor
}

TEST(CmdStack, RightButtonEndsAtTheFirstStepAndClearsPointsLater) {
  Log log;
  CDraftView view;
  CCmdStack stack;
  stack.Push(&view, new CRecordingCommand(log, 1));
  auto* cmd = new CRecordingCommand(log, 2, 5, 1, 3);
  stack.Push(&view, cmd);
  stack.OnLButton(0, CPoint(100, 500), &view);
  ASSERT_EQ(cmd->GetStep(), 1);
  log.clear();
  EXPECT_EQ(stack.OnRButton(0, CPoint(), &view), 1);  // past step 0: the points go, the command stays
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_TRUE(cmd->Points().empty());
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(stack.OnRButton(0, CPoint(), &view), 1);  // the first step: it ends
  EXPECT_EQ(log, (Log{"2 deleted", "1 resume"}));
  EXPECT_EQ(stack.GetCurrentId(), 1);
}

TEST(CmdStack, SkipNextFinishSwallowsOneFinishRequest) {
  Log log;
  CDraftView view;
  CCmdStack stack;
  auto* cmd = new CRecordingCommand(log, 1);
  cmd->doneOnExecute = true;
  stack.Push(&view, cmd);
  stack.SkipNextFinish(0, 0, 0);
  EXPECT_EQ(stack.OnLButton(0, CPoint(), &view), 0);  // done after the click, but the finish is skipped
  EXPECT_EQ(stack.GetCurrentId(), 1);
  EXPECT_EQ(stack.OnRButton(0, CPoint(), &view), 1);  // acts normally again
  EXPECT_TRUE(stack.IsEmpty());
}

TEST(CmdStack, EnterIsAClickUnlessFlagged) {
  Log log;
  CDraftView view;
  CCmdStack stack;
  stack.Push(&view, new CRecordingCommand(log, 1, 2, 1, 1));
  log.clear();
  stack.OnChar(CPoint(10, 590), 13, 1, 0, &view);  // device (10, 590) is drawing (10, 10)
  EXPECT_EQ(log, (Log{"1 execute (10,10)"}));
  log.clear();
  stack.OnChar(CPoint(10, 590), 13, 1, 0x2000, &view);
  stack.OnChar(CPoint(10, 590), 13, 1, 0x80, &view);
  EXPECT_EQ(log, (Log{"1 other char 13", "1 other char 13"}));
}

TEST(CmdStack, EndingManyCommands) {
  Log log;
  CDraftView view;
  {
    CCmdStack stack;
    stack.Push(&view, new CRecordingCommand(log, 1));
    stack.Push(&view, new CRecordingCommand(log, 2, 5));
    log.clear();
    stack.EndAll(&view);
    EXPECT_EQ(log, (Log{"2 end", "2 deleted", "1 end", "1 deleted"}));
    EXPECT_TRUE(stack.IsEmpty());
  }
  {
    CCmdStack stack;
    stack.Push(&view, new CRecordingCommand(log, 1));
    stack.Push(&view, new CRecordingCommand(log, 2, 5));
    log.clear();
    stack.AbortAll(&view);  // from the bottom
    EXPECT_EQ(log, (Log{"1 end", "1 deleted", "2 end", "2 deleted"}));
  }
  {
    CCmdStack stack;
    stack.Push(&view, new CRecordingCommand(log, 1));
    stack.Push(&view, new CRecordingCommand(log, 2, 5));
    log.clear();
    stack.PopView();  // a level-5 top goes without End and without resuming the one below
    EXPECT_EQ(log, (Log{"2 deleted"}));
    stack.PopView();  // level 2: nothing
    EXPECT_EQ(stack.GetCurrentId(), 1);
    log.clear();
  }
  EXPECT_EQ(log, (Log{"1 deleted"}));  // the stack's destructor deletes without End
}

namespace {
// A command whose End fails, as one that loses its view might.
class CFailingEndCommand : public CRecordingCommand {
 public:
  using CRecordingCommand::CRecordingCommand;
  int End(CDraftView* view) override {
    CRecordingCommand::End(view);
    throw std::runtime_error("end failed");
  }
};
}  // namespace

TEST(CmdStack, EndingTheTopWhoseEndFailsStillRemovesIt) {
  Log log;
  CDraftView view;
  CCmdStack stack;
  stack.Push(&view, new CRecordingCommand(log, 1));
  stack.Push(&view, new CFailingEndCommand(log, 2, 5));
  log.clear();
  EXPECT_THROW(stack.EndTop(&view), std::runtime_error);
  EXPECT_EQ(log, (Log{"2 end", "2 deleted"}));
  EXPECT_EQ(stack.GetCount(), 1);
  EXPECT_EQ(stack.GetCurrentId(), 1);
  // An End that works: the one below resumes after the top is deleted.
  stack.Push(&view, new CRecordingCommand(log, 3, 5));
  log.clear();
  stack.EndTop(&view);
  EXPECT_EQ(log, (Log{"3 end", "3 deleted", "1 resume"}));
  EXPECT_EQ(stack.GetCurrentId(), 1);
}

TEST(CmdStack, AbortingGoesOnPastACommandWhoseEndFails) {
  Log log;
  CDraftView view;
  CCmdStack stack;
  stack.Push(&view, new CFailingEndCommand(log, 1));
  stack.Push(&view, new CRecordingCommand(log, 2, 5));
  log.clear();
  EXPECT_NO_THROW(stack.AbortAll(&view));
  EXPECT_EQ(log, (Log{"1 end", "1 deleted", "2 end", "2 deleted"}));
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_EQ(stack.GetCurrent(), nullptr);
}

namespace {
// A command whose Begin fails, as one whose dialog cannot be shown.
class CFailingBeginCommand : public CRecordingCommand {
 public:
  using CRecordingCommand::CRecordingCommand;
  int Begin(CDraftView* view) override {
    CRecordingCommand::Begin(view);
    throw std::runtime_error("begin failed");
  }
};
}  // namespace

// The commands a push ends are gone before the new one begins: when its
// Begin fails, the stack holds what is left, and the command below is
// current without being resumed.
TEST(CmdStack, ABeginThatFailsLeavesTheCommandsBelowCurrent) {
  Log log;
  CDraftView view;
  CCmdStack stack;
  stack.Push(&view, new CRecordingCommand(log, 1));
  stack.Push(&view, new CRecordingCommand(log, 9, 5));
  log.clear();
  EXPECT_THROW(stack.Push(&view, new CFailingBeginCommand(log, 8, 5)), std::runtime_error);
  EXPECT_EQ(log, (Log{"9 end", "9 deleted", "8 begin", "8 deleted"}));
  EXPECT_EQ(stack.GetCount(), 1);
  EXPECT_EQ(stack.GetCurrentId(), 1);
  log.clear();
  EXPECT_THROW(stack.Push(&view, new CFailingBeginCommand(log, 2)), std::runtime_error);
  EXPECT_EQ(log, (Log{"1 end", "1 deleted", "2 begin", "2 deleted"}));
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_EQ(stack.GetCurrent(), nullptr);
  EXPECT_EQ(stack.GetPrompt(), "欢迎使用Zarvex系列软件！");
  EXPECT_EQ(stack.OnLButton(0, CPoint(10, 10), &view), 0);
}
