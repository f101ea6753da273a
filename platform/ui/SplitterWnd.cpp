#include "platform/ui/SplitterWnd.h"

#include <algorithm>

#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/StandardIds.h"
#include "platform/ui/View.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WndClass.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CSplitterWnd::~CSplitterWnd() = default;

BOOL CSplitterWnd::Create(CWnd* parent, int maxRows, int maxCols, SIZE minPane, CCreateContext* context, DWORD style,
                          UINT id) {
  if (!parent || !context || !context->m_pNewViewClass || maxRows < 1 || maxRows > 2 || maxCols < 1 ||
      maxCols > 2) {
    return FALSE;
  }
  m_nMaxRows = maxRows;
  m_nMaxCols = maxCols;
  m_sizeMin = minPane;
  m_context = *context;
  m_paneStyle = style & (WS_HSCROLL | WS_VSCROLL);
  CRect client;
  parent->GetClientRect(client);
  const DWORD own = (style & ~(WS_HSCROLL | WS_VSCROLL | SPLS_DYNAMIC_SPLIT)) | WS_CHILD;
  if (!CreateEx(0, AfxRegisterWndClassW(CS_DBLCLKS), u"", own, client, parent, id)) return FALSE;
  m_nRows = 1;
  m_nCols = 1;
  if (!CreatePane(0, 0)) {
    DestroyWindow();
    return FALSE;
  }
  RecalcLayout();
  return TRUE;
}

BOOL CSplitterWnd::CreatePane(int row, int col) {
  CFrameWnd* frame = GetParentFrame();
  if (!frame) return FALSE;
  CObject* object = m_context.m_pNewViewClass->CreateObject();
  auto* view = dynamic_cast<CView*>(object);
  if (!view) {
    delete object;
    return FALSE;
  }
  view->m_deleteWithWindow = true;
  CCreateContext context = m_context;
  context.m_pCurrentFrame = frame;
  if (!view->Create(static_cast<LPCWSTR>(nullptr), nullptr, WS_CHILD | WS_VISIBLE | m_paneStyle, CRect(0, 0, 1, 1),
                    this, static_cast<UINT>(IdFromRowCol(row, col)), &context)) {
    return FALSE;
  }
  // A pane made after the frame's first update has its own.
  if (frame->IsInitialUpdateDone()) view->OnInitialUpdate();
  return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
  if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols) return nullptr;
  return GetDlgItem(IdFromRowCol(row, col));
}

int CSplitterWnd::TopSplitBoxStrip() const {
  return m_nRows < m_nMaxRows && (m_paneStyle & WS_VSCROLL) ? m_cySplitBox : 0;
}

int CSplitterWnd::LeftSplitBoxStrip() const {
  return m_nCols < m_nMaxCols && (m_paneStyle & WS_HSCROLL) ? m_cxSplitBox : 0;
}

BOOL CSplitterWnd::SplitRow(int before) {
  CRect client;
  GetClientRect(client);
  if (m_nRows >= m_nMaxRows || before < m_sizeMin.cy || client.Height() - before - m_cySplitter < m_sizeMin.cy) {
    return FALSE;
  }
  m_nRows = 2;
  m_nSplitRow = before;
  for (int col = 0; col < m_nCols; ++col) {
    if (!CreatePane(1, col)) {
      for (int c = 0; c < col; ++c) {
        if (CWnd* pane = GetPane(1, c)) pane->DestroyWindow();
      }
      m_nRows = 1;
      return FALSE;
    }
  }
  RecalcLayout();
  return TRUE;
}

BOOL CSplitterWnd::SplitColumn(int before) {
  CRect client;
  GetClientRect(client);
  if (m_nCols >= m_nMaxCols || before < m_sizeMin.cx || client.Width() - before - m_cxSplitter < m_sizeMin.cx) {
    return FALSE;
  }
  m_nCols = 2;
  m_nSplitCol = before;
  for (int row = 0; row < m_nRows; ++row) {
    if (!CreatePane(row, 1)) {
      for (int r = 0; r < row; ++r) {
        if (CWnd* pane = GetPane(r, 1)) pane->DestroyWindow();
      }
      m_nCols = 1;
      return FALSE;
    }
  }
  RecalcLayout();
  return TRUE;
}

namespace {

// Where the panes of one direction lie: the first from `lead` to `edge`,
// then the bar, then the second to `end`; one pane from `lead` to `end`.
struct Span {
  int firstStart, firstEnd, secondStart, secondEnd;
};

Span Spans(bool split, int lead, int splitAt, int bar, int end) {
  if (!split) return {lead, end, end, end};
  const int edge = std::clamp(splitAt, lead, end);
  return {lead, edge, std::min(edge + bar, end), end};
}

void FillColor(CDC& dc, const CRect& r, int colorIndex) {
  if (r.IsRectEmpty()) return;
  CBrush brush(::GetSysColor(colorIndex));
  dc.FillRect(&r, &brush);
}

// A raised strip: a light line on its leading side, a dark one on its
// trailing side, the face between.
void RaisedBar(CDC& dc, const CRect& r, bool vertical) {
  FillColor(dc, r, COLOR_3DFACE);
  if (vertical) {
    FillColor(dc, CRect(r.left, r.top, r.left + 1, r.bottom), COLOR_3DHIGHLIGHT);
    FillColor(dc, CRect(r.right - 1, r.top, r.right, r.bottom), COLOR_3DSHADOW);
  } else {
    FillColor(dc, CRect(r.left, r.top, r.right, r.top + 1), COLOR_3DHIGHLIGHT);
    FillColor(dc, CRect(r.left, r.bottom - 1, r.right, r.bottom), COLOR_3DSHADOW);
  }
}

// A split box: a small raised button.
void SplitBox(CDC& dc, const CRect& r) {
  FillColor(dc, r, COLOR_3DFACE);
  FillColor(dc, CRect(r.left, r.top, r.right, r.top + 1), COLOR_3DHIGHLIGHT);
  FillColor(dc, CRect(r.left, r.top, r.left + 1, r.bottom), COLOR_3DHIGHLIGHT);
  FillColor(dc, CRect(r.left, r.bottom - 1, r.right, r.bottom), COLOR_3DDKSHADOW);
  FillColor(dc, CRect(r.right - 1, r.top, r.right, r.bottom), COLOR_3DDKSHADOW);
}

}  // namespace

void CSplitterWnd::RecalcLayout() {
  CRect client;
  GetClientRect(client);
  const Span rows = Spans(m_nRows > 1, TopSplitBoxStrip(), m_nSplitRow, m_cySplitter, client.Height());
  const Span cols = Spans(m_nCols > 1, LeftSplitBoxStrip(), m_nSplitCol, m_cxSplitter, client.Width());
  for (int row = 0; row < m_nRows; ++row) {
    for (int col = 0; col < m_nCols; ++col) {
      CWnd* pane = GetPane(row, col);
      if (!pane) continue;
      const int top = row == 0 ? rows.firstStart : rows.secondStart;
      const int bottom = row == 0 ? rows.firstEnd : rows.secondEnd;
      const int left = col == 0 ? cols.firstStart : cols.secondStart;
      const int right = col == 0 ? cols.firstEnd : cols.secondEnd;
      pane->MoveWindow(left, top, right - left, bottom - top);
    }
  }
  Invalidate();
}

void CSplitterWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(client);
  const Span rows = Spans(m_nRows > 1, TopSplitBoxStrip(), m_nSplitRow, m_cySplitter, client.Height());
  const Span cols = Spans(m_nCols > 1, LeftSplitBoxStrip(), m_nSplitCol, m_cxSplitter, client.Width());
  // The bars between the panes.
  if (m_nCols > 1) RaisedBar(dc, CRect(cols.firstEnd, 0, cols.secondStart, client.Height()), true);
  if (m_nRows > 1) RaisedBar(dc, CRect(0, rows.firstEnd, client.Width(), rows.secondStart), false);
  // The strips of the split boxes, each box beside a pane's scroll bar.
  const int vscroll = ::GetSystemMetrics(SM_CXVSCROLL);
  const int hscroll = ::GetSystemMetrics(SM_CYHSCROLL);
  if (const int strip = TopSplitBoxStrip()) {
    FillColor(dc, CRect(0, 0, client.Width(), strip), COLOR_3DFACE);
    for (int col = 0; col < m_nCols; ++col) {
      const int right = col == 0 ? cols.firstEnd : cols.secondEnd;
      SplitBox(dc, CRect(std::max(0, right - vscroll), 0, right, strip));
    }
  }
  if (const int strip = LeftSplitBoxStrip()) {
    FillColor(dc, CRect(0, 0, strip, client.Height()), COLOR_3DFACE);
    for (int row = 0; row < m_nRows; ++row) {
      const int bottom = row == 0 ? rows.firstEnd : rows.secondEnd;
      SplitBox(dc, CRect(0, std::max(0, bottom - hscroll), strip, bottom));
    }
  }
}

void CSplitterWnd::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  RecalcLayout();
}
