// CMultiDocTemplate: a document template whose documents each open in
// their own frame (MDI child frames), any number at a time. New documents
// are titled with the document name and a running number ("Draw1",
// "Draw2", ...).
#pragma once

#include "platform/ui/DocTemplate.h"

class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)

 public:
  CMultiDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass);

  CDocument* OpenDocumentFile(LPCWSTR path, BOOL makeVisible = TRUE) override;

 private:
  UINT m_nUntitledCount = 0;
};
