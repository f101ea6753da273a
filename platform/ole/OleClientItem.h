// COleClientItem: an embedded, linked or static object in a container
// document (COleDocument), served by one of the platform's embeddable kinds
// (platform/ole/EmbeddableKind.h).
//
// States: empty (nothing created), loaded (the object's data are held and
// drawn), open (edited in a server window of its own), active (in place,
// in a child window of the container's view, its user interface off) and
// UI-active (in place and being edited). The item keeps the object's data
// as the bytes of its stream and, while they can be read, the server's
// content made from them: an object of a kind that is not registered, or
// whose bytes its kind cannot read, still loads, is stored back unchanged
// and draws as a grey box, but no verb runs on it.
//
// Editing. DoVerb(OLEIVERB_OPEN) opens the server window; the primary verb
// (and OLEIVERB_SHOW) activates the object in place in the given view when
// its kind edits in place, the item may be activated (CanActivate) and it
// is not a link; otherwise it opens it. OLEIVERB_HIDE hides the window.
// Closing (the container's Close or Deactivate, or the user's close box)
// takes the edits: when the object changed it is saved (a link writes its
// file) and the container hears OLE_SAVED and OLE_CHANGED; every state
// change is told as OLE_CHANGED_STATE with the old state, and leaving the
// open or active states as OLE_CLOSED. Close(OLECLOSE_NOSAVE) drops the
// edits.
//
// Storage. Serialize writes the item's number, kind, aspect and link, and
// the object's bytes into the stream "Contents" of the storage
// "Embedding <number>" of the document's root storage when the archive is
// the document's own stream, else (a document without storage, the
// clipboard) into the archive itself; loading reads them back.
#pragma once

#include <memory>
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/ole/DocItem.h"
#include "platform/ole/OleItemTypes.h"
#include "platform/ole/ServerWindow.h"

class CArchive;
class CDC;
class CView;
class IStorage;
class COleDataObject;
class COleDataSource;

namespace platform {
class EmbeddableKind;
class EmbeddedContent;
}  // namespace platform

class COleClientItem : public CDocItem, private platform::ServerSite {
  DECLARE_SERIAL(COleClientItem)

 public:
  enum ItemState { emptyState = 0, loadedState = 1, openState = 2, activeState = 3, activeUIState = 4 };

  // The item joins the container's item list.
  explicit COleClientItem(COleDocument* container = nullptr);
  // Closes the server window without saving.
  ~COleClientItem() override;

  // Creation, from the empty state; FALSE leaves the item empty.
  // A new object of the kind of that class name.
  BOOL CreateNewItem(const CStringW& className);
  // An embedded object read from a file of a kind's extension.
  BOOL CreateFromFile(LPCWSTR path);
  // A link to such a file: the item shows the file's object as last read.
  BOOL CreateLinkFromFile(LPCWSTR path);
  // A copy of another item's object as it was last saved (a link stays a
  // link to the same file; a static item stays static).
  BOOL CreateCloneFrom(const COleClientItem* source);
  // An embedded object that cannot be edited, from an object's bytes.
  BOOL CreateStaticFromBytes(const CStringW& className, const std::vector<BYTE>& bytes);

  // From data transfer (OleItemFormats.h): an embedded copy of an "Embed
  // Source" object, or else a note of the data's text; a link from "Link
  // Source"; a static picture from the platform's picture format.
  static BOOL CanCreateFromData(COleDataObject* data);
  static BOOL CanCreateLinkFromData(COleDataObject* data);
  static BOOL CanCreateStaticFromData(COleDataObject* data);
  BOOL CreateFromData(COleDataObject* data);
  BOOL CreateLinkFromData(COleDataObject* data);
  BOOL CreateStaticFromData(COleDataObject* data);
  // Offers the object as last saved ("Embed Source"), and a link's file
  // ("Link Source") with `includeLink`.
  void GetClipboardData(COleDataSource* source, BOOL includeLink = FALSE);

  // Makes a loaded, closed item an object of another kind that reads its
  // bytes; FALSE, leaving it as it was, otherwise.
  BOOL ConvertTo(const CStringW& className);

  UINT GetItemState() const { return m_nItemState; }
  OLE_OBJTYPE GetType() const { return m_nItemType; }
  // The kind's class name ("Scrivel.Note"), and the name a user sees.
  const CStringW& GetClassName() const { return m_strClassName; }
  CStringW GetUserTypeName() const;
  DWORD GetMiscStatus() const;
  DVASPECT GetDrawAspect() const { return m_nDrawAspect; }
  void SetDrawAspect(DVASPECT aspect);
  BOOL IsOpen() const { return m_nItemState == openState; }
  BOOL IsInPlaceActive() const { return m_nItemState == activeState || m_nItemState == activeUIState; }
  // Whether the server window holds edits not yet saved into the item.
  BOOL IsModified() const;
  // The object's bytes as last saved.
  const std::vector<BYTE>& GetData() const { return m_data; }

  // The object's size in HIMETRIC in the aspect (-1: the item's own); FALSE
  // for an item whose object cannot be read or an aspect it does not have.
  BOOL GetExtent(LPSIZE size, DVASPECT aspect = static_cast<DVASPECT>(-1));
  // Draws the object into the rectangle (logical units of the DC).
  BOOL Draw(CDC* dc, LPCRECT bounds, DVASPECT aspect = static_cast<DVASPECT>(-1));

  // Runs a verb; FALSE when it cannot run (empty, static or unreadable
  // object, a window that cannot be made).
  BOOL DoVerb(LONG verb, CView* view, LPMSG msg = nullptr);
  // Runs a verb and throws COleException when it cannot run.
  void Activate(LONG verb, CView* view, LPMSG msg = nullptr);
  void Close(OLECLOSE option = OLECLOSE_SAVEIFDIRTY);
  // Ends in-place activation, saving what was edited.
  void Deactivate();
  // Ends the user interface of an in-place object; it stays active.
  void DeactivateUI();
  // The view in which the item is active in place, or null.
  CView* GetActiveView() const { return m_pView; }
  // Moves the in-place window to the position (OnGetItemPosition when
  // null); FALSE when the item is not active in place.
  BOOL SetItemRects(LPCRECT position = nullptr, LPCRECT clip = nullptr);
  // The in-place server window, or null.
  CWnd* GetInPlaceWindow() const;
  // The server window (open or in place), or null.
  HWND GetServerWindow() const;

  // Links.
  const CStringW& GetLinkPath() const { return m_strLinkPath; }
  // Whether the linked file still holds the object the item shows.
  BOOL IsLinkUpToDate() const;
  // Reads the linked file again; FALSE when it is missing or unreadable.
  BOOL UpdateLink();

  void Serialize(CArchive& ar) override;
  BOOL IsBlank() const override { return m_nItemState == emptyState; }

 protected:
  // Notifications of the object; OLE_SAVED and OLE_CHANGED mark the
  // document modified.
  virtual void OnChange(OLE_NOTIFICATION notification, DWORD param);
  // The item's rectangle in client coordinates of its active view.
  virtual void OnGetItemPosition(CRect& position);
  // The server moved or resized the in-place window; the base moves it.
  virtual BOOL OnChangeItemPosition(const CRect& position);
  virtual BOOL CanActivate();
  virtual void OnActivate();
  virtual void OnActivateUI();
  virtual void OnDeactivate();
  virtual void OnDeactivateUI(BOOL undoable);

  // Changes the state and tells OLE_CHANGED_STATE.
  void SetState(UINT state);

 private:
  // ServerSite.
  void OnServerEdited() override;
  void OnServerCloseRequested() override;
  void OnServerWindowGone() override;

  // The kind and content for the class name and bytes; FALSE when none
  // can be made.
  BOOL Attach(const CStringW& className, const std::vector<BYTE>& bytes, OLE_OBJTYPE type);
  BOOL OpenServer(CView* view, bool inPlace);
  // Takes the server window's edits into the item (saving them); TRUE
  // when the object changed.
  BOOL SaveEdits();
  // Destroys the server window and returns to the loaded state.
  void CloseServer(BOOL save);
  static BOOL ReadFileBytes(const CStringW& path, std::vector<BYTE>& bytes);
  // The root storage that holds the items of the archive's document, or
  // null when the archive is not the document's own stream.
  static IStorage* ItemStorageRoot(CArchive& ar);
  void StoreData(CArchive& ar);
  void LoadData(CArchive& ar, BYTE where);

  UINT m_nItemState = emptyState;
  OLE_OBJTYPE m_nItemType = OT_UNKNOWN;
  DVASPECT m_nDrawAspect = DVASPECT_CONTENT;
  DWORD m_dwItemNumber = 0;
  CStringW m_strClassName;
  CStringW m_strLinkPath;
  std::vector<BYTE> m_data;
  const platform::EmbeddableKind* m_pKind = nullptr;
  std::unique_ptr<platform::EmbeddedContent> m_pContent;
  platform::ServerWindow* m_pServerWnd = nullptr;
  CView* m_pView = nullptr;
  BOOL m_bEdited = FALSE;
};
