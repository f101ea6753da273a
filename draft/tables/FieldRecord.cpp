#include "draft/tables/FieldRecord.h"

#include <cstring>

#include "platform/core/Charset.h"

namespace {

void PutInt32(unsigned char* p, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(u >> (8 * i));
}

int32_t GetInt32(const unsigned char* p) {
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(p[i]) << (8 * i);
  return static_cast<int32_t>(u);
}

void PutDouble(unsigned char* p, double v) {
  uint64_t u = 0;
  std::memcpy(&u, &v, sizeof u);
  for (int i = 0; i < 8; ++i) p[i] = static_cast<unsigned char>(u >> (8 * i));
}

double GetDouble(const unsigned char* p) {
  uint64_t u = 0;
  for (int i = 0; i < 8; ++i) u |= static_cast<uint64_t>(p[i]) << (8 * i);
  double v = 0.0;
  std::memcpy(&v, &u, sizeof v);
  return v;
}

// The number of bytes of `text` (length `length`) that hold whole GBK
// characters within `limit` bytes.
size_t WholeCharacterBytes(const char* text, size_t length, size_t limit) {
  size_t i = 0;
  while (i < length) {
    const size_t step = platform::IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < length ? 2 : 1;
    if (i + step > limit) break;
    i += step;
  }
  return i;
}

}  // namespace

CFieldRecord::CFieldRecord(const char* fieldName, int32_t fieldType, double fieldWidth, int32_t fieldAlignment)
    : type(fieldType), width(fieldWidth), alignment(fieldAlignment) {
  SetName(fieldName);
}

CStringA CFieldRecord::GetName() const { return CStringA(name, static_cast<int>(strnlen(name, kNameBytes))); }

void CFieldRecord::SetName(const char* text) {
  std::memset(name, 0, sizeof name);
  if (!text) return;
  const size_t n = WholeCharacterBytes(text, std::strlen(text), kNameBytes - 1);
  std::memcpy(name, text, n);
}

void CFieldRecord::ToBytes(unsigned char out[kRecordBytes]) const {
  std::memset(out, 0, kRecordBytes);
  std::memcpy(out, name, kNameBytes);
  PutInt32(out + 20, type);
  PutDouble(out + 24, width);
  PutInt32(out + 32, alignment);
}

CFieldRecord CFieldRecord::FromBytes(const unsigned char bytes[kRecordBytes]) {
  CFieldRecord r;
  const char* text = reinterpret_cast<const char*>(bytes);
  const size_t length = strnlen(text, kNameBytes);
  std::memcpy(r.name, text, WholeCharacterBytes(text, length, kNameBytes - 1));
  r.type = GetInt32(bytes + 20);
  r.width = GetDouble(bytes + 24);
  r.alignment = GetInt32(bytes + 32);
  return r;
}

bool CFieldRecord::operator==(const CFieldRecord& o) const {
  return std::memcmp(name, o.name, sizeof name) == 0 && type == o.type && width == o.width &&
         alignment == o.alignment;
}

const char* GetFieldTypeText(int type) {
  static const char* const kTexts[] = {"字符型", "整型", "日期型", "浮点型", "双精度型", "货币型", "逻辑型"};
  return type >= 0 && type < 7 ? kTexts[type] : "";
}

const char* GetFieldAlignmentText(int alignment) {
  static const char* const kTexts[] = {"自动填充", "左对齐", "中对齐", "右对齐"};
  return alignment >= 0 && alignment < 4 ? kTexts[alignment] : "";
}
