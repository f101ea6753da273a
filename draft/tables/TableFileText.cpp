#include "draft/tables/TableFileText.h"

#include <algorithm>
#include <cstring>

#include "platform/core/File.h"

CTableFileText::CTableFileText(const char* path) {
  CFile file(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
  const ULONGLONG length = file.GetLength();
  bytes_.resize(static_cast<size_t>(length));
  size_t done = 0;
  while (done < bytes_.size()) {
    const UINT n = file.Read(bytes_.data() + done, static_cast<UINT>(std::min<size_t>(bytes_.size() - done, 1 << 20)));
    if (n == 0) break;
    done += n;
  }
  bytes_.resize(done);
  file.Close();
}

bool CTableFileText::StartsWithLine(const char* magic99) {
  at_ = 0;
  CStringA first;
  if (!ReadLine(first) || first != magic99) {
    at_ = 0;
    return false;
  }
  return true;
}

bool CTableFileText::StartsWithBytes(const char* magic98) {
  at_ = 0;
  const size_t n = std::strlen(magic98);
  size_t i = 0;
  while (i < n && i < bytes_.size() && bytes_[i] != '\n') ++i;
  if (i != n || bytes_.compare(0, n, magic98) != 0) return false;
  at_ = n;
  return true;
}

bool CTableFileText::ReadLine(CStringA& line) {
  if (at_ >= bytes_.size() || bytes_[at_] == '\x1A') return false;
  size_t end = at_;
  while (end < bytes_.size() && bytes_[end] != '\n' && bytes_[end] != '\x1A') ++end;
  size_t textEnd = end;
  if (end < bytes_.size() && bytes_[end] == '\n' && textEnd > at_ && bytes_[textEnd - 1] == '\r') --textEnd;
  line = CStringA(bytes_.data() + at_, static_cast<int>(textEnd - at_));
  at_ = end < bytes_.size() && bytes_[end] == '\n' ? end + 1 : end;
  return true;
}

size_t CTableFileText::LinesLeft() const {
  const size_t dataEnd = bytes_.find('\x1A', at_);
  const auto last = bytes_.begin() + static_cast<std::ptrdiff_t>(dataEnd == std::string::npos ? bytes_.size() : dataEnd);
  return static_cast<size_t>(std::count(bytes_.begin() + static_cast<std::ptrdiff_t>(at_), last, '\n')) + 1;
}

size_t CTableFileText::LengthPrefixedRecordsLeft() const {
  size_t count = 0;
  for (size_t at = at_; bytes_.size() - at >= 4; ++count) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(static_cast<unsigned char>(bytes_[at + i])) << (8 * i);
    const int32_t length = static_cast<int32_t>(u);
    at += 4;
    if (length < 0 || bytes_.size() - at < static_cast<size_t>(length)) break;
    at += static_cast<size_t>(length);
  }
  return count;
}

bool CTableFileText::ReadInt32(int32_t& value) {
  if (BytesLeft() < 4) return false;
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
  value = static_cast<int32_t>(u);
  at_ += 4;
  return true;
}

bool CTableFileText::ReadBytes(size_t count, std::string& out) {
  if (BytesLeft() < count) return false;
  out.assign(bytes_, at_, count);
  at_ += count;
  return true;
}
