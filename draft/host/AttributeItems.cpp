#include "draft/host/AttributeItems.h"

#include <utility>

CAttributeItem* CAttributeItemList::Find(const char* name) {
  if (!name) return nullptr;
  const auto at = places_.find(name);
  return at == places_.end() ? nullptr : &items_[at->second];
}

const CAttributeItem* CAttributeItemList::Find(const char* name) const {
  return const_cast<CAttributeItemList*>(this)->Find(name);
}

void CAttributeItemList::Append(CAttributeItem item) {
  places_.emplace(item.name.GetString(), items_.size());
  items_.push_back(std::move(item));
}

void CAttributeItemList::Clear() {
  items_.clear();
  places_.clear();
}

BOOL AddAttributeItem(CAttributeItemList* list, const char* name, const char* type, const char* value, int replace,
                      int shown) {
  if (!list || !name || !*name) return FALSE;
  if (CAttributeItem* item = list->Find(name)) {
    if (replace) {
      item->type = type ? type : "";
      item->value = value ? value : "";
      item->shown = shown;
    }
    return TRUE;
  }
  list->Append({name, type ? type : "", value ? value : "", shown});
  return TRUE;
}

void ClearAttributes(CAttributeItemList* list) {
  if (list) list->Clear();
}

CAttributeItem* FindAttributeItem(CAttributeItemList* list, const char* name) {
  return list ? list->Find(name) : nullptr;
}
