// The menu records and the menu functions that read and change them.
#include "platform/ui/MenuSystem.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/core/Charset.h"
#include "platform/core/Module.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuApi.h"
#include "platform/ui/WindowSystem.h"

namespace platform {
namespace {

struct MenuTable {
  std::mutex mutex;
  std::unordered_map<uintptr_t, std::unique_ptr<MenuRecord>> menus;
  uintptr_t next = 0x20010;
};

// Never destroyed: CMenu objects of static lifetime may destroy their menus
// at exit after any table would be gone.
MenuTable& Table() {
  static MenuTable* table = new MenuTable;
  return *table;
}

HMENU NewMenu(bool popup) {
  auto& t = Table();
  std::lock_guard lock(t.mutex);
  auto record = std::make_unique<MenuRecord>();
  record->popup = popup;
  const uintptr_t h = (t.next += 4);
  t.menus[h] = std::move(record);
  return reinterpret_cast<HMENU>(h);
}

// The type and state bits an item keeps (the naming bit is not stored).
constexpr UINT kStoredFlags = ~MF_BYPOSITION;

MenuEntry* FindByCommand(HMENU menu, UINT id, HMENU* owner, std::vector<HMENU>* path, int depth) {
  MenuRecord* r = FindMenuRecord(menu);
  if (!r || depth > 64) return nullptr;
  for (MenuEntry& e : r->items) {
    if (!(e.flags & MF_POPUP) && !(e.flags & MF_SEPARATOR) && e.id == id) {
      if (owner) *owner = menu;
      return &e;
    }
  }
  for (MenuEntry& e : r->items) {
    if (!(e.flags & MF_POPUP)) continue;
    if (path) path->push_back(e.sub);
    if (MenuEntry* found = FindByCommand(e.sub, id, owner, path, depth + 1)) return found;
    if (path) path->pop_back();
  }
  return nullptr;
}

HMENU Build(const std::vector<MenuItem>& items, bool popup) {
  HMENU menu = NewMenu(popup);
  MenuRecord* r = FindMenuRecord(menu);
  for (const MenuItem& item : items) {
    MenuEntry e;
    e.flags = item.flags;
    e.text = item.text;
    if (item.IsPopup()) {
      e.sub = Build(item.items, true);
      e.id = 0;
    } else {
      e.id = item.id;
    }
    r->items.push_back(std::move(e));
  }
  return menu;
}

// The CMenu objects of a menu being destroyed let go of it.
void ForgetRecord(std::unique_ptr<MenuRecord>& record) {
  if (record->permanent) record->permanent->m_hMenu = nullptr;
  if (record->temporary) record->temporary->m_hMenu = nullptr;
}

MenuEntry MakeEntry(UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text) {
  MenuEntry e;
  e.flags = flags & kStoredFlags;
  if (flags & MF_POPUP) {
    e.sub = reinterpret_cast<HMENU>(idOrSubMenu);
    if (MenuRecord* sub = FindMenuRecord(e.sub)) sub->popup = true;
  } else {
    e.id = static_cast<UINT>(idOrSubMenu);
  }
  if (!(flags & MF_SEPARATOR) && text) e.text = text;
  return e;
}

}  // namespace

bool MenuNumber(LPCWSTR name, UINT* id) {
  if (!name) return false;
  if (IS_INTRESOURCE(name)) {
    *id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
    return true;
  }
  if (name[0] != u'#' || !name[1]) return false;
  UINT value = 0;
  for (LPCWSTR p = name + 1; *p; ++p) {
    if (*p < u'0' || *p > u'9' || value > 6553) return false;
    value = value * 10 + static_cast<UINT>(*p - u'0');
  }
  if (value > 0xFFFF) return false;
  *id = value;
  return true;
}

MenuRecord* FindMenuRecord(HMENU menu) {
  if (!menu) return nullptr;
  auto& t = Table();
  std::lock_guard lock(t.mutex);
  auto it = t.menus.find(reinterpret_cast<uintptr_t>(menu));
  return it == t.menus.end() ? nullptr : it->second.get();
}

MenuEntry* LocateMenuItem(HMENU menu, UINT item, UINT flags, HMENU* owner, std::vector<HMENU>* path) {
  if (flags & MF_BYPOSITION) {
    MenuRecord* r = FindMenuRecord(menu);
    if (!r || item >= r->items.size()) return nullptr;
    if (owner) *owner = menu;
    return &r->items[item];
  }
  return FindByCommand(menu, item, owner, path, 0);
}

HMENU LoadMenuFrom(HINSTANCE instance, LPCWSTR name) {
  UINT id = 0;
  if (!MenuNumber(name, &id)) return nullptr;
  // A null instance is the application's module, as for any resource lookup
  // by module handle.
  std::shared_ptr<const ResourceSet> resources = ModuleResources(instance ? instance : ApplicationModule());
  const MenuTemplate* tmpl = resources ? resources->FindMenu(id) : nullptr;
  return tmpl ? Build(tmpl->items, false) : nullptr;
}

}  // namespace platform

using platform::FindMenuRecord;
using platform::LocateMenuItem;
using platform::MenuEntry;
using platform::MenuRecord;

HMENU CreateMenu() { return platform::NewMenu(false); }

HMENU CreatePopupMenu() { return platform::NewMenu(true); }

BOOL DestroyMenu(HMENU menu) {
  std::unique_ptr<MenuRecord> record;
  {
    auto& t = platform::Table();
    std::lock_guard lock(t.mutex);
    auto it = t.menus.find(reinterpret_cast<uintptr_t>(menu));
    if (it == t.menus.end()) return FALSE;
    record = std::move(it->second);
    t.menus.erase(it);
  }
  platform::ForgetRecord(record);
  for (MenuEntry& e : record->items)
    if (e.flags & MF_POPUP) DestroyMenu(e.sub);
  return TRUE;
}

BOOL IsMenu(HMENU menu) { return FindMenuRecord(menu) != nullptr; }

HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name) { return platform::LoadMenuFrom(instance, name); }

HMENU LoadMenuA(HINSTANCE instance, LPCSTR name) {
  if (!name || IS_INTRESOURCE(name)) return platform::LoadMenuFrom(instance, reinterpret_cast<LPCWSTR>(name));
  const std::u16string wide = platform::WideFromAnsi(name);
  return platform::LoadMenuFrom(instance, wide.c_str());
}

HMENU GetSubMenu(HMENU menu, int position) {
  MenuRecord* r = FindMenuRecord(menu);
  if (!r || position < 0 || static_cast<size_t>(position) >= r->items.size()) return nullptr;
  const MenuEntry& e = r->items[static_cast<size_t>(position)];
  return (e.flags & MF_POPUP) ? e.sub : nullptr;
}

int GetMenuItemCount(HMENU menu) {
  MenuRecord* r = FindMenuRecord(menu);
  return r ? static_cast<int>(r->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  MenuRecord* r = FindMenuRecord(menu);
  if (!r || position < 0 || static_cast<size_t>(position) >= r->items.size()) return static_cast<UINT>(-1);
  const MenuEntry& e = r->items[static_cast<size_t>(position)];
  if (e.flags & MF_POPUP) return static_cast<UINT>(-1);
  return (e.flags & MF_SEPARATOR) ? 0 : e.id;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  const MenuEntry* e = LocateMenuItem(menu, item, flags);
  if (!e) return static_cast<UINT>(-1);
  if (e->flags & MF_POPUP) {
    const MenuRecord* sub = FindMenuRecord(e->sub);
    const UINT count = sub ? static_cast<UINT>(std::min<size_t>(sub->items.size(), 255)) : 0;
    return (count << 8) | (e->flags & 0xFF);
  }
  return e->flags & 0xFFFF;
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags) {
  const MenuEntry* e = LocateMenuItem(menu, item, flags);
  if (!e) return 0;
  const int length = static_cast<int>(e->text.size());
  if (!buffer || maxCount <= 0) return length;
  const int n = std::min(length, maxCount - 1);
  std::copy(e->text.begin(), e->text.begin() + n, buffer);
  buffer[n] = 0;
  return n;
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int maxCount, UINT flags) {
  const MenuEntry* e = LocateMenuItem(menu, item, flags);
  if (!e) return 0;
  const std::string text = platform::Utf16ToGbk(e->text);
  const int length = static_cast<int>(text.size());
  if (!buffer || maxCount <= 0) return length;
  int n = std::min(length, maxCount - 1);
  std::memcpy(buffer, text.data(), static_cast<size_t>(n));
  buffer[n] = 0;
  return n;
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT enable) {
  MenuEntry* e = LocateMenuItem(menu, item, enable);
  if (!e) return static_cast<UINT>(-1);
  const UINT old = e->flags & (MF_GRAYED | MF_DISABLED);
  e->flags = (e->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return old;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
  MenuEntry* e = LocateMenuItem(menu, item, check);
  if (!e) return static_cast<DWORD>(-1);
  const DWORD old = e->flags & MF_CHECKED;
  e->flags = (e->flags & ~MF_CHECKED) | (check & MF_CHECKED);
  return old;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text) {
  return InsertMenuW(menu, static_cast<UINT>(-1), flags | MF_BYPOSITION, idOrSubMenu, text);
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, LPCSTR text) {
  if (flags & (MF_SEPARATOR | MF_OWNERDRAW) || !text) return AppendMenuW(menu, flags, idOrSubMenu, nullptr);
  const std::u16string wide = platform::WideFromAnsi(text);
  return AppendMenuW(menu, flags, idOrSubMenu, wide.c_str());
}

BOOL InsertMenuW(HMENU menu, UINT item, UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text) {
  MenuRecord* r = FindMenuRecord(menu);
  if (!r) return FALSE;
  if ((flags & MF_POPUP) && !IsMenu(reinterpret_cast<HMENU>(idOrSubMenu))) return FALSE;
  MenuEntry entry = platform::MakeEntry(flags, idOrSubMenu, text);
  HMENU owner = menu;
  size_t position = r->items.size();
  if (flags & MF_BYPOSITION) {
    if (item < r->items.size()) position = item;
  } else {
    MenuEntry* at = LocateMenuItem(menu, item, MF_BYCOMMAND, &owner);
    if (!at) return FALSE;
    r = FindMenuRecord(owner);
    position = static_cast<size_t>(at - r->items.data());
  }
  r->items.insert(r->items.begin() + static_cast<std::ptrdiff_t>(position), std::move(entry));
  return TRUE;
}

BOOL ModifyMenuW(HMENU menu, UINT item, UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text) {
  MenuEntry* e = LocateMenuItem(menu, item, flags);
  if (!e) return FALSE;
  if ((flags & MF_POPUP) && !IsMenu(reinterpret_cast<HMENU>(idOrSubMenu))) return FALSE;
  HMENU oldSub = (e->flags & MF_POPUP) ? e->sub : nullptr;
  *e = platform::MakeEntry(flags, idOrSubMenu, text);
  if (oldSub && oldSub != e->sub) DestroyMenu(oldSub);
  return TRUE;
}

namespace {

BOOL TakeOut(HMENU menu, UINT item, UINT flags, bool destroy) {
  HMENU owner = nullptr;
  MenuEntry* e = LocateMenuItem(menu, item, flags, &owner);
  if (!e) return FALSE;
  MenuRecord* r = FindMenuRecord(owner);
  HMENU sub = (e->flags & MF_POPUP) ? e->sub : nullptr;
  r->items.erase(r->items.begin() + (e - r->items.data()));
  if (destroy && sub) DestroyMenu(sub);
  return TRUE;
}

}  // namespace

BOOL RemoveMenu(HMENU menu, UINT item, UINT flags) { return TakeOut(menu, item, flags, false); }

BOOL DeleteMenu(HMENU menu, UINT item, UINT flags) { return TakeOut(menu, item, flags, true); }
