// CSecurityChecker: the edit lock of a diagram. While open it allows every
// operation. Closed, it allows an operation only when all of the
// operation's bits are among its allowed masks. A password, kept and saved
// only in scrambled form, opens it again, and so does a master value that the
// host builds at run time (never saved).
#pragma once

#include "diagram/model/canvas/Operation.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CSecurityChecker : public CObject {
  DECLARE_SERIAL(CSecurityChecker)

 public:
  CSecurityChecker();

  BOOL IsLocked() const { return m_bLocked; }
  // Closes the lock when the masks restrict anything: 1; else it stays (or
  // becomes) open: 0.
  int Lock();
  // Opens the lock with the master value or the password: 1 when open.
  int UnLock(LPCWSTR text);

  // Only while open: 1 and the masks stored; closed: 0, nothing changed.
  int SetAllowedOperations(const COperation& allowed);
  int SetAllowedOperations(DWORD first, DWORD second);

  int IsAllowed(const COperation& op) const { return IsAllowed(op.m_dwFirst, op.m_dwSecond); }
  int IsAllowed(DWORD first, DWORD second) const;

  // Only while open: stores the scrambled password and gives 1; closed: 0.
  int SetPassword(LPCWSTR text);
  // Builds the master value from what the host passes.
  void SetBackDoor(LPCWSTR first, LPCWSTR second, WORD a, WORD b);

  // Writes both masks and the scrambled password; reading closes the lock
  // when the masks restrict anything.
  void Serialize(CArchive& ar) override;

  // Scrambles `text` in place with key `key` (one-way in practice: several
  // texts give the same result, so passwords are compared scrambled).
  static void Encrypt(CStringW& text, int key);

 private:
  BOOL m_bLocked;
  COperation m_allowed;
  CStringW m_strPassword;  // scrambled
  CStringW m_strMaster;    // built by SetBackDoor; never saved
};
