// Dialogs made from the dialog templates of the modules' resources.
//
// DoModal finds the template along the resource chain (the current resource
// module first), makes that module the current resource module while the
// dialog runs and puts the previous one back on every way out (an exception
// included). It disables the owner, creates the dialog and its controls
// with their ids, styles and texts, runs OnInitDialog (which applies the
// template's initialisation data and fills the controls from the members),
// and hands the running dialog to the modal driver (ModalDriver.h). The
// dialog's own handlers end it (OnOK: UpdateData(TRUE), then EndDialog(IDOK);
// OnCancel: EndDialog(IDCANCEL)). A template that cannot be found gives -1
// without running anything; with no driver the dialog is cancelled.
//
// Create makes a modeless dialog from a template; it lives until
// DestroyWindow.
#pragma once

#include <memory>

#include "platform/core/DialogTemplate.h"
#include "platform/core/ResourceSet.h"
#include "platform/ui/Wnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  CDialog() = default;
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  virtual INT_PTR DoModal();
  // A modeless dialog; false when the template is missing or creation fails.
  virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
  // Ends a modal dialog with `result` (DoModal returns it).
  void EndDialog(int result);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  // Focus and the default button.
  void GotoDlgCtrl(CWnd* control);
  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void SetDefID(UINT id);
  DWORD GetDefID() const;
  void MapDialogRect(LPRECT rect) const;

  BOOL PreTranslateMessage(MSG* msg) override;

  UINT m_nIDHelp = 0;
  CWnd* m_pParentWnd = nullptr;

  // The template id this dialog was made with.
  UINT GetTemplateId() const { return m_nIDTemplate; }

 protected:
  UINT m_nIDTemplate = 0;

  // Creates the dialog window and its controls from a template, then sends
  // WM_INITDIALOG.
  BOOL CreateFromTemplate(const platform::DialogTemplate& dialog, HWND parent, HINSTANCE module);
  // Runs the dialog modally from a template held in memory: disables the
  // owner, creates the dialog, hands it to the modal driver, and puts the
  // owner back and destroys the dialog on every way out.
  INT_PTR RunModal(const platform::DialogTemplate& dialog, HINSTANCE module);
  // The window a modal dialog disables: its parent's top-level window, or
  // the application's main window.
  HWND PreModal();

  afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

namespace platform {

// The dialog template `id` along the resource chain, with the module that
// holds it; null when none has it.
const DialogTemplate* FindDialogTemplate(UINT id, HINSTANCE* module, std::shared_ptr<const ResourceSet>* keep);

}  // namespace platform
