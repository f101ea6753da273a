#include "diagram/model/document/DrawMsgBox.h"

#include <iterator>

#include "diagram/res/MessageStrings.h"
#include "platform/core/MessageBox.h"
#include "platform/core/String.h"

IMPLEMENT_DYNAMIC(CDrawMsgBox, CMsgBox)

CDrawMsgBox CDrawMsgBox::c_msgBoxCDrawMsgBox;
ULONG CDrawMsgBox::c_lastNotifyCode = 0;

namespace {

// The string of each notification code, 1 to 32.
constexpr UINT kNotifyStrings[] = {
    IDS_ABOUT_ALREADY_OPEN_EDIT,   IDS_ABOUT_ALREADY_OPEN_READONLY, IDS_ABOUT_CHANGES_IGNORED,
    IDS_ARCS_ROUTED_COUNT,         IDS_BAD_BIRDEYE_MAX_WIDTH,       IDS_BAD_BIRDEYE_MAX_HEIGHT,
    IDS_ROUTER_MEMORY_HINT,        IDS_BAD_ARC_FLAGS_ORTHOGONAL,    IDS_BAD_AUTOROUTE_MODE,
    IDS_BAD_AUTOROUTE_METHOD,      IDS_BAD_ROUTE_WHAT,              IDS_BAD_MANUAL_ROUTE_METHOD,
    IDS_BAD_LAST_AUTOROUTE_METHOD, IDS_BAD_LAST_AUTOROUTE_MODE,     IDS_BAD_ROUTE_TOP_MARGIN,
    IDS_BAD_ROUTE_BOTTOM_MARGIN,   IDS_BAD_ROUTE_LEFT_MARGIN,       IDS_BAD_ROUTE_RIGHT_MARGIN,
    IDS_BAD_ROUTE_MIN_DISTANCE,    IDS_OBJECT_CREATE_FAILED,        IDS_COMMAND_FAILED,
    IDS_ROUTER_INIT_NO_MEMORY,     IDS_ROUTING_NO_MEMORY,           IDS_CANNOT_EDIT_TEXT,
    IDS_GROUP_MEMBER_COUNT,        IDS_NO_ABOUT_INFO,               IDS_ABOUT_CREATE_FAILED,
    IDS_POINT_DELETE_REFUSED,      IDS_BAD_SELECTION_PROXIMITY,     IDS_BAD_MAX_UNDO_LEVELS,
    IDS_OPENED_READONLY,           IDS_ADD_BLOCK_FAILED,
};

// The string of each question code, 1 to 7.
constexpr UINT kConfirmStrings[] = {
    IDS_CONFIRM_CANCEL_ROUTING,       IDS_CONFIRM_DELETE_ABOUT,          IDS_CONFIRM_VIRTUAL_MEMORY,
    IDS_CONFIRM_FREE_UNDO_MEMORY,     IDS_CONFIRM_CONTINUE_WITHOUT_UNDO, IDS_CONFIRM_FORCE_ONTO_CANVAS,
    IDS_CONFIRM_CANNOT_UNDO,
};

// The router raises this after the user refused its memory question ...
constexpr ULONG kRouterMemoryHint = 7;
// ... and its caller then reports that the router could not start.
constexpr ULONG kRouterInitNoMemory = 22;
constexpr ULONG kArcsRoutedCount = 4;

// Replaces "%1" and "%2" in one pass, so that an argument that itself holds
// "%2" stays as it is. A null argument counts as empty.
CStringW FormatArguments(const CStringW& text, LPCWSTR s1, LPCWSTR s2) {
  CStringW out;
  for (int i = 0; i < text.GetLength(); ++i) {
    WCHAR c = text[i];
    if (c == u'%' && i + 1 < text.GetLength() && (text[i + 1] == u'1' || text[i + 1] == u'2')) {
      out += CStringW(text[i + 1] == u'1' ? s1 : s2);
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

CStringW LoadText(UINT id) {
  CStringW text;
  text.LoadString(id);
  return text;
}

}  // namespace

int CDrawMsgBox::HandleNotify(ULONG code, LPCWSTR s1, LPCWSTR s2) {
  if (code < 1 || code > std::size(kNotifyStrings)) return FALSE;
  if (code == kRouterInitNoMemory && c_lastNotifyCode == kRouterMemoryHint) {
    // The user has just been told why; say nothing more this time.
    c_lastNotifyCode = kRouterInitNoMemory;
    return TRUE;
  }
  CStringW text = LoadText(kNotifyStrings[code - 1]);
  if (code == 4 || code == 25) {
    text = FormatArguments(text, s1, s2);
  } else if (code == 8) {
    text = FormatArguments(text, s1, nullptr);
  }
  AfxMessageBox(text.GetString(), MB_OK);
  if (code != kArcsRoutedCount) c_lastNotifyCode = code;
  return TRUE;
}

int CDrawMsgBox::HandleConfirm(ULONG code, LPCWSTR s, int& answer) {
  if (code < 1 || code > std::size(kConfirmStrings)) return FALSE;
  CStringW text = LoadText(kConfirmStrings[code - 1]);
  if (code == 3) text = FormatArguments(text, s, nullptr);
  answer = AfxMessageBox(text.GetString(), MB_YESNO | MB_ICONQUESTION) == IDYES;
  return TRUE;
}
