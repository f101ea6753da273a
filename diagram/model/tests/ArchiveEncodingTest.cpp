#include "diagram/model/document/ArchiveEncoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "diagram/model/document/DrawDoc.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MemFile.h"
#include "platform/core/tests/ArchiveTestSupport.h"

namespace {

using archive_test::Bytes;
using archive_test::Store;

// Reads `bytes` through an archive whose document has stream version
// `version` (0: no document).
void Load(const Bytes& bytes, WORD version, const std::function<void(CArchive&)>& read) {
  CMemFile file;
  if (!bytes.empty()) file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
  file.SeekToBegin();
  CDrawDoc doc;
  CArchive ar(&file, CArchive::load);
  if (version) {
    doc.StartLoad(version);
    ar.m_pDocument = &doc;
  }
  read(ar);
}

TEST(ArchiveEncoding, SignedValuesAtTheEscapeBoundaries) {
  struct Case {
    LONG value;
    Bytes bytes;
  } cases[] = {
      {0, {0x00, 0x00}},
      {-1, {0xFF, 0xFF}},
      {32766, {0xFE, 0x7F}},
      {32767, {0x00, 0x80, 0xFF, 0x7F, 0x00, 0x00}},
      {-32767, {0x01, 0x80}},
      {-32768, {0x00, 0x80, 0x00, 0x80, 0xFF, 0xFF}},
      {INT32_MAX, {0x00, 0x80, 0xFF, 0xFF, 0xFF, 0x7F}},
      {INT32_MIN, {0x00, 0x80, 0x00, 0x00, 0x00, 0x80}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Store([&](CArchive& ar) { WriteInt(ar, c.value); }), c.bytes) << c.value;
    for (WORD version : {WORD(9), WORD(18), WORD(0)}) {
      LONG read = 0;
      Load(c.bytes, version, [&](CArchive& ar) { read = ReadInt(ar); });
      EXPECT_EQ(read, c.value) << c.value << " version " << version;
    }
  }
}

TEST(ArchiveEncoding, UnsignedValuesAtTheEscapeBoundaries) {
  struct Case {
    ULONG value;
    Bytes bytes;
  } cases[] = {
      {0, {0x00, 0x00}},
      {65534, {0xFE, 0xFF}},
      {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Store([&](CArchive& ar) { WriteUInt(ar, c.value); }), c.bytes) << c.value;
    ULONG read = 0;
    Load(c.bytes, 9, [&](CArchive& ar) { read = ReadUInt(ar); });
    EXPECT_EQ(read, c.value);
  }
}

TEST(ArchiveEncoding, TheSameBytesReadAsVersionsSevenEightAndNine) {
  // The bytes of WriteInt(32767), then of WriteUInt(65535).
  const Bytes bytes = {0x00, 0x80, 0xFF, 0x7F, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00};
  struct Case {
    WORD version;
    std::vector<LONG> ints;  // ReadInt until the end
  } signedCases[] = {
      {9, {32767, -1, -1, 0}},  // 0xFFFF is no escape for a signed value
      {8, {0x7FFF8000, -65536, 65535}},
      {7, {-32768, 32767, 0, -1, -1, 0}},  // no escapes below 8: 0x8000 is -32768
  };
  for (const Case& c : signedCases) {
    std::vector<LONG> read;
    Load(bytes, c.version, [&](CArchive& ar) {
      for (size_t i = 0; i < c.ints.size(); ++i) read.push_back(ReadInt(ar));
    });
    EXPECT_EQ(read, c.ints) << "version " << c.version;
  }

  struct UCase {
    WORD version;
    std::vector<ULONG> values;
  } unsignedCases[] = {
      {9, {0x8000, 0x7FFF, 0, 65535}},
      {8, {0x7FFF8000, 0xFFFF0000, 0xFFFF}},
      {7, {0x8000, 0x7FFF, 0, 0xFFFF, 0xFFFF, 0}},
  };
  for (const UCase& c : unsignedCases) {
    std::vector<ULONG> read;
    Load(bytes, c.version, [&](CArchive& ar) {
      for (size_t i = 0; i < c.values.size(); ++i) read.push_back(ReadUInt(ar));
    });
    EXPECT_EQ(read, c.values) << "version " << c.version;
  }
}

TEST(ArchiveEncoding, GeometryAndGdiRecordsRoundTrip) {
  CRect rect(-40000, 7, 32767, -32768);
  CPoint point(1, -70000);
  CSize size(65535, 0);
  LOGPEN pen{6, {3, 3}, RGB(1, 2, 3)};
  LOGBRUSH brush{2, RGB(200, 100, 50), 5};
  LOGFONTW font{};
  font.lfHeight = -12, font.lfWeight = 700, font.lfItalic = 1, font.lfCharSet = 134, font.lfPitchAndFamily = 34;
  const char16_t face[] = u"A face name of 31 characters...";
  static_assert(sizeof(face) / sizeof(face[0]) == 32);
  std::memcpy(font.lfFaceName, face, sizeof(face));

  Bytes bytes = Store([&](CArchive& ar) { ar << rect << point << size << pen << brush << font; });
  // The pen: style 6, widths 3 and 3 in two bytes each, then the colour long.
  CRect r;
  CPoint p;
  CSize s;
  LOGPEN lp{};
  LOGBRUSH lb{};
  LOGFONTW lf{};
  Load(bytes, CDrawDoc::kCurrentVersion, [&](CArchive& ar) { ar >> r >> p >> s >> lp >> lb >> lf; });
  EXPECT_EQ(r, rect);
  EXPECT_EQ(p, point);
  EXPECT_EQ(s, size);
  EXPECT_EQ(lp.lopnStyle, 6u);
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnWidth.y, 3);
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  EXPECT_EQ(lb.lbStyle, 2u);
  EXPECT_EQ(lb.lbColor, RGB(200, 100, 50));
  EXPECT_EQ(lb.lbHatch, 5u);
  EXPECT_EQ(std::memcmp(&lf, &font, sizeof(LOGFONTW)), 0);
}

TEST(ArchiveEncoding, FaceNameIsTheWholeArrayAsAUnicodeString) {
  LOGFONTW font{};
  std::memcpy(font.lfFaceName, u"Arial", 12);
  Bytes bytes = Store([&](CArchive& ar) { ar << font; });
  // Ten one-word integers, eight bytes, then the string: 0xFF 0xFEFF marks
  // UTF-16, one length byte of 32, then 64 bytes.
  ASSERT_EQ(bytes.size(), 10u + 8u + 4u + 64u);
  EXPECT_EQ(Bytes(bytes.begin() + 18, bytes.begin() + 24), (Bytes{0xFF, 0xFE, 0xFF, 32, 'A', 0}));
  EXPECT_EQ(Bytes(bytes.begin() + 32, bytes.end()), Bytes(54, 0));
}

// The record of a font up to its face name, as a version-10 stream holds it.
Bytes FontHead() { return Bytes(10 + 8, 0); }

TEST(ArchiveEncoding, OldStreamsHoldTheFaceNameInTheAnsiCodePage) {
  Bytes bytes = FontHead();
  const char gbk[] = "\xCB\xCE\xCC\xE5";  // "宋体" in GBK
  Bytes name(32, 0);
  std::memcpy(name.data(), gbk, 4);
  bytes.insert(bytes.end(), name.begin(), name.end());
  LOGFONTW lf{};
  Load(bytes, 10, [&](CArchive& ar) { ar >> lf; });
  EXPECT_TRUE(std::u16string(lf.lfFaceName) == u"宋体");

  // 32 bytes without a zero: the name is cut to 31 characters and ended.
  Bytes full = FontHead();
  full.insert(full.end(), 32, 'W');
  Load(full, 10, [&](CArchive& ar) { ar >> lf; });
  EXPECT_TRUE(std::u16string(lf.lfFaceName) == std::u16string(31, u'W'));

  // Fewer than 32 bytes left: the end of the file, not a half-read name.
  Bytes cut = FontHead();
  cut.insert(cut.end(), 20, 'W');
  EXPECT_THROW(Load(cut, 10, [&](CArchive& ar) { ar >> lf; }), CArchiveException);
}

TEST(ArchiveEncoding, OverlongFaceNameStringIsCutAndEnded) {
  Bytes bytes = Store([&](CArchive& ar) {
    LOGFONTW font{};
    ar << font;
  });
  bytes.resize(18);
  Bytes longer = Store([&](CArchive& ar) { ar << CStringW(std::u16string(40, u'Z')); });
  bytes.insert(bytes.end(), longer.begin(), longer.end());
  LOGFONTW lf{};
  Load(bytes, 11, [&](CArchive& ar) { ar >> lf; });
  EXPECT_TRUE(std::u16string(lf.lfFaceName) == std::u16string(31, u'Z'));
}

TEST(ArchiveEncoding, WrongDirectionAndShortStreamsThrow) {
  EXPECT_THROW(Store([](CArchive& ar) { ReadInt(ar); }), CArchiveException);
  EXPECT_THROW(Load({}, 18, [](CArchive& ar) { WriteUInt(ar, 1); }), CArchiveException);
  try {
    Load({0x00, 0x80, 0x01}, 18, [](CArchive& ar) { ReadInt(ar); });
    ADD_FAILURE() << "no exception";
  } catch (CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
  }
}

}  // namespace
