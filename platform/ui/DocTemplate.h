// CDocTemplate: what a program makes its documents from: the runtime
// classes of the document, of the frame that shows it and of the view in
// that frame, and a resource id whose string holds the document's names
// ("<window title>\n<document name>\n<file-new name>\n<filter name>\n
// <extension>\n<file type id>\n<file type name>"). The template keeps the
// documents it made; a document knows its template (GetDocTemplate) and
// leaves the list when it is deleted.
//
// CreateNewFrame makes a frame of the frame class with a CCreateContext
// holding the view class and the document (a CMDIChildWnd goes into the
// main MDI frame); InitialUpdateFrame gives its views their first update,
// shows it and, for an MDI child, activates it. SetContainerInfo keeps the
// resource id used while an item of the document is active in place.
#pragma once

#include "platform/core/ObList.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"

struct CRuntimeClass;
class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)

 public:
  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

  CDocTemplate(const CDocTemplate&) = delete;
  CDocTemplate& operator=(const CDocTemplate&) = delete;
  // Closes the documents still open (their frames are the host's).
  ~CDocTemplate() override;

  UINT GetResourceID() const { return m_nIDResource; }
  // One of the names of the resource string; FALSE when it is empty.
  BOOL GetDocString(CStringW& text, DocStringIndex index) const;
  void SetContainerInfo(UINT containerId) { m_nIDContainerResource = containerId; }
  UINT GetContainerInfo() const { return m_nIDContainerResource; }

  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;

  virtual void AddDocument(CDocument* doc);
  virtual void RemoveDocument(CDocument* doc);
  POSITION GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }
  CDocument* GetNextDoc(POSITION& position) const;

  // A new document of the document class, listed in the template; null when
  // the class makes no document.
  virtual CDocument* CreateNewDocument();
  // A frame of the frame class showing `doc` in a view of the view class;
  // null on failure. `other` is a frame the new one is made after.
  virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
  virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible = TRUE);
  // A document in a new frame: read from `path`, or a new one (titled with
  // the document name and a running number) when `path` is null. Null when
  // making, reading or initialising fails; nothing is left behind then.
  virtual CDocument* OpenDocumentFile(LPCWSTR path, BOOL makeVisible = TRUE) = 0;
  // Asks each modified document whether to save it; FALSE when one must
  // stay open.
  virtual BOOL SaveAllModified();
  // Destroys the frames of every document and closes the documents.
  virtual void CloseAllDocuments(BOOL endSession);

 protected:
  CDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass);

  UINT m_nIDResource;
  UINT m_nIDContainerResource = 0;
  CStringW m_strDocStrings;
  CPtrList m_docList;
};
