#include "diagram/model/document/ArchiveEncoding.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "diagram/model/document/DrawDoc.h"
#include "platform/core/Charset.h"
#include "platform/core/Exceptions.h"

namespace {

constexpr WORD kIntEscape = 0x8000;
constexpr WORD kUIntEscape = 0xFFFF;

// Copies at most LF_FACESIZE - 1 code units up to the first zero and clears
// the rest of the array, so that the name is always terminated.
void SetFaceName(LOGFONTW& font, const WCHAR* name, size_t length) {
  size_t n = 0;
  while (n < length && n < LF_FACESIZE - 1 && name[n]) ++n;
  std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), WCHAR(0));
  std::copy(name, name + n, font.lfFaceName);
}

}  // namespace

WORD GetArchiveStreamVersion(CArchive& ar) {
  CDrawDoc* doc = DYNAMIC_DOWNCAST(CDrawDoc, ar.m_pDocument);
  return doc ? doc->GetDrawDocVersion() : CDrawDoc::kCurrentVersion;
}

void WriteInt(CArchive& ar, LONG v) {
  if (v > -32768 && v < 32767) {
    ar << static_cast<WORD>(static_cast<SHORT>(v));
  } else {
    ar << kIntEscape << v;
  }
}

LONG ReadInt(CArchive& ar) {
  WORD version = GetArchiveStreamVersion(ar);
  LONG v = 0;
  if (version == 8) {
    ar >> v;
    return v;
  }
  WORD w = 0;
  ar >> w;
  if (w == kIntEscape && version >= 8) {
    ar >> v;
    return v;
  }
  return static_cast<SHORT>(w);
}

void WriteUInt(CArchive& ar, ULONG v) {
  if (v < 65535) {
    ar << static_cast<WORD>(v);
  } else {
    ar << kUIntEscape << static_cast<DWORD>(v);
  }
}

ULONG ReadUInt(CArchive& ar) {
  WORD version = GetArchiveStreamVersion(ar);
  DWORD v = 0;
  if (version == 8) {
    ar >> v;
    return v;
  }
  WORD w = 0;
  ar >> w;
  if (w == kUIntEscape && version >= 8) {
    ar >> v;
    return v;
  }
  return w;
}

CArchive& operator<<(CArchive& ar, const CSize& size) {
  WriteInt(ar, size.cx);
  WriteInt(ar, size.cy);
  return ar;
}

CArchive& operator>>(CArchive& ar, CSize& size) {
  size.cx = ReadInt(ar);
  size.cy = ReadInt(ar);
  return ar;
}

CArchive& operator<<(CArchive& ar, const CPoint& point) {
  WriteInt(ar, point.x);
  WriteInt(ar, point.y);
  return ar;
}

CArchive& operator>>(CArchive& ar, CPoint& point) {
  point.x = ReadInt(ar);
  point.y = ReadInt(ar);
  return ar;
}

CArchive& operator<<(CArchive& ar, const CRect& rect) {
  WriteInt(ar, rect.left);
  WriteInt(ar, rect.top);
  WriteInt(ar, rect.right);
  WriteInt(ar, rect.bottom);
  return ar;
}

CArchive& operator>>(CArchive& ar, CRect& rect) {
  rect.left = ReadInt(ar);
  rect.top = ReadInt(ar);
  rect.right = ReadInt(ar);
  rect.bottom = ReadInt(ar);
  return ar;
}

CArchive& operator<<(CArchive& ar, const LOGPEN& pen) {
  WriteUInt(ar, pen.lopnStyle);
  WriteInt(ar, pen.lopnWidth.x);
  WriteInt(ar, pen.lopnWidth.y);
  ar << static_cast<DWORD>(pen.lopnColor);
  return ar;
}

CArchive& operator>>(CArchive& ar, LOGPEN& pen) {
  pen.lopnStyle = ReadUInt(ar);
  pen.lopnWidth.x = ReadInt(ar);
  pen.lopnWidth.y = ReadInt(ar);
  DWORD color = 0;
  ar >> color;
  pen.lopnColor = color;
  return ar;
}

CArchive& operator<<(CArchive& ar, const LOGBRUSH& brush) {
  WriteUInt(ar, brush.lbStyle);
  ar << static_cast<DWORD>(brush.lbColor);
  // The hatch is a 32-bit value in the stream.
  WriteInt(ar, static_cast<LONG>(static_cast<ULONG>(brush.lbHatch)));
  return ar;
}

CArchive& operator>>(CArchive& ar, LOGBRUSH& brush) {
  brush.lbStyle = ReadUInt(ar);
  DWORD color = 0;
  ar >> color;
  brush.lbColor = color;
  brush.lbHatch = static_cast<ULONG>(ReadInt(ar));
  return ar;
}

CArchive& operator<<(CArchive& ar, const LOGFONTW& font) {
  WriteInt(ar, font.lfHeight);
  WriteInt(ar, font.lfWidth);
  WriteInt(ar, font.lfEscapement);
  WriteInt(ar, font.lfOrientation);
  WriteInt(ar, font.lfWeight);
  ar << font.lfItalic << font.lfUnderline << font.lfStrikeOut << font.lfCharSet << font.lfOutPrecision
     << font.lfClipPrecision << font.lfQuality << font.lfPitchAndFamily;
  // The whole array, the terminating zero and the zeros behind it included.
  ar << CStringW(font.lfFaceName, LF_FACESIZE);
  return ar;
}

CArchive& operator>>(CArchive& ar, LOGFONTW& font) {
  font.lfHeight = ReadInt(ar);
  font.lfWidth = ReadInt(ar);
  font.lfEscapement = ReadInt(ar);
  font.lfOrientation = ReadInt(ar);
  font.lfWeight = ReadInt(ar);
  ar >> font.lfItalic >> font.lfUnderline >> font.lfStrikeOut >> font.lfCharSet >> font.lfOutPrecision >>
      font.lfClipPrecision >> font.lfQuality >> font.lfPitchAndFamily;
  if (GetArchiveStreamVersion(ar) >= 11) {
    CStringW name;
    ar >> name;
    SetFaceName(font, name.GetString(), static_cast<size_t>(name.GetLength()));
  } else {
    char bytes[LF_FACESIZE];
    if (ar.Read(bytes, LF_FACESIZE) != LF_FACESIZE) AfxThrowArchiveException(CArchiveException::endOfFile);
    std::u16string name = platform::GbkToUtf16(std::string(bytes, strnlen(bytes, LF_FACESIZE)));
    SetFaceName(font, name.c_str(), name.size());
  }
  return ar;
}
