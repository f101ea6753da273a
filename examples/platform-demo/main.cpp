// demo_platform OUTPUT_FOLDER
//
// Shows what the platform's drawing layer does: a test scene drawn through
// device contexts on a window's pixels and written as a PNG file, and a
// two-page document printed to a PDF file through a printer device context.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>

#include "platform/core/Charset.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/PdfPrinter.h"
#include "platform/gdi/WindowSurface.h"

namespace {

LOGFONTW MakeFont(const char16_t* face, int height, int weight = FW_NORMAL, int escapement = 0) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfEscapement = escapement;
  lf.lfCharSet = DEFAULT_CHARSET;
  for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = face[i];
  return lf;
}

void Label(CDC& dc, int x, int y, const char16_t* text) { dc.TextOut(x, y, text); }

// Pen styles and widths.
void DrawPens(CDC& dc) {
  Label(dc, 20, 60, u"Pens: solid, dash, dot, dash-dot, dash-dot-dot; widths 1, 2, 4");
  const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
  for (int i = 0; i < 5; ++i) {
    CPen pen(styles[i], 1, RGB(0, 0, 160));
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(20, 84 + i * 10);
    dc.LineTo(260, 84 + i * 10);
    dc.SelectObject(old);
  }
  const int widths[] = {1, 2, 4};
  for (int i = 0; i < 3; ++i) {
    CPen pen(PS_SOLID, widths[i], RGB(160, 0, 0));
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(280 + i * 30, 84);
    dc.LineTo(300 + i * 30, 124);
    dc.SelectObject(old);
  }
}

// The six hatch styles, a solid brush and a pattern brush.
void DrawBrushes(CDC& dc) {
  Label(dc, 20, 140, u"Brushes: HS_HORIZONTAL .. HS_DIAGCROSS, solid, pattern");
  dc.SetBkColor(RGB(255, 250, 220));
  for (int i = 0; i < 6; ++i) {
    CBrush hatch(i, RGB(0, 100, 0));
    CBrush* old = dc.SelectObject(&hatch);
    dc.Rectangle(20 + i * 50, 160, 62 + i * 50, 202);
    dc.SelectObject(old);
  }
  CBrush solid(RGB(255, 160, 0));
  CBrush* old = dc.SelectObject(&solid);
  dc.Rectangle(320, 160, 362, 202);
  CBitmap checker;
  const WORD rows[4] = {0x0030, 0x0030, 0x00C0, 0x00C0};  // 4 x 4 check: first byte, high bit first, 1 white
  checker.CreateBitmap(4, 4, 1, 1, rows);
  CBrush pattern(&checker);
  dc.SelectObject(&pattern);
  dc.SetTextColor(RGB(128, 0, 128));
  dc.Rectangle(370, 160, 412, 202);
  dc.SetTextColor(RGB(0, 0, 0));
  dc.SelectObject(old);
  dc.SetBkColor(RGB(255, 255, 255));
}

// Figures and polygon fill modes.
void DrawFigures(CDC& dc) {
  Label(dc, 20, 215, u"Figures: rectangle, round rectangle, ellipse, pie, chord, arc; star ALTERNATE / WINDING");
  CPen pen(PS_SOLID, 2, RGB(40, 40, 40));
  CBrush brush(RGB(150, 200, 255));
  CPen* oldPen = dc.SelectObject(&pen);
  CBrush* oldBrush = dc.SelectObject(&brush);
  dc.Rectangle(20, 240, 80, 290);
  dc.RoundRect(90, 240, 150, 290, 20, 20);
  dc.Ellipse(160, 240, 220, 290);
  dc.Pie(230, 240, 290, 300, 290, 240, 230, 240);
  dc.Chord(300, 240, 360, 300, 360, 270, 300, 250);
  dc.Arc(370, 240, 430, 300, 430, 270, 370, 270);
  POINT star[5];
  for (int k = 0; k < 2; ++k) {
    for (int i = 0; i < 5; ++i) {
      const double a = std::numbers::pi / 2 + i * 4 * std::numbers::pi / 5;
      star[i] = POINT{static_cast<LONG>(480 + k * 70 + 30 * std::cos(a)), static_cast<LONG>(270 - 30 * std::sin(a))};
    }
    dc.SetPolyFillMode(k == 0 ? ALTERNATE : WINDING);
    dc.Polygon(star, 5);
  }
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);
}

// A y-up panel in hundredths of an inch with a one-inch grid.
void DrawMappedPanel(CDC& dc) {
  const int saved = dc.SaveDC();
  dc.SetMapMode(MM_LOENGLISH);
  dc.SetViewportOrg(620, 300);  // the panel's lower-left corner
  CPen grid(PS_DOT, 1, RGB(120, 120, 120));
  CPen* old = dc.SelectObject(&grid);
  for (int x = 0; x <= 150; x += 50) {
    dc.MoveTo(x, 0);
    dc.LineTo(x, 200);
  }
  for (int y = 0; y <= 200; y += 50) {
    dc.MoveTo(0, y);
    dc.LineTo(150, y);
  }
  CPen curve(PS_SOLID, 2, RGB(200, 0, 0));
  dc.SelectObject(&curve);
  // The curve starts at its own first point, not at the panel's corner.
  auto curveY = [](int x) { return static_cast<int>(100 + 80 * std::sin(x / 150.0 * 2 * std::numbers::pi)); };
  dc.MoveTo(0, curveY(0));
  for (int x = 5; x <= 150; x += 5) dc.LineTo(x, curveY(x));
  dc.SelectObject(old);
  dc.RestoreDC(saved);
  Label(dc, 600, 310, u"MM_LOENGLISH, y up");
  Label(dc, 600, 326, u"grid: half an inch");
}

// Clipping, XOR feedback, DrawText, an off-screen bitmap and Chinese text.
void DrawTextAndEffects(CDC& dc) {
  Label(dc, 20, 320, u"Clip to an elliptic region:");
  CRgn clip;
  clip.CreateEllipticRgn(20, 340, 200, 440);
  dc.SelectClipRgn(&clip);
  CBrush bands(HS_DIAGCROSS, RGB(0, 90, 200));
  const RECT area{0, 330, 220, 450};
  dc.FillRect(&area, &bands);
  dc.SelectClipRgn(nullptr);

  Label(dc, 230, 320, u"DrawText, word break, centred:");
  const RECT box{230, 340, 420, 440};
  CBrush frame(RGB(0, 0, 0));
  dc.FrameRect(&box, &frame);
  RECT inner{236, 344, 414, 436};
  dc.DrawText(u"Lines break between words to fit the rectangle; 中文在字之间换行，也适合矩形。", -1, &inner,
              DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);

  // XOR: a rubber band drawn twice vanishes; a third stays to be seen.
  dc.SetROP2(R2_NOTXORPEN);
  CBrush* old = static_cast<CBrush*>(dc.SelectStockObject(NULL_BRUSH));
  dc.Rectangle(440, 340, 560, 440);
  dc.Rectangle(440, 340, 560, 440);
  dc.Rectangle(450, 350, 550, 430);
  dc.SelectObject(old);
  dc.SetROP2(R2_COPYPEN);
  const RECT focus{460, 360, 540, 420};
  dc.DrawFocusRect(&focus);
  Label(dc, 440, 320, u"XOR band, focus rect:");

  // Off-screen composition copied with BitBlt.
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dc, 160, 100);
  CBitmap* oldBitmap = memory.SelectObject(&bitmap);
  memory.FillSolidRect(0, 0, 160, 100, RGB(30, 30, 60));
  CFont bold;
  LOGFONTW lf = MakeFont(u"Arial", -18, FW_BOLD);
  bold.CreateFontIndirect(&lf);
  CFont* oldFont = memory.SelectObject(&bold);
  memory.SetTextColor(RGB(255, 230, 120));
  memory.SetBkMode(TRANSPARENT);
  memory.TextOut(10, 10, u"Memory DC");
  memory.TextOut(10, 40, u"明细表数据");
  memory.SelectObject(oldFont);
  dc.BitBlt(600, 350, 160, 100, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(oldBitmap);
  Label(dc, 600, 455, u"memory DC + BitBlt");

  CFont rotated;
  lf = MakeFont(u"DejaVu Serif", -16, FW_NORMAL, 300);
  rotated.CreateFontIndirect(&lf);
  oldFont = dc.SelectObject(&rotated);
  dc.TextOut(40, 560, u"Escapement 30°");
  dc.SelectObject(oldFont);
}

bool DrawScene(const std::string& path, std::string& summary) {
  platform::WindowSurface window(800, 600);
  CDC dc;
  if (!dc.Attach(window.CreateDc())) return false;
  CFont title;
  LOGFONTW lf = MakeFont(u"Arial", -22, FW_BOLD);
  title.CreateFontIndirect(&lf);
  CFont* old = dc.SelectObject(&title);
  dc.TextOut(20, 16, u"Scrivel platform: device contexts 平台绘图");
  dc.SelectObject(old);
  CFont body;
  lf = MakeFont(u"MS Shell Dlg", -12);
  body.CreateFontIndirect(&lf);
  old = dc.SelectObject(&body);
  DrawPens(dc);
  DrawBrushes(dc);
  DrawFigures(dc);
  DrawMappedPanel(dc);
  DrawTextAndEffects(dc);
  dc.SelectObject(old);
  TEXTMETRICW tm{};
  dc.GetTextMetrics(&tm);
  summary = "800 x 600 pixels: pen styles and widths, the six hatch brushes, solid and pattern brushes, "
            "figures, polygon fill modes, a y-up MM_LOENGLISH panel, clipping to an elliptic region, "
            "DrawText word breaking (Latin and Chinese), XOR rubber band, focus rectangle, "
            "a memory DC copied with BitBlt and rotated text";
  return window.WritePng(path);
}

bool PrintDocument(const std::string& path, int* pages) {
  CDC printer;
  if (!printer.CreateDC(u"WINSPOOL", u"Scrivel PDF Printer", nullptr, nullptr)) return false;
  printer.m_bPrinting = TRUE;
  const std::u16string output = platform::Utf8ToUtf16(path);
  DOCINFOW info{sizeof(DOCINFOW), u"Platform demo", output.c_str(), nullptr, 0};
  if (printer.StartDoc(&info) <= 0) return false;
  CFont heading, text;
  LOGFONTW lf = MakeFont(u"Arial", 60, FW_BOLD);  // 6 mm in MM_LOMETRIC
  heading.CreateFontIndirect(&lf);
  lf = MakeFont(u"宋体", 40);
  text.CreateFontIndirect(&lf);
  for (int page = 1; page <= 2; ++page) {
    if (printer.StartPage() <= 0) {
      printer.AbortDoc();
      return false;
    }
    printer.SetMapMode(MM_LOMETRIC);  // 0.1 mm, y up from the printable area's top-left corner
    CFont* old = printer.SelectObject(&heading);
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"Page %d of 2", page);
    std::u16string title;
    for (const wchar_t* p = buffer; *p; ++p) title.push_back(static_cast<char16_t>(*p));
    printer.TextOut(200, -200, title.c_str());
    printer.SelectObject(&text);
    if (page == 1) {
      printer.TextOut(200, -320, u"A4 portrait at 600 dots per inch; figures in tenths of a millimetre.");
      CPen pen(PS_SOLID, 5, RGB(0, 0, 128));
      CBrush hatch(HS_BDIAGONAL, RGB(0, 128, 0));
      CPen* oldPen = printer.SelectObject(&pen);
      CBrush* oldBrush = printer.SelectObject(&hatch);
      printer.Rectangle(200, -450, 1000, -1050);
      printer.Ellipse(1100, -450, 1900, -1050);
      printer.RoundRect(200, -1150, 1900, -1600, 150, 150);
      printer.SelectObject(oldPen);
      printer.SelectObject(oldBrush);
    } else {
      RECT r{200, -320, 1900, -1500};
      printer.DrawText(u"The second page: a paragraph set with DrawText and word breaking, "
                       u"then a ruler of centimetres. 第二页：文字段落与厘米刻度。",
                       -1, &r, DT_WORDBREAK);
      for (int mm = 0; mm <= 170; mm += 10) {
        printer.MoveTo(200 + mm * 10, -1600);
        printer.LineTo(200 + mm * 10, mm % 50 == 0 ? -1700 : -1650);
      }
      printer.MoveTo(200, -1600);
      printer.LineTo(1900, -1600);
    }
    printer.SelectObject(old);
    if (printer.EndPage() <= 0) {
      printer.AbortDoc();
      return false;
    }
    *pages = page;
  }
  return printer.EndDoc() > 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder(argv[1]);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::printf("The platform's drawing layer (a stand-in for the Windows device contexts), on its own:\n");
  int failures = 0;
  const std::string png = (folder / "platform-scene.png").string();
  std::string summary;
  if (DrawScene(png, summary)) {
    std::printf("  %s: a test scene drawn through CDC on a window's pixels, %s.\n", png.c_str(), summary.c_str());
  } else {
    std::printf("  could not write %s\n", png.c_str());
    ++failures;
  }
  const std::string pdf = (folder / "platform-print.pdf").string();
  int pages = 0;
  if (PrintDocument(pdf, &pages)) {
    std::printf("  %s: %d pages printed through a printer DC (A4 portrait, 600 dpi) to a PDF file.\n", pdf.c_str(),
                pages);
  } else {
    std::printf("  could not print %s\n", pdf.c_str());
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}
