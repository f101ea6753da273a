// A document whose active diagram (y upward, or downward for the parameter
// false) is shown in a view of 800 x 600 pixels, with helpers that place
// blocks and join their ports with wires through the library's own
// operations.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/tests/DownDiagram.h"
#include "diagram/testsupport/DocumentView.h"
#include "diagram/ui/DrawView.h"
#include "platform/ui/WinUser.h"

namespace blocktest {

using diagramtest::DownDiagram;

class BlockDiagram : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    LinkDiagramLibrary();
    if (upward()) {
      diagram = doc.GetDiagram();
    } else {
      downDiagram = std::make_unique<DownDiagram>();
      diagram = downDiagram.get();
      doc.SetActiveDiagram(diagram);
    }
    ASSERT_NO_FATAL_FAILURE(ShowDiagram(doc, diagram, view, 2));
  }
  void TearDown() override {
    doc.ClearUndoStack();
    doc.ClearRedoStack();
    view.DestroyWindow();
    if (downDiagram) {
      diagram->DeleteContents();
      doc.SetActiveDiagram(doc.GetDiagram());
      downDiagram.reset();
    }
  }
  bool upward() const { return GetParam(); }
  // `units` further down the canvas from y, in the diagram's direction.
  int Down(int y, int units) const { return upward() ? y - units : y + units; }

  // A block laid out for `code` at the point and added to the diagram.
  CDrawBlock* PlaceBlock(UINT code, CPoint at) {
    auto* block = new CDrawBlock;
    if (!block->InitializeAs(code, at, &view) || !block->AddBlockAndComponentsToDiagram(diagram)) {
      ADD_FAILURE() << "block not placed";
      delete block;
      return nullptr;
    }
    return block;
  }
  static CDrawPort* PortOf(CDrawBlock* block, int index) {
    POSITION pos = block->GetPorts().FindIndex(index);
    return pos ? static_cast<CDrawPort*>(block->GetPorts().GetAt(pos)) : nullptr;
  }
  // A straight wire between the ports, added to the diagram.
  CDrawArc* Wire(CDrawPort* src, CDrawPort* dst) {
    auto* arc = new CDrawArc;
    if (!arc->Initialize(src, dst, TRUE) || !diagram->Add(arc)) {
      ADD_FAILURE() << "wire not made";
      delete arc;
      return nullptr;
    }
    return arc;
  }

  CDrawDoc doc;
  std::unique_ptr<DownDiagram> downDiagram;
  CDiagram* diagram = nullptr;
  CDrawView view;
};

}  // namespace blocktest
