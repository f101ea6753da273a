#include "draft/edit/ClipState.h"

#include "draft/host/Settings.h"

CClipState::CClipState(const char* section, const char* key, const char* shape)
    : section_(section), key_(key), shape_(shape), state_(GetProfileIntSetting(section, key, 0) ? 1 : 0) {}

CClipState::~CClipState() { WriteProfileIntSetting(section_, key_, state_); }

CString CClipState::Prompt(const CString& prompt) const {
  return prompt + "(TAB:切换到" + shape_ + (state_ ? "裁减状态)" : "保留状态)");
}
