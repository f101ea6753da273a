// The bird's-eye window's options, creation, life, focus and keyboard.
#include "diagram/ui/BirdEyeWnd.h"

#include <algorithm>
#include <cstdio>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/ui/DrawView.h"
#include "platform/core/Profile.h"
#include "platform/core/ResourceModule.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WndClass.h"

BOOL CBirdEyeWnd::m_bDisableGridLines = FALSE;
BOOL CBirdEyeWnd::m_bInvertFocusRect = FALSE;
unsigned CBirdEyeWnd::m_nMaxWidthPercentOfScreen = 33;
unsigned CBirdEyeWnd::m_nMaxHeightPercentOfScreen = 50;
CString CBirdEyeWnd::m_birdEyeWndClassName;
HCURSOR CBirdEyeWnd::cursor_inside_tracker = nullptr;
WCHAR CBirdEyeWnd::c_szSection[64] = u"DrawBirdEyeView";
WCHAR CBirdEyeWnd::c_szDisableGridLines[64] = u"DisableGridLines";
WCHAR CBirdEyeWnd::c_szInvertFocusRect[64] = u"InvertFocusRect";
WCHAR CBirdEyeWnd::c_szMaxWidthPercent[64] = u"MaxWidthPercentOfScreen";
WCHAR CBirdEyeWnd::c_szMaxHeightPercent[64] = u"MaxHeightPercentOfScreen";
WCHAR CBirdEyeWnd::c_szPosition[64] = u"Position";
WCHAR CBirdEyeWnd::c_szAutoHide[64] = u"AutoHide";
WCHAR CBirdEyeWnd::c_szKeepProportions[64] = u"KeepProportionsOnInitialSize";

namespace {

// "Bad MaxWidthPercentOfScreen ..." and "Bad MaxHeightPercentOfScreen ...".
constexpr ULONG kBadMaxWidth = 5;
constexpr ULONG kBadMaxHeight = 6;

unsigned ReadPercent(const WCHAR* key, unsigned host, ULONG badCode, unsigned fallback) {
  const int value = static_cast<int>(platform::GetProfileInt(CBirdEyeWnd::c_szSection, key, static_cast<int>(host)));
  if (value >= 20 && value <= 100) return static_cast<unsigned>(value);
  CMsgBox::Notify(badCode);
  return fallback;
}

// "left,top,right,bottom": true only when all four numbers were read.
bool ReadPosition(CRect& rect) {
  const CStringW text = platform::GetProfileString(CBirdEyeWnd::c_szSection, CBirdEyeWnd::c_szPosition, u"");
  const CStringA ascii(text);
  int l = 0, t = 0, r = 0, b = 0;
  char rest = 0;
  if (std::sscanf(ascii.GetString(), "%d,%d,%d,%d%c", &l, &t, &r, &b, &rest) != 4) return false;
  rect.SetRect(l, t, r, b);
  return true;
}

}  // namespace

BEGIN_MESSAGE_MAP(CBirdEyeWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_NCHITTEST()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_KEYDOWN()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CBirdEyeWnd::CBirdEyeWnd() {
  if (!cursor_inside_tracker) {
    LPCWSTR name = MAKEINTRESOURCE(kTrackerCursorId);
    cursor_inside_tracker = ::LoadCursorW(AfxFindResourceHandle(name, RT_GROUP_CURSOR), name);
  }
}

CBirdEyeWnd::~CBirdEyeWnd() = default;

void CBirdEyeWnd::GetProfile(int disableGridLines, int invertFocusRect, unsigned maxWidthPercent,
                             unsigned maxHeightPercent) {
  m_bDisableGridLines = platform::GetProfileInt(c_szSection, c_szDisableGridLines, disableGridLines);
  m_bInvertFocusRect = platform::GetProfileInt(c_szSection, c_szInvertFocusRect, invertFocusRect);
  m_nMaxWidthPercentOfScreen = ReadPercent(c_szMaxWidthPercent, maxWidthPercent, kBadMaxWidth, 33);
  m_nMaxHeightPercentOfScreen = ReadPercent(c_szMaxHeightPercent, maxHeightPercent, kBadMaxHeight, 50);
}

void CBirdEyeWnd::WriteProfile() {
  platform::WriteProfileInt(c_szSection, c_szDisableGridLines, m_bDisableGridLines);
  platform::WriteProfileInt(c_szSection, c_szInvertFocusRect, m_bInvertFocusRect);
  platform::WriteProfileInt(c_szSection, c_szMaxWidthPercent, static_cast<int>(m_nMaxWidthPercentOfScreen));
  platform::WriteProfileInt(c_szSection, c_szMaxHeightPercent, static_cast<int>(m_nMaxHeightPercentOfScreen));
}

CRect CBirdEyeWnd::GetCanvasRect() {
  CDiagram* diagram = m_pView ? m_pView->GetDiagram() : nullptr;
  return diagram ? diagram->GetRect() : CRect(0, 0, 0, 0);
}

CSize CBirdEyeWnd::GetViewExtent() {
  if (!m_pView || !m_pView->GetSafeHwnd()) return CSize(0, 0);
  CRect shown;
  m_pView->GetClientRect(shown);
  m_pView->ClientToDoc(shown);
  return CSize(std::abs(shown.Width()), std::abs(shown.Height()));
}

CRect CBirdEyeWnd::GetSourceRect() {
  CRect source = GetCanvasRect();
  if (!m_bViewLargerThanCanvas) return source;
  // The view shows the canvas at its top left and more beyond it: the
  // canvas grown to the view's extent, in the diagram's own y direction.
  const CSize extent = GetViewExtent();
  if (extent.cx > std::abs(source.Width())) source.right = source.left + extent.cx;
  if (extent.cy > std::abs(source.Height())) {
    source.bottom = source.top > source.bottom ? source.top - extent.cy : source.top + extent.cy;
  }
  return source;
}

BOOL CBirdEyeWnd::Create(CDrawView* view, const CString& title) {
  if (!view || !view->GetSafeHwnd() || !view->GetDiagram()) return FALSE;
  m_pView = view;
  if (m_birdEyeWndClassName.IsEmpty()) {
    // The icon is the library's own: it loads from the module that holds it.
    LPCWSTR icon = MAKEINTRESOURCE(kIconId);
    m_birdEyeWndClassName = AfxRegisterWndClassW(CS_OWNDC | CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr,
                                                 ::LoadIconW(AfxFindResourceHandle(icon, RT_GROUP_ICON), icon));
  }
  CRect stored;
  const bool hasPosition = ReadPosition(stored);
  m_nAutoHide = static_cast<int>(platform::GetProfileInt(c_szSection, c_szAutoHide, 1));

  // What is shown: the canvas, or the view's client area (in document
  // units) where that is larger.
  const CRect canvas = GetCanvasRect();
  CSize shown(std::abs(canvas.Width()), std::abs(canvas.Height()));
  const CSize client = GetViewExtent();
  m_bViewLargerThanCanvas = 0;
  if (client.cx > shown.cx) {
    shown.cx = client.cx;
    m_bViewLargerThanCanvas = 1;
  }
  if (client.cy > shown.cy) {
    shown.cy = client.cy;
    m_bViewLargerThanCanvas = 1;
  }
  shown.cx = std::max<LONG>(shown.cx, 1);
  shown.cy = std::max<LONG>(shown.cy, 1);

  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  CRect work(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  if (::GetMonitorInfo(::MonitorFromWindow(view->GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &monitor)) {
    work = monitor.rcWork;
  }
  const double usableWidth = std::max<double>(work.right * static_cast<double>(m_nMaxWidthPercentOfScreen) / 100, 1);
  const double usableHeight =
      std::max<double>(work.bottom * static_cast<double>(m_nMaxHeightPercentOfScreen) / 100, 1);
  const double scale = std::max(shown.cx / usableWidth, shown.cy / usableHeight);
  const int frameX = ::GetSystemMetrics(SM_CXSIZEFRAME);
  const int frameY = ::GetSystemMetrics(SM_CYSIZEFRAME);
  const int caption = ::GetSystemMetrics(SM_CYCAPTION);
  const int width = 2 * frameX + static_cast<int>(shown.cx / scale);
  const int height = 2 * frameY + caption + static_cast<int>(shown.cy / scale);

  CRect place;
  if (hasPosition) {
    if (platform::GetProfileInt(c_szSection, c_szKeepProportions, 1)) {
      place.SetRect(stored.left, stored.top, stored.left + std::max(width, stored.Width()),
                    stored.top + std::max(height, stored.Height()));
    } else {
      place = stored;
    }
  } else {
    CRect viewRect;
    view->GetWindowRect(viewRect);
    int x = viewRect.right + ::GetSystemMetrics(SM_CXVSCROLL) + frameX + 1;
    if (x + width > work.right) x = work.right - width;
    int y = viewRect.top - frameY - caption - 1;
    if (y + height > work.bottom) y = work.bottom - height;
    place.SetRect(x, y, x + width, y + height);
  }
  CWnd* owner = AfxGetMainWnd();
  return CreateEx(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE, m_birdEyeWndClassName, title,
                  WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, place, owner, 0);
}

int CBirdEyeWnd::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  CClientDC dc(this);
  if (!m_memDC.CreateCompatibleDC(&dc)) return -1;
  return 0;
}

void CBirdEyeWnd::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  if (!m_memDC.GetSafeHdc()) return;
  m_memBitmap.DeleteObject();
  CClientDC dc(this);
  m_memBitmap.CreateCompatibleBitmap(&dc, std::max(cx, 1), std::max(cy, 1));
  Invalidate(FALSE);
  UpdateTracker();
}

void CBirdEyeWnd::OnDestroy() {
  CRect rect;
  GetWindowRect(rect);
  CString text;
  text.Format(u"%d,%d,%d,%d", rect.left, rect.top, rect.right, rect.bottom);
  platform::WriteProfileString(c_szSection, c_szPosition, text);
  m_memDC.DeleteDC();
  m_memBitmap.DeleteObject();
  CWnd::OnDestroy();
}

void CBirdEyeWnd::PostNcDestroy() {
  CWnd::PostNcDestroy();
  // The view owns the window it made: it forgets and deletes it. A window a
  // host made for the view is the host's.
  if (m_pView && m_pView->GetBirdEyeWnd() == this) m_pView->YourBirdEyeHaveBeenDestroyed();
}

LRESULT CBirdEyeWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Moves need no default handling.
  if (message == WM_MOVE) return 0;
  return CWnd::WindowProc(message, wParam, lParam);
}

void CBirdEyeWnd::OnSetFocus(CWnd* old) {
  CWnd::OnSetFocus(old);
  if (CWnd* main = AfxGetMainWnd(); main && main->GetSafeHwnd() && main != this) main->BringWindowToTop();
}

void CBirdEyeWnd::OnKillFocus(CWnd* next) {
  CWnd::OnKillFocus(next);
  m_nAutoHide = static_cast<int>(platform::GetProfileInt(c_szSection, c_szAutoHide, 1));
  if (m_nAutoHide) PostMessage(WM_CLOSE);
}

void CBirdEyeWnd::OnLButtonDblClk(UINT, CPoint) { PostMessage(WM_CLOSE); }

void CBirdEyeWnd::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  CSize step(10, 10);
  if (CDiagram* diagram = m_pView ? m_pView->GetDiagram() : nullptr) {
    const CSize grid = diagram->GetGridSize();
    step = CSize(std::max<int>(1, grid.cx), std::max<int>(1, grid.cy));
  }
  // A grid step of the diagram on each axis, in this window's pixels (at
  // least one).
  CRect unit(0, 0, step.cx, step.cy);
  DocToClient(unit);
  const int dx = std::max(1, std::abs(unit.Width()));
  const int dy = std::max(1, std::abs(unit.Height()));
  const bool shift = ::GetKeyState(VK_SHIFT) < 0 && m_bTrackerResizingEnabled;
  int mx = 0, my = 0;
  switch (key) {
    case VK_LEFT: mx = -dx; break;
    case VK_RIGHT: mx = dx; break;
    case VK_UP: my = -dy; break;
    case VK_DOWN: my = dy; break;
    case VK_RETURN:
    case VK_ESCAPE:
      PostMessage(WM_CLOSE);
      return;
    default:
      CWnd::OnKeyDown(key, repeat, flags);
      return;
  }
  if (shift) {
    ResizeTrackerFromKeyboard(mx, my);
  } else {
    RepositionTrackerFromKeyboard(mx, my);
  }
}

void CBirdEyeWnd::RepositionTrackerFromKeyboard(int dx, int dy) {
  const CRect area = GetAdjustedClientRect();
  InvalidateTrackerRect(FALSE);
  m_tracker.OffsetRect(dx, dy);
  if (m_tracker.top < area.top) m_tracker.OffsetRect(0, area.top - m_tracker.top);
  if (m_tracker.bottom > area.bottom) m_tracker.OffsetRect(0, area.bottom - m_tracker.bottom);
  if (m_tracker.left < area.left) m_tracker.OffsetRect(area.left - m_tracker.left, 0);
  if (m_tracker.right > area.right) m_tracker.OffsetRect(area.right - m_tracker.right, 0);
  InvalidateTrackerRect(TRUE);
  ScrollViewToTracker();
}

void CBirdEyeWnd::ResizeTrackerFromKeyboard(int dx, int dy) {
  // The right edge follows the left and right arrows, the bottom edge the
  // up and down arrows; the other dimension changes by the same amount.
  CRect reshaped = m_tracker;
  reshaped.right += dx + dy;
  reshaped.bottom += dx + dy;
  const CRect area = GetAdjustedClientRect();
  CRect within;
  const bool inside = reshaped.left < reshaped.right && reshaped.top < reshaped.bottom &&
                      within.IntersectRect(reshaped, area) && within == reshaped;
  if (!inside || reshaped == m_tracker) return;
  InvalidateTrackerRect(FALSE);
  m_tracker = reshaped;
  InvalidateTrackerRect(TRUE);
  ScaleViewAndScroll();
}

void CBirdEyeWnd::ScaleViewAndScroll() {
  if (!m_pView || !m_pView->GetSafeHwnd()) return;
  const CRect area = GetAdjustedClientRect();
  if (area.IsRectEmpty() || GetCanvasRect().left == GetCanvasRect().right ||
      GetCanvasRect().top == GetCanvasRect().bottom) {
    return;
  }
  CRect shown = m_tracker;
  shown.OffsetRect(-area.left, -area.top);
  ClientToDoc(shown);
  const bool upward = GetCanvasRect().top > GetCanvasRect().bottom;
  if (upward) std::swap(shown.top, shown.bottom);
  // The view's zoom may move the view's own overview's tracker; the view's
  // top left still goes to the reshaped tracker's.
  const CRect reshaped = m_tracker;
  m_pView->PanZoomTo(shown);
  m_tracker = reshaped;
  ScrollViewToTracker();
}
