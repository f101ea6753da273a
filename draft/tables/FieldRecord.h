// One column definition of a table structure: the column's title, data
// type, width in drawing units and alignment. It is 40 bytes in memory and
// in the binary (generation-98) table files, laid out as those files hold
// it: the NUL-terminated GBK name in bytes 0-19, the type as a 32-bit
// little-endian integer in 20-23, the width as a little-endian IEEE double
// in 24-31, the alignment in 32-35 and four bytes of padding.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/core/Array.h"
#include "platform/core/String.h"

// Data type codes (0..6).
enum FieldType : int32_t {
  kFieldChar = 0,
  kFieldInteger = 1,
  kFieldDate = 2,
  kFieldFloat = 3,
  kFieldDouble = 4,
  kFieldCurrency = 5,
  kFieldLogical = 6,
};

// Alignment codes (0..3): fill the cell, left, centre, right.
enum FieldAlignment : int32_t { kAlignFill = 0, kAlignLeft = 1, kAlignCentre = 2, kAlignRight = 3 };

struct CFieldRecord {
  static constexpr int kNameBytes = 20;
  static constexpr int kRecordBytes = 40;

  char name[kNameBytes] = {};
  int32_t type = kFieldChar;
  double width = 0.0;
  int32_t alignment = kAlignCentre;
  int32_t padding = 0;

  CFieldRecord() = default;
  CFieldRecord(const char* fieldName, int32_t fieldType, double fieldWidth, int32_t fieldAlignment);

  // The name as a string (up to its terminator).
  CStringA GetName() const;
  // Stores a name: a name longer than 19 bytes is cut after the last whole
  // GBK character that fits in 19 bytes, so no half character is kept.
  void SetName(const char* text);

  // The record's 40 bytes as the binary files hold them.
  void ToBytes(unsigned char out[kRecordBytes]) const;
  // A record read from 40 file bytes. The name is always terminated within
  // its 20 bytes (a name without a terminator is cut as SetName cuts it).
  static CFieldRecord FromBytes(const unsigned char bytes[kRecordBytes]);

  bool operator==(const CFieldRecord& o) const;
};

static_assert(sizeof(CFieldRecord) == CFieldRecord::kRecordBytes);
static_assert(offsetof(CFieldRecord, type) == 20);
static_assert(offsetof(CFieldRecord, width) == 24);
static_assert(offsetof(CFieldRecord, alignment) == 32);

// A table structure: the columns in order.
using CFieldArray = CArray<CFieldRecord, const CFieldRecord&>;

// The texts of the type codes (0..6) and of the alignment codes (0..3), as
// the structure editor shows them; empty for a code out of range.
const char* GetFieldTypeText(int type);
const char* GetFieldAlignmentText(int alignment);
