#include "platform/ui/ToolTipCtrl.h"

#include <algorithm>
#include <vector>

#include "platform/core/Charset.h"
#include "platform/ui/ControlBase.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace platform {

class ToolTipControl : public ControlImpl {
 public:
  struct Tool {
    HWND hwnd;
    UINT_PTR id;
    RECT rect;
    bool wholeWindow;
    std::u16string text;
  };
  std::vector<Tool> tools;
  bool active = true;
  COLORREF back = RGB(255, 255, 225);
  COLORREF fore = RGB(0, 0, 0);
  int maxWidth = -1;
  HWND current = nullptr;

  Tool* Find(HWND hwnd, UINT_PTR id) {
    for (Tool& t : tools)
      if (t.hwnd == hwnd && t.id == id) return &t;
    return nullptr;
  }

  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case TTM_ACTIVATE:
        active = wParam != 0;
        if (!active) current = nullptr;
        return 0;
      case TTM_SETTIPBKCOLOR:
        back = static_cast<COLORREF>(wParam);
        return 0;
      case TTM_SETTIPTEXTCOLOR:
        fore = static_cast<COLORREF>(wParam);
        return 0;
      case TTM_GETTIPBKCOLOR:
        return back;
      case TTM_GETTIPTEXTCOLOR:
        return fore;
      case TTM_SETMAXTIPWIDTH: {
        int old = maxWidth;
        maxWidth = static_cast<int>(lParam);
        return old;
      }
      case TTM_GETMAXTIPWIDTH:
        return maxWidth;
      case TTM_RELAYEVENT: {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (!msg || !active) return 0;
        if (msg->message == WM_MOUSEMOVE) {
          POINT p{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
          current = nullptr;
          for (const Tool& t : tools)
            if (t.hwnd == msg->hwnd && (t.wholeWindow || PtInRect(&t.rect, p))) current = t.hwnd;
        } else if (msg->message >= WM_LBUTTONDOWN && msg->message <= WM_MBUTTONDBLCLK) {
          current = nullptr;  // a click hides the tip
        }
        return 0;
      }
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }
};

namespace {
std::unique_ptr<ControlImpl> Make(HWND) { return std::make_unique<ToolTipControl>(); }
const bool registered = (RegisterPredefinedClass(TOOLTIPS_CLASSW, &Make),
                         SetWrapperFactory(TOOLTIPS_CLASSW, [] { return static_cast<CWnd*>(new CToolTipCtrl); }), true);
}  // namespace

}  // namespace platform

namespace {
platform::ToolTipControl* TT(HWND h) { return platform::ControlOf<platform::ToolTipControl>(h); }
}  // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr, nullptr);
}
void CToolTipCtrl::Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
BOOL CToolTipCtrl::IsActive() const {
  auto* t = TT(m_hWnd);
  return t && t->active;
}
BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCWSTR text, LPCRECT toolRect, UINT_PTR toolId) {
  auto* t = TT(m_hWnd);
  if (!t || !wnd || !wnd->m_hWnd) return FALSE;
  RECT r{0, 0, 0, 0};
  if (toolRect) r = *toolRect;
  bool whole = toolRect == nullptr || toolId == 0;
  if (auto* existing = t->Find(wnd->m_hWnd, toolId)) {
    *existing = platform::ToolTipControl::Tool{wnd->m_hWnd, toolId, r, whole, text ? text : u""};
    return TRUE;
  }
  t->tools.push_back(platform::ToolTipControl::Tool{wnd->m_hWnd, toolId, r, whole, text ? text : u""});
  return TRUE;
}
BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCSTR text, LPCRECT toolRect, UINT_PTR toolId) {
  std::u16string wide = text ? platform::GbkToUtf16(text) : std::u16string();
  return AddTool(wnd, wide.c_str(), toolRect, toolId);
}
void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId) {
  auto* t = TT(m_hWnd);
  if (!t || !wnd) return;
  t->tools.erase(std::remove_if(t->tools.begin(), t->tools.end(),
                                [&](const auto& tool) { return tool.hwnd == wnd->m_hWnd && tool.id == toolId; }),
                 t->tools.end());
}
int CToolTipCtrl::GetToolCount() const {
  auto* t = TT(m_hWnd);
  return t ? static_cast<int>(t->tools.size()) : 0;
}
CStringW CToolTipCtrl::GetText(CWnd* wnd, UINT_PTR toolId) const {
  auto* t = TT(m_hWnd);
  auto* tool = (t && wnd) ? t->Find(wnd->m_hWnd, toolId) : nullptr;
  return tool ? CStringW(tool->text.c_str()) : CStringW();
}
void CToolTipCtrl::UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR toolId) {
  auto* t = TT(m_hWnd);
  if (auto* tool = (t && wnd) ? t->Find(wnd->m_hWnd, toolId) : nullptr) tool->text = text ? text : u"";
}
void CToolTipCtrl::UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR toolId) {
  std::u16string wide = text ? platform::GbkToUtf16(text) : std::u16string();
  UpdateTipText(wide.c_str(), wnd, toolId);
}
void CToolTipCtrl::RelayEvent(LPMSG msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
HWND CToolTipCtrl::GetCurrentTool() const {
  auto* t = TT(m_hWnd);
  return t ? t->current : nullptr;
}
COLORREF CToolTipCtrl::GetTipBkColor() const { return static_cast<COLORREF>(SendMessage(TTM_GETTIPBKCOLOR)); }
void CToolTipCtrl::SetTipBkColor(COLORREF color) { SendMessage(TTM_SETTIPBKCOLOR, color); }
COLORREF CToolTipCtrl::GetTipTextColor() const { return static_cast<COLORREF>(SendMessage(TTM_GETTIPTEXTCOLOR)); }
void CToolTipCtrl::SetTipTextColor(COLORREF color) { SendMessage(TTM_SETTIPTEXTCOLOR, color); }
int CToolTipCtrl::GetMaxTipWidth() const { return static_cast<int>(SendMessage(TTM_GETMAXTIPWIDTH)); }
int CToolTipCtrl::SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
