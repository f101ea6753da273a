// Device contexts of windows: a paint DC draws only where the window was
// invalid and validates it; a client DC draws anywhere on the client area;
// owner-drawn items get the control's paint DC; the background is erased
// with the class brush when the invalidation asks for it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/gdi/BorrowedWrapper.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/Gdi32.h"
#include "platform/gdi/PixelBuffer.h"
#include "platform/gdi/RasterSurface.h"
#include "platform/ui/Button.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/WndClass.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

class CCanvas : public CWnd {
 public:
  int paints = 0;
  int erases = 0;
  bool eraseHandled = false;
  std::vector<HDC> itemDcs;

 protected:
  afx_msg void OnPaint() {
    ++paints;
    CPaintDC dc(this);
    CBrush red(RGB(255, 0, 0));
    CRect client;
    GetClientRect(&client);
    dc.FillRect(&client, &red);  // limited to the update region
  }
  afx_msg BOOL OnEraseBkgnd(CDC* dc) {
    ++erases;
    return eraseHandled ? TRUE : CWnd::OnEraseBkgnd(dc);
  }
  afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT dis) { itemDcs.push_back(dis->hDC); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCanvas, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

COLORREF PixelAt(HWND hwnd, int x, int y) {
  const platform::PixelBuffer* pixels = platform::WindowSurfaceOf(hwnd)->Raster().Pixels();
  return pixels->GetColor(x, y);
}

using WindowDCTest = uitest::UiTest;

TEST_F(WindowDCTest, APaintDCDrawsOnlyTheUpdateRegionAndValidatesIt) {
  CCanvas canvas;
  ASSERT_TRUE(canvas.CreateEx(0, u"AfxWnd", u"canvas", WS_POPUP, CRect(0, 0, 100, 80), nullptr, 0));
  auto recorder = std::make_shared<platform::DrawingRecorder>();
  platform::WindowSurfaceOf(canvas.m_hWnd)->SetRecorder(recorder);
  EXPECT_EQ(platform::WindowSurfaceOf(canvas.m_hWnd)->Size().cx, 100);

  canvas.ShowWindow(SW_SHOW);
  platform::PumpPendingMessages();
  ASSERT_EQ(canvas.paints, 1);
  EXPECT_EQ(PixelAt(canvas.m_hWnd, 99, 79), RGB(255, 0, 0));

  // A client DC paints white everywhere; then only a corner is invalid.
  {
    CClientDC dc(&canvas);
    CBrush white(RGB(255, 255, 255));
    dc.FillRect(CRect(0, 0, 100, 80), &white);
  }
  canvas.InvalidateRect(CRect(10, 10, 20, 20), FALSE);
  recorder->Clear();
  canvas.UpdateWindow();
  EXPECT_EQ(canvas.paints, 2);
  EXPECT_EQ(PixelAt(canvas.m_hWnd, 15, 15), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(canvas.m_hWnd, 50, 50), RGB(255, 255, 255));
  ASSERT_EQ(recorder->Count(), 1u);
  EXPECT_EQ(recorder->Ops()[0].clip->Bounds().left, 10);
  CRect r;
  EXPECT_FALSE(canvas.GetUpdateRect(&r));

  // Resizing the window resizes its pixels.
  canvas.MoveWindow(0, 0, 60, 40);
  EXPECT_EQ(platform::WindowSurfaceOf(canvas.m_hWnd)->Size().cx, 60);
  canvas.DestroyWindow();
}

TEST_F(WindowDCTest, TheBackgroundIsErasedWithTheClassBrushWhenAsked) {
  CBrush blue(RGB(0, 0, 255));
  LPCWSTR cls = AfxRegisterWndClassW(0, nullptr, static_cast<HBRUSH>(blue.GetSafeHandle()));
  CCanvas canvas;
  ASSERT_TRUE(canvas.CreateEx(0, cls, u"canvas", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
  platform::PumpPendingMessages();
  EXPECT_EQ(canvas.erases, 1);
  canvas.InvalidateRect(nullptr, FALSE);  // no erase wanted
  canvas.UpdateWindow();
  EXPECT_EQ(canvas.erases, 1);
  canvas.InvalidateRect(nullptr, TRUE);
  canvas.UpdateWindow();
  EXPECT_EQ(canvas.erases, 2);
  canvas.DestroyWindow();
}

TEST_F(WindowDCTest, OwnerDrawnButtonsDrawWithTheirPaintDC) {
  CCanvas parent;
  ASSERT_TRUE(parent.CreateEx(0, u"AfxWnd", u"p", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
  CButton button;
  ASSERT_TRUE(button.Create(u"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 40, 20), &parent, 5));
  platform::PumpPendingMessages();
  ASSERT_EQ(parent.itemDcs.size(), 1u);
  EXPECT_NE(parent.itemDcs[0], nullptr);
  parent.DestroyWindow();
}

// Paints on the API alone, leaving the background to the class brush.
class CPlainCanvas : public CWnd {
 protected:
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    ::MoveToEx(dc.m_hDC, 0, 0, nullptr);
    ::LineTo(dc.m_hDC, 10, 10);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPlainCanvas, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

// Erases its background in its own handler, through the CDC it is given.
class CErasingCanvas : public CWnd {
 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(client);
    dc->FillSolidRect(&client, RGB(0, 128, 0));
    return TRUE;
  }
  afx_msg void OnPaint() { CPaintDC dc(this); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CErasingCanvas, CWnd)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

// The DC a paint hands WM_ERASEBKGND reaches the handler as a CDC lent for
// the call: a program that never idles gathers no wrapper per paint.
TEST_F(WindowDCTest, AnEraseHandlerGetsItsDcWithoutATemporaryWrapper) {
  CErasingCanvas canvas;
  ASSERT_TRUE(canvas.CreateEx(0, u"AfxWnd", u"canvas", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
  platform::PumpPendingMessages();
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
  for (int round = 0; round < 3; ++round) {
    canvas.InvalidateRect(nullptr, TRUE);
    canvas.UpdateWindow();
  }
  EXPECT_EQ(PixelAt(canvas.m_hWnd, 40, 40), RGB(0, 128, 0));
  EXPECT_EQ(platform::TemporaryDcCount(), 0u);
  canvas.DestroyWindow();
}

TEST_F(WindowDCTest, RepeatedPaintsAndScrollsGatherNoTemporaryWrappers) {
  CBrush blue(RGB(0, 0, 255));
  LPCWSTR cls = AfxRegisterWndClassW(0, nullptr, static_cast<HBRUSH>(blue.GetSafeHandle()));
  CPlainCanvas canvas;
  ASSERT_TRUE(canvas.CreateEx(0, cls, u"canvas", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
  platform::PumpPendingMessages();
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
  for (int round = 0; round < 5; ++round) {
    canvas.InvalidateRect(nullptr, TRUE);  // erased by DefWindowProc with the class brush
    canvas.UpdateWindow();
    HRGN uncovered = CreateRectRgn(0, 0, 0, 0);
    ScrollWindowEx(canvas.m_hWnd, 0, 5, nullptr, nullptr, uncovered, nullptr, 0);
    DeleteObject(uncovered);
    HDC dc = ::GetDC(canvas.m_hWnd);
    ::SetBkMode(dc, TRANSPARENT);
    ::ReleaseDC(canvas.m_hWnd, dc);
  }
  EXPECT_EQ(PixelAt(canvas.m_hWnd, 40, 5), RGB(0, 0, 255));
  EXPECT_EQ(platform::TemporaryDcCount(), 0u);
  EXPECT_EQ(platform::TemporaryGdiObjectCount(), 0u);
  canvas.DestroyWindow();
}

// A program that never idles invalidates and scrolls a window many times
// between paints: the update region is the union of what was invalidated
// (and carried along by the scrolls), as small as the client area allows,
// not a list that grows with every call (or doubles with every scroll).
TEST_F(WindowDCTest, AnUnpaintedWindowKeepsItsUpdateRegionSmall) {
  CCanvas canvas;
  ASSERT_TRUE(canvas.CreateEx(0, u"AfxWnd", u"canvas", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 80), nullptr, 0));
  platform::PumpPendingMessages();
  canvas.InvalidateRect(CRect(10, 10, 20, 20), FALSE);
  ScrollWindowEx(canvas.m_hWnd, 0, 5, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  // The strip the scroll uncovered, the invalid square, and the square
  // carried down with its pixels.
  const platform::Region& update = platform::FindWindowRecord(canvas.m_hWnd)->update;
  EXPECT_TRUE(update.Contains(50, 4));
  EXPECT_TRUE(update.Contains(10, 10));
  EXPECT_TRUE(update.Contains(19, 24));
  EXPECT_FALSE(update.Contains(19, 25));
  for (int round = 0; round < 200; ++round) {
    canvas.InvalidateRect(CRect(round % 90, round % 70, round % 90 + 10, round % 70 + 10), FALSE);
    ScrollWindowEx(canvas.m_hWnd, round % 7 - 3, round % 5 - 2, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  }
  EXPECT_LE(update.Rects().size(), 80u);
  CRect bounds;
  ASSERT_TRUE(canvas.GetUpdateRect(&bounds));
  EXPECT_TRUE(CRect(0, 0, 100, 80).PtInRect(bounds.TopLeft()));
  canvas.UpdateWindow();
  EXPECT_FALSE(canvas.GetUpdateRect(&bounds));
  canvas.DestroyWindow();
}

}  // namespace
