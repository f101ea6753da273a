// CCmdTarget: the base of every class that handles messages and commands
// through a message map; CCmdUI: the state of a command (enabled, checked,
// text) that command-state handlers set.
//
// A message map is a table of entries, each naming a message (or a command
// or notification code and a range of ids) and the handler that takes it.
// Lookup walks the class's table, then its base class's, and so on up to
// CCmdTarget, so a derived class overrides a handler by listing it.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/ui/WinUser.h"

// Marks a member as a message handler (documentation only).
#define afx_msg

class CCmdTarget;
class CCmdUI;
class CWnd;
class CMenu;

namespace platform {

// What a handler of an entry receives.
struct MessageCall {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  UINT id;          // the command or control id (commands and notifications)
  void* extra;      // CCmdUI* (command state) or NMHDR* (notifications)
  LRESULT* result;  // the message's result
};

// Calls the handler of an entry; false when a handler that may decline
// (ON_COMMAND_EX, ON_NOTIFY_EX, command state with ContinueRouting) did.
using MessageThunk = bool (*)(CCmdTarget* target, const MessageCall& call);

}  // namespace platform

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;               // window message, or WM_COMMAND / WM_NOTIFY (+ WM_REFLECT_BASE)
  UINT nCode;                  // command or notification code
  UINT nID;                    // first control or command id
  UINT nLastID;                // last id of a range
  platform::MessageThunk pfn;  // null ends the table
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg when asked only whether a handler exists.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  const AFX_MSGMAP_ENTRY* pEntry;
};

// The extra argument of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

// Command codes of OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;

  // Routes a command (nCode CN_COMMAND or a control notification),
  // a command-state request (CN_UPDATE_COMMAND_UI, pExtra = CCmdUI*) or a
  // notification (MAKELONG(code, WM_NOTIFY), pExtra = AFX_NOTIFY*) to this
  // object's message map. With pHandlerInfo, only reports whether a handler
  // exists. True when handled.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  // The wait cursor of the application while a long operation runs.
  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

namespace platform {
// The entry of a map chain that takes (message, code, id), or null.
const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP_ENTRY* entries, UINT message, UINT code, UINT id);
}  // namespace platform

// The state of one command (a menu item, a tool-bar button, a dialog
// control) being updated. Enable, SetCheck, SetRadio and SetText act on
// the item m_nIndex of m_pMenu when it is set (a frame's menus), and on
// m_pOther when it is a window (a button is checked, any window enabled);
// hosts derive from it for their own bars.
class CCmdUI {
 public:
  UINT m_nID = 0;
  UINT m_nIndex = 0;
  CMenu* m_pMenu = nullptr;
  CMenu* m_pSubMenu = nullptr;
  CMenu* m_pParentMenu = nullptr;
  CWnd* m_pOther = nullptr;
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;
  UINT m_nIndexMax = 0;

  CCmdUI() = default;
  virtual ~CCmdUI() = default;

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCWSTR text);
  void SetText(LPCSTR text);
  // The handler passes the request on to the next target of the route.
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Asks the target's command-state handler; without one, and when asked
  // to, the command is disabled unless the target has a command handler.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// A wait cursor for the life of the object.
class CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  void Restore();
};

// Declares the message map of a class (in the class body); the table itself
// is written with BEGIN_MESSAGE_MAP ... END_MESSAGE_MAP (MessageMap.h).
#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;
