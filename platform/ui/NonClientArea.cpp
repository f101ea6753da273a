#include "platform/ui/NonClientArea.h"

#include <algorithm>
#include <cstring>

#include "platform/core/Geometry.h"
#include "platform/gdi/Gdi32.h"
#include "platform/ui/ScrollBarState.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowSystem.h"

namespace platform {
namespace {

// A solid fill in a system colour.
void Fill(HDC dc, const RECT& r, int colorIndex) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  HBRUSH brush = ::CreateSolidBrush(::GetSysColor(colorIndex));
  ::FillRect(dc, &r, brush);
  ::DeleteObject(brush);
}

// One ring of an edge: `topLeft` along the top and left sides, `bottomRight`
// along the bottom and right ones. Returns the rectangle inside the ring.
RECT Ring(HDC dc, RECT r, int topLeft, int bottomRight) {
  Fill(dc, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  Fill(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  return {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

// The classic raised edge (a button, a frame), two rings deep.
RECT RaisedEdge(HDC dc, const RECT& r) {
  return Ring(dc, Ring(dc, r, COLOR_3DLIGHT, COLOR_3DDKSHADOW), COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
}

// The classic sunken edge (WS_EX_CLIENTEDGE), two rings deep.
RECT SunkenEdge(HDC dc, const RECT& r) {
  return Ring(dc, Ring(dc, r, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT), COLOR_3DDKSHADOW, COLOR_3DLIGHT);
}

// A raised button face.
void Button(HDC dc, const RECT& r) { Fill(dc, RaisedEdge(dc, r), COLOR_3DFACE); }

enum class Arrow { up, down, left, right };

// A filled arrow head of four rows centred in `r`.
void ArrowGlyph(HDC dc, const RECT& r, Arrow arrow, int colorIndex) {
  const int cx = (r.left + r.right) / 2;
  const int cy = (r.top + r.bottom) / 2;
  for (int row = 0; row < 4; ++row) {
    const int half = 3 - row;  // widths 7, 5, 3, 1 from the base to the point
    switch (arrow) {
      case Arrow::up: Fill(dc, {cx - half, cy + 1 - row, cx + half + 1, cy + 2 - row}, colorIndex); break;
      case Arrow::down: Fill(dc, {cx - half, cy - 2 + row, cx + half + 1, cy - 1 + row}, colorIndex); break;
      case Arrow::left: Fill(dc, {cx + 1 - row, cy - half, cx + 2 - row, cy + half + 1}, colorIndex); break;
      case Arrow::right: Fill(dc, {cx - 2 + row, cy - half, cx - 1 + row, cy + half + 1}, colorIndex); break;
    }
  }
}

// A scroll bar in `r`: the two arrow buttons, the track and the thumb where
// the bar's position lies (none while it has nothing to scroll).
void ScrollBarPicture(HDC dc, const RECT& r, bool vertical, const SCROLLINFO& info) {
  const int length = vertical ? r.bottom - r.top : r.right - r.left;
  const int thickness = vertical ? r.right - r.left : r.bottom - r.top;
  if (length <= 0 || thickness <= 0) return;
  const int arrow = std::min(thickness, length / 2);
  const RECT first = vertical ? RECT{r.left, r.top, r.right, r.top + arrow} : RECT{r.left, r.top, r.left + arrow, r.bottom};
  const RECT second =
      vertical ? RECT{r.left, r.bottom - arrow, r.right, r.bottom} : RECT{r.right - arrow, r.top, r.right, r.bottom};
  const int range = info.nMax - info.nMin + 1;
  const bool scrolls = info.nMax > info.nMin && static_cast<int>(info.nPage) < range;
  const int glyph = scrolls ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
  Button(dc, first);
  ArrowGlyph(dc, first, vertical ? Arrow::up : Arrow::left, glyph);
  Button(dc, second);
  ArrowGlyph(dc, second, vertical ? Arrow::down : Arrow::right, glyph);
  const int trackStart = (vertical ? r.top : r.left) + arrow;
  const int track = length - 2 * arrow;
  if (track <= 0) return;
  const RECT trackRect = vertical ? RECT{r.left, trackStart, r.right, trackStart + track}
                                  : RECT{trackStart, r.top, trackStart + track, r.bottom};
  HBRUSH trackBrush = ::CreateSolidBrush(RGB(236, 233, 228));  // the classic track's light dither, as one colour
  ::FillRect(dc, &trackRect, trackBrush);
  ::DeleteObject(trackBrush);
  if (!scrolls) return;
  // The thumb is as long as the page is of the range (at least 8 pixels),
  // and lies as far along the rest of the track as the position along the
  // positions it can take.
  const int page = std::max<int>(1, static_cast<int>(info.nPage));
  const int thumb = std::clamp(static_cast<int>(int64_t{track} * page / range), std::min(8, track), track);
  const int positions = std::max(1, range - page);
  const int offset = static_cast<int>(int64_t{track - thumb} * std::clamp(info.nPos - info.nMin, 0, positions) / positions);
  const RECT thumbRect = vertical ? RECT{r.left, trackStart + offset, r.right, trackStart + offset + thumb}
                                  : RECT{trackStart + offset, r.top, trackStart + offset + thumb, r.bottom};
  Button(dc, thumbRect);
}

// The caption buttons, right to left: close, then maximise and minimise.
void CaptionButtons(HDC dc, RECT caption, DWORD style) {
  if (!(style & WS_SYSMENU)) return;
  const int height = caption.bottom - caption.top - 4;
  const int width = height + 2;
  if (height < 6) return;
  RECT button{caption.right - 2 - width, caption.top + 2, caption.right - 2, caption.top + 2 + height};
  Button(dc, button);
  // Close: a cross of two-pixel strokes.
  const int cx = (button.left + button.right) / 2, cy = (button.top + button.bottom) / 2;
  for (int i = -3; i <= 3; ++i) {
    Fill(dc, {cx + i - 1, cy + i, cx + i + 1, cy + i + 1}, COLOR_BTNTEXT);
    Fill(dc, {cx - i - 1, cy + i, cx - i + 1, cy + i + 1}, COLOR_BTNTEXT);
  }
  if (!(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) return;
  ::OffsetRect(&button, -width - 2, 0);
  Button(dc, button);
  const int enabledMax = (style & WS_MAXIMIZEBOX) ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
  // Maximise: a window outline with a thick top.
  RECT frame{button.left + 4, button.top + 3, button.right - 5, button.bottom - 4};
  Fill(dc, {frame.left, frame.top, frame.right, frame.top + 2}, enabledMax);
  Fill(dc, {frame.left, frame.top, frame.left + 1, frame.bottom}, enabledMax);
  Fill(dc, {frame.right - 1, frame.top, frame.right, frame.bottom}, enabledMax);
  Fill(dc, {frame.left, frame.bottom - 1, frame.right, frame.bottom}, enabledMax);
  ::OffsetRect(&button, -width, 0);
  Button(dc, button);
  // Minimise: a bar at the foot.
  Fill(dc, {button.left + 4, button.bottom - 6, button.right - 6, button.bottom - 4},
       (style & WS_MINIMIZEBOX) ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
}

void CaptionPicture(HDC dc, const RECT& caption, HWND hwnd, DWORD style, bool small) {
  const bool active = IsCaptionActive(hwnd);
  // The caption's last row is a line of the frame's colour.
  RECT bar = caption;
  bar.bottom -= 1;
  Fill(dc, {caption.left, bar.bottom, caption.right, caption.bottom}, COLOR_3DFACE);
  Fill(dc, bar, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  CaptionButtons(dc, bar, style);
  const int length = ::GetWindowTextLengthW(hwnd);
  if (length <= 0) return;
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  const int got = ::GetWindowTextW(hwnd, text.data(), length + 1);
  LOGFONTW font{};
  font.lfHeight = small ? -10 : -11;
  font.lfWeight = FW_BOLD;
  const char16_t face[] = u"Tahoma";
  std::memcpy(font.lfFaceName, face, sizeof face);
  HFONT hfont = ::CreateFontIndirectW(&font);
  HGDIOBJ old = ::SelectObject(dc, hfont);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  RECT textRect{bar.left + 4, bar.top, bar.right - 4, bar.bottom};
  if (style & WS_SYSMENU) {
    const int buttons = (style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) ? 3 : 1;
    textRect.right -= buttons * (bar.bottom - bar.top - 2) + 6;
  }
  ::DrawTextW(dc, text.c_str(), got, &textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
  ::SelectObject(dc, old);
  ::DeleteObject(hfont);
}

}  // namespace

bool IsCaptionActive(HWND hwnd) {
  if (hwnd == ::GetActiveWindow()) return true;
  if (!(::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD)) return false;
  HWND focus = ::GetFocus();
  return focus && (focus == hwnd || ::IsChild(hwnd, focus));
}

bool PaintNonClientArea(HWND hwnd, HDC dc) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w || !dc) return false;
  const DWORD style = w->style;
  const DWORD exStyle = w->exStyle;
  RECT r{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  // The frame of the style, outermost first.
  if (style & WS_THICKFRAME) {
    RECT inner = RaisedEdge(dc, r);
    const int face = GetSystemMetrics(SM_CXFRAME) - 2;
    Fill(dc, {inner.left, inner.top, inner.right, inner.top + face}, COLOR_ACTIVEBORDER);
    Fill(dc, {inner.left, inner.bottom - face, inner.right, inner.bottom}, COLOR_ACTIVEBORDER);
    Fill(dc, {inner.left, inner.top, inner.left + face, inner.bottom}, COLOR_ACTIVEBORDER);
    Fill(dc, {inner.right - face, inner.top, inner.right, inner.bottom}, COLOR_ACTIVEBORDER);
    ::InflateRect(&r, -GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME));
  } else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
    RECT inner = RaisedEdge(dc, r);
    Ring(dc, inner, COLOR_3DFACE, COLOR_3DFACE);
    ::InflateRect(&r, -GetSystemMetrics(SM_CXDLGFRAME), -GetSystemMetrics(SM_CYDLGFRAME));
  } else if (style & WS_BORDER) {
    Ring(dc, r, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
    ::InflateRect(&r, -GetSystemMetrics(SM_CXBORDER), -GetSystemMetrics(SM_CYBORDER));
  }
  const int caption = CaptionHeight(style, exStyle);
  if (caption > 0) {
    CaptionPicture(dc, {r.left, r.top, r.right, r.top + caption}, hwnd, style, (exStyle & WS_EX_TOOLWINDOW) != 0);
    r.top += caption;
  }
  if (exStyle & WS_EX_CLIENTEDGE) r = SunkenEdge(dc, r);
  if (exStyle & WS_EX_STATICEDGE) r = Ring(dc, r, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
  // The scroll bars lie between what is left and the client area.
  const RECT client = ClientAreaInWindow(*w);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  // A bar without a range yet shows as one with nothing to scroll.
  if (style & WS_VSCROLL) {
    ::GetScrollInfo(hwnd, SB_VERT, &info);
    ScrollBarPicture(dc, {client.right, client.top, client.right + GetSystemMetrics(SM_CXVSCROLL), client.bottom},
                     true, info);
  }
  info = SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  if (style & WS_HSCROLL) {
    ::GetScrollInfo(hwnd, SB_HORZ, &info);
    ScrollBarPicture(dc, {client.left, client.bottom, client.right, client.bottom + GetSystemMetrics(SM_CYHSCROLL)},
                     false, info);
  }
  // The size box where both bars meet.
  if ((style & WS_VSCROLL) && (style & WS_HSCROLL)) {
    Fill(dc,
         {client.right, client.bottom, client.right + GetSystemMetrics(SM_CXVSCROLL),
          client.bottom + GetSystemMetrics(SM_CYHSCROLL)},
         COLOR_3DFACE);
  }
  return true;
}

}  // namespace platform
