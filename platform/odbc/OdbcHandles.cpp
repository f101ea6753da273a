#include "platform/odbc/OdbcHandles.h"

#include <cctype>
#include <cstring>
#include <string_view>

#include "platform/core/Charset.h"
#include "platform/odbc/DbaseTables.h"
#include "platform/odbc/OdbcCalls.h"

namespace platform::odbc {

OdbcConnection::OdbcConnection(OdbcEnvironment* env) : OdbcHandle(SQL_HANDLE_DBC), environment(env) {}

OdbcConnection::~OdbcConnection() = default;

DiagRecord DriverRecord(const char* state, SQLINTEGER native, const char* utf8Message) {
  DiagRecord d{state, native, Utf8ToGbk(utf8Message)};
  // The data source's extension opens its messages with "[dBase] " and the
  // state that fits them, which the driver cannot pass on as the state.
  static constexpr std::string_view kMark = "[dBase] ";
  const size_t at = d.message.find(kMark);
  const size_t code = at + kMark.size();
  if (at == std::string::npos || code + 6 > d.message.size() || d.message[code + 5] != ' ') return d;
  for (size_t i = code; i < code + 5; ++i) {
    const unsigned char c = static_cast<unsigned char>(d.message[i]);
    if (!std::isdigit(c) && !std::isupper(c)) return d;
  }
  d.state = d.message.substr(code, 5);
  d.message.erase(code, 6);
  return d;
}

void CopyDriverDiagnostics(SQLSMALLINT type, SQLHANDLE real, OdbcHandle& to) {
  const OdbcCalls* calls = GetOdbcCalls();
  if (!calls || !real) return;
  for (SQLSMALLINT i = 1;; ++i) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR message[1024] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(calls->GetDiagRec(type, real, i, state, &native, message, sizeof message, &length))) break;
    to.own.push_back(DriverRecord(reinterpret_cast<char*>(state), native, reinterpret_cast<char*>(message)));
  }
}

namespace {

// The UTF-8 value the driver left in a character buffer, as GBK in its
// place (never longer: GBK takes at most as many bytes as UTF-8). A value
// the driver cut keeps the whole characters and its indicator, which still
// tells that it was cut.
void ConvertValue(char* target, SQLLEN bufferLength, SQLLEN* indicator) {
  if (!target || bufferLength <= 0) return;
  if (indicator && *indicator == SQL_NULL_DATA) return;
  size_t length = ::strnlen(target, static_cast<size_t>(bufferLength));
  bool cut = indicator && (*indicator < 0 || *indicator >= bufferLength);
  if (cut) {
    // Drop a character the driver cut in the middle.
    size_t i = length;
    while (i > 0 && (static_cast<unsigned char>(target[i - 1]) & 0xC0) == 0x80) --i;
    if (i > 0 && static_cast<unsigned char>(target[i - 1]) >= 0xC0) {
      unsigned char lead = static_cast<unsigned char>(target[i - 1]);
      size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
      if (length - (i - 1) < need) length = i - 1;
    }
  }
  bool ascii = true;
  for (size_t i = 0; i < length && ascii; ++i) ascii = static_cast<unsigned char>(target[i]) < 0x80;
  if (ascii) return;
  std::string gbk = Utf8ToGbk(std::string_view(target, length));
  if (gbk.size() > length) gbk.resize(length);
  std::memcpy(target, gbk.data(), gbk.size());
  target[gbk.size()] = '\0';
  if (indicator && !cut) *indicator = static_cast<SQLLEN>(gbk.size());
}

}  // namespace

void OdbcStatement::ConvertFetchedRows() {
  SQLULEN rows = rowsFetched;
  for (auto& [column, b] : charBindings) {
    (void)column;
    for (SQLULEN r = 0; r < rows && r < rowArraySize; ++r) {
      ConvertValue(BoundValue(b, r), b.bufferLength, BoundIndicator(b, r));
    }
  }
}

char* OdbcStatement::BoundValue(const CharBinding& b, SQLULEN r) const {
  return rowBindType == SQL_BIND_BY_COLUMN ? b.target + r * b.bufferLength : b.target + r * rowBindType;
}

SQLLEN* OdbcStatement::BoundIndicator(const CharBinding& b, SQLULEN r) const {
  if (!b.indicator) return nullptr;
  if (rowBindType == SQL_BIND_BY_COLUMN) return b.indicator + r;
  return reinterpret_cast<SQLLEN*>(reinterpret_cast<char*>(b.indicator) + r * rowBindType);
}

void ConvertCharValue(char* target, SQLLEN bufferLength, SQLLEN* indicator) {
  ConvertValue(target, bufferLength, indicator);
}

}  // namespace platform::odbc
