// The block format a diagram keeps: its font, the measured blank, and the
// stream before and after version 5.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "diagram/model/blocks/BlockFormat.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/TextFont.h"
#include "diagram/model/objects/TextFontStore.h"
#include "diagram/model/tests/FixtureBytes.h"
#include "diagram/testsupport/DocumentView.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/ui/WindowDC.h"

namespace {

LOGFONTW Font(LONG height, LONG weight, const char16_t* face) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  std::char_traits<char16_t>::copy(font.lfFaceName, face, std::char_traits<char16_t>::length(face));
  return font;
}

// A blank in the font, measured on the screen.
CSize Blank(const LOGFONTW& logFont) {
  CClientDC dc(nullptr);
  CFont font;
  EXPECT_TRUE(font.CreateFontIndirect(&logFont));
  CFont* old = dc.SelectObject(&font);
  const CSize size = dc.GetTextExtent(u" ", 1);
  dc.SelectObject(old);
  return size;
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(BlockFormatTest, SetKeepsTheFontAndMeasuresABlankInIt) {
  CBlockFormat format;
  EXPECT_EQ(format.GetTextFont(), nullptr);
  EXPECT_EQ(format.GetCharWidth(), -1);
  EXPECT_EQ(format.GetCharHeight(), -1);
  const LOGFONTW small = Font(-12, 400, u"Arial");
  const LOGFONTW large = Font(-40, 700, u"Arial");
  format.Set(small);
  const CTextFont* font = format.GetTextFont();
  ASSERT_NE(font, nullptr);
  EXPECT_TRUE(SameFont(font->GetLogFont(), small));
  EXPECT_EQ(CSize(format.GetCharWidth(), format.GetCharHeight()), Blank(small));
  format.Set(large);
  EXPECT_EQ(format.GetTextFont(), font);  // the same font, changed
  EXPECT_TRUE(SameFont(font->GetLogFont(), large));
  EXPECT_EQ(CSize(format.GetCharWidth(), format.GetCharHeight()), Blank(large));
  EXPECT_GT(format.GetCharHeight(), Blank(small).cy);
}

TEST(BlockFormatTest, TheDiagramMakesItsFormatOnFirstUseAndKeepsIt) {
  CDiagram diagram;
  CBlockFormat* format = diagram.GetBlockFormat();
  ASSERT_NE(format, nullptr);
  EXPECT_EQ(diagram.GetBlockFormat(), format);
  EXPECT_EQ(format->GetTextFont(), nullptr);
  format->Set(Font(-12, 400, u"Arial"));  // freed with the diagram
}

class BlockFormatStream : public ::testing::Test {
 protected:
  void SetUp() override { LinkDiagramLibrary(); }
};

TEST_F(BlockFormatStream, TheFontIsABareRecordBeforeVersion5AndAnObjectFromThenOn) {
  struct Case {
    int version;
    const char* name;
    bool asObject;
    bool null;
  };
  const Case cases[] = {
      {4, "bare record", false, false},
      {5, "object", true, false},
      {18, "object", true, false},
      {18, "no font", true, true},
  };
  const LOGFONTW arial = Font(-20, 700, u"Arial");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.version) + " " + c.name);
    FixtureBytes bytes;
    if (c.null) {
      bytes.ObjectRef(0);
    } else {
      if (c.asObject) bytes.NewClass("CTextFont");
      bytes.LogFont(c.version, -20, 700, "Arial");
    }
    CDrawDoc doc;
    doc.StartLoad(static_cast<WORD>(c.version));
    CMemFile file(bytes.Data(), bytes.Size());
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    CBlockFormat format;
    format.Serialize(ar);
    BYTE beyond = 0;
    EXPECT_THROW(ar >> beyond, CArchiveException);  // every byte was read
    if (c.null) {
      EXPECT_EQ(format.GetTextFont(), nullptr);
      EXPECT_EQ(format.GetCharWidth(), -1);
      continue;
    }
    ASSERT_NE(format.GetTextFont(), nullptr);
    EXPECT_TRUE(SameFont(format.GetTextFont()->GetLogFont(), arial));
    EXPECT_EQ(CSize(format.GetCharWidth(), format.GetCharHeight()), Blank(arial));
    // The font object read stays with the document; the format owns a copy.
    const TextFontStore& store = doc.GetDiagram()->GetLoadedFonts();
    EXPECT_EQ(store.GetCount(), c.asObject ? 1 : 0);
    EXPECT_FALSE(store.Holds(format.GetTextFont()));
  }
}

TEST_F(BlockFormatStream, AStoredFormatReadsBackWithItsFont) {
  const LOGFONTW font = Font(-15, 400, u"Times New Roman");
  CBlockFormat stored;
  stored.Set(font);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    stored.Serialize(ar);
    ar.Close();
  }
  file.SeekToBegin();
  CDrawDoc doc;
  CArchive ar(&file, CArchive::load);
  ar.m_pDocument = &doc;
  CBlockFormat read;
  read.Serialize(ar);
  ASSERT_NE(read.GetTextFont(), nullptr);
  EXPECT_TRUE(SameFont(read.GetTextFont()->GetLogFont(), font));
  EXPECT_EQ(read.GetCharWidth(), stored.GetCharWidth());
  EXPECT_EQ(read.GetCharHeight(), stored.GetCharHeight());
}

}  // namespace
