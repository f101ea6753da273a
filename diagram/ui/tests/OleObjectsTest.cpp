// OLE objects and block descriptions in diagrams: the object sized from its
// item's extent in both y directions and scaled when the extent changes,
// the insert command and its failure, the in-place item of a closing view,
// read-only descriptions through clones freed by the timer, and a compound
// document with embedded, linked and description items saved, loaded and
// shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "diagram/model/blocks/AboutItem.h"
#include "diagram/model/blocks/CompositeBlock.h"
#include "diagram/model/objects/DrawItem.h"
#include "diagram/model/objects/DrawOleObj.h"
#include "diagram/testsupport/BlockDiagramFixture.h"
#include "diagram/ui/BockAboutPropertyPage.h"
#include "diagram/testsupport/MessageBoxCapture.h"
#include "diagram/testsupport/ModalScripts.h"
#include "diagram/testsupport/ScratchFolder.h"
#include "platform/core/Charset.h"
#include "platform/ole/NoteKind.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ui/Clipboard.h"
#include "platform/ole/OleDialogIds.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/ui/Host.h"
#include "platform/ui/PropertyPage.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/UserInput.h"
#include "platform/ui/WindowPicture.h"

namespace {

using diagramtest::MessageBoxCapture;
using diagramtest::ModalScriptQueue;

HWND NoteEditOf(const COleClientItem* item) { return ::GetDlgItem(item->GetServerWindow(), platform::kNoteEditId); }

CStringW NoteText(const COleClientItem* item) {
  const std::string utf8(item->GetData().begin(), item->GetData().end());
  return CStringW(platform::Utf8ToUtf16(utf8).c_str());
}

// The insert dialog choosing a new object of the list's first kind (the
// note).
diagramtest::ModalScript InsertNewNote() {
  return [](platform::ModalSession& s) {
    s.Choose(IDC_IO_OBJECTTYPELIST, 0);
    s.Click(IDOK);
  };
}

// The insert dialog choosing a file.
diagramtest::ModalScript InsertFromFile(const std::string& path) {
  return [path](platform::ModalSession& s) {
    s.Click(IDC_IO_CREATEFROMFILE);
    s.EnterText(IDC_IO_FILEDISPLAY, CStringW(platform::Utf8ToUtf16(path).c_str()));
    s.Click(IDOK);
  };
}

class OleObjects : public blocktest::BlockDiagram {
 protected:
  // A note object made as the insert command makes it, not yet added.
  CDrawOleObj* MakeNote(CPoint at) {
    CDrawOleObj* object = diagram->MakeDrawOleObj(at);
    auto* item = new CDrawItem(&doc, object);
    object->SetItem(item);
    EXPECT_TRUE(item->CreateNewItem(u"Scrivel.Note"));
    return object;
  }
  CCompositeBlock* PlaceComposite(CPoint at) {
    auto* block = new CCompositeBlock;
    if (!block->InitializeAs(101, at, &view) || !block->AddBlockAndComponentsToDiagram(diagram)) {
      ADD_FAILURE() << "composite block not placed";
      delete block;
      return nullptr;
    }
    return block;
  }
  std::vector<CDrawOleObj*> OleObjectsOf(CDiagram* d) {
    std::vector<CDrawOleObj*> found;
    for (POSITION pos = d->GetObjects().GetHeadPosition(); pos;) {
      if (auto* ole = DYNAMIC_DOWNCAST(CDrawOleObj, d->GetObjects().GetNext(pos))) found.push_back(ole);
    }
    return found;
  }
};

TEST_P(OleObjects, AFirstExtentSizesTheObjectAndANewOneScalesIt) {
  CDrawOleObj* object = MakeNote(CPoint(100, 200));
  CDrawItem* item = object->GetItem();
  ASSERT_TRUE(item->UpdateExtent());
  EXPECT_EQ(object->GetExtent(), CSize(2540, 1270));
  EXPECT_EQ(object->GetPosition(), CRect(100, 200, 200, Down(200, 50)));
  ASSERT_TRUE(diagram->Add(object));
  // The server's object grows to 20 characters by 5 lines: twice as large.
  ASSERT_TRUE(item->DoVerb(OLEIVERB_OPEN, nullptr));
  platform::EnterText(NoteEditOf(item), CStringW(u"twenty characters...\r\n2\r\n3\r\n4\r\n5"));
  ASSERT_TRUE(platform::CloseWindowByUser(item->GetServerWindow()));
  EXPECT_EQ(object->GetExtent(), CSize(5080, 2540));
  EXPECT_EQ(object->GetPosition(), CRect(100, 200, 300, Down(200, 100)));
  // Active in place the rectangle stays as the user sees it.
  ASSERT_TRUE(item->DoVerb(OLEIVERB_PRIMARY, &view));
  EXPECT_EQ(item->GetItemState(), COleClientItem::activeUIState);
  platform::EnterText(NoteEditOf(item), CStringW(u"short"));
  item->Deactivate();
  EXPECT_EQ(object->GetExtent(), CSize(2540, 1270));
  EXPECT_EQ(object->GetPosition(), CRect(100, 200, 300, Down(200, 100)));
}

TEST_P(OleObjects, InsertingANoteIsOneEntryAndEditsItInPlace) {
  diagram->SetLastClickPoint(CPoint(40, Down(0, 40)));
  const int entries = doc.GetNumberUndosOnStack();
  {
    ModalScriptQueue scripts({InsertNewNote()});
    view.OnInsertObject();
  }
  const std::vector<CDrawOleObj*> objects = OleObjectsOf(diagram);
  ASSERT_EQ(objects.size(), 1u);
  CDrawOleObj* object = objects[0];
  const CRect at = object->GetPosition();
  EXPECT_EQ(at, CRect(40, Down(0, 40), 140, Down(0, 90)))
      << at.left << " " << at.top << " " << at.right << " " << at.bottom;
  EXPECT_EQ(doc.GetNumberUndosOnStack(), entries + 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Insert OLE Object"));
  EXPECT_TRUE(view.IsSelected(object));
  EXPECT_TRUE(view.IsSelected(object->GetItem()));
  EXPECT_EQ(doc.GetInPlaceActiveItem(&view), object->GetItem());
  view.OnCancelEditCntr();
  EXPECT_EQ(object->GetItem()->GetItemState(), COleClientItem::loadedState);
}

TEST_P(OleObjects, AnObjectThatCannotBeMadeIsReportedAndLeavesNoEntry) {
  testsupport::ScratchFolder folder;
  MessageBoxCapture boxes;
  const int entries = doc.GetNumberUndosOnStack();
  {
    ModalScriptQueue scripts({InsertFromFile(folder / "missing.txt")});
    view.OnInsertObject();
  }
  EXPECT_EQ(boxes.Last(), CStringW(u"Failed to create object.  Make sure the object is entered in the system registry."));
  EXPECT_TRUE(OleObjectsOf(diagram).empty());
  EXPECT_EQ(doc.GetNumberUndosOnStack(), entries);
  EXPECT_EQ(doc.GetStartPosition(), nullptr);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
}

TEST_P(OleObjects, AnItemActiveInPlaceIsDeactivatedAndSavedWhenItsViewCloses) {
  {
    ModalScriptQueue scripts({InsertNewNote()});
    view.OnInsertObject();
  }
  const std::vector<CDrawOleObj*> objects = OleObjectsOf(diagram);
  ASSERT_EQ(objects.size(), 1u);
  CDrawItem* item = objects[0]->GetItem();
  ASSERT_TRUE(item->IsInPlaceActive());
  platform::EnterText(NoteEditOf(item), CStringW(u"typed in place"));
  view.DestroyWindow();
  EXPECT_EQ(item->GetItemState(), COleClientItem::loadedState);
  EXPECT_EQ(item->GetServerWindow(), nullptr);
  EXPECT_EQ(NoteText(item), CStringW(u"typed in place"));
}

TEST_P(OleObjects, TheOutlineToggleRepaintsAndChecks) {
  const BOOL saved = CDrawOleObj::c_bShowItems;
  struct Probe : CCmdUI {
    int checked = -1;
    void SetCheck(int check) override { checked = check; }
  } probe;
  view.OnViewShowObjects();
  view.OnUpdateViewShowObjects(&probe);
  EXPECT_EQ(probe.checked, saved ? 0 : 1);
  view.OnViewShowObjects();
  view.OnUpdateViewShowObjects(&probe);
  EXPECT_EQ(probe.checked, saved ? 1 : 0);
  CDrawOleObj::c_bShowItems = saved;
}

TEST_P(OleObjects, ADescriptionOpenedReadOnlyTwiceIsRefusedAndItsCloneGoesAfterItsWindow) {
  platform::UseManualClock(0);
  MessageBoxCapture boxes;
  CCompositeBlock* block = PlaceComposite(CPoint(0, 0));
  ASSERT_NE(block, nullptr);
  // Read-only without a description.
  block->OpenAbout(1);
  EXPECT_EQ(boxes.Last(), CStringW(u"No About info available!"));
  // A description made from a file that is not there.
  testsupport::ScratchFolder folder;
  {
    ModalScriptQueue scripts({InsertFromFile(folder / "missing.txt")});
    block->OpenAbout(0);
  }
  EXPECT_EQ(boxes.Last(), CStringW(u"Failed to create About info!"));
  EXPECT_EQ(block->GetAboutItem(), nullptr);
  // A new note, link refused, opened for editing.
  bool linkEnabled = true;
  {
    ModalScriptQueue scripts({[&](platform::ModalSession& s) {
      linkEnabled = ::IsWindowEnabled(::GetDlgItem(s.Window().GetSafeHwnd(), IDC_IO_LINKFILE));
      s.Choose(IDC_IO_OBJECTTYPELIST, 0);
      s.Click(IDOK);
    }});
    block->OpenAbout(0);
  }
  EXPECT_FALSE(linkEnabled);
  CAboutItem* about = block->GetAboutItem();
  ASSERT_NE(about, nullptr);
  ASSERT_TRUE(about->IsOpen());
  block->OpenAbout(1);
  EXPECT_EQ(boxes.Last(), CStringW(u"About info is already opened for edit!"));
  platform::EnterText(NoteEditOf(about), CStringW(u"what the block does"));
  ASSERT_TRUE(platform::CloseWindowByUser(about->GetServerWindow()));
  EXPECT_EQ(NoteText(about), CStringW(u"what the block does"));
  // Read-only: a clone in the scratch document.
  const int shown = boxes.Count();
  block->OpenAbout(1);
  EXPECT_EQ(boxes.Count(), shown);
  CAboutItem* clone = about->GetClone();
  ASSERT_NE(clone, nullptr);
  EXPECT_TRUE(about->IsReadOnly());
  EXPECT_NE(CAboutItem::c_pScratchDoc, nullptr);
  block->OpenAbout(1);
  EXPECT_EQ(boxes.Last(), CStringW(u"About info is already opened readonly!"));
  // Edits of the clone are ignored.
  platform::EnterText(NoteEditOf(clone), CStringW(u"changed"));
  ASSERT_TRUE(platform::CloseWindowByUser(clone->GetServerWindow()));
  EXPECT_EQ(boxes.Last(), CStringW(u"About info changes ignored!"));
  EXPECT_EQ(NoteText(about), CStringW(u"what the block does"));
  // The clone goes when the timer runs, and the scratch document with it.
  EXPECT_EQ(about->GetClone(), clone);
  platform::AdvanceClock(20);
  platform::PumpPendingMessages();
  EXPECT_EQ(about->GetClone(), nullptr);
  EXPECT_EQ(CAboutItem::c_pScratchDoc, nullptr);
  EXPECT_EQ(CAboutItem::c_uTimerID, 0u);
  platform::UseSystemClock();
}

TEST_P(OleObjects, PastedObjectsStepByTheOffsetAndAMissingLinkIsReported) {
  MessageBoxCapture boxes;
  COleDataSource text;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
  memcpy(GlobalLock(block), u"abc", 6);
  GlobalUnlock(block);
  text.CacheGlobalData(CF_UNICODETEXT, block);
  COleDataObject data;
  data.Attach(text.GetDataObject(), FALSE);
  const CPoint at(40, Down(0, 40));
  CDrawOleObj* first = diagram->PasteOLE(data, 0, at);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetPosition().TopLeft(), at);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"PasteEmbedded"));
  CDrawOleObj* second = diagram->PasteOLE(data, 0, at);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetPosition().TopLeft(), at + diagram->GetOffsetDelta());
  EXPECT_EQ(NoteText(second->GetItem()), CStringW(u"abc"));
  // Text is no link.
  const int entries = doc.GetNumberUndosOnStack();
  EXPECT_EQ(diagram->PasteOLE(data, 1, at), nullptr);
  EXPECT_EQ(boxes.Last(), CStringW(u"Failed to create object.  Make sure the object is entered in the system registry."));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), entries);
  EXPECT_EQ(OleObjectsOf(diagram).size(), 2u);
}

TEST_P(OleObjects, ACopiedObjectTravelsInItsOwnFormatsAndPastesIntoAnotherDocument) {
  CDrawOleObj* object = MakeNote(CPoint(10, Down(0, 10)));
  ASSERT_TRUE(object->GetItem()->UpdateExtent());
  ASSERT_TRUE(diagram->Add(object));
  CDrawList selection;
  selection.AddTail(object);
  diagram->EditCopy(selection, CDiagram::m_cfDraw, CPoint(0, 0), nullptr);
  COleDataObject data;
  ASSERT_TRUE(data.AttachClipboard());
  EXPECT_TRUE(data.IsDataAvailable(static_cast<CLIPFORMAT>(CDiagram::m_cfDraw)));
  EXPECT_TRUE(COleClientItem::CanCreateFromData(&data));
  data.Release();
  // The native paste into another document gives its item to that document.
  CDrawDoc other;
  other.GetDiagram()->SetDocument(&other);
  ASSERT_TRUE(other.GetDiagram()->SetCanvasSize(2, 2));
  CDrawList result;
  other.GetDiagram()->EditPaste(CPoint(0, 0), result);
  ASSERT_EQ(result.GetCount(), 1);
  auto* pasted = DYNAMIC_DOWNCAST(CDrawOleObj, result.GetHead());
  ASSERT_NE(pasted, nullptr);
  ASSERT_NE(pasted->GetItem(), nullptr);
  EXPECT_EQ(pasted->GetItem()->GetDocument(), &other);
  EXPECT_EQ(pasted->GetItem()->GetData(), object->GetItem()->GetData());
  EXPECT_NE(pasted->GetItem(), object->GetItem());
  other.ClearUndoStack();
}

// The number of black pixels along the row at `y` between the columns.
int BlackInRow(const platform::PixelBuffer& picture, int y, int left, int right) {
  int count = 0;
  for (int x = left; x < right; ++x) count += picture.InBounds(x, y) && picture.GetColor(x, y) == RGB(0, 0, 0);
  return count;
}

TEST_P(OleObjects, TheOutlineIsSolidForAnEmbeddedObjectDottedForALinkAndHatchedWhileOpen) {
  testsupport::ScratchFolder folder;
  // White pictures, which draw no frame of their own.
  testsupport::WriteFileBytes(folder / "l.ppm", "P6\n20 10\n255\n" + std::string(600, '\xFF'));
  // Near the canvas's top-left corner, which the view shows.
  CRect canvas = diagram->GetRect();
  canvas.NormalizeRect();
  const CPoint corner(canvas.left, upward() ? canvas.bottom : canvas.top);
  CDrawOleObj* embedded = diagram->MakeDrawOleObj(CPoint(corner.x + 50, Down(corner.y, 50)));
  embedded->SetItem(new CDrawItem(&doc, embedded));
  ASSERT_TRUE(embedded->GetItem()->CreateNewItem(u"Scrivel.Picture"));
  CDrawOleObj* linked = diagram->MakeDrawOleObj(CPoint(corner.x + 250, Down(corner.y, 50)));
  auto* item = new CDrawItem(&doc, linked);
  linked->SetItem(item);
  ASSERT_TRUE(item->CreateLinkFromFile(CStringW(platform::Utf8ToUtf16(folder / "l.ppm").c_str()).GetString()));
  for (CDrawOleObj* object : {embedded, linked}) {
    ASSERT_TRUE(object->GetItem()->UpdateExtent());
    ASSERT_TRUE(diagram->Add(object));
  }
  // The most black pixels of the rows about an object's top edge, and the
  // black pixels in a square inside it, away from its text.
  const auto look = [&](CDrawOleObj* object, int& edge, int& inside) {
    CRect rect = object->GetPosition();
    view.DocToClient(rect);
    const platform::PixelBuffer picture = platform::ComposeWindowPicture(view.GetSafeHwnd());
    edge = 0;
    for (int y = rect.top - 1; y <= rect.top + 1; ++y)
      edge = std::max(edge, BlackInRow(picture, y, rect.left + 2, rect.right - 2));
    inside = 0;
    for (int y = rect.bottom - 12; y < rect.bottom - 2; ++y) inside += BlackInRow(picture, y, rect.right - 12, rect.right - 2);
    return rect.Width() - 4;
  };
  int edge = 0;
  int inside = 0;
  int width = look(embedded, edge, inside);
  EXPECT_GE(edge, width - 1);
  EXPECT_EQ(inside, 0);
  width = look(linked, edge, inside);
  EXPECT_LT(edge, width * 3 / 4);
  EXPECT_GT(edge, width / 4);
  ASSERT_TRUE(embedded->GetItem()->DoVerb(OLEIVERB_OPEN, nullptr));
  look(embedded, edge, inside);
  EXPECT_GT(inside, 0);
  embedded->GetItem()->Close();
}

TEST_P(OleObjects, TheDescriptionPageCreatesAndDeletesABlocksDescription) {
  MessageBoxCapture boxes(IDYES);
  CCompositeBlock* block = PlaceComposite(CPoint(0, 0));
  ASSERT_NE(block, nullptr);
  // The buttons of the sheet's page shown (the description page comes
  // first).
  const auto enabled = [](platform::ModalSession& s, int id) {
    auto* sheet = s.As<CPropertySheet>();
    CPropertyPage* page = sheet ? sheet->GetActivePage() : nullptr;
    return page && ::IsWindowEnabled(::GetDlgItem(page->GetSafeHwnd(), id)) != FALSE;
  };
  std::vector<bool> states;
  {
    ModalScriptQueue scripts({[&](platform::ModalSession& s) {
                                states = {enabled(s, CBockAboutPropertyPage::kCreateButton),
                                          enabled(s, CBockAboutPropertyPage::kDeleteButton)};
                                s.Click(CBockAboutPropertyPage::kCreateButton);
                                states.push_back(enabled(s, CBockAboutPropertyPage::kCreateButton));
                                states.push_back(enabled(s, CBockAboutPropertyPage::kEditButton));
                                s.Click(CBockAboutPropertyPage::kDeleteButton);
                                states.push_back(enabled(s, CBockAboutPropertyPage::kCreateButton));
                                s.Click(IDCANCEL);
                              },
                              InsertNewNote()});
    block->OnEditProperties(&view);
    EXPECT_TRUE(scripts.Done());
  }
  EXPECT_EQ(states, (std::vector<bool>{true, false, false, true, true}));
  EXPECT_EQ(boxes.Last(), CStringW(u"Are you sure you want to delete the About info?"));
  EXPECT_EQ(block->GetAboutItem(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, OleObjects, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Up" : "Down"; });

class OleDocumentFile : public DocumentView {};

TEST_F(OleDocumentFile, EmbeddedLinkedAndDescriptionItemsAreSavedLoadedAndShown) {
  testsupport::ScratchFolder folder;
  // A linked picture of 4 x 2 red pixels.
  std::string ppm = "P6\n4 2\n255\n";
  for (int i = 0; i < 8; ++i) ppm += std::string("\xFF\x00\x00", 3);
  testsupport::WriteFileBytes(folder / "red.ppm", ppm);
  diagram->SetLastClickPoint(CPoint(-150, 150));
  {
    ModalScriptQueue scripts({InsertNewNote()});
    view.OnInsertObject();
  }
  view.OnCancelEditCntr();
  diagram->SetLastClickPoint(CPoint(0, 0));
  {
    ModalScriptQueue scripts({[&](platform::ModalSession& s) {
      s.Click(IDC_IO_CREATEFROMFILE);
      s.EnterText(IDC_IO_FILEDISPLAY, CStringW(platform::Utf8ToUtf16(folder / "red.ppm").c_str()));
      s.Click(IDC_IO_LINKFILE);
      s.Click(IDOK);
    }});
    view.OnInsertObject();
  }
  auto* block = new CCompositeBlock;
  ASSERT_TRUE(block->InitializeAs(101, CPoint(-200, 100), &view));
  ASSERT_TRUE(block->AddBlockAndComponentsToDiagram(diagram));
  {
    ModalScriptQueue scripts({InsertNewNote()});
    block->OpenAbout(0);
  }
  ASSERT_NE(block->GetAboutItem(), nullptr);
  platform::EnterText(NoteEditOf(block->GetAboutItem()), CStringW(u"described"));
  block->GetAboutItem()->Close();
  const std::string path = folder / "items.drw";
  ASSERT_TRUE(doc.OnSaveDocument(CStringW(platform::Utf8ToUtf16(path).c_str()).GetString()));
  // The saved document lets go of its file.
  ASSERT_TRUE(doc.OnNewDocument());

  CDrawDoc loaded;
  ASSERT_TRUE(loaded.OnOpenDocument(CStringW(platform::Utf8ToUtf16(path).c_str()).GetString()));
  CDiagram* top = loaded.GetDiagram();
  std::vector<CDrawOleObj*> objects;
  CCompositeBlock* loadedBlock = nullptr;
  for (POSITION pos = top->GetObjects().GetHeadPosition(); pos;) {
    CDrawObj* object = top->GetObjects().GetNext(pos);
    if (auto* ole = DYNAMIC_DOWNCAST(CDrawOleObj, object)) objects.push_back(ole);
    if (auto* composite = DYNAMIC_DOWNCAST(CCompositeBlock, object)) loadedBlock = composite;
  }
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[0]->GetItem()->GetType(), OT_EMBEDDED);
  EXPECT_EQ(objects[1]->GetItem()->GetType(), OT_LINK);
  EXPECT_EQ(objects[1]->GetItem()->GetDrawObj(), objects[1]);
  EXPECT_EQ(objects[1]->GetItem()->GetDocument(), &loaded);
  EXPECT_EQ(objects[1]->GetPosition(), CRect(0, 0, 20, -10));
  ASSERT_NE(loadedBlock, nullptr);
  ASSERT_NE(loadedBlock->GetAboutItem(), nullptr);
  EXPECT_EQ(NoteText(loadedBlock->GetAboutItem()), CStringW(u"described"));
  EXPECT_EQ(loadedBlock->GetAboutItem()->GetBlock(), loadedBlock);
  // Shown: the linked picture paints red where it lies.
  CDrawView shownView;
  ASSERT_NO_FATAL_FAILURE(ShowDiagram(loaded, top, shownView, 1));
  CRect rect = objects[1]->GetPosition();
  shownView.DocToClient(rect);
  const platform::PixelBuffer picture = platform::ComposeWindowPicture(shownView.GetSafeHwnd());
  const CPoint middle = rect.CenterPoint();
  ASSERT_TRUE(picture.InBounds(middle.x, middle.y))
      << middle.x << "," << middle.y << " in " << picture.Width() << "x" << picture.Height();
  EXPECT_EQ(picture.GetColor(middle.x, middle.y), RGB(255, 0, 0));
  loaded.ClearUndoStack();
  shownView.DestroyWindow();
}

}  // namespace
