// Tressil's settings store: named sections of keys whose values are kept as
// text. Every read names its default, returned when the key is missing (or,
// for an int, when its text is not a number); ints are written as decimal
// text, reals as text formatted by the caller ("%lf"). The system-variable
// groups (SYSVAR_MISC, SYSVAR_NORMAL, ...) are sections of the same store.
//
// The store keeps its values in a backing: the application profile (the
// default), or memory.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/String.h"

class CSettingsBacking {
 public:
  virtual ~CSettingsBacking() = default;
  virtual std::optional<CStringA> Read(const CStringA& section, const CStringA& key) const = 0;
  virtual bool Write(const CStringA& section, const CStringA& key, const CStringA& value) = 0;
};

// Values held in memory, sections and keys compared as given.
class CMemorySettings : public CSettingsBacking {
 public:
  std::optional<CStringA> Read(const CStringA& section, const CStringA& key) const override;
  bool Write(const CStringA& section, const CStringA& key, const CStringA& value) override;

 private:
  // Keyed by the bytes of section and key.
  std::map<std::string, std::map<std::string, CStringA>> values_;
};

// Values held in the application profile (platform/core/Profile.h).
class CProfileSettings : public CSettingsBacking {
 public:
  std::optional<CStringA> Read(const CStringA& section, const CStringA& key) const override;
  bool Write(const CStringA& section, const CStringA& key, const CStringA& value) override;
};

// Replaces the store's backing (null: the application profile again) and
// returns the previous one.
std::unique_ptr<CSettingsBacking> SetSettingsBacking(std::unique_ptr<CSettingsBacking> backing);

int GetProfileIntSetting(const char* section, const char* key, int defaultValue);
CStringA GetProfileStringSetting(const char* section, const char* key, const char* defaultValue = "");
BOOL WriteProfileIntSetting(const char* section, const char* key, int value);
BOOL WriteProfileStringSetting(const char* section, const char* key, const char* value);
// A system variable read as an int (a section of the store).
int GetSysVarInt(const char* group, const char* key, int defaultValue);
