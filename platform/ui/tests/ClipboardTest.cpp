// The clipboard: who may open it, the blocks it owns, the two text formats
// standing for each other, and pasting into edit fields.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/core/GlobalMemory.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

using uitest::Utf8;

HGLOBAL Block(const void* bytes, size_t size) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(h), bytes, size);
  GlobalUnlock(h);
  return h;
}

std::string GbkText(HANDLE h) {
  const char* p = static_cast<const char*>(GlobalLock(h));
  std::string s(p, strnlen(p, GlobalSize(h)));
  GlobalUnlock(h);
  return s;
}

class ClipboardTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ASSERT_TRUE(a.CreateEx(0, u"AfxWnd", u"a", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(b.CreateEx(0, u"AfxWnd", u"b", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    // Each test starts with an empty, closed clipboard.
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_TRUE(CloseClipboard());
  }
  void TearDown() override {
    CloseClipboard();
    a.DestroyWindow();
    b.DestroyWindow();
    UiTest::TearDown();
  }
  // Puts a GBK text on the clipboard for window a.
  void PutText(const std::string& gbk) {
    ASSERT_TRUE(OpenClipboard(a.m_hWnd));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_NE(SetClipboardData(CF_TEXT, Block(gbk.c_str(), gbk.size() + 1)), nullptr);
    ASSERT_TRUE(CloseClipboard());
  }
  CWnd a, b;
};

TEST_F(ClipboardTest, OneWindowHoldsItOpenAndAnotherIsRefusedUntilItCloses) {
  ASSERT_TRUE(OpenClipboard(a.m_hWnd));
  EXPECT_TRUE(OpenClipboard(a.m_hWnd));  // the holder again
  EXPECT_FALSE(OpenClipboard(b.m_hWnd));
  EXPECT_FALSE(OpenClipboard(nullptr));
  EXPECT_EQ(GetOpenClipboardWindow(), a.m_hWnd);
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(GetClipboardOwner(), a.m_hWnd);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());
  EXPECT_TRUE(OpenClipboard(b.m_hWnd));
  EXPECT_TRUE(CloseClipboard());

  // Nothing is read or written while it is closed.
  EXPECT_FALSE(EmptyClipboard());
  HGLOBAL h = Block("x", 2);
  EXPECT_EQ(SetClipboardData(CF_TEXT, h), nullptr);
  GlobalFree(h);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(OpenClipboard(reinterpret_cast<HWND>(0x7777)));  // not a window
}

TEST_F(ClipboardTest, TextFormatsConvertIntoEachOtherAndRegisteredFormatsStandAlone) {
  const std::string gbk = platform::Utf8ToGbk("直径Φ10±0.1");
  PutText(gbk);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  UINT mine = RegisterClipboardFormatA("Scrivel Test Format");
  EXPECT_FALSE(IsClipboardFormatAvailable(mine));

  ASSERT_TRUE(OpenClipboard(b.m_hWnd));
  HANDLE wide = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(platform::Utf16ToUtf8(static_cast<const char16_t*>(GlobalLock(wide))), "直径Φ10±0.1");
  GlobalUnlock(wide);
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), wide);  // converted once, then kept
  EXPECT_EQ(GetClipboardData(mine), nullptr);
  ASSERT_TRUE(CloseClipboard());

  // A Unicode text set alone reads back as GBK; data of a registered format
  // comes back as the same block.
  ASSERT_TRUE(OpenClipboard(a.m_hWnd));
  ASSERT_TRUE(EmptyClipboard());
  const char16_t text[] = u"表格°";
  SetClipboardData(CF_UNICODETEXT, Block(text, sizeof text));
  HGLOBAL data = Block("\x01\x02\x03", 3);
  EXPECT_EQ(SetClipboardData(mine, data), data);
  EXPECT_EQ(GbkText(GetClipboardData(CF_TEXT)), platform::Utf8ToGbk("表格°"));
  EXPECT_EQ(GetClipboardData(mine), data);
  EXPECT_EQ(CountClipboardFormats(), 3);
  EXPECT_EQ(EnumClipboardFormats(0), UINT(CF_UNICODETEXT));
  EXPECT_EQ(EnumClipboardFormats(CF_UNICODETEXT), mine);
  // Setting the text anew drops the old conversion.
  SetClipboardData(CF_UNICODETEXT, Block(u"新", sizeof u"新"));
  EXPECT_EQ(GbkText(GetClipboardData(CF_TEXT)), platform::Utf8ToGbk("新"));
  ASSERT_TRUE(CloseClipboard());
}

// A window that renders its format when asked and hears when it loses the
// clipboard.
class CRenderer : public CWnd {
 public:
  int rendered = 0, destroyed = 0;
  UINT format = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_RENDERFORMAT) {
      ++rendered;
      SetClipboardData(static_cast<UINT>(wParam), Block("late", 5));
      return 0;
    }
    if (message == WM_DESTROYCLIPBOARD) ++destroyed;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

TEST_F(ClipboardTest, DataSetLaterIsRenderedByTheOwnerOnDemand) {
  CRenderer owner;
  ASSERT_TRUE(owner.CreateEx(0, u"AfxWnd", u"r", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  UINT mine = RegisterClipboardFormatA("Scrivel Late Format");
  ASSERT_TRUE(OpenClipboard(owner.m_hWnd));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(SetClipboardData(mine, nullptr), nullptr);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(mine));

  ASSERT_TRUE(OpenClipboard(a.m_hWnd));
  EXPECT_EQ(GbkText(GetClipboardData(mine)), "late");
  GetClipboardData(mine);
  EXPECT_EQ(owner.rendered, 1);
  ASSERT_TRUE(EmptyClipboard());  // a takes the clipboard over
  EXPECT_EQ(owner.destroyed, 1);
  ASSERT_TRUE(CloseClipboard());
  owner.DestroyWindow();
}

TEST_F(ClipboardTest, PasteReplacesTheSelectionOfAnEditAndOfAComboEditUndoably) {
  CEdit edit, multi;
  CComboBox combo, dropList;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &a, 1));
  ASSERT_TRUE(multi.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 20, 100, 60), &a, 2));
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(0, 60, 100, 160), &a, 3));
  ASSERT_TRUE(dropList.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 60, 100, 160), &a, 4));
  PutText(platform::Utf8ToGbk("±0.02\r\n第二行"));

  CStringW shown;
  edit.SetWindowText(u"Φ10abc");
  edit.SetSel(3, 6);
  edit.SendMessage(WM_PASTE);
  edit.GetWindowText(shown);
  EXPECT_EQ(Utf8(shown), "Φ10±0.02");  // a single line takes the first line
  EXPECT_TRUE(edit.GetModify());
  EXPECT_TRUE(edit.Undo());
  edit.GetWindowText(shown);
  EXPECT_EQ(Utf8(shown), "Φ10abc");

  multi.SendMessage(WM_PASTE);
  multi.GetWindowText(shown);
  EXPECT_EQ(Utf8(shown), "±0.02\r\n第二行");

  edit.SetReadOnly(TRUE);
  edit.SetSel(0, -1);
  edit.SendMessage(WM_PASTE);
  edit.GetWindowText(shown);
  EXPECT_EQ(Utf8(shown), "Φ10abc");

  combo.SetWindowText(u"M12");
  combo.SetEditSel(1, 3);
  combo.SendMessage(WM_PASTE);
  combo.GetWindowText(shown);
  EXPECT_EQ(Utf8(shown), "M±0.02");
  combo.SendMessage(WM_UNDO);
  combo.GetWindowText(shown);
  EXPECT_EQ(Utf8(shown), "M12");
  dropList.SendMessage(WM_PASTE);  // no edit part
  dropList.GetWindowText(shown);
  EXPECT_EQ(Utf8(shown), "");

  // While another window holds the clipboard open nothing is pasted.
  ASSERT_TRUE(OpenClipboard(b.m_hWnd));
  multi.SetWindowText(u"x");
  multi.SendMessage(WM_PASTE);
  multi.GetWindowText(shown);
  EXPECT_EQ(Utf8(shown), "x");
  ASSERT_TRUE(CloseClipboard());
}

}  // namespace
