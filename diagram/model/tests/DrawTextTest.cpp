// Text objects and their fonts: construction and measuring, drawing each text
// in its own font, editing through the text dialog with undo, the
// null-on-delete slot, and the stream from version 2 on.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/model/objects/TextFont.h"
#include "diagram/model/objects/TextFontStore.h"
#include "diagram/model/tests/FixtureBytes.h"
#include "diagram/testsupport/DocumentView.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/Font.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/WindowDC.h"

namespace {

LOGFONTW Font(LONG height, const char16_t* face) {
  LOGFONTW font = defaultLogFont;
  font.lfHeight = height;
  std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
  std::char_traits<char16_t>::copy(font.lfFaceName, face, std::char_traits<char16_t>::length(face));
  return font;
}

std::u16string FaceOf(const LOGFONTW& font) { return std::u16string(font.lfFaceName); }

// A message box at the head of the chain that notes every notification.
class NotifyLog : public CMsgBox {
 public:
  int HandleNotify(ULONG code, LPCWSTR s1, LPCWSTR s2) override {
    codes.push_back(code);
    texts.push_back(CStringW(s1) + u"|" + CStringW(s2));
    return TRUE;
  }
  std::vector<ULONG> codes;
  std::vector<CStringW> texts;
};

// A document that can be told to refuse every recording.
class RefusingDoc : public CDrawDoc {
 public:
  int BeginUndoRecording(LPCWSTR name, UINT sizeHint) override {
    return refuse ? FALSE : CDrawDoc::BeginUndoRecording(name, sizeHint);
  }
  bool refuse = false;
};

TEST(DrawTextTest, ConstructorsSetFormatFontSelectabilityAndPen) {
  CTextFont font(Font(-20, u"Arial"));
  CDiagram diagram;
  struct Case {
    const char* name;
    std::unique_ptr<CDrawText> text;
    UINT format;
    CTextFont* font;
    BOOL pen;
    CDiagram* diagram;
  };
  std::vector<Case> cases;
  cases.push_back({"default", std::make_unique<CDrawText>(), 0x924, &CDrawText::c_textFont, FALSE, nullptr});
  cases.push_back({"rectangle", std::make_unique<CDrawText>(CRect(0, 10, 20, 0)), 0x924, &CDrawText::c_textFont,
                   TRUE, nullptr});
  cases.push_back({"aligned", std::make_unique<CDrawText>(u"a", CRect(0, 10, 20, 0), 2, 8, &font, &diagram), 0x82A,
                   &font, TRUE, &diagram});
  cases.push_back({"aligned, no font", std::make_unique<CDrawText>(u"a", CRect(0, 10, 20, 0), 1, 4, nullptr, nullptr),
                   0x825, &CDrawText::c_textFont, TRUE, nullptr});
  cases.push_back({"format, no view", std::make_unique<CDrawText>(u"a", CRect(0, 10, 20, 0), 0x11u, nullptr), 0x11,
                   &CDrawText::c_textFont, TRUE, nullptr});
  cases.push_back({"at a point, no view", std::make_unique<CDrawText>("a", CPoint(5, 6), nullptr), 0x924,
                   &CDrawText::c_textFont, TRUE, nullptr});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.text->GetFormat(), c.format);
    EXPECT_EQ(c.text->GetTextFont(), c.font);
    EXPECT_TRUE(c.text->IsSelectable());
    EXPECT_EQ(static_cast<BOOL>(c.text->GetPenStyle() != PS_NULL), c.pen);
    EXPECT_FALSE(c.text->IsFillEnabled());
    EXPECT_EQ(c.text->GetDiagram(), c.diagram);
    EXPECT_EQ(c.text->GetPointerToNullOnDelete(), nullptr);
    EXPECT_FALSE(c.text->UserMayReshape());
    c.text->SetDiagram(nullptr);
  }
  // Without a view a text at a point has no extent.
  EXPECT_EQ(cases.back().text->GetPosition(), CRect(5, 6, 5, 6));
  EXPECT_EQ(cases[2].text->GetXAlign(), 2u);
  EXPECT_EQ(cases[2].text->GetYAlign(), 8u);
}

TEST(DrawTextTest, ACopyKeepsTextFontAndFormatButNoSlot) {
  CTextFont font(Font(-20, u"Arial"));
  CDrawText* slot = nullptr;
  CDrawText text(u"copy me", CRect(0, 10, 20, 0), 1, 4, &font, nullptr);
  text.SetSelectable(FALSE);
  slot = &text;
  text.SetPointerToNullOnDelete(&slot);
  std::unique_ptr<CDrawObj> clone(text.Clone());
  auto* copy = dynamic_cast<CDrawText*>(clone.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->TextString(), CStringW(u"copy me"));
  EXPECT_EQ(copy->GetTextFont(), &font);
  EXPECT_EQ(copy->GetFormat(), text.GetFormat());
  EXPECT_FALSE(copy->IsSelectable());
  EXPECT_EQ(copy->GetPointerToNullOnDelete(), nullptr);
  clone.reset();
  EXPECT_EQ(slot, &text);  // the copy never owned the slot
}

TEST(DrawTextTest, EachTextDrawsInItsOwnFont) {
  // Two fonts in use at once: each text must get its own, whichever was made
  // first.
  CTextFont arial(Font(-20, u"Arial"));
  CTextFont times(Font(-11, u"Times New Roman"));
  CDrawText a(u"first", CRect(0, 0, 100, 20), 0, 0, &arial, nullptr);
  CDrawText b(u"second", CRect(0, 30, 100, 50), 0, 0, &times, nullptr);
  CDrawText c(u"third", CRect(0, 60, 100, 80), 0, 0, nullptr, nullptr);
  auto recorder = std::make_shared<platform::DrawingRecorder>();
  CDC dc;
  dc.Attach(platform::CreateRecordingDc(recorder));
  const int mode = dc.GetBkMode();
  CFont* font = dc.GetCurrentFont();
  for (CDrawText* text : {&a, &b, &c, &a}) text->Draw(&dc);
  std::vector<std::u16string> faces;
  std::vector<LONG> heights;
  for (const platform::DrawOp& op : recorder->Ops()) {
    ASSERT_EQ(op.kind, platform::DrawKind::Text);
    EXPECT_EQ(op.bkMode, TRANSPARENT);
    faces.push_back(FaceOf(op.font.log));
    heights.push_back(op.font.log.lfHeight);
  }
  EXPECT_EQ(faces, (std::vector<std::u16string>{u"Arial", u"Times New Roman", u"Courier New", u"Arial"}));
  EXPECT_EQ(heights, (std::vector<LONG>{-20, -11, -13, -20}));
  // The device context is left as it was found.
  EXPECT_EQ(dc.GetBkMode(), mode);
  EXPECT_EQ(dc.GetCurrentFont()->GetSafeHandle(), font->GetSafeHandle());
}

TEST(DrawTextTest, EqualFontsShareOneGdiFontUntilAFontIsSetOrDestroyed) {
  {
    CTextFont gone;  // destroying a text font empties the cache
  }
  ASSERT_EQ(CTextFont::GetCachedFontCount(), 0);
  CTextFont first(Font(-20, u"Arial"));
  LOGFONTW sameWithTrailingJunk = Font(-20, u"Arial");
  sameWithTrailingJunk.lfFaceName[20] = u'x';  // after the terminating zero: not part of the name
  CTextFont second(sameWithTrailingJunk);
  CTextFont other(Font(-30, u"Arial"));
  CFont* shared = first.GetFont();
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(second.GetFont(), shared);
  EXPECT_NE(other.GetFont(), shared);
  EXPECT_EQ(CTextFont::GetCachedFontCount(), 2);
  // Setting a font drops the cache; the text font then draws in its new face.
  second.Set(Font(-12, u"Verdana"));
  EXPECT_EQ(CTextFont::GetCachedFontCount(), 0);
  LOGFONTW made{};
  second.GetFont()->GetLogFont(&made);
  EXPECT_EQ(FaceOf(made), u"Verdana");
  EXPECT_EQ(made.lfHeight, -12);
}

TEST(DrawTextTest, ChangingTheStringOrResettingRecordsNothing) {
  CDrawDoc doc;
  doc.GetDiagram()->SetDocument(&doc);
  auto* text = new CDrawText(u"before", CRect(0, 10, 40, 0), 0, 0, nullptr, nullptr);
  ASSERT_TRUE(doc.GetDiagram()->Add(text));
  doc.ClearUndoStack();
  text->ChangeTextString("after");
  EXPECT_EQ(text->TextString(), CStringW(u"after"));
  CTextFont font(Font(-9, u"Arial"));
  text->Reset(u"reset", CRect(5, 30, 60, 10), 1, 8, &font, FALSE);
  EXPECT_EQ(text->TextString(), CStringW(u"reset"));
  EXPECT_EQ(text->GetPosition(), CRect(5, 30, 60, 10));
  EXPECT_EQ(text->GetFormat(), 0x829u);
  EXPECT_EQ(text->GetTextFont(), &font);
  EXPECT_FALSE(text->Selectable());
  text->ResetTextFont(nullptr);
  EXPECT_EQ(text->GetTextFont(), &CDrawText::c_textFont);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
}

TEST(DrawTextTest, DeleteClearsTheOwnersSlotAndUndeleteSetsItAgain) {
  struct Case {
    const char* name;
    bool slotNamesText;  // else it names another text
    bool refuse;
    bool slotAfterDelete;  // still names the text
  };
  const Case cases[] = {
      {"slot of the text", true, false, false},
      {"slot of another text", false, false, false},
      {"refused delete", true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RefusingDoc doc;
    doc.GetDiagram()->SetDocument(&doc);
    auto* text = new CDrawText(u"owned", CRect(0, 10, 40, 0), 0, 0, nullptr, nullptr);
    ASSERT_TRUE(doc.GetDiagram()->Add(text));
    CDrawText other;
    CDrawText* slot = c.slotNamesText ? text : &other;
    text->SetPointerToNullOnDelete(&slot);
    doc.refuse = c.refuse;
    EXPECT_EQ(text->Delete(), c.refuse ? 0 : 1);
    EXPECT_EQ(slot == text, c.slotAfterDelete);
    if (!c.slotNamesText) {
      EXPECT_EQ(slot, &other);
    }
    if (!c.refuse) {
      ASSERT_TRUE(doc.UndoLast());
      EXPECT_EQ(text->GetDrawState(), drawStateNormal);
      EXPECT_EQ(slot, c.slotNamesText ? text : &other);
    }
    text->SetPointerToNullOnDelete(nullptr);
    doc.ClearUndoStack();
    doc.ClearRedoStack();
  }
}

TEST(DrawTextTest, ADestroyedTextClearsItsSlot) {
  CDrawText* slot = nullptr;
  {
    CDrawText text;
    slot = &text;
    text.SetPointerToNullOnDelete(&slot);
  }
  EXPECT_EQ(slot, nullptr);
}

TEST(DrawTextTest, EditingPropertiesOutsideAViewIsRefusedWithNotification24) {
  NotifyLog log;
  CDrawText text(u"x", CRect(0, 10, 10, 0), 0, 0, nullptr, nullptr);
  text.OnEditProperties(nullptr);
  EXPECT_EQ(log.codes, (std::vector<ULONG>{24}));
  EXPECT_EQ(text.OnEditPropertiesWithSheet(nullptr), 2);
}

// Texts on a diagram shown in a view: measuring and editing.
class TextInView : public DocumentView {
 protected:
  // What DrawText measures for `text` from `corner` in the view's mapping.
  CRect Measured(const CStringW& text, CPoint corner) {
    CClientDC dc(&view);
    view.OnPrepareDC(&dc);
    CFont* old = dc.SelectObject(CDrawText::c_textFont.GetFont());
    CRect rect(corner, corner);
    dc.DrawText(text, rect, 0x924 | DT_CALCRECT);
    dc.SelectObject(old);
    return rect;
  }
  CDrawText* AddText(const CStringW& text, CPoint at) {
    CDrawText* made = diagram->MakeDrawText(text, at, &view);
    EXPECT_NE(made, nullptr);
    EXPECT_TRUE(diagram->Add(made));
    doc.ClearUndoStack();
    return made;
  }
  // Answers the text dialog with `typed` (OK), or cancels it when null.
  void EditTo(CDrawText* text, const char16_t* typed) {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      EXPECT_EQ(s.Text(28094), text->TextString());
      if (!typed) {
        s.Click(IDCANCEL);
        return;
      }
      s.EnterText(28094, CStringW(typed));
      s.Click(IDOK);
    });
    text->OnOpen(&view);
  }
};

TEST_F(TextInView, ATextAtAPointIsAsLargeAsItMeasuresInTheView) {
  const CPoint at(-200, 150);
  CDrawText* text = AddText(u"Measured", at);
  const CRect expected = Measured(u"Measured", at);
  EXPECT_EQ(text->GetPosition(), expected);
  EXPECT_GT(expected.right, expected.left);
  EXPECT_GT(expected.top, expected.bottom);  // measured upward, as the diagram's y grows
  EXPECT_EQ(text->GetDiagram(), diagram);
}

TEST_F(TextInView, TheTextDialogChangesTheTextAsOneUndoableCommand) {
  struct Case {
    const char* name;
    const char16_t* typed;  // null: cancelled
    int undos;
    const char16_t* after;
    DrawObjState state;
  };
  const Case cases[] = {
      {"cancelled", nullptr, 0, u"Label", drawStateNormal},
      {"same text", u"Label", 0, u"Label", drawStateNormal},
      {"new text", u"A longer label", 1, u"A longer label", drawStateNormal},
      {"emptied", u"", 1, u"Label", drawStateDeleted},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CDrawText* text = AddText(u"Label", CPoint(0, 0));
    CDrawText* slot = text;
    text->SetPointerToNullOnDelete(&slot);
    const CRect before = text->GetPosition();
    EditTo(text, c.typed);
    EXPECT_EQ(doc.GetNumberUndosOnStack(), c.undos);
    EXPECT_EQ(text->TextString(), CStringW(c.after));
    EXPECT_EQ(text->GetDrawState(), c.state);
    EXPECT_EQ(slot, c.state == drawStateDeleted ? nullptr : text);
    if (c.undos == 0) {
      EXPECT_EQ(text->GetPosition(), before);
    } else {
      EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Change Text"));
      const CRect after = text->GetPosition();
      if (c.state == drawStateNormal) {
        EXPECT_EQ(after, Measured(c.after, before.TopLeft()));
      }
      EXPECT_TRUE(doc.UndoLast());
      EXPECT_EQ(text->TextString(), CStringW(u"Label"));
      EXPECT_EQ(text->GetPosition(), before);
      EXPECT_EQ(text->GetDrawState(), drawStateNormal);
      EXPECT_EQ(slot, text);
      EXPECT_TRUE(doc.RedoLast());
      EXPECT_EQ(text->TextString(), CStringW(c.after));
      EXPECT_EQ(text->GetPosition(), after);
      EXPECT_EQ(text->GetDrawState(), c.state);
    }
    text->SetPointerToNullOnDelete(nullptr);
    doc.ClearUndoStack();
    doc.ClearRedoStack();
  }
}

TEST_F(TextInView, EditingATextKeepsItInPlace) {
  CDrawText* text = AddText(u"Place", CPoint(100, -100));
  const CPoint corner = text->GetPosition().TopLeft();
  for (const char16_t* typed : {u"A much longer text", u"Short", u"Middle text"}) {
    EditTo(text, typed);
    EXPECT_EQ(text->GetPosition(), Measured(typed, corner));
  }
}

TEST_F(TextInView, TheDialogTakesAtMost64Characters) {
  CDrawText* text = AddText(u"Short", CPoint(0, 0));
  const CStringW typed(u'x', 70);
  EditTo(text, typed.GetString());
  EXPECT_EQ(text->TextString(), CStringW(u'x', 64));
}

TEST_F(TextInView, UndoingAnEditFindsTheTextOverItsWholeExtentAgain) {
  // Enough small objects in every quarter of the canvas that the quad tree
  // splits, so that a text is listed only where it lies.
  for (int i = 0; i < 64; ++i) {
    const int x = (i % 8 - 4) * 100 + 20;
    const int y = (i / 8 - 4) * 120 + 20;
    ASSERT_TRUE(diagram->Add(new CDrawObj(CRect(x, y + 5, x + 5, y))));
  }
  // Left of the canvas's centre when short, across it when long.
  CDrawText* text = AddText(u"A rather long label to be shortened", CPoint(-40, 70));
  const CRect longRect = text->GetPosition();
  ASSERT_GT(longRect.right, 40);
  EditTo(text, u"A");
  ASSERT_LT(text->GetPosition().right, 0);
  ASSERT_TRUE(doc.UndoLast());
  ASSERT_EQ(text->GetPosition(), longRect);
  // A small area at the far end of the long text, where the short one never
  // reached.
  const CRect farEnd(longRect.right - 6, longRect.top - 2, longRect.right - 2, longRect.bottom + 2);
  CDrawList found;
  ASSERT_EQ(diagram->GetObjectsInRect(farEnd, found), 1);  // answered by the tree
  EXPECT_TRUE(found.Find(text));
}

// A text whose delete fails with an error.
class FailingText : public CDrawText {
 public:
  using CDrawText::CDrawText;
  int Delete() override { throw std::runtime_error("delete failed"); }
};

TEST_F(TextInView, AnEditThatFailsPartWayLeavesTheRecordingClosed) {
  auto* failing = new FailingText(u"Failing", CPoint(0, 0), &view);
  ASSERT_TRUE(diagram->Add(failing));
  CDrawText* other = AddText(u"Other", CPoint(0, -100));
  EXPECT_THROW(EditTo(failing, u""), std::runtime_error);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  // The next edit is a command of its own.
  EditTo(other, u"Changed");
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Change Text"));
}

TEST_F(TextInView, EditingPropertiesFromTheViewOpensTheTextDialog) {
  CDrawText* text = AddText(u"Label", CPoint(0, 0));
  int shown = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    ++shown;
    s.EnterText(28094, CStringW(u"Edited"));
    s.Click(IDOK);
  });
  text->OnEditProperties(&view);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(text->TextString(), CStringW(u"Edited"));
}

// The stream: the fields a version lacks keep the constructor's values.
class TextStream : public ::testing::Test {
 protected:
  void SetUp() override { LinkDiagramLibrary(); }
};

FixtureBytes TextFixture(int version) {
  FixtureBytes b;
  b.DrawObj(version, 10, 30, 60, 20);
  if (version < 11) {
    b.AnsiString("Hi");  // written by a single-byte build
  } else {
    b.WideString(u"Hi");
  }
  if (version >= 3) b.Word(0x821).Word(0);  // format: centred, single line, clipped; not selectable
  if (version >= 4) b.NewClass("CTextFont").LogFont(version, -20, 700, "Arial");
  return b;
}

TEST_F(TextStream, OlderStreamsKeepTheDefaultsForWhatTheyLack) {
  struct Case {
    int version;
    UINT format;
    BOOL selectable;
    const char16_t* face;  // null: the default font
  };
  const Case cases[] = {
      {2, 0x924, TRUE, nullptr},
      {3, 0x821, FALSE, nullptr},
      {4, 0x821, FALSE, u"Arial"},
      {18, 0x821, FALSE, u"Arial"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    FixtureBytes bytes = TextFixture(c.version);
    CDrawDoc doc;
    doc.StartLoad(static_cast<WORD>(c.version));
    CMemFile file(bytes.Data(), bytes.Size());
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    CDrawText text;
    text.Serialize(ar);
    EXPECT_EQ(text.GetPosition(), CRect(10, 30, 60, 20));
    EXPECT_EQ(text.TextString(), CStringW(u"Hi"));
    EXPECT_EQ(text.GetFormat(), c.format);
    EXPECT_EQ(text.IsSelectable(), c.selectable);
    if (c.face) {
      EXPECT_EQ(FaceOf(text.GetTextFont()->GetLogFont()), c.face);
      EXPECT_EQ(text.GetTextFont()->GetLogFont().lfHeight, -20);
      EXPECT_EQ(text.GetTextFont()->GetLogFont().lfWeight, 700);
      // The document keeps the font read for as long as its texts.
      EXPECT_TRUE(doc.GetDiagram()->GetLoadedFonts().Holds(text.GetTextFont()));
    } else {
      EXPECT_EQ(text.GetTextFont(), &CDrawText::c_textFont);
    }
    BYTE beyond = 0;
    EXPECT_THROW(ar >> beyond, CArchiveException);  // exactly the version's bytes were read
    text.SetDiagram(nullptr);
  }
}

TEST_F(TextStream, TextsThatSharedAFontShareOneNewFontAfterReading) {
  CTextFont shared(Font(-16, u"Arial"));
  CDrawText a(u"one", CRect(0, 20, 50, 0), 0, 4, &shared, nullptr);
  CDrawText b(u"two", CRect(0, 50, 50, 30), 2, 8, &shared, nullptr);
  CDrawText c(u"three", CRect(0, 80, 50, 60), 1, 0, nullptr, nullptr);
  c.SetSelectable(FALSE);
  CMemFile file;
  {
    CDrawDoc doc;
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &doc;
    for (CDrawText* text : {&a, &b, &c}) ar.WriteObject(text);
    ar.Close();
  }
  file.SeekToBegin();
  CDrawDoc doc;
  CArchive ar(&file, CArchive::load);
  ar.m_pDocument = &doc;
  std::vector<std::unique_ptr<CDrawText>> read;
  for (int i = 0; i < 3; ++i) read.emplace_back(static_cast<CDrawText*>(ar.ReadObject(RUNTIME_CLASS(CDrawText))));
  EXPECT_EQ(read[0]->GetTextFont(), read[1]->GetTextFont());
  EXPECT_NE(read[0]->GetTextFont(), &shared);
  EXPECT_EQ(std::memcmp(&read[0]->GetTextFont()->GetLogFont(), &shared.GetLogFont(), sizeof(LOGFONTW)), 0);
  EXPECT_EQ(read[2]->GetTextFont(), &CDrawText::c_textFont);
  EXPECT_EQ(doc.GetDiagram()->GetLoadedFonts().GetCount(), 1);
  const CDrawText* originals[] = {&a, &b, &c};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(read[i]->TextString(), originals[i]->TextString());
    EXPECT_EQ(read[i]->GetFormat(), originals[i]->GetFormat());
    EXPECT_EQ(read[i]->IsSelectable(), originals[i]->IsSelectable());
    EXPECT_EQ(read[i]->GetPosition(), originals[i]->GetPosition());
  }
}

TEST_F(TextStream, AStreamWithoutADocumentLeavesItsFontsToTheLibrary) {
  CTextFont font(Font(-16, u"Arial"));
  CDrawText text(u"free", CRect(0, 20, 50, 0), 0, 0, &font, nullptr);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.WriteObject(&text);
    ar.Close();
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  std::unique_ptr<CObject> read(ar.ReadObject(RUNTIME_CLASS(CDrawText)));
  const CTextFont* readFont = static_cast<CDrawText*>(read.get())->GetTextFont();
  EXPECT_NE(readFont, &font);
  EXPECT_TRUE(TextFontStore::For(ar).Holds(readFont));
}

TEST_F(TextStream, ADamagedFontReferenceIsRefused) {
  // A version-4 text whose font slot holds a drawing object.
  FixtureBytes bytes = TextFixture(3);
  bytes.NewClass("CDrawObj").DrawObj(18, 0, 0, 0, 0);
  CDrawDoc doc;
  doc.StartLoad(4);
  CMemFile file(bytes.Data(), bytes.Size());
  CArchive ar(&file, CArchive::load);
  ar.m_pDocument = &doc;
  CDrawText text;
  EXPECT_THROW(text.Serialize(ar), CArchiveException);
  EXPECT_EQ(text.GetTextFont(), &CDrawText::c_textFont);
  text.SetDiagram(nullptr);
}


}  // namespace
