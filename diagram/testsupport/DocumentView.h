// A document whose top-level diagram (upward, one page) is shown in a view
// of 800 x 600 pixels, with the library linked into the resource and class
// chain, so that its dialogs, texts and classes are found.
#pragma once

#include <gtest/gtest.h>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/tests/LinkDiagramLibrary.h"
#include "diagram/ui/DrawView.h"
#include "platform/ui/WinUser.h"

// Gives the document's `diagram` a canvas of `pages` x `pages` and shows it
// in `view`, a window of 800 x 600 pixels made the active view; the undo
// stack starts empty.
inline void ShowDiagram(CDrawDoc& doc, CDiagram* diagram, CDrawView& view, BYTE pages) {
  diagram->SetDocument(&doc);
  ASSERT_TRUE(diagram->SetCanvasSize(pages, pages));
  doc.AddView(&view);
  ASSERT_TRUE(view.CreateEx(0, u"AfxWnd", u"view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600),
                            nullptr, 0));
  view.OnInitialUpdate();
  view.SetActive(TRUE);
  doc.ClearUndoStack();
}

class DocumentView : public ::testing::Test {
 protected:
  void SetUp() override {
    LinkDiagramLibrary();
    diagram = doc.GetDiagram();
    ASSERT_NO_FATAL_FAILURE(ShowDiagram(doc, diagram, view, 1));
  }
  void TearDown() override {
    // Undo records may refer to objects in the trash: they go first.
    doc.ClearUndoStack();
    doc.ClearRedoStack();
    view.DestroyWindow();
  }

  CDrawDoc doc;
  CDiagram* diagram = nullptr;
  CDrawView view;
};
