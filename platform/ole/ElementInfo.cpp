#include "platform/ole/ElementInfo.h"

#include <cstring>

#include "platform/ole/TaskMemory.h"

namespace platform {

ElementInfo ElementInfo::Of(const StorageNode& node) {
  ElementInfo info;
  info.name = node.name;
  info.type = node.type;
  info.size = node.IsStorage() ? 0 : node.data.size();
  info.clsid = node.clsid;
  info.stateBits = node.stateBits;
  info.ctime = node.ctime;
  info.mtime = node.mtime;
  return info;
}

HRESULT FillStatStg(const ElementInfo& info, DWORD mode, DWORD statFlag, STATSTG& stat) {
  if (statFlag != STATFLAG_DEFAULT && statFlag != STATFLAG_NONAME) return STG_E_INVALIDFLAG;
  LPOLESTR name = nullptr;
  if (statFlag == STATFLAG_DEFAULT) {
    name = static_cast<LPOLESTR>(CoTaskMemAlloc((info.name.size() + 1) * sizeof(OLECHAR)));
    if (!name) return E_OUTOFMEMORY;
    std::memcpy(name, info.name.c_str(), (info.name.size() + 1) * sizeof(OLECHAR));
  }
  stat = STATSTG{};
  stat.pwcsName = name;
  stat.type = info.type;
  stat.cbSize.QuadPart = info.size;
  stat.mtime = info.mtime;
  stat.ctime = info.ctime;
  stat.grfMode = mode;
  stat.clsid = info.clsid;
  stat.grfStateBits = info.stateBits;
  return S_OK;
}

}  // namespace platform
