// A diagram of a few thousand objects made from a fixed seed lives through
// additions, deletions, z-order changes, undo and redo, a save and a reopen.
// At every step the object list must be in the expected order with every
// z-index equal to its place, every query must find what a scan of the list
// finds, and the stream must be byte for byte the one kept in
// tests/data/large-diagram.stream.
//
// Setting SCRIVEL_WRITE_FIXTURES=1 writes the stream to that file instead of
// comparing it, for a deliberate change of the format.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "DrawDocTestSupport.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/objects/DrawText.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/gdi/GdiTypes.h"

namespace {

// The same numbers on every platform and library (the standard
// distributions are not specified bit for bit).
class Lcg {
 public:
  explicit Lcg(uint64_t seed) : state_(seed) {}
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state_ >> 33);
  }
  int Between(int low, int high) { return low + static_cast<int>(Next() % static_cast<uint32_t>(high - low + 1)); }

 private:
  uint64_t state_;
};

std::string FixturePath() {
  const char* data = ::getenv("SCRIVEL_TEST_DATA");
  std::filesystem::path root =
      data ? std::filesystem::path(data) / "model" / "tests" : std::filesystem::path(__FILE__).parent_path();
  return (root / "data" / "large-diagram.stream").string();
}

std::vector<CDrawObj*> Order(const CDiagram& diagram) {
  std::vector<CDrawObj*> v;
  for (POSITION pos = diagram.GetObjects().GetHeadPosition(); pos;) v.push_back(diagram.GetObjects().GetNext(pos));
  return v;
}

// What identifies an object across a save and a reopen: its class and
// position.
struct Look {
  std::string cls;
  CRect position;
  bool operator==(const Look& o) const { return cls == o.cls && position == o.position; }
};

std::vector<Look> Looks(const CDiagram& diagram) {
  std::vector<Look> v;
  for (CDrawObj* object : Order(diagram)) {
    v.push_back({object->GetRuntimeClass()->m_lpszClassName, object->GetPosition()});
  }
  return v;
}

void Load(CDrawDoc& doc, const std::vector<BYTE>& bytes) {
  doctest::LoadArchive in(bytes, &doc);
  doc.Serialize(in.ar());
  ASSERT_TRUE(in.AtEnd());
}

// Every z-index is the object's place; the trash holds no object of the
// canvas; every query answers what a scan of the list answers.
void ExpectConsistent(CDiagram& diagram, Lcg& rng) {
  const std::vector<CDrawObj*> order = Order(diagram);
  for (size_t i = 0; i < order.size(); ++i) {
    ASSERT_EQ(order[i]->GetZIndex(), static_cast<int>(i)) << "at place " << i;
    ASSERT_FALSE(diagram.DoesTrashInclude(order[i])) << "at place " << i;
    ASSERT_EQ(order[i]->GetDiagram(), &diagram);
  }
  const CRect canvas = diagram.GetRect();
  for (int q = 0; q < 200; ++q) {
    const int size = q % 10 == 0 ? rng.Between(1, 3) : rng.Between(50, 1200);
    const int x = rng.Between(canvas.left - 300, canvas.right);
    const int y = rng.Between(canvas.bottom - 300, canvas.top);
    const CRect rect(x, y + size, x + size, y);
    CDrawList found;
    diagram.GetObjectsInRect(rect, found);
    diagram.SortInDrawOrder(found);
    std::vector<CDrawObj*> expected;
    CRect normal = rect;
    normal.NormalizeRect();
    for (CDrawObj* object : order) {
      if (object->Intersects(normal)) expected.push_back(object);
    }
    std::vector<CDrawObj*> got;
    for (POSITION pos = found.GetHeadPosition(); pos;) got.push_back(found.GetNext(pos));
    ASSERT_EQ(got, expected) << "query " << q;
  }
}

// The objects: rectangles, rounded rectangles and ellipses made by the
// diagram's factory and moved apart, polylines, texts, and groups of two
// or three neighbours, all added in one recording.
void Build(CDrawDoc& doc, Lcg& rng, int count) {
  CDiagram& diagram = *doc.GetDiagram();
  ASSERT_TRUE(diagram.SetCanvasSize(6, 6));
  const CRect canvas = diagram.GetRect();
  ASSERT_TRUE(doc.BeginUndoRecording(u"Build", 255));
  std::vector<CDrawObj*> recent;
  for (int i = 0; i < count; ++i) {
    const int w = rng.Between(5, 60);
    const int h = rng.Between(5, 60);
    const int x = rng.Between(canvas.left, canvas.right - w);
    const int y = rng.Between(canvas.bottom, canvas.top - h);
    const int kind = rng.Between(0, 19);
    CDrawObj* object = nullptr;
    if (kind < 12) {
      CDrawRect* rect = diagram.MakeDrawRect(CPoint(x, y));
      ASSERT_NE(rect, nullptr);
      rect->MoveTo(CRect(x, y + h, x + w, y), nullptr);
      object = rect;
    } else if (kind < 14) {
      object = new CDrawRect(CRect(x, y + h, x + w, y), kind == 12 ? CDrawRect::ellipse : CDrawRect::roundRectangle);
    } else if (kind < 16) {
      CDrawPoly* poly = diagram.MakeDrawPoly();
      ASSERT_TRUE(diagram.Add(poly));
      for (int p = rng.Between(2, 5); p > 0; --p) {
        poly->AddPoint(CPoint(x + rng.Between(0, w), y + rng.Between(0, h)), nullptr);
      }
      recent.push_back(poly);
      continue;
    } else if (kind < 18) {
      const char16_t* texts[] = {u"Pump", u"Valve 2", u"Tank", u"Mixer 12"};
      object = diagram.MakeDrawText(texts[rng.Between(0, 3)], CPoint(x, y), nullptr);
    } else {
      object = new CDrawObj(CRect(x, y + h, x + w, y));
    }
    ASSERT_TRUE(diagram.Add(object));
    if (i % 7 == 0) {
      ASSERT_TRUE(object->SetLineColor(RGB(rng.Between(0, 255), 0, rng.Between(0, 255))));
    }
    if (i % 11 == 0) {
      ASSERT_TRUE(object->SetPenStyle(PS_DASH, rng.Between(1, 4)));
    }
    recent.push_back(object);
    if (recent.size() >= 3 && i % 97 == 0) {
      CDrawGroup* group = diagram.MakeDrawGroup();
      ASSERT_TRUE(diagram.Add(group));
      CDrawList members;
      for (size_t m = recent.size() - 3; m < recent.size(); ++m) members.AddTail(recent[m]);
      ASSERT_TRUE(group->SetMembers(members, FALSE));
      recent.clear();
    }
  }
  doc.EndUndoRecording();
}

TEST(LargeDiagram, ListOrderZIndexesQueriesAndStreamStayAsTheyWere) {
  LinkDiagramLibrary();
  Lcg rng(20261211);
  CDrawDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  CDiagram& diagram = *doc.GetDiagram();
  Build(doc, rng, 3000);
  ExpectConsistent(diagram, rng);

  // Delete a scattered few dozen (each its own command) and a few hundred
  // more in one command; undo every deletion and redo some: the undone
  // ones return to their places.
  const std::vector<Look> built = Looks(diagram);
  std::vector<CDrawObj*> order = Order(diagram);
  int commands = 0;
  for (size_t i = 7; i < order.size() && commands < 40; i += 71) {
    if (order[i]->IsInGroup()) continue;
    ASSERT_TRUE(doc.BeginUndoRecording(u"Delete", 255));
    ASSERT_TRUE(order[i]->Delete());
    doc.EndUndoRecording();
    ++commands;
  }
  CDrawList batch;
  for (size_t i = 3; i < order.size(); i += 11) {
    if (!order[i]->IsInGroup() && order[i]->GetDrawState() != drawStateDeleted) batch.AddTail(order[i]);
  }
  ASSERT_TRUE(batch.DeleteElements(&doc));
  ++commands;
  ExpectConsistent(diagram, rng);
  for (int i = 0; i < commands; ++i) ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(Looks(diagram), built);
  for (int i = 0; i < commands / 2; ++i) ASSERT_TRUE(doc.RedoLast());
  ExpectConsistent(diagram, rng);

  // Move some to the front and back, and one deep into the list.
  order = Order(diagram);
  for (size_t i = 3; i < order.size(); i += 157) ASSERT_TRUE(diagram.MoveToFront(order[i]));
  for (size_t i = 5; i < order.size(); i += 211) ASSERT_TRUE(diagram.MoveToBack(order[i]));
  ASSERT_TRUE(diagram.ChangeZorder(order[order.size() / 2], 17));
  ExpectConsistent(diagram, rng);
  ASSERT_TRUE(doc.UndoLast());
  ASSERT_TRUE(doc.RedoLast());

  // A second batch in one recording; undone, then redone.
  const std::vector<Look> beforeBatch = Looks(diagram);
  Build(doc, rng, 400);
  const std::vector<Look> afterBatch = Looks(diagram);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(Looks(diagram), beforeBatch);
  ExpectConsistent(diagram, rng);
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(Looks(diagram), afterBatch);
  ExpectConsistent(diagram, rng);

  const std::vector<BYTE> bytes = doctest::StoreDocument(doc);
  const std::string fixture = FixturePath();
  if (const char* write = ::getenv("SCRIVEL_WRITE_FIXTURES"); write && std::strcmp(write, "1") == 0) {
    doctest::WriteFileBytes(fixture, bytes);
  } else {
    const std::vector<BYTE> kept = doctest::ReadFileBytes(fixture);
    ASSERT_FALSE(kept.empty()) << fixture;
    ASSERT_EQ(bytes.size(), kept.size());
    for (size_t i = 0; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], kept[i]) << "at byte " << i;
  }

  // Reopened, the diagram is the one saved, and saves the same bytes.
  CDrawDoc reopened;
  ASSERT_TRUE(reopened.OnNewDocument());
  Load(reopened, bytes);
  EXPECT_EQ(Looks(*reopened.GetDiagram()), Looks(diagram));
  ExpectConsistent(*reopened.GetDiagram(), rng);
  EXPECT_EQ(doctest::StoreDocument(reopened), bytes);

  // Emptied and closed, nothing is left (the sanitizer sees leaks).
  reopened.DeleteContents();
  EXPECT_TRUE(reopened.GetDiagram()->GetObjects().IsEmpty());
}

// Every object deleted in one command comes back, in its place, with undo,
// and goes again with redo; the records that keep the deleted objects free
// them when the document goes.
TEST(LargeDiagram, DeletingEverythingInOneCommandUndoesAndRedoes) {
  LinkDiagramLibrary();
  Lcg rng(7);
  CDrawDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  CDiagram& diagram = *doc.GetDiagram();
  Build(doc, rng, 3000);
  const std::vector<CDrawObj*> before = Order(diagram);
  CDrawList all(diagram.GetObjects());
  all.ExcludeElementComponents();
  ASSERT_TRUE(all.DeleteElements(&doc));
  EXPECT_TRUE(diagram.GetObjects().IsEmpty());
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(Order(diagram), before);
  ExpectConsistent(diagram, rng);
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_TRUE(diagram.GetObjects().IsEmpty());
  for (CDrawObj* object : before) EXPECT_TRUE(diagram.DoesTrashInclude(object));
}

}  // namespace
