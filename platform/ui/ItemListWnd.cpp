#include "platform/ui/ItemListWnd.h"

#include "platform/ui/ControlBase.h"

IMPLEMENT_DYNAMIC(CItemListWnd, CWnd)

int CItemListWnd::GetCount() const { return static_cast<int>(SendMessage(m_messages.getCount)); }
int CItemListWnd::AddString(LPCWSTR text) {
  return static_cast<int>(SendMessage(m_messages.addString, 0, reinterpret_cast<LPARAM>(text)));
}
int CItemListWnd::AddString(LPCSTR text) { return AddString(CStringW(text).GetString()); }
int CItemListWnd::InsertString(int index, LPCWSTR text) {
  return static_cast<int>(
      SendMessage(m_messages.insertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}
int CItemListWnd::InsertString(int index, LPCSTR text) { return InsertString(index, CStringW(text).GetString()); }
int CItemListWnd::DeleteString(UINT index) { return static_cast<int>(SendMessage(m_messages.deleteString, index)); }
void CItemListWnd::ResetContent() { SendMessage(m_messages.resetContent); }
int CItemListWnd::ItemTextLength(int index) const {
  return static_cast<int>(SendMessage(m_messages.getTextLen, static_cast<WPARAM>(index)));
}
int CItemListWnd::ReadItemText(int index, CStringW& text) const {
  return platform::ReadItemText(m_hWnd, m_messages.getTextLen, m_messages.getText, index, text, m_messages.error);
}
int CItemListWnd::ReadItemText(int index, CStringA& text) const {
  return platform::ReadItemText(m_hWnd, m_messages.getTextLen, m_messages.getText, index, text, m_messages.error);
}
int CItemListWnd::FindString(int start, LPCWSTR prefix) const {
  return static_cast<int>(
      SendMessage(m_messages.findString, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(prefix)));
}
int CItemListWnd::FindString(int start, LPCSTR prefix) const {
  return FindString(start, CStringW(prefix).GetString());
}
int CItemListWnd::FindStringExact(int start, LPCWSTR text) const {
  return static_cast<int>(
      SendMessage(m_messages.findStringExact, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)));
}
int CItemListWnd::FindStringExact(int start, LPCSTR text) const {
  return FindStringExact(start, CStringW(text).GetString());
}
int CItemListWnd::SelectString(int start, LPCWSTR prefix) {
  return static_cast<int>(
      SendMessage(m_messages.selectString, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(prefix)));
}
int CItemListWnd::SelectString(int start, LPCSTR prefix) {
  return SelectString(start, CStringW(prefix).GetString());
}
DWORD_PTR CItemListWnd::GetItemData(int index) const {
  return static_cast<DWORD_PTR>(SendMessage(m_messages.getItemData, static_cast<WPARAM>(index)));
}
int CItemListWnd::SetItemData(int index, DWORD_PTR data) {
  return static_cast<int>(
      SendMessage(m_messages.setItemData, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}
int CItemListWnd::GetCurSel() const { return static_cast<int>(SendMessage(m_messages.getCurSel)); }
int CItemListWnd::SetCurSel(int index) {
  return static_cast<int>(SendMessage(m_messages.setCurSel, static_cast<WPARAM>(index)));
}
int CItemListWnd::GetItemHeight(int index) const {
  return static_cast<int>(SendMessage(m_messages.getItemHeight, static_cast<WPARAM>(index)));
}
int CItemListWnd::SetItemHeight(int index, UINT height) {
  return static_cast<int>(SendMessage(m_messages.setItemHeight, static_cast<WPARAM>(index), height));
}
void CItemListWnd::DrawItem(LPDRAWITEMSTRUCT) {}
void CItemListWnd::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CItemListWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_DRAWITEM:
      DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      return TRUE;
    case WM_MEASUREITEM:
      MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      return TRUE;
    default:
      return CWnd::OnChildNotify(message, wParam, lParam, result);
  }
}
