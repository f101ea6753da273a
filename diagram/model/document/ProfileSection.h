// ProfileSection: one section of the application profile, whose integer
// entries the library's class-wide options read (with the default given at
// the read) and write.
#pragma once

#include "platform/core/WinTypes.h"

class ProfileSection {
 public:
  explicit constexpr ProfileSection(const WCHAR* name) : m_name(name) {}

  int ReadInt(const WCHAR* entry, int defaultValue) const;
  void WriteInt(const WCHAR* entry, int value) const;

 private:
  const WCHAR* m_name;
};
