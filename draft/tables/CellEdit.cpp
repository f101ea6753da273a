#include "draft/tables/CellEdit.h"

#include "draft/tables/GridListCtrl.h"
#include "platform/ui/MessageMap.h"

IMPLEMENT_DYNAMIC(CCellEdit, CEdit)

BEGIN_MESSAGE_MAP(CCellEdit, CEdit)
ON_WM_KEYDOWN()
ON_WM_CHAR()
END_MESSAGE_MAP()

namespace {
// The grid's control id in each kind of parent dialog.
constexpr int kBillOfMaterialsGrid = 339;
constexpr int kRecordInfoGrid = 1285;
constexpr int kTableDataGrid = 339;
}  // namespace

CGridListCtrl* CCellEdit::FindGrid() const {
  CWnd* parent = GetParent();
  if (!parent) return nullptr;
  int id = 0;
  switch (parentKind_) {
    case 2: id = kBillOfMaterialsGrid; break;
    case 3: id = kRecordInfoGrid; break;
    case 4: id = kTableDataGrid; break;
    default: return nullptr;
  }
  return dynamic_cast<CGridListCtrl*>(parent->GetDlgItem(id));
}

void CCellEdit::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key != VK_UP && key != VK_DOWN) {
    CEdit::OnKeyDown(key, repeat, flags);
    return;
  }
  CGridListCtrl* grid = FindGrid();
  if (!grid) return;
  const int row = grid->GetCurrentRow();
  const int column = grid->GetCurrentColumn();
  if (row < 0 || column < 0) return;
  grid->SetFocus();
  int next = row;
  if (key == VK_UP && row > 0) --next;
  if (key == VK_DOWN && row < grid->GetItemCount() - 1) ++next;
  if (next == row) return;
  SetWindowText(grid->GetCellText(next, column).GetString());
  // The old row is drawn without the current-cell mark, then the new row
  // becomes current and is brought into view.
  grid->SetCurrentCell(-1, column);
  grid->RedrawRow(row);
  grid->SetCurrentCell(next, column);
  grid->EnsureVisible(next, FALSE);
  grid->RedrawRow(next);
}

void CCellEdit::OnChar(UINT ch, UINT repeat, UINT flags) {
  const char* symbol = ch == '^' ? "±" : ch == '`' ? "Φ" : ch == '~' ? "°" : nullptr;
  if (symbol) {
    ReplaceSel(symbol, TRUE);
    return;
  }
  CEdit::OnChar(ch, repeat, flags);
}
