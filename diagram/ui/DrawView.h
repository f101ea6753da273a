// CDrawView: the scrolling, zoomable view that shows one diagram of a
// document. The model reaches it for coordinate conversion (document units
// and client pixels), the selection, invalidation and the pop-up menus; the
// diagram sends it its update hints (CDrawHint); the mouse reaches the
// active tool (CDrawTool) through it. It paints through an off-screen bitmap
// so that only the invalid area is copied to the window.
#pragma once

#include <functional>

#include "diagram/model/lists/DrawList.h"
#include "platform/core/Geometry.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ScrollView.h"

class CBirdEyeWnd;
class CDiagram;
class CDrawDoc;
class CCmdUI;
class CDocTemplate;
class CDrawBlock;
class CDrawItem;
class CDrawObj;
class CDrawOleObj;
class COleDataObject;
class COleDropTarget;
class CWnd;

class CDrawView : public CScrollView {
  DECLARE_DYNCREATE(CDrawView)

 public:
  CDrawView();
  ~CDrawView() override;

  // The class-wide options of the "DrawView" profile section; the host
  // gives the defaults of the first three.
  static void GetProfile(UINT newViewScalePercent, BOOL openDiagramWhenNesting, int selectionProximity);
  static void WriteProfile();
  // The "Object Descriptor" clipboard format, registered by the first view.
  static UINT GetObjectDescriptor() { return m_cfObjectDescriptor; }

  // The sub-menu `index` of the view's pop-up menu resource, loaded on the
  // first call; null when the resource or the sub-menu is not there.
  virtual CMenu* GetPopupMenu(int index);
  // The menu for a right click on several selected objects.
  virtual CMenu* GetPopupMenuForMultipleSelections(const CPoint& point);
  // Scales are CSizes with 5000 for 100 % in each direction.
  virtual int GetScaleMinSize() const;
  virtual int GetScaleMaxSize() const;
  virtual int GetScaleIncrementSize() const;
  // Adds a selectable object to the selection; without `add` the selection
  // is emptied first. A null object only empties it.
  virtual void Select(CDrawObj* object, int add);
  // Zooms to `scale` keeping the document point under client point `point`
  // in the middle of the window (as far as the scroll range allows).
  virtual void ScaleAndScroll(CSize scale, CPoint point);
  // Zooms about the centre of the client area.
  virtual void Scale(CSize scale);
  // The pop-up menu for a right click at client point `point`: the single
  // selected object's, the plural one, or the diagram's.
  virtual void ShowPopUpMenu(const CPoint& point);
  // The pop-up menu opened from the keyboard.
  virtual void OnKeyboardPopUpMenu();
  // The size and the picked point of dragged objects, from the data's
  // "Object Descriptor", in document units (y negated when y grows upward);
  // 0, with both (0, 0), when the data have none.
  virtual int GetObjectInfo(COleDataObject* data, CSize* size, CSize* offset);
  // The rectangle of dragged objects whose picked point is at document
  // point `point`, in device units from the scroll origin; never empty.
  virtual CRect ComputeCurrentDragItemRect(CPoint point, CSize size, CSize offset);
  // Paints the document rectangle `rect`: window colour beyond the canvas,
  // the paper, the grid and page boundaries on screen, then the objects.
  virtual void Draw(CDC* dc, const CRect& rect);
  virtual void DrawWindowBackground(CDC* dc, const CRect& rect);
  virtual void DrawDiagramBackground(CDC* dc, const CRect& rect);
  virtual void DrawGridAndPageBoundaries(CDC* dc);
  // Moves the focus rectangle of a drag over the view to `itemRect` (device
  // units from the scroll origin): the old one is erased when the
  // rectangle changed, the new one drawn when `draw`.
  virtual void DisplayDragOverUserFeedback(const CRect& itemRect, BOOL draw);
  // Whether dragged objects at `itemRect` lie wholly on the canvas
  // (`diagramRect`), both in the units of ComputeCurrentDragItemRect.
  virtual BOOL IsDragWithinDiagram(COleDataObject* data, const CRect& diagramRect, const CRect& itemRect,
                                   const CPoint& point);
  // Scrolls to device position `point`.
  virtual void OnBirdEyeViewScroll(POINT point);

  // The bird's-eye window: shown or hidden by the command; the window
  // reports its own end.
  void OnViewBirdeye();
  void OnUpdateViewBirdeye(CCmdUI* cmdUI);
  void YourBirdEyeHaveBeenDestroyed();
  // Routing: the selection routed as the routing options choose, and the
  // routing options sheet.
  void OnRouteArcs();
  void OnOptionsArcRouting();
  // Moves the diagram's objects off its page boundaries, keeping the
  // routing margins widened by the minimum wire distance clear; enabled
  // while the diagram has objects.
  void OnObjectAvoidpageboundary();
  void OnUpdateObjectAvoidpageboundary(CCmdUI* cmdUI);
  // The command handlers of the menus and tool bars (the update handlers
  // enable, disable and check their items).
  // Tools: each makes its tool the active one and is checked while it is.
  void OnDrawSelect();
  void OnDrawLine();
  void OnDrawRect();
  void OnDrawRoundRect();
  void OnDrawEllipse();
  void OnDrawPolygon();
  void OnDrawPolyline();
  void OnDrawText();
  void OnDrawArc();
  void OnDrawMonitor();
  void OnViewZoomSelect();
  void OnUpdateDrawSelect(CCmdUI* cmdUI);
  void OnUpdateDrawLine(CCmdUI* cmdUI);
  void OnUpdateDrawRect(CCmdUI* cmdUI);
  void OnUpdateDrawRoundRect(CCmdUI* cmdUI);
  void OnUpdateDrawEllipse(CCmdUI* cmdUI);
  void OnUpdateDrawPolygon(CCmdUI* cmdUI);
  void OnUpdateDrawPolyline(CCmdUI* cmdUI);
  void OnUpdateDrawText(CCmdUI* cmdUI);
  void OnUpdateDrawArc(CCmdUI* cmdUI);
  void OnUpdateDrawMonitor(CCmdUI* cmdUI);
  void OnUpdateViewZoomSelect(CCmdUI* cmdUI);
  // The block dialog, then the block or composite-block placer.
  void OnDrawBlock();
  void OnUpdateDrawBlock(CCmdUI* cmdUI);
  // The same with the dialog's composite check set.
  void OnCfbNew();
  // The clipboard (DrawViewClipboard.cpp). Copy puts the copyable selection
  // on the clipboard in the diagram's format; cut copies, deletes and
  // resets the paste offset; paste inserts what the clipboard holds at the
  // last click and selects it. Paste is enabled while the clipboard offers
  // one of the diagram's formats or an OLE item could be made from it;
  // paste link and paste special (DrawViewOle.cpp) while an OLE item (a
  // link) could be made from it.
  void OnEditCopy();
  void OnUpdateEditCopy(CCmdUI* cmdUI);
  void OnEditCut();
  void OnEditPaste();
  void OnUpdateEditPaste(CCmdUI* cmdUI);
  void OnUpdateEditPasteLink(CCmdUI* cmdUI);
  void OnUpdateEditPasteSpecial(CCmdUI* cmdUI);
  // Selection and deleting.
  void OnEditSelectAll();
  void OnUpdateEditSelectAll(CCmdUI* cmdUI);
  void OnUpdateSingleSelect(CCmdUI* cmdUI);
  void OnUpdateAnySelect(CCmdUI* cmdUI);
  void OnUpdateAnyNonGroupOrOLE(CCmdUI* cmdUI);
  void OnUpdateEditProperties(CCmdUI* cmdUI);
  // Deletes the selection, wires first, as one undo step "Delete".
  void OnEditClear();
  void OnUpdateEditClear(CCmdUI* cmdUI);
  // Style of the selection, one undo step each.
  void OnObjectLineWeight();
  void OnObjectLineType(int style);
  void OnObjectHatchStyle(int style);
  void OnObjectLineTypeSolid();
  void OnObjectLineTypeDash();
  void OnObjectLineTypeDot();
  void OnObjectLineTypeDashdot();
  void OnObjectLineTypeDashdotdot();
  void OnObjectLineTypeNull();
  void OnObjectLineTypeInsideframe();
  void OnObjectHsHorizontal();
  void OnObjectHsVertical();
  void OnObjectHsFdiagonal();
  void OnObjectHsBdiagonal();
  void OnObjectHsCross();
  void OnObjectHsDiagcross();
  void OnObjectHsNone();
  void OnObjectTransparent();
  void OnObjectOpaque();
  void OnObjectToggleUsefill();
  void OnObjectToggleUsehatch();
  void OnUpdateObjectToggleUsefill(CCmdUI* cmdUI);
  void OnUpdateObjectToggleUsehatch(CCmdUI* cmdUI);
  // Z-order; the "To" commands keep the selected objects' own order.
  void OnObjectMoveBack();
  void OnObjectMoveForward();
  void OnObjectMoveToBack();
  void OnObjectMoveToFront();
  // Groups.
  void OnObjectGroup();
  void OnObjectRegroup();
  void OnObjectUngroup();
  void OnUpdateObjectGroup(CCmdUI* cmdUI);
  void OnUpdateObjectReGroup(CCmdUI* cmdUI);
  void OnUpdateObjectUngroup(CCmdUI* cmdUI);
  // Vertices of the single selected polygon, polyline or wire.
  void OnPolypointAddsegment();
  void OnPolypointRemovesegment();
  void OnUpdatePolypointAddsegment(CCmdUI* cmdUI);
  void OnUpdatePolypointRemovesegment(CCmdUI* cmdUI);
  // Zoom steps.
  void OnScale25();
  void OnScale50();
  void OnViewNormalSize();
  void OnScale150();
  void OnScale200();
  void OnScale300();
  void OnScale400();
  void OnUpdateScale25(CCmdUI* cmdUI);
  void OnUpdateScale50(CCmdUI* cmdUI);
  void OnUpdateViewNormalSize(CCmdUI* cmdUI);
  void OnUpdateScale150(CCmdUI* cmdUI);
  void OnUpdateScale200(CCmdUI* cmdUI);
  void OnUpdateScale300(CCmdUI* cmdUI);
  void OnUpdateScale400(CCmdUI* cmdUI);
  void OnViewZoomIn();
  void OnViewZoomOut();
  void OnUpdateViewZoomIn(CCmdUI* cmdUI);
  void OnUpdateViewZoomOut(CCmdUI* cmdUI);
  void OnViewRefresh();
  // Diagram levels: in an MDI child frame a view of the diagram comes to
  // the top or opens; in any other frame this view shows it.
  void OnDiagramOpenTop();
  void OnUpdateDiagramOpenTop(CCmdUI* cmdUI);
  void OnDiagramOpenParent();
  void OnUpdateDiagramOpenParent(CCmdUI* cmdUI);
  void OnDiagramBlockProperties();
  void OnUpdateDiagramBlockProperties(CCmdUI* cmdUI);
  void OnCfbOpen();
  // While the select tool is active: the single selected object's
  // properties, or the shape page for several ("Multiple Shape
  // Properties"), one undo step.
  void OnEditProperties();
  void OnEditPropertiesForMultipleSelections();
  // Enabled while the fitting zoom, or a step toward it, is possible;
  // checked at that zoom.
  void OnUpdateViewScaleToFit(CCmdUI* cmdUI);
  void OnUpdateViewScaleToWidth(CCmdUI* cmdUI);
  // Display (DrawViewDisplay.cpp): the grid (its state becomes the default
  // of new views), page boundaries and page-crossing labels of this view,
  // checked while shown; page boundaries are disabled on a one-page canvas.
  void OnViewGrid();
  void OnUpdateViewGrid(CCmdUI* cmdUI);
  void OnViewPageborder();
  void OnUpdateViewPageborder(CCmdUI* cmdUI);
  void OnViewCrosslabels();
  void OnUpdateViewCrosslabels(CCmdUI* cmdUI);
  // The colour dialog for the grid (this view and new ones) and for the
  // diagram's paper.
  void OnViewGridColor();
  void OnViewPaperColor();
  // The diagram's snapping and its grid size and line interval.
  void OnSnapToGrid();
  void OnUpdateSnapToGrid(CCmdUI* cmdUI);
  void OnSnapGridSize();
  // The colour dialog, then the colour on every selected object as one undo
  // step ("Fill Color", "Line Color", "Hatch Color"); fill and hatch are
  // turned on.
  void OnObjectFillColor();
  void OnObjectLineColor();
  void OnObjectHatchColor();
  // The document's undo and redo, enabled while their stacks hold a command.
  void OnEditUndo();
  void OnUpdateEditUndo(CCmdUI* cmdUI);
  void OnEditRedo();
  void OnUpdateEditRedo(CCmdUI* cmdUI);
  // Canvas and zoom dialogs (DrawViewCanvas.cpp). The canvas size: set
  // directly while the objects still fit, else, once the user agrees, every
  // object moves toward the canvas origin first, one undo step "Move Objects
  // and Set Canvas Size" with automatic routing off meanwhile.
  void OnViewCanvassize();
  // A preset zoom, all pages, a typed percentage or "Zoom Last".
  void OnViewCustom();
  void OnUpdateViewCustom(CCmdUI* cmdUI);
  // A new port on the selected block or, with nothing selected, on the
  // block whose inner diagram the view shows.
  void OnFbAddInPort();
  void OnFbAddOutPort();
  void OnUpdateFbAddInPort(CCmdUI* cmdUI);
  void OnUpdateFbAddOutPort(CCmdUI* cmdUI);
  // Replaces the selection by the composite block `block`, whose inner
  // diagram receives it, as one undo step; wires that crossed the
  // selection's border are rebuilt through new ports of the block. 0 when
  // nothing was nested (the caller then deletes the block).
  int NestSelectionInto(CDrawBlock* block);
  // Nests the selection into a new composite block.
  void OnObjectNest();
  void OnUpdateObjectNest(CCmdUI* cmdUI);
  // Replaces the selected composite block (with nothing selected, the one
  // whose inner diagram the view shows) by its contents, joining the wires
  // that ran to its ports directly to what the ports led to; one undo step.
  void OnObjectUnnest();
  void OnUpdateObjectUnnest(CCmdUI* cmdUI);
  // OLE objects and descriptions (DrawViewOle.cpp).
  void OnInsertObject();
  void OnEditPasteSpecial();
  void OnEditPasteLink();
  void OnViewShowObjects();
  void OnUpdateViewShowObjects(CCmdUI* cmdUI);
  void OnCancelEditCntr();
  void OnBlockAbout();
  void OnUpdateBlockAbout(CCmdUI* cmdUI);
  // Moves the item active in place in this view over its object again
  // (after the view scrolled or was resized).
  void UpdateActiveItem();
  BOOL IsBirdEyeShown() const { return m_bBirdEyeShown; }
  CBirdEyeWnd* GetBirdEyeWnd() const;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  // Shift+F10 and the context-menu message open the keyboard pop-up menu.
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL IsSelected(const CObject* object) const override;
  // Passes the 32-bit thumb position while a thumb is dragged.
  BOOL OnScroll(UINT scrollCode, UINT pos, BOOL doScroll = TRUE) override;
  BOOL OnScrollBy(CSize sizeScroll, BOOL doScroll = TRUE) override;
  DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) override;
  DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) override;
  void OnDragLeave() override;
  BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) override;
  // Document units are hundredths of an inch at 100 % (scale 5000), y
  // growing upward in an upward-positive diagram; on screen the canvas's
  // top-left corner is at the scroll origin, on paper page n shows its own
  // part of the canvas.
  void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
  // Shows the document's current diagram and zooms as new views do.
  void OnInitialUpdate() override;
  void OnActivateView(BOOL activate, CView* activated, CView* deactivated) override;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;

  CDrawDoc* GetDocument() const;
  CDiagram* GetDiagram() const { return m_pDiagram; }
  CDrawList& GetSelection() { return m_selection; }
  const CDrawList& GetSelection() const { return m_selection; }
  CSize GetScaleSize() const { return m_scaleSize; }
  // The zoom in percent.
  int GetScalePercentage() const { return m_scaleSize.cx * 10 / GetScaleIncrementSize(); }
  // The largest scale the canvas allows on each axis.
  CSize GetCanvasScaleLimits() const { return m_canvasScaleLimits; }
  BOOL IsScrolling() const { return m_bScrolling; }
  BOOL IsActive() const { return m_bActive; }
  void SetActive(int active) { m_bActive = active; }
  BOOL ShowCrossLabels() const { return m_bShowCrossLabels; }
  BOOL IsGridShown() const { return m_bShowGrid; }
  BOOL ArePageBoundariesShown() const { return m_bShowPageBoundaries; }
  // The document rectangle shown before the last zoom.
  CRect GetVisibleDocRect() const { return m_visibleDocRect; }
  // Captures the mouse and marks the view as capturing.
  CWnd* SetCapture();
  // Clears the mark and releases the mouse.
  void ReleaseCapture();

  void ClientToDoc(CPoint& point);
  void ClientToDoc(CRect& rect);
  void DocToClient(CPoint& point);
  // The result is normalised in pixels.
  void DocToClient(CRect& rect);
  // The document rectangle within which a click at the pixel hits.
  CRect GetDocSenstivityRectForClientPoint(CPoint point);
  void InvalObj(CDrawObj* object);
  // Shows another diagram of the document.
  void SwitchToDiagram(CDiagram* diagram);

  void Deselect(CDrawObj* object);
  // Takes the object out of the selection without repainting it.
  void Remove(CDrawObj* object);
  // The scale at which the whole canvas fits `rect` (client pixels), or the
  // client area.
  CSize GetScaleToFit(const CRect& rect);
  CSize GetScaleToFit();
  // The scale at which the canvas's width fills the client area.
  CSize GetScaleToWidth();
  // The canvas rectangle, normalised.
  CRect GetDiagramRect() const;
  // Clamps `requested` to the scale range and to what the canvas allows;
  // the limits on each axis go to `limits`. Both components of the result
  // are the smaller of the two.
  CSize NormalizeScaleBy(CSize requested, CSize& limits);

  // Selects what lies within `rect` (client pixels); without `add` the
  // selection is emptied first.
  void SelectWithinRect(CRect rect, int add);
  // Flips the selection state of what lies within `rect` (client pixels).
  void ToggleSelectWithinRect(CRect rect);
  // Scrolls while the mouse is dragged past the window's edge; the result
  // is the distance scrolled.
  CSize AutoScroll(CPoint point);
  // Zooms so that document rectangle `rect` fills the window.
  void PanZoomTo(CRect rect);
  void OnViewLastZoom();
  void OnUpdateViewLastZoom(CCmdUI* cmdUI);
  void OnViewScaleToFit();
  void OnViewScaleToWidth();
  // Nested: redraw stays off until every "off" has had its "on"; the last
  // "on" repaints the window.
  void SetWindowRedraw(bool redraw);

  // Class-wide options (see GetProfile).
  static UINT c_uNewViewScalePercent;
  static BOOL c_bOpenDiagramWhenNesting;
  // The pick tolerance in pixels.
  static int c_nSelectionProximity;
  static BOOL c_bShowGrid;
  static COLORREF c_crGridColor;

 protected:
  void PostNcDestroy() override;
  void OnDraw(CDC* dc) override;
  BOOL OnPreparePrinting(CPrintInfo* info) override;
  void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
  void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
  // The print commands: a document that does not use the printer defaults
  // first makes the default printer, set to its diagram's stored
  // orientation and paper size, the application's printer.
  afx_msg void OnFilePrint();

  // The block dialog (its composite check preset) and the chosen placer.
  void PlaceNewBlock(BOOL composite);
  // Runs `apply(object, value)` on every selected object in one undo step.
  void ApplyToSelection(LPCWSTR recording, bool routeBatch, void (*apply)(CDrawObj*, int), int value);
  void GroupSelection(LPCWSTR recording, int bFlatten);
  void ZoomTo(int scale);
  void UpdateFittingZoom(CCmdUI* cmdUI, CSize fit);
  void UpdateZoomStep(CCmdUI* cmdUI, int scale);
  void OpenDiagramLevel(CDiagram* diagram, CDocTemplate* docTemplate);
  CDrawBlock* PortCommandBlock() const;
  // The standard colour dialog, opened on `color` with `startAtColor`; on
  // OK the choice goes to `color`.
  bool PickColor(COLORREF& color, bool startAtColor);
  // Moves every object by `shift` and sets the canvas to `across` x `down`
  // pages, one undo step.
  void MoveObjectsAndSetCanvasSize(CSize shift, BYTE across, BYTE down);

  // Stores and returns the scale normalised; the result is the scroll size
  // at that scale.
  CSize SetScaleAndGetScrollSize(CSize scale);
  // Recomputes the scroll size for the current scale, keeping the document
  // point in the middle of the window.
  void SetPageSize();
  // Repaints every object of the list, or of the selection without one.
  void InvalidateObjects(const CObList* objects);
  // The screen's pixels per inch.
  CSize GetScreenPixelsPerInch();
  // Invalidates a shown overview, with erasing.
  void InvalidateBirdEye();
  // Updates a shown overview's tracker after the view moved or zoomed.
  void UpdateBirdEyeTracker();
  // Updates a shown overview's tracker and its zoom text after a zoom.
  void UpdateBirdEyeAfterZoom();
  // Destroys and deletes a shown overview.
  void DestroyBirdEye();
  // Inserts a new OLE object made by `create` at the last click point as
  // one entry "Insert OLE Object"; a failure leaves no entry and shows
  // Notify 20. Returns the object, or null.
  CDrawOleObj* InsertOleObject(const std::function<BOOL(CDrawItem*)>& create);

  afx_msg void OnSetFocus(CWnd* old);

  // Registers the view as a drop target (-1 when that fails).
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  // Deactivates the item active in place in this view (saving it), leaves
  // the diagram and revokes the drop target.
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);

  CMenu m_popupMenu;
  UINT m_nPopupMenuId;
  CSize m_canvasScaleLimits;
  BOOL m_bCapture;
  // Registered while the window exists.
  COleDropTarget* m_pDropTarget;
  // The dragged objects' size and picked point from the data of the drag
  // over the view, whether the data can be dropped, the last effect, and
  // the focus rectangle shown (device units from the scroll origin).
  CSize m_dragSize;
  CSize m_dragOffset;
  DROPEFFECT m_prevDropEffect;
  BOOL m_bDragDataAcceptable;
  int m_nDragFormat = -1;
  CRect m_dragItemRect;
  BOOL m_bDragRectShown = FALSE;
  CDrawList m_selection;
  BOOL m_bShowGrid;
  COLORREF m_crGridColor;
  BOOL m_bShowPageBoundaries;
  BOOL m_bActive;
  CSize m_scaleSize;
  CRect m_visibleDocRect;
  BOOL m_bShowCrossLabels;
  BOOL m_bBirdEyeShown;
  CWnd* m_pBirdEyeWnd;
  CDC m_memDC;
  CBitmap m_memBitmap;
  BOOL m_bScrolling;
  BOOL m_bInitialized;
  CDiagram* m_pDiagram;
  // Set by a derived view to hatch its diagram's background.
  BOOL m_bHatchedBackground;
  int m_nRedrawOffCount;
  // The canvas the scroll position was last set for; SetPageSize finds the
  // document point in the middle of the window through it when the canvas
  // changes.
  CRect m_scrolledCanvas;

  static UINT m_cfObjectDescriptor;

  friend class CBirdEyeWnd;
  DECLARE_MESSAGE_MAP()
};
