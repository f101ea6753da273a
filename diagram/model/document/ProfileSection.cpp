#include "diagram/model/document/ProfileSection.h"

#include "platform/core/Profile.h"

int ProfileSection::ReadInt(const WCHAR* entry, int defaultValue) const {
  return static_cast<int>(platform::GetProfileInt(m_name, entry, defaultValue));
}

void ProfileSection::WriteInt(const WCHAR* entry, int value) const { platform::WriteProfileInt(m_name, entry, value); }
