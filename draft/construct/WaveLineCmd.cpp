#include "draft/construct/WaveLineCmd.h"

#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "platform/core/WinConstants.h"

CWaveLineCmd::CWaveLineCmd(int id) : CSplineCmd(id, 0, 1) {
  prompts_ = {CString("输入波浪线端点")};
  for (int i = 1; i <= 5; ++i) prompts_.push_back(CString("输入波浪线端点(TAB：改变方向)"));
}

int CWaveLineCmd::Begin(CDraftView* view) {
  CCmdBase::Begin(view);
  {
    CModalDialogScope scope(view);
    CNumberInputDlg dlg(nullptr, "输入浪峰高度", "浪峰高", peak_, 0);
    if (dlg.DoModal() != IDOK) return 0;
    peak_ = dlg.GetValue();
  }
  return CSplineCmd::Begin(view);
}
