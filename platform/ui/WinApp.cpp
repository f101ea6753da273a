#include "platform/ui/WinApp.h"

#include "platform/core/GlobalMemory.h"
#include "platform/core/Profile.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/WindowSystem.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
CWinApp* theApp = nullptr;
}  // namespace

CWinApp* AfxGetApp() { return theApp; }
CWinThread* AfxGetThread() { return theApp; }

CWnd* AfxGetMainWnd() {
  CWinThread* thread = AfxGetThread();
  return thread ? thread->GetMainWnd() : nullptr;
}

CStringW AfxGetAppNameW() { return theApp ? theApp->m_strAppName : CStringW(); }

CWinThread::CWinThread() : m_nThreadID(GetCurrentThreadId()) {}

BOOL CWinThread::PumpMessage() {
  MSG msg;
  if (!GetMessageW(&msg, nullptr, 0, 0)) {
    exitCode_ = static_cast<int>(msg.wParam);
    return FALSE;
  }
  platform::DispatchThroughLoop(msg);
  return TRUE;
}

int CWinThread::Run() {
  for (;;) {
    // Idle work while nothing is waiting.
    MSG msg;
    for (LONG count = 0; !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && OnIdle(count); ++count) {
    }
    if (!PumpMessage()) return ExitInstance();
  }
}

BOOL CWinThread::PreTranslateMessage(MSG* msg) {
  if (!msg->hwnd) {
    // A thread message: its handler in the message map takes it.
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
      const AFX_MSGMAP_ENTRY* entry = platform::FindMessageEntry(map->lpEntries, msg->message, 0, 0);
      if (!entry) continue;
      LRESULT result = 0;
      platform::MessageCall call{msg->message, msg->wParam, msg->lParam, 0, nullptr, &result};
      entry->pfn(this, call);
      return TRUE;
    }
    return FALSE;
  }
  CWnd* main = GetMainWnd();
  return CWnd::WalkPreTranslateTree(main ? main->m_hWnd : nullptr, msg);
}

BOOL CWinThread::OnIdle(LONG count) {
  if (count <= 0) {
    CWnd* main = GetMainWnd();
    if (main && main->m_hWnd && main->IsWindowVisible()) {
      AfxCallWndProc(main, main->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
      main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    return TRUE;
  }
  if (count == 1) {
    // The temporary wrappers of drawing objects and DCs go at idle time.
    CGdiObject::DeleteTempMap();
    CDC::DeleteTempMap();
  }
  return FALSE;
}

CWinApp::CWinApp(LPCSTR appName) {
  if (appName) m_strAppName = CStringW(appName);
  theApp = this;
}

CWinApp::CWinApp(LPCWSTR appName) {
  if (appName) m_strAppName = appName;
  theApp = this;
}

CWinApp::~CWinApp() {
  for (CDocTemplate* docTemplate : m_docTemplates) delete docTemplate;
  if (m_hDevMode) GlobalFree(m_hDevMode);
  if (m_hDevNames) GlobalFree(m_hDevNames);
  if (theApp == this) theApp = nullptr;
}

HCURSOR CWinApp::LoadStandardCursor(LPCWSTR name) const { return ::LoadCursorW(nullptr, name); }
HCURSOR CWinApp::LoadStandardCursor(LPCSTR name) const { return ::LoadCursorA(nullptr, name); }
HCURSOR CWinApp::LoadCursor(UINT id) const {
  return LoadCursor(reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id))));
}
HCURSOR CWinApp::LoadCursor(LPCWSTR name) const { return platform::LoadModuleCursor(nullptr, name); }
HCURSOR CWinApp::LoadCursor(LPCSTR name) const {
  if (IS_INTRESOURCE(name)) return LoadCursor(reinterpret_cast<LPCWSTR>(name));
  CStringW wide(name);
  return LoadCursor(wide.GetString());
}

void CWinApp::DoWaitCursor(int nCode) {
  if (nCode > 0) {
    if (waitCount_++ == 0)
      cursorBeforeWait_ = ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(32514)));
    else
      ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(32514)));
  } else if (nCode < 0) {
    if (waitCount_ > 0 && --waitCount_ == 0) ::SetCursor(cursorBeforeWait_);
  } else if (waitCount_ > 0) {
    ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(32514)));
  }
}

// --- The wait cursor of command targets -------------------------------------------------

void CCmdTarget::BeginWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(1);
}
void CCmdTarget::EndWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(-1);
}
void CCmdTarget::RestoreWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(0);
}

CWaitCursor::CWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(1);
}
CWaitCursor::~CWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(-1);
}
void CWaitCursor::Restore() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(0);
}

// --- The profile ------------------------------------------------------------------------

UINT CWinApp::GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue) {
  return platform::GetProfileInt(section, entry, defaultValue);
}
UINT CWinApp::GetProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue) {
  return platform::GetProfileInt(section, entry, defaultValue);
}
CStringA CWinApp::GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue) {
  return platform::GetProfileString(section, entry, defaultValue);
}
CStringW CWinApp::GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue) {
  return platform::GetProfileString(section, entry, defaultValue);
}
BOOL CWinApp::WriteProfileInt(LPCSTR section, LPCSTR entry, int value) {
  return platform::WriteProfileInt(section, entry, value);
}
BOOL CWinApp::WriteProfileInt(LPCWSTR section, LPCWSTR entry, int value) {
  return platform::WriteProfileInt(section, entry, value);
}
BOOL CWinApp::WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value) {
  return platform::WriteProfileString(section, entry, value);
}
BOOL CWinApp::WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value) {
  return platform::WriteProfileString(section, entry, value);
}

// --- The printer ---------------------------------------------------------------------------

void CWinApp::UpdatePrinterSelection(BOOL forceDefaults) {
  if (m_hDevNames && !forceDefaults) return;
  CPrintDialog defaults(FALSE);
  if (defaults.GetDefaults()) SelectPrinter(defaults.m_pd.hDevNames, defaults.m_pd.hDevMode);
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pd) {
  UpdatePrinterSelection(m_hDevNames == nullptr);
  if (!m_hDevNames || !pd) return FALSE;
  pd->hDevNames = m_hDevNames;
  pd->hDevMode = m_hDevMode;
  return TRUE;
}

void CWinApp::SelectPrinter(HGLOBAL devNames, HGLOBAL devMode, BOOL freeOld) {
  if (freeOld) {
    if (m_hDevNames && m_hDevNames != devNames) GlobalFree(m_hDevNames);
    if (m_hDevMode && m_hDevMode != devMode) GlobalFree(m_hDevMode);
  }
  m_hDevNames = devNames;
  m_hDevMode = devMode;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc) {
  UpdatePrinterSelection(FALSE);
  if (!m_hDevNames) return FALSE;
  CPrintDialog names(FALSE);
  names.m_pd.hDevNames = m_hDevNames;
  names.m_pd.hDevMode = m_hDevMode;
  HDC h = names.CreatePrinterDC();
  names.m_pd.hDevNames = names.m_pd.hDevMode = nullptr;  // still the application's
  return h ? dc.Attach(h) : FALSE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* dialog) {
  UpdatePrinterSelection(FALSE);
  dialog->m_pd.hDevMode = m_hDevMode;
  dialog->m_pd.hDevNames = m_hDevNames;
  INT_PTR result = dialog->DoModal();
  // The dialog worked on the application's blocks (or made new ones).
  if (dialog->m_pd.hDevNames != m_hDevNames || dialog->m_pd.hDevMode != m_hDevMode)
    SelectPrinter(dialog->m_pd.hDevNames, dialog->m_pd.hDevMode);
  return result;
}

void CWinApp::OnFilePrintSetup() {
  CPrintDialog setup(TRUE);
  DoPrintDialog(&setup);
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) {
  if (docTemplate) m_docTemplates.push_back(docTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCWSTR path) {
  return m_docTemplates.empty() ? nullptr : m_docTemplates.front()->OpenDocumentFile(path);
}

BOOL CWinApp::SaveAllModified() {
  for (CDocTemplate* docTemplate : m_docTemplates)
    if (!docTemplate->SaveAllModified()) return FALSE;
  return TRUE;
}

void CWinApp::HideApplication() {
  if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->ShowWindow(SW_HIDE);
}

void CWinApp::CloseAllDocuments(BOOL endSession) {
  for (CDocTemplate* docTemplate : m_docTemplates) docTemplate->CloseAllDocuments(endSession);
}
