#include "platform/ui/SplitterWnd.h"

#include <algorithm>

#include "platform/ui/FrameWnd.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/StandardIds.h"
#include "platform/ui/View.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WndClass.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
  ON_WM_SIZE()
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

BOOL CSplitterWnd::SplitRow(int before) {
  CRect client;
  GetClientRect(client);
  if (m_nRows >= m_nMaxRows || before < m_sizeMin.cy || client.Height() - before < m_sizeMin.cy) return FALSE;
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
  if (m_nCols >= m_nMaxCols || before < m_sizeMin.cx || client.Width() - before < m_sizeMin.cx) return FALSE;
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

void CSplitterWnd::RecalcLayout() {
  CRect client;
  GetClientRect(client);
  const int rowEdge = m_nRows > 1 ? std::clamp(m_nSplitRow, 0, client.Height()) : client.Height();
  const int colEdge = m_nCols > 1 ? std::clamp(m_nSplitCol, 0, client.Width()) : client.Width();
  for (int row = 0; row < m_nRows; ++row) {
    for (int col = 0; col < m_nCols; ++col) {
      CWnd* pane = GetPane(row, col);
      if (!pane) continue;
      const int top = row == 0 ? 0 : rowEdge;
      const int bottom = row == 0 ? rowEdge : client.Height();
      const int left = col == 0 ? 0 : colEdge;
      const int right = col == 0 ? colEdge : client.Width();
      pane->MoveWindow(left, top, right - left, bottom - top);
    }
  }
}

void CSplitterWnd::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  RecalcLayout();
}
