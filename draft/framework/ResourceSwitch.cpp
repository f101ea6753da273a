#include "draft/framework/ResourceSwitch.h"

#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"

BOOL CResourceSwitch::SwitchToModule(LPCSTR moduleName) {
  Restore();
  saved_ = AfxGetResourceHandle();
  HINSTANCE module = moduleName ? GetModuleHandleA(moduleName) : nullptr;
  if (!module) return FALSE;
  AfxSetResourceHandle(module);
  module_ = module;
  return TRUE;
}

void CResourceSwitch::Restore() {
  if (!module_) return;
  AfxSetResourceHandle(saved_);
  module_ = nullptr;
}
