// A dynamic splitter: a frame's client window that holds up to the given
// rows and columns of panes, all views of the creation context's class on
// the same document. It starts with one pane (id AFX_IDW_PANE_FIRST); a
// split makes the new panes (id AFX_IDW_PANE_FIRST + row * 16 + column)
// and is refused when a pane would be smaller than the minimum size.
//
// A split puts a raised splitter bar between the panes (m_cxSplitter wide
// between columns, m_cySplitter high between rows). While the panes may
// still be split in a direction and have the scroll bar along it, the
// splitter keeps a strip before them (m_cySplitBox above, m_cxSplitBox to
// the left) with a split box beside each pane's scroll bar. The splitter
// paints the bars, the strips and the boxes in its own client area.
#pragma once

#include <vector>

#include "platform/core/Geometry.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/StandardIds.h"
#include "platform/ui/Wnd.h"

#define SPLS_DYNAMIC_SPLIT 0x0001

class CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)

 public:
  CSplitterWnd() = default;
  ~CSplitterWnd() override;

  // `style` WS_HSCROLL and WS_VSCROLL give each pane its scroll bars.
  BOOL Create(CWnd* parent, int maxRows, int maxCols, SIZE minPane, CCreateContext* context,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | SPLS_DYNAMIC_SPLIT,
              UINT id = AFX_IDW_PANE_FIRST);

  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  int GetMaxRowCount() const { return m_nMaxRows; }
  int GetMaxColumnCount() const { return m_nMaxCols; }
  CSize GetMinPaneSize() const { return m_sizeMin; }
  CWnd* GetPane(int row, int col) const;
  int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }

  // Splits at `before` pixels from the top (left); FALSE when the maximum
  // is reached, a part would be smaller than the minimum, or a pane cannot
  // be made.
  virtual BOOL SplitRow(int before);
  virtual BOOL SplitColumn(int before);
  // Lays the panes out over the client area.
  void RecalcLayout();

 protected:
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

  // The splitter bars' thickness and the split boxes' depth, in pixels.
  int m_cxSplitter = 7;
  int m_cySplitter = 7;
  int m_cxSplitBox = 7;
  int m_cySplitBox = 7;

 private:
  BOOL CreatePane(int row, int col);
  // The strips kept for the split boxes: above the panes while rows may
  // still be split, left of them while columns may; 0 when none.
  int TopSplitBoxStrip() const;
  int LeftSplitBoxStrip() const;
  int m_nMaxRows = 1;
  int m_nMaxCols = 1;
  int m_nRows = 0;
  int m_nCols = 0;
  CSize m_sizeMin;
  DWORD m_paneStyle = 0;
  int m_nSplitRow = 0;  // the height of the first row once split
  int m_nSplitCol = 0;
  CCreateContext m_context;
};
