// Technical requirements: the .tec and .jyk files, the editor's items and
// library, the options' height rule, and the command placing its block in
// one undo step (and putting the earlier block back when abandoned).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draft/framework/CmdStack.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TextBlockEntity.h"
#include "draft/host/TextEntity.h"
#include "draft/tables/TecReqCmd.h"
#include "draft/tables/TecReqDlg.h"
#include "draft/tables/TecReqOptionDlg.h"
#include "draft/tables/TecReqText.h"
#include "draft/tables/TextTreeFile.h"
#include "draft/testsupport/DevicePoint.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/Charset.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/testsupport/ScratchFolder.h"
#include "platform/ui/ModalDriver.h"

namespace {

std::vector<std::string> TecItems(const CStringArrayA& a) {
  std::vector<std::string> v;
  for (INT_PTR i = 0; i < a.GetSize(); ++i) v.push_back(a[i].str());
  return v;
}

class TecReqTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  void SetUp() override { previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>()); }
  void TearDown() override { SetSettingsBacking(std::move(previous_)); }
  CStringA Path(const char* name) const { return CStringA(platform::Utf8ToGbk(folder_ / name).c_str()); }
  void Put(const char* name, const std::string& bytes) const { testsupport::WriteFileBytes(folder_ / name, bytes); }
  std::string Get(const char* name) const { return testsupport::ReadFileBytes(folder_ / name); }
  // Runs the editor with `act` in its session, then closes it by `close`.
  INT_PTR RunEditor(CTecReqDlg& dlg, const std::function<void(platform::ModalSession&)>& act, int close = IDCANCEL) {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      if (!s.As<CTecReqDlg>()) return;
      act(s);
      if (s.IsRunning()) s.Click(close);
    });
    CModalDialogScope scope(nullptr);
    return dlg.DoModal();
  }

  CSystemDataScratch scratch_;
  testsupport::ScratchFolder folder_{"tecreq"};
  std::unique_ptr<CSettingsBacking> previous_;
};

TEST(TecReqTextTest, BlanksAndItemNumbers) {
  for (char c : {'\t', '\n', '\r', ' '}) EXPECT_TRUE(IsBlank(c));
  EXPECT_FALSE(IsBlank('a'));
  CStringA s(" \t\r\nab c\r\n ");
  TrimBlanks(s);
  EXPECT_EQ(s, "ab c");
  const struct {
    const char* line;
    int number;
  } cases[] = {{"0.", 0}, {"07.x", 0}, {".x", 0}, {"12.y", 12}, {"1.", 1}, {"1a.", 0}, {"x", 0}};
  for (const auto& c : cases) EXPECT_EQ(TecItemNumber(c.line), c.number) << c.line;
}

TEST_F(TecReqTest, ReadsTecFilesByTheNumberingRules) {
  Put("a.tec", "  标题 \r\n1.一\r\n0.零\r\n07.七\r\n.点\r\n\r\n12.二\r\n续\r\n");
  CStringA title;
  CStringArrayA items;
  ASSERT_TRUE(ReadTecFile(Path("a.tec"), title, items));
  EXPECT_EQ(title, "标题");
  EXPECT_EQ(TecItems(items), (std::vector<std::string>{"一\r\n0.零\r\n07.七\r\n.点\r\n", "二\r\n续\r\n"}));
  // Renumbered from 1 when written; a given title is kept.
  ASSERT_TRUE(WriteTecFile(Path("b.tec"), title, items));
  EXPECT_EQ(Get("b.tec"), "标题\r\n1.一\r\n0.零\r\n07.七\r\n.点\r\n2.二\r\n续\r\n");
  CStringA kept("旧");
  CStringArrayA again;
  ASSERT_TRUE(ReadTecFile(Path("b.tec"), kept, again));
  EXPECT_EQ(kept, "旧");

  Put("t.tec", "只有标题\r\n");
  CStringA onlyTitle;
  CStringArrayA none;
  ASSERT_TRUE(ReadTecFile(Path("t.tec"), onlyTitle, none));
  EXPECT_EQ(none.GetSize(), 0);
  EXPECT_FALSE(ReadTecFile(Path("missing.tec"), onlyTitle, none));
}

TEST_F(TecReqTest, AFailedTecWriteKeepsTheOldFile) {
  std::filesystem::create_directories(folder_ / "dir.tec");
  Put("dir.tec/keep", "x");  // a folder in the way: the rename fails
  CStringArrayA items;
  items.Add("一\r\n");
  boxes.clear();
  EXPECT_FALSE(WriteTecFile(Path("dir.tec"), "t", items));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].Find("未能成功"), -1);
  EXPECT_EQ(Get("dir.tec/keep"), "x");
}

// Pre-order texts of the tree with their depths.
void Walk(const CTextTreeFile::Node* n, int depth, std::string& out) {
  for (; n; n = n->next) {
    out += std::string(static_cast<size_t>(depth), '>') + n->text.str() + "|";
    Walk(n->child, depth + 1, out);
  }
}

TEST_F(TecReqTest, ReadsLibraryTrees) {
  // GBK characters whose trail bytes are "{" (0x7B) and "}" (0x7D).
  const std::string open = "\x81\x7B";
  const std::string close = "\x81\x7D";
  const struct {
    const char* name;
    std::string bytes;
    int result;
    size_t messages;
    std::string tree;
  } cases[] = {
      {"plain", "a\r\n{\r\n  b\r\n  c\r\n}\r\nd\r\n", 1, 0, "a|>b|>c|d|"},
      {"stray close", "a\r\n}\r\n", 0, 1, "a|"},
      {"text with open", "a\r\nb{\r\nc\r\n}\r\n", 1, 0, "a|>c|"},
      {"unclosed", "a\r\n{\r\nb\r\n", 1, 1, "a|>b|"},
      {"block first", "{\r\na\r\n}\r\n", 0, 1, ""},
      {"trail bytes", open + "\r\n{\r\n" + close + "x\r\n}\r\n", 1, 0, open + "|>" + close + "x|"},
  };
  for (const auto& c : cases) {
    Put("t.jyk", c.bytes);
    boxes.clear();
    CTextTreeFile file;
    EXPECT_EQ(file.Read(Path("t.jyk")), c.result) << c.name;
    EXPECT_EQ(boxes.size(), c.messages) << c.name;
    std::string tree;
    Walk(file.GetRoot(), 0, tree);
    EXPECT_EQ(tree, c.tree) << c.name;
  }
  Put("f.jyk", "Aa\r\n{\r\nBb\r\n}\r\nbB\r\n");
  CTextTreeFile file;
  ASSERT_EQ(file.Read(Path("f.jyk")), 1);
  const CTextTreeFile::Node* found = CTextTreeFile::Find(file.GetRoot(), "BB");
  ASSERT_NE(found, nullptr);
  EXPECT_NE(found->parent, nullptr);  // the child comes first in pre-order
  EXPECT_EQ(CTextTreeFile::Find(file.GetRoot(), "zz"), nullptr);
}

TEST_F(TecReqTest, TheEditorKeepsLongItemsAndWritesDeepLibraries) {
  // A library 300 levels deep.
  std::string deep;
  for (int d = 0; d < 300; ++d) deep += "n" + std::to_string(d) + "\r\n{\r\n";
  deep += "leaf\r\n";
  for (int d = 0; d < 300; ++d) deep += "}\r\n";
  Put("deep.jyk", deep);
  const std::string longItem(300, 'x');
  CTecReqDlg dlg(nullptr, nullptr);
  CStringA library;
  RunEditor(dlg, [&](platform::ModalSession& s) {
    ASSERT_TRUE(dlg.LoadLibrary(Path("deep.jyk")));
    library = dlg.FormatLibrary();
    s.EnterText(CTecReqDlg::kItemsEdit, CStringA(("1." + longItem + "\r\n2.b").c_str()));
    EXPECT_EQ(dlg.ParseItems(), 2);
    CStringA title;
    CStringArrayA items;
    dlg.GetResult(title, items);
    ASSERT_TRUE(WriteTecFile(Path("long.tec"), "T", items));
  });
  EXPECT_NE(library.str().find(std::string(255, ' ') + "leaf\r\n"), std::string::npos);
  EXPECT_EQ(library.str().find(std::string(256, ' ')), std::string::npos);
  EXPECT_EQ(library.str().substr(0, 10), "n0\r\n{\r\n n1");
  EXPECT_EQ(Get("long.tec"), "T\r\n1." + longItem + "\r\n2.b\r\n");
}

TEST_F(TecReqTest, AnItemHeightAboveTheTitleHeightIsScaledDown) {
  CTecReqOptionDlg dlg(nullptr);
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    s.EnterText(CTecReqOptionDlg::kTitleHeight, CStringA("7"));
    s.EnterText(CTecReqOptionDlg::kTextHeight, CStringA("10"));
    s.EnterText(CTecReqOptionDlg::kSpacing, CStringA("2.5"));
    s.Click(IDOK);
  });
  CModalDialogScope scope(nullptr);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(GetProfileStringSetting("SystemSetting", "JshyqTecHeight", ""), "4.9");
  EXPECT_EQ(GetProfileStringSetting("SystemSetting", "JshyqTitleHeight", ""), "7");
  EXPECT_DOUBLE_EQ(GetTecLineSpacing(), 2.5);
}

class TecReqCmdTest : public TecReqTest {
 protected:
  // Pushes the command with the editor confirmed after `items` were typed.
  CTecReqCmd* Start(const char* items) {
    auto* cmd = new CTecReqCmd(305);
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      if (!s.As<CTecReqDlg>()) return;
      s.EnterText(CTecReqDlg::kItemsEdit, CStringA(items));
      s.Click(IDOK);
    });
    answer = IDNO;  // no saving of the changed items
    stack.Push(&view, cmd);
    return stack.GetCurrent() == cmd ? cmd : nullptr;
  }
  CTextBlockEntity* Block() {
    for (CEntity* e : *view.GetEntityList())
      if (e->IsRequirementText()) return static_cast<CTextBlockEntity*>(e);
    return nullptr;
  }
  int BlockCount() {
    int n = 0;
    for (CEntity* e : *view.GetEntityList()) n += e->IsRequirementText() ? 1 : 0;
    return n;
  }

  CDraftView view;
  CCmdStack stack;
};

TEST_F(TecReqCmdTest, PlacingReplacesTheEarlierBlockInOneStep) {
  ASSERT_NE(Start("1.一\r\n2.二\r\n续"), nullptr);
  stack.OnLButton(0, drafttest::DevicePoint(10, 100), &view);
  CTextBlockEntity* first = Block();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(TecItems(first->GetItems()), (std::vector<std::string>{"一\r\n", "二\r\n续\r\n"}));
  // Title, two item lines and the continuation line.
  ASSERT_EQ(first->GetMemberCount(), 4);
  EXPECT_EQ(static_cast<CTextEntity*>(first->GetMember(1))->GetText(), "1.一");
  EXPECT_EQ(static_cast<CTextEntity*>(first->GetMember(3))->GetText(), "续");
  const int undo = view.GetUndoCount();

  CTecReqCmd* again = Start("1.三");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->GetExistingBlock(), first);
  EXPECT_EQ(BlockCount(), 0);
  stack.OnLButton(0, drafttest::DevicePoint(50, 100), &view);
  ASSERT_EQ(BlockCount(), 1);
  EXPECT_NE(Block(), first);
  EXPECT_EQ(view.GetUndoCount(), undo + 1);
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(Block(), first);
  EXPECT_EQ(BlockCount(), 1);
}

TEST_F(TecReqCmdTest, AnAbandonedPlacementPutsTheEarlierBlockBack) {
  ASSERT_NE(Start("1.一"), nullptr);
  stack.OnLButton(0, drafttest::DevicePoint(10, 100), &view);
  CTextBlockEntity* first = Block();
  ASSERT_NE(first, nullptr);
  const int undo = view.GetUndoCount();
  for (int way = 0; way < 2; ++way) {
    ASSERT_NE(Start("1.二"), nullptr);
    EXPECT_EQ(BlockCount(), 0);
    if (way == 0)
      stack.OnRButton(0, drafttest::DevicePoint(10, 100), &view);
    else
      stack.EndAll(&view);
    EXPECT_EQ(Block(), first) << way;
    EXPECT_EQ(view.GetUndoCount(), undo) << way;
  }
}

TEST_F(TecReqCmdTest, ACancelledEditorStartsNothing) {
  auto* cmd = new CTecReqCmd(305);
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) { s.Click(IDCANCEL); });
  stack.Push(&view, cmd);
  EXPECT_EQ(stack.GetCurrent(), nullptr);
}
}  // namespace
