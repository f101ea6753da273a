#include "platform/ui/ControlBar.h"

#include <algorithm>

#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WndClass.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_WM_SIZE()
END_MESSAGE_MAP()

CControlBar::~CControlBar() {
  if (m_pDockBar) m_pDockBar->RemoveControlBar(this);
  if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
}

BOOL CControlBar::CreateBar(LPCWSTR className, DWORD style, CWnd* parent, UINT id) {
  // A frame docks the bar and lays it out; any other parent (a dialog)
  // places the bar itself.
  if (!parent || !parent->GetSafeHwnd()) return FALSE;
  auto* frame = dynamic_cast<CFrameWnd*>(parent);
  m_dwStyle = style & 0xFFFFu & ~0x0Fu;
  m_dwStyle |= style & CBRS_GRIPPER;
  const DWORD windowStyle = (style & 0xFFFF0000u & ~CBRS_GRIPPER) | WS_CHILD | WS_CLIPSIBLINGS;
  if (!CreateEx(0, className ? className : AfxRegisterWndClassW(0), u"", windowStyle, CRect(0, 0, 0, 0), parent,
                id)) {
    return FALSE;
  }
  if (frame) {
    m_pDockSite = frame;
    frame->AddControlBar(this);
  }
  return TRUE;
}

void CControlBar::PostNcDestroy() {
  if (m_pDockBar) m_pDockBar->RemoveControlBar(this);
  m_pDockBar = nullptr;
  if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
  m_pDockSite = nullptr;
  CWnd::PostNcDestroy();
}

BOOL CControlBar::IsVisible() const {
  if (m_nDelayed == 1) return TRUE;
  if (m_nDelayed == 2) return FALSE;
  return (GetStyle() & WS_VISIBLE) != 0;
}

CSize CControlBar::CalcFixedLayout(BOOL, BOOL) { return CSize(0, 0); }

BOOL CControlBar::OnEraseBkgnd(CDC* dc) {
  CRect client;
  GetClientRect(client);
  CBrush face(::GetSysColor(COLOR_3DFACE));
  dc->FillRect(&client, &face);
  return TRUE;
}

// --- Dock bars ---------------------------------------------------------------

namespace {

DWORD AlignOfDockBar(UINT id) {
  switch (id) {
    case AFX_IDW_DOCKBAR_TOP: return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM: return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT: return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT: return CBRS_ALIGN_RIGHT;
    default: return 0;
  }
}

}  // namespace

BOOL CDockBar::Create(CFrameWnd* frame, UINT id) {
  const DWORD align = AlignOfDockBar(id);
  if (!align) return FALSE;
  return CreateBar(nullptr, WS_VISIBLE | align, frame, id);
}

BOOL CDockBar::IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

CSize CDockBar::CalcFixedLayout(BOOL, BOOL) {
  const bool horz = IsHorizontal();
  int thickness = 0;
  for (const auto& row : m_rows) {
    int rowThickness = 0;
    for (CControlBar* bar : row) {
      if (!bar->IsVisible()) continue;
      const CSize size = bar->CalcFixedLayout(FALSE, horz);
      rowThickness = std::max<int>(rowThickness, horz ? size.cy : size.cx);
    }
    thickness += rowThickness;
  }
  return horz ? CSize(32767, thickness) : CSize(thickness, 32767);
}

bool CDockBar::Locate(const CControlBar* bar, int& row, int& pos) const {
  for (size_t r = 0; r < m_rows.size(); ++r) {
    auto it = std::find(m_rows[r].begin(), m_rows[r].end(), bar);
    if (it != m_rows[r].end()) {
      row = static_cast<int>(r);
      pos = static_cast<int>(it - m_rows[r].begin());
      return true;
    }
  }
  return false;
}

void CDockBar::RemoveControlBar(CControlBar* bar) {
  for (auto& row : m_rows) row.erase(std::remove(row.begin(), row.end(), bar), row.end());
  m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), [](const auto& row) { return row.empty(); }),
               m_rows.end());
  if (bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
}

void CDockBar::PlaceAt(CControlBar* bar, int row, int pos) {
  if (bar->m_pDockBar) bar->m_pDockBar->RemoveControlBar(bar);
  row = std::max(row, 0);
  if (static_cast<size_t>(row) >= m_rows.size()) m_rows.resize(static_cast<size_t>(row) + 1);
  auto& list = m_rows[static_cast<size_t>(row)];
  pos = std::clamp(pos, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + pos, bar);
  // Rows left empty by an index beyond the last are dropped.
  m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), [](const auto& r) { return r.empty(); }), m_rows.end());
  bar->m_pDockBar = this;
  bar->m_dwStyle = (bar->m_dwStyle & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY);
  if (::GetParent(bar->GetSafeHwnd()) != GetSafeHwnd()) bar->SetParent(this);
  Arrange();
}

void CDockBar::DockControlBar(CControlBar* bar, LPCRECT rect) {
  if (!bar || bar == this) return;
  if (bar->m_pDockBar) bar->m_pDockBar->RemoveControlBar(bar);
  const bool horz = IsHorizontal();
  if (!rect) {
    PlaceAt(bar, static_cast<int>(m_rows.size()), 0);
    return;
  }
  // The row the rectangle's middle falls in, by the rows' places now.
  CRect client;
  GetWindowRect(client);
  const CPoint mid((rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2);
  const int lead = horz ? mid.y : mid.x;
  const int along = horz ? mid.x : mid.y;
  int edge = horz ? client.top : client.left;
  int rowIndex = -1;
  for (size_t r = 0; r < m_rows.size(); ++r) {
    int thickness = 0;
    for (CControlBar* b : m_rows[r]) {
      const CSize size = b->CalcFixedLayout(FALSE, horz);
      thickness = std::max<int>(thickness, horz ? size.cy : size.cx);
    }
    if (lead < edge) {
      // Above the row: a new row here.
      m_rows.insert(m_rows.begin() + static_cast<long>(r), std::vector<CControlBar*>());
      rowIndex = static_cast<int>(r);
      break;
    }
    if (lead < edge + thickness) {
      rowIndex = static_cast<int>(r);
      break;
    }
    edge += thickness;
  }
  if (rowIndex < 0) rowIndex = static_cast<int>(m_rows.size());
  int pos = 0;
  if (static_cast<size_t>(rowIndex) < m_rows.size()) {
    for (CControlBar* b : m_rows[static_cast<size_t>(rowIndex)]) {
      CRect r;
      b->GetWindowRect(r);
      if ((horz ? r.CenterPoint().x : r.CenterPoint().y) < along) ++pos;
    }
  }
  PlaceAt(bar, rowIndex, pos);
}

void CDockBar::PostNcDestroy() {
  CControlBar::PostNcDestroy();
  delete this;
}

void CDockBar::OnSize(UINT type, int cx, int cy) {
  CControlBar::OnSize(type, cx, cy);
  Arrange();
}

void CDockBar::Arrange() {
  const bool horz = IsHorizontal();
  int edge = 0;
  for (const auto& row : m_rows) {
    int along = 0;
    int thickness = 0;
    for (CControlBar* bar : row) {
      if (!bar->IsVisible() || !bar->GetSafeHwnd()) continue;
      const CSize size = bar->CalcFixedLayout(FALSE, horz);
      if (horz) {
        bar->MoveWindow(along, edge, size.cx, size.cy);
        along += size.cx;
        thickness = std::max<int>(thickness, size.cy);
      } else {
        bar->MoveWindow(edge, along, size.cx, size.cy);
        along += size.cy;
        thickness = std::max<int>(thickness, size.cx);
      }
    }
    edge += thickness;
  }
}
