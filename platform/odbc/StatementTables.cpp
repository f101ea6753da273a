#include "platform/odbc/StatementTables.h"

#include <cctype>

#include "platform/core/Charset.h"

namespace platform::odbc {

namespace {

bool IsWordByte(unsigned char c) { return std::isalnum(c) || c == '_' || c >= 0x80; }

bool EqualsWord(std::string_view a, const char* b) {
  size_t n = std::char_traits<char>::length(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
  }
  return true;
}

class Scanner {
 public:
  explicit Scanner(std::string_view s) : s_(s) {}

  void SkipBlanks() {
    while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
  }
  bool AtEnd() const { return pos_ >= s_.size(); }
  char Peek() const { return AtEnd() ? '\0' : s_[pos_]; }

  // The next token: a word, a quoted literal or name, or one other
  // character (a GBK pair counts as part of a word).
  std::string_view Next() {
    SkipBlanks();
    size_t start = pos_;
    if (AtEnd()) return {};
    char c = s_[pos_];
    if (c == '\'' || c == '"' || c == '`' || c == '[') {
      SkipQuoted();
    } else if (IsWordByte(static_cast<unsigned char>(c))) {
      while (pos_ < s_.size() && IsWordByte(static_cast<unsigned char>(s_[pos_]))) StepChar();
    } else {
      ++pos_;
    }
    return s_.substr(start, pos_ - start);
  }

  // A table name at the current position.
  bool ReadTable(TableReference& ref) {
    SkipBlanks();
    if (AtEnd()) return false;
    ref.begin = pos_;
    char c = s_[pos_];
    if (c == '"' || c == '`' || c == '[') {
      SkipQuoted();
      ref.end = pos_;
      char close = c == '[' ? ']' : c;
      std::string name;
      size_t innerEnd = (ref.end - ref.begin >= 2 && s_[ref.end - 1] == close) ? ref.end - 1 : ref.end;
      for (size_t i = ref.begin + 1; i < innerEnd; ++i) {
        name += s_[i];
        if (IsGbkLeadByte(static_cast<unsigned char>(s_[i])) && i + 1 < innerEnd) {
          name += s_[++i];
        } else if (s_[i] == close && close != ']' && i + 1 < innerEnd && s_[i + 1] == close) {
          ++i;
        }
      }
      ref.name = name;
    } else {
      while (pos_ < s_.size()) {
        unsigned char b = static_cast<unsigned char>(s_[pos_]);
        if (std::isspace(b) || b == ',' || b == '(' || b == ')' || b == ';') break;
        StepChar();
      }
      ref.end = pos_;
      ref.name = std::string(s_.substr(ref.begin, ref.end - ref.begin));
    }
    return ref.end > ref.begin && !ref.name.empty();
  }

  size_t Pos() const { return pos_; }
  void SetPos(size_t p) { pos_ = p; }

 private:
  void StepChar() {
    if (IsGbkLeadByte(static_cast<unsigned char>(s_[pos_])) && pos_ + 1 < s_.size()) ++pos_;
    ++pos_;
  }
  void SkipQuoted() {
    char open = s_[pos_];
    char close = open == '[' ? ']' : open;
    ++pos_;
    while (pos_ < s_.size()) {
      if (s_[pos_] == close) {
        if (close != ']' && pos_ + 1 < s_.size() && s_[pos_ + 1] == close) {
          pos_ += 2;
          continue;
        }
        ++pos_;
        return;
      }
      StepChar();
    }
  }

  std::string_view s_;
  size_t pos_ = 0;
};

bool IsClauseWord(std::string_view w) {
  static const char* const kWords[] = {"WHERE", "ORDER", "GROUP",  "HAVING", "JOIN", "INNER", "LEFT", "RIGHT",
                                       "OUTER", "CROSS", "ON",     "UNION",  "LIMIT", "VALUES", "SET", "SELECT",
                                       "FULL",  "NATURAL", "EXCEPT", "INTERSECT"};
  for (const char* k : kWords) {
    if (EqualsWord(w, k)) return true;
  }
  return false;
}

}  // namespace

StatementTables FindStatementTables(std::string_view sql) {
  StatementTables out;
  Scanner sc(sql);
  bool first = true;
  while (!sc.AtEnd()) {
    std::string_view w = sc.Next();
    if (w.empty()) break;
    if (first) {
      first = false;
      if (EqualsWord(w, "SELECT")) out.kind = StatementKind::kSelect;
      else if (EqualsWord(w, "INSERT")) out.kind = StatementKind::kInsert;
      else if (EqualsWord(w, "UPDATE")) out.kind = StatementKind::kUpdate;
      else if (EqualsWord(w, "DELETE")) out.kind = StatementKind::kDelete;
      else if (EqualsWord(w, "CREATE")) out.kind = StatementKind::kOther;
      else if (EqualsWord(w, "DROP")) out.kind = StatementKind::kOther;
      if (EqualsWord(w, "CREATE") || EqualsWord(w, "DROP")) {
        size_t save = sc.Pos();
        if (EqualsWord(sc.Next(), "TABLE")) {
          out.kind = EqualsWord(w, "CREATE") ? StatementKind::kCreateTable : StatementKind::kDropTable;
          size_t afterTable = sc.Pos();
          // "IF [NOT] EXISTS" before the name.
          if (EqualsWord(sc.Next(), "IF")) {
            std::string_view x = sc.Next();
            if (EqualsWord(x, "NOT")) x = sc.Next();
          } else {
            sc.SetPos(afterTable);
          }
          TableReference ref;
          if (sc.ReadTable(ref)) {
            ref.target = true;
            out.tables.push_back(ref);
          }
        } else {
          sc.SetPos(save);
        }
        continue;
      }
      if (out.kind == StatementKind::kUpdate) {
        TableReference ref;
        if (sc.ReadTable(ref)) {
          ref.target = true;
          out.tables.push_back(ref);
        }
        continue;
      }
    }
    bool from = EqualsWord(w, "FROM");
    bool join = EqualsWord(w, "JOIN");
    bool into = EqualsWord(w, "INTO");
    if (!from && !join && !into) continue;
    // A list of names after FROM, each perhaps with an alias.
    while (true) {
      TableReference ref;
      if (!sc.ReadTable(ref)) break;
      ref.target = (into && out.kind == StatementKind::kInsert) || (from && out.kind == StatementKind::kDelete);
      out.tables.push_back(ref);
      if (!from) break;
      size_t save = sc.Pos();
      std::string_view t = sc.Next();
      if (EqualsWord(t, "AS")) t = sc.Next(), save = sc.Pos(), t = sc.Next();
      else if (!t.empty() && IsWordByte(static_cast<unsigned char>(t[0])) && !IsClauseWord(t)) save = sc.Pos(), t = sc.Next();
      if (t == ",") continue;
      sc.SetPos(save);
      break;
    }
  }
  return out;
}

}  // namespace platform::odbc
