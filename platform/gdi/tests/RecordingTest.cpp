// The recording back end: a small scene is recorded call by call, with the
// state in force, in logical and device coordinates.
#include <gtest/gtest.h>

#include "platform/gdi/Gdi32.h"
#include "platform/gdi/tests/GdiTestSupport.h"

namespace {

using platform::DrawKind;

// A pen of static storage, as libraries keep default fonts and pens: it is
// deleted at exit, after this thread's wrapper maps are gone.
CPen g_penDeletedAtExit(PS_SOLID, 1, RGB(1, 2, 3));

TEST(Recording, SmallSceneWithStateAndBothCoordinateSystems) {
  gdi_test::Recording r;
  CDC& dc = r.dc;
  dc.SetMapMode(MM_LOENGLISH);
  dc.SetViewportOrg(0, 480);  // y up from the bottom left corner
  CPen red(PS_DASH, 1, RGB(255, 0, 0));
  CBrush hatch(HS_BDIAGONAL, RGB(0, 0, 255));
  CPen* oldPen = dc.SelectObject(&red);
  CBrush* oldBrush = dc.SelectObject(&hatch);
  // The previous objects are the DC's defaults: the stock black pen and
  // white brush, as temporary wrappers of the stock handles.
  ASSERT_NE(oldPen, nullptr);
  EXPECT_EQ(oldPen->m_hObject, GetStockObject(BLACK_PEN));
  EXPECT_EQ(oldBrush->m_hObject, GetStockObject(WHITE_BRUSH));
  dc.SetBkMode(TRANSPARENT);
  dc.Rectangle(100, 200, 300, 100);
  dc.SetROP2(R2_XORPEN);
  dc.MoveTo(0, 0);
  dc.LineTo(100, 100);
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);
  dc.SetROP2(R2_COPYPEN);
  dc.IntersectClipRect(0, 200, 200, 0);
  dc.TextOut(10, 150, u"Hi", 2);

  const auto ops = r.recorder->Ops();
  ASSERT_EQ(ops.size(), 3u);
  // Rectangle (100,200)-(300,100) in 0.01 inch, y up from the bottom: device
  // x 96..288, y 480-192 .. 480-96, normalised.
  EXPECT_EQ(ops[0].kind, DrawKind::Rectangle);
  EXPECT_EQ(ops[0].logical[0].x, 100);
  EXPECT_EQ(ops[0].logical[0].y, 200);
  EXPECT_EQ(ops[0].device[0].x, 96);
  EXPECT_EQ(ops[0].device[0].y, 288);
  EXPECT_EQ(ops[0].device[1].x, 288);
  EXPECT_EQ(ops[0].device[1].y, 384);
  EXPECT_EQ(ops[0].pen.Kind(), static_cast<UINT>(PS_DASH));
  EXPECT_EQ(ops[0].pen.color, RGB(255, 0, 0));
  EXPECT_EQ(ops[0].brush.style, static_cast<UINT>(BS_HATCHED));
  EXPECT_EQ(ops[0].brush.hatch, HS_BDIAGONAL);
  EXPECT_EQ(ops[0].bkMode, TRANSPARENT);
  EXPECT_FALSE(ops[0].clipped);
  EXPECT_EQ(ops[0].Describe(),
            "Rectangle L(100,200) (300,100) D(96,288) (288,384) pen=PS_DASH/1px/#FF0000 "
            "brush=BS_HATCHED/#0000FF/HS3 rop=R2_COPYPEN bk=TRANSPARENT/#FFFFFF target=recording");
  EXPECT_EQ(ops[1].call, "LineTo");
  EXPECT_EQ(ops[1].rop2, R2_XORPEN);
  EXPECT_EQ(ops[1].device[0].y, 480);
  EXPECT_EQ(ops[1].device[1].y, 384);
  // The text after the clip: the clip box is recorded in device pixels.
  EXPECT_EQ(ops[2].kind, DrawKind::Text);
  EXPECT_EQ(ops[2].text, u"Hi");
  EXPECT_TRUE(ops[2].clipped);
  const RECT clip = ops[2].clip->Bounds();
  EXPECT_EQ(clip.left, 0);
  EXPECT_EQ(clip.top, 288);
  EXPECT_EQ(clip.right, 192);
  EXPECT_EQ(clip.bottom, 480);
  EXPECT_EQ(ops[2].pen.color, RGB(0, 0, 0));  // the stock pen is back
}

TEST(Recording, SaveAndRestoreBringBackObjectsAndMapping) {
  gdi_test::Recording r;
  CDC& dc = r.dc;
  CPen blue(PS_SOLID, 2, RGB(0, 0, 255));
  const int saved = dc.SaveDC();
  EXPECT_EQ(saved, 1);
  dc.SelectObject(&blue);
  dc.SetMapMode(MM_HIMETRIC);
  dc.SetTextColor(RGB(1, 2, 3));
  EXPECT_EQ(dc.SaveDC(), 2);
  dc.SelectStockObject(NULL_PEN);
  EXPECT_TRUE(dc.RestoreDC(-1));
  EXPECT_EQ(dc.GetCurrentPen()->m_hObject, blue.m_hObject);
  EXPECT_TRUE(dc.RestoreDC(saved));
  EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
  EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));
  EXPECT_EQ(dc.GetCurrentPen()->m_hObject, GetStockObject(BLACK_PEN));
  EXPECT_FALSE(dc.RestoreDC(1));  // nothing saved any more
  EXPECT_FALSE(dc.RestoreDC(0));
}

TEST(Recording, DeletingASelectedObjectLeavesTheDcSound) {
  gdi_test::Recording r;
  {
    CPen pen(PS_SOLID, 3, RGB(9, 9, 9));
    r.dc.SelectObject(&pen);
  }  // the wrapper deletes the handle while the DC still holds the pen
  r.dc.LineTo(10, 10);
  ASSERT_EQ(r.recorder->Count(), 1u);
  EXPECT_EQ(r.recorder->Ops()[0].pen.color, RGB(9, 9, 9));
  EXPECT_EQ(r.dc.GetCurrentPen(), nullptr);  // its handle is gone
  // Stale and made-up handles are refused.
  EXPECT_EQ(SelectObject(r.dc.m_hDC, reinterpret_cast<HGDIOBJ>(0x1234)), nullptr);
  EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x1234)));
}

TEST(Recording, MemoryDcsOfARecordedDcAreRecordedToo) {
  gdi_test::Recording r;
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(&r.dc));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&r.dc, 50, 40));
  CBitmap* old = memory.SelectObject(&bitmap);
  ASSERT_NE(old, nullptr);
  memory.Ellipse(0, 0, 50, 40);
  r.dc.BitBlt(0, 0, 50, 40, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
  const auto ops = r.recorder->Ops();
  ASSERT_EQ(ops.size(), 2u);
  EXPECT_EQ(ops[0].call, "Ellipse");
  EXPECT_EQ(ops[0].target, "memory");
  EXPECT_EQ(ops[1].call, "BitBlt");
  EXPECT_EQ(ops[1].target, "recording");
  EXPECT_EQ(r.dc.GetDeviceCaps(LOGPIXELSX), 96);
  EXPECT_EQ(memory.GetDeviceCaps(HORZRES), 640);
}

TEST(Recording, Win32CallsOnHandlesDrawAsTheDcDoes) {
  gdi_test::Recording r;
  HDC dc = r.dc.m_hDC;
  HPEN pen = CreatePen(PS_DOT, 0, RGB(0, 128, 0));
  HBRUSH brush = CreateHatchBrush(HS_CROSS, RGB(128, 0, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  EXPECT_EQ(oldPen, GetStockObject(BLACK_PEN));
  POINT previous{-1, -1};
  ASSERT_TRUE(MoveToEx(dc, 5, 6, &previous));
  EXPECT_EQ(previous.x, 0);
  ASSERT_TRUE(LineTo(dc, 50, 6));
  const RECT cell{10, 10, 30, 20};
  EXPECT_EQ(FillRect(dc, &cell, brush), 1);
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  RECT text{0, 0, 100, 20};
  EXPECT_GT(DrawTextW(dc, u"cell", -1, &text, DT_SINGLELINE), 0);
  EXPECT_EQ(SelectObject(dc, oldPen), pen);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_FALSE(DeleteObject(brush));  // already gone
  EXPECT_FALSE(LineTo(reinterpret_cast<HDC>(0x99), 1, 1));
  const auto ops = r.recorder->Ops();
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].pen.Kind(), static_cast<UINT>(PS_DOT));
  EXPECT_EQ(ops[1].call, "FillRect");
  EXPECT_EQ(ops[1].brush.hatch, HS_CROSS);
  EXPECT_EQ(ops[2].text, u"cell");
  EXPECT_EQ(ops[2].bkMode, TRANSPARENT);
}

TEST(Recording, TemporaryWrappersAndStockObjects) {
  gdi_test::Recording r;
  CGdiObject* stock = r.dc.SelectStockObject(NULL_BRUSH);
  ASSERT_NE(stock, nullptr);
  EXPECT_EQ(stock->GetObjectType(), static_cast<UINT>(OBJ_BRUSH));
  // Deleting a stock object does nothing harmful.
  EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
  EXPECT_NE(GetObjectType(GetStockObject(WHITE_BRUSH)), 0u);
  LOGBRUSH lb{};
  EXPECT_EQ(CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)))->GetLogBrush(&lb),
            static_cast<int>(sizeof(LOGBRUSH)));
  EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
  EXPECT_EQ(GetObjectType(r.dc.m_hDC), static_cast<DWORD>(OBJ_DC));
}

}  // namespace
