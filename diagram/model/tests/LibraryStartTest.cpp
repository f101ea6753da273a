// The library's start: its clipboard format, and the classes and resources
// that the host's chain finds once it has called _InitScrivel.
#include <gtest/gtest.h>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/objects/DrawObj.h"
#include "platform/core/String.h"
#include "platform/ui/ClipboardFormats.h"

extern "C" void _InitScrivel();

namespace {

TEST(LibraryStartTest, TheNativeClipboardFormatIsRegisteredAtLoad) {
  ASSERT_NE(CDiagram::m_cfDraw, 0);
  EXPECT_EQ(CDiagram::m_cfDraw, RegisterClipboardFormatW(u"Zelk Draw Lib"));
  CDiagram diagram;
  EXPECT_EQ(diagram.GetClipboardFormat(0), CDiagram::m_cfDraw);
  EXPECT_EQ(diagram.GetClipboardFormat(1), 0);
}

TEST(LibraryStartTest, InitLinksTheClassesAndTextsIntoTheChain) {
  _InitScrivel();
  EXPECT_EQ(CRuntimeClass::FromName("CDrawObj"), RUNTIME_CLASS(CDrawObj));
  CObject* made = CRuntimeClass::CreateObject("CDrawObj");
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CDrawObj)));
  delete made;
  CStringW text;
  ASSERT_TRUE(text.LoadString(28038));
  EXPECT_EQ(text, CStringW(u"About info is already opened for edit!"));
  // The document template's string: its fourth part is the file filter.
  ASSERT_TRUE(text.LoadString(28017));
  EXPECT_NE(text.Find(u"\nDrawBlock Files (*.drw)\n.drw\n"), -1);
  // The property sheets' captions and the commands' prompts.
  const struct {
    UINT id;
    const char16_t* text;
  } strings[] = {{28036, u"Shape Properties"},
                 {28037, u"Block Properties"},
                 {57027, u"Move Objects that cross page boundaries to next page, expanding canvas as necessary.\n"
                         u"Avoid Page Boundary"},
                 {57035, u"Nest selected objects\nNest as New Digram"}};
  for (const auto& s : strings) {
    ASSERT_TRUE(text.LoadString(s.id)) << s.id;
    EXPECT_EQ(text, CStringW(s.text)) << s.id;
  }
}

}  // namespace
