// The keep-or-cut state of a clip command, remembered in the settings store
// between commands, and the prompt that names the state TAB switches to.
#pragma once

#include "platform/core/String.h"

class CClipState {
 public:
  // Reads the state (0 cut the inside away, 1 keep it; default 0).
  CClipState(const char* section, const char* key, const char* shape);
  // Writes the state back for the next command of the kind.
  ~CClipState();
  CClipState(const CClipState&) = delete;
  CClipState& operator=(const CClipState&) = delete;

  int Get() const { return state_; }
  void Toggle() { state_ = state_ ? 0 : 1; }
  // `prompt` followed by "(TAB:切换到" and the shape's state TAB gives.
  CString Prompt(const CString& prompt) const;

 private:
  const char* section_;
  const char* key_;
  const char* shape_;
  int state_;
};
