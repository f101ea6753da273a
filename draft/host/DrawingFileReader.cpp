#include "draft/host/DrawingFileReader.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <vector>

#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/EquationCurveEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineSetEntity.h"
#include "draft/host/PointEntity.h"
#include "draft/host/ScratchDrawing.h"
#include "draft/host/TableCell.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TableRow.h"
#include "draft/host/TendonGraphEntity.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TwoPointEntity.h"
#include "platform/core/Charset.h"
#include "platform/core/PathResolve.h"

namespace {

struct ParseError {
  std::string what;
};

struct Token {
  bool quoted = false;
  std::string text;  // a quoted token's text is GBK
};

// The tokens of one line: bare words and numbers, quoted texts and braces.
std::vector<Token> Tokenize(std::string_view line, int number) {
  std::vector<Token> out;
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t') {
      ++i;
      continue;
    }
    Token t;
    if (c == '"') {
      t.quoted = true;
      std::string utf8;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char d = line[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d == '\\') {
          if (i >= line.size()) break;
          d = line[i++];
          if (d == 'n') d = '\n';
        }
        utf8 += d;
      }
      if (!closed) throw ParseError{"line " + std::to_string(number) + ": a text has no closing quote"};
      t.text = platform::Utf8ToGbk(utf8);
    } else {
      const size_t start = i;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '"') ++i;
      t.text = std::string(line.substr(start, i - start));
    }
    out.push_back(std::move(t));
  }
  return out;
}

// One line's tokens taken in order.
class LineCursor {
 public:
  LineCursor(std::vector<Token> tokens, int number) : tokens_(std::move(tokens)), number_(number) {}

  [[noreturn]] void Fail(const std::string& what) const {
    throw ParseError{"line " + std::to_string(number_) + ": " + what};
  }
  bool AtEnd() const { return next_ >= tokens_.size(); }
  // Whether the next token is the bare word `word` (taken when it is).
  bool Take(const char* word) {
    if (AtEnd() || tokens_[next_].quoted || tokens_[next_].text != word) return false;
    ++next_;
    return true;
  }
  void Expect(const char* word) {
    if (!Take(word)) Fail(std::string("\"") + word + "\" expected");
  }
  const Token& Next(const char* what) {
    if (AtEnd()) Fail(std::string(what) + " missing");
    return tokens_[next_++];
  }
  std::string Word(const char* what) {
    const Token& t = Next(what);
    if (t.quoted) Fail(std::string(what) + " expected, a text found");
    return t.text;
  }
  double Number(const char* what = "a number") {
    const std::string w = Word(what);
    double v = 0;
    const auto r = std::from_chars(w.data(), w.data() + w.size(), v);
    if (r.ec != std::errc() || r.ptr != w.data() + w.size() || !std::isfinite(v))
      Fail(std::string(what) + " expected, \"" + w + "\" found");
    return v;
  }
  int Int(const char* what, int low, int high) {
    const std::string w = Word(what);
    int v = 0;
    const auto r = std::from_chars(w.data(), w.data() + w.size(), v);
    if (r.ec != std::errc() || r.ptr != w.data() + w.size()) Fail(std::string(what) + " expected, \"" + w + "\" found");
    if (v < low || v > high)
      Fail(std::string(what) + " " + w + " outside " + std::to_string(low) + ".." + std::to_string(high));
    return v;
  }
  CStringA Text(const char* what) {
    const Token& t = Next(what);
    if (!t.quoted) Fail(std::string(what) + " expected in quotes");
    return CStringA(t.text.c_str());
  }
  void ExpectEnd() {
    if (!AtEnd()) Fail("unexpected \"" + tokens_[next_].text + "\"");
  }
  int GetNumber() const { return number_; }

 private:
  std::vector<Token> tokens_;
  int number_;
  size_t next_ = 0;
};

constexpr int kIntMax = 0x7fffffff;

class Reader {
 public:
  Reader(std::string_view text, CScratchDrawing& drawing) : text_(text), drawing_(drawing) {}

  void Read() {
    LineCursor first = NextLine("the first line");
    if (!first.Take("scrivel-drawing") || !first.Take("1") || !first.AtEnd())
      first.Fail("not a drawing file (\"scrivel-drawing 1\" expected)");
    while (HasMoreLines()) {
      LineCursor line = NextLine("a line");
      if (line.AtEnd()) continue;
      if (line.Take("saved"))
        ReadHeader(line);
      else if (line.Take("group"))
        ReadGroup(line);
      else if (line.Take("active"))
        ReadActive(line);
      else
        drawing_.GetEntityList()->AddTail(ReadEntity(line, 0).release());
    }
  }

 private:
  bool HasMoreLines() const { return pos_ < text_.size(); }

  LineCursor NextLine(const char* what) {
    if (!HasMoreLines()) throw ParseError{"line " + std::to_string(number_ + 1) + ": " + what + " missing (the file ends)"};
    size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    std::string_view line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number_;
    return LineCursor(Tokenize(line, number_), number_);
  }

  CDrawingGroup* FindGroup(LineCursor& line, const CStringA& name) {
    CDrawingGroup* g = drawing_.GetGroupTable()->FindGroup(name.GetString());
    if (!g) line.Fail("no group named \"" + platform::GbkToUtf8(name.GetString()) + "\"");
    return g;
  }

  void ReadHeader(LineCursor& line) {
    DrawingFileHeader h;
    for (int& f : h.flags) f = line.Int("a file flag", -kIntMax, kIntMax);
    line.Expect("base");
    h.baseX = line.Number("the base point");
    h.baseY = line.Number("the base point");
    h.baseFlag = line.Int("the base-point flag", 0, 1);
    line.ExpectEnd();
    drawing_.SetHeader(h);
  }

  static void ReadItems(LineCursor& line, CAttributeItemList& items) {
    const int n = line.Int("the item count", 0, kIntMax);
    for (int i = 0; i < n; ++i) {
      CAttributeItem item;
      item.name = line.Text("an item name");
      item.type = line.Text("an item type");
      item.value = line.Text("an item value");
      item.shown = line.Int("an item's shown flag", 0, 1);
      if (item.name.IsEmpty() || items.Find(item.name)) line.Fail("an item name empty or given twice");
      items.Append(item);
    }
  }

  void ReadGroup(LineCursor& line) {
    const CStringA name = line.Text("the group name");
    if (name.IsEmpty()) line.Fail("the group name is empty");
    if (drawing_.GetGroupTable()->FindGroup(name.GetString())) line.Fail("the group is named twice");
    const double scale = line.Number("the group scale");
    const double x = line.Number("the group origin");
    const double y = line.Number("the group origin");
    int flagA = 0, whole = 0, flagC = 0;
    if (line.Take("flags")) {
      flagA = line.Int("a group flag", -kIntMax, kIntMax);
      whole = line.Int("the picked-whole flag", 0, 1);
      flagC = line.Int("a group flag", -kIntMax, kIntMax);
    }
    CDrawingGroup* g = drawing_.GetGroupTable()->AddGroup(name, scale, whole, x, y, nullptr);
    g->SetFlagA(flagA);
    g->SetFlagC(flagC);
    if (line.Take("items")) ReadItems(line, *g->GetItemList());
    line.ExpectEnd();
  }

  void ReadActive(LineCursor& line) {
    CDrawingGroup* g = FindGroup(line, line.Text("the active group's name"));
    drawing_.GetGroupTable()->SetActiveGroup(g);
    line.ExpectEnd();
  }

  static CTextAttrib ReadTextAttrib(LineCursor& line) {
    CTextAttrib a;
    a.SetHeight(line.Number("the text height"));
    a.SetWidthFactor(line.Number("the width factor"));
    a.SetAngle(line.Number("the text angle"));
    a.SetSlant(line.Number("the slant"));
    a.SetSpacing(line.Number("the spacing"));
    a.SetAlignment(line.Int("the alignment", -kIntMax, kIntMax));
    a.SetStyle(line.Int("the text style", -kIntMax, kIntMax));
    a.SetFontName(line.Text("the font name"));
    a.SetLineSpacing(line.Number("the line spacing"));
    a.SetFontStyle(line.Int("the font style", 0, 2));
    a.SetChineseFontIndex(static_cast<BYTE>(line.Int("a font index", 0, 255)));
    a.SetWesternFontIndex(static_cast<BYTE>(line.Int("a font index", 0, 255)));
    a.SetTrueTypeName(line.Text("the TrueType face"));
    a.SetShxFontName(line.Text("the SHX font"));
    a.SetBigFontName(line.Text("the big font"));
    return a;
  }

  static double Positive(LineCursor& line, const char* what) {
    const double v = line.Number(what);
    if (!(v > 0)) line.Fail(std::string(what) + " must be above 0");
    return v;
  }

  std::unique_ptr<CEntity> ReadText(LineCursor& line, int layer, CDrawingGroup* group) {
    const double x = line.Number("the insertion point"), y = line.Number("the insertion point");
    const CStringA text = line.Text("the text");
    CTextAttrib attr;
    if (line.Take("attr")) attr = ReadTextAttrib(line);
    std::unique_ptr<CTextEntity> e(ConstructTextEntity(layer, group, text, x, y, attr));
    if (line.Take("place")) e->SetPlacementCode(line.Int("the placement code", -kIntMax, kIntMax));
    if (line.Take("box")) {
      const double x0 = line.Number("the box"), y0 = line.Number("the box");
      const double x1 = line.Number("the box"), y1 = line.Number("the box");
      e->SetPlacementBox(x0, y0, x1, y1);
    }
    return e;
  }

  std::unique_ptr<CEntity> ReadTwoPoint(LineCursor& line, int layer, CDrawingGroup* group) {
    double v[4];
    for (double& x : v) x = line.Number("an end point");
    double s1 = 0, s2 = 0;
    if (line.Take("sizes")) {
      s1 = line.Number("a size");
      s2 = line.Number("a size");
    }
    std::unique_ptr<CTwoPointEntity> e(ConstructTwoPointEntity(layer, group, s1, s2));
    e->SetEndPoints(v[0], v[1], v[2], v[3], 1);
    if (line.Take("segments")) {
      const int n = line.Int("the segment count", 0, kIntMax);
      for (int i = 0; i < n; ++i) {
        double s[4];
        for (double& x : s) x = line.Number("a segment end");
        e->AddSegment(s[0], s[1], s[2], s[3]);
      }
    }
    return e;
  }

  // A table's segment, row and cell lines up to its closing brace; the
  // closing line is returned for what follows the brace.
  LineCursor ReadTableBody(CTableEntity& table) {
    for (;;) {
      LineCursor line = NextLine("the table's closing brace");
      if (line.Take("}")) return line;
      if (line.Take("segment")) {
        const double x = line.Number("the segment start"), y = line.Number("the segment start");
        const double end = line.Take("open") ? kTableOpenEnd : line.Number("the segment end");
        table.AddSegment(ConstructTableSegment(x, y, end));
      } else if (line.Take("row")) {
        std::unique_ptr<CTableRow> row(ConstructTableRow(line.Int("the row flag", -kIntMax, kIntMax)));
        row->SetCounted(line.Int("the counted flag", -kIntMax, kIntMax));
        table.AddRow(row.release());
      } else if (line.Take("cell")) {
        if (table.GetRowCount() == 0) line.Fail("a cell before the first row");
        const CStringA text = line.Text("the cell text");
        const int ditto = line.Int("the ditto code", -kIntMax, kIntMax);
        const double width = line.Number("the cell width");
        const double height = line.Number("the row height");
        const int align = line.Int("the alignment", -kIntMax, kIntMax);
        std::unique_ptr<CTableCell> cell(ConstructTableCell(text, width, height, align));
        cell->SetDittoCode(ditto);
        AddRowCell(table.GetRow(table.GetRowCount() - 1), cell.release());
      } else {
        line.Fail("a segment, row or cell expected");
      }
      line.ExpectEnd();
    }
  }

  std::unique_ptr<CEntity> ReadTable(LineCursor& line, int layer, CDrawingGroup* group) {
    for (int i = 0; i < 4; ++i) line.Number("the table's place and size");  // laid out again below
    std::unique_ptr<CTableEntity> t(ConstructTableEntity(layer, group));
    t->SetTableName(line.Text("the table name"));
    t->SetTableKind(line.Int("the table kind", -kIntMax, kIntMax));
    t->SetDirection(line.Int("the direction", -kIntMax, kIntMax));
    t->SetHeaderShown(line.Int("the header flag", -kIntMax, kIntMax));
    t->SetGridShown(line.Int("the grid flag", -kIntMax, kIntMax));
    t->SetRepeatHeader(line.Int("the repeat flag", -kIntMax, kIntMax));
    t->SetLineLayer(line.Int("the line layer", 0, 99));
    line.Expect("{");
    line.ExpectEnd();
    line = ReadTableBody(*t);
    t->Recalc();
    return t;
  }

  std::unique_ptr<CEntity> ReadEquationCurve(LineCursor& line, int layer, CDrawingGroup* group) {
    std::unique_ptr<CEquationCurveEntity> e(ConstructEquationCurveEntity(layer, group));
    const CStringA record = line.Text("the equation record");
    CStringArrayA fields;
    int start = 0;
    for (;;) {
      const int semi = record.Find(';', start);
      fields.Add(record.Mid(start, semi < 0 ? record.GetLength() - start : semi - start));
      if (semi < 0) break;
      start = semi + 1;
    }
    e->SetRecord(fields);
    line.Expect("axes");
    e->SetShowAxes(line.Int("the axes flag", 0, 1));
    line.Expect("kind");
    e->SetLineKind(static_cast<BYTE>(line.Int("the line kind", 0, 255)));
    line.Expect("type");
    e->SetAxisType(line.Int("the axis type", -kIntMax, kIntMax));
    line.Expect("at");
    const double x = line.Number("the origin"), y = line.Number("the origin");
    e->SetOrigin(x, y);
    return e;
  }

  std::unique_ptr<CEntity> ReadTendonGraph(LineCursor& line, int layer, CDrawingGroup* group) {
    std::unique_ptr<CTendonGraphEntity> g(ConstructTendonGraphEntity(layer, group, ""));
    TendonGraphSettings s;
    s.axisType = line.Int("the axis type", 0, 7);
    s.lineLayer = line.Int("the line layer", 0, 99);
    s.direction = line.Int("the direction", 0, 1);
    s.distribution = line.Int("the distribution", 0, 2);
    s.closed = line.Int("the closed flag", 0, 1);
    g->SetSettings(s);
    g->SetAxisFlag(line.Int("the axis flag", -kIntMax, kIntMax));
    const double x = line.Number("the origin"), y = line.Number("the origin");
    g->SetOrigin({x, y});
    const double m1 = line.Number("a maximum"), m2 = line.Number("a maximum");
    g->SetMaxima(m1, m2);
    line.Expect("columns");
    const int columns = line.Int("the column count", 0, kIntMax);
    for (int i = 0; i < columns; ++i) {
      g->GetColumnNames().push_back(line.Text("a column name"));
      g->GetColumnWidths().push_back(line.Number("a column width"));
    }
    line.Expect("curves");
    const int curves = line.Int("the curve count", 0, kIntMax);
    for (int i = 0; i < curves; ++i) {
      TendonCurve c;
      const int points = line.Int("the point count", 0, kIntMax);
      for (int k = 0; k < points; ++k) {
        c.first.push_back(line.Number("a curve value"));
        c.second.push_back(line.Number("a curve value"));
      }
      g->GetCurves().push_back(std::move(c));
    }
    return g;
  }

  std::unique_ptr<CEntity> ReadCurve(LineCursor& line, int layer, CDrawingGroup* group) {
    int closed = 0;
    if (line.Take("closed"))
      closed = 1;
    else
      line.Expect("open");
    std::unique_ptr<CCurveEntity> c(ConstructCurveEntity(layer, group, closed));
    line.Expect("fit");
    const int n = line.Int("the fit point count", 0, kIntMax);
    for (int i = 0; i < n; ++i) {
      const double x = line.Number("a fit point"), y = line.Number("a fit point");
      c->AddFitPoint(x, y);
    }
    return c;
  }

  // The members of a block, up to its closing brace.
  void ReadMembers(CBlockEntity& block, int depth) {
    for (;;) {
      LineCursor line = NextLine("the block's closing brace");
      if (line.Take("}")) {
        line.ExpectEnd();
        return;
      }
      if (line.AtEnd()) line.Fail("an entity expected");
      std::unique_ptr<CEntity> member = ReadEntity(line, depth + 1);
      if (!block.AddMember(member.get())) line.Fail("the member cannot join its block");
      member.release();
    }
  }

  std::unique_ptr<CEntity> ReadEntity(LineCursor& line, int depth) {
    if (depth > kMaxDrawingFileDepth)
      line.Fail("blocks nest deeper than " + std::to_string(kMaxDrawingFileDepth));
    const std::string kind = line.Word("the entity kind");
    const int layer = line.Int("the layer", 0, 99);
    CDrawingGroup* group = line.Take("-") ? nullptr : FindGroup(line, line.Text("the group"));
    std::unique_ptr<CEntity> e;
    bool members = false;
    if (kind == "line") {
      double v[4];
      for (double& x : v) x = line.Number("an end point");
      e.reset(ConstructLineEntity(layer, group, v[0], v[1], v[2], v[3]));
    } else if (kind == "circle") {
      const double x = line.Number("the centre"), y = line.Number("the centre");
      e.reset(ConstructCircleEntity(layer, group, x, y, Positive(line, "the radius")));
    } else if (kind == "arc") {
      const double x = line.Number("the centre"), y = line.Number("the centre");
      const double r = Positive(line, "the radius");
      const double a = line.Number("the start angle"), b = line.Number("the end angle");
      e.reset(ConstructArcEntity(layer, group, x, y, r, a, b));
    } else if (kind == "ellipse") {
      const double x = line.Number("the centre"), y = line.Number("the centre");
      const double a = Positive(line, "a semi-axis"), b = Positive(line, "a semi-axis");
      const double rot = line.Number("the rotation");
      const double s = line.Number("the start angle"), t = line.Number("the end angle");
      e.reset(ConstructEllipseEntity(layer, group, x, y, a, b, rot, s, t));
    } else if (kind == "point") {
      const double x = line.Number("the point"), y = line.Number("the point");
      int type = 0;
      double size = 0;
      if (line.Take("style")) {
        type = line.Int("the point type", -kIntMax, kIntMax);
        size = line.Number("the point size");
      }
      e.reset(ConstructPointEntity(layer, group, x, y, type, size));
    } else if (kind == "text") {
      e = ReadText(line, layer, group);
    } else if (kind == "twopoint") {
      e = ReadTwoPoint(line, layer, group);
    } else if (kind == "table") {
      e = ReadTable(line, layer, group);
    } else if (kind == "block") {
      e.reset(ConstructBlockEntity(layer, group));
      members = true;
    } else if (kind == "lineset") {
      e.reset(ConstructLineSetEntity(layer, group));
      members = true;
    } else if (kind == "curve") {
      e = ReadCurve(line, layer, group);
      members = true;
    } else if (kind == "eqcurve") {
      e = ReadEquationCurve(line, layer, group);
      members = true;
    } else if (kind == "tendon") {
      e = ReadTendonGraph(line, layer, group);
      members = true;
    } else {
      line.Fail("unknown entity kind \"" + kind + "\"");
    }
    if (line.Take("items")) ReadItems(line, *e->GetEntityAttributes());
    if (members) {
      line.Expect("{");
      line.ExpectEnd();
      ReadMembers(static_cast<CBlockEntity&>(*e), depth);
    } else {
      line.ExpectEnd();
    }
    return e;
  }

  std::string_view text_;
  CScratchDrawing& drawing_;
  size_t pos_ = 0;
  int number_ = 0;
};

}  // namespace

bool ParseDrawingFile(std::string_view text, CScratchDrawing& drawing, std::string* error) {
  drawing.InitNewDrawing(0, 0);
  try {
    Reader(text, drawing).Read();
    return true;
  } catch (const ParseError& e) {
    drawing.InitNewDrawing(0, 0);
    if (error) *error = e.what;
    return false;
  }
}

bool ReadDrawingFile(const char* path, CScratchDrawing& drawing, std::string* error) {
  drawing.InitNewDrawing(0, 0);
  if (!path || !*path) {
    if (error) *error = "no file name";
    return false;
  }
  std::ifstream in(platform::ResolvePath(path), std::ios::binary);
  std::stringstream bytes;
  if (in) bytes << in.rdbuf();
  if (!in || in.bad()) {
    if (error) *error = std::string("cannot read ") + platform::GbkToUtf8(path);
    return false;
  }
  return ParseDrawingFile(bytes.str(), drawing, error);
}
