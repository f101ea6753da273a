// Makes the module that holds a dialog's template the current resource
// module for a scope: this library's own ("Scrivel.DLL") or a host
// library's ("Korrin.DLL", "Quorvel.DLL", "Nobrack.DLL"). The previous
// resource module comes back on Restore and when the switch goes out of
// scope, also when an exception passes. A module that is not loaded leaves
// the resource module as it is.
#pragma once

#include "platform/core/WinTypes.h"

class CResourceSwitch {
 public:
  CResourceSwitch() = default;
  explicit CResourceSwitch(LPCSTR moduleName) { SwitchToModule(moduleName); }
  ~CResourceSwitch() { Restore(); }
  CResourceSwitch(const CResourceSwitch&) = delete;
  CResourceSwitch& operator=(const CResourceSwitch&) = delete;

  // Puts back a switch in effect, then switches to the module of that file
  // name when it is loaded. TRUE when the switch is in effect.
  BOOL SwitchToModule(LPCSTR moduleName);
  void Restore();
  BOOL IsActive() const { return module_ != nullptr; }

 private:
  HINSTANCE saved_ = nullptr;
  HINSTANCE module_ = nullptr;  // the module switched to; null when not active
};

// This library's module name.
inline constexpr const char* kScrivelModuleName = "Scrivel.DLL";
