#include "platform/ui/Dialog.h"

#include <cstdio>

#include "platform/core/Charset.h"
#include "platform/core/Exceptions.h"
#include "platform/core/ResourceModule.h"
#include "platform/core/ScopedResourceModule.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WindowSystem.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

namespace platform {

const DialogTemplate* FindDialogTemplate(UINT id, HINSTANCE* module, std::shared_ptr<const ResourceSet>* keep) {
  FoundResources found = FindResources(ResourceType::Dialog, id);
  if (!found) return nullptr;
  if (module) *module = found.module;
  const DialogTemplate* dialog = found.resources->FindDialog(id);
  if (keep) *keep = found.resources;
  return dialog;
}

}  // namespace platform

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_nIDTemplate(templateId) {}

CDialog::~CDialog() {
  if (m_hWnd) DestroyWindow();
}

HWND CDialog::PreModal() {
  HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  CWnd* owner = CWnd::GetSafeOwner(CWnd::FromHandle(parent), nullptr);
  return owner ? owner->m_hWnd : nullptr;
}

INT_PTR CDialog::DoModal() {
  HINSTANCE module = nullptr;
  std::shared_ptr<const platform::ResourceSet> keep;
  const platform::DialogTemplate* dialog = platform::FindDialogTemplate(m_nIDTemplate, &module, &keep);
  if (!dialog) {
    std::fprintf(stderr, "[dialog] no dialog template %u on the resource chain\n", m_nIDTemplate);
    return -1;
  }
  // The dialog's own module is the resource module while it runs.
  platform::ScopedResourceModule own(module);
  return RunModal(*dialog, module);
}

INT_PTR CDialog::RunModal(const platform::DialogTemplate& dialog, HINSTANCE module) {
  HWND parent = PreModal();
  struct ModalScope {
    CDialog& dialog;
    HWND parent;
    bool enableParent = false;
    ~ModalScope() {
      if (enableParent && IsWindow(parent)) ::EnableWindow(parent, TRUE);
      if (parent && IsWindow(parent) && ::GetActiveWindow() == dialog.m_hWnd) ::SetActiveWindow(parent);
      if (dialog.m_hWnd) dialog.DestroyWindow();
      dialog.m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    }
  } scope{*this, parent};
  if (parent && ::IsWindowEnabled(parent)) {
    ::EnableWindow(parent, FALSE);
    scope.enableParent = true;
  }

  m_nModalResult = -1;
  m_nFlags |= WF_CONTINUEMODAL;
  try {
    if (CreateFromTemplate(dialog, parent, module)) {
      if (m_nFlags & WF_CONTINUEMODAL) {
        DWORD flags = (GetStyle() & DS_NOIDLEMSG) ? 0x0002 : 0;
        RunModalLoop(flags);
      }
      if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
  } catch (CException&) {
    // A framework exception that escaped the dialog ends it with -1.
    m_nModalResult = -1;
  }
  return m_nModalResult;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  m_nIDTemplate = templateId;
  if (parent) m_pParentWnd = parent;
  HINSTANCE module = nullptr;
  std::shared_ptr<const platform::ResourceSet> keep;
  const platform::DialogTemplate* dialog = platform::FindDialogTemplate(templateId, &module, &keep);
  if (!dialog) return FALSE;
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!owner) {
    CWnd* main = AfxGetMainWnd();
    owner = main ? main->m_hWnd : nullptr;
  }
  return CreateFromTemplate(*dialog, owner, module);
}

BOOL CDialog::CreateFromTemplate(const platform::DialogTemplate& dialog, HWND parent, HINSTANCE module) {
  const int baseX = 6, baseY = 13;  // see MapDialogRect
  DWORD style = dialog.style;
  RECT client{0, 0, MulDiv(dialog.rect.cx, baseX, 4), MulDiv(dialog.rect.cy, baseY, 8)};
  RECT outer = client;
  AdjustWindowRectEx(&outer, style, FALSE, dialog.exStyle);
  int x = MulDiv(dialog.rect.x, baseX, 4), y = MulDiv(dialog.rect.y, baseY, 8);
  if (parent && !(style & DS_ABSALIGN) && !(style & WS_CHILD)) {
    POINT origin{0, 0};
    ::ClientToScreen(parent, &origin);
    x += origin.x;
    y += origin.y;
  }
  HMENU idOrMenu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(dialog.id)) : nullptr;
  if (!CreateEx(dialog.exStyle, u"#32770", dialog.caption.c_str(), style & ~WS_VISIBLE, x, y, outer.right - outer.left,
                outer.bottom - outer.top, parent, idOrMenu, nullptr))
    return FALSE;
  if (platform::WindowRecord* w = platform::FindWindowRecord(m_hWnd)) w->instance = module;

  // The controls, in the template's order (the tab order).
  UINT defaultId = IDOK;
  for (const platform::DialogControl& c : dialog.controls) {
    RECT r{c.rect.x, c.rect.y, c.rect.x + c.rect.cx, c.rect.y + c.rect.cy};
    ::MapDialogRect(m_hWnd, &r);
    HWND h = CreateWindowExW(c.exStyle | WS_EX_NOPARENTNOTIFY, c.className.c_str(), c.text.c_str(), c.style | WS_CHILD,
                             r.left, r.top, r.right - r.left, r.bottom - r.top, m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), module, nullptr);
    if (!h && !(style & DS_NOFAILCREATE)) {
      std::fprintf(stderr, "[dialog] template %u: control %d of class \"%s\" cannot be created\n", dialog.id, c.id,
                   platform::Utf16ToUtf8(c.className).c_str());
      DestroyWindow();
      return FALSE;
    }
    if (h && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && (SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
      defaultId = static_cast<UINT>(c.id);
  }
  if (platform::WindowRecord* w = platform::FindWindowRecord(m_hWnd)) w->defaultId = defaultId;

  HWND first = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
  LRESULT focusDefault = SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(first), 0);
  if (!m_hWnd) return FALSE;
  if (focusDefault && first && IsWindow(first) && (m_nFlags & WF_CONTINUEMODAL || !(style & WS_CHILD))) {
    // The dialog manager focuses the first control that takes Tab.
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
  }
  if (style & DS_CENTER) CenterWindow();
  if (style & WS_VISIBLE) ShowWindow(SW_SHOWNORMAL);
  return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CWnd::ExecuteDlgInit(UINT templateId) {
  std::shared_ptr<const platform::ResourceSet> keep;
  const platform::DialogTemplate* dialog = platform::FindDialogTemplate(templateId, nullptr, &keep);
  if (!dialog) return TRUE;  // nothing to apply
  BOOL ok = TRUE;
  for (const platform::DialogInitItem& item : dialog->initData) {
    HWND control = ::GetDlgItem(m_hWnd, item.controlId);
    if (!control || SendMessageW(control, item.message, 0, reinterpret_cast<LPARAM>(item.text.c_str())) < 0) ok = FALSE;
  }
  return ok;
}

BOOL CWnd::ExecuteDlgInit(LPCWSTR templateName) {
  if (!IS_INTRESOURCE(templateName)) return TRUE;  // named templates have no initialisation data here
  return ExecuteDlgInit(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(templateName)));
}

BOOL CDialog::OnInitDialog() {
  if (!ExecuteDlgInit(m_nIDTemplate)) {
    EndDialog(-1);
    return FALSE;
  }
  if (!UpdateData(FALSE)) {
    EndDialog(-1);
    return FALSE;
  }
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;  // the dialog stays open
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result) {
  if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) EndModalLoop(result);
  ::EndDialog(m_hWnd, result);
}

void CDialog::GotoDlgCtrl(CWnd* control) {
  if (control) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
}
void CDialog::NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }
void CDialog::SetDefID(UINT id) { SendMessage(DM_SETDEFID, id); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }
void CDialog::MapDialogRect(LPRECT rect) const { ::MapDialogRect(m_hWnd, rect); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (CWnd::PreTranslateMessage(msg)) return TRUE;
  return PreTranslateInput(msg);
}
