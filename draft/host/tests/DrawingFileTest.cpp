#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingFile.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TextAttrib.h"
#include "draft/host/TextEntity.h"
#include "platform/core/Charset.h"

namespace {
std::string Utf8(const char* gbk) { return platform::GbkToUtf8(gbk); }

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A drawing of every kind the file names: a grouped line shown through its
// group's scale, an ungrouped circle and arc, a text with a quote, a block
// with members, and a selected line written after the unselected ones.
void BuildDrawing(CDraftView& view) {
  CDrawingGroup* part = view.GetGroupTable()->AddGroup("零件 \"A\"", 2.0, 1.0, -1.5);
  view.GetGroupTable()->AddGroup("图框", 1.0);
  CEntity* selected = ConstructLineEntity(0, nullptr, -0.0, 0.1, 1e-7, 12345678.9);
  view.AddEntityToView(selected);
  view.AddEntityToView(ConstructLineEntity(0, part, 11, 20, 31, 40));
  view.AddEntityToView(ConstructCircleEntity(1, nullptr, 140, 60, 25));
  view.AddEntityToView(ConstructArcEntity(2, nullptr, 0, 0, 5, 30, 150));
  CTextAttrib attr;
  ConstructTextAttribDefault(attr, 5.0, 2, 1);
  view.AddEntityToView(ConstructTextEntity(5, nullptr, "标题 \\ \"x\"", 10, 20, attr));
  CBlockEntity* block = ConstructBlockEntity(0, nullptr);
  block->AddMember(ConstructLineEntity(0, nullptr, 0, 0, 5, 5));
  block->AddMember(ConstructCircleEntity(0, nullptr, 1, 2, 3));
  view.AddEntityToView(block);
  view.SelectEntity(selected);
}
}  // namespace

TEST(DrawingFile, ListsGroupsThenEntitiesInDrawingCoordinates) {
  CDraftView view;
  BuildDrawing(view);
  EXPECT_EQ(FormatDrawingFile(view),
            "scrivel-drawing 1\n"
            "group \"" + Utf8("零件") + " \\\"A\\\"\" 2 1 -1.5\n"
            "group \"" + Utf8("图框") + "\" 1 0 0\n"
            "line 0 \"" + Utf8("零件") + " \\\"A\\\"\" 11 20 31 40\n"
            "circle 1 - 140 60 25\n"
            "arc 2 - 0 0 5 30 150\n"
            "text 5 - 10 20 \"" + Utf8("标题") + " \\\\ \\\"x\\\"\"\n"
            "block 0 - {\n"
            "  line 0 - 0 0 5 5\n"
            "  circle 0 - 1 2 3\n"
            "}\n"
            "line 0 - 0 0.1 1e-07 12345678.9\n");
}

TEST(DrawingFile, WritesWholeFilesOrNothing) {
  const auto folder = std::filesystem::temp_directory_path() / ("drawing-file-" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const auto path = folder / "a.drawing";
  CDraftView view;
  BuildDrawing(view);
  std::string error;
  ASSERT_TRUE(WriteDrawingFile(view, path, &error)) << error;
  EXPECT_EQ(ReadFile(path), FormatDrawingFile(view));

  // The temporary file has a name of its own: a user's file named like
  // "<drawing>.tmp" is not touched.
  CDraftView empty;
  {
    std::ofstream(folder / "a.drawing.tmp") << "mine";
  }
  ASSERT_TRUE(WriteDrawingFile(view, path, &error)) << error;
  EXPECT_EQ(ReadFile(folder / "a.drawing.tmp"), "mine");
  std::filesystem::remove(folder / "a.drawing.tmp");

  // A failed write leaves the older file as it was and no temporary file.
  std::filesystem::create_directories(folder / "over.drawing");  // a folder where the file should go
  EXPECT_FALSE(WriteDrawingFile(empty, folder / "over.drawing", &error));
  EXPECT_NE(error.find("over.drawing"), std::string::npos);
  EXPECT_FALSE(WriteDrawingFile(empty, folder / "missing" / "b.drawing", &error));
  EXPECT_EQ(ReadFile(path), FormatDrawingFile(view));
  std::filesystem::remove_all(folder);
}
