// The document's file: the version word, saving and reopening in compound
// and plain files, the read-only fallback, older versions, failed loads,
// the "DrawDoc" profile, new documents, print set-up and the save command's
// state.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <vector>

#include "DrawDocTestSupport.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/canvas/PrinterSetupInfo.h"
#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/model/undo/UndoRedo.h"
#include "diagram/testsupport/MessageBoxCapture.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Profile.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/ole/StructuredStorage.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/StandardIds.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

using doctest::Bytes;
using doctest::LoadArchive;
using doctest::ScriptedMsgBox;
using diagramtest::ScratchFolder;

// An object that notes the stream version its read obeys; it stores nothing.
class CVersionProbe : public CDrawObj {
  DECLARE_SERIAL(CVersionProbe)

 public:
  CVersionProbe() : CDrawObj(CRect(0, 10, 10, 0)) {}
  void Serialize(CArchive& ar) override {
    if (ar.IsLoading()) seen = GetArchiveStreamVersion(ar);
  }
  WORD seen = 0;
};

IMPLEMENT_SERIAL(CVersionProbe, CDrawObj, 0)

namespace {

// A whole document stream of `version`: the version word, a record holding
// one probe, no items.
std::vector<BYTE> DocumentStream(WORD storedVersion, WORD recordVersion) {
  Bytes b;
  b.Word(storedVersion);
  if (recordVersion >= 16) b.Word(0).Word(1);
  b.Byte(1).Byte(1).Dword(RGB(255, 255, 255)).Word(0);
  if (recordVersion >= 17) b.Small(850).Small(1100).Word(1).Word(1);
  if (recordVersion >= 18) b.Small(9).Small(9);
  if (recordVersion == 17) b.Dword(0).Dword(0);
  b.Word(1).NewClass("CVersionProbe");
  if (recordVersion >= 13) b.Lock(0xFFFFFFFF, 0xFFFFFFFF);
  b.Word(1).Ref(2);
  b.Dword(0);
  return b.data;
}

class DrawDocFileTest : public ::testing::Test {
 protected:
  void SetUp() override { LinkDiagramLibrary(); }

  // Records the boxes the platform shows (failures of opening and saving).
  diagramtest::MessageBoxCapture boxes;
  std::vector<CStringW>& shown = boxes.texts;
};

TEST_F(DrawDocFileTest, TheVersionWordDecidesHowTheStreamIsRead) {
  struct Case {
    WORD stored;
    bool startLoad8;
    WORD taken;
  };
  const Case cases[] = {{7, true, 8}, {7, false, 7}, {8, false, 8}, {17, false, 17}, {18, false, 18}, {18, true, 18}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "stored " << c.stored << (c.startLoad8 ? " after StartLoad(8)" : ""));
    CDrawDoc doc;
    if (c.startLoad8) doc.StartLoad(8);
    LoadArchive in(DocumentStream(c.stored, c.taken), &doc);
    doc.Serialize(in.ar());
    EXPECT_TRUE(in.AtEnd());
    ASSERT_EQ(doc.GetDiagram()->GetObjects().GetCount(), 1);
    auto* probe = static_cast<CVersionProbe*>(doc.GetDiagram()->GetObjects().GetHead());
    EXPECT_EQ(probe->seen, c.taken);
    // Loaded, the document is of the current version; an older one must be
    // saved again.
    EXPECT_EQ(doc.GetDrawDocVersion(), 18);
    EXPECT_EQ(doc.IsModified(), c.taken != 18);
  }
}

TEST_F(DrawDocFileTest, ANewerVersionIsRefusedNamingTheFile) {
  CDrawDoc doc;
  LoadArchive in(DocumentStream(19, 18), &doc);
  try {
    doc.Serialize(in.ar());
    FAIL() << "version 19 was read";
  } catch (CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
    EXPECT_EQ(e.m_strFileName, CStringW(u"fixture.drw"));
  }
  EXPECT_TRUE(doc.GetDiagram()->GetObjects().IsEmpty());
  EXPECT_EQ(doc.GetDrawDocVersion(), 18);

  ScratchFolder folder;
  doctest::WriteFileBytes(folder.File("new.drw"), DocumentStream(19, 18));
  EXPECT_FALSE(doc.OnOpenDocument(folder.Wide("new.drw")));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].Find(u"new.drw contains an incorrect schema"), -1) << CStringA(shown[0]).GetString();
}

// A document with objects of every kind that exists, of different looks (a
// plain object, a rounded rectangle, a polyline, a text, and a group of an
// ellipse and a text), a canvas of 2 x 2 pages, a paper colour and a locked
// edit lock.
void Fill(CDrawDoc& doc) {
  ASSERT_TRUE(doc.OnNewDocument());
  CDiagram& diagram = *doc.GetDiagram();
  auto* a = new CDrawObj(CRect(-100, 50, 0, -50));
  auto* b = new CDrawRect(CRect(20, 300, 400, 200), CDrawRect::roundRectangle);
  auto* c = new CDrawObj(CRect(-600, -100, -500, -700));
  ASSERT_TRUE(diagram.Add(a));
  ASSERT_TRUE(diagram.Add(b));
  ASSERT_TRUE(diagram.Add(c));
  ASSERT_TRUE(b->SetLineColor(RGB(200, 0, 0)));
  ASSERT_TRUE(b->SetPenStyle(PS_DASH, 3));
  ASSERT_TRUE(c->SetFillColor(RGB(0, 0, 99)));
  ASSERT_TRUE(c->EnableHatch(TRUE));
  ASSERT_TRUE(c->SetHatchColor(RGB(1, 99, 1)));
  CDrawPoly* poly = diagram.MakeDrawPoly();
  ASSERT_TRUE(diagram.Add(poly));
  for (const CPoint& p : {CPoint(-300, 400), CPoint(-200, 450), CPoint(-150, 300)}) poly->AddPoint(p, nullptr);
  CDrawText* label = diagram.MakeDrawText(u"Pump 1", CPoint(100, -200), nullptr);
  ASSERT_TRUE(diagram.Add(label));
  auto* ellipse = new CDrawRect(CRect(300, -300, 400, -400), CDrawRect::ellipse);
  CDrawText* caption = diagram.MakeDrawText(u"Tank", CPoint(310, -410), nullptr);
  ASSERT_TRUE(diagram.Add(ellipse));
  ASSERT_TRUE(diagram.Add(caption));
  CDrawGroup* group = diagram.MakeDrawGroup();
  ASSERT_TRUE(diagram.Add(group));
  CDrawList members;
  members.AddTail(ellipse);
  members.AddTail(caption);
  ASSERT_TRUE(group->SetMembers(members, FALSE));
  ASSERT_TRUE(diagram.SetPaperColor(RGB(250, 240, 230)));
  ASSERT_TRUE(diagram.SetCanvasSize(2, 2));
  ASSERT_TRUE(diagram.GetSecurityChecker().SetPassword(u"secret"));
  ASSERT_TRUE(diagram.GetSecurityChecker().SetAllowedOperations(0x3, 0x0));
  ASSERT_TRUE(diagram.GetSecurityChecker().Lock());
}

// The place of an object in its diagram's z-order.
int PlaceOf(const CDiagram& diagram, const CDrawObj* object) { return diagram.GetObjects().GetIndex(object); }

void ExpectSameObject(CDiagram& a, CDrawObj* x, CDiagram& b, CDrawObj* y) {
  ASSERT_EQ(y->GetRuntimeClass(), x->GetRuntimeClass());
  EXPECT_EQ(y->GetPosition(), x->GetPosition());
  EXPECT_EQ(y->GetZIndex(), x->GetZIndex());
  EXPECT_EQ(y->GetDiagram(), &b);
  EXPECT_EQ(y->GetLineColor(), x->GetLineColor());
  EXPECT_EQ(y->GetPenStyle(), x->GetPenStyle());
  EXPECT_EQ(y->GetPenSize(), x->GetPenSize());
  EXPECT_EQ(y->GetFillColor(), x->GetFillColor());
  EXPECT_EQ(y->IsHatchEnabled(), x->IsHatchEnabled());
  EXPECT_EQ(y->GetHatchColor(), x->GetHatchColor());
  ASSERT_EQ(y->GetHandleCount(), x->GetHandleCount());
  for (int h = 1; h <= x->GetHandleCount(); ++h) EXPECT_EQ(y->GetHandle(h), x->GetHandle(h)) << "handle " << h;
  if (auto* rect = DYNAMIC_DOWNCAST(CDrawRect, x)) {
    EXPECT_EQ(static_cast<CDrawRect*>(y)->GetShape(), rect->GetShape());
  }
  if (auto* text = DYNAMIC_DOWNCAST(CDrawText, x)) {
    EXPECT_EQ(static_cast<CDrawText*>(y)->TextString(), text->TextString());
  }
  if (auto* group = DYNAMIC_DOWNCAST(CDrawGroup, x)) {
    // The same members, by their places on the canvas.
    const CDrawList& mine = group->GetMembers();
    const CDrawList& theirs = static_cast<CDrawGroup*>(y)->GetMembers();
    ASSERT_EQ(theirs.GetCount(), mine.GetCount());
    for (POSITION pm = mine.GetHeadPosition(), pt = theirs.GetHeadPosition(); pm && pt;) {
      CDrawObj* member = mine.GetNext(pm);
      CDrawObj* loadedMember = theirs.GetNext(pt);
      EXPECT_EQ(PlaceOf(b, loadedMember), PlaceOf(a, member));
      EXPECT_EQ(loadedMember->GetGroup(), y);
    }
  }
}

void ExpectSameDrawing(CDrawDoc& original, CDrawDoc& loaded) {
  CDiagram& a = *original.GetDiagram();
  CDiagram& b = *loaded.GetDiagram();
  EXPECT_EQ(b.GetDocument(), &loaded);
  EXPECT_EQ(b.GetPaperColor(), a.GetPaperColor());
  EXPECT_EQ(b.GetCanvasSize(), a.GetCanvasSize());
  EXPECT_EQ(b.GetSize(), a.GetSize());
  ASSERT_EQ(b.GetObjects().GetCount(), a.GetObjects().GetCount());
  POSITION pa = a.GetObjects().GetHeadPosition();
  POSITION pb = b.GetObjects().GetHeadPosition();
  while (pa && pb) {
    CDrawObj* x = a.GetObjects().GetNext(pa);
    CDrawObj* y = b.GetObjects().GetNext(pb);
    SCOPED_TRACE(x->GetRuntimeClass()->m_lpszClassName);
    ExpectSameObject(a, x, b, y);
  }
  // The lock came back closed, and the password opens it.
  EXPECT_TRUE(b.GetSecurityChecker().IsLocked());
  EXPECT_FALSE(b.DoesSecurityAllow(0x4, 0x0));
  EXPECT_TRUE(b.GetSecurityChecker().UnLock(u"secret"));
  EXPECT_FALSE(loaded.IsModified());
  EXPECT_EQ(loaded.GetNumberUndosOnStack(), 0);
}

TEST_F(DrawDocFileTest, ASavedDocumentReopensAsItWasInACompoundFile) {
  ScratchFolder folder;
  ScriptedMsgBox messages;
  CDrawDoc original;
  Fill(original);
  {
    // The document that saves keeps its file open; this one lets it go.
    CDrawDoc saved;
    Fill(saved);
    ASSERT_TRUE(saved.OnSaveDocument(folder.Wide("a.drw")));
    EXPECT_FALSE(saved.IsModified());
  }
  EXPECT_EQ(StgIsStorageFile(folder.Wide("a.drw")), S_OK);

  CDrawDoc loaded;
  ASSERT_TRUE(loaded.OnOpenDocument(folder.Wide("a.drw")));
  ExpectSameDrawing(original, loaded);
  EXPECT_FALSE(loaded.IsOpenedReadOnly());
  EXPECT_TRUE(messages.notified.empty());
  EXPECT_TRUE(shown.empty());
}

TEST_F(DrawDocFileTest, ASavedDocumentReopensAsItWasInAPlainFile) {
  ScratchFolder folder;
  CDrawDoc original;
  Fill(original);
  original.EnableCompoundFile(FALSE);
  ASSERT_TRUE(original.OnSaveDocument(folder.Wide("plain.drw")));
  const std::vector<BYTE> plain = doctest::ReadFileBytes(folder.File("plain.drw"));
  EXPECT_EQ(StgIsStorageFile(folder.Wide("plain.drw")), S_FALSE);
  ASSERT_GE(plain.size(), 2u);
  EXPECT_EQ(plain[0] | plain[1] << 8, 18);

  CDrawDoc asPlain;
  asPlain.EnableCompoundFile(FALSE);
  ASSERT_TRUE(asPlain.OnOpenDocument(folder.Wide("plain.drw")));
  ExpectSameDrawing(original, asPlain);

  // A compound document converts it; the file stays as it is until saved.
  CDrawDoc converted;
  ASSERT_TRUE(converted.OnOpenDocument(folder.Wide("plain.drw")));
  ExpectSameDrawing(original, converted);
  EXPECT_EQ(doctest::ReadFileBytes(folder.File("plain.drw")), plain);
  ASSERT_TRUE(converted.OnSaveDocument(folder.Wide("plain.drw")));
  EXPECT_EQ(StgIsStorageFile(folder.Wide("plain.drw")), S_OK);
}

TEST_F(DrawDocFileTest, AFileThatCannotBeWrittenOpensReadOnly) {
  struct Case {
    const char* what;
    bool compound;
    bool writable;
    bool askedForReadOnly;
    bool announced;
  };
  const Case cases[] = {
      {"read-only compound file", true, false, false, true},
      {"read-only plain file", false, false, false, true},
      {"asked for", true, true, true, false},
      {"asked for, and read-only anyway", true, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder folder;
    {
      CDrawDoc original;
      Fill(original);
      original.EnableCompoundFile(c.compound);
      ASSERT_TRUE(original.OnSaveDocument(folder.Wide("doc.drw")));
    }
    if (!c.writable) {
      ASSERT_EQ(0, chmod(folder.File("doc.drw").c_str(), 0444));
    }
    const std::vector<BYTE> before = doctest::ReadFileBytes(folder.File("doc.drw"));
    ScriptedMsgBox messages;
    CDrawDoc doc;
    doc.SetReadOnlyNextOpen(c.askedForReadOnly);
    ASSERT_TRUE(doc.OnOpenDocument(folder.Wide("doc.drw")));
    EXPECT_TRUE(doc.IsOpenedReadOnly());
    EXPECT_EQ(messages.notified, c.announced ? std::vector<ULONG>{31} : std::vector<ULONG>{});
    EXPECT_EQ(doc.GetDiagram()->GetObjects().GetCount(), 8);

    // Saving stays disabled, modified or not.
    struct SaveState : CCmdUI {
      void Enable(BOOL on) override { enabled = on; }
      BOOL enabled = -1;
    } state;
    state.m_nID = ID_FILE_SAVE;
    doc.SetModifiedFlag();
    ASSERT_TRUE(state.DoUpdate(&doc, FALSE));
    EXPECT_FALSE(state.enabled);
    // Saving over it is refused and leaves it.
    EXPECT_FALSE(doc.OnSaveDocument(folder.Wide("doc.drw")));
    EXPECT_EQ(doctest::ReadFileBytes(folder.File("doc.drw")), before);
    shown.clear();
  }
}

TEST_F(DrawDocFileTest, SaveIsEnabledForAModifiedDocumentOpenedForWriting) {
  CDrawDoc doc;
  struct SaveState : CCmdUI {
    void Enable(BOOL on) override { enabled = on; }
    BOOL enabled = -1;
  } state;
  state.m_nID = ID_FILE_SAVE;
  ASSERT_TRUE(state.DoUpdate(&doc, FALSE));
  EXPECT_FALSE(state.enabled);
  doc.SetModifiedFlag();
  ASSERT_TRUE(state.DoUpdate(&doc, FALSE));
  EXPECT_TRUE(state.enabled);
}

TEST_F(DrawDocFileTest, AFileOpenElsewhereForWritingCannotBeOpened) {
  ScratchFolder folder;
  CDrawDoc holder;
  Fill(holder);
  ASSERT_TRUE(holder.OnSaveDocument(folder.Wide("held.drw")));
  CDrawDoc other;
  EXPECT_FALSE(other.OnOpenDocument(folder.Wide("held.drw")));
  EXPECT_FALSE(other.IsOpenedReadOnly());
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].Find(u"sharing violation"), -1) << CStringA(shown[0]).GetString();
}

TEST_F(DrawDocFileTest, AnOlderVersionLoadsModifiedAndIsSavedAsTheCurrentOne) {
  ScratchFolder folder;
  doctest::WriteFileBytes(folder.File("v17.drw"), DocumentStream(17, 17));
  {
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(folder.Wide("v17.drw")));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetDrawDocVersion(), 18);
    EXPECT_EQ(doc.GetDiagram()->GetObjects().GetCount(), 1);
    ASSERT_TRUE(doc.OnSaveDocument(folder.Wide("v17.drw")));
    EXPECT_FALSE(doc.IsModified());
  }

  IStorage* root = nullptr;
  ASSERT_EQ(StgOpenStorage(folder.Wide("v17.drw"), nullptr, STGM_READ | STGM_TRANSACTED | STGM_SHARE_DENY_NONE,
                           nullptr, 0, &root),
            S_OK);
  IStream* contents = nullptr;
  ASSERT_EQ(root->OpenStream(u"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &contents), S_OK);
  WORD version = 0;
  ULONG got = 0;
  EXPECT_EQ(contents->Read(&version, sizeof version, &got), S_OK);
  EXPECT_EQ(version, 18);
  contents->Release();
  root->Release();
}

TEST_F(DrawDocFileTest, AFailedLoadLeavesTheDocumentEmptyAndSaysWhy) {
  ScratchFolder folder;
  std::vector<BYTE> bytes = DocumentStream(18, 18);
  bytes.resize(bytes.size() - 6);  // the full list and the items cut off
  doctest::WriteFileBytes(folder.File("cut.drw"), bytes);
  CDrawDoc doc;
  Fill(doc);
  ASSERT_TRUE(doc.BeginUndoRecording(u"Open", 255));
  EXPECT_FALSE(doc.OnOpenDocument(folder.Wide("cut.drw")));
  doc.EndUndoRecording();
  EXPECT_TRUE(doc.GetDiagram()->GetObjects().IsEmpty());
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  EXPECT_EQ(doc.GetDrawDocVersion(), 18);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].Find(u"end of file"), -1) << CStringA(shown[0]).GetString();
  EXPECT_NE(shown[0].Find(u"cut.drw"), -1);
  // The file is let go.
  CDrawDoc other;
  EXPECT_FALSE(other.OnOpenDocument(folder.Wide("cut.drw")));
  EXPECT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].Find(u"sharing"), -1);
}

TEST_F(DrawDocFileTest, ANewDocumentHoldsItsDiagram) {
  CDrawDoc doc;
  Fill(doc);
  ASSERT_TRUE(doc.OnNewDocument());
  CDiagram& diagram = *doc.GetDiagram();
  EXPECT_EQ(diagram.GetDocument(), &doc);
  EXPECT_EQ(doc.GetActiveDiagram(), &diagram);
  EXPECT_TRUE(diagram.GetObjects().IsEmpty());
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  EXPECT_NE(diagram.GetSize(), CSize(0, 0));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(doc.GetPathName().IsEmpty());
}

// The application profile in a file of the test's own.
class DrawDocProfileTest : public DrawDocFileTest {
 protected:
  void SetUp() override {
    DrawDocFileTest::SetUp();
    savedPath_ = platform::ProfilePath();
    platform::SetProfilePath(folder_.File("app.ini"));
    savedLevels_ = CDrawDoc::GetMaxUndoLevels();
    savedDefaults_ = CDrawDoc::m_bUsePrinterDefaults;
  }
  void TearDown() override {
    CDrawDoc::SetMaxUndoLevels(savedLevels_);
    CDrawDoc::m_bUsePrinterDefaults = savedDefaults_;
    platform::SetProfilePath(savedPath_);
  }
  void WriteIni(const char* text) {
    doctest::WriteFileBytes(folder_.File("app.ini"), std::vector<BYTE>(text, text + std::strlen(text)));
  }

  ScratchFolder folder_;

 private:
  std::filesystem::path savedPath_;
  int savedLevels_ = 100;
  BOOL savedDefaults_ = TRUE;
};

TEST_F(DrawDocProfileTest, MaxUndoLevelsBelowOneIsReportedAndOneIsUsed) {
  struct Case {
    const char* ini;
    int levels;
    bool reported;
  };
  const Case cases[] = {{"[DrawDoc]\nMaxUndoLevels=0\n", 1, true},
                        {"[DrawDoc]\nMaxUndoLevels=-4\n", 1, true},
                        {"[DrawDoc]\nMaxUndoLevels=7\n", 7, false},
                        {"", 100, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    WriteIni(c.ini);
    ScriptedMsgBox messages;
    CDrawDoc::GetProfile(100, 1);
    EXPECT_EQ(CDrawDoc::GetMaxUndoLevels(), c.levels);
    EXPECT_EQ(messages.notified, c.reported ? std::vector<ULONG>{30} : std::vector<ULONG>{});
  }
  // One level: the second command pushes the first out.
  WriteIni("[DrawDoc]\nMaxUndoLevels=0\n");
  ScriptedMsgBox messages;
  CDrawDoc::GetProfile(100, 1);
  CDrawDoc doc;
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(doc.BeginUndoRecording(u"Command", 255));
    ASSERT_TRUE(CUndoRedo::RecordUndo(&doc));
    doc.EndUndoRecording();
  }
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
}

TEST_F(DrawDocProfileTest, PrinterDefaultsAreReadAndBothValuesWrittenBack) {
  WriteIni("[DrawDoc]\nUsePrinterDefaults=0\n");
  CDrawDoc::GetProfile(100, 1);
  EXPECT_FALSE(CDrawDoc::IsUsePrinterDefaults());
  CDrawDoc::SetMaxUndoLevels(12);
  CDrawDoc::WriteProfile();
  EXPECT_EQ(platform::GetProfileInt(u"DrawDoc", u"MaxUndoLevels", 0), 12u);
  EXPECT_EQ(platform::GetProfileInt(u"DrawDoc", u"UsePrinterDefaults", 1), 0u);
}

class CountingView : public CView {
 public:
  void OnDraw(CDC*) override {}
  void OnUpdate(CView*, LPARAM hint, CObject*) override { hints.push_back(hint); }
  std::vector<LPARAM> hints;
};

TEST_F(DrawDocFileTest, EveryDocumentsViewsHearABroadcast) {
  CDrawDoc first;
  CDrawDoc second;
  CountingView a;
  CountingView b;
  CountingView sender;
  first.AddView(&a);
  second.AddView(&b);
  second.AddView(&sender);
  CDrawDoc::UpdateAllDrawDocViews(&sender, 2, nullptr);
  EXPECT_EQ(a.hints, std::vector<LPARAM>{2});
  EXPECT_EQ(b.hints, std::vector<LPARAM>{2});
  EXPECT_TRUE(sender.hints.empty());
}

TEST_F(DrawDocFileTest, PrintSetupStartsFromTheDiagramsOwnPageSetupAndKeepsTheChoice) {
  const BOOL savedDefaults = CDrawDoc::m_bUsePrinterDefaults;
  const CSize savedPage = CDiagram::m_pageSize;
  const short savedOrientation = CDiagram::m_shDefaultOrientation;
  const short savedPaper = CDiagram::m_shDefaultPaperSize;
  const BYTE savedH = CDiagram::m_hMaxPages;
  const BYTE savedV = CDiagram::m_vMaxPages;
  CDrawDoc::m_bUsePrinterDefaults = FALSE;
  {
    CWinApp app("test");
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CDiagram& diagram = *doc.GetDiagram();
    ASSERT_TRUE(diagram.SetPrinterSetupInfo(
        CPrinterSetupInfo(DMORIENT_LANDSCAPE, DMPAPER_LETTER, CSize(1100, 850), CSize(9, 9))));
    doc.ClearUndoStack();
    int runs = 0;
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      ++runs;
      EXPECT_EQ(s.CheckState(rad2), BST_CHECKED);  // landscape, as the diagram has it
      EXPECT_EQ(CStringA(s.Text(cmb2)), CStringA("Letter"));
      s.Click(rad1);      // portrait
      s.Choose(cmb2, 0);  // A4
      s.Click(IDOK);
    });
    doc.OnFilePrintSetup();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(diagram.GetSavedOrientation(), DMORIENT_PORTRAIT);
    EXPECT_EQ(diagram.GetSavedPaperSize(), DMPAPER_A4);
    const CSize page = diagram.GetPageSize();
    EXPECT_LT(page.cx, page.cy);
    // One undoable step.
    ASSERT_EQ(doc.GetNumberUndosOnStack(), 1);
    EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Change Printer Setup"));

    // Cancelled, nothing changes.
    platform::ScopedModalDriver cancel([](platform::ModalSession& s) { s.Click(IDCANCEL); });
    doc.OnFilePrintSetup();
    EXPECT_EQ(diagram.GetPageSize(), page);
    EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  }
  CDrawDoc::m_bUsePrinterDefaults = savedDefaults;
  CDiagram::m_pageSize = savedPage;
  CDiagram::m_shDefaultOrientation = savedOrientation;
  CDiagram::m_shDefaultPaperSize = savedPaper;
  CDiagram::m_hMaxPages = savedH;
  CDiagram::m_vMaxPages = savedV;
}

}  // namespace
