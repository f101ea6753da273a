#include "platform/ui/MultiDocTemplate.h"

#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass,
                                     CRuntimeClass* viewClass)
    : CDocTemplate(resourceId, docClass, frameClass, viewClass) {}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCWSTR path, BOOL makeVisible) {
  CDocument* doc = CreateNewDocument();
  if (!doc) return nullptr;
  // A failure gets rid of the document again (its frame, if any, first).
  auto discard = [this, doc](CFrameWnd* frame) {
    if (frame) frame->DestroyWindow();
    RemoveDocument(doc);
    doc->OnCloseDocument();
  };
  CFrameWnd* frame = CreateNewFrame(doc, nullptr);
  if (!frame) {
    discard(nullptr);
    return nullptr;
  }
  if (!path) {
    CStringW name;
    if (!GetDocString(name, docName)) name = u"Untitled";
    CStringW title;
    title.Format(u"%s%u", name.GetString(), ++m_nUntitledCount);
    if (!doc->OnNewDocument()) {
      discard(frame);
      return nullptr;
    }
    doc->SetTitle(title.GetString());
  } else {
    if (!doc->OnOpenDocument(path)) {
      discard(frame);
      return nullptr;
    }
    doc->SetPathName(path);
  }
  InitialUpdateFrame(frame, doc, makeVisible);
  return doc;
}
