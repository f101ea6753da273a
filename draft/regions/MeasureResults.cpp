#include "draft/regions/MeasureResults.h"

#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/ResultListDlg.h"
#include "platform/ui/Wnd.h"

namespace {
constexpr int kLabelWidth = 10;
constexpr int kValueWidth = 11;
}  // namespace

void ShowMeasureResults(CDraftView* view, const CStringArray& labels, const CStringArray& values, const char* caption,
                        int selectedRow) {
  CModalDialogScope scope(view, "Korrin.DLL");
  const std::unique_ptr<CResultListDlg, void (*)(CResultListDlg*)> dlg(
      ConstructResultListDlg(AfxGetMainWnd(), labels, values, 0, 0, 1.0, caption, selectedRow, kLabelWidth),
      &DestroyResultListDlg);
  dlg->m_valueWidth = kValueWidth;
  dlg->DoModal();
}
