// Blocks: the layout of a new block in both y directions, deleting a wired
// block with undo and redo, monitoring, and block records of stream
// versions 11 and 12.
#include <gtest/gtest.h>

#include <vector>

#include "diagram/model/blocks/DrawInPort.h"
#include "diagram/model/blocks/DrawOutPort.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/model/undo/URBlock.h"
#include "diagram/testsupport/BlockDiagramFixture.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"

namespace {

class BlockOnDiagram : public blocktest::BlockDiagram {};

// The texts a block lists as its components.
std::vector<CDrawText*> TextsOf(const CDrawBlock* block) {
  CDrawList components;
  block->IncludeComponentsInList(&components);
  std::vector<CDrawText*> texts;
  for (POSITION pos = components.GetHeadPosition(); pos;) {
    CDrawObj* object = components.GetNext(pos);
    if (object->IsKindOf(RUNTIME_CLASS(CDrawText))) texts.push_back(static_cast<CDrawText*>(object));
  }
  return texts;
}

TEST_P(BlockOnDiagram, TwoInputsAndOneOutputGoDownOneColumnFromTheTopLeftCorner) {
  const CPoint at(100, upward() ? 300 : -300);
  auto* block = PlaceBlock(201, at);
  ASSERT_NE(block, nullptr);
  const CRect& r = block->GetPosition();
  EXPECT_EQ(r.TopLeft(), at);
  ASSERT_EQ(block->GetPorts().GetCount(), 3);
  EXPECT_EQ(block->GetNumberOfInputPorts(), 2);
  EXPECT_EQ(block->GetNumberOfOutputPorts(), 1);

  const std::vector<CDrawText*> texts = TextsOf(block);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->TextString(), CStringW(u"Block"));
  CRect name = texts[0]->GetPosition();
  name.NormalizeRect();
  // The name's lower edge in the diagram's direction.
  const int nameLower = upward() ? name.top : name.bottom;
  const int first = PortOf(block, 0)->ConnectionPoint().y;
  EXPECT_EQ(first, Down(nameLower, 10));
  for (int i = 0; i < 3; ++i) {
    CDrawPort* port = PortOf(block, i);
    const bool input = i < 2;
    EXPECT_EQ(port->IsDestInput() != 0, input) << i;
    EXPECT_EQ(port->GetDrawBlock(), block);
    EXPECT_EQ(port->GetDiagram(), diagram);
    // Inputs on the left edge (their wire end 8 units out), the output on
    // the right edge at its tip.
    EXPECT_EQ(port->ConnectionPoint(), CPoint(input ? r.left - 8 : r.right + 10, Down(first, 12 * i))) << i;
  }
  // The bottom edge is 7 units beyond the last port's outer edge.
  EXPECT_EQ(r.bottom, Down(Down(first, 24), 5 + 7));
  EXPECT_TRUE(diagram->GetObjects().Find(PortOf(block, 2)));
  EXPECT_TRUE(diagram->GetObjects().Find(texts[0]));
}

TEST_P(BlockOnDiagram, WithoutPortsTheBlockFramesItsName) {
  const CPoint at(-200, 0);
  auto* block = PlaceBlock(0, at);
  ASSERT_NE(block, nullptr);
  EXPECT_TRUE(block->GetPorts().IsEmpty());
  const std::vector<CDrawText*> texts = TextsOf(block);
  ASSERT_EQ(texts.size(), 1u);
  CRect name = texts[0]->GetPosition();
  name.NormalizeRect();
  const CRect& r = block->GetPosition();
  EXPECT_EQ(r.TopLeft(), at);
  EXPECT_EQ(r.left, name.left - 5);
  EXPECT_EQ(r.right, name.right + 5);
  EXPECT_EQ(r.top, upward() ? name.bottom + 5 : name.top - 5);
  EXPECT_EQ(r.bottom, upward() ? name.top - 10 : name.bottom + 10);
}

TEST_P(BlockOnDiagram, WithoutAViewNothingIsLaidOut) {
  CDrawBlock block;
  EXPECT_FALSE(block.InitializeAs(201, CPoint(5, 5), nullptr));
  EXPECT_TRUE(block.GetPorts().IsEmpty());
  EXPECT_EQ(block.GetPosition(), CRect(0, 0, 0, 0));
}

TEST_P(BlockOnDiagram, AWiredBlockIsDeletedAndRestoredWithItsPortsTextsAndWires) {
  auto* left = PlaceBlock(101, CPoint(-300, 0));
  auto* right = PlaceBlock(101, CPoint(100, 0));
  ASSERT_TRUE(left && right);
  CDrawPort* out = PortOf(left, 1);
  CDrawPort* in = PortOf(right, 0);
  CDrawArc* wire = Wire(out, in);
  ASSERT_NE(wire, nullptr);
  const std::vector<CDrawPort*> ports = {PortOf(right, 0), PortOf(right, 1)};
  CDrawText* name = TextsOf(right)[0];
  const INT_PTR before = diagram->GetObjects().GetCount();
  doc.ClearUndoStack();

  auto expectPresent = [&](const char* when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(diagram->GetObjects().GetCount(), before);
    EXPECT_EQ(right->GetDrawState(), drawStateNormal);
    ASSERT_EQ(right->GetPorts().GetCount(), 2);
    EXPECT_EQ(PortOf(right, 0), ports[0]);
    EXPECT_EQ(PortOf(right, 1), ports[1]);
    EXPECT_EQ(TextsOf(right), std::vector<CDrawText*>{name});
    EXPECT_TRUE(wire->IsComplete());
    EXPECT_TRUE(out->IsArcInConnectionList(wire));
    EXPECT_TRUE(in->IsArcInConnectionList(wire));
    for (CDrawObj* object : {static_cast<CDrawObj*>(right), static_cast<CDrawObj*>(name),
                             static_cast<CDrawObj*>(wire), static_cast<CDrawObj*>(ports[0])})
      EXPECT_TRUE(diagram->GetObjects().Find(object));
  };
  auto expectGone = [&](const char* when) {
    SCOPED_TRACE(when);
    for (CDrawObj* object : {static_cast<CDrawObj*>(right), static_cast<CDrawObj*>(name),
                             static_cast<CDrawObj*>(wire), static_cast<CDrawObj*>(ports[0]),
                             static_cast<CDrawObj*>(ports[1])}) {
      EXPECT_FALSE(diagram->GetObjects().Find(object));
      EXPECT_TRUE(diagram->DoesTrashInclude(object));
    }
    EXPECT_TRUE(right->GetPorts().IsEmpty());
    EXPECT_TRUE(TextsOf(right).empty());
    EXPECT_FALSE(out->IsLinked());
    EXPECT_TRUE(diagram->GetObjects().Find(left));
  };

  ASSERT_TRUE(right->Delete());
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Delete Block"));
  expectGone("deleted");
  ASSERT_TRUE(doc.UndoLast());
  expectPresent("undone");
  ASSERT_TRUE(doc.RedoLast());
  expectGone("redone");
  ASSERT_TRUE(doc.UndoLast());
  expectPresent("undone again");
}

TEST_P(BlockOnDiagram, DroppedEntriesFreeADeletedWiredBlockOnce) {
  // Each history ends with the block, its ports, texts and wire in the
  // trash or on the canvas; dropping the entries frees what only they kept
  // (the sanitizers check that nothing is freed twice or used after).
  for (int undoRedo = 0; undoRedo < 3; ++undoRedo) {
    auto* left = PlaceBlock(1, CPoint(-300, 0));
    auto* right = PlaceBlock(100, CPoint(100, 0));
    ASSERT_TRUE(left && right);
    ASSERT_TRUE(Wire(PortOf(left, 0), PortOf(right, 0)));
    doc.ClearUndoStack();
    ASSERT_TRUE(right->Delete());
    if (undoRedo >= 1) {
      ASSERT_TRUE(doc.UndoLast());
    }
    if (undoRedo >= 2) {
      ASSERT_TRUE(doc.RedoLast());
    }
    doc.ClearUndoStack();
    doc.ClearRedoStack();
    EXPECT_FALSE(PortOf(left, 0)->IsLinked() && undoRedo != 1) << undoRedo;
    ASSERT_TRUE(left->Delete());
    doc.ClearUndoStack();
  }
}

TEST_P(BlockOnDiagram, ARefusedRecordingKeepsTheBlock) {
  auto* block = PlaceBlock(101, CPoint(0, 0));
  ASSERT_NE(block, nullptr);
  CDrawDoc::MemoryProbe old = CDrawDoc::SetUndoMemoryProbe([](size_t) { return false; });
  doctest::ScriptedMsgBox box;  // every question is answered no
  EXPECT_FALSE(block->Delete());
  CDrawDoc::SetUndoMemoryProbe(old);
  EXPECT_TRUE(diagram->GetObjects().Find(block));
  EXPECT_EQ(block->GetPorts().GetCount(), 2);
  EXPECT_EQ(block->GetDrawState(), drawStateNormal);
}

TEST_P(BlockOnDiagram, ANewInputPortLengthensTheBlockAsOneUndoStep) {
  auto* block = PlaceBlock(101, CPoint(0, 0));
  ASSERT_NE(block, nullptr);
  const CRect before = block->GetPosition();
  doc.ClearUndoStack();
  CDrawPort* added = block->AddNewInPort();
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(block->GetPorts().GetTail(), added);
  EXPECT_EQ(added->ConnectionPoint(), CPoint(before.left - 8, before.bottom));
  EXPECT_EQ(block->GetPosition().bottom, Down(before.bottom, 12));
  EXPECT_TRUE(diagram->GetObjects().Find(added));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(block->GetPosition(), before);
  EXPECT_EQ(block->GetPorts().GetCount(), 2);
  EXPECT_FALSE(diagram->GetObjects().Find(added));
}

// A port added to a block whose lower edge lies on the canvas's edge: the
// lengthened block moves up into the canvas in the same step, so that no
// outline lies past the edge (a reload would grow the canvas), and an undo
// and a redo give back the states of before and after.
TEST_P(BlockOnDiagram, ANewPortAtTheCanvasEdgeKeepsTheBlockOnTheCanvas) {
  for (const bool input : {true, false}) {
    SCOPED_TRACE(input ? "input" : "output");
    auto* block = PlaceBlock(101, CPoint(input ? 0 : 300, 0));
    ASSERT_NE(block, nullptr);
    CRect canvas = diagram->GetRect();
    canvas.NormalizeRect();
    CRect outline = block->GetBoundingRectIncludingComponents();
    outline.NormalizeRect();
    // Down to the canvas's lower edge in the diagram's direction.
    block->MoveBy(CPoint(0, upward() ? canvas.top - outline.top : canvas.bottom - outline.bottom), FALSE);
    doc.ClearUndoStack();
    const std::vector<BYTE> before = doctest::StoreDocument(doc);

    ASSERT_NE(input ? block->AddNewInPort() : block->AddNewOutPort(), nullptr);
    EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
    outline = block->GetBoundingRectIncludingComponents();
    outline.NormalizeRect();
    EXPECT_TRUE(canvas.left <= outline.left && outline.right <= canvas.right && canvas.top <= outline.top &&
                outline.bottom <= canvas.bottom)
        << outline.left << ',' << outline.top << ',' << outline.right << ',' << outline.bottom << " on " << canvas.left
        << ',' << canvas.top << ',' << canvas.right << ',' << canvas.bottom;
    CRect canvasAfter = diagram->GetRect();
    canvasAfter.NormalizeRect();
    EXPECT_EQ(canvasAfter, canvas);
    const std::vector<BYTE> after = doctest::StoreDocument(doc);
    // The stream (of the document's own diagram, y upward) reads back to
    // the same bytes: nothing past the edge.
    if (upward()) {
      CDrawDoc loaded;
      doctest::LoadArchive in(after, &loaded);
      loaded.Serialize(in.ar());
      EXPECT_EQ(doctest::StoreDocument(loaded), after);
    }
    ASSERT_TRUE(doc.UndoLast());
    EXPECT_EQ(doctest::StoreDocument(doc), before);
    ASSERT_TRUE(doc.RedoLast());
    EXPECT_EQ(doctest::StoreDocument(doc), after);
    doc.ClearUndoStack();
    doc.ClearRedoStack();
  }
}

INSTANTIATE_TEST_SUITE_P(BothDirections, BlockOnDiagram, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Upward" : "Downward");
                         });

TEST(DrawBlockTest, MonitorModes) {
  struct Step {
    int mode;
    int result;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"query leaves it off", {{3, 0}, {3, 0}}},
      {"on, query", {{1, 1}, {3, 1}}},
      {"toggle twice restores it", {{2, 1}, {2, 0}}},
      {"any other mode clears it", {{1, 1}, {7, 0}}},
      {"on twice stays on", {{1, 1}, {1, 1}, {0, 0}}},
  };
  for (const Case& test : cases) {
    CDrawBlock block;
    auto* port = new CDrawInPort(CPoint(0, 0), &block, nullptr);
    block.AddPort(port, -1);
    for (const Step& step : test.steps) {
      EXPECT_EQ(block.Monitor(step.mode), step.result) << test.what << " mode " << step.mode;
      // Every port follows the block's flag.
      EXPECT_EQ(port->Monitor(3), step.result) << test.what << " mode " << step.mode;
    }
  }
}

TEST(DrawBlockTest, GetPositionIsTheDragRectangleWhileDragged) {
  CDrawBlock block;
  block.InitializeDrawing(nullptr);
  block.MoveTo(CRect(10, 20, 30, 0), nullptr);
  EXPECT_EQ(block.GetDrawState(), drawStateMoved);
  EXPECT_EQ(block.GetPosition(), CRect(10, 20, 30, 0));
  block.FinalizeDrawing(CRect(10, 20, 30, 0), nullptr, 1);
  EXPECT_EQ(block.GetDrawState(), drawStateNormal);
  EXPECT_EQ(block.GetPosition(), CRect(10, 20, 30, 0));
}

// A block record of stream version 11 or 12: a 2-input layout code, no
// first or third text, the name "Block", (from 12) a null about document,
// and one input port at (0, 5) that names the block.
std::vector<BYTE> BlockRecord(WORD version, WORD aboutTag = 0) {
  doctest::Bytes b;
  b.NewClass("CDrawBlock").DrawObjData(version, 0, 20, 40, -10);  // class 1, object 2
  b.Word(200);
  b.Ref(0);
  b.NewClass("CDrawText").DrawObjData(version, 5, 15, 35, 5);  // class 3, object 4
  b.Byte(0xFF).Word(0xFFFE).Byte(5);
  for (char16_t c : std::u16string(u"Block")) b.Word(c);
  b.Word(0x924).Word(1).Ref(0);  // format, selectable, the default font
  b.Ref(0);
  if (version >= 12) b.Word(aboutTag);
  b.Word(1);                                                        // one port
  b.NewClass("CDrawInPort").DrawObjData(version, -10, 0, 0, 10);  // class 5, object 6
  b.Word(0).Word(4).Word(4);  // closed, 4 points of 4
  for (const CPoint& p : {CPoint(-8, 5), CPoint(-10, 0), CPoint(0, 5), CPoint(-10, 10)}) b.Small(p.x).Small(p.y);
  b.Word(0).Ref(0).Ref(0).Ref(0).Ref(2);  // unlinked count, three texts, the block
  return b.data;
}

TEST(DrawBlockTest, RecordsOfVersions11And12Load) {
  LinkDiagramLibrary();
  for (WORD version : {11, 12}) {
    CDrawDoc doc;
    doc.StartLoad(version);
    doctest::LoadArchive in(BlockRecord(version), &doc);
    std::unique_ptr<CDrawBlock> block(
        static_cast<CDrawBlock*>(in.ar().ReadObject(RUNTIME_CLASS(CDrawBlock))));
    ASSERT_NE(block, nullptr) << version;
    EXPECT_TRUE(in.AtEnd()) << version;
    EXPECT_EQ(block->GetNumberOfInputPorts(), 1) << version;
    ASSERT_EQ(block->GetPorts().GetCount(), 1) << version;
    auto* port = static_cast<CDrawPort*>(block->GetPorts().GetHead());
    EXPECT_TRUE(port->IsKindOf(RUNTIME_CLASS(CDrawInPort)));
    EXPECT_EQ(port->GetDrawBlock(), block.get());
    EXPECT_EQ(port->ConnectionPoint(), CPoint(-8, 5));
    const std::vector<CDrawText*> texts = TextsOf(block.get());
    ASSERT_EQ(texts.size(), 1u) << version;
    EXPECT_EQ(texts[0]->TextString(), CStringW(u"Block"));
    EXPECT_EQ(block->GetPosition(), CRect(0, 20, 40, -10));
  }
}

TEST(DrawBlockTest, AnAboutReferenceToNothingReadIsRefused) {
  LinkDiagramLibrary();
  CDrawDoc doc;
  doc.StartLoad(12);
  doctest::LoadArchive in(BlockRecord(12, 7), &doc);
  try {
    delete in.ar().ReadObject(RUNTIME_CLASS(CDrawBlock));
    ADD_FAILURE() << "an about document was read";
  } catch (CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::badIndex);
  }
}

}  // namespace

