#include "platform/ui/ToolBar.h"

#include "platform/core/ResourceModule.h"
#include "platform/core/String.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Pen.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace {

constexpr int kBorder = 2;
constexpr int kSeparator = 8;

// A raised or sunken edge: the top and left in one colour, the bottom and
// right in the other.
void Draw3d(CDC& dc, const CRect& r, COLORREF topLeft, COLORREF bottomRight) {
  CBrush first(topLeft);
  CBrush second(bottomRight);
  dc.FillRect(CRect(r.left, r.top, r.right - 1, r.top + 1), &first);
  dc.FillRect(CRect(r.left, r.top, r.left + 1, r.bottom - 1), &first);
  dc.FillRect(CRect(r.right - 1, r.top, r.right, r.bottom), &second);
  dc.FillRect(CRect(r.left, r.bottom - 1, r.right, r.bottom), &second);
}

}  // namespace

CToolBar::~CToolBar() = default;

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id) { return CreateBar(nullptr, style, parent, id); }

BOOL CToolBar::CreateEx(CWnd* parent, DWORD, DWORD style, CRect, UINT id) { return Create(parent, style, id); }

BOOL CToolBar::LoadToolBar(UINT id) {
  const platform::FoundResources found = platform::FindResources(platform::ResourceType::ToolBar, id);
  if (!found) return FALSE;
  const platform::ToolBarTemplate* bar = found.resources->FindToolBar(id);
  if (!bar) return FALSE;
  CBitmap images;
  if (!images.LoadBitmap(bar->bitmapId)) return FALSE;
  m_bitmap.DeleteObject();
  m_bitmap.Attach(images.Detach());
  m_sizeImage = CSize(bar->buttonWidth, bar->buttonHeight);
  m_sizeButton = CSize(bar->buttonWidth + 7, bar->buttonHeight + 7);
  m_buttons.clear();
  int image = 0;
  for (UINT button : bar->buttons) {
    if (button == 0) {
      m_buttons.push_back({0, TBBS_SEPARATOR, -1});
    } else {
      m_buttons.push_back({button, TBBS_BUTTON, image++});
    }
  }
  if (GetSafeHwnd()) {
    Invalidate();
    if (CFrameWnd* frame = GetDockingFrame()) frame->RecalcLayout();
  }
  return TRUE;
}

UINT CToolBar::GetItemID(int index) const {
  return index >= 0 && index < GetCount() ? m_buttons[static_cast<size_t>(index)].id : 0;
}

int CToolBar::CommandToIndex(UINT id) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (m_buttons[static_cast<size_t>(i)].id == id && id != 0) return i;
  }
  return -1;
}

UINT CToolBar::GetButtonStyle(int index) const {
  return index >= 0 && index < GetCount() ? m_buttons[static_cast<size_t>(index)].style : 0;
}

void CToolBar::SetButtonStyle(int index, UINT style) {
  if (index < 0 || index >= GetCount()) return;
  m_buttons[static_cast<size_t>(index)].style = style;
  if (GetSafeHwnd()) Invalidate();
}

void CToolBar::GetItemRect(int index, LPRECT rect) const {
  if (!rect) return;
  *rect = CRect(0, 0, 0, 0);
  if (index < 0 || index >= GetCount()) return;
  const bool horz = IsHorizontal();
  int along = kBorder;
  for (int i = 0; i < index; ++i) {
    along += m_buttons[static_cast<size_t>(i)].style & TBBS_SEPARATOR ? kSeparator
                                                                     : (horz ? m_sizeButton.cx : m_sizeButton.cy);
  }
  const bool separator = (m_buttons[static_cast<size_t>(index)].style & TBBS_SEPARATOR) != 0;
  if (horz) {
    *rect = CRect(along, kBorder, along + (separator ? kSeparator : m_sizeButton.cx), kBorder + m_sizeButton.cy);
  } else {
    *rect = CRect(kBorder, along, kBorder + m_sizeButton.cx, along + (separator ? kSeparator : m_sizeButton.cy));
  }
}

CSize CToolBar::CalcFixedLayout(BOOL, BOOL horz) {
  int along = 2 * kBorder;
  for (const Button& b : m_buttons) along += b.style & TBBS_SEPARATOR ? kSeparator : (horz ? m_sizeButton.cx : m_sizeButton.cy);
  const int across = 2 * kBorder + (horz ? m_sizeButton.cy : m_sizeButton.cx);
  return horz ? CSize(along, across) : CSize(across, along);
}

int CToolBar::HitTest(CPoint point) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (m_buttons[static_cast<size_t>(i)].style & TBBS_SEPARATOR) continue;
    CRect r;
    GetItemRect(i, r);
    if (r.PtInRect(point)) return i;
  }
  return -1;
}

void CToolBar::GetCommandTexts(UINT id, CStringW& flyBy, CStringW& tip) {
  flyBy.Empty();
  tip.Empty();
  CStringW text;
  if (!text.LoadString(id)) return;
  const int newline = text.Find(u'\n');
  if (newline < 0) {
    flyBy = text;
    return;
  }
  flyBy = text.Left(newline);
  tip = text.Mid(newline + 1);
}

void CToolBar::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(client);
  CBrush face(::GetSysColor(COLOR_3DFACE));
  dc.FillRect(&client, &face);
  CDC images;
  images.CreateCompatibleDC(&dc);
  CBitmap* old = m_bitmap.GetSafeHandle() ? images.SelectObject(&m_bitmap) : nullptr;
  CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW));
  CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_3DHIGHLIGHT));
  for (int i = 0; i < GetCount(); ++i) {
    const Button& b = m_buttons[static_cast<size_t>(i)];
    CRect r;
    GetItemRect(i, r);
    if (b.style & TBBS_SEPARATOR) {
      // An etched line across the bar.
      CPen* was = dc.SelectObject(&shadow);
      const int mid = IsHorizontal() ? (r.left + r.right) / 2 : (r.top + r.bottom) / 2;
      if (IsHorizontal()) {
        dc.MoveTo(mid, r.top + 2);
        dc.LineTo(mid, r.bottom - 2);
      } else {
        dc.MoveTo(r.left + 2, mid);
        dc.LineTo(r.right - 2, mid);
      }
      dc.SelectObject(was);
      continue;
    }
    if (i == m_nPressed || (b.style & TBBS_CHECKED)) {
      Draw3d(dc, r, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DHIGHLIGHT));
    } else if (i == m_nHot) {
      Draw3d(dc, r, ::GetSysColor(COLOR_3DHIGHLIGHT), ::GetSysColor(COLOR_3DSHADOW));
    }
    if (old || m_bitmap.GetSafeHandle()) {
      const int x = r.left + (r.Width() - m_sizeImage.cx) / 2;
      const int y = r.top + (r.Height() - m_sizeImage.cy) / 2;
      dc.BitBlt(x, y, m_sizeImage.cx, m_sizeImage.cy, &images, b.image * m_sizeImage.cx, 0, SRCCOPY);
    }
  }
  if (old) images.SelectObject(old);
}

void CToolBar::OnLButtonDown(UINT flags, CPoint point) {
  const int hit = HitTest(point);
  if (hit < 0 || (m_buttons[static_cast<size_t>(hit)].style & TBBS_DISABLED)) {
    CControlBar::OnLButtonDown(flags, point);
    return;
  }
  m_nPressed = hit;
  SetCapture();
  Invalidate();
}

void CToolBar::OnLButtonUp(UINT flags, CPoint point) {
  const int pressed = m_nPressed;
  m_nPressed = -1;
  if (GetCapture() == this) ::ReleaseCapture();
  if (pressed < 0) {
    CControlBar::OnLButtonUp(flags, point);
    return;
  }
  Invalidate();
  // Released over the button it was pressed on: its command goes to the
  // frame, or to the window the bar sits in when no frame docks it (a tool
  // bar inside a dialog).
  if (HitTest(point) == pressed) {
    CWnd* target = GetDockingFrame();
    if (!target) target = GetParent();
    if (target && target->GetSafeHwnd())
      target->SendMessage(WM_COMMAND, m_buttons[static_cast<size_t>(pressed)].id, 0);
  }
}

void CToolBar::OnMouseMove(UINT flags, CPoint point) {
  const int hit = HitTest(point);
  if (hit != m_nHot) {
    m_nHot = hit;
    Invalidate();
    CStringW flyBy, tip;
    if (hit >= 0) GetCommandTexts(m_buttons[static_cast<size_t>(hit)].id, flyBy, tip);
    // Outside a frame the window the bar sits in gives the tip, through its
    // TTN_NEEDTEXT handler; the bar's own text stays when it gives none.
    if (hit >= 0 && !GetDockingFrame() && (m_dwStyle & CBRS_TOOLTIPS)) {
      if (CWnd* parent = GetParent(); parent && parent->GetSafeHwnd()) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = GetSafeHwnd();
        info.hdr.idFrom = m_buttons[static_cast<size_t>(hit)].id;
        info.hdr.code = TTN_NEEDTEXTW;
        parent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
        if (info.lpszText) tip = info.lpszText;
      }
    }
    m_strTip = (m_dwStyle & CBRS_TOOLTIPS) ? tip : CStringW();
    // Over a button the status bar says what it does; off the buttons it
    // says "Ready" again.
    if (m_dwStyle & CBRS_FLYBY) {
      if (CFrameWnd* frame = GetDockingFrame()) {
        if (hit >= 0) {
          frame->SetMessageText(flyBy.GetString());
        } else {
          frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
        }
      }
    }
  }
  CControlBar::OnMouseMove(flags, point);
}
