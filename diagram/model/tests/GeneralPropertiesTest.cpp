// The shape page of a property sheet applied to objects: one undo entry for
// what changed, nothing for a cancel, a refusal for objects of two diagrams.
#include <gtest/gtest.h>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/PropertySheet.h"

namespace {

class GeneralProperties : public ::testing::Test {
 protected:
  void SetUp() override {
    doctest::LinkLibrary();
    doc.GetDiagram()->SetDocument(&doc);
    for (CDrawObj*& object : objects) {
      object = new CDrawObj(CRect(0, 20, 40, 0));
      ASSERT_TRUE(doc.GetDiagram()->Add(object));
      list.AddTail(object);
    }
    objects[1]->SetLineColor(RGB(0, 0, 255));
    doc.ClearUndoStack();
  }
  void TearDown() override {
    doc.ClearUndoStack();
    doc.ClearRedoStack();
  }

  int Run(const platform::ModalDriver& script) {
    platform::ScopedModalDriver driver(script);
    CPropertySheet sheet(u"Shape Properties");
    return doc.GetDiagram()->DoGeneralPropertyPage(list, &sheet);
  }

  CDrawDoc doc;
  CDrawObj* objects[2] = {};
  CDrawList list;
};

TEST_F(GeneralProperties, ThePageOpensWithTheFirstObjectsValues) {
  objects[0]->SetPenStyle(PS_DASH, 0);
  objects[0]->SetHatchStyle(HS_CROSS);
  objects[0]->EnableFill(FALSE);
  doc.ClearUndoStack();
  Run([](platform::ModalSession& s) {
    EXPECT_EQ(s.Text(28096), CStringW(u"0"));
    EXPECT_EQ(s.CheckState(28141), BST_CHECKED);
    EXPECT_EQ(s.CheckState(28155), BST_CHECKED);
    EXPECT_EQ(s.CheckState(28085), BST_CHECKED);
    EXPECT_EQ(s.CheckState(28150), BST_UNCHECKED);
    s.Click(IDCANCEL);
  });
}

TEST_F(GeneralProperties, OkAppliesOnlyTheChangedValuesAsOneUndoEntry) {
  const COLORREF secondLine = objects[1]->GetLineColor();
  EXPECT_EQ(Run([](platform::ModalSession& s) {
              s.EnterText(28096, CStringW(u"4"));
              s.Click(28153);  // forward diagonal: the hatch turns on
              s.Click(IDOK);
            }),
            1);
  ASSERT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Edit General Properties"));
  for (CDrawObj* object : objects) {
    EXPECT_EQ(object->GetPenSize(), 4u);
    EXPECT_EQ(object->GetHatchStyle(), HS_FDIAGONAL);
    EXPECT_TRUE(object->IsHatchEnabled());
  }
  // The page showed the first object's line colour: the second object,
  // which differed, takes it too.
  EXPECT_EQ(objects[1]->GetLineColor(), objects[0]->GetLineColor());
  doc.UndoLast();
  EXPECT_EQ(objects[1]->GetLineColor(), secondLine);
  for (CDrawObj* object : objects) {
    EXPECT_EQ(object->GetPenSize(), 1u);
    EXPECT_FALSE(object->IsHatchEnabled());
  }
}

TEST_F(GeneralProperties, CancelAndMixedDiagramsGiveTwoAndRecordNothing) {
  EXPECT_EQ(Run([](platform::ModalSession& s) {
              s.EnterText(28096, CStringW(u"4"));
              s.Click(IDCANCEL);
            }),
            2);
  EXPECT_EQ(objects[0]->GetPenSize(), 1u);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);

  CDiagram other;
  CDrawObj* stranger = new CDrawObj(CRect(0, 20, 40, 0));
  ASSERT_TRUE(other.Add(stranger));
  list.AddTail(stranger);
  int shown = 0;
  EXPECT_EQ(Run([&](platform::ModalSession&) { ++shown; }), 2);
  EXPECT_EQ(shown, 0);
  list.RemoveTail();

  CDrawList empty;
  CPropertySheet sheet(u"Shape Properties");
  EXPECT_EQ(doc.GetDiagram()->DoGeneralPropertyPage(empty, &sheet), 2);
  EXPECT_EQ(doc.GetDiagram()->DoGeneralPropertyPage(list, nullptr), 2);
}

}  // namespace
