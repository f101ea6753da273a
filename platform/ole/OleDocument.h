// COleDocument: the framework's container document. It keeps a list of
// document items (CDocItem) that it stores after its own data, and it can
// keep the document in a compound file (EnableCompoundFile): the archive of
// Serialize is then the stream "Contents" of the file's root storage.
//
// In compound-file mode the root storage stays open, transacted, while the
// document is open:
// - OnOpenDocument(path) empties the document, opens the file (a plain file
//   is converted: its bytes become the "Contents" stream; it is rewritten as
//   a compound file only when saved) for reading and writing, denying other
//   writers, or for reading only when writing is refused, and loads it. A
//   failure empties the document, releases the storage, is reported through
//   the message-box handler and returns FALSE. OnOpenDocument(nullptr) loads
//   from a root storage that a derived document has opened itself
//   (m_lpRootStg) and lets a failure pass to its caller, after emptying the
//   document and releasing the storage.
// - OnSaveDocument(path) writes "Contents" and commits. Saving to the file
//   the storage holds commits that storage; saving to another file creates
//   a new storage there, which the document keeps once the save succeeded.
//   The file is replaced only by the commit (a new file renamed over the
//   old), so a failure part-way leaves the previous file as it was; the
//   storage's uncommitted changes are reverted, and a file that the failed
//   save created is removed. OnSaveDocument(nullptr) saves into the present
//   storage and lets a failure pass to its caller.
// - OnNewDocument and OnCloseDocument release the storage.
//
// Without compound-file mode the document reads and writes plain files as
// CDocument does.
#pragma once

#include "platform/ole/Storage.h"
#include "platform/ui/Document.h"

class CDocItem;
class COleClientItem;
class CWnd;

class COleDocument : public CDocument {
  DECLARE_DYNAMIC(COleDocument)

 public:
  COleDocument() = default;
  // Deletes the items left and releases the storage.
  ~COleDocument() override;

  // Chooses compound files (TRUE) or plain files for the next open or save.
  void EnableCompoundFile(BOOL enable = TRUE) { m_bCompoundFile = enable; }

  // The item list. Adding takes the item from the document it was in.
  virtual void AddItem(CDocItem* item);
  virtual void RemoveItem(CDocItem* item);
  POSITION GetStartPosition() const { return m_docItemList.GetHeadPosition(); }
  CDocItem* GetNextItem(POSITION& position) const;
  // The client item active in place in the window (a view), or null.
  COleClientItem* GetInPlaceActiveItem(CWnd* wnd) const;

  // Stores the items that are not blank: their count as a DWORD, then each
  // as an object. Loading reads them back into the list; an object that is
  // not a document item is refused (badClass).
  void Serialize(CArchive& ar) override;
  // Deletes the items.
  void DeleteContents() override;
  BOOL OnNewDocument() override;
  using CDocument::OnOpenDocument;
  BOOL OnOpenDocument(LPCWSTR path) override;
  using CDocument::OnSaveDocument;
  BOOL OnSaveDocument(LPCWSTR path) override;
  void OnCloseDocument() override;
  // A storage error (COleException) is reported as the file error it
  // stands for.
  void ReportSaveLoadException(LPCWSTR path, CException* e, BOOL saving, UINT defaultPromptId) override;

 protected:
  // Reads the document from the "Contents" stream of m_lpRootStg.
  virtual void LoadFromStorage();
  // Writes the document into the "Contents" stream of m_lpRootStg and
  // commits it; a failure reverts the storage.
  virtual void SaveToStorage();
  // Releases the root storage, if any.
  void ReleaseStorage();

  BOOL m_bCompoundFile = FALSE;
  // The root storage of the open document file, or null.
  LPSTORAGE m_lpRootStg = nullptr;
  CPtrList m_docItemList;

 private:
  friend class COleClientItem;

  // The number the next stored item gets; above every number loaded.
  DWORD m_dwNextItemNumber = 1;

  // Opens the file for OnOpenDocument(path) and throws its storage error.
  static LPSTORAGE OpenStorageFile(LPCWSTR path);
  // The file that the root storage holds (empty without one).
  CStringW StorageFileName() const;
  // Saves into a new storage at `path`.
  void SaveToNewFile(LPCWSTR path);
};
