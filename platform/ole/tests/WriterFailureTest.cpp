// The platform's writers with their writes failing at every point (see
// platform/core/tests/WriteFailureSweep.h): the profile, a plain document
// and a compound document, saved to a new name over an older file and into
// the storage it was opened from.
#include <gtest/gtest.h>

#include <memory>

#include "StorageTestSupport.h"
#include "platform/core/Archive.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Profile.h"
#include "platform/core/tests/WriteFailureSweep.h"
#include "platform/ole/OleDocument.h"
#include "platform/ui/Document.h"

using storage_test::TempFolder;
using testsupport::FileBytes;
using testsupport::SweepWriteFailures;
using testsupport::WriteOutcome;

namespace {

// Counts the message boxes shown while it lives.
struct CountedBoxes {
  int count = 0;
  platform::ScopedMessageBoxHandler handler{[this](const platform::MessageBoxRequest&) {
    ++count;
    return IDOK;
  }};
};

template <class Base>
class CTextDoc : public Base {
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << text;
    else
      ar >> text;
    if constexpr (std::is_base_of_v<COleDocument, Base>) Base::Serialize(ar);
  }
  CStringW text;
};

class CPlainDoc : public CTextDoc<CDocument> {};

class CCompoundDoc : public CTextDoc<COleDocument> {
 public:
  CCompoundDoc() { EnableCompoundFile(); }
};

// Saves a document of `text` to `path` and gives the file's bytes.
template <class Doc>
std::string SavedBytes(const std::string& path, const char16_t* text) {
  Doc doc;
  doc.m_bAutoDelete = FALSE;
  doc.text = text;
  EXPECT_TRUE(doc.OnSaveDocument(CStringW(path.c_str()).GetString()));
  doc.OnCloseDocument();
  return FileBytes(path);
}

TEST(WriterFailureTest, TheProfile) {
  TempFolder folder;
  const std::string ini = folder.File("app.ini");
  platform::SetProfilePath(ini);
  SweepWriteFailures(
      "profile", folder.path(), [&] { testsupport::PutFileBytes(ini, "[Frame]\r\nLeft=10\r\n; kept\r\nTop=20\r\n"); },
      [&] {
        const BOOL ok = platform::WriteProfileString("Frame", "Left", "400");
        return WriteOutcome{ok != FALSE, ok ? 0 : 1};  // FALSE is how the profile tells its caller
      });
  platform::SetProfilePath({});
}

TEST(WriterFailureTest, APlainDocument) {
  TempFolder folder;
  const std::string path = folder.File("note.doc");
  const std::string old = SavedBytes<CPlainDoc>(path, u"the old text");
  SweepWriteFailures(
      "plain document", folder.path(), [&] { testsupport::PutFileBytes(path, old); },
      [&] {
        CountedBoxes boxes;
        CPlainDoc doc;
        doc.m_bAutoDelete = FALSE;
        doc.text = u"a new and longer text";
        const BOOL ok = doc.OnSaveDocument(CStringW(path.c_str()).GetString());
        return WriteOutcome{ok != FALSE, boxes.count};
      });
}

TEST(WriterFailureTest, ACompoundDocumentSavedOverAnotherFile) {
  TempFolder folder;
  const std::string path = folder.File("note.drw");
  const std::string old = SavedBytes<CCompoundDoc>(path, u"the old text");
  SweepWriteFailures(
      "compound document (save as)", folder.path(), [&] { testsupport::PutFileBytes(path, old); },
      [&] {
        CountedBoxes boxes;
        CCompoundDoc doc;
        doc.m_bAutoDelete = FALSE;
        doc.text = u"a new text";
        const BOOL ok = doc.OnSaveDocument(CStringW(path.c_str()).GetString());
        doc.OnCloseDocument();
        return WriteOutcome{ok != FALSE, boxes.count};
      });
}

TEST(WriterFailureTest, ACompoundDocumentSavedIntoItsOwnStorage) {
  TempFolder folder;
  const std::string path = folder.File("note.drw");
  const std::string old = SavedBytes<CCompoundDoc>(path, u"the old text");
  std::unique_ptr<CCompoundDoc> doc;
  auto reset = [&] {
    if (doc) doc->OnCloseDocument();
    doc.reset();
    testsupport::PutFileBytes(path, old);
    doc = std::make_unique<CCompoundDoc>();
    doc->m_bAutoDelete = FALSE;
    ASSERT_TRUE(doc->OnOpenDocument(CStringW(path.c_str()).GetString()));
  };
  SweepWriteFailures("compound document (save)", folder.path(), reset, [&] {
    CountedBoxes boxes;
    doc->text = u"a new text";
    const BOOL ok = doc->OnSaveDocument(CStringW(path.c_str()).GetString());
    // A failed save keeps the document's storage as it was: saving again
    // with the disk back works.
    if (!ok) {
      platform::ScopedWriteFailure healthy = platform::ScopedWriteFailure::None();
      EXPECT_TRUE(doc->OnSaveDocument(CStringW(path.c_str()).GetString()));
      testsupport::PutFileBytes(path, old);
    }
    return WriteOutcome{ok != FALSE, boxes.count};
  });
  if (doc) doc->OnCloseDocument();
}

}  // namespace
