// Helpers of the document tests: the library linked into the class chain
// (objects are found by class name when a stream is read), the bytes of
// files, a message box that answers the library's questions from a script and
// notes every code, and a builder for hand-made stream bytes.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/tests/LinkDiagramLibrary.h"
#include "diagram/testsupport/ScratchFolder.h"
#include "platform/core/Archive.h"
#include "platform/core/Charset.h"
#include "platform/core/MemFile.h"
#include "platform/core/String.h"

namespace doctest {

// The name the tool tests link the library by.
inline void LinkLibrary() { LinkDiagramLibrary(); }

// The scratch folder under the name the document tests first gave it.
using TempFolder = diagramtest::ScratchFolder;

inline std::vector<BYTE> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A host's message box in front of the library's: notes every notification
// and question by code and answers the questions in order (no once the
// script is used up).
class ScriptedMsgBox : public CMsgBox {
 public:
  explicit ScriptedMsgBox(std::deque<int> answers = {}) : answers_(std::move(answers)) {}
  int HandleNotify(ULONG code, LPCWSTR s1, LPCWSTR) override {
    notified.push_back(code);
    firstArguments.push_back(CStringW(s1));
    return TRUE;
  }
  int HandleConfirm(ULONG code, LPCWSTR, int& answer) override {
    asked.push_back(code);
    answer = FALSE;
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    }
    return TRUE;
  }
  std::vector<ULONG> notified;
  std::vector<CStringW> firstArguments;
  std::vector<ULONG> asked;

 private:
  std::deque<int> answers_;
};

// Hand-made stream bytes, little-endian as the archive writes them.
class Bytes {
 public:
  Bytes& Byte(BYTE b) {
    data.push_back(b);
    return *this;
  }
  Bytes& Word(WORD w) { return Byte(static_cast<BYTE>(w)).Byte(static_cast<BYTE>(w >> 8)); }
  Bytes& Dword(DWORD d) { return Word(static_cast<WORD>(d)).Word(static_cast<WORD>(d >> 16)); }
  // A compact integer of a stream of version 9 or later, for a value that
  // fits one word.
  Bytes& Small(int v) { return Word(static_cast<WORD>(static_cast<SHORT>(v))); }
  // A class seen for the first time: the tag, the schema and the name.
  Bytes& NewClass(const char* name, WORD schema = 0) {
    Word(0xFFFF).Word(schema).Word(static_cast<WORD>(std::char_traits<char>::length(name)));
    for (const char* c = name; *c; ++c) Byte(static_cast<BYTE>(*c));
    return *this;
  }
  // A new object of a class stored before under `classIndex`.
  Bytes& OldClass(WORD classIndex) { return Word(static_cast<WORD>(0x8000 | classIndex)); }
  // An object stored before.
  Bytes& Ref(WORD objectIndex) { return Word(objectIndex); }
  // The data of a CDrawObj (position, pen on, solid pen 1 wide, fill on,
  // grey brush, hatch fields from version 14 on) of a compact stream.
  Bytes& DrawObjData(WORD version, int left, int top, int right, int bottom, COLORREF line = 0) {
    Small(left).Small(top).Small(right).Small(bottom);
    Word(1).Word(0).Small(1).Small(1).Dword(line);
    Word(1).Word(0).Dword(RGB(192, 192, 192)).Small(0);
    if (version >= 14) Word(0).Dword(0);
    return *this;
  }
  // A port's outline of a compact stream: a triangle from x = `left` to its
  // tip at (left + 10, 0), then no unlinked points.
  Bytes& PortTriangle(int left) {
    Word(0).Word(3).Word(3);
    for (const CPoint& p : {CPoint(left + 10, 0), CPoint(left, -5), CPoint(left, 5)}) Small(p.x).Small(p.y);
    return Word(0);
  }
  // An edit lock: both masks and an empty password.
  Bytes& Lock(DWORD first, DWORD second) { return Dword(first).Dword(second).Byte(0xFF).Word(0xFFFE).Byte(0); }

  std::vector<BYTE> data;
};

// The bytes of the document as it stores itself.
inline std::vector<BYTE> StoreDocument(CDrawDoc& doc) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
  }
  std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

// An archive over bytes, as a document loads them.
class LoadArchive {
 public:
  LoadArchive(const std::vector<BYTE>& bytes, CDocument* document)
      : copy_(bytes), file_(copy_.data(), static_cast<UINT>(copy_.size())), ar_(&file_, CArchive::load) {
    ar_.m_pDocument = document;
    ar_.m_strFileName = u"fixture.drw";
  }
  CArchive& ar() { return ar_; }
  // True when every byte was read.
  bool AtEnd() {
    BYTE extra = 0;
    return ar_.Read(&extra, 1) == 0;
  }

 private:
  std::vector<BYTE> copy_;
  CMemFile file_;
  CArchive ar_;
};

}  // namespace doctest
