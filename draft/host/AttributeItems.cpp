#include "draft/host/AttributeItems.h"

#include <cstring>

CAttributeItem* CAttributeItemList::Find(const char* name) {
  for (CAttributeItem& item : items_) {
    if (name && std::strcmp(item.name, name) == 0) return &item;
  }
  return nullptr;
}

const CAttributeItem* CAttributeItemList::Find(const char* name) const {
  return const_cast<CAttributeItemList*>(this)->Find(name);
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
  list->Items().push_back({name, type ? type : "", value ? value : "", shown});
  return TRUE;
}

void ClearAttributes(CAttributeItemList* list) {
  if (list) list->Items().clear();
}

CAttributeItem* FindAttributeItem(CAttributeItemList* list, const char* name) {
  return list ? list->Find(name) : nullptr;
}
