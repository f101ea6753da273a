#include "examples/draft-session/Script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "platform/core/Charset.h"
#include "platform/core/WinConstants.h"

namespace draftsession {
namespace {

struct Token {
  std::string text;
  bool quoted = false;  // the word began with a double quote
};

// Limits that keep every later step sound: a picture the size of a large
// screen, a zoom that maps any point the view can show into int range.
constexpr int kMaxViewSide = 4096;
constexpr double kMinZoom = 1e-3;
constexpr double kMaxZoom = 1e4;
constexpr double kMaxCoordinate = 1e7;

class LineParser {
 public:
  LineParser(int line, std::vector<ScriptError>& errors) : line_(line), errors_(errors) {}

  bool Fail(std::string message) {
    errors_.push_back({line_, std::move(message)});
    return false;
  }

  // Splits a line into words; the comment and the blanks around words go.
  // `source` gets the line without its comment.
  bool Tokenize(std::string_view text, std::vector<Token>& out, std::string& source) {
    size_t i = 0;
    size_t end = text.size();
    bool inWord = false;
    bool inQuote = false;
    Token word;
    for (; i < text.size(); ++i) {
      const char c = text[i];
      const auto u = static_cast<unsigned char>(c);
      if (inQuote) {
        if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) {
          word.text += text[++i];
        } else if (c == '"') {
          inQuote = false;
        } else if (u < 0x20 && c != '\t') {
          return Fail("control character in a quoted text");
        } else {
          word.text += c;
        }
        continue;
      }
      if (c == '#') {
        end = i;
        break;
      }
      if (c == ' ' || c == '\t') {
        if (inWord) out.push_back(std::move(word));
        word = Token{};
        inWord = false;
        continue;
      }
      if (u < 0x20 || u == 0x7F) return Fail("control character in the line");
      if (!inWord) {
        inWord = true;
        word.quoted = c == '"';
      }
      if (c == '"')
        inQuote = true;
      else
        word.text += c;
    }
    if (inQuote) return Fail("a quoted text is not closed (missing \")");
    if (inWord) out.push_back(std::move(word));
    source = std::string(text.substr(0, end));
    while (!source.empty() && (source.back() == ' ' || source.back() == '\t')) source.pop_back();
    while (!source.empty() && (source.front() == ' ' || source.front() == '\t')) source.erase(source.begin());
    return true;
  }

  std::optional<double> Number(const Token& t, const char* what) {
    std::string_view s = t.text;
    if (!t.quoted && !s.empty() && s.front() == '+') s.remove_prefix(1);
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (t.quoted || s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) {
      Fail(std::string(what) + " must be a number, not \"" + t.text + "\"");
      return std::nullopt;
    }
    return v;
  }

  std::optional<int> Integer(const Token& t, const char* what) {
    int v = 0;
    const char* b = t.text.data();
    const auto r = std::from_chars(b, b + t.text.size(), v);
    if (t.quoted || t.text.empty() || r.ec != std::errc() || r.ptr != b + t.text.size()) {
      Fail(std::string(what) + " must be a whole number, not \"" + t.text + "\"");
      return std::nullopt;
    }
    return v;
  }

  std::optional<double> Coordinate(const Token& t, const char* what) {
    auto v = Number(t, what);
    if (v && std::fabs(*v) > kMaxCoordinate) {
      Fail(std::string(what) + " is out of range (at most 1e7 either way)");
      return std::nullopt;
    }
    return v;
  }

  // A text that the program can hold: valid UTF-8 whose characters all exist
  // in GBK (the library's texts are GBK).
  bool GbkText(const std::string& text, const char* what) {
    if (platform::GbkToUtf8(platform::Utf8ToGbk(text)) != text)
      return Fail(std::string(what) + " is not valid UTF-8 or has characters that GBK cannot hold");
    return true;
  }

 private:
  int line_;
  std::vector<ScriptError>& errors_;
};

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

std::optional<unsigned> KeyCode(const std::string& name) {
  static const std::pair<const char*, unsigned> keys[] = {
      {"ESC", VK_ESCAPE}, {"SHIFT", VK_SHIFT}, {"CTRL", VK_CONTROL}, {"END", VK_END},     {"HOME", VK_HOME},
      {"PGUP", VK_PRIOR}, {"PGDN", VK_NEXT},   {"LEFT", VK_LEFT},    {"RIGHT", VK_RIGHT}, {"UP", VK_UP},
      {"DOWN", VK_DOWN},  {"MINUS", 189},      {"DELETE", VK_DELETE},
  };
  const std::string u = Upper(name);
  for (const auto& [n, code] : keys)
    if (u == n) return code;
  if (u.size() >= 2 && u.size() <= 3 && u[0] == 'F') {
    int n = 0;
    const auto r = std::from_chars(u.data() + 1, u.data() + u.size(), n);
    if (r.ec == std::errc() && r.ptr == u.data() + u.size() && n >= 1 && n <= 12)
      return static_cast<unsigned>(VK_F1 + n - 1);
  }
  return std::nullopt;
}

std::optional<unsigned> CharCode(const Token& t) {
  if (t.text.size() == 1) {
    const auto c = static_cast<unsigned char>(t.text[0]);
    if (c > 0x20 && c < 0x7F) return c;
    if (c == ' ' && t.quoted) return c;
    return std::nullopt;
  }
  if (t.quoted) return std::nullopt;
  static const std::pair<const char*, unsigned> names[] = {
      {"TAB", 9}, {"ENTER", 13}, {"ESC", 27}, {"SPACE", 32}, {"BACK", 8}};
  const std::string u = Upper(t.text);
  for (const auto& [n, code] : names)
    if (u == n) return code;
  return std::nullopt;
}

// The step of one line; false (with the error recorded) when malformed.
bool ParseLine(LineParser& p, const std::vector<Token>& words, ScriptStep& step) {
  const std::string verb = words[0].quoted ? std::string() : words[0].text;
  const size_t args = words.size() - 1;
  auto argCount = [&](size_t min, size_t max, const char* usage) {
    if (args < min || args > max) return p.Fail(std::string("usage: ") + usage);
    return true;
  };
  auto point = [&](size_t at) {
    auto x = p.Coordinate(words[at], "x");
    auto y = x ? p.Coordinate(words[at + 1], "y") : std::nullopt;
    if (!y) return false;
    step.hasPoint = true;
    step.x = *x;
    step.y = *y;
    return true;
  };

  if (verb == "view") {
    if (args != 3 && args != 5) return p.Fail("usage: view WIDTH HEIGHT ZOOM [PANX PANY]");
    step.kind = StepKind::kView;
    auto w = p.Integer(words[1], "the width");
    auto h = w ? p.Integer(words[2], "the height") : std::nullopt;
    auto z = h ? p.Number(words[3], "the zoom") : std::nullopt;
    if (!z) return false;
    if (*w < 16 || *w > kMaxViewSide || *h < 16 || *h > kMaxViewSide)
      return p.Fail("the view must be 16 to 4096 pixels wide and high");
    if (*z < kMinZoom || *z > kMaxZoom) return p.Fail("the zoom must lie between 0.001 and 10000 pixels per unit");
    step.width = *w;
    step.height = *h;
    step.zoom = *z;
    if (args == 5) {
      auto x = p.Coordinate(words[4], "the pan x");
      auto y = x ? p.Coordinate(words[5], "the pan y") : std::nullopt;
      if (!y) return false;
      step.panX = *x;
      step.panY = *y;
    }
    return true;
  }
  if (verb == "group") {
    if (!argCount(1, 2, "group NAME [SCALE]")) return false;
    step.kind = StepKind::kGroup;
    step.text = words[1].text;
    step.x = 1.0;
    if (step.text.empty()) return p.Fail("the group name is empty");
    if (!p.GbkText(step.text, "the group name")) return false;
    if (args == 2) {
      auto s = p.Number(words[2], "the scale");
      if (!s) return false;
      if (*s <= 0 || *s > 1e6) return p.Fail("the scale must be above 0 and at most 1e6");
      step.x = *s;
    }
    return true;
  }
  if (verb == "layer") {
    if (!argCount(1, 1, "layer N")) return false;
    step.kind = StepKind::kLayer;
    auto n = p.Integer(words[1], "the layer");
    if (!n) return false;
    if (*n < 0 || *n > 99) return p.Fail("the layer lies between 0 and 99");
    step.code = static_cast<unsigned>(*n);
    return true;
  }
  if (verb == "push") {
    if (!argCount(1, 1, "push COMMAND")) return false;
    step.kind = StepKind::kPush;
    step.text = words[1].text;
    return p.GbkText(step.text, "the command name");
  }
  if (verb == "move") {
    if (!argCount(2, 2, "move X Y")) return false;
    step.kind = StepKind::kMove;
    return point(1);
  }
  if (verb == "click" || verb == "rclick") {
    if (args != 0 && args != 2) return p.Fail("usage: " + verb + " [X Y]");
    step.kind = verb == "click" ? StepKind::kClick : StepKind::kRightClick;
    return args == 0 || point(1);
  }
  if (verb == "char") {
    if (!argCount(1, 1, "char C (one printable character, or TAB, ENTER, ESC, SPACE, BACK)")) return false;
    step.kind = StepKind::kChar;
    auto c = CharCode(words[1]);
    if (!c) return p.Fail("\"" + words[1].text + "\" is not one printable character nor TAB, ENTER, ESC, SPACE, BACK");
    step.code = *c;
    return true;
  }
  if (verb == "key") {
    if (!argCount(1, 1, "key NAME")) return false;
    step.kind = StepKind::kKey;
    auto k = words[1].quoted ? std::nullopt : KeyCode(words[1].text);
    if (!k)
      return p.Fail("unknown key \"" + words[1].text +
                    "\" (ESC SHIFT CTRL END HOME PGUP PGDN LEFT RIGHT UP DOWN MINUS DELETE F1..F12; "
                    "TAB and ENTER are characters: char TAB)");
    step.code = *k;
    return true;
  }
  if (verb == "type") {
    if (!argCount(1, 1, "type TEXT (quote a text with blanks)")) return false;
    step.kind = StepKind::kType;
    step.text = words[1].text;
    return p.GbkText(step.text, "the typed text");
  }
  if (verb == "text") {
    if (!argCount(4, 4, "text X Y HEIGHT TEXT (quote a text with blanks)")) return false;
    step.kind = StepKind::kText;
    if (!point(1)) return false;
    auto h = p.Number(words[3], "the height");
    if (!h) return false;
    if (*h <= 0 || *h > 1e6) return p.Fail("the text height must be above 0 and at most 1e6");
    step.size = *h;
    step.text = words[4].text;
    if (step.text.empty()) return p.Fail("the text is empty");
    return p.GbkText(step.text, "the text");
  }
  if (verb == "dialog") {
    step.kind = StepKind::kDialog;
    size_t i = 1;
    if (i < words.size() && words[i].quoted) {
      step.answer.caption = words[i++].text;
      if (!p.GbkText(step.answer.caption, "the caption")) return false;
    }
    if (i >= words.size()) return p.Fail("usage: dialog [\"CAPTION\"] ID=TEXT|ID:N... ok|cancel|ID");
    for (; i < words.size(); ++i) {
      const Token& t = words[i];
      DialogAction action;
      const size_t eq = t.quoted ? std::string::npos : t.text.find('=');
      if (!t.quoted && t.text == "ok") {
        action = {IDOK, true, {}};
      } else if (!t.quoted && t.text == "cancel") {
        action = {IDCANCEL, true, {}};
      } else {
        const size_t hash = t.quoted || eq != std::string::npos ? std::string::npos : t.text.find(':');
        const size_t end = eq != std::string::npos ? eq : hash;
        auto id = p.Integer(Token{t.text.substr(0, end), t.quoted}, "a control id (or ID=TEXT, ID:N, ok, cancel)");
        if (!id) return false;
        if (*id <= 0 || *id > 0xFFFF) return p.Fail("a control id lies between 1 and 65535");
        action.id = *id;
        action.click = end == std::string::npos;
        if (hash != std::string::npos) {
          auto entry = p.Integer(Token{t.text.substr(hash + 1), false}, "the entry number");
          if (!entry) return false;
          if (*entry < 0 || *entry > 0xFFFF) return p.Fail("an entry number lies between 0 and 65535");
          action.entry = *entry;
        } else if (!action.click) {
          action.text = t.text.substr(eq + 1);
          if (!p.GbkText(action.text, "the dialog text")) return false;
        }
      }
      step.answer.actions.push_back(std::move(action));
    }
    return true;
  }
  if (verb == "box") {
    if (!argCount(1, 1, "box yes|no|cancel|ok")) return false;
    step.kind = StepKind::kBox;
    static const std::pair<const char*, unsigned> answers[] = {
        {"yes", IDYES}, {"no", IDNO}, {"cancel", IDCANCEL}, {"ok", IDOK}};
    for (const auto& [name, id] : answers)
      if (!words[1].quoted && words[1].text == name) step.code = id;
    if (step.code == 0) return p.Fail("\"" + words[1].text + "\" is not a box answer (yes, no, cancel, ok)");
    return true;
  }
  if (verb == "undo" || verb == "redo") {
    if (!argCount(0, 0, verb == "undo" ? "undo" : "redo")) return false;
    step.kind = verb == "undo" ? StepKind::kUndo : StepKind::kRedo;
    return true;
  }
  return p.Fail("unknown action \"" + words[0].text +
                "\" (view, group, layer, push, move, click, rclick, char, key, type, text, dialog, box, "
                "undo, redo)");
}

}  // namespace

Script ParseScript(std::string_view text) {
  Script script;
  bool acted = false;  // an action line came before
  int lineNo = 0;
  while (!text.empty()) {
    ++lineNo;
    const size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    LineParser p(lineNo, script.errors);
    std::vector<Token> words;
    ScriptStep step;
    step.line = lineNo;
    if (!p.Tokenize(line, words, step.source) || words.empty()) continue;
    if (!ParseLine(p, words, step)) continue;
    if (step.kind == StepKind::kView && acted) {
      p.Fail("view must come before the first action");
      continue;
    }
    if (step.kind != StepKind::kView && step.kind != StepKind::kGroup) acted = true;
    script.steps.push_back(std::move(step));
  }
  return script;
}

std::string FormatError(const std::string& scriptName, const ScriptError& error) {
  return scriptName + ":" + std::to_string(error.line) + ": " + error.message;
}

}  // namespace draftsession
