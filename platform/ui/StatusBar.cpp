#include "platform/ui/StatusBar.h"

#include <algorithm>

#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi32.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

constexpr int kHeight = 20;
constexpr int kGap = 2;
constexpr int kCharWidth = 7;

// The key whose toggle shows an indicator; 0 for other panes.
int KeyOf(UINT id) {
  switch (id) {
    case ID_INDICATOR_CAPS: return VK_CAPITAL;
    case ID_INDICATOR_NUM: return VK_NUMLOCK;
    case ID_INDICATOR_SCRL: return VK_SCROLL;
    default: return 0;
  }
}

CStringW DefaultText(UINT id) {
  switch (id) {
    case ID_INDICATOR_EXT: return CStringW(u"EXT");
    case ID_INDICATOR_CAPS: return CStringW(u"CAP");
    case ID_INDICATOR_NUM: return CStringW(u"NUM");
    case ID_INDICATOR_SCRL: return CStringW(u"SCRL");
    case ID_INDICATOR_OVR: return CStringW(u"OVR");
    case ID_INDICATOR_REC: return CStringW(u"REC");
    default: return CStringW();
  }
}

}  // namespace

CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) { return CreateBar(nullptr, style, parent, id); }

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
  if (count < 0 || (count > 0 && !ids)) return FALSE;
  m_panes.clear();
  BOOL all = TRUE;
  for (int i = 0; i < count; ++i) {
    Pane pane{ids[i], CStringW(), 0};
    if (pane.id != ID_SEPARATOR) {
      if (!pane.text.LoadString(pane.id)) pane.text = DefaultText(pane.id);
      if (pane.text.IsEmpty()) all = FALSE;
      pane.width = std::max(pane.text.GetLength(), 3) * kCharWidth + 2 * kGap;
    }
    m_panes.push_back(pane);
  }
  if (GetSafeHwnd()) Invalidate();
  return all;
}

UINT CStatusBar::GetItemID(int index) const {
  return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].id : 0;
}

int CStatusBar::CommandToIndex(UINT id) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (m_panes[static_cast<size_t>(i)].id == id) return i;
  }
  return -1;
}

void CStatusBar::GetItemRect(int index, LPRECT rect) const {
  if (!rect) return;
  *rect = CRect(0, 0, 0, 0);
  if (index < 0 || index >= GetCount()) return;
  CRect client;
  if (GetSafeHwnd()) GetClientRect(client);
  // The fixed panes sit at the right; separators share what is left.
  int fixed = 0;
  int stretching = 0;
  for (const Pane& p : m_panes) {
    if (p.id == ID_SEPARATOR) {
      ++stretching;
    } else {
      fixed += p.width + kGap;
    }
  }
  const int room = std::max(0, client.Width() - fixed - kGap);
  int x = kGap;
  for (int i = 0; i <= index; ++i) {
    const Pane& p = m_panes[static_cast<size_t>(i)];
    const int width = p.id == ID_SEPARATOR ? (stretching ? room / stretching - kGap : 0) : p.width;
    if (i == index) {
      *rect = CRect(x, kGap, x + std::max(width, 0), client.bottom - kGap + 1);
      return;
    }
    x += std::max(width, 0) + kGap;
  }
}

CStringW CStatusBar::GetPaneText(int index) const {
  if (index < 0 || index >= GetCount()) return CStringW();
  const Pane& p = m_panes[static_cast<size_t>(index)];
  const int key = KeyOf(p.id);
  if (key && !(::GetKeyState(key) & 1)) return CStringW();
  return p.text;
}

BOOL CStatusBar::SetPaneText(int index, LPCWSTR text, BOOL update) {
  if (index < 0 || index >= GetCount()) return FALSE;
  m_panes[static_cast<size_t>(index)].text = text ? text : u"";
  if (update && GetSafeHwnd()) {
    CRect r;
    GetItemRect(index, r);
    InvalidateRect(&r);
  }
  return TRUE;
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL horz) { return horz ? CSize(32767, kHeight) : CSize(kHeight, 32767); }

void CStatusBar::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(client);
  CBrush face(::GetSysColor(COLOR_3DFACE));
  dc.FillRect(&client, &face);
  CBrush shadow(::GetSysColor(COLOR_3DSHADOW));
  CBrush light(::GetSysColor(COLOR_3DHIGHLIGHT));
  HFONT font = GetFontHandle();
  HGDIOBJ oldFont = font ? ::SelectObject(dc.GetSafeHdc(), font) : nullptr;
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  for (int i = 0; i < GetCount(); ++i) {
    CRect r;
    GetItemRect(i, r);
    // A sunken pane.
    dc.FillRect(CRect(r.left, r.top, r.right, r.top + 1), &shadow);
    dc.FillRect(CRect(r.left, r.top, r.left + 1, r.bottom), &shadow);
    dc.FillRect(CRect(r.left, r.bottom - 1, r.right, r.bottom), &light);
    dc.FillRect(CRect(r.right - 1, r.top, r.right, r.bottom), &light);
    const CStringW text = GetPaneText(i);
    CRect inside = r;
    inside.DeflateRect(kGap, 0);
    dc.DrawText(text.GetString(), text.GetLength(), &inside, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  }
  if (oldFont) ::SelectObject(dc.GetSafeHdc(), oldFont);
}
