// Client items served by the built-in kinds: creation, extents, the server
// window opened, edited and closed with the notifications a container
// hears, in-place activation in a view, links read from and written to
// their files, the insert and convert dialogs, and items stored in the
// storages of a compound document.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "StorageTestSupport.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/core/MessageBox.h"
#include "platform/ole/EmbeddableKind.h"
#include "platform/ole/NoteKind.h"
#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleConvertDialog.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ole/OleItemFormats.h"
#include "platform/ole/OlePasteAsDialog.h"
#include "platform/ole/OlePropertiesDialog.h"
#include "platform/ole/PictureFormat.h"
#include "platform/ole/OleDialogIds.h"
#include "platform/ole/OleDocument.h"
#include "platform/ole/OleInsertDialog.h"
#include "platform/ole/PictureKind.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/UserInput.h"
#include "platform/ui/View.h"

using namespace storage_test;

// An item that records what it hears and gives a fixed in-place position.
class CHearingItem : public COleClientItem {
  DECLARE_SERIAL(CHearingItem)

 public:
  explicit CHearingItem(COleDocument* document = nullptr) : COleClientItem(document) {}
  std::vector<std::pair<int, DWORD>> heard;

 protected:
  void OnChange(OLE_NOTIFICATION n, DWORD param) override {
    COleClientItem::OnChange(n, param);
    heard.emplace_back(n, param);
  }
  void OnGetItemPosition(CRect& position) override { position = CRect(10, 20, 110, 70); }
};

IMPLEMENT_SERIAL(CHearingItem, COleClientItem, 0)

namespace {

class CItemsDoc : public COleDocument {
 public:
  explicit CItemsDoc(BOOL compound = TRUE) { EnableCompoundFile(compound); }
};

class CPlainView : public CView {
 public:
  void OnDraw(CDC*) override {}
};


// The note's text as its stream holds it.
std::string TextOf(const COleClientItem& item) { return std::string(item.GetData().begin(), item.GetData().end()); }

HWND NoteEdit(const COleClientItem& item) { return ::GetDlgItem(item.GetServerWindow(), platform::kNoteEditId); }

TEST(OleClientItem, NewItemsOfEachKindHaveTheirExtentAndUnknownKindsAreRefused) {
  CItemsDoc doc;
  struct Case {
    const char16_t* kind;
    BOOL made;
    CSize extent;
  } cases[] = {{u"Scrivel.Note", TRUE, CSize(2540, 1270)},
               {u"Scrivel.Picture", TRUE, CSize(platform::kNewPictureWidth * 127, platform::kNewPictureHeight * 127)},
               {u"Nobody.Knows", FALSE, CSize(0, 0)}};
  for (const Case& c : cases) {
    auto* item = new CHearingItem(&doc);
    EXPECT_EQ(item->CreateNewItem(c.kind), c.made);
    CSize extent(0, 0);
    EXPECT_EQ(item->GetExtent(&extent), c.made);
    EXPECT_EQ(extent, c.extent);
    EXPECT_EQ(item->GetItemState(), c.made ? COleClientItem::loadedState : COleClientItem::emptyState);
    EXPECT_EQ(item->IsBlank(), !c.made);
  }
}

TEST(OleClientItem, EditingANoteInItsOwnWindowSavesItWhenTheUserClosesIt) {
  CItemsDoc doc;
  auto* item = new CHearingItem(&doc);
  ASSERT_TRUE(item->CreateNewItem(u"Scrivel.Note"));
  item->heard.clear();
  ASSERT_TRUE(item->DoVerb(OLEIVERB_OPEN, nullptr));
  EXPECT_TRUE(item->IsOpen());
  ASSERT_TRUE(::IsWindow(item->GetServerWindow()));
  EXPECT_FALSE(item->IsModified());
  ASSERT_TRUE(platform::EnterText(NoteEdit(*item), CStringW(u"a note of thirty characters...\r\nline 2\r\nline 3")));
  EXPECT_TRUE(item->IsModified());
  EXPECT_FALSE(doc.IsModified());
  ASSERT_TRUE(platform::CloseWindowByUser(item->GetServerWindow()));
  EXPECT_EQ(item->GetItemState(), COleClientItem::loadedState);
  EXPECT_EQ(item->GetServerWindow(), nullptr);
  EXPECT_EQ(TextOf(*item), "a note of thirty characters...\nline 2\nline 3");
  const std::vector<std::pair<int, DWORD>> expected{
      {OLE_CHANGED_STATE, COleClientItem::loadedState}, {OLE_SAVED, 0}, {OLE_CHANGED, DVASPECT_CONTENT},
      {OLE_CHANGED_STATE, COleClientItem::openState}, {OLE_CLOSED, 0}};
  EXPECT_EQ(item->heard, expected);
  EXPECT_TRUE(doc.IsModified());
  CSize extent;
  ASSERT_TRUE(item->GetExtent(&extent));
  // 0.1 inch a character, 0.2 inch a line, at least 1 x 0.5 inch.
  EXPECT_EQ(extent, CSize(30 * 254, 3 * 508));
}

TEST(OleClientItem, ClosingWithoutSavingDropsTheEdits) {
  CItemsDoc doc;
  auto* item = new CHearingItem(&doc);
  ASSERT_TRUE(item->CreateNewItem(u"Scrivel.Note"));
  ASSERT_TRUE(item->DoVerb(OLEIVERB_OPEN, nullptr));
  platform::EnterText(NoteEdit(*item), CStringW(u"lost"));
  item->Close(OLECLOSE_NOSAVE);
  EXPECT_EQ(TextOf(*item), "");
  // Opened again, the editor shows the saved text.
  ASSERT_TRUE(item->DoVerb(OLEIVERB_OPEN, nullptr));
  CStringW shown;
  CWnd::FromHandle(NoteEdit(*item))->GetWindowText(shown);
  EXPECT_EQ(shown, CStringW(u""));
  item->Close();
  EXPECT_FALSE(doc.IsModified());
}

TEST(OleClientItem, ANoteIsEditedInPlaceInTheViewAndLeavesWithItsView) {
  CItemsDoc doc;
  CWnd frame;
  ASSERT_TRUE(frame.CreateEx(0, u"AfxWnd", u"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                             nullptr));
  auto owned = std::make_unique<CPlainView>();
  CPlainView* view = owned.get();
  ASSERT_TRUE(view->Create(nullptr, u"view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &frame, 1));
  auto* item = new CHearingItem(&doc);
  ASSERT_TRUE(item->CreateNewItem(u"Scrivel.Note"));
  ASSERT_TRUE(item->DoVerb(OLEIVERB_PRIMARY, view));
  EXPECT_EQ(item->GetItemState(), COleClientItem::activeUIState);
  EXPECT_EQ(doc.GetInPlaceActiveItem(view), item);
  CWnd* window = item->GetInPlaceWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(::GetParent(window->GetSafeHwnd()), view->GetSafeHwnd());
  CRect rect;
  window->GetWindowRect(&rect);
  view->ScreenToClient(&rect);
  EXPECT_EQ(rect, CRect(10, 20, 110, 70));
  // Deactivation saves what was typed.
  platform::EnterText(NoteEdit(*item), CStringW(u"in place"));
  item->Deactivate();
  EXPECT_EQ(TextOf(*item), "in place");
  EXPECT_EQ(doc.GetInPlaceActiveItem(view), nullptr);
  // Active again, the view goes: the item is loaded, its window gone.
  ASSERT_TRUE(item->DoVerb(OLEIVERB_PRIMARY, view));
  frame.DestroyWindow();
  EXPECT_EQ(item->GetItemState(), COleClientItem::loadedState);
  EXPECT_EQ(item->GetServerWindow(), nullptr);
  EXPECT_EQ(item->heard.back().first, OLE_CLOSED);
}

TEST(OleClientItem, APictureOpensInItsOwnWindowWhereAClickPaintsAPixel) {
  CItemsDoc doc;
  auto* item = new CHearingItem(&doc);
  ASSERT_TRUE(item->CreateNewItem(u"Scrivel.Picture"));
  ASSERT_TRUE(item->DoVerb(OLEIVERB_PRIMARY, nullptr));
  EXPECT_TRUE(item->IsOpen());
  const int x = 3, y = 2;
  ::SendMessageW(item->GetServerWindow(), WM_LBUTTONDOWN, 0,
                 MAKELPARAM(x * platform::kEditorPixel + 1, y * platform::kEditorPixel + 1));
  EXPECT_TRUE(item->IsModified());
  ASSERT_TRUE(platform::CloseWindowByUser(item->GetServerWindow()));
  const std::vector<BYTE>& data = item->GetData();
  const size_t header = std::string("P6\n20 10\n255\n").size();
  ASSERT_EQ(data.size(), header + 20 * 10 * 3);
  const size_t at = header + (static_cast<size_t>(y) * 20 + x) * 3;
  EXPECT_EQ(data[at], 0);
  EXPECT_EQ(data[at - 3], 255);
}

TEST(OleClientItem, StaticAndUnreadableItemsRunNoVerb) {
  CItemsDoc doc;
  auto* still = new CHearingItem(&doc);
  ASSERT_TRUE(still->CreateStaticFromBytes(u"Scrivel.Picture", Bytes("P6 1 1 255 abc")));
  EXPECT_EQ(still->GetType(), OT_STATIC);
  EXPECT_FALSE(still->DoVerb(OLEIVERB_OPEN, nullptr));
  auto* bad = new CHearingItem(&doc);
  EXPECT_FALSE(bad->CreateStaticFromBytes(u"Scrivel.Picture", Bytes("P6 300 1 255 ")));
  EXPECT_FALSE(bad->CreateStaticFromBytes(u"Scrivel.Picture", Bytes("P6 2 2 255 short")));
  EXPECT_TRUE(bad->IsBlank());
}

TEST(OleClientItem, ALinkShowsItsFileAndWritesItBack) {
  TempFolder folder;
  const std::string path = folder / "linked.txt";
  testsupport::WriteFileBytes(path, "from the file");
  const std::u16string wide = folder.WideFile("linked.txt");
  CItemsDoc doc;
  auto* item = new CHearingItem(&doc);
  ASSERT_TRUE(item->CreateLinkFromFile(wide.c_str()));
  EXPECT_EQ(item->GetType(), OT_LINK);
  EXPECT_EQ(TextOf(*item), "from the file");
  EXPECT_TRUE(item->IsLinkUpToDate());
  testsupport::WriteFileBytes(path, "changed outside");
  EXPECT_FALSE(item->IsLinkUpToDate());
  item->heard.clear();
  ASSERT_TRUE(item->UpdateLink());
  EXPECT_EQ(TextOf(*item), "changed outside");
  ASSERT_FALSE(item->heard.empty());
  EXPECT_EQ(item->heard.back().first, OLE_CHANGED);
  // A link opens in a window of its own even for a kind edited in place,
  // and saving writes the file.
  ASSERT_TRUE(item->DoVerb(OLEIVERB_PRIMARY, nullptr));
  EXPECT_TRUE(item->IsOpen());
  platform::EnterText(NoteEdit(*item), CStringW(u"edited"));
  item->Close();
  EXPECT_EQ(testsupport::ReadFileBytes(path), "edited");
  EXPECT_TRUE(item->IsLinkUpToDate());
  // A missing file cannot be linked or updated.
  std::remove(path.c_str());
  EXPECT_FALSE(item->UpdateLink());
  auto* none = new CHearingItem(&doc);
  EXPECT_FALSE(none->CreateLinkFromFile(wide.c_str()));
}

TEST(OleClientItem, AClonedItemCopiesTheSavedObjectNotTheEdits) {
  CItemsDoc doc;
  auto* item = new CHearingItem(&doc);
  ASSERT_TRUE(item->CreateNewItem(u"Scrivel.Note"));
  ASSERT_TRUE(item->DoVerb(OLEIVERB_OPEN, nullptr));
  platform::EnterText(NoteEdit(*item), CStringW(u"saved"));
  item->Close();
  ASSERT_TRUE(item->DoVerb(OLEIVERB_OPEN, nullptr));
  platform::EnterText(NoteEdit(*item), CStringW(u"not yet"));
  CItemsDoc other;
  auto* clone = new CHearingItem(&other);
  ASSERT_TRUE(clone->CreateCloneFrom(item));
  EXPECT_EQ(TextOf(*clone), "saved");
  EXPECT_EQ(clone->GetType(), OT_EMBEDDED);
  auto* empty = new CHearingItem(&other);
  EXPECT_FALSE(clone->CreateCloneFrom(empty));
  item->Close(OLECLOSE_NOSAVE);
}

TEST(OleClientItem, ItemsAreStoredInStoragesOfTheCompoundDocumentAndLoadedBack) {
  TempFolder folder;
  testsupport::WriteFileBytes(folder / "linked.txt", "linked text");
  const std::u16string file = folder.WideFile("items.doc");
  {
    CItemsDoc doc;
    auto* note = new CHearingItem(&doc);
    ASSERT_TRUE(note->CreateNewItem(u"Scrivel.Note"));
    ASSERT_TRUE(note->DoVerb(OLEIVERB_OPEN, nullptr));
    platform::EnterText(NoteEdit(*note), CStringW(u"embedded"));
    note->Close();
    auto* link = new CHearingItem(&doc);
    ASSERT_TRUE(link->CreateLinkFromFile(folder.WideFile("linked.txt").c_str()));
    new CHearingItem(&doc);  // blank: not stored
    ASSERT_TRUE(doc.OnSaveDocument(file.c_str()));
  }
  // The object's bytes are in "Embedding <n>/Contents".
  Ref<IStorage> root;
  ASSERT_EQ(StgOpenStorage(file.c_str(), nullptr, kRead, nullptr, 0, root.put()), S_OK);
  Ref<IStorage> embedding;
  EXPECT_EQ(root->OpenStorage(u"Embedding 1", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0,
                              embedding.put()),
            S_OK);
  root.Reset();
  embedding.Reset();
  {
    CItemsDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(file.c_str()));
    std::vector<CHearingItem*> items;
    for (POSITION pos = doc.GetStartPosition(); pos;)
      items.push_back(static_cast<CHearingItem*>(doc.GetNextItem(pos)));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->GetType(), OT_EMBEDDED);
    EXPECT_EQ(TextOf(*items[0]), "embedded");
    EXPECT_EQ(items[1]->GetType(), OT_LINK);
    EXPECT_EQ(items[1]->GetLinkPath(), CStringW(folder.WideFile("linked.txt").c_str()));
    EXPECT_EQ(TextOf(*items[1]), "linked text");
    // A new item after loading gets a number of its own.
    auto* third = new CHearingItem(&doc);
    ASSERT_TRUE(third->CreateNewItem(u"Scrivel.Picture"));
    ASSERT_TRUE(doc.OnSaveDocument(file.c_str()));
  }
  CItemsDoc again;
  ASSERT_TRUE(again.OnOpenDocument(file.c_str()));
  int count = 0;
  for (POSITION pos = again.GetStartPosition(); pos; again.GetNextItem(pos)) ++count;
  EXPECT_EQ(count, 3);
}

// The archive of a document without storage holds the bytes itself.
std::vector<BYTE> StoreInArchive(COleDocument& doc) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
  }
  const ULONGLONG size = file.GetLength();
  BYTE* bytes = file.Detach();
  std::vector<BYTE> copy(bytes, bytes + size);
  free(bytes);
  return copy;
}

void LoadFromArchive(COleDocument& doc, std::vector<BYTE> bytes) {
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  ar.m_pDocument = &doc;
  doc.Serialize(ar);
}

TEST(OleClientItem, AnObjectOfAnUnknownKindKeepsItsBytesAndADamagedLengthIsRefused) {
  CItemsDoc doc(FALSE);
  auto* note = new CHearingItem(&doc);
  ASSERT_TRUE(note->CreateNewItem(u"Scrivel.Note"));
  std::vector<BYTE> bytes = StoreInArchive(doc);
  // The class name "Scrivel.Note" becomes "Scrivel.Nope".
  const std::u16string from = u"Note";
  for (size_t i = 0; i + 8 <= bytes.size(); ++i) {
    if (memcmp(&bytes[i], from.data(), 8) == 0) bytes[i + 4] = 'p';
  }
  {
    CItemsDoc loaded(FALSE);
    LoadFromArchive(loaded, bytes);
    POSITION pos = loaded.GetStartPosition();
    auto* item = static_cast<COleClientItem*>(loaded.GetNextItem(pos));
    EXPECT_EQ(item->GetClassName(), CStringW(u"Scrivel.Nope"));
    EXPECT_FALSE(item->IsBlank());
    EXPECT_FALSE(item->DoVerb(OLEIVERB_OPEN, nullptr));
    CSize extent;
    EXPECT_FALSE(item->GetExtent(&extent));
    EXPECT_EQ(StoreInArchive(loaded), bytes);
  }
  // A length beyond the archive's end.
  std::vector<BYTE> damaged = StoreInArchive(doc);
  // The empty note's length is the archive's last field.
  damaged[damaged.size() - 4] = 0xFF;
  damaged[damaged.size() - 3] = 0xFF;
  CItemsDoc loaded(FALSE);
  EXPECT_THROW(LoadFromArchive(loaded, damaged), CArchiveException);
}

TEST(OleClientItem, TheInsertDialogMakesNewFileAndLinkedItems) {
  TempFolder folder;
  testsupport::WriteFileBytes(folder / "a.txt", "file text");
  const CStringW path(folder.WideFile("a.txt").c_str());
  struct Case {
    DWORD flags;
    bool fromFile;
    bool link;
    OLE_OBJTYPE type;
    UINT selection;
  } cases[] = {{IOF_SELECTCREATENEW, false, false, OT_EMBEDDED, COleInsertDialog::createNewItem},
               {IOF_SELECTCREATENEW, true, false, OT_EMBEDDED, COleInsertDialog::insertFromFile},
               {IOF_SELECTCREATENEW, true, true, OT_LINK, COleInsertDialog::linkToFile},
               {IOF_SELECTCREATENEW | IOF_DISABLELINK, true, true, OT_EMBEDDED, COleInsertDialog::insertFromFile}};
  for (const Case& c : cases) {
    bool linkEnabled = false;
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      linkEnabled = ::IsWindowEnabled(::GetDlgItem(s.Window().GetSafeHwnd(), IDC_IO_LINKFILE));
      if (c.fromFile) {
        s.Click(IDC_IO_CREATEFROMFILE);
        s.EnterText(IDC_IO_FILEDISPLAY, path);
        if (c.link) s.Click(IDC_IO_LINKFILE);
      } else {
        s.Choose(IDC_IO_OBJECTTYPELIST, 1);
      }
      s.Click(IDOK);
    });
    COleInsertDialog dialog(c.flags);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(linkEnabled, !(c.flags & IOF_DISABLELINK));
    EXPECT_EQ(dialog.GetSelectionType(), c.selection);
    CItemsDoc doc;
    auto* item = new CHearingItem(&doc);
    ASSERT_TRUE(dialog.CreateItem(item));
    EXPECT_EQ(item->GetType(), c.type);
    EXPECT_EQ(item->GetClassName(), CStringW(c.fromFile ? u"Scrivel.Note" : u"Scrivel.Picture"));
  }
  // A file of no kind cannot be inserted.
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    s.Click(IDC_IO_CREATEFROMFILE);
    s.EnterText(IDC_IO_FILEDISPLAY, CStringW(folder.WideFile("a.unknown").c_str()));
    s.Click(IDOK);
  });
  COleInsertDialog dialog;
  ASSERT_EQ(dialog.DoModal(), IDOK);
  CItemsDoc doc;
  auto* item = new CHearingItem(&doc);
  EXPECT_FALSE(dialog.CreateItem(item));
  EXPECT_TRUE(item->IsBlank());
}

TEST(OleClientItem, TheConvertDialogOffersTheKindsThatReadTheObject) {
  CItemsDoc doc;
  auto* item = new CHearingItem(&doc);
  ASSERT_TRUE(item->CreateNewItem(u"Scrivel.Picture"));
  int offered = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    offered = static_cast<int>(::SendMessageW(::GetDlgItem(s.Window().GetSafeHwnd(), IDC_CV_ACTIVATELIST),
                                              LB_GETCOUNT, 0, 0));
    s.Choose(IDC_CV_ACTIVATELIST, 1);
    s.Click(IDOK);
  });
  COleConvertDialog dialog(item);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  // The picture's own kind and the note, which reads any bytes as text.
  EXPECT_EQ(offered, 2);
  ASSERT_TRUE(dialog.DoConvert(item));
  EXPECT_EQ(item->GetClassName(), CStringW(u"Scrivel.Note"));
  // A note's text is no picture.
  auto* note = new CHearingItem(&doc);
  ASSERT_TRUE(note->CreateNewItem(u"Scrivel.Note"));
  EXPECT_FALSE(note->ConvertTo(u"Scrivel.Picture"));
  EXPECT_EQ(note->GetClassName(), CStringW(u"Scrivel.Note"));
}

}  // namespace

// Items made from transferred data: an item's own formats, text, a
// picture and a linked file; the paste-special dialog choosing among them.
namespace {

HGLOBAL UnicodeBlock(const std::u16string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (text.size() + 1) * 2);
  memcpy(GlobalLock(block), text.data(), text.size() * 2);
  GlobalUnlock(block);
  return block;
}

TEST(OleItemTransfer, ItemsAreMadeFromAnItemsFormatsTextPicturesAndLinks) {
  TempFolder folder;
  testsupport::WriteFileBytes(folder / "l.txt", "linked");
  CItemsDoc doc;
  auto* link = new CHearingItem(&doc);
  ASSERT_TRUE(link->CreateLinkFromFile(folder.WideFile("l.txt").c_str()));
  COleDataSource source;
  link->GetClipboardData(&source, TRUE);
  platform::PixelBuffer pixels(2, 1, RGB(10, 20, 30));
  source.CacheGlobalData(static_cast<CLIPFORMAT>(platform::PictureClipboardFormat()),
                         platform::MakePictureBlock(pixels, SIZE{254, 127}));
  COleDataObject data;
  data.Attach(source.GetDataObject(), FALSE);
  EXPECT_TRUE(COleClientItem::CanCreateFromData(&data));
  EXPECT_TRUE(COleClientItem::CanCreateLinkFromData(&data));
  auto* embedded = new CHearingItem(&doc);
  ASSERT_TRUE(embedded->CreateFromData(&data));
  EXPECT_EQ(embedded->GetType(), OT_EMBEDDED);
  EXPECT_EQ(TextOf(*embedded), "linked");
  auto* linked = new CHearingItem(&doc);
  ASSERT_TRUE(linked->CreateLinkFromData(&data));
  EXPECT_EQ(linked->GetLinkPath(), link->GetLinkPath());
  auto* still = new CHearingItem(&doc);
  ASSERT_TRUE(still->CreateStaticFromData(&data));
  EXPECT_EQ(still->GetType(), OT_STATIC);
  EXPECT_EQ(TextOf(*still), std::string("P6\n2 1\n255\n\x0A\x14\x1E\x0A\x14\x1E", 17));

  // Text alone makes a note; nothing usable makes nothing.
  COleDataSource text;
  text.CacheGlobalData(CF_UNICODETEXT, UnicodeBlock(u"pasted text"));
  COleDataObject textData;
  textData.Attach(text.GetDataObject(), FALSE);
  auto* note = new CHearingItem(&doc);
  ASSERT_TRUE(note->CreateFromData(&textData));
  EXPECT_EQ(note->GetClassName(), CStringW(u"Scrivel.Note"));
  EXPECT_EQ(TextOf(*note), "pasted text");
  EXPECT_FALSE(COleClientItem::CanCreateLinkFromData(&textData));
  auto* none = new CHearingItem(&doc);
  EXPECT_FALSE(none->CreateLinkFromData(&textData));
  EXPECT_FALSE(none->CreateStaticFromData(&textData));
  // A damaged "Embed Source" block makes nothing.
  COleDataSource damaged;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 12);
  BYTE* at = static_cast<BYTE*>(GlobalLock(block));
  memcpy(at, "SEMB\xFF\xFF\xFF\x7F\x01\x00\x00\x00", 12);
  GlobalUnlock(block);
  damaged.CacheGlobalData(static_cast<CLIPFORMAT>(platform::EmbedSourceClipboardFormat()), block);
  COleDataObject damagedData;
  damagedData.Attach(damaged.GetDataObject(), FALSE);
  EXPECT_FALSE(none->CreateFromData(&damagedData));
  EXPECT_TRUE(none->IsBlank());
}

TEST(OleItemTransfer, PasteSpecialOffersWhatTheDataHoldAndMakesTheChosenItem) {
  TempFolder folder;
  testsupport::WriteFileBytes(folder / "l.txt", "linked");
  CItemsDoc doc;
  auto* link = new CHearingItem(&doc);
  ASSERT_TRUE(link->CreateLinkFromFile(folder.WideFile("l.txt").c_str()));
  COleDataSource source;
  link->GetClipboardData(&source, TRUE);
  COleDataObject data;
  data.Attach(source.GetDataObject(), FALSE);
  struct Case {
    bool link;
    UINT selection;
    OLE_OBJTYPE type;
  } cases[] = {{false, COlePasteSpecialDialog::pasteNormal, OT_EMBEDDED},
               {true, COlePasteSpecialDialog::pasteLink, OT_LINK}};
  for (const Case& c : cases) {
    int listed = -1;
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      if (c.link) s.Click(IDC_PS_PASTELINK);
      listed = static_cast<int>(
          ::SendMessageW(::GetDlgItem(s.Window().GetSafeHwnd(), IDC_PS_DISPLAYLIST), LB_GETCOUNT, 0, 0));
      s.Click(IDOK);
    });
    COlePasteSpecialDialog dialog(PSF_SELECTPASTE, &data);
    dialog.AddStandardFormats();
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(listed, 1);
    EXPECT_EQ(dialog.GetSelectionType(), c.selection);
    auto* item = new CHearingItem(&doc);
    ASSERT_TRUE(dialog.CreateItem(item));
    EXPECT_EQ(item->GetType(), c.type);
  }
  // Data that make no item: the dialog does not run.
  COleDataSource empty;
  COleDataObject emptyData;
  emptyData.Attach(empty.GetDataObject(), FALSE);
  COlePasteSpecialDialog dialog(PSF_SELECTPASTE, &emptyData);
  dialog.AddStandardFormats();
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

}  // namespace

// The object-properties dialog.
namespace {

class CScaleRecordingDialog : public COlePropertiesDialog {
 public:
  using COlePropertiesDialog::COlePropertiesDialog;
  int applied = 0;
  BOOL OnApplyScale(COleClientItem*, int scale, BOOL) override {
    applied = scale;
    return TRUE;
  }
};

TEST(OleItemDialogs, ThePropertiesDialogShowsKindAndSizeAndKeepsTheScaleInItsRange) {
  CItemsDoc doc;
  auto* item = new CHearingItem(&doc);
  ASSERT_TRUE(item->CreateNewItem(u"Scrivel.Note"));
  CStringW type;
  CStringW size;
  int boxes = 0;
  platform::ScopedMessageBoxHandler handler([&](const platform::MessageBoxRequest&) {
    ++boxes;
    return IDOK;
  });
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    type = s.Text(IDC_GP_OBJECTTYPE);
    size = s.Text(IDC_GP_OBJECTSIZE);
    s.EnterText(IDC_VP_SCALETXT, CStringW(u"300"));
    s.Click(IDOK);
    if (s.IsRunning()) {
      s.EnterText(IDC_VP_SCALETXT, CStringW(u"150"));
      s.Click(IDOK);
    }
  });
  CScaleRecordingDialog dialog(item, 10, 200);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(type, CStringW(u"Note"));
  EXPECT_EQ(size, CStringW(u"2.54 x 1.27 cm"));
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(dialog.applied, 150);
  EXPECT_EQ(dialog.GetScale(), 150);
}

}  // namespace
