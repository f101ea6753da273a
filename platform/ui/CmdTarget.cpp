#include "platform/ui/CmdTarget.h"

#include "platform/ui/Menu.h"
#include "platform/ui/Wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace platform {

const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP_ENTRY* entries, UINT message, UINT code, UINT id) {
  for (const AFX_MSGMAP_ENTRY* e = entries; e->pfn; ++e) {
    if (e->nMessage == message && e->nCode == code && id >= e->nID && id <= e->nLastID) return e;
  }
  return nullptr;
}

}  // namespace platform

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // A command-state request keeps its code; other codes carry the message
  // in their high word (WM_NOTIFY, reflected messages).
  UINT message = 0;
  UINT code = static_cast<UINT>(nCode);
  if (code != CN_UPDATE_COMMAND_UI) {
    message = HIWORD(code);
    code = LOWORD(code);
  }
  if (message == 0) message = WM_COMMAND;
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    const AFX_MSGMAP_ENTRY* entry = platform::FindMessageEntry(map->lpEntries, message, code, nID);
    if (!entry) continue;
    if (pHandlerInfo) {
      pHandlerInfo->pTarget = this;
      pHandlerInfo->pEntry = entry;
      return TRUE;
    }
    LRESULT ignored = 0;
    LRESULT* result = &ignored;
    if (message == WM_NOTIFY || message == WM_NOTIFY + WM_REFLECT_BASE) {
      if (auto* n = static_cast<AFX_NOTIFY*>(pExtra); n && n->pResult) result = n->pResult;
    }
    platform::MessageCall call{message, 0, 0, nID, pExtra, result};
    return entry->pfn(this, call) ? TRUE : FALSE;
  }
  return FALSE;
}

// --- CCmdUI ------------------------------------------------------------------

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu && !m_pSubMenu)
    m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  if (m_pOther && m_pOther->m_hWnd) {
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      // The focus moves on before the control is disabled.
      if (CWnd* parent = m_pOther->GetParent()) parent->SendMessage(WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu && !m_pSubMenu) m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  if (m_pOther && m_pOther->m_hWnd && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON))
    m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
}

void CCmdUI::SetRadio(BOOL bOn) { SetCheck(bOn ? 1 : 0); }

void CCmdUI::SetText(LPCWSTR text) {
  if (m_pMenu && !m_pSubMenu) {
    const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
    if (state != static_cast<UINT>(-1))
      m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)), m_nID,
                          text);
  }
  if (m_pOther && m_pOther->m_hWnd) {
    CStringW current;
    m_pOther->GetWindowText(current);
    if (current != (text ? text : u"")) m_pOther->SetWindowText(text);
  }
}

void CCmdUI::SetText(LPCSTR text) { SetText(CStringW(text).GetString()); }

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (!pTarget) return FALSE;
  m_bEnableChanged = FALSE;
  BOOL handled = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
  if (bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    BOOL hasHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
    Enable(hasHandler);
  }
  return handled;
}
