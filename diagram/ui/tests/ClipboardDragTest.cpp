// The diagram's clipboard and drag and drop: the native stream's bytes,
// what a copy takes, where pastes land, streams from a diagram whose y axis
// runs the other way, damaged streams, and drags within a view, out of it
// and into a block's own inner diagram.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "diagram/model/blocks/CompositeBlock.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"
#include "diagram/model/canvas/DrawDataSource.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/testsupport/BlockDiagramFixture.h"
#include "diagram/testsupport/ClientPoints.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/SelectTool.h"
#include "platform/core/MemFile.h"
#include "platform/ole/DragDrop.h"
#include "platform/ole/ObjectDescriptor.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/ClipboardFormats.h"

namespace {

using platform::DragStep;

std::vector<BYTE> NativeBytes(CDiagram* diagram, const CDrawList& objects, LONG time, CPoint origin) {
  CMemFile file;
  diagram->CopyNative2ClipboardFile(&file, objects, time, origin, nullptr);
  std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

HGLOBAL BlockOf(const std::vector<BYTE>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!bytes.empty()) std::copy(bytes.begin(), bytes.end(), static_cast<BYTE*>(GlobalLock(block)));
  GlobalUnlock(block);
  return block;
}

// Pastes native bytes through a data object, as a drop would.
int PasteBytes(CDiagram* diagram, const std::vector<BYTE>& bytes, CPoint at, CDrawList& result) {
  COleDataSource source;
  source.CacheGlobalData(CDiagram::m_cfDraw, BlockOf(bytes));
  COleDataObject data;
  data.Attach(source.GetDataObject(), FALSE);
  CObject* other = nullptr;
  const int pasted = diagram->PasteNative(data, CDiagram::m_cfDraw, at, result, other);
  delete other;
  return pasted;
}

int CountOf(const CObList& objects, const CRuntimeClass* kind) {
  int count = 0;
  for (POSITION pos = objects.GetHeadPosition(); pos;) count += objects.GetNext(pos)->IsKindOf(kind) ? 1 : 0;
  return count;
}

void PutTextOnClipboard(const char* text) {
  auto* source = new COleDataSource;
  const size_t size = std::char_traits<char>::length(text) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  std::copy(text, text + size, static_cast<char*>(GlobalLock(block)));
  GlobalUnlock(block);
  source->CacheGlobalData(CF_TEXT, block);
  source->SetClipboard();
}

// A second document with a diagram of either direction, without a view.
class SecondDocument {
 public:
  explicit SecondDocument(bool upward) {
    if (!upward) {
      down_ = std::make_unique<blocktest::DownDiagram>();
      doc.SetActiveDiagram(down_.get());
    }
    diagram = upward ? doc.GetDiagram() : down_.get();
    diagram->SetDocument(&doc);
    EXPECT_TRUE(diagram->SetCanvasSize(2, 2));
    doc.ClearUndoStack();
  }
  ~SecondDocument() {
    doc.ClearUndoStack();
    doc.ClearRedoStack();
    if (down_) {
      down_->DeleteContents();
      doc.SetActiveDiagram(doc.GetDiagram());
    }
  }
  SecondDocument(const SecondDocument&) = delete;
  SecondDocument& operator=(const SecondDocument&) = delete;

  CDrawDoc doc;
  CDiagram* diagram = nullptr;

 private:
  std::unique_ptr<blocktest::DownDiagram> down_;
};

class ClipboardOnDiagram : public blocktest::BlockDiagram {
 protected:
  void TearDown() override {
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    BlockDiagram::TearDown();
  }
  // A box whose corner is `corner` (the top-left in the diagram's
  // direction), 100 wide and 50 high.
  CDrawRect* AddBox(CPoint corner) {
    auto* box = new CDrawRect(CRect(corner.x, corner.y, corner.x + 100, Down(corner.y, 50)));
    EXPECT_TRUE(diagram->Add(box));
    return box;
  }
  CDrawList ListOf(std::initializer_list<CDrawObj*> objects) {
    CDrawList list;
    for (CDrawObj* object : objects) list.AddTail(object);
    return list;
  }
  static CPoint Corner(CDrawObj* object) { return object->GetBoundingRectIncludingComponents().TopLeft(); }
};

TEST_P(ClipboardOnDiagram, TheStreamStartsWithVersionDirectionAndTimeEach32BitsThenTheOrigin) {
  const std::vector<BYTE> empty = NativeBytes(diagram, CDrawList(), 0x12345678, CPoint(100, -200));
  const BYTE up = upward() ? 1 : 0;
  const std::vector<BYTE> golden = {18, 0, 0, 0, up, 0, 0, 0, 0x78, 0x56, 0x34, 0x12,  // version, direction, time
                                    0x64, 0x00, 0x38, 0xFF,                              // origin (100, -200)
                                    0x00, 0x00,                                          // no extra object
                                    0x00, 0x00, 0x00, 0x00};                             // two empty lists
  EXPECT_EQ(empty, golden);
  // With objects the header is the same.
  CDrawRect* box = AddBox(CPoint(0, 0));
  const std::vector<BYTE> full = NativeBytes(diagram, ListOf({box}), 0x12345678, CPoint(100, -200));
  ASSERT_GT(full.size(), golden.size());
  EXPECT_TRUE(std::equal(golden.begin(), golden.begin() + 16, full.begin()));
}

TEST_P(ClipboardOnDiagram, AStreamWhoseFirstValueIsATimeIsTheOlderUpwardLayout) {
  // A box copied from an upward diagram, its header rewritten in the older
  // layout: the copy time first, no version, no direction.
  SecondDocument source(true);
  auto* box = new CDrawRect(CRect(0, 50, 100, 0));
  ASSERT_TRUE(source.diagram->Add(box));
  std::vector<BYTE> bytes = NativeBytes(source.diagram, ListOf({box}), 0x00010000, CPoint(0, 0));
  std::vector<BYTE> old = {0x00, 0x00, 0x01, 0x00};
  old.insert(old.end(), bytes.begin() + 12, bytes.end());

  CDrawList result;
  ASSERT_EQ(PasteBytes(diagram, old, CPoint(0, 0), result), 1);
  ASSERT_EQ(result.GetCount(), 1);
  const CRect pasted = result.GetHead()->GetPosition();
  // Read as upward: mirrored into a downward diagram only; either way the
  // box lies in this diagram's direction.
  EXPECT_EQ(pasted.top > pasted.bottom, upward());
  EXPECT_EQ(std::abs(pasted.Height()), 50);
  EXPECT_EQ(doc.GetDrawDocVersion(), CDrawDoc::kCurrentVersion);
}

TEST_P(ClipboardOnDiagram, ACopyTakesElementsWithTheirPortsAndOnlyTheWiresBetweenThem) {
  CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
  CDrawBlock* b = PlaceBlock(100, CPoint(0, 200));
  CDrawArc* wire = Wire(PortOf(a, 0), PortOf(b, 0));
  ASSERT_TRUE(a && b && wire);
  struct Case {
    const char* name;
    CDrawList selection;
    int blocks;
    int wires;
  };
  const std::vector<Case> cases = {
      {"both blocks and the wire", ListOf({a, b, wire}), 2, 1},
      {"both blocks", ListOf({a, b}), 2, 1},
      {"one block", ListOf({a}), 1, 0},
      {"a port alone", ListOf({PortOf(a, 0)}), 0, 0},
      {"the wire alone", ListOf({wire}), 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PutTextOnClipboard("before");
    diagram->EditCopy(c.selection, CDiagram::m_cfDraw, CPoint(0, 0), nullptr);
    const bool copied = IsClipboardFormatAvailable(CDiagram::m_cfDraw);
    EXPECT_EQ(copied, c.blocks > 0);
    // Nothing copied leaves the clipboard as it was.
    EXPECT_EQ(IsClipboardFormatAvailable(CF_TEXT) != FALSE, !copied);
    if (!copied) continue;
    // Pasted into another document.
    SecondDocument target(!upward());
    CDrawList result;
    target.diagram->EditPaste(CPoint(0, 0), result);
    EXPECT_EQ(CountOf(target.diagram->GetObjects(), RUNTIME_CLASS(CDrawBlock)), c.blocks);
    EXPECT_EQ(CountOf(target.diagram->GetObjects(), RUNTIME_CLASS(CDrawArc)), c.wires);
    EXPECT_EQ(CountOf(target.diagram->GetObjects(), RUNTIME_CLASS(CDrawPort)), c.blocks);  // one port each
    EXPECT_EQ(CountOf(result, RUNTIME_CLASS(CDrawBlock)), c.blocks);
    EXPECT_EQ(target.doc.GetNumberUndosOnStack(), 1);
    // The wire joins the pasted blocks' ports.
    for (POSITION pos = target.diagram->GetObjects().GetHeadPosition(); pos;) {
      if (auto* arc = DYNAMIC_DOWNCAST(CDrawArc, target.diagram->GetObjects().GetNext(pos))) {
        EXPECT_EQ(arc->GetSrcOutPort()->GetDiagram(), target.diagram);
        EXPECT_EQ(arc->GetDestInPort()->GetDiagram(), target.diagram);
      }
    }
    // The source is untouched.
    EXPECT_EQ(CountOf(diagram->GetObjects(), RUNTIME_CLASS(CDrawBlock)), 2);
  }
}

TEST_P(ClipboardOnDiagram, RepeatedPastesStepByOneGridStepAndANewPointTakesTheCorner) {
  const CPoint corner(-200, Down(100, 0));
  CDrawRect* box = AddBox(corner);
  doc.ClearUndoStack();
  const CSize step = diagram->GetOffsetDelta();
  diagram->EditCopy(ListOf({box}), CDiagram::m_cfDraw, corner, nullptr);
  for (int n = 1; n <= 3; ++n) {
    CDrawList result;
    diagram->EditPaste(corner, result);
    ASSERT_EQ(result.GetCount(), 1);
    EXPECT_EQ(Corner(result.GetHead()), corner + CSize(n * step.cx, n * step.cy)) << n;
  }
  const CPoint elsewhere(300, Down(0, 200));
  CDrawList result;
  diagram->EditPaste(elsewhere, result);
  ASSERT_EQ(result.GetCount(), 1);
  EXPECT_EQ(Corner(result.GetHead()), elsewhere);
  // Each paste is one undo step, and the pasted objects lie on top.
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 4);
  EXPECT_EQ(diagram->GetObjects().GetTail(), result.GetHead());
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(diagram->GetObjects().GetCount(), 4);
}

TEST_P(ClipboardOnDiagram, APasteNearTheEdgesStaysOnTheCanvas) {
  const CRect canvas = diagram->GetRect();
  CDrawRect* box = AddBox(CPoint(0, 0));
  diagram->EditCopy(ListOf({box}), CDiagram::m_cfDraw, CPoint(0, 0), nullptr);
  // Each corner of the canvas, and a point far outside.
  for (const CPoint at : {canvas.TopLeft(), CPoint(canvas.right, canvas.top), CPoint(canvas.left, canvas.bottom),
                          canvas.BottomRight(), CPoint(canvas.left - 5000, canvas.top)}) {
    CDrawList result;
    diagram->EditPaste(at, result);
    ASSERT_EQ(result.GetCount(), 1);
    CRect pasted = result.GetHead()->GetBoundingRectIncludingComponents();
    pasted.NormalizeRect();
    CRect bounds = canvas;
    bounds.NormalizeRect();
    EXPECT_TRUE(pasted.left >= bounds.left && pasted.right <= bounds.right && pasted.top >= bounds.top &&
                pasted.bottom <= bounds.bottom)
        << at.x << "," << at.y;
  }
}

TEST_P(ClipboardOnDiagram, ACutPastedAtTheSamePointPutsTheObjectsBack) {
  CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
  ASSERT_NE(a, nullptr);
  const CRect home = a->GetBoundingRectIncludingComponents();
  diagram->SetLastClickPoint(CPoint(-280, 10));
  view.Select(a, FALSE);
  view.SendMessage(WM_COMMAND, 57635);  // cut
  EXPECT_EQ(CountOf(diagram->GetObjects(), RUNTIME_CLASS(CDrawBlock)), 0);
  view.OnEditPaste();
  // The pasted block is selected (with its parts) and back at home.
  CDrawList elements(view.GetSelection());
  elements.ExcludeElementComponents();
  ASSERT_EQ(elements.GetCount(), 1);
  EXPECT_EQ(elements.GetHead()->GetBoundingRectIncludingComponents(), home);
  EXPECT_EQ(CountOf(diagram->GetObjects(), RUNTIME_CLASS(CDrawPort)), 1);
}

TEST_P(ClipboardOnDiagram, APasteFromTheOtherDirectionIsMirrored) {
  // A block with its output above its input... a polyline-free check: a box
  // and a block keep their shape and lie in the target's direction.
  CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
  ASSERT_NE(a, nullptr);
  const CRect blockRect = a->GetPosition();
  const CPoint portOffset = PortOf(a, 0)->GetPosition().TopLeft() - blockRect.TopLeft();
  diagram->EditCopy(ListOf({a}), CDiagram::m_cfDraw, CPoint(0, 0), nullptr);
  SecondDocument target(!upward());
  CDrawList result;
  target.diagram->EditPaste(CPoint(0, 0), result);
  CDrawBlock* pasted = nullptr;
  for (POSITION pos = result.GetHeadPosition(); pos;)
    if (auto* block = DYNAMIC_DOWNCAST(CDrawBlock, result.GetNext(pos))) pasted = block;
  ASSERT_NE(pasted, nullptr);
  const CRect r = pasted->GetPosition();
  EXPECT_EQ(r.top > r.bottom, !upward());  // the target's direction
  EXPECT_EQ(std::abs(r.Height()), std::abs(blockRect.Height()));
  EXPECT_EQ(r.Width(), blockRect.Width());
  // The port sits where it sat, seen on screen: its offset from the
  // block's top-left corner is mirrored.
  const CPoint pastedOffset = PortOf(pasted, 0)->GetPosition().TopLeft() - r.TopLeft();
  EXPECT_EQ(pastedOffset.x, portOffset.x);
  EXPECT_EQ(pastedOffset.y, -portOffset.y);
}

TEST_P(ClipboardOnDiagram, DamagedStreamsAddNothingAndLeaveNoUndoEntry) {
  CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
  CDrawBlock* b = PlaceBlock(100, CPoint(0, 200));
  CDrawArc* wire = Wire(PortOf(a, 0), PortOf(b, 0));
  CDrawList objects = ListOf({a, PortOf(a, 0), b, PortOf(b, 0), wire});
  const std::vector<BYTE> whole = NativeBytes(diagram, objects, 1000000, CPoint(0, 0));
  std::vector<BYTE> future = whole;
  future[0] = 19;  // a version this system does not know
  struct Case {
    std::string name;
    std::vector<BYTE> bytes;
  };
  std::vector<Case> cases = {{"version 19", future}, {"empty", {}}};
  for (size_t cut : {size_t{3}, size_t{14}, whole.size() / 2, whole.size() - 1})
    cases.push_back({"cut at " + std::to_string(cut), std::vector<BYTE>(whole.begin(), whole.begin() + cut)});
  doc.ClearUndoStack();
  const int before = static_cast<int>(diagram->GetObjects().GetCount());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CDrawList result;
    EXPECT_EQ(PasteBytes(diagram, c.bytes, CPoint(0, 0), result), 0);
    EXPECT_TRUE(result.IsEmpty());
    EXPECT_EQ(diagram->GetObjects().GetCount(), before);
    EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
    EXPECT_EQ(doc.GetDrawDocVersion(), CDrawDoc::kCurrentVersion);
  }
  // The whole stream pastes.
  CDrawList result;
  EXPECT_EQ(PasteBytes(diagram, whole, CPoint(0, 0), result), 1);
  EXPECT_EQ(diagram->GetObjects().GetCount(), 2 * before);
}

TEST_P(ClipboardOnDiagram, TheDescriptorGivesTheSizeAndPickedPointInDocumentUnits) {
  CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
  ASSERT_NE(a, nullptr);
  CRect extent = a->GetDraggingRect();
  const CPoint picked = extent.TopLeft() + CSize(20, upward() ? -10 : 10);
  CDrawDataSource source(&doc, diagram, ListOf({a}), CDiagram::m_cfDraw, picked, nullptr);
  COleDataObject data;
  data.Attach(source.GetDataObject(), FALSE);
  // The record in HIMETRIC, y grows downward.
  HGLOBAL block = data.GetGlobalData(static_cast<CLIPFORMAT>(CDrawView::GetObjectDescriptor()));
  ASSERT_NE(block, nullptr);
  ASSERT_EQ(GlobalSize(block), sizeof(OBJECTDESCRIPTOR));
  const OBJECTDESCRIPTOR record = *static_cast<OBJECTDESCRIPTOR*>(GlobalLock(block));
  GlobalUnlock(block);
  GlobalFree(block);
  EXPECT_EQ(record.cbSize, 52u);
  EXPECT_EQ(record.dwDrawAspect, 1u);
  EXPECT_EQ(record.sizel.cx, MulDiv(extent.Width(), 2540, 100));
  EXPECT_EQ(record.sizel.cy, MulDiv(std::abs(extent.Height()), 2540, 100));
  EXPECT_EQ(record.pointl.x, 20 * 2540 / 100);
  EXPECT_EQ(record.pointl.y, 10 * 2540 / 100);
  // The view reads it back in its own units and direction.
  CSize size;
  CSize offset;
  ASSERT_EQ(view.GetObjectInfo(&data, &size, &offset), 1);
  EXPECT_EQ(size, CSize(extent.Width(), extent.Height()));
  EXPECT_EQ(offset, CSize(picked.x - extent.left, picked.y - extent.top));
  // Data without one give nothing.
  COleDataSource plain;
  COleDataObject none;
  none.Attach(plain.GetDataObject(), FALSE);
  EXPECT_EQ(view.GetObjectInfo(&none, &size, &offset), 0);
  EXPECT_EQ(size, CSize(0, 0));
}

TEST_P(ClipboardOnDiagram, CopyAndPasteAreEnabledByWhatTheSelectionAndTheClipboardHold) {
  struct Probe : CCmdUI {
    int enabled = -1;
    void Enable(BOOL on) override { enabled = on ? 1 : 0; }
  };
  const auto enabled = [this](void (CDrawView::*update)(CCmdUI*)) {
    Probe probe;
    (view.*update)(&probe);
    return probe.enabled == 1;
  };
  CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
  ASSERT_NE(a, nullptr);
  view.Select(PortOf(a, 0), FALSE);
  EXPECT_FALSE(enabled(&CDrawView::OnUpdateEditCopy));  // a port alone
  view.Select(a, FALSE);
  EXPECT_TRUE(enabled(&CDrawView::OnUpdateEditCopy));

  // Text makes an OLE note: paste and paste special, but no link.
  PutTextOnClipboard("text");
  EXPECT_TRUE(enabled(&CDrawView::OnUpdateEditPaste));
  EXPECT_TRUE(enabled(&CDrawView::OnUpdateEditPasteSpecial));
  EXPECT_FALSE(enabled(&CDrawView::OnUpdateEditPasteLink));
  view.SendMessage(WM_COMMAND, 57634);  // copy
  EXPECT_TRUE(enabled(&CDrawView::OnUpdateEditPaste));
  // The diagram's own format makes no OLE item.
  EXPECT_FALSE(enabled(&CDrawView::OnUpdateEditPasteLink));
  EXPECT_FALSE(enabled(&CDrawView::OnUpdateEditPasteSpecial));
}

TEST_P(ClipboardOnDiagram, TheDataSourcePutsWiresAfterTheBlocks) {
  CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
  CDrawBlock* b = PlaceBlock(100, CPoint(0, 200));
  CDrawArc* wire = Wire(PortOf(a, 0), PortOf(b, 0));
  CDrawDataSource source(&doc, diagram, ListOf({wire, a, b}), CDiagram::m_cfDraw, CPoint(0, 0), nullptr);
  EXPECT_FALSE(source.IsEmpty());
  EXPECT_EQ(source.GetObjects().GetTail(), wire);
  EXPECT_EQ(source.GetObjects().GetHead(), a);
}

// Drags with the select tool: Shift on the first movement starts an OLE
// drag, which the script below plays.
class DragOnDiagram : public ClipboardOnDiagram {
 protected:
  void SetUp() override {
    ClipboardOnDiagram::SetUp();
    tool = CDrawToolSet::GetSelectTool();
    CDrawTool::SetActiveTool(tool);
    // The whole canvas in sight: drags find windows by what they show.
    view.OnViewScaleToFit();
  }
  // Another view in a window beside this one, the whole canvas in sight.
  static void ShowBeside(CDrawDoc& doc, CDiagram* shown, CDrawView& other) {
    ASSERT_NO_FATAL_FAILURE(ShowDiagram(doc, shown, other, 2));
    other.MoveWindow(900, 0, 800, 600, FALSE);
    other.OnViewScaleToFit();
  }
  CPoint Client(CPoint doc) { return diagramtest::ClientPoint(view, doc); }
  // A point on the block's body below its label.
  static CPoint OnBody(CDrawObj* block) {
    const CRect r = block->GetPosition();
    return CPoint(r.left + r.Width() / 2, r.top + r.Height() * 4 / 5);
  }
  // Presses on `at`, moves with Shift (the drag runs the script), releases.
  void ShiftDrag(CPoint at, std::vector<DragStep> steps) {
    platform::ScopedDragDriver drag(platform::ScriptedDrag(std::move(steps)));
    view.Select(nullptr, FALSE);  // no handle is pressed
    const CPoint from = Client(at);
    tool->OnLButtonDown(&view, MK_LBUTTON, from);
    tool->OnMouseMove(&view, MK_LBUTTON | MK_SHIFT, from + CSize(6, 0));
    tool->OnLButtonUp(&view, 0, from + CSize(6, 0));
  }
  CSelectTool* tool = nullptr;
};

TEST_P(DragOnDiagram, ADragWithinTheViewMovesTheObjectsAsOneUndoStep) {
  CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
  CDrawBlock* b = PlaceBlock(100, CPoint(0, 200));
  Wire(PortOf(a, 0), PortOf(b, 0));
  doc.ClearUndoStack();
  const CRect home = a->GetPosition();
  const CPoint press = OnBody(a);
  const CPoint to = Client(press + CSize(100, Down(0, 60)));
  ShiftDrag(press, {DragStep::MoveTo(view.m_hWnd, Client(press + CSize(10, 0))), DragStep::MoveTo(view.m_hWnd, to),
                    DragStep::Drop()});
  EXPECT_EQ(CountOf(diagram->GetObjects(), RUNTIME_CLASS(CDrawBlock)), 2);
  EXPECT_EQ(a->GetDiagram(), diagram);
  // The block moved as far as the snapped pointer did.
  CPoint from = diagramtest::DocPoint(view, Client(press));
  CPoint at = diagramtest::DocPoint(view, to);
  diagram->SnapToGrid(from);
  diagram->SnapToGrid(at);
  EXPECT_EQ(a->GetPosition(), home + (at - from));
  EXPECT_NE(at, from);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Drag And Drop"));
  EXPECT_FALSE(diagram->IsInDrag());
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(a->GetPosition(), home);
}

TEST_P(DragOnDiagram, ADragIntoAnotherDocumentMovesTheObjectsThere) {
  SecondDocument target(!upward());
  CDrawView other;
  ASSERT_NO_FATAL_FAILURE(ShowBeside(target.doc, target.diagram, other));
  CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
  ASSERT_NE(a, nullptr);
  doc.ClearUndoStack();
  const CPoint press = OnBody(a);
  const CPoint drop = diagramtest::ClientPoint(other, CPoint(100, 100));
  // Shift held over the other view makes it a move.
  ShiftDrag(press, {DragStep::MoveTo(view.m_hWnd, Client(press + CSize(10, 0))),
                    DragStep::MoveTo(other.m_hWnd, drop, MK_LBUTTON | MK_SHIFT), DragStep::Drop()});
  EXPECT_EQ(CountOf(diagram->GetObjects(), RUNTIME_CLASS(CDrawBlock)), 0);
  EXPECT_EQ(CountOf(target.diagram->GetObjects(), RUNTIME_CLASS(CDrawBlock)), 1);
  EXPECT_EQ(CountOf(target.diagram->GetObjects(), RUNTIME_CLASS(CDrawPort)), 1);
  CDrawList dropped(other.GetSelection());
  dropped.ExcludeElementComponents();
  EXPECT_EQ(dropped.GetCount(), 1);
  EXPECT_EQ(target.doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  // Undone in the source, the block is back.
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(CountOf(diagram->GetObjects(), RUNTIME_CLASS(CDrawBlock)), 1);
  other.DestroyWindow();
}

TEST_P(DragOnDiagram, ACopyDragLeavesTheSourceAndADragCancelledChangesNothing) {
  SecondDocument target(upward());
  CDrawView other;
  ASSERT_NO_FATAL_FAILURE(ShowBeside(target.doc, target.diagram, other));
  CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
  ASSERT_NE(a, nullptr);
  doc.ClearUndoStack();
  const CPoint press = OnBody(a);
  const CPoint drop = diagramtest::ClientPoint(other, CPoint(100, 100));
  ShiftDrag(press, {DragStep::MoveTo(other.m_hWnd, drop), DragStep::Drop()});  // no keys: a copy
  EXPECT_EQ(CountOf(diagram->GetObjects(), RUNTIME_CLASS(CDrawBlock)), 1);
  EXPECT_EQ(CountOf(target.diagram->GetObjects(), RUNTIME_CLASS(CDrawBlock)), 1);
  ShiftDrag(press, {DragStep::MoveTo(other.m_hWnd, drop, MK_LBUTTON | MK_SHIFT), DragStep::Cancel()});
  EXPECT_EQ(CountOf(diagram->GetObjects(), RUNTIME_CLASS(CDrawBlock)), 1);
  EXPECT_EQ(CountOf(target.diagram->GetObjects(), RUNTIME_CLASS(CDrawBlock)), 1);
  EXPECT_EQ(a->GetDiagram(), diagram);
  other.DestroyWindow();
}

TEST_P(DragOnDiagram, ABlockIsNeverDroppedIntoItsOwnInnerDiagram) {
  CDrawBlock* c = PlaceBlock(1, CPoint(-300, 0));
  ASSERT_NE(c, nullptr);
  view.Select(c, FALSE);
  view.OnObjectNest();
  CCompositeBlock* block = nullptr;
  for (POSITION pos = diagram->GetObjects().GetHeadPosition(); pos;)
    if (auto* found = DYNAMIC_DOWNCAST(CCompositeBlock, diagram->GetObjects().GetNext(pos))) block = found;
  ASSERT_NE(block, nullptr);
  CDiagram* inner = block->GetInternalDiagram();
  CDrawView innerView;
  doc.SetActiveDiagram(inner);
  ASSERT_NO_FATAL_FAILURE(ShowBeside(doc, inner, innerView));
  doc.SetActiveDiagram(diagram);
  doc.ClearUndoStack();
  const CRect home = block->GetPosition();
  // The block itself goes on the drag, as the select tool sends it.
  // While it is dragged, the inner diagram knows its host is.
  int step = 0;
  bool hostSeenInDrag = false;
  platform::ScopedDragDriver drag([&](DragStep& next) {
    switch (step++) {
      case 0:
        EXPECT_FALSE(diagram->IsHostInDrag(nullptr));
        next = DragStep::MoveTo(innerView.m_hWnd, diagramtest::ClientPoint(innerView, CPoint(0, 0)),
                                MK_LBUTTON | MK_SHIFT);
        return true;
      case 1:
        hostSeenInDrag = inner->IsHostInDrag(nullptr) != FALSE;
        next = DragStep::Drop();
        return true;
      default:
        return false;
    }
  });
  diagram->SetLastClickPoint(home.CenterPoint());
  diagram->DragAndDrop(ListOf({block}), &view);
  EXPECT_TRUE(hostSeenInDrag);
  EXPECT_EQ(block->GetDiagram(), diagram);
  EXPECT_EQ(block->GetPosition(), home);
  EXPECT_EQ(CountOf(inner->GetObjects(), RUNTIME_CLASS(CCompositeBlock)), 0);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  innerView.DestroyWindow();
}

const auto kDirectionName = [](const ::testing::TestParamInfo<bool>& info) {
  return std::string(info.param ? "Upward" : "Downward");
};
INSTANTIATE_TEST_SUITE_P(BothDirections, ClipboardOnDiagram, ::testing::Bool(), kDirectionName);
INSTANTIATE_TEST_SUITE_P(BothDirections, DragOnDiagram, ::testing::Bool(), kDirectionName);

}  // namespace
