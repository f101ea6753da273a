// CDiagram: one drawing canvas. It holds its objects in z-order (head =
// back, tail = front) with a quad tree over them, the deleted objects kept
// for undo (the trash), the canvas measured in printer pages, the page and
// printer set-up, the grid, the paper colour, the edit lock and the views
// that show it. Every edit of the object list goes through its operations,
// which record undo through the document, keep the quad tree and the drawing
// extent current and tell the views with update hints (CDrawHint).
//
// A diagram is not a CObject: it has its own virtual Serialize and deleting
// destructor. A host derives from it to change the canvas mode, the object
// factories, the clipboard formats and the router.
#pragma once

#include <vector>

#include "diagram/model/canvas/AutoRouteOption.h"
#include "diagram/model/blocks/CrossPoint.h"
#include "diagram/model/lists/DrawList.h"
#include "diagram/model/lists/ObSetList.h"
#include "diagram/model/canvas/QuadTree.h"
#include "diagram/model/canvas/SecurityChecker.h"
#include "diagram/model/objects/TextFontStore.h"
#include "diagram/model/canvas/AutoRouteOption.h"
#include "platform/core/ObList.h"
#include "platform/core/Geometry.h"

class CArcRouter;
class CArchive;
class CBlockFormat;
class CDC;
class CDocTemplate;
class CDrawDoc;
class CDrawGroup;
class CDrawOleObj;
class CDrawPoly;
class CDrawRect;
class CDrawText;
class CDrawView;
class CFile;
class CMenu;
class COleDataObject;
class COleDataSource;
class CPrintDialog;
class CPrinterSetupInfo;
class CProgressDlg;
class CPropertySheet;
class CRectDlg;
class CView;

class CDiagram {
 public:
  explicit CDiagram(CDrawObj* host = nullptr);
  CDiagram(const CDiagram&) = delete;
  CDiagram& operator=(const CDiagram&) = delete;

  // Canvas and behaviour that a derived diagram may change.
  // 0: the canvas is centred on the origin; 1: its origin is a corner.
  virtual int GetCanvasMode() const;
  // True when y grows upward on the canvas.
  virtual BOOL IsUpwardPositive() const;
  // The step between successive placements: one grid step, y negated when
  // y grows upward.
  virtual CSize GetOffsetDelta() const;
  // The largest canvas in pages (across, down).
  virtual CSize GetMaxCanvasSize() const;
  // The clipboard formats the diagram reads, in order of preference; 0 ends
  // the list.
  virtual WORD GetClipboardFormat(int index) const;
  virtual const CObject* GetClipboardOther(int index);
  virtual CMenu* GetPopupMenu(CDrawView* view, CPoint point);
  virtual CPoint NewBlockPlacementPoint();
  virtual int GetDefaultDistanceBetweenNeighborPorts() const;
  virtual BOOL DoesSecurityAllow(DWORD op1, DWORD op2) const;
  virtual void SetDocument(CDrawDoc* document);
  virtual void SetModifiedFlag(BOOL modified = TRUE);
  virtual void ComputePageSize();
  virtual int HandleObjectsBeyondCanvas(int ask, int recordUndo);

  // The object list. DelObj moves an object to the trash and returns its
  // former z-index (-1 when it was not on the canvas).
  virtual int DelObj(CDrawObj* object);
  // Puts an object into the z-order at its own z-index when that place
  // exists, else at the front. Records nothing.
  virtual void Insert(CDrawObj* object);
  virtual void LoadFailAnythingInappropriate(CDrawList& objects);
  // Takes an object off the canvas; its former index, or -1. While the
  // contents are being deleted, the index is the one the object had when
  // the deletion began.
  virtual int Remove(CDrawObj* object);

  // Clipboard, drag and drop.
  virtual void MoveObjectsForOleDragDrop(const CDrawList& objects, CSize offset);
  virtual void ComputeDragDimensions(const CDrawList& objects, CPoint dragPoint, CSize& offset, CSize& size);
  virtual void AddNonNativeClipboardFormatData(COleDataSource* source, const CDrawList& objects);
  virtual void CopyNative2ClipboardFile(CFile* file, const CDrawList& objects, LONG copyTime, CPoint origin,
                                        const CObject* other);
  virtual int PasteNative(COleDataObject& data, WORD format, CPoint at, CDrawList& result, CObject*& other);

  // Draws the page-crossing labels gathered while printing.
  virtual void DrawCrossLabel(CDC* dc);

  // Routing.
  virtual void EndDynamicRouteChanges();
  virtual UINT GetAutoRouteMethod() const;
  virtual CArcRouter* GetNewArcRouter(UINT method);
  virtual UINT GetPreferredAutoRouteMethod();
  virtual UINT ArcRoutingProgressCaptionID();
  virtual CProgressDlg* GetArcRoutingProgressDlg(int count);
  virtual int RouteArcs(const CDrawList& selection, int useLiveRouter);
  virtual void ReportArcRoutingFailure(const CDrawList& failedArcs);

  virtual void DragAndDrop(const CDrawList& objects, CDrawView* view);
  virtual int Drop(COleDataObject* data, DWORD effect, CPoint at, CDrawList& result);
  virtual void OnEndDragMoveExternal(const CDrawList& objects, CDrawView* view);
  virtual void OnBeginDragMoveInternal(const CDrawList& objects);
  virtual void OnEndDragMoveInternal(const CDrawList& objects);
  // The routing options sheet: the manual, general and automatic pages,
  // stored back unless cancelled; "Route Now" runs RouteArcs on the active
  // view's selection.
  virtual void ChangeRouteOptions();

  // Shows the shape page for the objects and applies what changed; 2 when
  // nothing was shown or the page was cancelled, 1 on OK.
  virtual int DoGeneralPropertyPage(CDrawList& objects, CPropertySheet* sheet);

  // Object factories, through which tools and paste make objects; null when
  // memory runs out.
  virtual CDrawRect* MakeDrawRect(const CPoint& point);
  virtual CDrawPoly* MakeDrawPoly();
  virtual CDrawText* MakeDrawText(LPCWSTR text, const CPoint& point, CDrawView* view);
  virtual CDrawGroup* MakeDrawGroup();
  virtual CDrawOleObj* MakeDrawOleObj(const CPoint& point);

  virtual ~CDiagram();
  // Writes or reads the diagram record: canvas mode and direction, pages,
  // paper colour, block format, page set-up, the top-level elements, the
  // edit lock and every object in z-order. Reading follows the stream
  // version of the archive's document and converts a diagram stored with
  // another canvas mode or direction to this one. Reading replaces the
  // contents; a read that fails deletes every object it made, leaves the
  // diagram empty and lets the exception pass.
  virtual void Serialize(CArchive& ar);
  // Deletes every object, in the trash and on the canvas.
  virtual void DeleteContents();

  // Object list.
  int Add(CDrawObj* object);
  int UnDelObj(CDrawObj* object);
  // Takes an object off the canvas, out of the trash and off the lists of a
  // load (the elements being read, the document's load failures) for good;
  // the caller then owns it.
  void Expunge(CDrawObj* object);
  void UpdateObject(CDrawObj* object, int updateQuadTree);
  void UpdateQuadTree(CDrawObj* object);
  BOOL DoesTrashInclude(CDrawObj* object) const;
  CDrawList& GetObjects() { return m_objects; }
  const CDrawList& GetObjects() const { return m_objects; }
  CDrawList& GetListOfObjects() { return m_objects; }
  // Adds the objects that meet the rectangle. 1 when the quad tree answered
  // (tree order: sort with SortInDrawOrder), 0 for the z-ordered scan.
  int GetObjectsInRect(CRect rect, CDrawList& out);
  CDrawObj* ObjectAt(CDrawView* view, const CPoint& point, const CRuntimeClass* kind);
  void SortInDrawOrder(CDrawList& objects);
  CRect ComputeDrawingExtent(const CDrawList* objects = nullptr);

  // Z-order.
  int ChangeZorder(CDrawObj* object, UINT index);
  int MoveToFront(CDrawObj* object);
  int MoveToBack(CDrawObj* object);
  int MoveFoward(CDrawObj* object, int withComponents);
  int MoveBack(CDrawObj* object, int withComponents);

  // Geometry, grid and canvas.
  // The canvas rectangle; top holds the larger y when y grows upward.
  CRect GetRect() const;
  CSize GetSize() const { return m_size; }
  // Pages across and down.
  CSize GetCanvasSize() const { return CSize(m_hPages, m_vPages); }
  int SetCanvasSize(BYTE across, BYTE down);
  CSize GetPageSize() const;
  CSize GetGridSize() const { return m_gridSize; }
  CSize GetGridLineInterval() const { return m_gridLineInterval; }
  CSize GetGridLineSpacing() const;
  int SetGrid(CSize gridSize, CSize lineInterval);
  BOOL IsSnapToGridEnabled() const { return m_bSnapToGrid; }
  void ToggleSnapToGrid() { m_bSnapToGrid = !m_bSnapToGrid; }
  // Snaps to the grid step whether or not snapping is on.
  void SnapToGrid(CPoint& point) const;
  // Rounds each coordinate to the nearer multiple of the step.
  static void SnapPointToGrid(CPoint& point, CSize step);
  void ForcePointOnDiagram(CPoint& point) const;
  // The point on the canvas with room for the outline the object's pen
  // draws around it, so that a shape drawn from edge to edge keeps its whole
  // outline on the canvas (a load grows the canvas for one that does not).
  void ForcePointOnCanvasWithOutline(CDrawObj& object, CPoint& point) const;
  void ForceRectWithinBounds(CRect& rect, CRect bounds) const;
  // Moves an element whose outline (its components' included) reaches past
  // the canvas back onto it, as HandleObjectsBeyondCanvas moves each object;
  // a port moves its block, and a wire, which follows its ports, stays.
  // Edits that may leave an outline at the canvas edge call it inside their
  // recording, so that the canvas always covers the objects (as the canvas
  // of a stream read again does). 1 when something moved.
  int ForceObjectOntoCanvas(CDrawObj* object, int recordUndo);
  void SetLastClickPoint(CPoint point) { m_lastClickPoint = point; }
  CPoint GetLastClickPoint() const { return m_lastClickPoint; }
  void ClearPasteOffset() { m_pasteOffset = CSize(0, 0); }
  void GetDragSizeAndOffset(CSize& size, CSize& offset) const;
  BOOL IsInDrag() const { return m_bInDrag; }
  BOOL IsHostInDrag(CDrawObj* object) const;

  // Appearance.
  COLORREF GetPaperColor() const { return m_crPaper; }
  int SetPaperColor(COLORREF color);
  CBlockFormat* GetBlockFormat();
  // The text fonts read into the document whose top-level diagram this is;
  // they live as long as the diagram.
  TextFontStore& GetLoadedFonts() { return m_loadedFonts; }
  // While a load runs, the elements read so far (null otherwise).
  CDrawList* GetLoadingElements() const { return m_pLoadingElements; }
  void Draw(CDC* dc, CRect rect, CDrawView* view);

  // Whether the diagram exists: an undo record may outlive an inner diagram
  // that went with its composite block, and with it the objects of its
  // trash.
  static BOOL IsLive(const CDiagram* diagram);

  // Hierarchy and views.
  CDrawObj* GetHostObj() const { return m_pHostObj; }
  CDiagram* GetParentDiagram() const;
  int GetLevel() const;
  CDrawDoc* GetDocument() const { return m_pDocument; }
  CSecurityChecker& GetSecurityChecker() { return m_lock; }
  void AddViewRef(CView* view);
  // The last view to leave stops the router and closes the items active in
  // place and the open descriptions of the canvas.
  void RemoveViewRef(CView* view);
  void UpdateDiagramViews(CView* sender, LPARAM hint, CObject* object);
  int CreateDiagramView(CDocTemplate* docTemplate);
  CView* OpenDiagramView(const CRuntimeClass* viewClass);

  // Routing.
  void BeginDynamicRouteChanges();
  UINT GetAutoRouteMode() const;
  UINT GetPreferredAutoRouteMode() const { return m_nDefaultArcAutoRouteMode; }
  void SetAutoRouteModeAndMethod(UINT mode, UINT method);
  // Moves the objects that lie across page boundaries (with `justBlocks`
  // only blocks and ports; never wires) onto the next page, with the rest
  // of the diagram behind them, keeping each margin clear on its side of a
  // boundary, and grows the canvas to hold them: one undo step. 0 when the
  // undo recording was refused (nothing changes), else 1.
  int AvoidPageBoundary(int topMargin, int bottomMargin, int leftMargin, int rightMargin, int justBlocks);

  // Clipboard.
  void EditCopy(const CDrawList& selection, WORD format, CPoint origin, const CObject* other);
  void EditPaste(CPoint at, CDrawList& result);
  CDrawOleObj* PasteOLE(COleDataObject& data, int link, CPoint at);

  // Page-crossing labels gathered while printing.
  void AddCrossPoint(const CrossPoint* points, int count);
  // Whether wires label their page crossings: the cross-label switch of the
  // view that last drew the diagram.
  int AreCrossLabelsOn() const { return m_bCrossLabels; }

  // Page set-up. A page is at most kMaxPageLength units each way, the
  // largest length whose 255 pages still fit a coordinate.
  static constexpr LONG kMaxPageLength = 0x7FFFFFFF / 255;
  short GetSavedOrientation() const { return m_shSavedOrientation; }
  short GetSavedPaperSize() const { return m_shSavedPaperSize; }
  // Throws CInvalidArgException, changing nothing, for a page outside 1 to
  // 0x7FFFFFFF / 255 units or a page count outside 1 to 255 either way.
  int SetPrinterSetupInfo(const CPrinterSetupInfo& info);
  void SavePrinterSetup();
  // Takes the page size, orientation, paper size and largest canvas from the
  // printer (the default one without a dialog); true when the page size or
  // the largest canvas changed.
  static BOOL UpdatePrinterPageSize(CPrintDialog* dialog);
  void GetMinPagesToCover(const CRect& extent, int canvasMode, BOOL upward, int& across, int& down) const;

  // Class-wide options (read from the profile by GetProfile).
  static int GetArcFlags4OrthogonalLines() { return m_nArcFlags4OrthogonalLines; }
  static BOOL IsArcPencilModeAllowed() { return m_bAllowArcPencilMode; }
  static BOOL IsArcCreationCaptured() { return m_bCaptureArcCreation; }
  static BOOL CanArcRoutingBeCancelled() { return m_bCanArcRoutingBeCancelled; }
  static BOOL IsArcToolSingleUse() { return m_bArcToolSingleUse; }
  static BOOL IsOleDragAndDropUsedForMove() { return m_bMoveUsesOleDragAndDrop; }
  static void GetProfile(LPCWSTR ignored, int arcFlags, BOOL allowPencil, BOOL capture, UINT defaultMode,
                         UINT defaultMethod, BOOL canCancel, BOOL singleUse, BOOL moveUsesOle);
  static void WriteProfile();

  static int m_nArcFlags4OrthogonalLines;
  static BOOL m_bAllowArcPencilMode;
  static BOOL m_bCaptureArcCreation;
  static UINT m_nDefaultArcAutoRouteMode;
  static UINT m_nDefaultArcAutoRouteMethod;
  static BOOL m_bCanArcRoutingBeCancelled;
  static BOOL m_bArcToolSingleUse;
  static BOOL m_bMoveUsesOleDragAndDrop;
  static int m_nRouteWhat;
  static BOOL m_bSelectedArcs;
  static BOOL m_bSelectedNodes;
  static BOOL m_bSelectedBlocks;
  static UINT m_nManualRouteMethod;
  static UINT m_nLastValidAutoRouteMethod;
  static UINT m_nLastValidAutoRouteMode;
  // Printer defaults; m_hMaxPages 0 means not computed yet.
  static short m_shDefaultOrientation;
  static short m_shDefaultPaperSize;
  static CSize m_pageSize;
  static BYTE m_hMaxPages;
  static BYTE m_vMaxPages;
  // The native clipboard format, "Zelk Draw Lib".
  static WORD m_cfDraw;
  // The routing options that every router receives.
  static AutoRouteOption m_autoRouteOption;

 protected:
  // Sets on `object` the values of the shape page that differ from its own.
  static void ApplyGeneralProperties(CDrawObj* object, const CRectDlg& page);
  // Snaps one coordinate to a step: halves round toward plus infinity.
  static int SnapCoordinate(int value, int step);
  // Clamps a point into bounds with a step, snapping it when it moved.
  void ClampPoint(CPoint& point, CRect bounds) const;
  // Rebuilds the quad tree over the canvas with every object.
  void RebuildQuadTree();

  CDrawObj* m_pHostObj;
  CDrawDoc* m_pDocument;
  COLORREF m_crPaper;
  CDrawList m_objects;
  CDrawList m_trash;
  QuadTreeHead m_quadTree;
  ObSetList m_views;
  CSecurityChecker m_lock;
  CRect m_rcExtent;
  BYTE m_hPages;
  BYTE m_vPages;
  CSize m_size;
  CSize m_savedPageSize;
  short m_shSavedOrientation;
  short m_shSavedPaperSize;
  int m_savedHMaxPages;
  int m_savedVMaxPages;
  CBlockFormat* m_pBlockFormat;
  CSize m_gridSize;
  int m_bSnapToGrid;
  CSize m_gridLineInterval;
  int m_bUseQuadTree;
  CPoint m_lastClickPoint;
  LONG m_lastPasteCopyTime;
  CPoint m_lastPastePoint;
  CSize m_pasteOffset;
  CPoint m_placementAnchor;
  CSize m_placementOffset;
  std::vector<CrossPoint> m_crossPoints;
  int m_bCrossLabels;
  CArcRouter* m_pRouter;
  int m_bInDrag;
  CObList* m_pDragList;
  CSize m_dragSize;
  CSize m_dragOffset;

 private:
  // Closes the OLE items active in place and the open descriptions of the
  // blocks on the canvas.
  void CloseOpenItems();
  // Moves the element by the offset that brings its outline within the
  // bounds (recorded when asked); 1 when it moved.
  int MoveOntoCanvas(CDrawObj* object, const CRect& bounds, int recordUndo);
  // The active view of the application's active frame when it shows this
  // diagram, else null.
  CDrawView* GetActiveViewOfThis() const;

  // Deletes every object of a list: first those that are neither components
  // of another element nor arcs, then the rest.
  void DeleteAllOf(CDrawList& objects);

  // The parts of Serialize.
  void StoreRecord(CArchive& ar);
  void LoadRecord(CArchive& ar);
  // Places what a load read: the missing components, the z-order, the
  // conversion from the stored canvas, the pages and the quad tree. Throws
  // when an object lies where no canvas reaches (a damaged stream).
  void PlaceLoadedObjects(CArchive& ar, CDrawList& elements, int storedMode, BOOL storedUpward);
  // Deletes what a failed load read (`elements` and whatever reached
  // m_objects) and empties the diagram.
  void DiscardFailedLoad(CDrawList& elements);

  // Set while DeleteContents empties the diagram, when renumbering the
  // z-order of what is left is pointless.
  bool m_bDeletingContents = false;
  // While a load runs: the elements read so far. An object destroyed
  // meanwhile (its owner's read failed) leaves it, as it leaves the canvas.
  CDrawList* m_pLoadingElements = nullptr;
  // Declared last, so that the fonts go after everything that might use
  // them.
  TextFontStore m_loadedFonts;
};

// Grows an extent by a rectangle, keeping the extent's y direction: an
// all-zero extent becomes the rectangle; a downward extent (top < bottom)
// takes the least y as top and the greatest as bottom, an upward one the
// reverse; a flat extent takes its direction from the rectangle.
void GrowExtentToBoundRect(CRect& extent, const CRect& rect);
