#include "draft/host/Settings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {
std::unique_ptr<CSettingsBacking>& Backing() {
  static std::unique_ptr<CSettingsBacking> backing = std::make_unique<CProfileSettings>();
  return backing;
}

bool Valid(const char* s) { return s && *s; }
}  // namespace

std::optional<CStringA> CMemorySettings::Read(const CStringA& section, const CStringA& key) const {
  auto s = values_.find(section.str());
  if (s == values_.end()) return std::nullopt;
  auto k = s->second.find(key.str());
  if (k == s->second.end()) return std::nullopt;
  return k->second;
}

bool CMemorySettings::Write(const CStringA& section, const CStringA& key, const CStringA& value) {
  values_[section.str()][key.str()] = value;
  return true;
}

std::unique_ptr<CSettingsBacking> SetSettingsBacking(std::unique_ptr<CSettingsBacking> backing) {
  std::unique_ptr<CSettingsBacking> previous = std::move(Backing());
  Backing() = backing ? std::move(backing) : std::make_unique<CProfileSettings>();
  return previous;
}

int GetProfileIntSetting(const char* section, const char* key, int defaultValue) {
  if (!Valid(section) || !Valid(key)) return defaultValue;
  const std::optional<CStringA> text = Backing()->Read(section, key);
  if (!text) return defaultValue;
  CStringA t = *text;
  t.Trim();
  if (t.IsEmpty()) return defaultValue;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(t.GetString(), &end, 10);
  if (errno != 0 || *end != '\0' || v < INT_MIN || v > INT_MAX) return defaultValue;
  return static_cast<int>(v);
}

CStringA GetProfileStringSetting(const char* section, const char* key, const char* defaultValue) {
  const CStringA fallback(defaultValue ? defaultValue : "");
  if (!Valid(section) || !Valid(key)) return fallback;
  const std::optional<CStringA> text = Backing()->Read(section, key);
  return text ? *text : fallback;
}

BOOL WriteProfileIntSetting(const char* section, const char* key, int value) {
  CStringA text;
  text.Format("%d", value);
  return WriteProfileStringSetting(section, key, text);
}

BOOL WriteProfileStringSetting(const char* section, const char* key, const char* value) {
  if (!Valid(section) || !Valid(key) || !value) return FALSE;
  return Backing()->Write(section, key, value) ? TRUE : FALSE;
}

int GetSysVarInt(const char* group, const char* key, int defaultValue) {
  return GetProfileIntSetting(group, key, defaultValue);
}
