#include "draft/host/BaseDialog.h"

#include "platform/ui/MessageMap.h"

BEGIN_MESSAGE_MAP(CBaseDialog, CDialog)
  ON_WM_RBUTTONUP()
END_MESSAGE_MAP()

CBaseDialog::CBaseDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CBaseDialog::~CBaseDialog() = default;

BOOL CBaseDialog::OnInitDialog() { return CDialog::OnInitDialog(); }

void CBaseDialog::OnRButtonUp(UINT, CPoint) { OnCancel(); }
