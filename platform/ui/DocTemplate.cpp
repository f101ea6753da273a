#include "platform/ui/DocTemplate.h"

#include <vector>

#include "platform/core/Object.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass,
                           CRuntimeClass* viewClass)
    : m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass), m_nIDResource(resourceId) {
  m_strDocStrings.LoadString(resourceId);
}

CDocTemplate::~CDocTemplate() {
  while (!m_docList.IsEmpty()) {
    auto* doc = static_cast<CDocument*>(m_docList.RemoveHead());
    doc->m_pDocTemplate = nullptr;
    if (doc->m_bAutoDelete) doc->OnCloseDocument();
  }
}

BOOL CDocTemplate::GetDocString(CStringW& text, DocStringIndex index) const {
  text.Empty();
  const std::u16string& all = m_strDocStrings.str();
  size_t start = 0;
  for (int i = 0; i < index; ++i) {
    start = all.find(u'\n', start);
    if (start == std::u16string::npos) return FALSE;
    ++start;
  }
  size_t end = all.find(u'\n', start);
  text = all.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start).c_str();
  return !text.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* doc) {
  if (!doc || doc->m_pDocTemplate == this) return;
  m_docList.AddTail(doc);
  doc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* doc) {
  if (!doc) return;
  if (POSITION pos = m_docList.Find(doc)) m_docList.RemoveAt(pos);
  if (doc->m_pDocTemplate == this) doc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::GetNextDoc(POSITION& position) const {
  return static_cast<CDocument*>(m_docList.GetNext(position));
}

CDocument* CDocTemplate::CreateNewDocument() {
  CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
  auto* doc = dynamic_cast<CDocument*>(object);
  if (!doc) {
    delete object;
    return nullptr;
  }
  AddDocument(doc);
  return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other) {
  CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
  auto* frame = dynamic_cast<CFrameWnd*>(object);
  if (!frame) {
    delete object;
    return nullptr;
  }
  CCreateContext context;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pCurrentDoc = doc;
  context.m_pCurrentFrame = other;
  CStringW title;
  GetDocString(title, docName);
  // A frame whose creation failed has deleted itself with its window.
  BOOL made = FALSE;
  if (auto* child = dynamic_cast<CMDIChildWnd*>(frame)) {
    if (!dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd())) {
      delete frame;  // no MDI frame to hold the child: no window was made
      return nullptr;
    }
    made = child->Create(nullptr, title.GetString(), WS_CHILD | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                         nullptr, &context);
  } else {
    made = frame->Create(nullptr, title.GetString(), WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr,
                         nullptr, 0, &context);
  }
  return made ? frame : nullptr;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible) {
  frame->InitialUpdateFrame(doc, makeVisible);
  if (auto* child = dynamic_cast<CMDIChildWnd*>(frame)) {
    CMDIChildWnd::UpdateFrameCounts(doc);
    if (makeVisible) child->MDIActivate();
  }
}

BOOL CDocTemplate::SaveAllModified() {
  std::vector<CDocument*> docs;
  for (POSITION pos = GetFirstDocPosition(); pos;) docs.push_back(GetNextDoc(pos));
  for (CDocument* doc : docs)
    if (doc->IsModified() && !doc->SaveModified()) return FALSE;
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  while (!m_docList.IsEmpty()) {
    auto* doc = static_cast<CDocument*>(m_docList.RemoveHead());
    doc->m_pDocTemplate = nullptr;
    // The frames that show the document go first, each once.
    std::vector<CFrameWnd*> frames;
    for (POSITION pos = doc->GetFirstViewPosition(); pos;) {
      CView* view = doc->GetNextView(pos);
      CFrameWnd* frame = view ? view->GetParentFrame() : nullptr;
      bool seen = false;
      for (CFrameWnd* each : frames) seen = seen || each == frame;
      if (frame && !seen) frames.push_back(frame);
    }
    for (CFrameWnd* frame : frames) frame->DestroyWindow();
    doc->OnCloseDocument();
  }
}
