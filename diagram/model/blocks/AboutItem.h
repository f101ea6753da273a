// CAboutItem: the OLE client item that holds a block's description (its
// "about" document), edited in its server's own window. A read-only look
// goes through a clone kept in one hidden scratch document shared by all
// blocks: the clone's edits are never saved into the block's item. A clone
// whose window closes is deleted shortly after (a window-less timer, so
// that it goes after the server's notification has returned), and the
// scratch document with the last clone.
#pragma once

#include "platform/ole/OleClientItem.h"

class CDrawBlock;
class CDrawDoc;

class CAboutItem : public COleClientItem {
  DECLARE_SERIAL(CAboutItem)

 public:
  CAboutItem();
  // A block's item in its document.
  CAboutItem(CDrawDoc* document, CDrawBlock* block);
  // A read-only clone of `source` in `scratch`.
  CAboutItem(CAboutItem* source, COleDocument* scratch);
  // A clone tells its source that it is gone; a source deletes its clone
  // and leaves its block.
  ~CAboutItem() override;

  // Opens the description: for editing (bReadOnly 0; a read-only clone
  // goes first), or read-only through a clone. FALSE, with notification 1
  // or 2, when it is open already in a way that refuses it.
  BOOL Open(int bReadOnly);
  // Whether the item or its clone is open.
  BOOL IsOpen() const;
  // True for a clone and for an item whose clone is out.
  BOOL IsReadOnly() const { return m_pSource != nullptr || m_pClone != nullptr; }
  // Deletes this item's own clone (and the scratch document with its last
  // clone); FALSE for any other item.
  BOOL DeleteClone(CAboutItem* clone);

  CDrawBlock* GetBlock() const { return m_pBlock; }
  void SetBlock(CDrawBlock* block) { m_pBlock = block; }
  CAboutItem* GetClone() const { return m_pClone; }
  CAboutItem* GetSource() const { return m_pSource; }

  void Serialize(CArchive& ar) override;
  // Blank without a block or with a deleted one.
  BOOL IsBlank() const override;

  // The hidden document of the clones, or null; the pending clean-up timer,
  // or 0.
  static COleDocument* c_pScratchDoc;
  static UINT_PTR c_uTimerID;

 protected:
  void OnChange(OLE_NOTIFICATION notification, DWORD param) override;
  void OnDeactivateUI(BOOL undoable) override;
  BOOL CanActivate() override;
  void OnActivate() override;

 private:
  static void CleanUpClones(HWND, UINT, UINT_PTR, DWORD);

  CDrawBlock* m_pBlock;
  CAboutItem* m_pClone;
  CAboutItem* m_pSource;
  // Set while notification 3 is shown.
  static BOOL c_bNotifying;
};
