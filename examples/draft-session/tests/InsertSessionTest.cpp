// The shipped insert session, end to end: the bolt of bolt.gdf placed twice
// with the bore lines behind it removed, two texts given the drawing's font
// and height, and a centre mark.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "draft/host/BlockEntity.h"
#include "draft/host/DrawingFileReader.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/EntityList.h"
#include "draft/host/ScratchDrawing.h"
#include "draft/host/TextEntity.h"
#include "examples/draft-session/tests/PlayedSession.h"

using namespace draftsession;

namespace {
std::vector<SegmentEnds> BlockLines(const CEntity* e) {
  std::vector<SegmentEnds> out;
  const auto* block = static_cast<const CBlockEntity*>(e);
  for (int i = 0; i < block->GetMemberCount(); ++i)
    if (block->GetMember(i)->IsLine()) out.push_back(OrderedEnds(block->GetMember(i)));
  std::sort(out.begin(), out.end());
  return out;
}
}  // namespace

TEST(InsertSession, PlacesTheBoltTwiceOverTheBoreAndChangesTheTexts) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "insert.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  EXPECT_TRUE(view.IsSelectionTracking());

  // The bolt as the block file holds it, moved to each base point: at
  // (40, 50) as it is; at (120, 50) 1.5 times as large and turned upwards.
  CScratchDrawing file;
  ASSERT_TRUE(ReadDrawingFile(SCRIVEL_SESSION_FOLDER "/data/bolt.gdf", file));
  std::vector<SegmentEnds> first, second;
  for (CEntity* e : *file.GetEntityList()) {
    double v[kMaxGeometryValues];
    e->GetGeometry(v);
    std::unique_ptr<CEntity> a(e->Transform(40, 50, 0, 0, 1.0, 0.0, 1));
    std::unique_ptr<CEntity> b(e->Transform(120, 50, 0, 0, 1.5, 90.0, 1));
    first.push_back(OrderedEnds(a.get()));
    second.push_back(OrderedEnds(b.get()));
  }
  std::sort(first.begin(), first.end());
  std::sort(second.begin(), second.end());

  std::vector<CEntity*> blocks;
  std::vector<SegmentEnds> lines;
  std::vector<const CTextEntity*> texts;
  for (CEntity* e : *view.GetEntityList()) {
    if (e->IsBlock()) blocks.push_back(e);
    if (e->IsLine()) lines.push_back(OrderedEnds(e));
    if (e->IsText()) texts.push_back(static_cast<const CTextEntity*>(e));
  }
  ASSERT_EQ(blocks.size(), 3u);  // two bolts and the centre mark
  EXPECT_EQ(BlockLines(blocks[0]), first);
  EXPECT_EQ(BlockLines(blocks[1]), second);
  EXPECT_EQ(blocks[0]->GetEntityGroup(), blocks[1]->GetEntityGroup());
  ASSERT_NE(blocks[0]->GetEntityGroup(), nullptr);
  EXPECT_EQ(view.GetGroupTable()->GetCount(), 1);  // the group made for them

  // The bore lines and the plate's top keep what the bolts do not cover.
  for (const SegmentEnds& cut : std::vector<SegmentEnds>{{20, 45, 40, 45},
                                                         {80, 45, 180, 45},
                                                         {20, 55, 40, 55},
                                                         {80, 55, 105, 55},
                                                         {135, 55, 180, 55},
                                                         {20, 90, 111, 90},
                                                         {129, 90, 180, 90}})
    EXPECT_NE(std::find(lines.begin(), lines.end(), cut), lines.end()) << cut[0] << "," << cut[1];

  // Both texts in the drawing's font at the system text height.
  ASSERT_EQ(texts.size(), 2u);
  for (const CTextEntity* t : texts) EXPECT_DOUBLE_EQ(t->GetTextAttrib().GetHeight(), view.GetSystemReal(1));

  // The centre mark: three arcs of radius 10 through (160, 125).
  const auto* mark = static_cast<const CBlockEntity*>(blocks[2]);
  ASSERT_EQ(mark->GetMemberCount(), 3);
  for (int i = 0; i < 3; ++i) {
    double v[kMaxGeometryValues];
    ASSERT_TRUE(mark->GetMember(i)->IsArc());
    mark->GetMember(i)->GetGeometry(v);
    EXPECT_NEAR(v[2], 10.0, 1e-9);
    EXPECT_NEAR(GetPointDistance(v[0], v[1], 160, 125), 10.0, 1e-9);
  }
  // The plate's lines, the two placements, the two texts and their change,
  // the two lines of the mark and the mark.
  EXPECT_EQ(view.GetUndoCount(), 6 + 2 + 2 + 1 + 2 + 1);
}
