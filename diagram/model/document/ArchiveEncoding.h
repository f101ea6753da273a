// The compact encodings in which diagram documents store coordinates and GDI
// records, exported so that a host's own object classes use them too.
//
// A reader follows the stream version of the document that the archive
// names (CDrawDoc::GetDrawDocVersion): version 8 holds every compact integer
// as a plain 32-bit value, later versions use the escapes below, earlier
// versions hold 16-bit values only. An archive without a document is read as
// the current version. Writing always uses the current encoding.
#pragma once

#include "platform/core/Archive.h"
#include "platform/core/Geometry.h"
#include "platform/core/WinTypes.h"

// The stream version that a reader of `ar` must obey.
WORD GetArchiveStreamVersion(CArchive& ar);

// Signed: one word for -32768 < v < 32767, else the word 0x8000 and a long.
void WriteInt(CArchive& ar, LONG v);
LONG ReadInt(CArchive& ar);
// Unsigned: one word for v < 65535, else the word 0xFFFF and a long.
void WriteUInt(CArchive& ar, ULONG v);
ULONG ReadUInt(CArchive& ar);

CArchive& operator<<(CArchive& ar, const CSize& size);
CArchive& operator>>(CArchive& ar, CSize& size);
CArchive& operator<<(CArchive& ar, const CPoint& point);
CArchive& operator>>(CArchive& ar, CPoint& point);
CArchive& operator<<(CArchive& ar, const CRect& rect);
CArchive& operator>>(CArchive& ar, CRect& rect);
CArchive& operator<<(CArchive& ar, const LOGPEN& pen);
CArchive& operator>>(CArchive& ar, LOGPEN& pen);
CArchive& operator<<(CArchive& ar, const LOGBRUSH& brush);
CArchive& operator>>(CArchive& ar, LOGBRUSH& brush);
// The face name travels as a string of all 32 characters of the array;
// streams before version 11 hold it as 32 bytes in the ANSI code page. The
// name read is always zero-terminated.
CArchive& operator<<(CArchive& ar, const LOGFONTW& font);
CArchive& operator>>(CArchive& ar, LOGFONTW& font);
