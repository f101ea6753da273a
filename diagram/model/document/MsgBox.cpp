#include "diagram/model/document/MsgBox.h"

#include <vector>

IMPLEMENT_DYNAMIC(CMsgBox, CObject)

CMsgBox* CMsgBox::c_pMsgBoxFirst = nullptr;

CMsgBox::CMsgBox(CMsgBox* replaced) : m_pReplacedMsgBox(replaced), m_pNextMsgBox(c_pMsgBoxFirst) {
  c_pMsgBoxFirst = this;
}

CMsgBox::~CMsgBox() { Remove(this); }

void CMsgBox::Remove(CMsgBox* box) {
  for (CMsgBox** link = &c_pMsgBoxFirst; *link; link = &(*link)->m_pNextMsgBox) {
    if (*link == box) {
      *link = box->m_pNextMsgBox;
      box->m_pNextMsgBox = nullptr;
      return;
    }
  }
}

void CMsgBox::RemoveReplacedMsgBoxes() {
  std::vector<CMsgBox*> replaced;
  for (CMsgBox* box = c_pMsgBoxFirst; box; box = box->m_pNextMsgBox) {
    if (box->m_pReplacedMsgBox) replaced.push_back(box->m_pReplacedMsgBox);
  }
  // Only pointers are compared: a replaced box need not be alive any more.
  for (CMsgBox* box : replaced) Remove(box);
}

void CMsgBox::Notify(ULONG code, LPCWSTR s1, LPCWSTR s2) {
  RemoveReplacedMsgBoxes();
  for (CMsgBox* box = c_pMsgBoxFirst; box;) {
    CMsgBox* next = box->m_pNextMsgBox;  // the handler may unlink itself
    if (box->HandleNotify(code, s1, s2)) return;
    box = next;
  }
}

int CMsgBox::Confirm(ULONG code, LPCWSTR s) {
  RemoveReplacedMsgBoxes();
  int answer = FALSE;
  for (CMsgBox* box = c_pMsgBoxFirst; box;) {
    CMsgBox* next = box->m_pNextMsgBox;
    if (box->HandleConfirm(code, s, answer)) return answer;
    box = next;
  }
  return FALSE;
}

int CMsgBox::HandleNotify(ULONG, LPCWSTR, LPCWSTR) { return FALSE; }

int CMsgBox::HandleConfirm(ULONG, LPCWSTR, int&) { return FALSE; }
