// Korrin's text services: the font manager, SHX classification, texts placed
// in boxes, and the view's text font and system values.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "draft/host/AttributeItems.h"
#include "draft/host/DraftView.h"
#include "draft/host/FontManager.h"
#include "draft/host/LineEntity.h"
#include "draft/host/PointEntity.h"
#include "draft/host/ShxFontFile.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextPlacement.h"
#include "platform/core/Charset.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileFind.h"
#include "platform/core/PathResolve.h"

namespace {

CTextAttrib Attrib(double height, double widthFactor = 1.0, double spacing = 0.0) {
  CTextAttrib a;
  a.SetHeight(height);
  a.SetWidthFactor(widthFactor);
  a.SetSpacing(spacing);
  return a;
}

}  // namespace

TEST(FontManager, ListsItsLoadedFontsOfEachKindFromIndexOne) {
  CFontManager* fm = GetFontManager();
  ASSERT_GT(fm->GetChineseFontCount(), 1);
  ASSERT_GT(fm->GetWesternFontCount(), 1);
  EXPECT_EQ(fm->GetChineseFont(0), nullptr);
  EXPECT_EQ(fm->GetChineseFont(fm->GetChineseFontCount() + 1), nullptr);
  EXPECT_EQ(fm->GetWesternFont(fm->GetWesternFontCount() + 1), nullptr);
  for (int i = 1; i <= fm->GetChineseFontCount(); ++i) {
    const CVectorFont* f = fm->GetChineseFont(i);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->kind, VectorFontKind::kChinese);
    EXPECT_FALSE(f->name.IsEmpty());
    EXPECT_EQ(fm->FindChineseFont(f->name), i);
  }
  EXPECT_EQ(fm->FindWesternFont(fm->GetWesternFont(2)->name), 2);
  EXPECT_EQ(fm->FindWesternFont("no such font"), 0);
}

TEST(FontManager, MeasuresByCharacterKindHeightWidthFactorAndSpacing) {
  CFontManager* fm = GetFontManager();
  const double cp = fm->GetChineseFont(1)->proportion;
  const double wp = fm->GetWesternFont(1)->proportion;
  struct Case {
    const char* text;
    CTextAttrib attr;
    double width;
  };
  const Case cases[] = {
      {"", Attrib(5), 0.0},
      {"AB", Attrib(5), 2 * wp * 5},
      {"中文", Attrib(5), 2 * cp * 5},
      {"A中", Attrib(4, 0.5), (wp + cp) * 4 * 0.5},
      {"ABC", Attrib(2, 1.0, 1.5), 3 * wp * 2 + 2 * 1.5},  // spacing between characters only
      {"\xD6", Attrib(2), wp * 2},                          // a lone lead byte counts as one character
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(fm->GetTextWidth(c.text, c.attr), c.width, 1e-9) << c.text;
  }
  // Another font measures with its own proportion; one beyond the loaded
  // fonts with the first.
  CTextAttrib second = Attrib(10);
  second.SetChineseFontIndex(2);
  EXPECT_NEAR(fm->GetTextWidth("中", second), fm->GetChineseFont(2)->proportion * 10, 1e-9);
  second.SetChineseFontIndex(200);
  EXPECT_NEAR(fm->GetTextWidth("中", second), cp * 10, 1e-9);
  EXPECT_EQ(CFontManager::CountCharacters("A中B"), 3);
}

TEST(FontManager, ConvertTextKeepsWhatTheFontsDrawAndDropsTheRest) {
  struct Case {
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {"plain text", "plain text"},
      {"a\tb", "a b"},
      {std::string("a\x01\x1f\x7f" "b"), "ab"},
      {"中文", "中文"},
      {"\x81\x40", "\x81\x40"},   // a character whose trail byte is '@' stays whole
      {"ab\xD6", "ab"},           // a broken character at the end
      {"\xD6\x0A" "c", "c"},      // a lead byte followed by no trail byte
      {"\xA3\xC1", "\xA3\xC1"},   // full-width forms are left to the string converter
  };
  for (const Case& c : cases) {
    CStringA t(c.in.c_str());
    GetFontManager()->ConvertText(t);
    EXPECT_EQ(std::string(t.GetString()), c.out) << c.in;
  }
}

TEST(ShxFontFile, ClassifiesTheFilesOfTheFontFolderByTheirHeader) {
  CSystemDataScratch scratch;
  const std::string font = scratch.GetFolder() + "/Font/";
  auto write = [&](const char* name, const std::string& bytes) { std::ofstream(font + name, std::ios::binary) << bytes; };
  write("uni.shx", std::string("Scrivel unifont 1.0\r\n\x1a\0\0", 24));
  write("short.shx", "Scrivel shapes");
  write("other.shx", "not a font at all, longer than a header");
  write("lf.shx", std::string("Scrivel bigfont 1.0\n\x1a", 21));
  write("notes.txt", "Scrivel shapes 1.0\r\n\x1a");

  struct Case {
    const char* name;
    int kind;
  };
  const Case cases[] = {{"txt.shx", kShxFont},       {"morvane.shx", kShxBigFont}, {"uni.shx", kShxFont},
                        {"short.shx", kShxNotAFont}, {"other.shx", kShxNotAFont},  {"lf.shx", kShxNotAFont},
                        {"missing.shx", kShxNotAFont}};
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyShxFile(GetSystemFilePath(CStringA("Font\\") + c.name)), c.kind) << c.name;
  }

  // The folder listed as the font dialog lists it: every ".shx" file.
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA(GetSystemFilePath("Font\\*.shx"), &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  do {
    names.push_back(data.cFileName);
  } while (FindNextFileA(h, &data));
  FindClose(h);
  EXPECT_EQ(names, (std::vector<std::string>{"lf.shx", "morvane.shx", "other.shx", "short.shx", "txt.shx",
                                             "uni.shx"}));
}

TEST(TextAttrib, TheFontFieldsHaveTheirDefaultsAndTakePartInComparison) {
  CTextAttrib a;
  EXPECT_EQ(a.GetFontStyle(), 0);
  EXPECT_EQ(a.GetChineseFontIndex(), 1);
  EXPECT_EQ(a.GetWesternFontIndex(), 1);
  EXPECT_EQ(a.GetTrueTypeName(), CStringA("宋体"));
  EXPECT_EQ(a.GetShxFontName(), CStringA("txt.shx"));
  EXPECT_EQ(a.GetBigFontName(), CStringA("morvane.shx"));
  CTextAttrib b = a;
  EXPECT_EQ(CompareTextAttrib(a, b), 0);
  b.SetBigFontName("other.shx");
  EXPECT_NE(CompareTextAttrib(a, b), 0);
  b = a;
  b.SetWesternFontIndex(2);
  EXPECT_NE(CompareTextAttrib(a, b), 0);
  b = a;
  b.SetLineSpacing(1.0);
  EXPECT_NE(CompareTextAttrib(a, b), 0);
}

TEST(TextPlacement, PlacesATextInItsBoxByAlignmentCodeAndAngle) {
  const double h = 4.0;  // margin h/4 = 1
  const CTextAttrib attr = Attrib(h);
  const double w = GetFontManager()->GetTextWidth("AB", attr);
  struct Case {
    int code;
    double angle;
    double x, y;  // expected insertion point
  };
  // The box (0, 0)-(40, 10), centre (20, 5).
  const Case cases[] = {
      {1, 0.0, 1.0, 5 - h / 2},                  // left, middle
      {4, 0.0, 20 - w / 2, 5 - h / 2},           // centred
      {7, 0.0, 40 - 1 - w, 5 - h / 2},           // right
      {2, 0.0, 1.0, 1.0},                        // left, bottom
      {3, 0.0, 1.0, 10 - 1 - h},                 // left, top
      {100, 0.0, 20 - w / 2, 5 - h / 2},         // any other code: centred
      {4, 90.0, 20 + h / 2, 5 - w / 2},          // upright: the outline's bounds centred
      {4, 180.0, 20 + w / 2, 5 + h / 2},
      {4, kTextAngleNotGiven, 20 - w / 2, 5 - h / 2},
  };
  for (const Case& c : cases) {
    CTextEntity* t = ConstructTextEntityEx(3, nullptr, attr, 40, 10, 0, 0, 20, 5, c.code, "AB", c.angle);
    EXPECT_NEAR(t->GetInsertPoint().x, c.x, 1e-9) << c.code << " " << c.angle;
    EXPECT_NEAR(t->GetInsertPoint().y, c.y, 1e-9) << c.code << " " << c.angle;
    EXPECT_EQ(t->GetEntityLayer(), 3);
    EXPECT_EQ(t->GetPlacementCode(), c.code);
    EXPECT_NEAR(t->GetTextAttrib().GetAngle(), c.angle > 360 ? 0.0 : c.angle, 1e-9);
    double x0, y0, x1, y1;
    ASSERT_TRUE(GetTextBox(t, x0, y0, x1, y1));
    EXPECT_EQ(std::vector<double>({x0, y0, x1, y1}), std::vector<double>({0, 0, 40, 10}));
    delete t;
  }
}

TEST(TextPlacement, FillingSpansTheBoxAlongTheTextsDirection) {
  CTextAttrib attr = Attrib(2.0, 1.0, 0.5);
  for (double angle : {0.0, 90.0}) {
    CTextEntity* t = ConstructTextEntityEx(0, nullptr, attr, 0, 0, 30, 30, 15, 15, kTextAlignFill, "ABCD", angle);
    // The text spans the box less a margin of h/4 at each end.
    EXPECT_NEAR(GetFontManager()->GetTextWidth("ABCD", t->GetTextAttrib()), 30 - 2 * 0.5, 1e-9);
    double x0, y0, x1, y1;
    GPoint c[4];
    t->GetOutline(c);
    x0 = std::fmin(c[0].x, c[2].x);
    y0 = std::fmin(c[0].y, c[2].y);
    x1 = std::fmax(c[0].x, c[2].x);
    y1 = std::fmax(c[0].y, c[2].y);
    if (angle == 0.0) {
      EXPECT_NEAR(x0, 0.5, 1e-9);
      EXPECT_NEAR(x1, 29.5, 1e-9);
    } else {
      EXPECT_NEAR(y0, 0.5, 1e-9);
      EXPECT_NEAR(y1, 29.5, 1e-9);
    }
    delete t;
  }
}

TEST(TextPlacement, BoxesFollowTheGroupAndCarryOverToAReplacement) {
  CDrawingGroup group("g", 2.0, 10.0, 10.0);
  CTextAttrib attr = Attrib(1.0);  // shown 2.0 high in the group
  CTextEntity* placed = ConstructTextEntityEx(0, &group, attr, 10, 10, 50, 20, 30, 15, 2, "X", 0.0);
  EXPECT_NEAR(placed->GetInsertPoint().x, 10 + 0.5, 1e-9);  // margin of a quarter of the shown height
  EXPECT_NEAR(placed->GetInsertPoint().y, 10 + 0.5, 1e-9);

  CTextEntity* plain = ConstructTextEntity(0, nullptr, "AB", 5, 5, Attrib(4.0));
  double b[4] = {-1, -1, -1, -1};
  ASSERT_TRUE(GetTextBox(plain, b[0], b[1], b[2], b[3]));
  const double w = GetFontManager()->GetTextWidth("AB", Attrib(4.0));
  EXPECT_EQ(std::vector<double>(b, b + 4), std::vector<double>({5, 5, 5 + w, 9}));

  EXPECT_TRUE(CopyTextProperties(plain, placed));
  EXPECT_EQ(plain->GetPlacementCode(), 2);
  ASSERT_TRUE(GetTextBox(plain, b[0], b[1], b[2], b[3]));
  EXPECT_EQ(std::vector<double>(b, b + 4), std::vector<double>({10, 10, 50, 20}));

  CLineEntity line(0, nullptr, 0, 0, 1, 1);
  double keep = 7;
  EXPECT_FALSE(GetTextBox(&line, keep, keep, keep, keep));
  EXPECT_EQ(keep, 7);
  EXPECT_FALSE(CopyTextProperties(&line, placed));
  delete placed;
  delete plain;
}

namespace {

// A point that answers as a table of a given kind.
class TableStandIn : public CPointEntity {
 public:
  explicit TableStandIn(int kind) : CPointEntity(0, nullptr, 0, 0, 0, 1), kind_(kind) {}
  int GetTableKind() const override { return kind_; }

 private:
  int kind_;
};

}  // namespace

TEST(DraftViewDrawing, PartsListTableIsTheFirstEntityOfTableKindOne) {
  CDraftView view;
  EXPECT_EQ(view.GetPartsListTable(), nullptr);
  auto* general = new TableStandIn(0);
  auto* parts = new TableStandIn(1);
  auto* later = new TableStandIn(1);
  view.AddEntityToView(general);
  view.AddEntityToView(parts);
  view.AddEntityToView(later);
  EXPECT_EQ(view.GetPartsListTable(), parts);
  view.SelectEntity(later);
  view.SelectEntity(parts);  // selected entities count in drawing order too
  EXPECT_EQ(view.GetPartsListTable(), parts);
  view.RemoveEntity(parts);
  EXPECT_EQ(view.GetPartsListTable(), later);
  delete parts;
}

TEST(DraftViewDrawing, TextFontAttributeGroupAndSystemValues) {
  CDraftView view;
  CTextFontRecord* font = view.GetTextFont();
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->flags, 0u);
  font->attrib.SetHeight(5.0);
  font->attrib.SetChineseFontIndex(2);
  CTextAttrib a = ConstructTextAttrib(view.GetTextFont());
  EXPECT_EQ(a.GetHeight(), 5.0);
  EXPECT_EQ(a.GetChineseFontIndex(), 2);
  EXPECT_TRUE(a.IsPrepared());

  CDrawingGroup* g = view.GetDrawingAttributes();
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->GetGroupScale(), 1.0);
  EXPECT_EQ(g->GetGroupName(), CStringA("系统图组"));
  EXPECT_EQ(view.GetGroupTable()->FindGroup("系统图组"), nullptr);  // not one of the drawing's groups

  EXPECT_EQ(view.GetSystemReal(kSystemTextHeight), 3.5);
  EXPECT_EQ(view.GetSystemReal(kSystemDecimals), 3.0);
  view.SetSystemReal(kSystemTextHeight, 5.0);
  EXPECT_EQ(view.GetSystemReal(kSystemTextHeight), 5.0);
  EXPECT_THROW(view.GetSystemReal(2), CNotSupportedException);
}

TEST(AttributeItems, AddReplaceOrKeepLookUpAndClear) {
  CAttributeItemList list;
  EXPECT_TRUE(AddAttributeItem(&list, "图号", "字符串", "A-1", 1, 1));
  EXPECT_TRUE(AddAttributeItem(&list, "日期", "字符串", "2026", 1, 0));
  EXPECT_FALSE(AddAttributeItem(&list, "", "字符串", "x", 1, 1));
  EXPECT_FALSE(AddAttributeItem(nullptr, "n", "字符串", "x", 1, 1));
  EXPECT_TRUE(AddAttributeItem(&list, "图号", "字符型", "A-2", 0, 1));  // kept
  EXPECT_EQ(FindAttributeItem(&list, "图号")->value, CStringA("A-1"));
  EXPECT_TRUE(AddAttributeItem(&list, "图号", "字符型", "A-2", 1, 0));  // replaced in place
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetAt(0).name, CStringA("图号"));
  EXPECT_EQ(list.GetAt(0).type, CStringA("字符型"));
  EXPECT_EQ(list.GetAt(0).value, CStringA("A-2"));
  EXPECT_EQ(list.GetAt(0).shown, 0);
  EXPECT_EQ(FindAttributeItem(&list, "图"), nullptr);
  ClearAttributes(&list);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(FindAttributeItem(&list, "图号"), nullptr);
}
