// CDocument: the framework's document, the data that a program's views
// show. It keeps the modified flag, its path and title and the list of its
// views, tells the views about changes (UpdateAllViews), and reads and
// writes itself through Serialize:
//
// - OnNewDocument empties the document (DeleteContents) and forgets its path.
// - OnOpenDocument empties the document and loads the file through a
//   CArchive whose m_pDocument is the document. A failure empties the
//   document again, is reported through the message-box handler
//   (ReportSaveLoadException) and returns FALSE.
// - OnSaveDocument stores the document into memory first and then replaces
//   the file whole (a new file renamed over the old one), so a failure at any
//   point leaves the previous file as it was; it is reported and returns
//   FALSE.
// - OnCloseDocument lets go of the views, empties the document and, with
//   m_bAutoDelete, deletes it.
//
// The path is set by whoever opens or saves the document under a name (the
// document template of a program), with SetPathName. Paths may be GBK or
// UTF-16; the virtual functions take UTF-16 and the GBK forms forward to them.
#pragma once

#include "platform/core/ObList.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"

class CDocTemplate;
class CException;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)

 public:
  CDocument() = default;
  CDocument(const CDocument&) = delete;
  CDocument& operator=(const CDocument&) = delete;
  // Detaches the views that still refer to the document and leaves the
  // template's list.
  ~CDocument() override;

  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

  // The title shown for the document: by default the file name of its path.
  const CStringW& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCWSTR title);
  void SetTitle(LPCSTR title) { SetTitle(CStringW(title).GetString()); }
  // The file the document was opened from or saved to; empty for a new one.
  const CStringW& GetPathName() const { return m_strPathName; }
  // Stores the path and makes its file name the title. The list of recent
  // files is the host's, so `addToMRU` has nothing to add to here.
  virtual void SetPathName(LPCWSTR path, BOOL addToMRU = TRUE);
  void SetPathName(LPCSTR path, BOOL addToMRU = TRUE) { SetPathName(CStringW(path).GetString(), addToMRU); }

  // Frees the document's data; the plain document has none.
  virtual void DeleteContents() {}
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCWSTR path);
  BOOL OnOpenDocument(LPCSTR path) { return OnOpenDocument(CStringW(path).GetString()); }
  virtual BOOL OnSaveDocument(LPCWSTR path);
  BOOL OnSaveDocument(LPCSTR path) { return OnSaveDocument(CStringW(path).GetString()); }
  virtual void OnCloseDocument();
  // Before a modified document goes: asks "Save changes to %1?" (the
  // string AFX_IDP_ASK_TO_SAVE may replace it) with the title. Yes saves it
  // (under a name chosen in the save dialog when it has none), No lets it go
  // unsaved, Cancel keeps it; FALSE when it must stay (cancelled, or the
  // save failed).
  virtual BOOL SaveModified();
  // Whether `frame` may close: when it shows the document's last view, only
  // after SaveModified.
  virtual BOOL CanCloseFrame(CFrameWnd* frame);
  // Tells the user why opening or saving `path` failed: a file or archive
  // error with its own text naming the file, any other error under the
  // prompt `defaultPromptId` (AFX_IDP_FAILED_TO_OPEN_DOC or _SAVE_DOC) with
  // the error's text. A CUserException has been reported already and shows
  // nothing.
  virtual void ReportSaveLoadException(LPCWSTR path, CException* e, BOOL saving, UINT defaultPromptId);

  // Views attach themselves to one document at a time.
  void AddView(CView* view);
  void RemoveView(CView* view);
  POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  CView* GetNextView(POSITION& position) const;
  // Calls OnUpdate of every view but the sender.
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

  // The template that made the document (null: none); the document leaves
  // its template's list when it is deleted.
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  CDocTemplate* m_pDocTemplate = nullptr;

  // OnCloseDocument deletes the document when set (documents made with new
  // by their template).
  BOOL m_bAutoDelete = TRUE;

 protected:
  BOOL m_bModified = FALSE;
  CStringW m_strTitle;
  CStringW m_strPathName;
  CPtrList m_viewList;
};
