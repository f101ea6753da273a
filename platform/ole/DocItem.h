// CDocItem: an item that a COleDocument keeps in its item list and stores
// with itself (the embedded and linked items of a container document derive
// from it). An item belongs to at most one document; the document deletes
// its items when it empties, and an item leaves its document when it is
// destroyed.
#pragma once

#include "platform/ui/CmdTarget.h"

class COleDocument;

class CDocItem : public CCmdTarget {
  DECLARE_DYNAMIC(CDocItem)

 public:
  CDocItem() = default;
  CDocItem(const CDocItem&) = delete;
  CDocItem& operator=(const CDocItem&) = delete;
  ~CDocItem() override;

  COleDocument* GetDocument() const { return m_pDocument; }
  // A blank item holds nothing worth storing; the document skips it.
  virtual BOOL IsBlank() const { return FALSE; }

 protected:
  COleDocument* m_pDocument = nullptr;

  friend class COleDocument;
};
