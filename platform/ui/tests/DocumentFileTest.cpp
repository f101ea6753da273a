// The plain document's file operations: saving and loading through
// Serialize, the path and title, and failures that leave the previous file
// and report why.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/Charset.h"
#include "platform/core/MessageBox.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/testsupport/ScratchFolder.h"
#include "platform/ui/Document.h"

namespace {

namespace fs = std::filesystem;

// A document of one text and one number; it can be told to fail part-way
// through storing.
class CNoteDoc : public CDocument {
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << text;
      if (failWhileStoring) AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
      ar << number;
    } else {
      ar >> text >> number;
    }
  }
  void DeleteContents() override {
    ++deleted;
    text.Empty();
    number = 0;
  }
  CStringW text;
  LONG number = 0;
  bool failWhileStoring = false;
  int deleted = 0;
};

class Folder : public testsupport::ScratchFolder {
 public:
  Folder() : ScratchFolder("scrivel-doc") {}
  CStringW Wide(const char* name) const { return CStringW(platform::Utf8ToUtf16(File(name)).c_str()); }
  size_t Count() const { return static_cast<size_t>(std::distance(fs::directory_iterator(path()), fs::directory_iterator())); }
};

using testsupport::ReadFileBytes;

// Records the message boxes shown.
struct Boxes {
  std::vector<CStringW> texts;
  platform::ScopedMessageBoxHandler handler{[this](const platform::MessageBoxRequest& r) {
    texts.push_back(r.text);
    return IDOK;
  }};
};

TEST(DocumentFileTest, SavedDocumentLoadsBackAndIsClean) {
  Folder folder;
  Boxes boxes;
  CNoteDoc doc;
  doc.text = u"Hello";
  doc.number = 42;
  doc.SetModifiedFlag();
  ASSERT_TRUE(doc.OnSaveDocument(folder.Wide("note.bin")));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(folder.Count(), 1u);  // no temporary file is left

  CNoteDoc again;
  again.text = u"old";
  ASSERT_TRUE(again.OnOpenDocument(folder.Wide("NOTE.BIN")));  // names match without regard to case
  EXPECT_EQ(again.text, CStringW(u"Hello"));
  EXPECT_EQ(again.number, 42);
  EXPECT_FALSE(again.IsModified());
  EXPECT_EQ(again.deleted, 1);
  EXPECT_TRUE(boxes.texts.empty());
}

TEST(DocumentFileTest, PathNameGivesTheTitleAndANewDocumentForgetsIt) {
  CNoteDoc doc;
  doc.SetPathName(u"C:\\Drawings\\Plan.drw");
  EXPECT_EQ(doc.GetTitle(), CStringW(u"Plan.drw"));
  doc.SetPathName("/tmp/other.drw");
  EXPECT_EQ(doc.GetPathName(), CStringW(u"/tmp/other.drw"));
  EXPECT_EQ(doc.GetTitle(), CStringW(u"other.drw"));
  doc.text = u"x";
  doc.SetModifiedFlag();
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_TRUE(doc.GetPathName().IsEmpty());
  EXPECT_TRUE(doc.text.IsEmpty());
  EXPECT_FALSE(doc.IsModified());
}

TEST(DocumentFileTest, AFailedLoadLeavesTheDocumentEmptyAndNamesTheFile) {
  Folder folder;
  {
    std::ofstream out(folder.File("short.bin"), std::ios::binary);
    out << '\x03';  // a string length with nothing after it
  }
  Boxes boxes;
  CNoteDoc doc;
  doc.text = u"before";
  EXPECT_FALSE(doc.OnOpenDocument(folder.Wide("short.bin")));
  EXPECT_TRUE(doc.text.IsEmpty());
  EXPECT_EQ(doc.deleted, 2);  // before loading and after the failure
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].Find(u"end of file"), -1) << CStringA(boxes.texts[0]).GetString();
  EXPECT_NE(boxes.texts[0].Find(u"short.bin"), -1);
}

TEST(DocumentFileTest, AFileThatCannotBeOpenedLeavesTheDocumentAsItWas) {
  Folder folder;
  Boxes boxes;
  CNoteDoc doc;
  doc.text = u"kept";
  EXPECT_FALSE(doc.OnOpenDocument(folder.Wide("missing.bin")));
  EXPECT_EQ(doc.text, CStringW(u"kept"));
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].Find(u"missing.bin was not found"), -1);
}

TEST(DocumentFileTest, AFailedSaveKeepsThePreviousFile) {
  Folder folder;
  Boxes boxes;
  CNoteDoc doc;
  doc.text = u"first";
  ASSERT_TRUE(doc.OnSaveDocument(folder.Wide("note.bin")));
  const std::string saved = ReadFileBytes(folder.File("note.bin"));

  doc.text = u"second";
  doc.SetModifiedFlag();
  doc.failWhileStoring = true;
  EXPECT_FALSE(doc.OnSaveDocument(folder.Wide("note.bin")));
  EXPECT_EQ(ReadFileBytes(folder.File("note.bin")), saved);
  EXPECT_EQ(folder.Count(), 1u);
  EXPECT_TRUE(doc.IsModified());
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].Find(u"note.bin"), -1);
}

TEST(DocumentFileTest, SavingOverAReadOnlyFileIsDeniedAndKeepsIt) {
  Folder folder;
  Boxes boxes;
  CNoteDoc doc;
  doc.text = u"first";
  ASSERT_TRUE(doc.OnSaveDocument(folder.Wide("note.bin")));
  const std::string saved = ReadFileBytes(folder.File("note.bin"));
  ASSERT_EQ(::chmod(folder.File("note.bin").c_str(), 0444), 0);

  doc.text = u"second";
  doc.SetModifiedFlag();
  EXPECT_FALSE(doc.OnSaveDocument(folder.Wide("note.bin")));
  EXPECT_EQ(ReadFileBytes(folder.File("note.bin")), saved);
  EXPECT_EQ(folder.Count(), 1u);
  EXPECT_TRUE(doc.IsModified());
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].Find(u"Access to"), -1) << platform::Utf16ToUtf8(boxes.texts[0].str());
}

TEST(DocumentFileTest, SavingIntoAMissingFolderIsReported) {
  Folder folder;
  Boxes boxes;
  CNoteDoc doc;
  EXPECT_FALSE(doc.OnSaveDocument(folder.Wide("no-such-folder/note.bin")));
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].Find(u"note.bin"), -1);

}

TEST(DocumentFileTest, CloseDocumentLetsGoOfTheContentsAndDeletesAnAutoDeleteDocument) {
  auto* doc = new CNoteDoc;
  doc->text = u"x";
  doc->OnCloseDocument();  // deletes it (the sanitizer checks)

  CNoteDoc kept;
  kept.m_bAutoDelete = FALSE;
  kept.text = u"y";
  kept.OnCloseDocument();
  EXPECT_TRUE(kept.text.IsEmpty());
}

}  // namespace

namespace {

// Answers every message box with `answer` and keeps the texts.
struct Answering {
  explicit Answering(int a) : answer(a) {}
  int answer;
  std::vector<CStringW> texts;
  platform::ScopedMessageBoxHandler handler{[this](const platform::MessageBoxRequest& r) {
    texts.push_back(r.text);
    return answer;
  }};
};

TEST(DocumentSaveModified, TheAnswerDecidesWhetherTheDocumentGoesAndIsSaved) {
  struct Case {
    int answer;
    BOOL goes;
    bool saved;
  };
  const Case cases[] = {{IDYES, TRUE, true}, {IDNO, TRUE, false}, {IDCANCEL, FALSE, false}};
  for (const Case& k : cases) {
    Folder folder;
    CNoteDoc doc;
    doc.SetPathName(folder.Wide("note.bin"));
    doc.text = u"kept";
    doc.SetModifiedFlag();
    Answering boxes(k.answer);
    EXPECT_EQ(doc.SaveModified(), k.goes) << k.answer;
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], CStringW(u"Save changes to note.bin?"));
    EXPECT_EQ(fs::exists(folder.File("note.bin")), k.saved) << k.answer;
  }
  // An unmodified document asks nothing; a failing save keeps it.
  Folder folder;
  CNoteDoc doc;
  Answering boxes(IDYES);
  EXPECT_TRUE(doc.SaveModified());
  EXPECT_TRUE(boxes.texts.empty());
  doc.SetPathName(folder.Wide("note.bin"));
  doc.SetModifiedFlag();
  doc.failWhileStoring = true;
  EXPECT_FALSE(doc.SaveModified());
  EXPECT_TRUE(doc.IsModified());
}

}  // namespace
