#include "draft/res/TableToolBars.h"

#include <vector>

#include "platform/core/ImageResource.h"
#include "platform/core/ToolBarTemplate.h"

namespace draftres {
namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

// What a button image shows: a small table with the affected row or column
// in a colour, or a sign of its own for the file and query commands.
enum class Glyph { kOpen, kSave, kCopyRow, kPasteRow, kInsertRow, kDeleteRow, kAddRow, kAddColumn, kDeleteColumn,
                   kModifyColumn, kRefresh, kUndo, kQuery };

constexpr DWORD kFace = 0xFFC0C0C0;
constexpr DWORD kInk = 0xFF000000;
constexpr DWORD kGreen = 0xFF008000;
constexpr DWORD kRed = 0xFFC00000;
constexpr DWORD kBlue = 0xFF000080;
constexpr DWORD kYellow = 0xFFFFFF00;
constexpr DWORD kWhite = 0xFFFFFFFF;

struct Canvas {
  std::vector<DWORD> pixels;
  int x0;  // the image's left edge in the strip
  int stripWidth;
  void Set(int x, int y, DWORD c) {
    if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) pixels[static_cast<size_t>(y * stripWidth + x0 + x)] = c;
  }
  void Fill(int x1, int y1, int x2, int y2, DWORD c) {
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x) Set(x, y, c);
  }
  void Frame(int x1, int y1, int x2, int y2, DWORD c) {
    Fill(x1, y1, x2, y1, c);
    Fill(x1, y2, x2, y2, c);
    Fill(x1, y1, x1, y2, c);
    Fill(x2, y1, x2, y2, c);
  }
};

// A table of three rows and three columns from (1, 2) to (14, 13); `row` or
// `column` (0..2, -1 none) is filled with `colour`.
void Table(Canvas& c, int row, int column, DWORD colour) {
  c.Fill(1, 2, 14, 13, kWhite);
  if (row >= 0) c.Fill(2, 3 + row * 4, 13, 5 + row * 4, colour);
  if (column >= 0) c.Fill(2 + column * 4, 3, 5 + column * 4, 12, colour);
  c.Frame(1, 2, 14, 13, kInk);
  for (int y : {6, 10}) c.Fill(1, y, 14, y, kInk);
  for (int x : {5, 9}) c.Fill(x, 2, x, 13, kInk);
}

void Draw(Canvas& c, Glyph g) {
  switch (g) {
    case Glyph::kOpen:  // a folder
      c.Fill(1, 4, 6, 5, kYellow);
      c.Fill(1, 6, 14, 12, kYellow);
      c.Frame(1, 6, 14, 12, kInk);
      c.Frame(1, 4, 6, 6, kInk);
      break;
    case Glyph::kSave:  // a disk
      c.Fill(2, 1, 13, 13, kBlue);
      c.Fill(4, 2, 11, 6, kWhite);
      c.Fill(5, 9, 10, 13, kFace);
      break;
    case Glyph::kCopyRow: Table(c, 0, -1, kBlue); break;
    case Glyph::kPasteRow: Table(c, 2, -1, kBlue); break;
    case Glyph::kInsertRow: Table(c, 1, -1, kGreen); break;
    case Glyph::kDeleteRow: Table(c, 1, -1, kRed); break;
    case Glyph::kAddRow: Table(c, 2, -1, kGreen); break;
    case Glyph::kAddColumn: Table(c, -1, 2, kGreen); break;
    case Glyph::kDeleteColumn: Table(c, -1, 1, kRed); break;
    case Glyph::kModifyColumn: Table(c, -1, 1, kBlue); break;
    case Glyph::kRefresh:  // an empty table
      Table(c, -1, -1, kWhite);
      break;
    case Glyph::kUndo:  // an arrow turning back
      c.Fill(4, 4, 12, 5, kBlue);
      c.Fill(11, 4, 12, 11, kBlue);
      c.Fill(6, 10, 12, 11, kBlue);
      for (int i = 0; i < 3; ++i) c.Fill(1 + i, 4 - i + 1, 1 + i, 4 + i, kBlue);
      break;
    case Glyph::kQuery:  // a magnifier
      c.Frame(2, 2, 9, 9, kInk);
      c.Fill(3, 3, 8, 8, kWhite);
      for (int i = 0; i < 5; ++i) c.Fill(9 + i, 9 + i, 10 + i, 10 + i, kInk);
      break;
  }
}

// The strip of images of a tool bar's buttons, one per glyph, side by side.
platform::ImageResource Strip(UINT id, const std::vector<Glyph>& glyphs) {
  const int width = kWidth * static_cast<int>(glyphs.size());
  Canvas c{std::vector<DWORD>(static_cast<size_t>(width * kHeight), kFace), 0, width};
  for (const Glyph g : glyphs) {
    Draw(c, g);
    c.x0 += kWidth;
  }
  return platform::rc::Bitmap(id).Pixels(width, kHeight, std::move(c.pixels));
}

}  // namespace

void AddTableToolBars(platform::ResourceSet& r) {
  using namespace platform::rc;
  const std::vector<Glyph> common = {Glyph::kOpen,         Glyph::kSave,          Glyph::kCopyRow,
                                     Glyph::kPasteRow,     Glyph::kInsertRow,     Glyph::kDeleteRow,
                                     Glyph::kAddRow,       Glyph::kAddColumn,     Glyph::kDeleteColumn,
                                     Glyph::kModifyColumn, Glyph::kRefresh,       Glyph::kUndo};
  // Read and save | rows | columns | refresh and undo.
  r.Add(ToolBar(138, kWidth, kHeight, {1037, 302, 0, 334, 1111, 1035, 301, 1040, 0, 372, 362, 1202, 0, 305, 2315}));
  r.Add(Strip(138, common));
  // The same and the material query.
  std::vector<Glyph> withQuery = common;
  withQuery.push_back(Glyph::kQuery);
  r.Add(ToolBar(139, kWidth, kHeight,
                {1037, 302, 0, 334, 1111, 1035, 301, 1040, 0, 372, 362, 1202, 0, 305, 2315, 0, 32775}));
  r.Add(Strip(139, withQuery));
}

}  // namespace draftres
