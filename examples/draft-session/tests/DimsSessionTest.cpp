// The shipped dimensions session, end to end: a dimension placed with the
// host's tool, then its value, a note and a line edited in their own
// editors through pick-and-edit; the drawing file and the picture it writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "draft/host/DimensionEntity.h"
#include "draft/host/DrawingFile.h"
#include "draft/host/EntityList.h"
#include "draft/host/TextEntity.h"
#include "examples/draft-session/tests/PlayedSession.h"
#include "platform/core/Charset.h"
#include "platform/testsupport/ScratchFolder.h"

using namespace draftsession;

namespace {

struct DimsDrawing {
  const CDimensionEntity* dimension = nullptr;
  std::vector<std::string> texts;  // UTF-8
  std::vector<SegmentEnds> lines;
};

DimsDrawing ReadDims(CDraftView& view) {
  DimsDrawing d;
  for (CEntity* e : *view.GetEntityList()) {
    if (e->IsDimension()) d.dimension = static_cast<const CDimensionEntity*>(e);
    if (e->IsText()) d.texts.push_back(platform::GbkToUtf8(static_cast<CTextEntity*>(e)->GetText().GetString()));
    if (e->IsLine()) d.lines.push_back(OrderedEnds(e));
  }
  return d;
}

std::string ValueText(const CDimensionEntity* dim) {
  for (int i = 0; i < dim->GetMemberCount(); ++i)
    if (dim->GetMember(i)->IsText())
      return platform::GbkToUtf8(static_cast<CTextEntity*>(dim->GetMember(i))->GetText().GetString());
  return {};
}

}  // namespace

TEST(DimsSession, PlacesADimensionAndEditsItsValueANoteAndALine) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "dims.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  EXPECT_TRUE(view.GetSelectionList()->IsEmpty());

  DimsDrawing d = ReadDims(view);
  ASSERT_NE(d.dimension, nullptr) << session.out.str();
  EXPECT_EQ(d.dimension->Strings(CDimensionEntity::kValue), (std::vector<CStringA>{"100H7(+0.035/0)"}));
  EXPECT_EQ(d.dimension->Strings(CDimensionEntity::kBasicSize), (std::vector<CStringA>{"100"}));
  EXPECT_EQ(d.dimension->Strings(CDimensionEntity::kCode), (std::vector<CStringA>{"H7"}));
  EXPECT_EQ(d.dimension->Strings(CDimensionEntity::kUpper), (std::vector<CStringA>{"+0.035"}));
  EXPECT_EQ(ValueText(d.dimension), "100H7(+0.035/0)");
  EXPECT_EQ(d.texts, (std::vector<std::string>{"未注圆角R3"}));
  EXPECT_EQ(d.lines, (std::vector<SegmentEnds>{{20, 40, 120, 40}, {150, 20, 180, 70}}));

  // Two lines, the dimension, the note and the three edits, one step each;
  // undoing the edits brings every entity back as it was placed.
  EXPECT_EQ(view.GetUndoCount(), 7);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(view.Undo());
  d = ReadDims(view);
  ASSERT_NE(d.dimension, nullptr);
  EXPECT_EQ(ValueText(d.dimension), "100");
  EXPECT_EQ(d.texts, (std::vector<std::string>{"未注圆角R2"}));
  EXPECT_EQ(d.lines, (std::vector<SegmentEnds>{{20, 40, 120, 40}, {150, 20, 180, 20}}));
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(view.Redo());

  const std::string shown = session.out.str();
  for (const char* part : {"  dialog \"尺寸数值\"\n", "  dialog \"修改文本\"\n", "  dialog \"直线\"\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;

  const testsupport::ScratchFolder scratch("dims-session");
  const std::filesystem::path folder = scratch.path();
  std::string error;
  ASSERT_TRUE(WriteDrawingFile(view, folder / "dims.drawing", &error)) << error;
  const std::string file = ReadFileBytes(folder / "dims.drawing");
  for (const char* part : {"\nblock ", "\"100H7(+0.035/0)\"", "\"未注圆角R3\"", "\nline 0 - 150 20 180 70\n"})
    EXPECT_NE(file.find(part), std::string::npos) << part << "\n" << file;
  ASSERT_TRUE(session.player.WritePicture((folder / "dims.png").string()));
  EXPECT_EQ(ReadFileBytes(folder / "dims.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
}
