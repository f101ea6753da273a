#include "diagram/model/canvas/SecurityChecker.h"

#include <algorithm>

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CSecurityChecker, CObject, 0)

namespace {

constexpr DWORD kAllowAll = 0xFFFFFFFFu;

// Whether a UTF-16 code unit is a printable character other than a space,
// classified as the Windows run-time does it (not by the process locale):
// controls, spaces, lone surrogates and the two non-characters at the top of
// the plane are not graphic; every other code unit is.
bool IsGraphic(WCHAR c) {
  if (c <= 0x20 || (c >= 0x7F && c <= 0xA0)) return false;
  if (c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
      c == 0x205F || c == 0x3000) {
    return false;
  }
  if (c >= 0xD800 && c <= 0xDFFF) return false;
  return c != 0xFFFE && c != 0xFFFF;
}

}  // namespace

CSecurityChecker::CSecurityChecker() : m_bLocked(FALSE), m_allowed(kAllowAll, kAllowAll) {}

int CSecurityChecker::Lock() {
  if (m_allowed.m_dwFirst == kAllowAll && m_allowed.m_dwSecond == kAllowAll) {
    m_bLocked = FALSE;
    return 0;
  }
  m_bLocked = TRUE;
  return 1;
}

int CSecurityChecker::UnLock(LPCWSTR text) {
  if (!m_bLocked) return 1;
  CStringW candidate(text);
  if (!m_strMaster.IsEmpty() && candidate == m_strMaster) {
    m_bLocked = FALSE;
    return 1;
  }
  Encrypt(candidate, 0);
  if (candidate == m_strPassword) {
    m_bLocked = FALSE;
    return 1;
  }
  return 0;
}

int CSecurityChecker::SetAllowedOperations(const COperation& allowed) {
  return SetAllowedOperations(allowed.m_dwFirst, allowed.m_dwSecond);
}

int CSecurityChecker::SetAllowedOperations(DWORD first, DWORD second) {
  if (m_bLocked) return 0;
  m_allowed = COperation(first, second);
  return 1;
}

int CSecurityChecker::IsAllowed(DWORD first, DWORD second) const {
  if (!m_bLocked) return 1;
  return (m_allowed.m_dwFirst & first) == first && (m_allowed.m_dwSecond & second) == second;
}

int CSecurityChecker::SetPassword(LPCWSTR text) {
  if (m_bLocked) return 0;
  m_strPassword = text;
  Encrypt(m_strPassword, 0);
  return 1;
}

void CSecurityChecker::SetBackDoor(LPCWSTR first, LPCWSTR second, WORD a, WORD b) {
  int firstLength = 0;
  if (first) {
    m_strMaster = first;
    m_strMaster.TrimRight();
    Encrypt(m_strMaster, a + b * 8);
    firstLength = m_strMaster.GetLength();
  } else {
    m_strMaster.Empty();
  }
  if (second) {
    m_strMaster += second;
    m_strMaster.TrimRight();
  }
  int c = b;
  if (a == 0 && b == 0 && m_strMaster.GetLength() == firstLength) c = firstLength * 4 + 1;
  Encrypt(m_strMaster, a * 16 + c);
}

void CSecurityChecker::Encrypt(CStringW& text, int key) {
  int length = text.GetLength();
  if (length == 0) return;
  int working = key & 127;
  if (working == 0) working = (length * 17) % 128;
  if (working == 0) working = 71;
  std::u16string scrambled(text.str());
  for (WCHAR& c : scrambled) {
    c = static_cast<WCHAR>(c ^ working);
    if (!IsGraphic(c)) c = static_cast<WCHAR>(c + 64);
    if (!IsGraphic(c)) c = u'~';
  }
  std::reverse(scrambled.begin(), scrambled.end());
  text = CStringW(scrambled);
}

void CSecurityChecker::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_allowed.m_dwFirst << m_allowed.m_dwSecond << m_strPassword;
  } else {
    DWORD first = 0, second = 0;
    CStringW password;
    ar >> first >> second >> password;
    m_allowed = COperation(first, second);
    m_strPassword = password;
    Lock();
  }
}
