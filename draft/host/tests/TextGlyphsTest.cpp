// Texts painted as glyphs: the pixels a text entity paints against the box
// measuring gives it, table cell texts against their cells, erased previews
// against the picture before them, and the font table of the system data
// folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "draft/host/DraftView.h"
#include "draft/host/FontMap.h"
#include "draft/host/LineEntity.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextPainter.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/PixelBuffer.h"
#include "platform/gdi/RasterSurface.h"
#include "platform/gdi/WindowSurface.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr uint32_t kBlack = 0xFF000000u;

struct Pixel {
  int x, y;
};

// A view painting on a black window of 400 x 300 pixels at 4 pixels a unit.
class GlyphScene : public drafttest::MessageBoxAnswers {
 public:
  GlyphScene() : surface(kWidth, kHeight, RGB(0, 0, 0)) {
    dc.Attach(surface.CreateDc());
    view.SetClientSize(kWidth, kHeight);
    view.SetZoom(4.0);
    view.SetDC(&dc);
  }
  const platform::PixelBuffer& Pixels() const { return surface.Raster().MutablePixels(); }
  std::vector<Pixel> Lit() const {
    std::vector<Pixel> lit;
    const platform::PixelBuffer& p = Pixels();
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x)
        if (p.Row(y)[x] != kBlack) lit.push_back({x, y});
    return lit;
  }
  std::vector<uint32_t> Snapshot() const {
    const platform::PixelBuffer& p = Pixels();
    return std::vector<uint32_t>(p.Data(), p.Data() + size_t(p.Width()) * size_t(p.Height()));
  }
  // Device corners of drawing corners.
  std::vector<GPoint> ToDevice(const GPoint* corners, int n) const {
    std::vector<GPoint> out;
    for (int i = 0; i < n; ++i) {
      GPoint d;
      view.GetDeviceMapping().ToDevice(corners[i], d.x, d.y);
      out.push_back(d);
    }
    return out;
  }

  CSystemDataScratch sysdata;
  platform::WindowSurface surface;
  CDC dc;
  CDraftView view;
};

// How far a pixel's centre lies outside a convex quadrilateral (0 inside).
double Outside(const std::vector<GPoint>& quad, double x, double y) {
  double worst = 0.0;
  // The corners run either way round; the sign of the area tells which.
  double area = 0.0;
  for (size_t i = 0; i < quad.size(); ++i) {
    const GPoint& a = quad[i];
    const GPoint& b = quad[(i + 1) % quad.size()];
    area += a.x * b.y - b.x * a.y;
  }
  for (size_t i = 0; i < quad.size(); ++i) {
    const GPoint& a = quad[i];
    const GPoint& b = quad[(i + 1) % quad.size()];
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    const double cross = ((b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x)) / len;
    worst = std::max(worst, area > 0 ? -cross : cross);
  }
  return worst;
}

CTextAttrib GlyphAttrib(double height, double widthFactor, double angle) {
  CTextAttrib a;
  a.SetHeight(height);
  a.SetWidthFactor(widthFactor);
  a.SetAngle(angle);
  return a;
}

}  // namespace

TEST(TextGlyphs, GlyphsLieInTheMeasuredBoxAndFillIt) {
  struct Case {
    const char* text;
    double angle;
    double widthFactor;
    int fontStyle = 0;  // 0 the vector fonts, 1 a TrueType face
  };
  const Case cases[] = {
      {"HEIGHT 1234", 0, 1.0},  {"HEIGHT 1234", 90, 1.0}, {"HEIGHT 1234", 0, 0.5}, {"技术要求", 0, 1.0},
      {"技术要求", 90, 1.0},    {"技术要求", 0, 0.5},     {"M12螺栓", 0, 1.0},     {"M12螺栓", 90, 0.5},
      {"技术要求", 0, 1.0, 1},  {"M12螺栓", 90, 0.5, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " angle " + std::to_string(c.angle) + " width " + std::to_string(c.widthFactor) +
                 " style " + std::to_string(c.fontStyle));
    GlyphScene scene;
    CTextAttrib attr = GlyphAttrib(7, c.widthFactor, c.angle);
    attr.SetFontStyle(c.fontStyle);
    auto* text = ConstructTextEntity(5, nullptr, c.text, 20, 20, attr);
    scene.view.AddEntityToView(text);
    scene.view.RefreshView();
    GPoint corners[4];
    text->GetOutline(corners);
    const std::vector<GPoint> box = scene.ToDevice(corners, 4);

    const std::vector<Pixel> lit = scene.Lit();
    ASSERT_FALSE(lit.empty());
    double worst = 0.0;
    for (const Pixel& p : lit) worst = std::max(worst, Outside(box, p.x + 0.5, p.y + 0.5));
    EXPECT_LE(worst, 1.0) << "a glyph pixel lies outside the measured box";

    // The ink spans the box along the text and across it (across, the
    // script's tallest glyphs reach both edges; these reach most of the way).
    const double along = DegreeToRadian(c.angle);
    const double ux = std::cos(along), uy = -std::sin(along);  // device, y down
    double a0 = 1e9, a1 = -1e9, b0 = 1e9, b1 = -1e9;
    for (const Pixel& p : lit) {
      const double dx = p.x + 0.5 - box[0].x, dy = p.y + 0.5 - box[0].y;
      const double a = dx * ux + dy * uy, b = -(dx * -uy + dy * ux);
      a0 = std::min(a0, a);
      a1 = std::max(a1, a);
      b0 = std::min(b0, b);
      b1 = std::max(b1, b);
    }
    const double length = std::hypot(box[1].x - box[0].x, box[1].y - box[0].y);
    const double height = std::hypot(box[3].x - box[0].x, box[3].y - box[0].y);
    EXPECT_GE(a1 - a0, 0.85 * length);
    EXPECT_GE(b1 - b0, 0.75 * height);
    EXPECT_GE(static_cast<double>(lit.size()), 0.2 * length * height) << "too little ink for the box";
    EXPECT_TRUE(scene.boxes.empty());
  }
}

TEST(TextGlyphs, ATableCellTextStaysInsideItsCell) {
  GlyphScene scene;
  std::unique_ptr<CTableEntity> table(ConstructTableEntity(1, nullptr));
  CTableRow* header = ConstructTableRow(0);
  AddRowCell(header, ConstructTableCell("序号", 12, 8, 2));
  AddRowCell(header, ConstructTableCell("零件名称", 30, 8, 2));
  AddRowCell(header, ConstructTableCell("Q235-A", 20, 8, 0));
  table->AddRow(header);
  CTableRow* row = ConstructTableRow(1);
  AddRowCell(row, ConstructTableCell("12", 12, 8, 1));
  AddRowCell(row, ConstructTableCell("螺栓 M12x60", 30, 8, 3));
  AddRowCell(row, ConstructTableCell("GB/T 5782", 20, 8, 0));
  table->AddRow(row);
  table->AddSegment(ConstructTableSegment(10, 60, kTableOpenEnd));
  RecalcTable(table.get());

  ShapePieces lines;
  ShownTexts texts;
  table->GetShownShape(lines, texts);
  ASSERT_EQ(texts.size(), 6u);
  const RECT client{0, 0, kWidth, kHeight};
  int cell = 0;
  for (const auto& placed : table->GetPlacedRows()) {
    const CTableRow* r = table->GetRow(placed.row);
    const double top = placed.y, bottom = placed.y - placed.height;  // rows grow downwards
    double left = placed.x;
    for (int i = 0; i < r->GetCellCount(); ++i, ++cell) {
      const double right = left + r->GetCell(i)->GetWidth();
      SCOPED_TRACE("cell " + std::to_string(cell));
      scene.view.RefreshView();
      ASSERT_TRUE(PaintShownText(scene.dc, texts[size_t(cell)], scene.view.GetDeviceMapping(), RGB(255, 255, 255),
                                 false, client));
      const GPoint corners[4] = {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
      const std::vector<GPoint> box = scene.ToDevice(corners, 4);
      const std::vector<Pixel> lit = scene.Lit();
      ASSERT_FALSE(lit.empty());
      for (const Pixel& p : lit) {
        // Clear of the cell's lines by a pixel.
        ASSERT_LE(Outside(box, p.x + 0.5, p.y + 0.5), -0.0) << p.x << "," << p.y;
        ASSERT_GT(p.x, box[0].x + 1);
        ASSERT_LT(p.x + 1, box[1].x - 1);
        ASSERT_GT(p.y, box[3].y + 1);
        ASSERT_LT(p.y + 1, box[0].y - 1);
      }
      left = right;
    }
  }
  EXPECT_EQ(cell, 6);
}

TEST(TextGlyphs, ErasedPreviewsLeaveThePictureExactlyAsBefore) {
  GlyphScene scene;
  // A drawing under the previews: lines and texts the readouts cross.
  scene.view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 30, 100, 30));
  scene.view.AddEntityToView(ConstructLineEntity(0, nullptr, 25, 0, 25, 75));
  scene.view.AddEntityToView(ConstructTextEntity(5, nullptr, "技术要求 A-A", 20, 28, GlyphAttrib(5, 1, 0)));
  scene.view.RefreshView();
  const std::vector<uint32_t> before = scene.Snapshot();

  // The moves of a command: cross-hair and readouts, a rubber line, a text
  // preview and a temporary text; each move takes the previous one off.
  CTextEntity temp(5, nullptr, "M12螺栓", 30, 40, GlyphAttrib(4, 0.7, 30));
  const CTextAttrib styled = GlyphAttrib(3.5, 1, 90);
  const GPoint cursors[] = {{24, 29}, {40.2, 33.7}, {60, 12}};
  for (const GPoint& c : cursors) {
    scene.view.DrawCrossHair(c.x, c.y, 1);
    scene.view.DrawTextPreview("24.000", c.x, c.y, 0.0);
    scene.view.DrawTextPreview("29.000", c.x, c.y, 90.0);
    scene.view.DrawLinePreview(10, 10, c.x, c.y);
    scene.view.DrawTextPreviewStyled("x", c.x, c.y, 0, styled);
    scene.view.DrawEntityTemp(&temp, 1, 0);
    EXPECT_NE(scene.Snapshot(), before);
    scene.view.DrawEntityTemp(&temp, 1, 1);
    scene.view.DrawTextPreviewStyled("x", c.x, c.y, 0, styled);
    scene.view.DrawLinePreview(10, 10, c.x, c.y);
    scene.view.ShowCrossHair(0);
    scene.view.EraseCrossHair();  // the readouts go with it
    EXPECT_EQ(scene.Snapshot(), before);
  }
  // A readout painted again is taken off at once, and the cross-hair's
  // going does not bring it back.
  scene.view.DrawCrossHair(50, 50, 1);
  scene.view.DrawTextPreview("1.5", 50, 50, 0.0);
  scene.view.DrawTextPreview("1.5", 50, 50, 0.0);
  scene.view.EraseCrossHair();
  EXPECT_EQ(scene.Snapshot(), before);
}

TEST(TextGlyphs, AFontTheTableCannotFindShowsTheOutlineAndIsReportedOnce) {
  GlyphScene scene;
  {
    std::ofstream table(scene.sysdata.GetFolder() + "/Font/FontMap.Tab", std::ios::binary | std::ios::trunc);
    table << "txt.shx=No Such Family\r\nmorvane.shx=No Such Family, WenQuanYi Micro Hei\r\n";
  }
  CTextAttrib shx = GlyphAttrib(8, 1, 0);
  shx.SetFontStyle(2);
  shx.SetShxFontName("TXT.SHX");
  shx.SetBigFontName("morvane.shx");
  EXPECT_EQ(GetFontMap().FindFamily("txt.shx"), CStringW());
  EXPECT_EQ(GetFontMap().FindFamily("Morvane.shx"), CStringW(u"WenQuanYi Micro Hei"));

  // Chinese only: the big font draws it.
  auto* chinese = ConstructTextEntity(5, nullptr, "技术", 10, 10, shx);
  scene.view.AddEntityToView(chinese);
  scene.view.RefreshView();
  EXPECT_TRUE(scene.boxes.empty());
  const size_t glyphPixels = scene.Lit().size();
  EXPECT_GT(glyphPixels, 100u);

  // Western characters need txt.shx: the outline shows, with one message.
  auto* western = ConstructTextEntity(5, nullptr, "AB", 50, 40, shx);
  scene.view.AddEntityToView(western);
  scene.view.RefreshView();
  scene.view.RefreshView();
  ASSERT_EQ(scene.boxes.size(), 1u);
  EXPECT_NE(scene.boxes[0].Find("TXT.SHX"), -1);  // named as the text names it
  GPoint corners[4];
  western->GetOutline(corners);
  const std::vector<GPoint> box = scene.ToDevice(corners, 4);
  const platform::PixelBuffer& p = scene.Pixels();
  // The outline's corners and edges are lit, its inside is not.
  EXPECT_NE(p.Row(int(std::lround(box[0].y)))[int(std::lround(box[0].x)) + 5], kBlack);
  EXPECT_NE(p.Row(int(std::lround(box[2].y)))[int(std::lround(box[2].x)) - 5], kBlack);
  EXPECT_EQ(p.Row(int(std::lround((box[0].y + box[2].y) / 2)))[int(std::lround((box[0].x + box[2].x) / 2))], kBlack);
}

TEST(TextGlyphs, TheFontTableTakesTheFirstFamilyTheMachineHas) {
  CSystemDataScratch sysdata;
  // The shipped table names fonts the build installs.
  for (const char* name : {"单线宋体", "长仿宋体", "单线黑体", "morvane.shx"})
    EXPECT_EQ(GetFontMap().FindFamily(name), CStringW(u"WenQuanYi Micro Hei")) << name;
  for (const char* name : {"单线西文", "罗马西文", "窄体西文", "txt.shx"})
    EXPECT_EQ(GetFontMap().FindFamily(name), CStringW(u"DejaVu Sans Mono")) << name;
  EXPECT_EQ(GetFontMap().FindFamily("unknown.shx"), CStringW());
  // Another system data folder, another table: a comment, a blank line and
  // a line without "=" are passed over, blanks around names are not part
  // of them.
  CSystemDataScratch other;
  std::ofstream(other.GetFolder() + "/Font/FontMap.Tab", std::ios::binary | std::ios::trunc)
      << "; comment=DejaVu Sans\r\n\r\n txt.shx = Missing One ,DejaVu Sans, DejaVu Sans Mono\r\nbad line\r\n";
  EXPECT_EQ(GetFontMap().FindFamily("txt.shx"), CStringW(u"DejaVu Sans"));
  EXPECT_EQ(GetFontMap().FindFamily("; comment"), CStringW());
}
