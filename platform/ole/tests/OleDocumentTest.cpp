// The container document in compound-file mode: the archive in the stream
// "Contents", the storage held while the document is open, plain files
// converted, read-only files read, failures that keep the previous file,
// and the item list stored after the document's own data.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <vector>

#include "StorageTestSupport.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/core/MessageBox.h"
#include "platform/ole/DocItem.h"
#include "platform/ole/OleDocument.h"

using namespace storage_test;

// The serial classes live outside the unnamed namespace: their registration
// and extraction operator are the program's.

// An item with a number.
class CNumberItem : public CDocItem {
  DECLARE_SERIAL(CNumberItem)

 public:
  explicit CNumberItem(LONG n = 0) : number(n) {}
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << number;
    else
      ar >> number;
  }
  BOOL IsBlank() const override { return number == 0; }
  LONG number;
};

// Not an item.
class CStranger : public CObject {
  DECLARE_SERIAL(CStranger)

 public:
  void Serialize(CArchive&) override {}
};

IMPLEMENT_SERIAL(CNumberItem, CDocItem, 0)
IMPLEMENT_SERIAL(CStranger, CObject, 0)

namespace {

// A document of one text, then its items; it can be told to fail part-way
// through storing.
class CNoteDoc : public COleDocument {
 public:
  CNoteDoc() { EnableCompoundFile(); }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << text;
      if (failWhileStoring) AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
    } else {
      ar >> text;
    }
    COleDocument::Serialize(ar);
  }
  void DeleteContents() override {
    text.Empty();
    COleDocument::DeleteContents();
  }
  int ItemCount() const { return static_cast<int>(m_docItemList.GetCount()); }
  IStorage* Storage() const { return m_lpRootStg; }
  CStringW text;
  bool failWhileStoring = false;
};

struct Boxes {
  std::vector<CStringW> texts;
  platform::ScopedMessageBoxHandler handler{[this](const platform::MessageBoxRequest& r) {
    texts.push_back(r.text);
    return IDOK;
  }};
};

// The bytes a plain (not compound) save of a note would hold.
std::vector<BYTE> PlainNote(const char16_t* text) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << CStringW(text) << DWORD{0};
  }
  std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

TEST(OleDocumentTest, TheArchiveIsTheContentsStreamOfACompoundFile) {
  TempFolder folder;
  Boxes boxes;
  CNoteDoc doc;
  doc.m_bAutoDelete = FALSE;
  doc.text = u"Hello";
  doc.SetModifiedFlag();
  ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("a.drw").c_str()));
  EXPECT_FALSE(doc.IsModified());
  doc.OnCloseDocument();
  EXPECT_EQ(StgIsStorageFile(folder.WideFile("a.drw").c_str()), S_OK);
  bool ok = false;
  auto streams = ReadWithGsf(folder.File("a.drw"), &ok);
  ASSERT_TRUE(ok);
  ASSERT_EQ(streams.size(), 1u);
  EXPECT_EQ(streams.begin()->first, "Contents");
  EXPECT_EQ(streams.begin()->second, PlainNote(u"Hello"));

  CNoteDoc again;
  ASSERT_TRUE(again.OnOpenDocument(folder.WideFile("a.drw").c_str()));
  EXPECT_EQ(again.text, CStringW(u"Hello"));
  EXPECT_FALSE(again.IsModified());
  EXPECT_TRUE(boxes.texts.empty());
}

TEST(OleDocumentTest, TheStorageStaysOpenUntilTheDocumentCloses) {
  TempFolder folder;
  CNoteDoc doc;
  doc.m_bAutoDelete = FALSE;
  doc.text = u"one";
  ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("a.drw").c_str()));
  ASSERT_NE(doc.Storage(), nullptr);
  Ref<IStorage> other;
  EXPECT_EQ(StgOpenStorage(folder.WideFile("a.drw").c_str(), nullptr, STGM_READWRITE | STGM_TRANSACTED |
                                                                         STGM_SHARE_DENY_WRITE,
                           nullptr, 0, other.put()),
            STG_E_SHAREVIOLATION);
  doc.OnCloseDocument();
  EXPECT_EQ(doc.Storage(), nullptr);
  EXPECT_EQ(StgOpenStorage(folder.WideFile("a.drw").c_str(), nullptr, STGM_READ | STGM_TRANSACTED |
                                                                         STGM_SHARE_DENY_WRITE,
                           nullptr, 0, other.put()),
            S_OK);
}

TEST(OleDocumentTest, SavingToItsOwnFileCommitsTheOpenStorage) {
  TempFolder folder;
  {
    CNoteDoc doc;
    doc.text = u"one";
    ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("a.drw").c_str()));
  }
  CNoteDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(folder.WideFile("a.drw").c_str()));
  IStorage* held = doc.Storage();
  doc.text = u"two";
  ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("A.DRW").c_str()));
  EXPECT_EQ(doc.Storage(), held);
  bool ok = false;
  EXPECT_EQ(ReadWithGsf(folder.File("a.drw"), &ok)["Contents"], PlainNote(u"two"));
  EXPECT_EQ(folder.Names().size(), 1u);
}

TEST(OleDocumentTest, APlainFileIsReadAsTheContentsAndStaysPlainUntilSaved) {
  TempFolder folder;
  const std::vector<BYTE> plain = PlainNote(u"plain");
  WriteFile(folder.File("old.drw"), plain);
  CNoteDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(folder.WideFile("old.drw").c_str()));
  EXPECT_EQ(doc.text, CStringW(u"plain"));
  EXPECT_EQ(ReadFile(folder.File("old.drw")), plain);
  ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("old.drw").c_str()));
  EXPECT_EQ(StgIsStorageFile(folder.WideFile("old.drw").c_str()), S_OK);
}

TEST(OleDocumentTest, APlainDocumentReadsAndWritesPlainFiles) {
  TempFolder folder;
  CNoteDoc doc;
  doc.EnableCompoundFile(FALSE);
  doc.text = u"plain";
  ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("p.drw").c_str()));
  EXPECT_EQ(ReadFile(folder.File("p.drw")), PlainNote(u"plain"));
  EXPECT_EQ(doc.Storage(), nullptr);
  CNoteDoc again;
  again.EnableCompoundFile(FALSE);
  ASSERT_TRUE(again.OnOpenDocument(folder.WideFile("p.drw").c_str()));
  EXPECT_EQ(again.text, CStringW(u"plain"));
}

TEST(OleDocumentTest, AFileThatMayNotBeWrittenIsReadAndCannotBeSavedOver) {
  TempFolder folder;
  {
    CNoteDoc doc;
    doc.text = u"kept";
    ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("ro.drw").c_str()));
  }
  ASSERT_EQ(0, chmod(folder.File("ro.drw").c_str(), 0444));
  const std::vector<BYTE> before = ReadFile(folder.File("ro.drw"));
  Boxes boxes;
  CNoteDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(folder.WideFile("ro.drw").c_str()));
  EXPECT_EQ(doc.text, CStringW(u"kept"));
  doc.text = u"changed";
  doc.SetModifiedFlag();
  EXPECT_FALSE(doc.OnSaveDocument(folder.WideFile("ro.drw").c_str()));
  EXPECT_TRUE(doc.IsModified());
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].Find(u"denied"), -1) << CStringA(boxes.texts[0]).GetString();
  EXPECT_EQ(ReadFile(folder.File("ro.drw")), before);
  // Saved elsewhere, the document holds the new file.
  ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("copy.drw").c_str()));
  bool ok = false;
  EXPECT_EQ(ReadWithGsf(folder.File("copy.drw"), &ok)["Contents"], PlainNote(u"changed"));
}

TEST(OleDocumentTest, AFailedSaveKeepsThePreviousFileAndTheDocumentUsable) {
  TempFolder folder;
  Boxes boxes;
  CNoteDoc doc;
  doc.text = u"first";
  ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("a.drw").c_str()));
  const std::vector<BYTE> before = ReadFile(folder.File("a.drw"));

  doc.text = u"second";
  doc.failWhileStoring = true;
  EXPECT_FALSE(doc.OnSaveDocument(folder.WideFile("a.drw").c_str()));
  EXPECT_EQ(ReadFile(folder.File("a.drw")), before);
  // A failed save under a new name leaves no file there.
  EXPECT_FALSE(doc.OnSaveDocument(folder.WideFile("b.drw").c_str()));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.drw"});
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_NE(boxes.texts[0].Find(u"a.drw"), -1);

  doc.failWhileStoring = false;
  ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("a.drw").c_str()));
  bool ok = false;
  EXPECT_EQ(ReadWithGsf(folder.File("a.drw"), &ok)["Contents"], PlainNote(u"second"));
}

TEST(OleDocumentTest, FailedOpensEmptyTheDocumentAndSayWhy) {
  TempFolder folder;
  std::vector<BYTE> damaged = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  damaged.resize(600, 0xFF);
  WriteFile(folder.File("damaged.drw"), damaged);
  {
    // A compound file without the stream.
    Ref<IStorage> root;
    ASSERT_EQ(StgCreateDocfile(folder.WideFile("empty.drw").c_str(), STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                               root.put()),
              S_OK);
  }
  WriteFile(folder.File("short.drw"), {0x05, 'a'});

  struct Case {
    const char* file;
    const char16_t* says;
  };
  for (const Case& c : {Case{"damaged.drw", u"damaged.drw has a bad format"}, Case{"empty.drw", u"empty.drw has a bad format"},
                        Case{"short.drw", u"end of file"}, Case{"missing.drw", u"missing.drw was not found"}}) {
    SCOPED_TRACE(c.file);
    Boxes boxes;
    CNoteDoc doc;
    doc.text = u"before";
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.OnOpenDocument(folder.WideFile(c.file).c_str()));
    EXPECT_TRUE(doc.text.IsEmpty());
    EXPECT_EQ(doc.Storage(), nullptr);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].Find(c.says), -1) << CStringA(boxes.texts[0]).GetString();
  }
}

TEST(OleDocumentTest, ItemsAreStoredAfterTheDocumentAndBlankOnesAreSkipped) {
  TempFolder folder;
  {
    CNoteDoc doc;
    doc.text = u"with items";
    doc.AddItem(new CNumberItem(7));
    doc.AddItem(new CNumberItem(0));  // blank
    doc.AddItem(new CNumberItem(9));
    ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("items.drw").c_str()));
  }
  CNoteDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(folder.WideFile("items.drw").c_str()));
  ASSERT_EQ(doc.ItemCount(), 2);
  POSITION pos = doc.GetStartPosition();
  EXPECT_EQ(static_cast<CNumberItem*>(doc.GetNextItem(pos))->number, 7);
  auto* last = static_cast<CNumberItem*>(doc.GetNextItem(pos));
  EXPECT_EQ(last->number, 9);
  EXPECT_EQ(last->GetDocument(), &doc);
  delete last;  // leaves the list
  EXPECT_EQ(doc.ItemCount(), 1);
  doc.DeleteContents();
  EXPECT_EQ(doc.ItemCount(), 0);
}

TEST(OleDocumentTest, AnObjectThatIsNotAnItemIsRefusedAndTheItemsReadAreFreed) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    CNumberItem first(5);
    CStranger stranger;
    ar << CStringW(u"t") << DWORD{2} << static_cast<CObject*>(&first) << static_cast<CObject*>(&stranger);
  }
  file.SeekToBegin();
  CNoteDoc doc;
  CArchive ar(&file, CArchive::load);
  ar.m_pDocument = &doc;
  try {
    doc.Serialize(ar);
    FAIL() << "a stranger was taken for an item";
  } catch (CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::badClass);
  }
  EXPECT_EQ(doc.ItemCount(), 1);  // the document frees it (the sanitizer checks)
}

}  // namespace
