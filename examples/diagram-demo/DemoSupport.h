// What the demonstration's parts share: step reports (each step prints ok
// or FAIL, and the failures are counted for the exit status) and a
// document's stream as bytes.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "diagram/model/DrawDoc.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"

namespace demo {

inline int& Failures() {
  static int failures = 0;
  return failures;
}

inline void Check(bool ok, const std::string& what) {
  std::printf("  %s %s\n", ok ? "ok  " : "FAIL", what.c_str());
  if (!ok) ++Failures();
}

// The document's stream, as a plain archive in memory.
inline std::vector<BYTE> StreamBytes(CDrawDoc& doc) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    ar.Close();
  }
  const auto length = static_cast<size_t>(file.GetLength());
  std::vector<BYTE> bytes(length);
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(length));
  return bytes;
}

}  // namespace demo
