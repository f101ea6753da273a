// The settings store's backing on the application profile: each section of
// the store is a profile section, each value an entry's text.
#include "draft/host/Settings.h"
#include "platform/core/Profile.h"

namespace {
// A line break cannot be stored in the profile, so it marks a missing entry.
constexpr const char* kMissing = "\n";
}  // namespace

std::optional<CStringA> CProfileSettings::Read(const CStringA& section, const CStringA& key) const {
  CStringA text = platform::GetProfileString(section.GetString(), key.GetString(), kMissing);
  if (text == kMissing) return std::nullopt;
  return text;
}

bool CProfileSettings::Write(const CStringA& section, const CStringA& key, const CStringA& value) {
  return platform::WriteProfileString(section.GetString(), key.GetString(), value.GetString()) != FALSE;
}
