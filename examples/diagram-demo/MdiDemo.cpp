#include "examples/diagram-demo/MdiDemo.h"

#include <unistd.h>

#include "diagram/model/document/DrawDoc.h"
#include "diagram/res/DocumentStrings.h"
#include "diagram/ui/DrawFrame.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/MultiControlBarMainFrame.h"
#include "examples/diagram-demo/DemoSupport.h"
#include "platform/core/Charset.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Profile.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/MultiDocTemplate.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WindowPicture.h"

namespace fs = std::filesystem;
using demo::Check;

namespace {

// Closes the application's main window. Its destruction asks the message
// loop to quit; the demonstration goes on, so that request is taken back.
void CloseMainWindow(CWnd* main) {
  main->SendMessage(WM_CLOSE);
  MSG quit;
  while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace

void ShowInMainFrame(const std::string& documentPath, const fs::path& folder) {
  const fs::path savedProfile = platform::ProfilePath();
  const fs::path profile = fs::temp_directory_path() / ("scrivel-mdi-demo-" + std::to_string(::getpid()) + ".ini");
  platform::SetProfilePath(profile);
  platform::ScopedMessageBoxHandler boxes([](const platform::MessageBoxRequest& box) {
    std::printf("  question: %s (no)\n", platform::Utf16ToUtf8(std::u16string_view(box.text.GetString())).c_str());
    return IDNO;
  });
  // A copy of the file, in a scratch folder of its own so that the child
  // frame's caption names the diagram: the caller's documents keep theirs
  // open.
  const fs::path scratch = fs::temp_directory_path() / ("scrivel-mdi-demo-" + std::to_string(::getpid()));
  const fs::path copy = scratch / "diagram.drw";
  std::error_code error;
  fs::create_directories(scratch, error);
  fs::copy_file(documentPath, copy, fs::copy_options::overwrite_existing, error);
  {
    CWinApp app(u"ScrivelDiagram");
    app.AddDocTemplate(new CMultiDocTemplate(IDR_DRAWTYPE, RUNTIME_CLASS(CDrawDoc), RUNTIME_CLASS(CDrawFrame),
                                             RUNTIME_CLASS(CDrawView)));
    auto open = [&app]() -> CMultiControlBarMainFrame* {
      auto* main = new CMultiControlBarMainFrame;
      if (!main->Create(u"AfxWnd", u"ScrivelDiagram", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 760))) return nullptr;
      app.m_pMainWnd = main;
      main->ShowWindow(app.m_nCmdShow);
      return main;
    };
    CMultiControlBarMainFrame* main = open();
    Check(main != nullptr, "an MDI main frame with a tool bar and a status bar");
    if (!main) {
      platform::SetProfilePath(savedProfile);
      return;
    }
    CDocument* doc = app.OpenDocumentFile(platform::Utf8ToUtf16(copy.string()).c_str());
    Check(doc != nullptr, "the document opened through the document template");
    auto* child = dynamic_cast<CDrawFrame*>(main->MDIGetActive());
    Check(child != nullptr && child->m_wndToolBar.IsVisible(), "  in a document frame with its drawing tool bar");
    Check(child != nullptr && child->m_wndSplitter.SplitColumn(720) != FALSE, "  its view split into two panes");
    // The host's message loop runs: the status bar says "Ready".
    platform::PumpPendingMessages();
    main->Invalidate();
    const std::string picture = (folder / "mdi-frame.png").string();
    Check(platform::WriteWindowPicture(main->GetSafeHwnd(), picture),
          "the main frame with its document frame written to " + picture);

    main->SetWindowPos(nullptr, 30, 40, 900, 650, SWP_NOZORDER);
    main->EnableControlBar(AFX_IDW_STATUS_BAR, FALSE);
    platform::PumpPendingMessages();
    CloseMainWindow(main);
    Check(app.GetDocTemplates().front()->GetFirstDocPosition() == nullptr, "closing it closed the document");
    main = open();
    Check(main != nullptr, "the main frame opened again");
    if (main) {
      WINDOWPLACEMENT placement{};
      placement.length = sizeof(placement);
      main->GetWindowPlacement(&placement);
      Check(CRect(placement.rcNormalPosition) == CRect(30, 40, 930, 690), "  at the place it was closed");
      Check(!main->m_wndStatusBar.IsVisible(), "  with its status bar still disabled");
      CloseMainWindow(main);
    }
    app.m_pMainWnd = nullptr;
  }
  fs::remove_all(scratch, error);
  fs::remove(profile, error);
  platform::SetProfilePath(savedProfile);
}
