// CDrawItem: the OLE client item behind a CDrawOleObj. It keeps a pointer to
// its drawing object (not owned; the item's destructor clears the object's
// pointer to it), sizes the object from the object's extent
// (UpdateExtent: HIMETRIC to diagram units, x * 10 / 254), places the
// in-place window over the object in its active view, and takes the
// server's moves of that window back into the object.
#pragma once

#include "platform/ole/OleClientItem.h"

class CDrawDoc;
class CDrawOleObj;
class CDrawView;

class CDrawItem : public COleClientItem {
  DECLARE_SERIAL(CDrawItem)

 public:
  explicit CDrawItem(CDrawDoc* container = nullptr, CDrawOleObj* object = nullptr);
  ~CDrawItem() override;

  CDrawDoc* GetDocument() const;
  CDrawView* GetActiveView() const;
  CDrawOleObj* GetDrawObj() const { return m_pDrawObj; }
  // The item when the pointer names a live CDrawItem, else null; the
  // pointer is never followed, so any pointer may be asked about.
  static CDrawItem* FromObject(const CObject* object);
  void SetDrawObj(CDrawOleObj* object) { m_pDrawObj = object; }

  // Takes the item's extent: a first extent sizes the object from its
  // top-left corner, a new one scales it (unless the item is active in
  // place). FALSE when the item has no extent.
  BOOL UpdateExtent();

  void Serialize(CArchive& ar) override;
  // Blank without an object or with a deleted one: such an item is not
  // stored.
  BOOL IsBlank() const override;

 protected:
  void OnChange(OLE_NOTIFICATION notification, DWORD param) override;
  void OnGetItemPosition(CRect& position) override;
  BOOL OnChangeItemPosition(const CRect& position) override;
  void OnDeactivateUI(BOOL undoable) override;
  BOOL CanActivate() override;
  void OnActivate() override;

 private:
  CDrawOleObj* m_pDrawObj;
};

namespace drawitem {

// Closes the other items of the document that are active in place in a
// view of the same frame as `item`'s active view.
void CloseOtherInPlaceItems(COleClientItem* item);

}  // namespace drawitem
