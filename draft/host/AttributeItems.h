// Korrin's attribute items: named text attributes of a group, of the drawing
// or of an entity, each a name, a type text ("字符串", "字符型", ...) and a
// value. An item list keeps its items in the order they were added; names
// are unique within a list and compare byte for byte. A list finds an item
// by its name without walking its items.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

struct CAttributeItem {
  CStringA name;
  CStringA type;
  CStringA value;
  int shown = 1;  // whether the item is shown with what carries it
};

class CAttributeItemList {
 public:
  int GetCount() const { return static_cast<int>(items_.size()); }
  const CAttributeItem& GetAt(int index) const { return items_.at(static_cast<size_t>(index)); }
  // The item of that name (its name stays as it is), or null.
  CAttributeItem* Find(const char* name);
  const CAttributeItem* Find(const char* name) const;
  const std::vector<CAttributeItem>& Items() const { return items_; }
  // Appends an item whose name the list does not hold yet.
  void Append(CAttributeItem item);
  void Clear();

 private:
  std::vector<CAttributeItem> items_;
  std::unordered_map<std::string, size_t> places_;  // name -> index in items_
};

// Adds an item to the list. An item of that name already there takes the
// type, value and shown flag when `replace` is set, and is left as it is
// otherwise. FALSE for a null list or an empty name (nothing added).
BOOL AddAttributeItem(CAttributeItemList* list, const char* name, const char* type, const char* value, int replace,
                      int shown);
// Empties the list.
void ClearAttributes(CAttributeItemList* list);
// The item of that name, or null.
CAttributeItem* FindAttributeItem(CAttributeItemList* list, const char* name);
