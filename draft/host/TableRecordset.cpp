#include "draft/host/TableRecordset.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

#include "platform/core/Charset.h"
#include "platform/core/NumberText.h"
#include "platform/core/PathResolve.h"
#include "platform/odbc/DbaseFile.h"
#include "platform/odbc/Sql.h"

using platform::odbc::DbaseFile;
using platform::odbc::DbaseValue;

struct CTableRecordset::Record {
  std::vector<DbaseValue> values;
  bool deleted = false;
};

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

bool IsNumeric(short sqlType) {
  return sqlType == SQL_NUMERIC || sqlType == SQL_INTEGER || sqlType == SQL_DOUBLE || sqlType == SQL_BIT;
}

// LIKE: '%' any run, '_' one character (a GBK pair is one).
bool Like(const std::string& text, size_t t, const std::string& pattern, size_t p) {
  while (p < pattern.size()) {
    char c = pattern[p];
    if (c == '%') {
      for (size_t k = t; k <= text.size(); ++k) {
        if (Like(text, k, pattern, p + 1)) return true;
      }
      return false;
    }
    if (t >= text.size()) return false;
    size_t tw = platform::IsGbkLeadByte(static_cast<unsigned char>(text[t])) && t + 1 < text.size() ? 2 : 1;
    if (c == '_') {
      t += tw;
      ++p;
      continue;
    }
    size_t pw = platform::IsGbkLeadByte(static_cast<unsigned char>(c)) && p + 1 < pattern.size() ? 2 : 1;
    if (pw != tw || text.compare(t, tw, pattern, p, pw) != 0) return false;
    t += tw;
    p += pw;
  }
  return t == text.size();
}

struct Token {
  enum Kind { kEnd, kName, kNumber, kText, kOp, kOpen, kClose, kComma } kind = kEnd;
  std::string text;
};

// Tokens of a filter or sort text; false for a text that cannot be read.
bool Tokenize(const std::string& s, std::vector<Token>& out) {
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (std::isspace(c)) {
      ++i;
    } else if (c == '\'') {
      std::string text;
      ++i;
      bool closed = false;
      while (i < s.size()) {
        if (s[i] == '\'') {
          if (i + 1 < s.size() && s[i + 1] == '\'') {
            text += '\'';
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        if (platform::IsGbkLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) text += s[i++];
        text += s[i++];
      }
      if (!closed) return false;
      out.push_back({Token::kText, text});
    } else if (std::isdigit(c) || ((c == '-' || c == '.') && i + 1 < s.size() &&
                                   (std::isdigit(static_cast<unsigned char>(s[i + 1])) || s[i + 1] == '.'))) {
      size_t b = i++;
      while (i < s.size() && (std::isdigit(static_cast<unsigned char>(s[i])) || s[i] == '.' || s[i] == 'e' ||
                              s[i] == 'E'))
        ++i;
      out.push_back({Token::kNumber, s.substr(b, i - b)});
    } else if (std::isalpha(c) || c == '_' || c >= 0x80 || c == '[' || c == '"') {
      std::string name;
      if (c == '[' || c == '"') {
        char close = c == '[' ? ']' : '"';
        size_t e = s.find(close, i + 1);
        if (e == std::string::npos) return false;
        name = s.substr(i + 1, e - i - 1);
        i = e + 1;
      } else {
        while (i < s.size()) {
          unsigned char b = static_cast<unsigned char>(s[i]);
          if (!(std::isalnum(b) || b == '_' || b >= 0x80)) break;
          if (platform::IsGbkLeadByte(b) && i + 1 < s.size()) name += s[i++];
          name += s[i++];
        }
      }
      out.push_back({Token::kName, name});
    } else if (c == '(' || c == ')' || c == ',') {
      out.push_back({c == '(' ? Token::kOpen : c == ')' ? Token::kClose : Token::kComma, std::string(1, s[i])});
      ++i;
    } else if (c == '<' || c == '>' || c == '=' || c == '!') {
      std::string op(1, s[i++]);
      if (i < s.size() && (s[i] == '=' || (op == "<" && s[i] == '>'))) op += s[i++];
      if (op == "!") return false;
      out.push_back({Token::kOp, op});
    } else {
      return false;
    }
  }
  out.push_back({Token::kEnd, {}});
  return true;
}

// A filter, read into a tree of conditions.
struct Condition {
  enum Kind { kCompare, kAnd, kOr } kind = kCompare;
  int field = -1;
  std::string op;
  Token value;
  std::unique_ptr<Condition> left, right;
};

class FilterParser {
 public:
  FilterParser(const std::vector<Token>& tokens, const std::vector<CTableFieldInfo>& fields)
      : t_(tokens), fields_(fields) {}

  std::unique_ptr<Condition> Parse() {
    auto c = Or();
    if (!c || t_[p_].kind != Token::kEnd) return nullptr;
    return c;
  }

 private:
  bool Word(const char* w) const { return t_[p_].kind == Token::kName && Upper(t_[p_].text) == w; }
  std::unique_ptr<Condition> Or() {
    auto left = And();
    while (left && Word("OR")) {
      ++p_;
      auto c = std::make_unique<Condition>();
      c->kind = Condition::kOr;
      c->left = std::move(left);
      c->right = And();
      if (!c->right) return nullptr;
      left = std::move(c);
    }
    return left;
  }
  std::unique_ptr<Condition> And() {
    auto left = Primary();
    while (left && Word("AND")) {
      ++p_;
      auto c = std::make_unique<Condition>();
      c->kind = Condition::kAnd;
      c->left = std::move(left);
      c->right = Primary();
      if (!c->right) return nullptr;
      left = std::move(c);
    }
    return left;
  }
  std::unique_ptr<Condition> Primary() {
    if (t_[p_].kind == Token::kOpen) {
      ++p_;
      auto c = Or();
      if (!c || t_[p_].kind != Token::kClose) return nullptr;
      ++p_;
      return c;
    }
    if (t_[p_].kind != Token::kName) return nullptr;
    int field = FieldIndex(fields_, t_[p_].text);
    if (field < 0) return nullptr;
    ++p_;
    auto c = std::make_unique<Condition>();
    c->field = field;
    if (Word("LIKE")) {
      c->op = "LIKE";
    } else if (t_[p_].kind == Token::kOp) {
      c->op = t_[p_].text == "!=" ? "<>" : t_[p_].text;
    } else {
      return nullptr;
    }
    ++p_;
    if (t_[p_].kind != Token::kNumber && t_[p_].kind != Token::kText) return nullptr;
    c->value = t_[p_++];
    return c;
  }

 public:
  static int FieldIndex(const std::vector<CTableFieldInfo>& fields, const std::string& name) {
    std::string u = Upper(name);
    for (size_t i = 0; i < fields.size(); ++i) {
      if (Upper(fields[i].m_strName.GetString()) == u) return static_cast<int>(i);
    }
    return -1;
  }

 private:
  const std::vector<Token>& t_;
  const std::vector<CTableFieldInfo>& fields_;
  size_t p_ = 0;
};

// -1, 0 or 1: a value against another, as numbers when the field is numeric
// (a null sorts first).
int CompareValues(const DbaseValue& a, const DbaseValue& b, bool numeric) {
  if (a.null || b.null) return a.null == b.null ? 0 : a.null ? -1 : 1;
  double x = 0, y = 0;
  if (numeric && platform::ParseNumber(a.text.c_str(), x) && platform::ParseNumber(b.text.c_str(), y)) return x < y ? -1 : x > y ? 1 : 0;
  int c = TrimRight(a.text).compare(TrimRight(b.text));
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool Holds(const Condition& c, const std::vector<DbaseValue>& values, const std::vector<CTableFieldInfo>& fields) {
  if (c.kind == Condition::kAnd) return Holds(*c.left, values, fields) && Holds(*c.right, values, fields);
  if (c.kind == Condition::kOr) return Holds(*c.left, values, fields) || Holds(*c.right, values, fields);
  const DbaseValue& v = values[c.field];
  if (v.null) return false;
  if (c.op == "LIKE") return Like(TrimRight(v.text), 0, c.value.text, 0);
  DbaseValue other{false, c.value.text};
  int r = CompareValues(v, other, IsNumeric(fields[c.field].m_nSQLType) || c.value.kind == Token::kNumber);
  if (c.op == "=") return r == 0;
  if (c.op == "<>") return r != 0;
  if (c.op == "<") return r < 0;
  if (c.op == "<=") return r <= 0;
  if (c.op == ">") return r > 0;
  return r >= 0;
}

short SqlTypeOf(const platform::odbc::DbaseField& f) {
  switch (f.type) {
    case 'N':
      return f.decimals == 0 && f.width <= 11 ? SQL_INTEGER : SQL_NUMERIC;
    case 'F':
      return SQL_DOUBLE;
    case 'D':
      return SQL_DATE;
    case 'L':
      return SQL_BIT;
    default:
      return SQL_CHAR;
  }
}

}  // namespace

CTableRecordset::CTableRecordset() = default;

CTableRecordset::~CTableRecordset() = default;

void CTableRecordset::Close() {
  open_ = false;
  fields_.clear();
  records_.clear();
  order_.clear();
  current_ = 0;
}

BOOL CTableRecordset::Open(const char* path, const char* filter, const char* sort) {
  Close();
  if (!path || !*path) return FALSE;
  std::unique_ptr<DbaseFile> file = DbaseFile::Open(platform::ResolvePath(path), false);
  if (!file) return FALSE;
  for (const auto& f : file->Fields()) {
    CTableFieldInfo info;
    info.m_strName = f.name.c_str();
    info.m_nSQLType = SqlTypeOf(f);
    info.m_nSize = f.width;
    info.m_nDecimals = f.decimals;
    fields_.push_back(info);
  }

  std::unique_ptr<Condition> condition;
  if (filter && *filter) {
    std::vector<Token> tokens;
    if (!Tokenize(filter, tokens)) return Close(), FALSE;
    condition = FilterParser(tokens, fields_).Parse();
    if (!condition) return Close(), FALSE;
  }
  std::vector<std::pair<int, bool>> keys;  // field, descending
  if (sort && *sort) {
    std::vector<Token> tokens;
    if (!Tokenize(sort, tokens)) return Close(), FALSE;
    size_t p = 0;
    while (true) {
      if (tokens[p].kind != Token::kName) return Close(), FALSE;
      int field = FilterParser::FieldIndex(fields_, tokens[p++].text);
      if (field < 0) return Close(), FALSE;
      bool descending = false;
      if (tokens[p].kind == Token::kName && (Upper(tokens[p].text) == "ASC" || Upper(tokens[p].text) == "DESC"))
        descending = Upper(tokens[p++].text) == "DESC";
      keys.push_back({field, descending});
      if (tokens[p].kind == Token::kEnd) break;
      if (tokens[p++].kind != Token::kComma) return Close(), FALSE;
    }
  }

  int n = file->RecordCount();
  records_.reserve(n);
  for (int r = 0; r < n; ++r) {
    Record rec;
    rec.values = file->ReadRecord(r);
    rec.deleted = file->IsDeleted(r);
    if (condition && !Holds(*condition, rec.values, fields_)) continue;
    order_.push_back(records_.size());
    records_.push_back(std::move(rec));
  }
  if (!keys.empty()) {
    std::stable_sort(order_.begin(), order_.end(), [&](size_t a, size_t b) {
      for (const auto& [field, descending] : keys) {
        int c = CompareValues(records_[a].values[field], records_[b].values[field],
                              IsNumeric(fields_[field].m_nSQLType));
        if (c != 0) return descending ? c > 0 : c < 0;
      }
      return false;
    });
  }
  open_ = true;
  current_ = 0;
  return TRUE;
}

BOOL CTableRecordset::IsDeleted() const { return !IsEOF() && records_[order_[current_]].deleted; }

CStringA CTableRecordset::GetFieldValue(int field) const {
  if (IsEOF() || field < 0 || field >= GetFieldCount()) return "<NULL>";
  const DbaseValue& v = records_[order_[current_]].values[field];
  if (v.null) return "<NULL>";
  return CStringA(v.text.c_str());
}
