#include "draft/host/EditListCtrl.h"

#include <algorithm>

#include "draft/host/EditListCellEditor.h"
#include "platform/core/Charset.h"

IMPLEMENT_DYNAMIC(CEditListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CEditListCtrl, CListCtrl)
  ON_NOTIFY_REFLECT_EX(NM_DBLCLK, OnCellDoubleClick)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// The id of the in-place editor among the list's children.
constexpr UINT kEditorId = 1;
// Room for the drop-down part of a combo editor, in rows.
constexpr int kDropRows = 8;

const std::vector<CStringA>& NoChoices() {
  static const std::vector<CStringA> none;
  return none;
}

}  // namespace

CEditListCtrl::CEditListCtrl() = default;

CEditListCtrl::~CEditListCtrl() = default;

int CEditListCtrl::AddEditColumn(LPCSTR heading, int width, int kind, const std::vector<CStringA>& choices,
                                 int format) {
  const int at = InsertColumn(GetColumnCount(), heading, format, width);
  if (at < 0) return -1;
  Column c;
  c.kind = (kind >= kCellText && kind <= kCellTextOrList) ? kind : kCellNone;
  c.choices = choices;
  if (static_cast<int>(columns_.size()) < at) columns_.resize(static_cast<size_t>(at));
  columns_.insert(columns_.begin() + std::min<size_t>(static_cast<size_t>(at), columns_.size()), c);
  return at;
}

CEditListCtrl::Column* CEditListCtrl::ColumnAt(int column) {
  if (column < 0 || column >= GetColumnCount() || column >= static_cast<int>(columns_.size())) return nullptr;
  return &columns_[static_cast<size_t>(column)];
}

int CEditListCtrl::GetCellKind(int column) const {
  const Column* c = const_cast<CEditListCtrl*>(this)->ColumnAt(column);
  return c ? c->kind : kCellNone;
}

void CEditListCtrl::SetColumnChoices(int column, const std::vector<CStringA>& choices) {
  if (Column* c = ColumnAt(column)) c->choices = choices;
}

const std::vector<CStringA>& CEditListCtrl::GetColumnChoices(int column) const {
  const Column* c = const_cast<CEditListCtrl*>(this)->ColumnAt(column);
  return c ? c->choices : NoChoices();
}

void CEditListCtrl::EnableCellEdit(BOOL enable) {
  editEnabled_ = enable ? TRUE : FALSE;
  if (!editEnabled_) EndCellEdit(TRUE);
}

BOOL CEditListCtrl::EditCell(int item, int column) {
  if (!editEnabled_ || !m_hWnd || item < 0 || item >= GetItemCount()) return FALSE;
  const Column* c = ColumnAt(column);
  if (!c || c->kind == kCellNone) return FALSE;
  EndCellEdit(TRUE);
  retired_.reset();
  EnsureVisible(item, FALSE);
  CRect cell;
  if (!GetSubItemRect(item, column, LVIR_LABEL, cell)) return FALSE;
  const CStringA text(GetItemText(item, column));
  if (c->kind == kCellText) {
    auto edit = std::make_unique<CEditListCellEdit>(this);
    if (!edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, cell, this, kEditorId)) return FALSE;
    edit->SetWindowText(text);
    edit->SetSel(0, -1);
    editor_ = std::move(edit);
  } else {
    auto combo = std::make_unique<CEditListCellCombo>(this);
    CRect dropped = cell;
    dropped.bottom += cell.Height() * kDropRows;
    const DWORD kind = c->kind == kCellList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL;
    if (!combo->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | kind, dropped, this, kEditorId)) return FALSE;
    for (const CStringA& choice : c->choices) combo->AddString(choice);
    const int found = combo->FindStringExact(-1, text);
    if (found >= 0) combo->SetCurSel(found);
    if (c->kind == kCellTextOrList) combo->SetWindowText(text);
    editor_ = std::move(combo);
  }
  editItem_ = item;
  editColumn_ = column;
  editor_->SetFocus();
  return TRUE;
}

BOOL CEditListCtrl::EndCellEdit(BOOL keep) {
  if (!editor_ || ending_) return FALSE;
  ending_ = true;
  std::unique_ptr<CWnd> editor = std::move(editor_);
  if (keep && editor->m_hWnd && editItem_ < GetItemCount()) {
    CStringW text;
    editor->GetWindowText(text);
    if (text != GetItemText(editItem_, editColumn_)) {
      SetItemText(editItem_, editColumn_, text.GetString());
      modified_ = TRUE;
    }
  }
  // The focus comes back to the list before the editor goes, so that its
  // leaving does not end the edit a second time.
  if (editor->m_hWnd && ::GetFocus() == editor->m_hWnd && m_hWnd) SetFocus();
  if (editor->m_hWnd) editor->DestroyWindow();
  // The editor may be running one of its own handlers: its object goes later.
  retired_ = std::move(editor);
  editItem_ = -1;
  editColumn_ = -1;
  ending_ = false;
  return TRUE;
}

BOOL CEditListCtrl::OnCellDoubleClick(NMHDR* nm, LRESULT* result) {
  const auto* act = reinterpret_cast<const NMITEMACTIVATE*>(nm);
  if (editEnabled_ && act->iItem >= 0) EditCell(act->iItem, act->iSubItem);
  *result = 0;
  return FALSE;  // the parent hears of the double click too
}

void CEditListCtrl::OnDestroy() {
  EndCellEdit(FALSE);
  CListCtrl::OnDestroy();
}
