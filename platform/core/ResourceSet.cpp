#include "platform/core/ResourceSet.h"

#include <stdexcept>

namespace platform {
namespace {

template <typename T>
const T* Find(const std::map<UINT, T>& map, UINT id) {
  auto it = map.find(id);
  return it == map.end() ? nullptr : &it->second;
}

template <typename T>
void Insert(std::map<UINT, T>& map, UINT id, T value, const char* kind) {
  std::string what = std::string(kind) + " " + std::to_string(id);
  if (id == 0 || id > 0xFFFF) throw std::invalid_argument(what + ": a resource id must be 1 to 65535");
  if (!map.emplace(id, std::move(value)).second) throw std::invalid_argument(what + " is declared twice");
}

}  // namespace

ResourceSet& ResourceSet::Strings(std::initializer_list<StringEntry> entries) {
  for (const StringEntry& e : entries) {
    std::string what = "string " + std::to_string(e.id);
    if (e.id > 0xFFFF) throw std::invalid_argument(what + ": a string id must be 0 to 65535");
    if (!strings_.emplace(e.id, e.text.str()).second) throw std::invalid_argument(what + " is declared twice");
  }
  return *this;
}

ResourceSet& ResourceSet::Add(DialogTemplate dialog) {
  UINT id = dialog.id;
  Insert(dialogs_, id, std::move(dialog), "dialog");
  return *this;
}

ResourceSet& ResourceSet::Add(MenuTemplate menu) {
  UINT id = menu.id;
  Insert(menus_, id, std::move(menu), "menu");
  return *this;
}

ResourceSet& ResourceSet::Add(ToolBarTemplate toolBar) {
  UINT id = toolBar.id;
  Insert(toolBars_, id, std::move(toolBar), "tool bar");
  return *this;
}

ResourceSet& ResourceSet::Add(AcceleratorTable table) {
  UINT id = table.id;
  Insert(accelerators_, id, std::move(table), "accelerator table");
  return *this;
}

ResourceSet& ResourceSet::Add(ImageResource image) {
  UINT id = image.id;
  if (image.width == 0 && image.pixels.empty() && !image.IsFile()) {
    const char* kind = image.kind == ImageKind::Bitmap ? "bitmap " : image.kind == ImageKind::Icon ? "icon " : "cursor ";
    throw std::invalid_argument(kind + std::to_string(id) + " has neither pixels nor a file");
  }
  switch (image.kind) {
    case ImageKind::Bitmap:
      Insert(bitmaps_, id, std::move(image), "bitmap");
      break;
    case ImageKind::Icon:
      Insert(icons_, id, std::move(image), "icon");
      break;
    case ImageKind::Cursor:
      Insert(cursors_, id, std::move(image), "cursor");
      break;
  }
  return *this;
}

const std::u16string* ResourceSet::FindString(UINT id) const {
  const std::u16string* s = Find(strings_, id);
  return (s && !s->empty()) ? s : nullptr;
}

const DialogTemplate* ResourceSet::FindDialog(UINT id) const { return Find(dialogs_, id); }
const MenuTemplate* ResourceSet::FindMenu(UINT id) const { return Find(menus_, id); }
const ToolBarTemplate* ResourceSet::FindToolBar(UINT id) const { return Find(toolBars_, id); }
const AcceleratorTable* ResourceSet::FindAccelerators(UINT id) const { return Find(accelerators_, id); }
const ImageResource* ResourceSet::FindBitmap(UINT id) const { return Find(bitmaps_, id); }
const ImageResource* ResourceSet::FindIcon(UINT id) const { return Find(icons_, id); }
const ImageResource* ResourceSet::FindCursor(UINT id) const { return Find(cursors_, id); }

bool ResourceSet::Contains(ResourceType type, UINT id) const {
  switch (type) {
    case ResourceType::String:
      return FindString(id) != nullptr;
    case ResourceType::Dialog:
      return FindDialog(id) != nullptr;
    case ResourceType::Menu:
      return FindMenu(id) != nullptr;
    case ResourceType::ToolBar:
      return FindToolBar(id) != nullptr;
    case ResourceType::Accelerators:
      return FindAccelerators(id) != nullptr;
    case ResourceType::Bitmap:
      return FindBitmap(id) != nullptr;
    case ResourceType::Icon:
      return FindIcon(id) != nullptr;
    case ResourceType::Cursor:
      return FindCursor(id) != nullptr;
  }
  return false;
}

bool ResourceSet::ContainsWin32(ULONG_PTR type, ULONG_PTR name) const {
  if (type > 0xFFFF || name == 0 || name > 0xFFFF) return false;
  UINT id = static_cast<UINT>(name);
  switch (type) {
    case 1:   // RT_CURSOR
    case 12:  // RT_GROUP_CURSOR
      return Contains(ResourceType::Cursor, id);
    case 2:  // RT_BITMAP
      return Contains(ResourceType::Bitmap, id);
    case 3:   // RT_ICON
    case 14:  // RT_GROUP_ICON
      return Contains(ResourceType::Icon, id);
    case 4:  // RT_MENU
      return Contains(ResourceType::Menu, id);
    case 5:  // RT_DIALOG
      return Contains(ResourceType::Dialog, id);
    case 6: {  // RT_STRING: a block of sixteen
      UINT first = (id - 1) * 16;
      for (auto it = strings_.lower_bound(first); it != strings_.end() && it->first < first + 16; ++it)
        if (!it->second.empty()) return true;
      return false;
    }
    case 9:  // RT_ACCELERATOR
      return Contains(ResourceType::Accelerators, id);
    case 240: {  // RT_DLGINIT
      const DialogTemplate* d = FindDialog(id);
      return d && !d->initData.empty();
    }
    case 241:  // RT_TOOLBAR
      return Contains(ResourceType::ToolBar, id);
    default:
      return false;
  }
}

bool ResourceSet::IsEmpty() const {
  return strings_.empty() && dialogs_.empty() && menus_.empty() && toolBars_.empty() && accelerators_.empty() &&
         bitmaps_.empty() && icons_.empty() && cursors_.empty();
}

}  // namespace platform
