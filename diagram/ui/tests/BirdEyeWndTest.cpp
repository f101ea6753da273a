// The bird's-eye window: its options, its size and place, the tracker moved
// by mouse and keys, closing, the conversions, the empty overview, and its
// life beside the view.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "diagram/model/document/DrawHint.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/ui/BirdEyeWnd.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/core/Module.h"
#include "platform/core/Profile.h"
#include "platform/gdi/PixelBuffer.h"
#include "platform/gdi/RasterSurface.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/ui/Host.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

namespace {

using doctest::ScriptedMsgBox;
using doctest::TempFolder;

class ProfileInFolder {
 public:
  ProfileInFolder() : saved_(platform::ProfilePath()) { platform::SetProfilePath(folder_.File("app.ini")); }
  ~ProfileInFolder() { platform::SetProfilePath(saved_); }
  void Write(const std::string& entries) {
    const std::string text = "[DrawBirdEyeView]\n" + entries;
    doctest::WriteFileBytes(folder_.File("app.ini"), std::vector<BYTE>(text.begin(), text.end()));
  }
  TempFolder folder_;

 private:
  std::filesystem::path saved_;
};

struct SavedBirdEyeOptions {
  ~SavedBirdEyeOptions() {
    CBirdEyeWnd::m_bDisableGridLines = grid;
    CBirdEyeWnd::m_bInvertFocusRect = invert;
    CBirdEyeWnd::m_nMaxWidthPercentOfScreen = width;
    CBirdEyeWnd::m_nMaxHeightPercentOfScreen = height;
    platform::SetWorkArea(RECT{0, 0, 0, 0});
  }
  BOOL grid = CBirdEyeWnd::m_bDisableGridLines;
  BOOL invert = CBirdEyeWnd::m_bInvertFocusRect;
  unsigned width = CBirdEyeWnd::m_nMaxWidthPercentOfScreen;
  unsigned height = CBirdEyeWnd::m_nMaxHeightPercentOfScreen;
};

LPARAM At(CPoint p) { return MAKELPARAM(p.x, p.y); }

class BirdEye : public ::testing::Test {
 protected:
  // A 2 x 2 page canvas in an 800 x 600 view at 100 %: the view shows a
  // part of it.
  void Open(const std::string& profile = "") {
    ini.Write(profile);
    h.Open(2, 2, 100);
    h.view.SendMessage(WM_COMMAND, 57054);
    bird = h.view.GetBirdEyeWnd();
    ASSERT_NE(bird, nullptr);
    ASSERT_TRUE(bird->GetSafeHwnd());
    platform::PumpPendingMessages();
  }
  CRect Area() { return bird->GetAdjustedClientRect(); }
  CPoint Scroll() { return h.view.GetDeviceScrollPosition(); }

  SavedBirdEyeOptions options;
  ProfileInFolder ini;
  viewtest::ViewHarness<CDrawView> h;
  CBirdEyeWnd* bird = nullptr;
};

TEST(BirdEyeProfile, PercentagesOutOfRangeAreReportedAndReplaced) {
  SavedBirdEyeOptions options;
  ProfileInFolder ini;
  struct Case {
    const char* entries;
    unsigned width, height;
    std::vector<ULONG> notified;
  };
  const Case cases[] = {
      {"", 40, 60, {}},
      {"MaxWidthPercentOfScreen=10\n", 33, 60, {5}},
      {"MaxHeightPercentOfScreen=101\n", 40, 50, {6}},
      {"MaxWidthPercentOfScreen=20\nMaxHeightPercentOfScreen=100\n", 20, 100, {}},
  };
  for (const Case& k : cases) {
    ini.Write(k.entries);
    ScriptedMsgBox messages;
    CBirdEyeWnd::GetProfile(1, 0, 40, 60);
    EXPECT_EQ(CBirdEyeWnd::m_nMaxWidthPercentOfScreen, k.width) << k.entries;
    EXPECT_EQ(CBirdEyeWnd::m_nMaxHeightPercentOfScreen, k.height) << k.entries;
    EXPECT_EQ(messages.notified, k.notified) << k.entries;
    EXPECT_TRUE(CBirdEyeWnd::m_bDisableGridLines);
  }
  CBirdEyeWnd::m_nMaxWidthPercentOfScreen = 25;
  CBirdEyeWnd::WriteProfile();
  EXPECT_EQ(platform::GetProfileInt(u"DrawBirdEyeView", u"MaxWidthPercentOfScreen", 0), 25u);
}

TEST_F(BirdEye, TheWindowKeepsTheCanvasProportionsWithinTheWorkArea) {
  platform::SetWorkArea(RECT{0, 0, 1000, 800});
  Open();
  CRect window;
  bird->GetWindowRect(window);
  const int frame = GetSystemMetrics(SM_CXSIZEFRAME);
  const int inner = window.Width() - 2 * frame;
  const int innerHeight = window.Height() - 2 * GetSystemMetrics(SM_CYSIZEFRAME) - GetSystemMetrics(SM_CYCAPTION);
  const CRect canvas = h.diagram->GetRect();
  // Width and height limits: 33 % of 1000 and 50 % of 800; the tighter one
  // is filled.
  EXPECT_LE(inner, 330);
  EXPECT_LE(innerHeight, 400);
  EXPECT_TRUE(inner >= 329 || innerHeight >= 399) << inner << " x " << innerHeight;
  EXPECT_NEAR(static_cast<double>(inner) / innerHeight,
              static_cast<double>(std::abs(canvas.Width())) / std::abs(canvas.Height()), 0.02);
  // No position stored: beside the view, level with its top.
  CRect view;
  h.view.GetWindowRect(view);
  EXPECT_EQ(window.left, std::min<int>(view.right + GetSystemMetrics(SM_CXVSCROLL) + frame + 1, 1000 - window.Width()));
}

TEST_F(BirdEye, AStoredPositionCountsOnlyWithFourNumbers) {
  Open("Position=5,6,7\n");
  CRect beside;
  bird->GetWindowRect(beside);
  CRect view;
  h.view.GetWindowRect(view);
  EXPECT_GT(beside.left, view.right) << "three numbers are ignored";
  bird->DestroyWindow();
  ASSERT_FALSE(h.view.IsBirdEyeShown());

  ini.Write("Position=40,50,60,70\n");
  h.view.SendMessage(WM_COMMAND, 57054);
  bird = h.view.GetBirdEyeWnd();
  ASSERT_NE(bird, nullptr);
  CRect stored;
  bird->GetWindowRect(stored);
  EXPECT_EQ(stored.TopLeft(), CPoint(40, 50));
  EXPECT_EQ(stored.Size(), beside.Size()) << "the computed size is the larger";
}

TEST_F(BirdEye, DraggingStopsAtTheEdgeAndScrollsTheViewOnRelease) {
  Open();
  const CRect area = Area();
  const CRect tracker = bird->GetTracker();
  ASSERT_TRUE(area.left <= tracker.left && tracker.right < area.right && tracker.bottom < area.bottom);
  const CPoint before = Scroll();
  const CPoint grab = tracker.CenterPoint();
  bird->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(grab));
  bird->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(grab + CSize(5000, 5000)));
  EXPECT_EQ(bird->GetTracker().right, area.right);
  EXPECT_EQ(bird->GetTracker().bottom, area.bottom);
  EXPECT_EQ(bird->GetTracker().Size(), tracker.Size());
  EXPECT_EQ(Scroll(), before) << "the view waits for the release";
  bird->SendMessage(WM_LBUTTONUP, 0, At(grab + CSize(5000, 5000)));
  EXPECT_GT(Scroll().x, before.x);
  EXPECT_GT(Scroll().y, before.y);
  // The tracker follows where the view ended.
  EXPECT_NEAR(bird->GetTracker().right, area.right, 2);
}

TEST_F(BirdEye, AClickBesideTheTrackerMovesItThereAndScrolls) {
  Open();
  const CRect area = Area();
  const CPoint before = Scroll();
  const CPoint click(area.right - 20, area.bottom - 20);
  ASSERT_FALSE(bird->GetTracker().PtInRect(click));
  bird->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(click));
  bird->SendMessage(WM_LBUTTONUP, 0, At(click));
  EXPECT_GT(Scroll().y, before.y);
  EXPECT_TRUE(bird->GetTracker().PtInRect(click) || bird->GetTracker().bottom >= area.bottom - 2);
}

TEST_F(BirdEye, ArrowKeysMoveTheTrackerOneGridStep) {
  Open();
  h.view.ScrollToPosition(CPoint(200, 200));
  bird->UpdateTracker();
  const CRect start = bird->GetTracker();
  CRect step(0, 0, h.diagram->GetGridSize().cx, h.diagram->GetGridSize().cy);
  bird->DocToClient(step);
  const int dx = std::max(1, step.Width());
  bird->SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
  // The tracker then follows the scrolled view, within its rounding.
  EXPECT_NEAR(bird->GetTracker().left, start.left + dx, 2);
  bird->SendMessage(WM_KEYDOWN, VK_LEFT, 0);
  bird->SendMessage(WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_NEAR(bird->GetTracker().left, start.left - dx, 3);
  EXPECT_LT(Scroll().x, 200);
}

TEST_F(BirdEye, EachArrowKeyStepsByTheGridOfItsOwnAxis) {
  Open();
  // A tall grid step: the horizontal and vertical steps differ.
  ASSERT_TRUE(h.diagram->SetGrid(CSize(5, 60), h.diagram->GetGridLineInterval()));
  CRect step(0, 0, 5, 60);
  bird->DocToClient(step);
  const CSize pixels(std::max(1, step.Width()), std::max(1, step.Height()));
  ASSERT_GT(pixels.cy, pixels.cx + 4);
  struct Case {
    UINT key;
    CSize move;
  };
  for (const Case& k : {Case{VK_DOWN, CSize(0, pixels.cy)}, Case{VK_RIGHT, CSize(pixels.cx, 0)}}) {
    h.view.ScrollToPosition(CPoint(100, 100));
    bird->UpdateTracker();
    const CRect start = bird->GetTracker();
    bird->SendMessage(WM_KEYDOWN, k.key, 0);
    EXPECT_NEAR(bird->GetTracker().left, start.left + k.move.cx, 2) << k.key;
    EXPECT_NEAR(bird->GetTracker().top, start.top + k.move.cy, 2) << k.key;
  }
}

TEST_F(BirdEye, EscapeClosesTheWindowAndStoresItsPosition) {
  Open();
  CRect window;
  bird->GetWindowRect(window);
  bird->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  platform::PumpPendingMessages();
  EXPECT_FALSE(h.view.IsBirdEyeShown());
  EXPECT_EQ(h.view.GetBirdEyeWnd(), nullptr);
  CStringW expected;
  expected.Format(u"%d,%d,%d,%d", window.left, window.top, window.right, window.bottom);
  EXPECT_EQ(platform::GetProfileString(u"DrawBirdEyeView", u"Position", u""), expected);
}

TEST_F(BirdEye, LosingTheFocusClosesItWithAutoHide) {
  Open();
  bird->SetFocus();
  h.view.SetFocus();
  platform::PumpPendingMessages();
  EXPECT_FALSE(h.view.IsBirdEyeShown());
}

TEST_F(BirdEye, LosingTheFocusKeepsItWithoutAutoHide) {
  Open("AutoHide=0\n");
  bird->SetFocus();
  h.view.SetFocus();
  platform::PumpPendingMessages();
  EXPECT_TRUE(h.view.IsBirdEyeShown());
}

TEST_F(BirdEye, ConversionsRoundTripOverTheCanvas) {
  {
    Open();
    CBirdEyeWnd* w = bird;
    const CRect canvas = h.diagram->GetRect();
    const CRect area = w->GetAdjustedClientRect();
    const double perPixelX = std::abs(static_cast<double>(canvas.Width()) / area.Width());
    const double perPixelY = std::abs(static_cast<double>(canvas.Height()) / area.Height());
    for (CPoint p : {CPoint(canvas.left, canvas.top), canvas.CenterPoint(), CPoint(canvas.right, canvas.bottom)}) {
      CPoint q = p;
      w->DocToClient(q);
      EXPECT_TRUE(q.x >= area.left - 1 && q.x <= area.right + 1 && q.y >= area.top - 1 && q.y <= area.bottom + 1);
      w->ClientToDoc(q);
      EXPECT_NEAR(q.x, p.x, perPixelX + 1);
      EXPECT_NEAR(q.y, p.y, perPixelY + 1);
    }
    // The canvas's top is the overview's top, whichever way y grows.
    CPoint top(canvas.left, canvas.top);
    w->DocToClient(top);
    EXPECT_EQ(top, area.TopLeft());
  }
}

TEST_F(BirdEye, AnOverviewWithoutRoomDrawsNothingAndScrollsNothing) {
  Open();
  const CRect tracker = bird->GetTracker();
  CRect window;
  bird->GetWindowRect(window);
  // Sized down to its caption: the adjusted client area has no height.
  bird->SetWindowPos(nullptr, 0, 0, window.Width(), GetSystemMetrics(SM_CYCAPTION) + 8,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(Area().Height(), 0);
  EXPECT_EQ(bird->GetTracker(), tracker) << "the tracker stays as it is";
  CPoint p(10, 10);
  bird->ClientToDoc(p);
  EXPECT_EQ(p, CPoint(10, 10));
  const CPoint before = Scroll();
  bird->SendMessage(WM_KEYDOWN, VK_DOWN, 0);
  bird->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(CPoint(5, 0)));
  bird->SendMessage(WM_LBUTTONUP, 0, At(CPoint(5, 0)));
  bird->Invalidate();
  bird->UpdateWindow();
  EXPECT_EQ(Scroll(), before);
}

TEST_F(BirdEye, AWindowThatCannotBeMadeLeavesTheViewWithoutOne) {
  ini.Write("");
  h.Open(2, 2, 100);
  // A window class that is not there: the window cannot be made.
  const CString registered = CBirdEyeWnd::m_birdEyeWndClassName;
  CBirdEyeWnd::m_birdEyeWndClassName = u"NoSuchBirdEyeClass";
  h.view.SendMessage(WM_COMMAND, 57054);
  CBirdEyeWnd::m_birdEyeWndClassName = registered;
  EXPECT_FALSE(h.view.IsBirdEyeShown());
  EXPECT_EQ(h.view.GetBirdEyeWnd(), nullptr);
  // The command works again once the window can be made.
  h.view.SendMessage(WM_COMMAND, 57054);
  ASSERT_TRUE(h.view.IsBirdEyeShown());
  EXPECT_TRUE(h.view.GetBirdEyeWnd()->GetSafeHwnd());
}

TEST_F(BirdEye, EveryZoomOfTheViewMovesTheTrackerAndRepaintsTheZoomText) {
  Open("AutoHide=0\n");
  struct Case {
    const char* name;
    void (*zoom)(CDrawView&, CDiagram&);
  };
  const Case cases[] = {
      {"zoom to an area",
       [](CDrawView& view, CDiagram& diagram) {
         const CRect canvas = diagram.GetRect();
         view.PanZoomTo(CRect(canvas.left, canvas.top, canvas.left + 200, canvas.top + (canvas.bottom - canvas.top) / 8));
       }},
      {"zoom last", [](CDrawView& view, CDiagram&) { view.OnViewLastZoom(); }},
      {"scale to fit", [](CDrawView& view, CDiagram&) { view.OnViewScaleToFit(); }},
      {"scale to width", [](CDrawView& view, CDiagram&) { view.OnViewScaleToWidth(); }},
      {"zoom in", [](CDrawView& view, CDiagram&) { view.Scale(CSize(10000, 10000)); }},
  };
  CRect client;
  bird->GetClientRect(client);
  for (const Case& k : cases) {
    const int percent = h.view.GetScalePercentage();
    bird->ValidateRect(nullptr);
    k.zoom(h.view, *h.diagram);
    ASSERT_NE(h.view.GetScalePercentage(), percent) << k.name;
    // The tracker already shows what the view shows now.
    const CRect tracker = bird->GetTracker();
    bird->UpdateTracker();
    EXPECT_EQ(tracker, bird->GetTracker()) << k.name;
    // The strip with the zoom text is repainted.
    CRect update;
    ASSERT_TRUE(GetUpdateRect(bird->GetSafeHwnd(), &update, FALSE)) << k.name;
    EXPECT_GE(update.bottom, client.bottom) << k.name;
  }
}

TEST_F(BirdEye, AViewLargerThanItsCanvasIsShownWithTheCanvasAtItsTopLeft) {
  ini.Write("");
  CDrawView::c_bShowGrid = FALSE;
  // One page in a 1600 x 1400 view at 100 %: the view shows more than the
  // canvas in both directions.
  h.Open(1, 1, 100, 1600, 1400);
  ASSERT_TRUE(h.diagram->SetPaperColor(RGB(250, 250, 200)));
  const CRect canvas = h.diagram->GetRect();
  // A green box in the canvas's top-left corner.
  auto* box = new viewtest::Box(CRect(canvas.left + 50, canvas.top - 50, canvas.left + 250, canvas.top - 250));
  ASSERT_TRUE(box->SetFillColor(RGB(0, 200, 0)));
  ASSERT_TRUE(h.diagram->Add(box));
  h.view.SendMessage(WM_COMMAND, 57054);
  bird = h.view.GetBirdEyeWnd();
  ASSERT_NE(bird, nullptr);
  ASSERT_TRUE(bird->IsViewLargerThanCanvas());
  bird->Invalidate();
  bird->UpdateWindow();
  const auto& pixels = *platform::WindowSurfaceOf(bird->GetSafeHwnd())->Raster().Pixels();
  const CRect area = Area();
  // The view shows the canvas at its top left, the window colour beyond: so
  // does the overview, in the same proportions.
  CRect shown(0, 0, 1600, 1400);
  h.view.ClientToDoc(shown);
  const double across = static_cast<double>(std::abs(canvas.Width())) / std::abs(shown.Width());
  const double down = static_cast<double>(std::abs(canvas.Height())) / std::abs(shown.Height());
  const CPoint paperAt(area.left + static_cast<int>(area.Width() * across * 0.8),
                       area.top + static_cast<int>(area.Height() * down * 0.8));
  const CPoint boxAt(area.left + static_cast<int>(area.Width() * across * 150 / std::abs(canvas.Width())),
                     area.top + static_cast<int>(area.Height() * down * 150 / std::abs(canvas.Height())));
  const CPoint beyond(area.left + static_cast<int>(area.Width() * (across + 1) / 2), area.top + 5);
  EXPECT_EQ(pixels.GetColor(paperAt.x, paperAt.y), RGB(250, 250, 200));
  EXPECT_EQ(pixels.GetColor(boxAt.x, boxAt.y), RGB(0, 200, 0));
  EXPECT_EQ(pixels.GetColor(beyond.x, beyond.y), GetSysColor(COLOR_WINDOW));
}

TEST_F(BirdEye, TheViewsHintsRepaintItAndTheViewsEndEndsIt) {
  Open();
  bird->ValidateRect(nullptr);
  EXPECT_FALSE(GetUpdateRect(bird->GetSafeHwnd(), nullptr, FALSE));
  h.view.OnUpdate(nullptr, 30, nullptr);
  EXPECT_TRUE(GetUpdateRect(bird->GetSafeHwnd(), nullptr, FALSE));
  bird->ValidateRect(nullptr);
  h.view.OnUpdate(nullptr, 12, nullptr);
  EXPECT_FALSE(GetUpdateRect(bird->GetSafeHwnd(), nullptr, FALSE)) << "a new scroll size is no repaint";
  const HWND hwnd = bird->GetSafeHwnd();
  h.view.DestroyWindow();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(h.view.IsBirdEyeShown());
}

TEST_F(BirdEye, ThePictureShowsTheTrackerAndTheZoomText) {
  Open();
  bird->Invalidate();
  bird->UpdateWindow();
  const platform::WindowSurface* surface = platform::WindowSurfaceOf(bird->GetSafeHwnd());
  ASSERT_NE(surface, nullptr);
  const CRect tracker = bird->GetTracker();
  const auto& pixels = *surface->Raster().Pixels();
  EXPECT_EQ(pixels.GetColor(tracker.left, tracker.CenterPoint().y), RGB(255, 0, 0));
  EXPECT_EQ(pixels.GetColor(tracker.left + 1, tracker.CenterPoint().y), RGB(255, 0, 0));
  // The strip holds dark text pixels on the face colour.
  const CRect area = Area();
  int dark = 0;
  for (int x = area.left; x < area.left + 80 && x < area.right; ++x) {
    for (int y = area.bottom; y < area.bottom + GetSystemMetrics(SM_CYHSCROLL); ++y) {
      dark += pixels.GetColor(x, y) == RGB(0, 0, 0);
    }
  }
  EXPECT_GT(dark, 10);
  // The canvas is drawn on its paper (white), not left in the bitmap's black.
  int white = 0;
  for (int x = area.left; x < area.right; x += 3) {
    for (int y = area.top; y < area.bottom; y += 3) white += pixels.GetColor(x, y) == RGB(255, 255, 255);
  }
  EXPECT_GT(white, (area.Width() / 3) * (area.Height() / 3) / 2);
  EXPECT_TRUE(surface->WritePng(ini.folder_.File("birdeye.png")));
  // The window's icon and its tracker cursor are the library's resources.
  WNDCLASSW windowClass{};
  ASSERT_TRUE(GetClassInfoW(nullptr, CBirdEyeWnd::m_birdEyeWndClassName.GetString(), &windowClass));
  EXPECT_NE(windowClass.hIcon, nullptr);
  EXPECT_EQ(windowClass.hIcon, LoadIconW(platform::FindModule(u"Scrivel.DLL"), MAKEINTRESOURCE(CBirdEyeWnd::kIconId)));
  EXPECT_NE(CBirdEyeWnd::cursor_inside_tracker, nullptr);
}

// A host's overview that lets the user reshape the tracker.
class ResizingBirdEye : public CBirdEyeWnd {
 public:
  ResizingBirdEye() { m_bTrackerResizingEnabled = 1; }
};

TEST_F(BirdEye, AResizingOverviewReshapesTheTrackerAndZoomsTheView) {
  Open();
  ResizingBirdEye overview;
  ASSERT_TRUE(overview.Create(&h.view, CString(u"resizing")));
  overview.UpdateTracker();
  const CRect t = overview.GetTracker();
  struct Case {
    CPoint at;
    DrawRectDirection direction;
  };
  const Case cases[] = {
      {{t.left, t.top}, drdTopLeft},          {{t.right, t.bottom}, drdBottomRight},
      {{t.left + 4, t.bottom - 2}, drdBottomLeft}, {{t.right - 4, t.top + 2}, drdTopRight},
      {{t.left + 2, t.CenterPoint().y}, drdLeft}, {{t.right, t.CenterPoint().y}, drdRight},
      {{t.CenterPoint().x, t.top}, drdTop},    {{t.CenterPoint().x, t.bottom - 2}, drdBottom},
      {t.CenterPoint(), drdNone},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(overview.GetTrackerDirection(k.at), k.direction) << k.at.x << "," << k.at.y;
    EXPECT_EQ(overview.IsPointOnTrackerLine(k.at), k.direction != drdNone);
  }
  // Dragging the bottom-right corner inward, then letting go: the view
  // zooms in to show what the smaller tracker covers.
  const CSize before = h.view.GetScaleSize();
  overview.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(t.BottomRight()));
  const CPoint to(t.left + t.Width() / 2, t.top + t.Height() / 2);
  overview.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(to));
  EXPECT_EQ(overview.GetTracker().BottomRight(), to);
  overview.SendMessage(WM_LBUTTONUP, 0, At(to));
  EXPECT_GT(h.view.GetScaleSize().cx, before.cx);
  // Dragging the top edge past the bottom turns it into the bottom edge.
  const CRect now = overview.GetTracker();
  overview.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(CPoint(now.CenterPoint().x, now.top)));
  overview.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(CPoint(now.CenterPoint().x, now.bottom + 5)));
  EXPECT_EQ(overview.GetTracker(), now);
  overview.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(CPoint(now.CenterPoint().x, now.bottom + 5)));
  EXPECT_EQ(overview.GetTracker().bottom, now.bottom + 5);
  EXPECT_EQ(overview.GetTracker().right, now.right + 5) << "the width follows the height";
  overview.SendMessage(WM_LBUTTONUP, 0, At(CPoint(now.CenterPoint().x, now.bottom + 5)));
  overview.DestroyWindow();
  // The view's own overview lives on: the host's window was not the view's.
  EXPECT_TRUE(h.view.IsBirdEyeShown());
  EXPECT_TRUE(bird->GetSafeHwnd());
}

TEST_F(BirdEye, TheBottomStripSizesTheWindowAndTheTrackerHasItsCursor) {
  Open();
  CRect client;
  bird->GetClientRect(client);
  const CRect area = Area();
  // The strip is the window's lower sizing border: the system sizes the
  // window from it and shows the sizing cursor over it.
  struct Case {
    CPoint at;  // client coordinates
    LRESULT hit;
    LPCWSTR cursor;
  };
  const Case cases[] = {
      {{5, area.bottom + 1}, HTBOTTOM, IDC_SIZENS},
      {{client.right - 2, client.bottom - 2}, HTBOTTOMRIGHT, IDC_SIZENWSE},
      {{5, area.bottom - 1}, HTCLIENT, nullptr},
  };
  for (const Case& k : cases) {
    CPoint screen = k.at;
    bird->ClientToScreen(&screen);
    const LRESULT hit = bird->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(hit, k.hit) << k.at.y;
    if (!k.cursor) continue;
    bird->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(bird->GetSafeHwnd()),
                      MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, k.cursor)) << k.at.y;
  }
  CPoint inside = bird->GetTracker().CenterPoint();
  bird->ClientToScreen(&inside);
  platform::SetCursorPosition(inside);
  bird->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(bird->GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), CBirdEyeWnd::cursor_inside_tracker);
}

}  // namespace


namespace {

// A box whose drawing fails while `fail` is set.
class FailingBox : public viewtest::Box {
 public:
  using Box::Box;
  void Draw(CDC* dc) override {
    if (fail) AfxThrowUserException();
    Box::Draw(dc);
  }
  bool fail = true;
};

}  // namespace

// The overview paints the view's diagram without its grid; the view's own
// grid setting comes back however that painting ends.
TEST_F(BirdEye, TheViewsGridComesBackWhenTheOverviewFailsToPaint) {
  const BOOL showGrid = CDrawView::c_bShowGrid;
  CDrawView::c_bShowGrid = TRUE;
  Open();
  CBirdEyeWnd::m_bDisableGridLines = TRUE;
  ASSERT_TRUE(h.view.IsGridShown());
  const CRect canvas = h.diagram->GetRect();
  auto* box = new FailingBox(CRect(canvas.left + 50, canvas.top - 50, canvas.left + 250, canvas.top - 250));
  ASSERT_TRUE(h.diagram->Add(box));
  {
    CClientDC dc(bird);
    EXPECT_THROW(bird->DrawView(dc), CUserException);
  }
  EXPECT_TRUE(h.view.IsGridShown());
  box->fail = false;
  CDrawView::c_bShowGrid = showGrid;
}
