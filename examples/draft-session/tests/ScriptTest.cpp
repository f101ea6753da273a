#include <gtest/gtest.h>

#include "examples/draft-session/Script.h"
#include "platform/core/WinConstants.h"

using namespace draftsession;

TEST(SessionScript, ReadsEveryActionWithCommentsQuotesAndBlankLines) {
  const Script s = ParseScript(
      "# a session\r\n"
      "view 400 300 4 -10 2.5\n"
      "\n"
      "group \"零件 A\" 2   # a comment\n"
      "push line\n"
      "move 10 -20.5\n"
      "click\n"
      "rclick 1e1 +3\n"
      "char C\n"
      "char TAB\n"
      "char \" \"\n"
      "key pgdn\n"
      "key F12\n"
      "type \"10, 20\"\n"
      "dialog \"长度\" 1004=\"a \\\"b\\\" #\" 1010 ok\n"
      "undo\n"
      "redo\n"
      "layer 2");
  ASSERT_TRUE(s.Ok()) << s.errors.front().message;
  ASSERT_EQ(s.steps.size(), 16u);
  const ScriptStep& view = s.steps[0];
  EXPECT_EQ(view.kind, StepKind::kView);
  EXPECT_EQ(view.line, 2);
  EXPECT_EQ(view.width, 400);
  EXPECT_EQ(view.height, 300);
  EXPECT_EQ(view.zoom, 4);
  EXPECT_EQ(view.panX, -10);
  EXPECT_EQ(view.panY, 2.5);
  EXPECT_EQ(s.steps[1].text, "零件 A");
  EXPECT_EQ(s.steps[1].x, 2);
  EXPECT_EQ(s.steps[1].source, "group \"零件 A\" 2");
  EXPECT_EQ(s.steps[2].text, "line");
  EXPECT_TRUE(s.steps[3].hasPoint);
  EXPECT_EQ(s.steps[3].y, -20.5);
  EXPECT_FALSE(s.steps[4].hasPoint);
  EXPECT_EQ(s.steps[5].kind, StepKind::kRightClick);
  EXPECT_EQ(s.steps[5].x, 10);
  EXPECT_EQ(s.steps[5].y, 3);
  EXPECT_EQ(s.steps[6].code, unsigned('C'));
  EXPECT_EQ(s.steps[7].code, 9u);
  EXPECT_EQ(s.steps[8].code, unsigned(' '));
  EXPECT_EQ(s.steps[9].code, unsigned(VK_NEXT));
  EXPECT_EQ(s.steps[10].code, unsigned(VK_F1 + 11));
  EXPECT_EQ(s.steps[11].text, "10, 20");
  const DialogAnswer& a = s.steps[12].answer;
  EXPECT_EQ(a.caption, "长度");
  ASSERT_EQ(a.actions.size(), 3u);
  EXPECT_EQ(a.actions[0].id, 1004);
  EXPECT_FALSE(a.actions[0].click);
  EXPECT_EQ(a.actions[0].text, "a \"b\" #");
  EXPECT_EQ(a.actions[1].id, 1010);
  EXPECT_TRUE(a.actions[1].click);
  EXPECT_EQ(a.actions[2].id, IDOK);
  EXPECT_EQ(s.steps[13].kind, StepKind::kUndo);
  EXPECT_EQ(s.steps[14].kind, StepKind::kRedo);
  EXPECT_EQ(s.steps[15].kind, StepKind::kLayer);
  EXPECT_EQ(s.steps[15].code, 2u);
}

// Each malformed line is reported with its number and a message that says
// what is wrong; a bad line never becomes a step.
TEST(SessionScript, BoxAnswersAndChosenEntries) {
  const Script s = ParseScript("push rotate\nbox yes\nbox NO\nbox cancel\nbox ok\ndialog 1073:1 1047=a:b ok\n");
  ASSERT_FALSE(s.Ok());  // answers are lower case
  EXPECT_EQ(s.errors.front().line, 3);
  const Script t = ParseScript("push rotate\nbox yes\nbox no\nbox cancel\nbox ok\ndialog 1073:1 1047=a:b ok\n");
  ASSERT_TRUE(t.Ok()) << t.errors.front().message;
  ASSERT_EQ(t.steps.size(), 6u);
  const unsigned answers[] = {IDYES, IDNO, IDCANCEL, IDOK};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(t.steps[i + 1].kind, StepKind::kBox);
    EXPECT_EQ(t.steps[i + 1].code, answers[i]);
  }
  const std::vector<DialogAction>& actions = t.steps[5].answer.actions;
  ASSERT_EQ(actions.size(), 3u);
  EXPECT_EQ(actions[0].id, 1073);
  EXPECT_EQ(actions[0].entry, 1);
  EXPECT_FALSE(actions[0].click);
  EXPECT_EQ(actions[1].entry, -1);  // a typed text may hold a colon
  EXPECT_EQ(actions[1].text, "a:b");
}

TEST(SessionScript, MalformedLinesAreReportedByLine) {
  struct Case {
    const char* line;
    const char* messagePart;
  } cases[] = {
      {"jump 1 2", "unknown action \"jump\""},
      {"move 1", "usage: move X Y"},
      {"move 1 2 3", "usage: move X Y"},
      {"move x 2", "x must be a number, not \"x\""},
      {"move 1 2e", "y must be a number"},
      {"move nan 2", "x must be a number"},
      {"move inf 2", "x must be a number"},
      {"move 1e400 2", "x must be a number"},
      {"move 2e7 0", "out of range"},
      {"move \"1\" 2", "x must be a number"},
      {"click 1", "usage: click [X Y]"},
      {"view 800 600", "usage: view"},
      {"view 800 600 2 0", "usage: view"},
      {"view 8 600 2", "16 to 4096 pixels"},
      {"view 800 99999999999 2", "the height must be a whole number"},
      {"view 800 600 0", "the zoom must lie between"},
      {"group", "usage: group NAME"},
      {"group \"\"", "the group name is empty"},
      {"group A -1", "the scale must be above 0"},
      {"group A 0", "the scale must be above 0"},
      {"layer", "usage: layer N"},
      {"layer 100", "the layer lies between 0 and 99"},
      {"layer -1", "the layer lies between 0 and 99"},
      {"push", "usage: push COMMAND"},
      {"char", "usage: char"},
      {"char AB", "not one printable character"},
      {"char é", "not one printable character"},
      {"key ALT", "unknown key \"ALT\""},
      {"key F13", "unknown key"},
      {"key TAB", "TAB and ENTER are characters: char TAB"},
      {"text 1 2 3", "usage: text X Y HEIGHT TEXT"},
      {"text 1 2 0 A", "the text height must be above 0"},
      {"text 1 2 3 \"\"", "the text is empty"},
      {"type", "usage: type TEXT"},
      {"type a b", "usage: type TEXT"},
      {"type \"😀\"", "GBK cannot hold"},
      {"type \"\xff\xfe\"", "not valid UTF-8"},
      {"type \"abc", "not closed"},
      {"dialog", "usage: dialog"},
      {"dialog \"caption only\"", "usage: dialog"},
      {"dialog 1004 = 5 ok", "a control id"},
      {"dialog x=5 ok", "a control id"},
      {"dialog 0=5 ok", "between 1 and 65535"},
      {"dialog 70000 ok", "between 1 and 65535"},
      {"dialog yes", "a control id"},
      {"undo 2", "usage: undo"},
      {"box", "usage: box"},
      {"box maybe", "not a box answer"},
      {"box \"yes\"", "not a box answer"},
      {"box yes no", "usage: box"},
      {"dialog 1073:x ok", "the entry number"},
      {"dialog 1073:-1 ok", "between 0 and 65535"},
      {"move 1\x01 2", "control character"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const Script s = ParseScript(std::string("push line\n") + c.line + "\nundo\n");
    ASSERT_EQ(s.errors.size(), 1u);
    EXPECT_EQ(s.errors[0].line, 2);
    EXPECT_NE(s.errors[0].message.find(c.messagePart), std::string::npos) << s.errors[0].message;
    EXPECT_EQ(s.steps.size(), 2u);  // the good lines around it
  }
}

TEST(SessionScript, EveryBadLineIsReportedAndTheViewComesFirst) {
  const Script s = ParseScript("push line\nview 800 600 2\nclick 1\nfly\n");
  ASSERT_EQ(s.errors.size(), 3u);
  EXPECT_EQ(s.errors[0].line, 2);
  EXPECT_NE(s.errors[0].message.find("view must come before the first action"), std::string::npos);
  EXPECT_EQ(s.errors[1].line, 3);
  EXPECT_EQ(s.errors[2].line, 4);
  EXPECT_EQ(FormatError("a.session", s.errors[2]), "a.session:4: unknown action \"fly\" (view, group, layer, push, "
                                                   "move, click, rclick, char, key, type, text, dialog, box, undo, redo)");
  // A group may come before the view; an empty script is sound.
  EXPECT_TRUE(ParseScript("group A\nview 100 100 1\n").Ok());
  EXPECT_TRUE(ParseScript("").Ok());
  EXPECT_TRUE(ParseScript("\n\n# nothing\n").Ok());
}

TEST(SessionScript, ArbitraryBytesNeverCrashTheParser) {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 7919 + i / 13) & 0xFF);
  const Script s = ParseScript(bytes);
  EXPECT_FALSE(s.Ok());
  for (const ScriptError& e : s.errors) EXPECT_GT(e.line, 0);
}
