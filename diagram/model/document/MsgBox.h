// The chain of message-box handlers through which the diagram library shows
// every message and asks every yes/no question, by numeric code. The newest
// box is asked first; a box may name another box that it replaces, and the
// replaced box leaves the chain before the next message.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CMsgBox : public CObject {
  DECLARE_DYNAMIC(CMsgBox)

 public:
  // Links the new box at the head of the chain; `replaced` (may be null)
  // leaves the chain at the next Notify or Confirm.
  explicit CMsgBox(CMsgBox* replaced = nullptr);
  ~CMsgBox() override;

  // Shows message `code` through the first box that handles it; nothing is
  // shown when none does.
  static void Notify(ULONG code, LPCWSTR s1 = nullptr, LPCWSTR s2 = nullptr);
  // Asks question `code` through the first box that handles it and returns
  // its answer; false when no box handles it.
  static int Confirm(ULONG code, LPCWSTR s = nullptr);

  // Unlinks a box from the chain; a box that is not in it is ignored.
  static void Remove(CMsgBox* box);
  // Unlinks every box that a box of the chain replaces.
  static void RemoveReplacedMsgBoxes();

  // The library's own box of this class; the base class has none.
  static CMsgBox* GetInstance() { return nullptr; }

  // True when handled.
  virtual int HandleNotify(ULONG code, LPCWSTR s1, LPCWSTR s2);
  // True when handled; `answer` then holds the reply.
  virtual int HandleConfirm(ULONG code, LPCWSTR s, int& answer);

  static CMsgBox* c_pMsgBoxFirst;

 protected:
  CMsgBox* m_pReplacedMsgBox;
  CMsgBox* m_pNextMsgBox;
};
