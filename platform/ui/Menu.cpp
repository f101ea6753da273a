#include "platform/ui/Menu.h"

#include "platform/core/ResourceModule.h"
#include "platform/ui/MenuSystem.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/Wnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace platform {
CMenu* MenuFromHandle(HMENU menu) { return CMenu::FromHandle(menu); }
}  // namespace platform

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandle(HMENU menu) {
  platform::MenuRecord* r = platform::FindMenuRecord(menu);
  if (!r) return nullptr;
  if (r->permanent) return r->permanent;
  if (!r->temporary) {
    r->temporary = std::make_unique<CMenu>();
    r->temporary->m_hMenu = menu;
  }
  return r->temporary.get();
}

BOOL CMenu::Attach(HMENU menu) {
  platform::MenuRecord* r = platform::FindMenuRecord(menu);
  if (m_hMenu || !r || r->permanent) return FALSE;
  r->permanent = this;
  m_hMenu = menu;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU menu = m_hMenu;
  if (platform::MenuRecord* r = platform::FindMenuRecord(menu); r && r->permanent == this) r->permanent = nullptr;
  m_hMenu = nullptr;
  return menu;
}

BOOL CMenu::CreateMenu() { return !m_hMenu && Attach(::CreateMenu()); }

BOOL CMenu::CreatePopupMenu() { return !m_hMenu && Attach(::CreatePopupMenu()); }

BOOL CMenu::LoadMenu(UINT id) {
  return LoadMenu(reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id))));
}

BOOL CMenu::LoadMenu(LPCSTR name) {
  if (!name || IS_INTRESOURCE(name)) return LoadMenu(reinterpret_cast<LPCWSTR>(name));
  const std::u16string wide = platform::WideFromAnsi(name);
  return LoadMenu(wide.c_str());
}

BOOL CMenu::LoadMenu(LPCWSTR name) {
  if (m_hMenu) return FALSE;
  // The module along the resource chain that holds the menu.
  UINT id = 0;
  if (!platform::MenuNumber(name, &id)) return FALSE;
  HINSTANCE module = AfxFindResourceHandle(reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(id)),
                                           reinterpret_cast<LPCWSTR>(RT_MENU));
  HMENU menu = ::LoadMenuW(module, name);
  return menu && Attach(menu);
}

BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  HMENU menu = Detach();
  // A wrapper kept by the menu record is not this object: destroying the
  // menu deletes it, never this one.
  return ::DestroyMenu(menu);
}

CMenu* CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }

UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }

UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }

UINT CMenu::GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }

int CMenu::GetMenuString(UINT item, LPWSTR buffer, int maxCount, UINT flags) const {
  return ::GetMenuStringW(m_hMenu, item, buffer, maxCount, flags);
}

int CMenu::GetMenuString(UINT item, LPSTR buffer, int maxCount, UINT flags) const {
  return ::GetMenuStringA(m_hMenu, item, buffer, maxCount, flags);
}

int CMenu::GetMenuString(UINT item, CStringW& text, UINT flags) const {
  const int length = ::GetMenuStringW(m_hMenu, item, nullptr, 0, flags);
  text.Empty();
  if (length <= 0) return 0;
  LPWSTR buffer = text.GetBuffer(length + 1);
  const int n = ::GetMenuStringW(m_hMenu, item, buffer, length + 1, flags);
  text.ReleaseBuffer(n);
  return n;
}

int CMenu::GetMenuString(UINT item, CStringA& text, UINT flags) const {
  const int length = ::GetMenuStringA(m_hMenu, item, nullptr, 0, flags);
  text.Empty();
  if (length <= 0) return 0;
  LPSTR buffer = text.GetBuffer(length + 1);
  const int n = ::GetMenuStringA(m_hMenu, item, buffer, length + 1, flags);
  text.ReleaseBuffer(n);
  return n;
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) { return ::EnableMenuItem(m_hMenu, item, enable); }

UINT CMenu::CheckMenuItem(UINT item, UINT check) { return ::CheckMenuItem(m_hMenu, item, check); }

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text) {
  return ::AppendMenuW(m_hMenu, flags, idOrSubMenu, text);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrSubMenu, LPCSTR text) {
  return ::AppendMenuA(m_hMenu, flags, idOrSubMenu, text);
}

BOOL CMenu::InsertMenu(UINT item, UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text) {
  return ::InsertMenuW(m_hMenu, item, flags, idOrSubMenu, text);
}

BOOL CMenu::ModifyMenu(UINT item, UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text) {
  return ::ModifyMenuW(m_hMenu, item, flags, idOrSubMenu, text);
}

BOOL CMenu::RemoveMenu(UINT item, UINT flags) { return ::RemoveMenu(m_hMenu, item, flags); }

BOOL CMenu::DeleteMenu(UINT item, UINT flags) { return ::DeleteMenu(m_hMenu, item, flags); }

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, rect);
}
