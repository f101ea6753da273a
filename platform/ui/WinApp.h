// The application object: one per process, made by the host. It holds the
// main window, runs the message loop with idle processing, routes thread
// messages through its message map, keeps the wait cursor and forwards the
// profile functions to the platform's application profile.
#pragma once

#include <vector>

#include "platform/core/String.h"
#include "platform/ui/Wnd.h"

struct PRINTDLG;
class CPrintDialog;
class CDC;
class CDocTemplate;
class CDocument;

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)

 public:
  CWnd* m_pMainWnd = nullptr;
  DWORD m_nThreadID = 0;

  CWinThread();
  ~CWinThread() override = default;

  virtual CWnd* GetMainWnd() { return m_pMainWnd; }

  // The message loop: GetMessage, PreTranslateMessage, dispatch, idle when
  // the queue is empty, until WM_QUIT; returns ExitInstance's code.
  virtual int Run();
  // Retrieves (waiting) and runs one message; false on WM_QUIT.
  virtual BOOL PumpMessage();
  // Thread messages go to the message map (ON_THREAD_MESSAGE); other
  // messages walk the window and its parents, then the main window.
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Idle processing, called with 0, 1, 2, ... while it returns true: count 0
  // updates the command state of the main window's controls and bars.
  virtual BOOL OnIdle(LONG count);
  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return exitCode_; }

 protected:
  int exitCode_ = 0;
};

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)

 public:
  // The application's name (message-box captions); GBK or UTF-16.
  explicit CWinApp(LPCSTR appName = nullptr);
  explicit CWinApp(LPCWSTR appName);
  ~CWinApp() override;

  HINSTANCE m_hInstance = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  CStringW m_strAppName;

  // Cursors: system cursors and the resources of the module chain.
  HCURSOR LoadStandardCursor(LPCSTR name) const;
  HCURSOR LoadStandardCursor(LPCWSTR name) const;
  HCURSOR LoadCursor(UINT id) const;
  HCURSOR LoadCursor(LPCWSTR name) const;
  HCURSOR LoadCursor(LPCSTR name) const;
  // The application profile (platform/core/Profile.h): GBK or UTF-16
  // section, entry and text.
  UINT GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue);
  UINT GetProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue);
  CStringA GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue = nullptr);
  CStringW GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue = nullptr);
  BOOL WriteProfileInt(LPCSTR section, LPCSTR entry, int value);
  BOOL WriteProfileInt(LPCWSTR section, LPCWSTR entry, int value);
  BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);
  BOOL WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value);

  // The application's printer: the default printer until the user chooses
  // another in print setup (or SelectPrinter is called). The blocks belong
  // to the application.
  HGLOBAL m_hDevMode = nullptr;
  HGLOBAL m_hDevNames = nullptr;
  BOOL GetPrinterDeviceDefaults(PRINTDLG* pd);
  void SelectPrinter(HGLOBAL devNames, HGLOBAL devMode, BOOL freeOld = TRUE);
  BOOL CreatePrinterDC(CDC& dc);
  void UpdatePrinterSelection(BOOL forceDefaults);
  // Runs a print dialog on the application's printer and keeps the choice.
  virtual INT_PTR DoPrintDialog(CPrintDialog* dialog);
  // The standard print-setup command.
  afx_msg void OnFilePrintSetup();

  // Document templates: the application owns them (deleted with it).
  void AddDocTemplate(CDocTemplate* docTemplate);
  const std::vector<CDocTemplate*>& GetDocTemplates() const { return m_docTemplates; }
  // A document of the first template, read from `path` (null: a new one).
  virtual CDocument* OpenDocumentFile(LPCWSTR path);
  // The application's close path: every template asks its modified
  // documents whether to save them (FALSE: one must stay); the main window
  // hides; every template closes its documents with their frames.
  virtual BOOL SaveAllModified();
  virtual void HideApplication();
  virtual void CloseAllDocuments(BOOL endSession);

  // nCode 1 begins a wait cursor, -1 ends one, 0 puts it back after
  // something else changed the cursor.
  virtual void DoWaitCursor(int nCode);

 private:
  std::vector<CDocTemplate*> m_docTemplates;
  int waitCount_ = 0;
  HCURSOR cursorBeforeWait_ = nullptr;
};

// The application object and its main window.
CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
// The application's name, for captions.
CStringW AfxGetAppNameW();
