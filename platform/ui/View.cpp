#include "platform/ui/View.h"

#include <algorithm>

#include "platform/core/MessageBox.h"
#include "platform/gdi/DC.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/StandardIds.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_PAINT()
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::IsSelected(const CObject*) const { return FALSE; }

void CView::OnPrepareDC(CDC*, CPrintInfo* info) {
  if (info) info->m_bContinuePrinting = info->GetMaxPage() != 0xFFFF || info->m_nCurPage == 1;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

BOOL CView::OnScroll(UINT, UINT, BOOL) { return FALSE; }

BOOL CView::OnScrollBy(CSize, BOOL) { return FALSE; }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

int CView::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
  if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  CFrameWnd* frame = GetParentFrame();
  if (frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr, FALSE);
  CWnd::OnDestroy();
}

int CView::OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message) {
  const int result = CWnd::OnMouseActivate(desktop, hitTest, message);
  if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
  CFrameWnd* frame = GetParentFrame();
  if (frame && frame->GetActiveView() != this) frame->SetActiveView(this);
  return result;
}

void CView::OnActivateView(BOOL activate, CView*, CView*) {
  if (!activate) return;
  CWnd* top = GetTopLevelParent();
  if (top && top->m_hWnd == ::GetActiveWindow()) SetFocus();
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::PostNcDestroy() {
  if (m_deleteWithWindow) delete this;
}

DROPEFFECT CView::OnDragEnter(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

DROPEFFECT CView::OnDragOver(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

void CView::OnDragLeave() {}

BOOL CView::OnDrop(COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }

// --- Printing ------------------------------------------------------------------

BOOL CView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* dc, CPrintInfo*) { OnDraw(dc); }

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

BOOL CView::DoPreparePrinting(CPrintInfo* info) {
  CPrintDialog* dialog = info->m_pPD;
  PRINTDLG& pd = dialog->m_pd;
  CWinApp* app = AfxGetApp();
  if (info->m_bPreview || info->m_bDirect) {
    if (!pd.hDC) {
      // The application's printer, else the default one.
      bool found = app ? app->GetPrinterDeviceDefaults(&pd) : dialog->GetDefaults();
      if (!found && (app ? app->DoPrintDialog(dialog) : dialog->DoModal()) != IDOK) return FALSE;
      if (!pd.hDC) pd.hDC = dialog->CreatePrinterDC();
      if (!pd.hDC) return FALSE;
    }
    pd.nFromPage = static_cast<WORD>(info->GetMinPage());
    pd.nToPage = static_cast<WORD>(info->GetMaxPage());
    return TRUE;
  }
  // The dialog offers the job's pages as the range.
  pd.nFromPage = static_cast<WORD>(info->GetMinPage());
  pd.nToPage = static_cast<WORD>(info->GetMaxPage());
  if ((app ? app->DoPrintDialog(dialog) : dialog->DoModal()) != IDOK) return FALSE;
  return pd.hDC != nullptr;
}

namespace {

// The main window is disabled while a job prints, as the user must wait.
class DisableMainWindow {
 public:
  DisableMainWindow() : main_(AfxGetMainWnd()) {
    if (main_ && main_->m_hWnd && main_->IsWindowEnabled()) {
      main_->EnableWindow(FALSE);
      disabled_ = true;
    }
  }
  ~DisableMainWindow() { Restore(); }
  void Restore() {
    if (disabled_ && main_ && ::IsWindow(main_->m_hWnd)) main_->EnableWindow(TRUE);
    disabled_ = false;
  }

 private:
  CWnd* main_;
  bool disabled_ = false;
};

}  // namespace

void CView::OnFilePrint() {
  CPrintInfo info;
  const MSG* message = GetCurrentMessage();
  if (message && message->message == WM_COMMAND && LOWORD(message->wParam) == ID_FILE_PRINT_DIRECT)
    info.m_bDirect = TRUE;
  if (!OnPreparePrinting(&info) || !info.m_pPD->m_pd.hDC) return;

  CStringW title;
  if (m_pDocument) title = m_pDocument->GetTitle();
  if (title.IsEmpty()) {
    CWnd* frame = GetParentFrame();
    (frame ? frame : static_cast<CWnd*>(this))->GetWindowText(title);
  }
  DOCINFOW docInfo{sizeof(DOCINFOW), title.GetString(), nullptr, nullptr, 0};

  // The DC stays the job's (CPrintInfo deletes it).
  CDC dc;
  dc.Attach(info.m_pPD->m_pd.hDC);
  dc.m_bPrinting = TRUE;
  struct Detach {
    CDC& dc;
    ~Detach() { dc.Detach(); }
  } detach{dc};

  OnBeginPrinting(&dc, &info);
  DisableMainWindow disabled;
  info.m_nJobNumber = dc.StartDoc(&docInfo);
  if (info.m_nJobNumber <= 0) {
    disabled.Restore();
    OnEndPrinting(&dc, &info);
    CStringW text;
    if (!text.LoadString(AFX_IDP_FAILED_TO_START_PRINT)) text = u"Failed to start the print job.";
    AfxMessageBox(text.GetString(), MB_ICONEXCLAMATION);
    return;
  }

  // The pages chosen, within the job's pages.
  const UINT minPage = info.GetMinPage(), maxPage = info.GetMaxPage();
  UINT start = std::clamp(info.GetFromPage(), minPage, maxPage);
  UINT end = std::clamp(info.GetToPage(), minPage, maxPage);
  const int step = end >= start ? 1 : -1;
  end = end == 0xFFFF ? 0xFFFF : end + step;

  bool failed = false;
  try {
    for (info.m_nCurPage = start; info.m_nCurPage != end; info.m_nCurPage += step) {
      OnPrepareDC(&dc, &info);
      if (!info.m_bContinuePrinting) break;
      info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
      dc.DPtoLP(&info.m_rectDraw);
      if (dc.StartPage() <= 0) {
        failed = true;
        break;
      }
      // A new page starts with the DC's attributes reset.
      OnPrepareDC(&dc, &info);
      OnPrint(&dc, &info);
      if (dc.EndPage() <= 0) {
        failed = true;
        break;
      }
    }
  } catch (...) {
    dc.AbortDoc();
    disabled.Restore();
    OnEndPrinting(&dc, &info);
    throw;
  }
  if (failed)
    dc.AbortDoc();
  else
    dc.EndDoc();
  disabled.Restore();
  OnEndPrinting(&dc, &info);
}
