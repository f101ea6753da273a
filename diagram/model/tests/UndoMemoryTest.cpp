// Recording when memory runs short: the questions, giving up redo and then
// undo history one step at a time, going on without undo; a document
// emptied while a recording is open; and a document destroyed while delete
// records still refer to objects of its diagram.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "DrawDocTestSupport.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/undo/URList.h"
#include "diagram/model/undo/UndoRedo.h"

using doctest::ScriptedMsgBox;

namespace {

// Installs a probe for the life of the object and restores the default.
class Probe {
 public:
  explicit Probe(CDrawDoc::MemoryProbe probe) { CDrawDoc::SetUndoMemoryProbe(std::move(probe)); }
  ~Probe() { CDrawDoc::SetUndoMemoryProbe(nullptr); }
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;
};

// A document with entries on both stacks: an object's colour changed
// `changes` times, the last `undone` of them undone.
struct Painted {
  explicit Painted(int changes, int undone) {
    doc.GetDiagram()->SetDocument(&doc);
    object = new CDrawObj(CRect(0, 10, 10, 0));
    EXPECT_TRUE(doc.GetDiagram()->Add(object));
    for (int i = 1; i < changes; ++i) EXPECT_TRUE(object->SetLineColor(RGB(i, 0, 0)));
    for (int i = 0; i < undone; ++i) EXPECT_TRUE(doc.UndoLast());
  }
  CDrawDoc doc;
  CDrawObj* object = nullptr;
};

TEST(UndoMemoryTest, TheProbeAsksForTheSizeHintInKilobytesAndANestedRecordingDoesNotAsk) {
  std::vector<size_t> asked;
  Probe probe([&](size_t bytes) {
    asked.push_back(bytes);
    return true;
  });
  CDrawDoc doc;
  ASSERT_TRUE(doc.BeginUndoRecording(u"Outer", 255));
  ASSERT_TRUE(doc.BeginUndoRecording(u"Inner", 7));
  doc.EndUndoRecording();
  doc.EndUndoRecording();
  EXPECT_EQ(asked, std::vector<size_t>{255 * 1024 + 100});
}

TEST(UndoMemoryTest, TheDefaultProbeAllocates) {
  CDrawDoc doc;
  ScriptedMsgBox messages;
  ASSERT_TRUE(doc.BeginUndoRecording(u"Command", 255));
  doc.EndUndoRecording();
  EXPECT_TRUE(messages.asked.empty());
}

TEST(UndoMemoryTest, NoToTheFirstQuestionRefusesTheCommand) {
  Painted painted(3, 1);
  Probe probe([](size_t) { return false; });
  ScriptedMsgBox messages({FALSE});
  ASSERT_EQ(painted.doc.GetNumberRedosOnStack(), 1);
  EXPECT_FALSE(painted.doc.BeginUndoRecording(u"Command", 255));
  EXPECT_EQ(messages.asked, std::vector<ULONG>{4});
  EXPECT_EQ(painted.doc.GetUndoLevel(), 0u);
  EXPECT_EQ(painted.doc.GetCurrentURList(), nullptr);
  // Nothing was given up.
  EXPECT_EQ(painted.doc.GetNumberUndosOnStack(), 2);
  EXPECT_EQ(painted.doc.GetNumberRedosOnStack(), 1);
  // The setter that asked changes nothing.
  EXPECT_FALSE(painted.object->SetLineColor(RGB(0, 0, 9)));
}

TEST(UndoMemoryTest, GivingUpRedoHistoryOfEveryDocumentCanBeEnough) {
  Painted first(3, 1);
  Painted second(2, 1);
  // Memory returns once the redo entries are gone.
  Probe probe([&](size_t) { return first.doc.GetNumberRedosOnStack() + second.doc.GetNumberRedosOnStack() == 0; });
  ScriptedMsgBox messages({TRUE});
  ASSERT_TRUE(first.doc.BeginUndoRecording(u"Command", 255));
  first.doc.EndUndoRecording();
  EXPECT_EQ(messages.asked, std::vector<ULONG>{4});
  EXPECT_EQ(first.doc.GetNumberRedosOnStack(), 0);
  EXPECT_EQ(second.doc.GetNumberRedosOnStack(), 0);
  EXPECT_EQ(first.doc.GetNumberUndosOnStack(), 2);
  EXPECT_EQ(second.doc.GetNumberUndosOnStack(), 1);
}

TEST(UndoMemoryTest, UndoHistoryGoesOneStepAtATimeOldestFirst) {
  Painted deep(5, 0);     // 5 entries
  Painted shallow(3, 0);  // 3 entries
  // Memory returns once no stack holds more than 2 entries.
  std::vector<int> depthsProbed;
  Probe probe([&](size_t) {
    depthsProbed.push_back(std::max(deep.doc.GetNumberUndosOnStack(), shallow.doc.GetNumberUndosOnStack()));
    return depthsProbed.back() <= 2;
  });
  ScriptedMsgBox messages({TRUE});
  ASSERT_TRUE(deep.doc.BeginUndoRecording(u"Command", 255));
  EXPECT_NE(deep.doc.GetCurrentURList(), nullptr);
  deep.doc.EndUndoRecording();
  // The first probe, the one after the redo stacks went, then one per step.
  EXPECT_EQ(depthsProbed, (std::vector<int>{5, 5, 4, 3, 2}));
  EXPECT_EQ(messages.asked, std::vector<ULONG>{4});
  EXPECT_EQ(deep.doc.GetNumberUndosOnStack(), 2);
  EXPECT_EQ(shallow.doc.GetNumberUndosOnStack(), 2);
  // The newest entries stayed: undoing both restores the first colour set.
  EXPECT_TRUE(deep.doc.UndoLast());
  EXPECT_TRUE(deep.doc.UndoLast());
  EXPECT_EQ(deep.object->GetLineColor(), RGB(2, 0, 0));
}

TEST(UndoMemoryTest, WhenNothingHelpsTheUserMayGoOnWithoutUndo) {
  struct Case {
    int answerToSecond;
    bool carriedOut;
  };
  for (const Case& c : {Case{FALSE, false}, Case{TRUE, true}}) {
    SCOPED_TRACE(c.answerToSecond);
    Painted painted(3, 1);
    Probe probe([](size_t) { return false; });
    ScriptedMsgBox messages({TRUE, c.answerToSecond});
    const COLORREF before = painted.object->GetLineColor();
    EXPECT_EQ(painted.object->SetLineColor(RGB(7, 7, 7)), c.carriedOut ? 1 : 0);
    EXPECT_EQ(messages.asked, (std::vector<ULONG>{4, 5}));
    EXPECT_EQ(painted.object->GetLineColor(), c.carriedOut ? RGB(7, 7, 7) : before);
    // Every entry was given up trying; none was added.
    EXPECT_EQ(painted.doc.GetNumberUndosOnStack(), 0);
    EXPECT_EQ(painted.doc.GetNumberRedosOnStack(), 0);
    EXPECT_EQ(painted.doc.GetUndoLevel(), 0u);
    // Going on without undo lasts for that command only.
    EXPECT_FALSE(painted.doc.IsUndoRecordingDisabled());
  }
}

TEST(UndoMemoryTest, EmptyingTheDocumentDropsAnOpenRecording) {
  for (int depth : {1, 3}) {
    SCOPED_TRACE(depth);
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CDiagram& diagram = *doc.GetDiagram();
    auto* kept = new CDrawObj(CRect(0, 10, 10, 0));
    ASSERT_TRUE(diagram.Add(kept));
    ASSERT_TRUE(kept->SetLineColor(RGB(1, 0, 0)));
    ASSERT_TRUE(doc.UndoLast());
    ASSERT_EQ(doc.GetNumberRedosOnStack(), 1);

    for (int i = 0; i < depth; ++i) ASSERT_TRUE(doc.BeginUndoRecording(u"Open", 255));
    auto* added = new CDrawObj(CRect(20, 30, 30, 20));
    ASSERT_TRUE(diagram.Add(added));
    ASSERT_TRUE(kept->SetFillColor(RGB(0, 1, 0)));
    ASSERT_TRUE(added->Delete());  // a delete record that owns the object
    doc.DeleteContents();
    EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
    EXPECT_EQ(doc.GetNumberRedosOnStack(), 0);
    EXPECT_TRUE(diagram.GetObjects().IsEmpty());
    EXPECT_EQ(doc.GetUndoLevel(), static_cast<UINT>(depth));
    ASSERT_NE(doc.GetCurrentURList(), nullptr);
    EXPECT_TRUE(doc.GetCurrentURList()->IsEmpty());
    // The operation ends its recording as usual; nothing is kept.
    for (int i = 0; i < depth; ++i) doc.EndUndoRecording();
    EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
    EXPECT_EQ(doc.GetCurrentURList(), nullptr);
    EXPECT_FALSE(doc.IsUndoRecordingDisabled());
    // The next command records again.
    ASSERT_TRUE(doc.BeginUndoRecording(u"Next", 255));
    ASSERT_TRUE(CUndoRedo::RecordUndo(&doc));
    doc.EndUndoRecording();
    EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  }
}

TEST(UndoMemoryTest, EmptyingAnIdleDocumentLeavesRecordingOn) {
  CDrawDoc doc;
  doc.DeleteContents();
  EXPECT_FALSE(doc.IsUndoRecordingDisabled());
  ASSERT_TRUE(doc.BeginUndoRecording(u"Command", 255));
  ASSERT_TRUE(CUndoRedo::RecordUndo(&doc));
  doc.EndUndoRecording();
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
}

TEST(UndoMemoryTest, ADocumentDestroyedWithDeleteRecordsFreesTheirObjectsFirst) {
  // The sanitizer checks that no record touches a freed diagram or object
  // and that the deleted objects are freed once.
  auto doc = std::make_unique<CDrawDoc>();
  ASSERT_TRUE(doc->OnNewDocument());
  CDiagram& diagram = *doc->GetDiagram();
  auto* stacked = new CDrawObj(CRect(0, 10, 10, 0));
  ASSERT_TRUE(diagram.Add(stacked));
  ASSERT_TRUE(stacked->Delete());
  ASSERT_EQ(doc->GetNumberUndosOnStack(), 2);
  ASSERT_TRUE(doc->BeginUndoRecording(u"Open", 255));
  auto* recorded = new CDrawObj(CRect(20, 30, 30, 20));
  ASSERT_TRUE(diagram.Add(recorded));
  ASSERT_TRUE(recorded->Delete());
  EXPECT_TRUE(diagram.DoesTrashInclude(stacked));
  EXPECT_TRUE(diagram.DoesTrashInclude(recorded));
  doc.reset();
}

}  // namespace
