// The diagram record: which fields each stream version holds, the
// conversion of a diagram stored with another canvas mode or y direction,
// and reads that fail part-way, which must free every object they made.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "DrawDocTestSupport.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/objects/DrawObj.h"
#include "platform/gdi/GdiTypes.h"

using doctest::Bytes;
using doctest::LoadArchive;

namespace {

class CornerDiagram : public CDiagram {
 public:
  int GetCanvasMode() const override { return 1; }
};

// The diagram's own page set-up is what these tests read back.
class OwnPageSetup : public ::testing::Test {
 protected:
  void SetUp() override {
    LinkDiagramLibrary();
    saved_ = CDrawDoc::m_bUsePrinterDefaults;
    CDrawDoc::m_bUsePrinterDefaults = FALSE;
  }
  void TearDown() override { CDrawDoc::m_bUsePrinterDefaults = saved_; }

 private:
  BOOL saved_ = TRUE;
};

std::vector<CRect> Positions(const CDiagram& diagram) {
  std::vector<CRect> v;
  for (POSITION pos = diagram.GetObjects().GetHeadPosition(); pos;) v.push_back(diagram.GetObjects().GetNext(pos)->GetPosition());
  return v;
}

// A record of `version` holding one object (10, 40, 30, 20) as element and
// in the full list. From version 16 on the stored canvas is centred with y
// pointing down (so the object is flipped on loading); from 13 on the lock
// restricts; from 17 on the page set-up is 700 x 900, landscape, paper 9;
// version 17 holds two plain numbers where 18 holds the largest canvas,
// 40 x 50 pages.
std::vector<BYTE> RecordOf(WORD version) {
  Bytes b;
  if (version >= 16) b.Word(0).Word(0);
  b.Byte(2).Byte(3).Dword(RGB(1, 2, 3));
  b.Word(0);  // no block format
  if (version >= 17) b.Small(700).Small(900).Word(2).Word(9);
  if (version >= 18) b.Small(40).Small(50);
  if (version == 17) b.Dword(7).Dword(8);
  b.Word(1).NewClass("CDrawObj").DrawObjData(version, 10, 40, 30, 20);
  if (version >= 13) b.Lock(0x1, 0x0);
  b.Word(1).Ref(2);
  return b.data;
}

TEST_F(OwnPageSetup, EachVersionReadsItsOwnFields) {
  struct Case {
    WORD version;
    bool directionRead;
    bool lockRead;
    bool pageSetupRead;
    CSize maxPages;  // 0 x 0: as constructed
  };
  const Case cases[] = {
      {12, false, false, false, CSize(0, 0)}, {13, false, true, false, CSize(0, 0)},
      {16, true, true, false, CSize(0, 0)},   {17, true, true, true, CSize(255, 255)},
      {18, true, true, true, CSize(40, 50)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    CDrawDoc doc;
    CDiagram& diagram = *doc.GetDiagram();
    const CSize constructedPage = diagram.GetPageSize();
    const short constructedOrientation = diagram.GetSavedOrientation();
    const CSize constructedMax = diagram.GetMaxCanvasSize();
    doc.StartLoad(c.version);
    LoadArchive in(RecordOf(c.version), &doc);
    diagram.Serialize(in.ar());
    EXPECT_TRUE(in.AtEnd());

    EXPECT_EQ(diagram.GetDocument(), &doc);
    EXPECT_EQ(diagram.GetPaperColor(), RGB(1, 2, 3));
    EXPECT_EQ(diagram.GetCanvasSize(), CSize(2, 3));
    ASSERT_EQ(diagram.GetObjects().GetCount(), 1);
    CDrawObj* object = diagram.GetObjects().GetHead();
    EXPECT_EQ(object->GetDiagram(), &diagram);
    EXPECT_EQ(object->GetZIndex(), 0);
    EXPECT_EQ(object->GetPosition(), c.directionRead ? CRect(10, -40, 30, -20) : CRect(10, 40, 30, 20));
    EXPECT_EQ(diagram.GetSecurityChecker().IsLocked(), c.lockRead);
    EXPECT_EQ(diagram.GetPageSize(), c.pageSetupRead ? CSize(700, 900) : constructedPage);
    EXPECT_EQ(diagram.GetSavedOrientation(), c.pageSetupRead ? 2 : constructedOrientation);
    EXPECT_EQ(diagram.GetMaxCanvasSize(), c.maxPages == CSize(0, 0) ? constructedMax : c.maxPages);
    // The loaded object is found through the quad tree.
    CDrawList found;
    ASSERT_EQ(diagram.GetObjectsInRect(CRect(0, 50, 40, -50), found), 1);
    EXPECT_TRUE(found.Find(object));
  }
}

TEST_F(OwnPageSetup, TheRecordIsWrittenInItsOrder) {
  CDrawDoc doc;
  CDiagram& diagram = *doc.GetDiagram();
  diagram.SetDocument(&doc);
  auto* object = new CDrawObj(CRect(10, 40, 30, 20));
  object->SetPenStyle(PS_SOLID, 1);
  ASSERT_TRUE(diagram.Add(object));
  ASSERT_TRUE(diagram.SetPaperColor(RGB(1, 2, 3)));
  ASSERT_TRUE(diagram.SetCanvasSize(2, 3));
  ASSERT_TRUE(diagram.GetSecurityChecker().SetAllowedOperations(0x1, 0x0));
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &doc;
    diagram.Serialize(ar);
  }
  const CSize page = diagram.GetPageSize();
  const CSize maxPages = diagram.GetMaxCanvasSize();
  Bytes expected;
  expected.Word(0).Word(1).Byte(2).Byte(3).Dword(RGB(1, 2, 3)).Word(0);
  expected.Small(page.cx).Small(page.cy).Word(static_cast<WORD>(diagram.GetSavedOrientation()));
  expected.Word(static_cast<WORD>(diagram.GetSavedPaperSize())).Small(maxPages.cx).Small(maxPages.cy);
  expected.Word(1).NewClass("CDrawObj").DrawObjData(18, 10, 40, 30, 20);
  expected.Lock(0x1, 0x0);
  expected.Word(1).Ref(2);
  std::vector<BYTE> written(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  file.Read(written.data(), static_cast<UINT>(written.size()));
  ASSERT_EQ(written.size(), expected.data.size());
  for (size_t i = 0; i < written.size(); ++i) ASSERT_EQ(written[i], expected.data[i]) << "at byte " << i;
}

// A version-18 record of a canvas stored with `mode` and `upward`, page
// 850 x 1100, holding one object at `rect`.
std::vector<BYTE> StoredCanvas(WORD mode, WORD upward, const CRect& rect) {
  Bytes b;
  b.Word(mode).Word(upward).Byte(1).Byte(1).Dword(RGB(255, 255, 255)).Word(0);
  b.Small(850).Small(1100).Word(1).Word(1).Small(255).Small(255);
  b.Word(1).NewClass("CDrawObj").DrawObjData(18, rect.left, rect.top, rect.right, rect.bottom);
  b.Lock(0xFFFFFFFF, 0xFFFFFFFF);
  b.Word(1).Ref(2);
  return b.data;
}

TEST_F(OwnPageSetup, ADiagramStoredWithAnotherCanvasIsMovedOntoThisOne) {
  struct Case {
    const char* what;
    WORD storedMode, storedUpward;
    bool corner;  // the loading diagram's origin is its corner (else centred; y up in both)
    UINT manualRouteMethod;
    CRect stored, loaded;
    CSize pages = CSize(1, 1);
  };
  const Case cases[] = {
      // Half a page back, rounded to the nearest routing step (10).
      {"corner to centre", 1, 1, false, 1, CRect(100, 200, 300, 100), CRect(-320, -340, -120, -440)},
      {"corner to centre without a routing step", 1, 1, false, 2, CRect(100, 200, 300, 100),
       CRect(-325, -350, -125, -450)},
      // Half a page on, rounded up to the step.
      {"centre to corner", 0, 1, true, 1, CRect(-100, 50, 100, -50), CRect(330, 600, 530, 500)},
      {"y down to y up", 0, 0, false, 1, CRect(10, 20, 30, 40), CRect(10, -20, 30, -40)},
      // Reaching 3000 below the origin: six pages of 1100 keep it on.
      {"y down to y up, tall", 0, 0, false, 1, CRect(10, 20, 30, 3000), CRect(10, -20, 30, -3000), CSize(1, 6)},
      // The pages that held it, now below the origin: one page height up.
      {"y down to y up in a corner", 1, 0, true, 1, CRect(10, 20, 30, 40), CRect(10, 1080, 30, 1060)},
      {"corner and y down to centre", 1, 0, false, 1, CRect(10, 20, 30, 40), CRect(-410, 530, -390, 510)},
      {"same canvas", 1, 1, true, 1, CRect(10, 40, 30, 20), CRect(10, 40, 30, 20)},
  };
  const UINT savedMethod = CDiagram::m_nManualRouteMethod;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CDiagram::m_nManualRouteMethod = c.manualRouteMethod;
    CDrawDoc doc;
    CornerDiagram corner;
    CDiagram& diagram = c.corner ? corner : *doc.GetDiagram();
    doc.SetActiveDiagram(&diagram);
    LoadArchive in(StoredCanvas(c.storedMode, c.storedUpward, c.stored), &doc);
    diagram.Serialize(in.ar());
    EXPECT_EQ(Positions(diagram), std::vector<CRect>{c.loaded});
    EXPECT_EQ(diagram.GetCanvasSize(), c.pages);
    diagram.DeleteContents();
    doc.SetActiveDiagram(doc.GetDiagram());
  }
  CDiagram::m_nManualRouteMethod = savedMethod;
}

TEST_F(OwnPageSetup, ALiveCellRouterKeepsTheRoutingStepOfTheConversion) {
  const UINT savedMethod = CDiagram::m_nManualRouteMethod;
  CDiagram::m_nManualRouteMethod = 1;
  CDrawDoc doc;
  CDiagram& diagram = *doc.GetDiagram();
  doc.SetActiveDiagram(&diagram);
  ASSERT_TRUE(diagram.SetCanvasSize(1, 1));
  diagram.SetAutoRouteModeAndMethod(1, 1);
  ASSERT_EQ(diagram.GetAutoRouteMethod(), 1u);
  LoadArchive in(StoredCanvas(1, 1, CRect(100, 200, 300, 100)), &doc);
  diagram.Serialize(in.ar());
  // Half a page back, rounded to the cell router's step (10).
  EXPECT_EQ(Positions(diagram), std::vector<CRect>{CRect(-320, -340, -120, -440)});
  diagram.SetAutoRouteModeAndMethod(0, 0);
  diagram.DeleteContents();
  CDiagram::m_nManualRouteMethod = savedMethod;
}

TEST_F(OwnPageSetup, AReadThatFailsFreesWhatItReadAndKeepsTheSettings) {
  struct Case {
    const char* what;
    std::vector<BYTE> bytes;
    int cause;
  };
  Bytes head;
  head.Word(0).Word(1).Byte(4).Byte(4).Dword(RGB(9, 9, 9)).Word(0);
  head.Small(850).Small(1100).Word(1).Word(1).Small(255).Small(255);
  // Two elements, the second cut short.
  Bytes cutInElements = head;
  cutInElements.Word(2).NewClass("CDrawObj").DrawObjData(18, 0, 10, 10, 0).OldClass(1).Small(5);
  // Both elements read, the full list cut short.
  Bytes cutInObjects = head;
  cutInObjects.Word(2).NewClass("CDrawObj").DrawObjData(18, 0, 10, 10, 0);
  cutInObjects.OldClass(1).DrawObjData(18, 20, 30, 30, 20).Lock(1, 0).Word(2).Ref(2);
  // An element that is not a drawing object.
  Bytes stranger = head;
  stranger.Word(1).NewClass("CSecurityChecker").Lock(1, 0);
  // An object where no canvas reaches.
  Bytes faraway = head;
  faraway.Word(1).NewClass("CDrawObj").Small(0).Word(0x8000).Dword(0x50000000).Small(10).Small(0);
  faraway.Word(1).Word(0).Small(1).Small(1).Dword(0).Word(1).Word(0).Dword(0).Small(0).Word(0).Dword(0);
  faraway.Lock(1, 0).Word(1).Ref(2);
  // A group whose member list is cut after its first member.
  Bytes cutInGroup = head;
  cutInGroup.Word(1).NewClass("CDrawGroup").DrawObjData(18, 0, 10, 10, 0).Word(2);
  cutInGroup.NewClass("CDrawObj").DrawObjData(18, 0, 10, 10, 0);
  // A group that takes a top-level element as its member, then fails.
  Bytes groupTakesElement = head;
  groupTakesElement.Word(2).NewClass("CDrawObj").DrawObjData(18, 0, 10, 10, 0);
  groupTakesElement.NewClass("CDrawGroup").DrawObjData(18, 0, 10, 10, 0).Word(2).Ref(2);
  // A group inside a group names a member of the outer group, then fails.
  Bytes innerGroupFails = head;
  innerGroupFails.Word(1).NewClass("CDrawGroup").DrawObjData(18, 0, 10, 10, 0).Word(2);
  innerGroupFails.NewClass("CDrawObj").DrawObjData(18, 0, 10, 10, 0);
  innerGroupFails.OldClass(1).DrawObjData(18, 0, 10, 10, 0).Word(2).Ref(4);
  // A group reads a port of no block, then a block that lists that port
  // and is cut short: the port stays the group's to discard.
  Bytes blockTakesGroupPort = head;
  blockTakesGroupPort.Word(1).NewClass("CDrawGroup").DrawObjData(18, 0, 10, 10, 0).Word(2);
  blockTakesGroupPort.NewClass("CDrawOutPort").DrawObjData(18, 0, -5, 10, 5).PortTriangle(0);
  blockTakesGroupPort.Ref(0).Ref(0).Ref(0).Ref(0);
  blockTakesGroupPort.NewClass("CDrawBlock").DrawObjData(18, -50, 20, 0, -20);
  blockTakesGroupPort.Word(1).Ref(0).Ref(0).Ref(0).Ref(0).Word(2).Ref(4);
  // A group reads a text, then a block that takes that text as its own
  // and is cut short: the block frees the text, which leaves the group.
  Bytes blockTakesGroupText = head;
  blockTakesGroupText.Word(1).NewClass("CDrawGroup").DrawObjData(18, 0, 10, 10, 0).Word(2);
  blockTakesGroupText.NewClass("CDrawText").DrawObjData(18, 0, 10, 10, 0);
  blockTakesGroupText.Byte(0xFF).Word(0xFFFE).Byte(1).Word(u'T').Word(0).Word(1).Ref(0);
  blockTakesGroupText.NewClass("CDrawBlock").DrawObjData(18, -50, 20, 0, -20).Word(1).Ref(4);
  // A group holds an inner group, whose block a later port names (which
  // sends the block to the load failures), and is cut short: the inner
  // group frees the block, which leaves the load failures.
  Bytes innerGroupHoldsFailure = head;
  innerGroupHoldsFailure.Word(1).NewClass("CDrawGroup").DrawObjData(18, 0, 10, 10, 0).Word(3);
  innerGroupHoldsFailure.OldClass(1).DrawObjData(18, 0, 10, 10, 0).Word(1);
  innerGroupHoldsFailure.NewClass("CDrawBlock").DrawObjData(18, -50, 20, 0, -20);
  innerGroupHoldsFailure.Word(1).Ref(0).Ref(0).Ref(0).Ref(0).Word(0);
  innerGroupHoldsFailure.NewClass("CDrawOutPort").DrawObjData(18, 0, -5, 10, 5).PortTriangle(0);
  innerGroupHoldsFailure.Ref(0).Ref(0).Ref(0).Ref(5);
  // A page set-up without a page.
  Bytes noPage;
  noPage.Word(0).Word(1).Byte(4).Byte(4).Dword(0).Word(0).Small(0).Small(1100).Word(1).Word(1).Small(1).Small(1);
  const Case cases[] = {
      {"cut in the elements", cutInElements.data, CArchiveException::endOfFile},
      {"cut in the full list", cutInObjects.data, CArchiveException::endOfFile},
      {"not a drawing object", stranger.data, CArchiveException::badClass},
      {"beyond every canvas", faraway.data, CArchiveException::badIndex},
      {"no page", noPage.data, CArchiveException::badIndex},
      {"cut in a group's members", cutInGroup.data, CArchiveException::endOfFile},
      {"a group takes an element, then fails", groupTakesElement.data, CArchiveException::endOfFile},
      {"an inner group names an outer member, then fails", innerGroupFails.data, CArchiveException::endOfFile},
      {"a failing block lists a port its group read", blockTakesGroupPort.data, CArchiveException::endOfFile},
      {"a failing block takes a text its group read", blockTakesGroupText.data, CArchiveException::endOfFile},
      {"a failing group's inner group holds a load failure", innerGroupHoldsFailure.data,
       CArchiveException::endOfFile},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CDrawDoc doc;
    CDiagram& diagram = *doc.GetDiagram();
    const CSize page = diagram.GetPageSize();
    LoadArchive in(c.bytes, &doc);
    try {
      diagram.Serialize(in.ar());
      ADD_FAILURE() << "loaded";
    } catch (CArchiveException& e) {
      EXPECT_EQ(e.m_cause, c.cause);
      EXPECT_EQ(e.m_strFileName, CStringW(u"fixture.drw"));
    }
    // Nothing read is left (the sanitizer checks that it was freed).
    EXPECT_TRUE(diagram.GetObjects().IsEmpty());
    EXPECT_EQ(diagram.GetPaperColor(), RGB(255, 255, 255));
    EXPECT_EQ(diagram.GetCanvasSize(), CSize(1, 1));
    EXPECT_EQ(diagram.GetPageSize(), page);
    EXPECT_FALSE(diagram.GetSecurityChecker().IsLocked());
  }
}

TEST_F(OwnPageSetup, GroupsThatNameEachOtherHoldEveryObjectOnce) {
  Bytes head;
  head.Word(0).Word(1).Byte(1).Byte(1).Dword(0).Word(0).Small(850).Small(1100).Word(1).Word(1).Small(9).Small(9);
  // The inner group names the outer one, which is still being read.
  Bytes cycle = head;
  cycle.Word(1).NewClass("CDrawGroup").DrawObjData(18, 0, 10, 10, 0).Word(1);
  cycle.OldClass(1).DrawObjData(18, 0, 10, 10, 0).Word(1).Ref(2);
  cycle.Lock(0xFFFFFFFF, 0xFFFFFFFF).Word(2).Ref(2).Ref(3);
  // A member of the first group named again by a second group.
  Bytes shared = head;
  shared.Word(2).NewClass("CDrawGroup").DrawObjData(18, 0, 10, 10, 0).Word(1);
  shared.NewClass("CDrawObj").DrawObjData(18, 0, 10, 10, 0);
  shared.OldClass(1).DrawObjData(18, 20, 30, 30, 20).Word(1).Ref(4);
  shared.Lock(0xFFFFFFFF, 0xFFFFFFFF).Word(3).Ref(2).Ref(4).Ref(5);
  for (const std::vector<BYTE>& bytes : {cycle.data, shared.data}) {
    CDrawDoc doc;
    CDiagram& diagram = *doc.GetDiagram();
    LoadArchive in(bytes, &doc);
    diagram.Serialize(in.ar());
    EXPECT_TRUE(in.AtEnd());
    // Every object is in at most one group, and no group holds itself or a
    // group that holds it (the sanitizer checks that each is freed once).
    for (POSITION pos = diagram.GetObjects().GetHeadPosition(); pos;) {
      CDrawObj* object = diagram.GetObjects().GetNext(pos);
      int holders = 0;
      for (POSITION g = diagram.GetObjects().GetHeadPosition(); g;) {
        if (auto* group = DYNAMIC_DOWNCAST(CDrawGroup, diagram.GetObjects().GetNext(g)))
          holders += group->GetMembers().Find(object) ? 1 : 0;
      }
      EXPECT_LE(holders, 1);
      for (CDrawGroup* holder = object->GetGroup(); holder; holder = holder->GetGroup()) ASSERT_NE(holder, object);
    }
  }
}

TEST_F(OwnPageSetup, ADiagramIsReadThroughItsDocument) {
  CDiagram diagram;
  LoadArchive in(RecordOf(18), nullptr);
  try {
    diagram.Serialize(in.ar());
    FAIL() << "read without a document";
  } catch (CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::genericException);
  }
  EXPECT_TRUE(diagram.GetObjects().IsEmpty());
}

TEST_F(OwnPageSetup, ObjectsThatFailedToLoadStayOutAndAreFreedByTheDocument) {
  // An element of a class that reports itself as a load failure.
  CDrawDoc doc;
  CDiagram& diagram = *doc.GetDiagram();
  Bytes b;
  b.Word(0).Word(1).Byte(1).Byte(1).Dword(0).Word(0).Small(850).Small(1100).Word(1).Word(1).Small(9).Small(9);
  b.Word(2).NewClass("CDrawObj").DrawObjData(18, 0, 10, 10, 0).OldClass(1).DrawObjData(18, 20, 30, 30, 20);
  b.Lock(0xFFFFFFFF, 0xFFFFFFFF).Word(2).Ref(2).Ref(3);
  LoadArchive in(b.data, &doc);
  diagram.Serialize(in.ar());
  ASSERT_EQ(diagram.GetObjects().GetCount(), 2);
  CDrawObj* second = diagram.GetObjects().GetTail();
  // As a class that cannot place itself would during its read.
  doc.AddLoadFailure(second);
  EXPECT_TRUE(doc.LoadFailuresDidOccur());
  EXPECT_FALSE(doc.LoadFailuresDidOccur());
  doc.ExcludeLoadFailuresFrom(diagram.GetObjects());
  EXPECT_EQ(diagram.GetObjects().GetCount(), 1);
  doc.EndLoad(0);  // deletes it (the sanitizer checks)
  EXPECT_EQ(diagram.GetObjects().GetCount(), 1);
}

}  // namespace
