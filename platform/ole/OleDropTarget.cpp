#include "platform/ole/OleDropTarget.h"

#include <map>

#include "platform/ui/View.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/Wnd.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

namespace {

std::map<HWND, COleDropTarget*>& Registry() {
  static auto* targets = new std::map<HWND, COleDropTarget*>;  // outlives static destructors
  return *targets;
}

CView* ViewOf(CWnd* window) { return window && window->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(window) : nullptr; }

}  // namespace

COleDropTarget::~COleDropTarget() {
  if (m_hWnd) {
    Registry().erase(m_hWnd);
    m_hWnd = nullptr;
  }
}

BOOL COleDropTarget::Register(CWnd* window) {
  if (m_hWnd || !window || !window->m_hWnd || !IsWindow(window->m_hWnd)) return FALSE;
  auto& targets = Registry();
  auto it = targets.find(window->m_hWnd);
  // A window destroyed without revoking leaves a stale entry, which a new
  // window with the same handle replaces.
  if (it != targets.end() && it->second->m_hWnd == window->m_hWnd && IsWindow(window->m_hWnd)) return FALSE;
  targets[window->m_hWnd] = this;
  m_hWnd = window->m_hWnd;
  return TRUE;
}

void COleDropTarget::Revoke() {
  if (!m_hWnd) return;
  auto& targets = Registry();
  auto it = targets.find(m_hWnd);
  if (it != targets.end() && it->second == this) targets.erase(it);
  m_hWnd = nullptr;
}

COleDropTarget* COleDropTarget::FromHandle(HWND window) {
  auto& targets = Registry();
  auto it = targets.find(window);
  return it == targets.end() ? nullptr : it->second;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) {
  CView* view = ViewOf(window);
  return view ? view->OnDragEnter(data, keyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) {
  CView* view = ViewOf(window);
  return view ? view->OnDragOver(data, keyState, point) : DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd* window) {
  if (CView* view = ViewOf(window)) view->OnDragLeave();
}

BOOL COleDropTarget::OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point) {
  CView* view = ViewOf(window);
  return view ? view->OnDrop(data, effect, point) : FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint) {
  return static_cast<DROPEFFECT>(-1);
}
