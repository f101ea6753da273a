// Edits of an object that lies against the canvas's lower right corner: an
// outline that grows (a wider pen, a longer text, a weight chosen on the
// shape page) stays on the canvas in the same undo step, so that the saved
// diagram reads back to the same bytes instead of growing the canvas, and an
// undo gives back the diagram as it was.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/ui/RectDlg.h"
#include "diagram/ui/TextDlg.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/WinUser.h"

namespace {

class CanvasEdgeEdits : public ::testing::Test {
 protected:
  void SetUp() override {
    if (h.diagram->IsSnapToGridEnabled()) h.diagram->ToggleSnapToGrid();
    ASSERT_NO_FATAL_FAILURE(h.Open(1, 1));
    canvas = h.diagram->GetRect();
    canvas.NormalizeRect();
  }
  // Adds the object and moves it against the canvas's right and lower
  // edges (the lower edge of a diagram whose y grows upward).
  CDrawObj* AtCorner(CDrawObj* object) {
    if (!h.diagram->Add(object)) {
      delete object;
      return nullptr;
    }
    const CRect outline = Outline(object);
    object->MoveBy(CPoint(canvas.right - outline.right, canvas.top - outline.top), FALSE);
    return object;
  }
  // The object's outline, its pen included.
  static CRect Outline(CDrawObj* object) {
    CRect r = object->GetBoundingRect();
    r.NormalizeRect();
    return r;
  }
  bool OnCanvas(CDrawObj* object) const {
    const CRect r = Outline(object);
    return canvas.left <= r.left && r.right <= canvas.right && canvas.top <= r.top && r.bottom <= canvas.bottom;
  }

  viewtest::ViewHarness<CDrawView> h;
  CRect canvas;
};

struct Case {
  const char* name;
  std::function<CDrawObj*(CDrawView&)> make;
  std::function<void(CDrawObj*, CDrawView&)> edit;
};

// A straight line shape (a rectangle's frame lies inside it).
CDrawObj* Segment(CDrawView&) { return new CDrawRect(CRect(0, 0, 200, -100), CDrawRect::line); }

CDrawObj* Ellipse(CDrawView&) { return new CDrawRect(CRect(0, 0, 200, -100), CDrawRect::ellipse); }

CDrawObj* Line(CDrawView& view) {
  auto* poly = new CDrawPoly;
  poly->AddPoint(CPoint(0, 0), &view);
  poly->AddPoint(CPoint(200, -100), &view);
  return poly;
}

CDrawObj* Text(CDrawView& view) { return new CDrawText(u"Gain", CPoint(0, 0), &view); }

TEST_F(CanvasEdgeEdits, AGrowingOutlineStaysOnTheCanvasAndTheStreamReadsBackAlike) {
  const Case cases[] = {
      {"a wider pen", Segment, [](CDrawObj* o, CDrawView&) { o->SetPenSize(6); }},
      {"a wider pen of a line", Line, [](CDrawObj* o, CDrawView&) { o->SetPenSize(6); }},
      {"a pen style with a width", Ellipse, [](CDrawObj* o, CDrawView&) { o->SetPenStyle(PS_SOLID, 6); }},
      {"a longer text", Text,
       [](CDrawObj* o, CDrawView& view) {
         platform::ScopedModalDriver driver([](platform::ModalSession& m) {
           m.EnterText(CTextDlg::kTextEdit, CStringW(u"A much longer text than before"));
           m.Click(IDOK);
         });
         o->OnOpen(&view);
       }},
      {"a weight on the shape page", Segment,
       [](CDrawObj* o, CDrawView&) {
         platform::ScopedModalDriver driver([](platform::ModalSession& m) {
           m.EnterText(CRectDlg::kWeightEdit, CStringW(u"5"));
           m.Click(IDOK);
         });
         CDrawList list;
         list.AddTail(o);
         CPropertySheet sheet(u"Shape Properties");
         o->GetDiagram()->DoGeneralPropertyPage(list, &sheet);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CDrawObj* object = AtCorner(c.make(h.view));
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(OnCanvas(object));
    h.doc.ClearUndoStack();
    const std::vector<BYTE> before = doctest::StoreDocument(h.doc);
    const CRect outlineBefore = Outline(object);

    c.edit(object, h.view);
    ASSERT_EQ(h.doc.GetNumberUndosOnStack(), 1);
    EXPECT_NE(Outline(object).Size(), outlineBefore.Size());
    EXPECT_TRUE(OnCanvas(object));
    const std::vector<BYTE> after = doctest::StoreDocument(h.doc);
    {
      CDrawDoc loaded;
      doctest::LoadArchive in(after, &loaded);
      loaded.Serialize(in.ar());
      EXPECT_EQ(doctest::StoreDocument(loaded), after);
    }
    ASSERT_TRUE(h.doc.UndoLast());
    EXPECT_EQ(doctest::StoreDocument(h.doc), before);
    ASSERT_TRUE(h.doc.RedoLast());
    EXPECT_EQ(doctest::StoreDocument(h.doc), after);
    h.doc.ClearUndoStack();
    h.doc.ClearRedoStack();
    object->Delete();
    h.doc.ClearUndoStack();
  }
}

}  // namespace
