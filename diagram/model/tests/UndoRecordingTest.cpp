// The recording rules the model relies on: nesting, empty recordings, the
// undo limit and flushing.
#include <gtest/gtest.h>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/undo/URList.h"
#include "diagram/model/undo/UndoRedo.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "platform/core/Exceptions.h"
#include "platform/core/String.h"

namespace {

// Restores the class-wide undo limit after a test changes it.
struct UndoLimit {
  explicit UndoLimit(int levels) : saved(CDrawDoc::GetMaxUndoLevels()) { CDrawDoc::SetMaxUndoLevels(levels); }
  ~UndoLimit() { CDrawDoc::SetMaxUndoLevels(saved); }
  int saved;
};

TEST(UndoRecordingTest, NestedRecordingsFoldIntoTheOutermost) {
  CDrawDoc doc;
  ASSERT_TRUE(doc.BeginUndoRecording(u"Outer", 255));
  ASSERT_TRUE(doc.BeginUndoRecording(u"Inner", 255));
  ASSERT_TRUE(doc.BeginUndoRecording(u"Innermost", 255));
  ASSERT_TRUE(CUndoRedo::RecordUndo(&doc));
  doc.EndUndoRecording();
  doc.EndUndoRecording();
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  doc.EndUndoRecording();
  ASSERT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Outer"));
  // An extra end does nothing.
  doc.EndUndoRecording();
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
}

TEST(UndoRecordingTest, ARecordingThatCollectedNothingLeavesBothStacksAlone) {
  CDrawDoc doc;
  doc.GetDiagram()->SetDocument(&doc);
  auto* object = new CDrawObj(CRect(0, 10, 10, 0));
  ASSERT_TRUE(doc.GetDiagram()->Add(object));
  ASSERT_TRUE(object->SetLineColor(RGB(1, 2, 3)));
  ASSERT_TRUE(doc.UndoLast());
  ASSERT_EQ(doc.GetNumberRedosOnStack(), 1);
  const int undos = doc.GetNumberUndosOnStack();
  ASSERT_TRUE(doc.BeginUndoRecording(u"Nothing", 255));
  doc.EndUndoRecording();
  EXPECT_EQ(doc.GetNumberUndosOnStack(), undos);
  EXPECT_EQ(doc.GetNumberRedosOnStack(), 1);
  // A command that records something makes the redo stack unreachable.
  ASSERT_TRUE(CUndoRedo::RecordUndo(&doc));
  EXPECT_EQ(doc.GetNumberRedosOnStack(), 0);
}

TEST(UndoRecordingTest, TheOldestEntryMakesRoomAtTheLimit) {
  UndoLimit limit(3);
  CDrawDoc doc;
  for (int i = 0; i < 5; ++i) {
    CStringW name;
    name.Format(u"Command %d", i);
    ASSERT_TRUE(doc.BeginUndoRecording(name, 255));
    ASSERT_TRUE(CUndoRedo::RecordUndo(&doc));
    doc.EndUndoRecording();
  }
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 3);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Command 4"));
}

TEST(UndoRecordingTest, FlushDropsTheRecordsOfTheCurrentDepthOnly) {
  CDrawDoc doc;
  ASSERT_TRUE(doc.BeginUndoRecording(u"Outer", 255));
  auto* outer = new CUndoRedo;
  doc.AddToUndoList(outer);
  EXPECT_EQ(outer->GetLevel(), 1u);
  ASSERT_TRUE(doc.BeginUndoRecording(u"Inner", 255));
  auto* mine = new CUndoRedo;
  doc.AddToUndoList(mine);
  EXPECT_EQ(mine->GetLevel(), 2u);
  ASSERT_EQ(doc.GetCurrentURList()->GetCount(), 2);
  doc.FlushUndoRecording();
  EXPECT_EQ(doc.GetCurrentURList()->GetCount(), 1);
  doc.EndUndoRecording();
  doc.EndUndoRecording();
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
}

TEST(UndoRecordingTest, UndoingAnEntryThatChangesNothingLeavesNoRedo) {
  CDrawDoc doc;
  ASSERT_TRUE(CUndoRedo::RecordUndo(&doc));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  EXPECT_EQ(doc.GetNumberRedosOnStack(), 0);
}

TEST(UndoRecordingTest, AnUnnamedEntryShowsTheClassOfItsNewestRecord) {
  CDrawDoc doc;
  ASSERT_TRUE(CUndoRedo::RecordUndo(&doc));
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"CUndoRedo"));
  EXPECT_EQ(doc.GetNextRedoCmdName(), nullptr);
}

TEST(UndoRecordingTest, WhileDisabledNothingIsKept) {
  CDrawDoc doc;
  doc.DisableUndoRecording();
  ASSERT_TRUE(doc.BeginUndoRecording(u"Off", 255));
  ASSERT_TRUE(CUndoRedo::RecordUndo(&doc));
  doc.EndUndoRecording();
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  EXPECT_FALSE(doc.IsUndoRecordingDisabled());  // the state ends with the outermost recording
}

// A replay whose own recording is refused (no memory, and the user does not
// give up history) changes nothing and keeps its entry where it was.
TEST(UndoRecordingTest, AReplayThatCannotRecordKeepsItsEntry) {
  CDrawDoc doc;
  doc.GetDiagram()->SetDocument(&doc);
  auto* object = new CDrawObj(CRect(0, 10, 10, 0));
  ASSERT_TRUE(doc.GetDiagram()->Add(object));
  ASSERT_TRUE(object->SetLineColor(RGB(1, 2, 3)));
  ASSERT_TRUE(object->SetLineColor(RGB(4, 5, 6)));
  ASSERT_TRUE(doc.UndoLast());
  ASSERT_EQ(object->GetLineColor(), RGB(1, 2, 3));
  const int undos = doc.GetNumberUndosOnStack();
  const int redos = doc.GetNumberRedosOnStack();
  CDrawDoc::SetUndoMemoryProbe([](size_t) { return false; });
  {
    doctest::ScriptedMsgBox box({FALSE, FALSE});
    EXPECT_FALSE(doc.UndoLast());
    EXPECT_FALSE(doc.RedoLast());
    CMsgBox::Remove(&box);
    EXPECT_EQ(box.asked, (std::vector<ULONG>{4, 4}));
  }
  CDrawDoc::SetUndoMemoryProbe(nullptr);
  EXPECT_EQ(object->GetLineColor(), RGB(1, 2, 3));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), undos);
  EXPECT_EQ(doc.GetNumberRedosOnStack(), redos);
  EXPECT_FALSE(doc.IsDoingUndoOrRedo());
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
  // Both entries still replay once memory is there.
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(object->GetLineColor(), RGB(4, 5, 6));
  ASSERT_TRUE(doc.UndoLast());
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(object->GetLineColor(), RGB(0, 0, 0));
}

// A record whose replay fails, with a recording of its own left open.
class FailingRecord : public CUndoRedo {
 public:
  explicit FailingRecord(CDrawDoc* doc) : doc_(doc) {}
  void DoUndo() override {
    doc_->BeginUndoRecording(u"Left open", 255);
    AfxThrowNotSupportedException();
  }

 private:
  CDrawDoc* doc_;
};

// A record whose replay records a failing one, so that the entry its replay
// makes fails in its turn.
class ArmingRecord : public CUndoRedo {
 public:
  explicit ArmingRecord(CDrawDoc* doc) : doc_(doc) {}
  void DoUndo() override {
    ASSERT_TRUE(doc_->BeginUndoRecording(u"", 255));
    doc_->AddToUndoList(new FailingRecord(doc_));
    doc_->EndUndoRecording();
  }

 private:
  CDrawDoc* doc_;
};

// A replay that fails part-way passes the error on and leaves the document
// recording as before: the replay's own recording is closed, the replay
// flags are cleared, and the next command is an undo entry of its own.
TEST(UndoRecordingTest, AReplayThatFailsLeavesTheDocumentRecordingAsBefore) {
  for (bool redo : {false, true}) {
    SCOPED_TRACE(redo ? "redo" : "undo");
    CDrawDoc doc;
    doc.GetDiagram()->SetDocument(&doc);
    auto* object = new CDrawObj(CRect(0, 10, 10, 0));
    ASSERT_TRUE(doc.GetDiagram()->Add(object));
    doc.ClearUndoStack();
    ASSERT_TRUE(doc.BeginUndoRecording(u"Fails", 255));
    ASSERT_TRUE(object->SetLineColor(RGB(1, 2, 3)));  // replayed after the failing one
    doc.AddToUndoList(redo ? static_cast<CUndoRedo*>(new ArmingRecord(&doc)) : new FailingRecord(&doc));
    doc.EndUndoRecording();
    if (redo) {
      ASSERT_TRUE(doc.UndoLast());
      ASSERT_EQ(doc.GetNumberRedosOnStack(), 1);
      EXPECT_THROW(doc.RedoLast(), CNotSupportedException);
    } else {
      EXPECT_THROW(doc.UndoLast(), CNotSupportedException);
    }
    EXPECT_EQ(doc.GetUndoLevel(), 0u);
    EXPECT_FALSE(doc.IsDoingUndoOrRedo());
    EXPECT_EQ(doc.GetCurrentURList(), nullptr);
    doc.ClearUndoStack();
    doc.ClearRedoStack();
    ASSERT_TRUE(object->SetLineColor(RGB(4, 5, 6)));
    EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
    ASSERT_TRUE(doc.UndoLast());
    EXPECT_EQ(doc.GetNumberRedosOnStack(), 1);
  }
}

}  // namespace
