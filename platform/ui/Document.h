// CDocument: the framework's document, the data that a program's views
// show. It keeps the modified flag and the list of its views, and tells the
// views about changes (UpdateAllViews).
#pragma once

#include "platform/core/ObList.h"
#include "platform/ui/CmdTarget.h"

class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)

 public:
  CDocument() = default;
  CDocument(const CDocument&) = delete;
  CDocument& operator=(const CDocument&) = delete;
  // Detaches the views that still refer to the document.
  ~CDocument() override;

  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

  // Views attach themselves to one document at a time.
  void AddView(CView* view);
  void RemoveView(CView* view);
  POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  CView* GetNextView(POSITION& position) const;
  // Calls OnUpdate of every view but the sender.
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

 protected:
  BOOL m_bModified = FALSE;
  CPtrList m_viewList;
};
