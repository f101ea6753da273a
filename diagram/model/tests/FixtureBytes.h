// Hand-written streams of diagram documents, field by field, as an older
// writer laid them down: little-endian words and longs, the archive's class
// tags and string prefixes, and the drawing-object record.
#pragma once

#include <string>
#include <vector>

#include "platform/core/WinTypes.h"

class FixtureBytes {
 public:
  FixtureBytes& Byte(BYTE v) {
    bytes_.push_back(v);
    return *this;
  }
  FixtureBytes& Word(WORD v) { return Byte(static_cast<BYTE>(v)).Byte(static_cast<BYTE>(v >> 8)); }
  FixtureBytes& Dword(DWORD v) { return Word(static_cast<WORD>(v)).Word(static_cast<WORD>(v >> 16)); }
  // A compact integer of a stream other than version 8, small enough for
  // one word.
  FixtureBytes& Compact(int v) { return Word(static_cast<WORD>(v)); }
  FixtureBytes& Raw(const std::string& bytes) {
    for (char c : bytes) Byte(static_cast<BYTE>(c));
    return *this;
  }
  // A string of single-byte characters with its length byte.
  FixtureBytes& AnsiString(const std::string& text) { return Byte(static_cast<BYTE>(text.size())).Raw(text); }
  // A UTF-16 string: the Unicode mark 0xFF 0xFFFE, the length byte, the
  // characters.
  FixtureBytes& WideString(const std::u16string& text) {
    Byte(0xFF).Word(0xFFFE).Byte(static_cast<BYTE>(text.size()));
    for (char16_t c : text) Word(c);
    return *this;
  }
  // The first object of a class: the new-class tag, schema 0 and the name.
  FixtureBytes& NewClass(const std::string& name) {
    return Word(0xFFFF).Word(0).Word(static_cast<WORD>(name.size())).Raw(name);
  }
  // A further object of the class stored at `classIndex`.
  FixtureBytes& OldClass(WORD classIndex) { return Word(static_cast<WORD>(0x8000 | classIndex)); }
  // An object stored before, or 0 for a null pointer.
  FixtureBytes& ObjectRef(WORD objectIndex) { return Word(objectIndex); }
  FixtureBytes& Rect(int left, int top, int right, int bottom) {
    return Compact(left).Compact(top).Compact(right).Compact(bottom);
  }
  // The drawing-object record: position, a black solid pen one unit wide,
  // a grey solid fill, and from version 14 on the hatch (off).
  FixtureBytes& DrawObj(int version, int left, int top, int right, int bottom) {
    Rect(left, top, right, bottom);
    Word(1).Compact(PS_SOLID_STYLE).Compact(1).Compact(1).Dword(0);
    Word(1).Compact(0).Dword(0xC0C0C0).Compact(0);
    if (version >= 14) Word(0).Dword(0);
    return *this;
  }
  // A LOGFONTW with the given height, weight and face: before version 11
  // the face is 32 bytes of ANSI text, from then on a UTF-16 string of all
  // 32 characters.
  FixtureBytes& LogFont(int version, int height, int weight, const std::string& face) {
    Compact(height).Compact(0).Compact(0).Compact(0).Compact(weight);
    Byte(0).Byte(0).Byte(0).Byte(0).Byte(0).Byte(0).Byte(0).Byte(0);
    std::string padded = face;
    padded.resize(32, '\0');
    if (version < 11) return Raw(padded);
    Byte(0xFF).Word(0xFFFE).Byte(32);
    for (char c : padded) Word(static_cast<BYTE>(c));
    return *this;
  }

  const std::vector<BYTE>& Get() const { return bytes_; }
  UINT Size() const { return static_cast<UINT>(bytes_.size()); }
  BYTE* Data() { return bytes_.data(); }

 private:
  static constexpr int PS_SOLID_STYLE = 0;
  std::vector<BYTE> bytes_;
};
