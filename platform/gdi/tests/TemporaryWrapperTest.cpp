// The drawing API works on bare handles without making wrapper objects, so a
// program that never reaches idle time does not gather temporary wrappers;
// FromHandle still makes them, and DeleteTempMap frees them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/BorrowedWrapper.h"
#include "platform/gdi/Gdi32.h"

namespace {

struct ApiCall {
  std::string name;
  std::function<BOOL(HDC dc, HBRUSH brush, HRGN rgn)> call;
};

TEST(TemporaryWrappers, ApiCallsOnBareHandlesLeaveNone) {
  const RECT box{2, 2, 20, 12};
  const std::vector<ApiCall> calls = {
      {"SetBkMode", [](HDC dc, HBRUSH, HRGN) { return SetBkMode(dc, TRANSPARENT) != 0; }},
      {"MoveToEx/LineTo", [](HDC dc, HBRUSH, HRGN) { return MoveToEx(dc, 0, 0, nullptr) && LineTo(dc, 5, 5); }},
      {"FillRect", [&](HDC dc, HBRUSH brush, HRGN) { return FillRect(dc, &box, brush) == 1; }},
      {"FrameRect", [&](HDC dc, HBRUSH brush, HRGN) { return FrameRect(dc, &box, brush) == 1; }},
      {"SelectClipRgn", [](HDC dc, HBRUSH, HRGN rgn) { return SelectClipRgn(dc, rgn) != ERROR; }},
      {"TextOutA", [](HDC dc, HBRUSH, HRGN) { return TextOutA(dc, 0, 0, "ab", 2); }},
      {"GetTextExtentPoint32W",
       [](HDC dc, HBRUSH, HRGN) {
         SIZE size{};
         return GetTextExtentPoint32W(dc, u"ab", 2, &size) && size.cx > 0;
       }},
      {"EnumFontFamiliesW",
       [](HDC dc, HBRUSH, HRGN) {
         return EnumFontFamiliesW(dc, nullptr, [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM) { return 1; },
                                  0) != 0;
       }},
      {"BitBlt",
       [](HDC dc, HBRUSH, HRGN) {
         HDC source = CreateCompatibleDC(dc);
         const BOOL done = BitBlt(dc, 0, 0, 1, 1, source, 0, 0, SRCCOPY);
         DeleteDC(source);
         return done;
       }},
  };
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
  for (const ApiCall& c : calls) {
    // Every round has new handles, as every paint has a new DC.
    for (int round = 0; round < 3; ++round) {
      HDC dc = CreateCompatibleDC(nullptr);
      HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
      HRGN rgn = CreateRectRgn(0, 0, 8, 8);
      EXPECT_TRUE(c.call(dc, brush, rgn)) << c.name;
      EXPECT_TRUE(DeleteObject(rgn));
      EXPECT_TRUE(DeleteObject(brush));
      EXPECT_TRUE(DeleteDC(dc)) << c.name;
    }
    EXPECT_EQ(platform::TemporaryDcCount(), 0u) << c.name;
    EXPECT_EQ(platform::TemporaryGdiObjectCount(), 0u) << c.name;
  }
}

TEST(TemporaryWrappers, DeleteDcReleasesTheWrappersThatExistAndMakesNone) {
  CDC::DeleteTempMap();
  // A temporary wrapper lets go of the deleted handle and stays until idle time.
  HDC bare = CreateCompatibleDC(nullptr);
  CDC* temporary = CDC::FromHandle(bare);
  ASSERT_NE(temporary, nullptr);
  EXPECT_EQ(CDC::FromHandle(bare), temporary);
  EXPECT_EQ(platform::TemporaryDcCount(), 1u);
  EXPECT_TRUE(DeleteDC(bare));
  EXPECT_EQ(temporary->m_hDC, nullptr);
  EXPECT_EQ(platform::TemporaryDcCount(), 1u);
  CDC::DeleteTempMap();
  EXPECT_EQ(platform::TemporaryDcCount(), 0u);

  // A permanent one lets go of it too; nothing temporary is made.
  CDC permanent;
  ASSERT_TRUE(permanent.CreateCompatibleDC(nullptr));
  HDC held = permanent.m_hDC;
  EXPECT_TRUE(DeleteDC(held));
  EXPECT_EQ(permanent.m_hDC, nullptr);
  EXPECT_EQ(CDC::FromHandle(held), nullptr);
  EXPECT_FALSE(DeleteDC(held));
  EXPECT_EQ(platform::TemporaryDcCount(), 0u);
}

}  // namespace
