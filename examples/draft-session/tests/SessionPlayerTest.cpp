#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "draft/framework/CmdBase.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Messages.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/UndoRecord.h"
#include "examples/draft-session/SessionPlayer.h"
#include "platform/core/Charset.h"
#include "platform/core/WinConstants.h"

using namespace draftsession;

namespace {

CString GbkString(const char* utf8) { return CString(platform::Utf8ToGbk(utf8).c_str()); }

// The answers the segment command's questions got, in order.
std::vector<int> g_questionAnswers;

// A small two-point command: a line from the first point to the second, one
// undo record each; Q shows a message box, Y asks a question.
class CSegmentCmd : public CCmdBase {
 public:
  CSegmentCmd(int id, CDraftView* view) : CCmdBase(id, view) {
    pointCount_ = 2;
    prompts_ = {GbkString("输入起点"), GbkString("输入终点")};
  }
  int OnOtherChar(CDraftView*, UINT ch, UINT, double&, double&) override {
    if (ch == 'Q') ShowErrorMessage(GbkString("没有可用的线段"));
    if (ch == 'Y') g_questionAnswers.push_back(ShowMessage(GbkString("保留原图？"), MB_YESNOCANCEL | MB_ICONQUESTION));
    return 0;
  }
  void Execute(CDraftView* view) override {
    const PointRec& s = points_[0];
    const PointRec& e = points_[1];
    CEntity* line = ConstructLineEntity(0, view->GetCurrentGroup(), s.x, s.y, e.x, e.y);
    CUndoRecord* record = ConstructUndoAddEntity(line);
    view->AddEntityToView(line);
    view->PushUndoRecord(record);
    points_.clear();
    step_ = 0;
  }
};

CommandRegistry TestCommands() {
  CommandRegistry r;
  r.Add("segment", "a line from two points", [](CDraftView& v) { return new CSegmentCmd(1, &v); });
  r.Add("root", "the root command", [](CDraftView& v) { return new CCmdBase(2, &v); });
  return r;
}

struct Replay {
  explicit Replay(const std::string& text) : commands(TestCommands()), player(commands, out) {
    const Script script = ParseScript(text);
    EXPECT_TRUE(script.Ok());
    ok = player.Play(script);
  }
  std::vector<std::vector<double>> Lines() {
    std::vector<std::vector<double>> lines;
    for (CEntity* e : *player.View().GetEntityList()) {
      double v[kMaxGeometryValues];
      const int n = e->GetGeometry(v);
      lines.emplace_back(v, v + n);
    }
    return lines;
  }
  CommandRegistry commands;
  std::ostringstream out;
  SessionPlayer player;
  bool ok = false;
};

using Lines = std::vector<std::vector<double>>;

}  // namespace

// The mouse, a dialog answered through the modal driver, undo and redo, and
// what the user saw, in order.
TEST(SessionPlayer, ReplaysMouseDialogsUndoAndRedoAndPrintsWhatTheUserSees) {
  Replay r(
      "view 400 300 4\n"
      "group 零件 2\n"
      "push segment\n"
      "move 10 10\n"
      "click\n"
      "char 5\n"
      "dialog \"坐标输入\" 1004=50 1005=20 ok\n"
      "click 20 30\n"
      "click 40 30\n"
      "undo\n"
      "undo\n"
      "redo\n"
      "char Q\n"
      "type 1,x\n");
  ASSERT_TRUE(r.ok) << r.player.Error().message;
  // The typed values are relative to the origin and scaled by the group.
  EXPECT_EQ(r.Lines(), (Lines{{10, 10, 100, 40}}));
  EXPECT_EQ(r.player.View().GetRedoCount(), 1);
  EXPECT_STREQ(r.player.View().GetCurrentGroup()->GetGroupName(), GbkString("零件"));
  EXPECT_EQ(r.out.str(),
            "  prompt: 欢迎使用Zarvex系列软件！\n"
            "1> view 400 300 4\n"
            "2> group 零件 2\n"
            "  group 零件 (scale 2) is current\n"
            "3> push segment\n"
            "  prompt: 输入起点\n"
            "4> move 10 10\n"
            "5> click\n"
            "  prompt: 输入终点\n"
            "6> char 5\n"
            "  dialog \"坐标输入\"\n"
            "    1004 = \"50\"\n"
            "    1005 = \"20\"\n"
            "    click OK\n"
            "  prompt: 输入起点\n"
            "8> click 20 30\n"
            "  prompt: 输入终点\n"
            "9> click 40 30\n"
            "  prompt: 输入起点\n"
            "10> undo\n"
            "11> undo\n"
            "12> redo\n"
            "13> char Q\n"
            "  message box: 没有可用的线段 -> OK\n"
            "14> type 1,x\n"
            "  message box: 输入数据不正确 -> OK\n");
}

TEST(SessionPlayer, TheRootCommandTakesPointsAndTheRightButtonEndsIt) {
  // The first right button clears the points taken, the second ends it.
  Replay r("push root\nclick 5 5\nrclick\nrclick\nundo\nredo\n");
  ASSERT_TRUE(r.ok) << r.player.Error().message;
  EXPECT_TRUE(r.player.Stack().IsEmpty());
  EXPECT_EQ(r.player.View().GetEntityList()->GetCount(), 0);
  EXPECT_NE(r.out.str().find("5> undo\n  nothing to undo\n6> redo\n  nothing to redo\n"), std::string::npos)
      << r.out.str();
}

// A script that parses but cannot be done as written stops at the line
// that fails, with a message that says why.
TEST(SessionPlayer, StopsAtTheLineThatCannotBeDone) {
  struct Case {
    const char* name;
    const char* script;
    int line;
    const char* messagePart;
    size_t entities;  // what was drawn before the failure
  } cases[] = {
      {"unknown command, found before anything runs", "push segment\nclick 1 1\nclick 2 2\npush arc\n", 4,
       "unknown command \"arc\" (the commands: root, segment)", 0},
      {"a point outside the view", "view 100 100 1\npush segment\nclick 10 10\nclick 100 50\n", 4,
       "the point (100, 50) lies outside the view, which shows x 0 to 100 and y 0 to 100", 0},
      {"a dialog without an answer", "push segment\nclick 1 1\nchar 5\n", 3,
       "the dialog \"坐标输入\" opened here and the script gives no answer", 0},
      {"an answer no dialog takes", "push segment\nclick 1 1\ndialog ok\n", 3, "no dialog took this answer", 0},
      {"more answers than dialogs", "push segment\nchar 5\ndialog cancel\ndialog ok\n", 4,
       "no dialog took this answer (line 2 opened no dialog for it)", 0},
      {"an answer before any action", "dialog ok\npush segment\n", 1, "none comes before it", 0},
      {"an answer for another dialog", "push segment\nchar 5\ndialog \"长度\" ok\n", 3,
       "the answer is for the dialog \"长度\", but \"坐标输入\" opened", 0},
      {"a control the dialog lacks", "push segment\nchar 5\ndialog 4711=1 ok\n", 3,
       "the dialog \"坐标输入\" has no control 4711", 0},
      {"a refused value", "push segment\nchar 5\ndialog 1004=abc ok\n", 3, "refused the answer and stayed open", 0},
      {"a button that is neither a control nor on a tool bar", "push segment\nchar 5\ndialog 4711\n", 3,
       "has no control 4711 and no tool-bar button of that command", 0},
      {"a value the host does not give", "push segment\nchar 5\ndialog 1004=${NOWHERE}/1 ok\n", 3,
       "the host gives no value for ${NOWHERE}", 0},
      {"an unclosed value name", "push segment\ntype ${OUT\n", 2, "\"${\" without its \"}\"", 0},
      {"actions after the dialog closed", "push segment\nchar 5\ndialog cancel 1004=1\n", 3,
       "the dialog closed before all its actions were done", 0},
      {"a box answer no box takes", "push segment\nclick 1 1\nbox yes\n", 3,
       "no message box took this answer (line 2 raised no box for it)", 0},
      {"a box answer before any action", "box yes\npush segment\n", 1, "none comes before it", 0},
      {"a button the box lacks", "push segment\nchar Q\nbox no\n", 3,
       "the message box \"没有可用的线段\" has no button No", 0},
      {"an entry of a control that is no list", "push segment\nclick 1 1\nchar 5\ndialog 1004:0 ok\n", 4,
       "control 1004 has no entry 0 to choose", 0},
      {"a failure after something was drawn", "push segment\nclick 1 1\nclick 2 2\nchar 7\n", 4,
       "opened here and the script gives no answer", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Replay r(c.script);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.player.Error().line, c.line);
    EXPECT_NE(r.player.Error().message.find(c.messagePart), std::string::npos) << r.player.Error().message;
    EXPECT_EQ(static_cast<size_t>(r.player.View().GetEntityList()->GetCount()), c.entities);
  }
}

TEST(SessionPlayer, BoxLinesAnswerTheBoxesOfTheirActionInOrder) {
  g_questionAnswers.clear();
  Replay r("push segment\nchar Y\nbox no\nchar Y\nchar Y\nbox cancel\nchar Q\nbox ok\n");
  ASSERT_TRUE(r.ok) << r.player.Error().message;
  // Without a box line the default button answers.
  EXPECT_EQ(g_questionAnswers, (std::vector<int>{IDNO, IDYES, IDCANCEL}));
  EXPECT_NE(r.out.str().find("  message box: 保留原图？ -> No\n"), std::string::npos) << r.out.str();
}

TEST(SessionPlayer, ADialogLeftOpenIsClosedAsItsCloseBoxDoes) {
  Replay r("push segment\nclick 1 1\nchar 5\ndialog 1004=3\nclick 9 9\n");
  ASSERT_TRUE(r.ok) << r.player.Error().message;
  EXPECT_NE(r.out.str().find("(still open: closed as its close box does)"), std::string::npos);
  EXPECT_EQ(r.Lines(), (Lines{{1, 1, 9, 9}}));  // the cancelled dialog took no point
}

TEST(SessionPlayer, AScriptWithErrorsIsNotPlayed) {
  CommandRegistry commands = TestCommands();
  std::ostringstream out;
  SessionPlayer player(commands, out);
  EXPECT_FALSE(player.Play(ParseScript("push segment\nclick 1\n")));
  EXPECT_EQ(player.Error().line, 2);
  EXPECT_TRUE(player.Stack().IsEmpty());
  EXPECT_EQ(out.str(), "");

  const CommandRegistry none;
  SessionPlayer bare(none, out);
  EXPECT_FALSE(bare.Play(ParseScript("view 100 100 1\npush line\n")));
  EXPECT_EQ(bare.Error().message, "unknown command \"line\" (no commands are registered)");
}

TEST(SessionPlayer, ASessionWorksOnAScratchCopyOfTheSystemDataFolder) {
  const CStringA before = GetSystemDataFolder();
  CommandRegistry commands = TestCommands();
  std::ostringstream out;
  std::string scratch;
  {
    SessionPlayer player(commands, out);
    const CStringA during = GetSystemDataFolder();
    EXPECT_NE(during, before);
    scratch = platform::GbkToUtf8(during.GetString());
    EXPECT_TRUE(IsFileExist(GetSystemFilePath("Table\\Material.Tab")));
    EXPECT_TRUE(IsFileExist(GetSystemFilePath("Font\\txt.shx")));
  }
  EXPECT_EQ(GetSystemDataFolder(), before);
  EXPECT_FALSE(std::filesystem::exists(scratch));  // the copy goes with the player
}
