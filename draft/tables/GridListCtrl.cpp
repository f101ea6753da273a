#include "draft/tables/GridListCtrl.h"

#include <algorithm>

#include "draft/tables/GbkChars.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Pen.h"
#include "platform/ui/WindowApi.h"

IMPLEMENT_DYNAMIC(CGridListCtrl, CListCtrl)

namespace {
constexpr int kMaxCellTextBytes = 500;
const char kOverflowMark[] = "...";
}  // namespace

BOOL CGridListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_MEASUREITEM) {
    MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    return TRUE;
  }
  return CListCtrl::OnChildNotify(message, wParam, lParam, result);
}

void CGridListCtrl::MeasureItem(LPMEASUREITEMSTRUCT mis) {
  if (mis) mis->itemHeight = static_cast<UINT>(rowHeight_);
}

void CGridListCtrl::SetRowHeight(int pixels) {
  rowHeight_ = pixels + 2;
  if (!GetSafeHwnd()) return;
  CRect r;
  GetWindowRect(&r);
  WINDOWPOS pos{m_hWnd, nullptr, 0, 0, r.Width(), r.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOZORDER};
  SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

bool CGridListCtrl::HasCurrentCell() const {
  return currentRow_ >= 0 && currentColumn_ >= 0 && currentRow_ < GetItemCount() &&
         currentColumn_ < GetColumnCount();
}

CStringA CGridListCtrl::GetCellText(int row, int column) const { return CStringA(GetItemText(row, column)); }

BOOL CGridListCtrl::GetCellRect(int row, int column, CRect& rect) const {
  CRect bounds;
  if (column < 0 || column >= GetColumnCount() || !GetItemRect(row, &bounds, LVIR_BOUNDS)) return FALSE;
  int left = bounds.left;
  for (int c = 0; c < column; ++c) left += GetColumnWidth(c);
  rect = CRect(left, bounds.top, left + GetColumnWidth(column), bounds.bottom);
  return TRUE;
}

void CGridListCtrl::InvalidateCell(int row, int column) {
  if (row < 0 || column < 0) return;
  CRect rect;
  if (!GetCellRect(row, column, rect)) return;
  InvalidateRect(&rect, FALSE);
  UpdateWindow();
}

void CGridListCtrl::RedrawRow(int row) {
  CRect bounds;
  if (!GetItemRect(row, &bounds, LVIR_BOUNDS)) return;
  InvalidateRect(&bounds, FALSE);
  UpdateWindow();
}

void CGridListCtrl::HitTest(int& row, int& column, const POINT* screenPoint) const {
  row = -1;
  column = -1;
  POINT p{};
  if (screenPoint)
    p = *screenPoint;
  else
    ::GetCursorPos(&p);
  ScreenToClient(&p);
  const int top = GetTopIndex();
  const int last = std::min(GetItemCount() - 1, top + GetCountPerPage());
  CRect bounds;
  for (int i = top; i <= last; ++i) {
    if (!GetItemRect(i, &bounds, LVIR_BOUNDS)) continue;
    if (p.y >= bounds.top && p.y <= bounds.bottom) {
      row = i;
      break;
    }
  }
  if (row < 0) return;
  int left = 0;
  const int x = p.x - bounds.left;
  for (int c = 0; c < GetColumnCount(); ++c) {
    const int width = GetColumnWidth(c);
    if (x >= left && x <= left + width) {
      column = c;
      return;
    }
    left += width;
  }
  row = -1;
}

void CGridListCtrl::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (!dis || !(dis->itemAction & ODA_DRAWENTIRE)) return;
  // The item's DC is the control's for this paint: it is attached to a
  // wrapper of this call (or the wrapper the program holds for it is used),
  // so that painting leaves no temporary wrapper waiting for idle time.
  struct AttachedDc {
    CDC dc;
    ~AttachedDc() { dc.Detach(); }
  } attached;
  CDC* dc = attached.dc.Attach(dis->hDC) ? &attached.dc : CDC::FromHandle(dis->hDC);
  if (!dc) return;
  const int item = static_cast<int>(dis->itemID);
  const CRect row(dis->rcItem);

  CPen whitePen(PS_SOLID, 1, RGB(255, 255, 255));
  CBrush whiteBrush(RGB(255, 255, 255));
  CPen* oldPen = dc->SelectObject(&whitePen);
  CBrush* oldBrush = dc->SelectObject(&whiteBrush);
  dc->Rectangle(&row);

  CFont font;
  font.CreateFont(rowHeight_, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "");
  CFont* oldFont = dc->SelectObject(&font);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  const COLORREF oldColor = dc->GetTextColor();
  CBrush yellow(RGB(255, 255, 0));

  const int columns = GetColumnCount();
  const int markWidth = dc->GetTextExtent(kOverflowMark).cx;
  int left = row.left;
  for (int c = 0; c < columns; ++c) {
    const int width = GetColumnWidth(c);
    CStringA text = GetCellText(item, c);
    if (text.GetLength() > kMaxCellTextBytes) text.Truncate(GbkWholeCharBytes(text, kMaxCellTextBytes));
    dc->SetTextColor(RGB(0, 0, 0));
    dc->TextOut(left + 3, row.top + 2, text);
    if (width - 5 < dc->GetTextExtent(text).cx) {
      dc->FillSolidRect(CRect(left + width - markWidth - 3, row.top, row.right, row.bottom), RGB(255, 255, 255));
      dc->SetTextColor(RGB(255, 0, 0));
      dc->TextOut(left + width - markWidth - 1, row.top, kOverflowMark);
    }
    if (item == currentRow_ && c == currentColumn_) {
      CBrush* previous = dc->SelectObject(&yellow);
      dc->PatBlt(left, row.top, width, row.Height() + 1, PATINVERT);
      dc->SelectObject(previous);
    }
    left += width;
  }

  if (horizontalLines_ || verticalLines_) {
    CPen grey(PS_SOLID, 1, RGB(128, 128, 128));
    dc->SelectObject(&grey);
    const int count = GetItemCount();
    if (horizontalLines_) {
      for (int i = 0; i <= count; ++i) {
        const int y = row.bottom - i * rowHeight_;
        dc->MoveTo(row.left, y);
        dc->LineTo(row.right, y);
      }
    }
    if (verticalLines_) {
      int x = row.left;
      for (int c = 0; c < columns; ++c) {
        x += GetColumnWidth(c);
        dc->MoveTo(x, row.bottom);
        dc->LineTo(x, row.bottom - count * rowHeight_);
      }
    }
    dc->SelectObject(&whitePen);
  }

  dc->SetTextColor(oldColor);
  dc->SetBkMode(oldMode);
  dc->SelectObject(oldFont);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
}
