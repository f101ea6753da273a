// A document whose top-level diagram (upward, one page) is shown in a view
// of 800 x 600 pixels, with the library linked into the resource and class
// chain, so that its dialogs, texts and classes are found.
#pragma once

#include <gtest/gtest.h>

#include "diagram/model/Diagram.h"
#include "diagram/model/DrawDoc.h"
#include "diagram/ui/DrawView.h"
#include "platform/ui/WinUser.h"

extern "C" void _InitScrivel();

// Links the library into the chain once per process.
inline void LinkDiagramLibrary() {
  static const bool linked = [] {
    _InitScrivel();
    return true;
  }();
  (void)linked;
}

class DocumentView : public ::testing::Test {
 protected:
  void SetUp() override {
    LinkDiagramLibrary();
    diagram = doc.GetDiagram();
    diagram->SetDocument(&doc);
    ASSERT_TRUE(diagram->SetCanvasSize(1, 1));
    doc.AddView(&view);
    ASSERT_TRUE(view.CreateEx(0, u"AfxWnd", u"view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600),
                              nullptr, 0));
    view.OnInitialUpdate();
    view.SetActive(TRUE);
    doc.ClearUndoStack();
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
