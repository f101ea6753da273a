// What the demonstration's parts share: step reports (each step prints ok
// or FAIL, and the failures are counted for the exit status), a document's
// stream as bytes, a named block placed on a diagram, and a view's pixels
// written as a picture.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "diagram/model/document/DrawDoc.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"

class CDiagram;
class CDrawBlock;
class CDrawView;

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

// A block of `code` (inputs x 100 + outputs) with its top-left corner at
// `at`, its label changed to `name` and added with its components to the
// diagram; nullptr (nothing added) when either step fails.
CDrawBlock* PlaceNamedBlock(CDiagram* diagram, UINT code, CPoint at, CDrawView* view, const char16_t* name);

// Shows the document in `view`, a new window of `frame`'s size titled
// `title`, paints it once and writes its pixels to `path`; the view leaves
// the document again. With `fitToCanvas` the window is sized so that its
// client area is the whole canvas at the view's zoom. False when the window
// or the picture failed.
bool PaintInView(CDrawDoc& doc, CDrawView& view, const char16_t* title, const CRect& frame, const std::string& path,
                 bool fitToCanvas = false);

}  // namespace demo
