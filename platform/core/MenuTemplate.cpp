#include "platform/core/MenuTemplate.h"

namespace platform {

const MenuItem* MenuTemplate::SubMenu(int position) const {
  if (position < 0 || static_cast<size_t>(position) >= items.size()) return nullptr;
  const MenuItem& item = items[static_cast<size_t>(position)];
  return item.IsPopup() ? &item : nullptr;
}

}  // namespace platform
