// The view's life, its selection, its coordinates, the mouse and the update
// hints. Painting, zoom and scrolling, pop-up menus, printing and the
// profile live in the DrawView*.cpp files beside this one.
#include "diagram/ui/DrawView.h"

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/DrawHint.h"
#include "diagram/model/objects/DrawItem.h"
#include "diagram/model/objects/DrawOleObj.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/res/DrawViewMenu.h"
#include "diagram/ui/DrawTool.h"
#include "platform/core/Exceptions.h"
#include "platform/ole/OleDropTarget.h"
#include "platform/ui/ClipboardFormats.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/StandardIds.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WndClass.h"

IMPLEMENT_DYNCREATE(CDrawView, CScrollView)

namespace {

// The commands of the view's own that its menus offer.
enum : UINT {
  kCmdViewLastZoom = 57061,
  kCmdViewScaleToFit = 57066,
  kCmdViewBirdeye = 57054,
  kCmdRouteArcs = 57045,
  kCmdOptionsArcRouting = 57041,
  kCmdObjectAvoidPageBoundary = 57027,
  kCmdObjectNest = 57035,
  kCmdEditClear = 57632,
  kCmdEditCopy = 57634,
  kCmdEditCut = 57635,
  kCmdEditPaste = 57637,
  kCmdEditPasteLink = 57638,
  kCmdEditPasteSpecial = 57639,
  kCmdEditSelectAll = 57642,
  kCmdObjectUnnest = 57040,
  kCmdEditUndo = 57643,
  kCmdEditRedo = 57644,
};

}  // namespace

BEGIN_MESSAGE_MAP(CDrawView, CScrollView)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_RBUTTONDOWN()
  ON_COMMAND(kCmdViewLastZoom, OnViewLastZoom)
  ON_UPDATE_COMMAND_UI(kCmdViewLastZoom, OnUpdateViewLastZoom)
  ON_COMMAND(kCmdViewScaleToFit, OnViewScaleToFit)
  ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
  ON_COMMAND(kCmdViewBirdeye, OnViewBirdeye)
  ON_UPDATE_COMMAND_UI(kCmdViewBirdeye, OnUpdateViewBirdeye)
  ON_COMMAND(kCmdRouteArcs, OnRouteArcs)
  ON_COMMAND(kCmdOptionsArcRouting, OnOptionsArcRouting)
  ON_COMMAND(kCmdObjectAvoidPageBoundary, OnObjectAvoidpageboundary)
  ON_UPDATE_COMMAND_UI(kCmdObjectAvoidPageBoundary, OnUpdateObjectAvoidpageboundary)
  // The command ids of the view's menus and tool bars (DrawViewMenu.cpp).
  ON_COMMAND(57020, OnDrawSelect)
  ON_UPDATE_COMMAND_UI(57020, OnUpdateDrawSelect)
  ON_COMMAND(57014, OnDrawLine)
  ON_UPDATE_COMMAND_UI(57014, OnUpdateDrawLine)
  ON_COMMAND(57018, OnDrawRect)
  ON_UPDATE_COMMAND_UI(57018, OnUpdateDrawRect)
  ON_COMMAND(57019, OnDrawRoundRect)
  ON_UPDATE_COMMAND_UI(57019, OnUpdateDrawRoundRect)
  ON_COMMAND(57013, OnDrawEllipse)
  ON_UPDATE_COMMAND_UI(57013, OnUpdateDrawEllipse)
  ON_COMMAND(57016, OnDrawPolygon)
  ON_UPDATE_COMMAND_UI(57016, OnUpdateDrawPolygon)
  ON_COMMAND(57017, OnDrawPolyline)
  ON_UPDATE_COMMAND_UI(57017, OnUpdateDrawPolyline)
  ON_COMMAND(57021, OnDrawText)
  ON_UPDATE_COMMAND_UI(57021, OnUpdateDrawText)
  ON_COMMAND(57011, OnDrawArc)
  ON_UPDATE_COMMAND_UI(57011, OnUpdateDrawArc)
  ON_COMMAND(57015, OnDrawMonitor)
  ON_UPDATE_COMMAND_UI(57015, OnUpdateDrawMonitor)
  ON_COMMAND(57012, OnDrawBlock)
  ON_UPDATE_COMMAND_UI(57012, OnUpdateDrawBlock)
  ON_COMMAND(57070, OnViewZoomSelect)
  ON_UPDATE_COMMAND_UI(57070, OnUpdateViewZoomSelect)
  ON_COMMAND(57093, OnCfbNew)
  ON_COMMAND(kCmdEditSelectAll, OnEditSelectAll)
  ON_UPDATE_COMMAND_UI(kCmdEditSelectAll, OnUpdateEditSelectAll)
  ON_COMMAND(kCmdEditClear, OnEditClear)
  ON_UPDATE_COMMAND_UI(kCmdEditClear, OnUpdateEditClear)
  ON_COMMAND(kCmdEditCopy, OnEditCopy)
  ON_UPDATE_COMMAND_UI(kCmdEditCopy, OnUpdateEditCopy)
  ON_COMMAND(kCmdEditCut, OnEditCut)
  ON_UPDATE_COMMAND_UI(kCmdEditCut, OnUpdateEditClear)
  ON_COMMAND(kCmdEditPaste, OnEditPaste)
  ON_UPDATE_COMMAND_UI(kCmdEditPaste, OnUpdateEditPaste)
  ON_UPDATE_COMMAND_UI(kCmdEditPasteLink, OnUpdateEditPasteLink)
  ON_UPDATE_COMMAND_UI(kCmdEditPasteSpecial, OnUpdateEditPasteSpecial)
  ON_COMMAND(57022, OnEditProperties)
  ON_UPDATE_COMMAND_UI(57022, OnUpdateEditProperties)
  ON_UPDATE_COMMAND_UI(kCmdViewScaleToFit, OnUpdateViewScaleToFit)
  ON_UPDATE_COMMAND_UI(57028, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57030, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57080, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57071, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57072, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57073, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57074, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57075, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57076, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57077, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57081, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57082, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57083, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57084, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57085, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57086, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57087, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57088, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57089, OnUpdateAnyNonGroupOrOLE)
  ON_UPDATE_COMMAND_UI(57090, OnUpdateAnyNonGroupOrOLE)
  ON_COMMAND(57071, OnObjectLineTypeSolid)
  ON_COMMAND(57072, OnObjectLineTypeDash)
  ON_COMMAND(57073, OnObjectLineTypeDot)
  ON_COMMAND(57074, OnObjectLineTypeDashdot)
  ON_COMMAND(57075, OnObjectLineTypeDashdotdot)
  ON_COMMAND(57076, OnObjectLineTypeNull)
  ON_COMMAND(57077, OnObjectLineTypeInsideframe)
  ON_COMMAND(57081, OnObjectHsHorizontal)
  ON_COMMAND(57082, OnObjectHsVertical)
  ON_COMMAND(57083, OnObjectHsFdiagonal)
  ON_COMMAND(57084, OnObjectHsBdiagonal)
  ON_COMMAND(57085, OnObjectHsCross)
  ON_COMMAND(57086, OnObjectHsDiagcross)
  ON_COMMAND(57087, OnObjectHsNone)
  ON_COMMAND(57088, OnObjectTransparent)
  ON_COMMAND(57089, OnObjectOpaque)
  ON_COMMAND(57090, OnObjectLineWeight)
  ON_COMMAND(57078, OnObjectToggleUsehatch)
  ON_UPDATE_COMMAND_UI(57078, OnUpdateObjectToggleUsehatch)
  ON_COMMAND(57079, OnObjectToggleUsefill)
  ON_UPDATE_COMMAND_UI(57079, OnUpdateObjectToggleUsefill)
  ON_COMMAND(57031, OnObjectMoveBack)
  ON_UPDATE_COMMAND_UI(57031, OnUpdateSingleSelect)
  ON_COMMAND(57032, OnObjectMoveForward)
  ON_UPDATE_COMMAND_UI(57032, OnUpdateSingleSelect)
  ON_COMMAND(57033, OnObjectMoveToBack)
  ON_UPDATE_COMMAND_UI(57033, OnUpdateAnySelect)
  ON_COMMAND(57034, OnObjectMoveToFront)
  ON_UPDATE_COMMAND_UI(57034, OnUpdateAnySelect)
  ON_COMMAND(57029, OnObjectGroup)
  ON_UPDATE_COMMAND_UI(57029, OnUpdateObjectGroup)
  ON_COMMAND(57038, OnObjectRegroup)
  ON_UPDATE_COMMAND_UI(57038, OnUpdateObjectReGroup)
  ON_COMMAND(57039, OnObjectUngroup)
  ON_UPDATE_COMMAND_UI(57039, OnUpdateObjectUngroup)
  ON_COMMAND(57043, OnPolypointAddsegment)
  ON_UPDATE_COMMAND_UI(57043, OnUpdatePolypointAddsegment)
  ON_COMMAND(57044, OnPolypointRemovesegment)
  ON_UPDATE_COMMAND_UI(57044, OnUpdatePolypointRemovesegment)
  ON_COMMAND(57046, OnScale150)
  ON_UPDATE_COMMAND_UI(57046, OnUpdateScale150)
  ON_COMMAND(57047, OnScale200)
  ON_UPDATE_COMMAND_UI(57047, OnUpdateScale200)
  ON_COMMAND(57048, OnScale25)
  ON_UPDATE_COMMAND_UI(57048, OnUpdateScale25)
  ON_COMMAND(57049, OnScale300)
  ON_UPDATE_COMMAND_UI(57049, OnUpdateScale300)
  ON_COMMAND(57050, OnScale400)
  ON_UPDATE_COMMAND_UI(57050, OnUpdateScale400)
  ON_COMMAND(57051, OnScale50)
  ON_UPDATE_COMMAND_UI(57051, OnUpdateScale50)
  ON_COMMAND(57062, OnViewNormalSize)
  ON_UPDATE_COMMAND_UI(57062, OnUpdateViewNormalSize)
  ON_COMMAND(57065, OnViewRefresh)
  ON_COMMAND(57068, OnViewZoomIn)
  ON_UPDATE_COMMAND_UI(57068, OnUpdateViewZoomIn)
  ON_COMMAND(57069, OnViewZoomOut)
  ON_UPDATE_COMMAND_UI(57069, OnUpdateViewZoomOut)
  ON_COMMAND(57010, OnDiagramOpenTop)
  ON_UPDATE_COMMAND_UI(57010, OnUpdateDiagramOpenTop)
  ON_COMMAND(57009, OnDiagramOpenParent)
  ON_UPDATE_COMMAND_UI(57009, OnUpdateDiagramOpenParent)
  ON_COMMAND(57091, OnDiagramBlockProperties)
  ON_UPDATE_COMMAND_UI(57091, OnUpdateDiagramBlockProperties)
  ON_COMMAND(57008, OnCfbOpen)
  ON_COMMAND(57023, OnFbAddInPort)
  ON_UPDATE_COMMAND_UI(57023, OnUpdateFbAddInPort)
  ON_COMMAND(57024, OnFbAddOutPort)
  ON_UPDATE_COMMAND_UI(57024, OnUpdateFbAddOutPort)
  ON_COMMAND(kCmdObjectNest, OnObjectNest)
  ON_UPDATE_COMMAND_UI(kCmdObjectNest, OnUpdateObjectNest)
  ON_COMMAND(kCmdObjectUnnest, OnObjectUnnest)
  ON_UPDATE_COMMAND_UI(kCmdObjectUnnest, OnUpdateObjectUnnest)
  // Display, colours, grid, undo and redo (DrawViewDisplay.cpp); canvas
  // size and custom zoom (DrawViewCanvas.cpp).
  ON_COMMAND(57060, OnViewGrid)
  ON_UPDATE_COMMAND_UI(57060, OnUpdateViewGrid)
  ON_COMMAND(57063, OnViewPageborder)
  ON_UPDATE_COMMAND_UI(57063, OnUpdateViewPageborder)
  ON_COMMAND(57057, OnViewCrosslabels)
  ON_UPDATE_COMMAND_UI(57057, OnUpdateViewCrosslabels)
  ON_COMMAND(57092, OnViewGridColor)
  ON_COMMAND(57064, OnViewPaperColor)
  ON_COMMAND(57053, OnSnapToGrid)
  ON_UPDATE_COMMAND_UI(57053, OnUpdateSnapToGrid)
  ON_COMMAND(57052, OnSnapGridSize)
  ON_COMMAND(57028, OnObjectFillColor)
  ON_COMMAND(57030, OnObjectLineColor)
  ON_COMMAND(57080, OnObjectHatchColor)
  ON_COMMAND(kCmdEditUndo, OnEditUndo)
  ON_UPDATE_COMMAND_UI(kCmdEditUndo, OnUpdateEditUndo)
  ON_COMMAND(kCmdEditRedo, OnEditRedo)
  ON_UPDATE_COMMAND_UI(kCmdEditRedo, OnUpdateEditRedo)
  ON_COMMAND(57056, OnViewCanvassize)
  ON_COMMAND(57058, OnViewCustom)
  ON_UPDATE_COMMAND_UI(57058, OnUpdateViewCustom)
  ON_WM_SETFOCUS()
  // OLE objects and descriptions (DrawViewOle.cpp).
  ON_COMMAND(57856, OnInsertObject)
  ON_COMMAND(kCmdEditPasteSpecial, OnEditPasteSpecial)
  ON_COMMAND(kCmdEditPasteLink, OnEditPasteLink)
  ON_COMMAND(57067, OnViewShowObjects)
  ON_UPDATE_COMMAND_UI(57067, OnUpdateViewShowObjects)
  ON_COMMAND(57006, OnCancelEditCntr)
  ON_COMMAND(57007, OnBlockAbout)
  ON_UPDATE_COMMAND_UI(57007, OnUpdateBlockAbout)
END_MESSAGE_MAP()

UINT CDrawView::m_cfObjectDescriptor = 0;

void CDrawView::OnUpdateViewLastZoom(CCmdUI* cmdUI) { cmdUI->Enable(TRUE); }

namespace {

// The scale at which a document unit is a hundredth of an inch.
constexpr int kFullScale = 5000;

// The hints that name no work for the view (see OnUpdate).
bool IsIgnoredHint(LPARAM hint) {
  if (hint < 1 || hint > 33) return true;
  return (hint >= 3 && hint <= 9) || (hint >= 15 && hint <= 19) || (hint >= 22 && hint <= 29);
}

enum : LPARAM {
  kHintShowItems = 1,
  kHintSelection = 30,
  kHintDeleting = 31,
  kHintRedrawOff = 32,
  kHintRedrawOn = 33,
};

}  // namespace

CDrawView::CDrawView()
    : m_nPopupMenuId(kDrawViewMenu),
      m_bCapture(FALSE),
      m_pDropTarget(nullptr),
      m_prevDropEffect(DROPEFFECT_NONE),
      m_bDragDataAcceptable(FALSE),
      m_bShowGrid(c_bShowGrid),
      m_crGridColor(c_crGridColor),
      m_bShowPageBoundaries(TRUE),
      m_bActive(FALSE),
      m_scaleSize(kFullScale, kFullScale),
      m_bShowCrossLabels(FALSE),
      m_bBirdEyeShown(FALSE),
      m_pBirdEyeWnd(nullptr),
      m_bScrolling(FALSE),
      m_bInitialized(FALSE),
      m_pDiagram(nullptr),
      m_bHatchedBackground(FALSE),
      m_nRedrawOffCount(0),
      m_scrolledCanvas(0, 0, 0, 0) {
  if (!m_cfObjectDescriptor) m_cfObjectDescriptor = ::RegisterClipboardFormat(u"Object Descriptor");
  // Until a scale is set the canvas allows any.
  m_canvasScaleLimits = CSize(GetScaleMaxSize(), GetScaleMaxSize());
}

CDrawView::~CDrawView() {
  if (m_pDiagram) m_pDiagram->RemoveViewRef(this);
  delete m_pDropTarget;
}

CDrawDoc* CDrawView::GetDocument() const { return static_cast<CDrawDoc*>(m_pDocument); }

int CDrawView::GetScaleMinSize() const { return 250; }

int CDrawView::GetScaleMaxSize() const { return 20000; }

int CDrawView::GetScaleIncrementSize() const { return 500; }

CWnd* CDrawView::SetCapture() {
  m_bCapture = TRUE;
  return CWnd::SetCapture();
}

void CDrawView::ReleaseCapture() {
  m_bCapture = FALSE;
  ::ReleaseCapture();
}

BOOL CDrawView::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CScrollView::PreCreateWindow(cs)) return FALSE;
  // Double clicks reach the tools.
  cs.lpszClass = AfxRegisterWndClassW(CS_DBLCLKS);
  return TRUE;
}

int CDrawView::OnCreate(LPCREATESTRUCT cs) {
  if (CScrollView::OnCreate(cs) == -1) return -1;
  CClientDC dc(this);
  if (!m_memDC.CreateCompatibleDC(&dc)) return -1;
  if (!m_pDropTarget) m_pDropTarget = new COleDropTarget;
  if (!m_pDropTarget->Register(this)) return -1;
  return 0;
}

void CDrawView::OnDestroy() {
  // An item being edited in place in this view is saved before its window
  // goes with the view's.
  if (CDrawDoc* document = GetDocument()) {
    if (COleClientItem* item = document->GetInPlaceActiveItem(this)) item->Deactivate();
  }
  // The window's end is the view's end as the diagram sees it.
  if (m_pDiagram) m_pDiagram->RemoveViewRef(this);
  m_pDiagram = nullptr;
  if (m_pDropTarget) m_pDropTarget->Revoke();
  CScrollView::OnDestroy();
}

void CDrawView::OnSize(UINT type, int cx, int cy) {
  CScrollView::OnSize(type, cx, cy);
  if (!m_memDC.GetSafeHdc() || cx <= 0 || cy <= 0) return;
  // The off-screen bitmap always has the client area's size; the old one
  // leaves the memory context before it goes.
  CClientDC dc(this);
  CBitmap bitmap;
  if (!bitmap.CreateCompatibleBitmap(&dc, cx, cy)) return;
  m_memDC.SelectObject(&bitmap);
  m_memBitmap.DeleteObject();
  m_memBitmap.Attach(bitmap.Detach());
  UpdateActiveItem();
}

void CDrawView::PostNcDestroy() {
  DestroyBirdEye();
  CScrollView::PostNcDestroy();
}

BOOL CDrawView::PreTranslateMessage(MSG* msg) {
  const bool shiftF10 = (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && msg->wParam == VK_F10 &&
                        ::GetKeyState(VK_SHIFT) < 0;
  if (shiftF10 || msg->message == WM_CONTEXTMENU) {
    OnKeyboardPopUpMenu();
    return TRUE;
  }
  return CScrollView::PreTranslateMessage(msg);
}

// --- The mouse: the active tool hears it while the view is active.

void CDrawView::OnLButtonDown(UINT flags, CPoint point) {
  CDrawTool* tool = CDrawTool::GetActiveTool();
  if (m_bActive && tool) tool->OnLButtonDown(this, flags, point);
}

void CDrawView::OnLButtonUp(UINT flags, CPoint point) {
  CDrawTool* tool = CDrawTool::GetActiveTool();
  if (m_bActive && tool) tool->OnLButtonUp(this, flags, point);
}

void CDrawView::OnLButtonDblClk(UINT flags, CPoint point) {
  CDrawTool* tool = CDrawTool::GetActiveTool();
  if (m_bActive && tool) tool->OnLButtonDblClk(this, flags, point);
}

void CDrawView::OnMouseMove(UINT flags, CPoint point) {
  m_bScrolling = FALSE;
  CDrawTool* tool = CDrawTool::GetActiveTool();
  if (!tool) return;
  if (m_bActive) {
    tool->OnMouseMove(this, flags, point);
  } else if (tool->GetToolCursor()) {
    ::SetCursor(tool->GetToolCursor());
  }
}

void CDrawView::OnRButtonDown(UINT flags, CPoint point) {
  CDrawTool* tool = CDrawTool::GetActiveTool();
  if (m_bActive && tool) tool->OnRButtonDown(this, flags, point);
}

// --- The selection.

void CDrawView::Select(CDrawObj* object, int add) {
  if (!add) {
    OnUpdate(nullptr, kHintSelection, nullptr);
    m_selection.RemoveAll();
  }
  if (!object || IsSelected(object) || !object->Selectable()) return;
  m_selection.AddTail(object);
  InvalObj(object);
}

void CDrawView::Deselect(CDrawObj* object) {
  if (!IsSelected(object)) return;
  InvalObj(object);
  m_selection -= object;
}

void CDrawView::Remove(CDrawObj* object) { m_selection -= object; }

BOOL CDrawView::IsSelected(const CObject* object) const {
  // An OLE item stands for its drawing object. The pointer may name an
  // object already gone: it is only compared, never followed.
  if (CDrawItem* item = CDrawItem::FromObject(object)) object = item->GetDrawObj();
  return object && m_selection.Find(const_cast<CObject*>(object)) != nullptr;
}

void CDrawView::SelectWithinRect(CRect rect, int add) {
  CWaitCursor wait;
  if (!add) Select(nullptr, 0);
  if (!m_pDiagram) return;
  ClientToDoc(rect);
  CDrawList found;
  m_pDiagram->GetObjectsInRect(rect, found);
  for (POSITION pos = found.GetHeadPosition(); pos;) {
    CDrawObj* object = found.GetNext(pos);
    if (object->Selectable()) Select(object, 1);
  }
}

void CDrawView::ToggleSelectWithinRect(CRect rect) {
  CWaitCursor wait;
  if (!m_pDiagram) return;
  ClientToDoc(rect);
  CDrawList found;
  m_pDiagram->GetObjectsInRect(rect, found);
  for (POSITION pos = found.GetHeadPosition(); pos;) {
    CDrawObj* object = found.GetNext(pos);
    if (IsSelected(object)) {
      Deselect(object);
    } else if (object->Selectable()) {
      Select(object, 1);
    }
  }
}

void CDrawView::InvalObj(CDrawObj* object) { object->ViewInvalidate(this); }

void CDrawView::InvalidateObjects(const CObList* objects) {
  const CObList& list = objects ? *objects : m_selection;
  for (POSITION pos = list.GetHeadPosition(); pos;) InvalObj(static_cast<CDrawObj*>(list.GetNext(pos)));
}

// --- Binding to a diagram.

void CDrawView::OnInitialUpdate() {
  CDrawDoc* document = GetDocument();
  CDiagram* diagram = document ? document->GetActiveDiagram() : nullptr;
  if (diagram != m_pDiagram) {
    if (m_pDiagram) m_pDiagram->RemoveViewRef(this);
    m_pDiagram = diagram;
    if (m_pDiagram) m_pDiagram->AddViewRef(this);
  }
  SetPageSize();
  m_selection.RemoveAll();
  m_bInitialized = TRUE;
  if (!m_pDiagram) return;
  if (c_uNewViewScalePercent == 0) {
    OnViewScaleToFit();
  } else {
    const long long wanted = static_cast<long long>(c_uNewViewScalePercent) * 50;
    const int scale = static_cast<int>(wanted < GetScaleMaxSize() ? wanted : GetScaleMaxSize());
    ScaleAndScroll(CSize(scale, scale), CPoint(0, 0));
  }
}

void CDrawView::SwitchToDiagram(CDiagram* diagram) {
  CDrawDoc* document = GetDocument();
  if (!document) return;
  if (COleClientItem* item = document->GetInPlaceActiveItem(this)) item->Deactivate();
  if (m_pDiagram) m_pDiagram->RemoveViewRef(this);
  m_pDiagram = nullptr;
  CDiagram* current = document->GetActiveDiagram();
  document->SetActiveDiagram(diagram);
  OnInitialUpdate();
  if (!m_bActive) document->SetActiveDiagram(current);
}

void CDrawView::OnActivateView(BOOL activate, CView* activated, CView* deactivated) {
  CScrollView::OnActivateView(activate, activated, deactivated);
  const BOOL active = activate ? TRUE : FALSE;
  if (active == m_bActive) return;
  if (active) {
    if (m_pDiagram && GetDocument()) GetDocument()->SetActiveDiagram(m_pDiagram);
    // A gesture that held the mouse when the view lost it takes it back.
    if (m_bCapture && !CWnd::GetCapture()) CWnd::SetCapture();
  }
  if (!m_selection.IsEmpty()) OnUpdate(nullptr, kHintSelection, nullptr);
  m_bActive = active;
}

// --- Coordinates.

void CDrawView::ClientToDoc(CPoint& point) {
  CClientDC dc(this);
  OnPrepareDC(&dc, nullptr);
  dc.DPtoLP(&point);
}

void CDrawView::ClientToDoc(CRect& rect) {
  CClientDC dc(this);
  OnPrepareDC(&dc, nullptr);
  dc.DPtoLP(rect);
}

void CDrawView::DocToClient(CPoint& point) {
  CClientDC dc(this);
  OnPrepareDC(&dc, nullptr);
  dc.LPtoDP(&point);
}

void CDrawView::DocToClient(CRect& rect) {
  CClientDC dc(this);
  OnPrepareDC(&dc, nullptr);
  dc.LPtoDP(rect);
  rect.NormalizeRect();
}

CRect CDrawView::GetDocSenstivityRectForClientPoint(CPoint point) {
  int side = c_nSelectionProximity;
  if (m_scaleSize.cx > kFullScale) side = side * m_scaleSize.cx / kFullScale;
  const int left = point.x - side / 2;
  const int top = point.y - side / 2;
  CRect rect(left, top, left + side, top + side);
  ClientToDoc(rect);
  rect.NormalizeRect();
  if (rect.Width() == 0) rect.right = rect.left + 1;
  if (rect.Height() == 0) rect.bottom = rect.top + 1;
  return rect;
}

CRect CDrawView::GetDiagramRect() const {
  if (!m_pDiagram) return CRect(0, 0, 0, 0);
  CRect rect = m_pDiagram->GetRect();
  rect.NormalizeRect();
  return rect;
}

// --- Update hints.

void CDrawView::OnUpdate(CView*, LPARAM hint, CObject* hintObject) {
  if (!m_bInitialized) return;
  const bool fromDiagram = hintObject && hintObject->IsKindOf(RUNTIME_CLASS(CDrawHint));
  if (fromDiagram) {
    auto* drawHint = static_cast<CDrawHint*>(hintObject);
    // A diagram's hints concern only the views that show it.
    if (drawHint->GetDiagram() != m_pDiagram) return;
    hintObject = drawHint->GetOther();
  }
  if (hint == 0) {
    if (!hintObject) {
      Invalidate(FALSE);
      InvalidateBirdEye();
    }
    return;
  }
  if (IsIgnoredHint(hint)) return;
  switch (hint) {
    case kHintShowItems:
      // The OLE objects' outlines were switched on or off.
      if (!m_pDiagram) break;
      for (POSITION pos = m_pDiagram->GetObjects().GetHeadPosition(); pos;) {
        CDrawObj* object = m_pDiagram->GetObjects().GetNext(pos);
        if (object->IsKindOf(RUNTIME_CLASS(CDrawOleObj))) InvalObj(object);
      }
      break;
    case CDrawHint::printerPageSizeChanged: {
      if (!m_pDiagram) break;
      int across = 0;
      int down = 0;
      m_pDiagram->GetMinPagesToCover(m_pDiagram->ComputeDrawingExtent(), m_pDiagram->GetCanvasMode(),
                                     m_pDiagram->IsUpwardPositive(), across, down);
      m_pDiagram->ComputePageSize();
      const CSize pages = m_pDiagram->GetCanvasSize();
      if (across > pages.cx || down > pages.cy) m_pDiagram->HandleObjectsBeyondCanvas(1, 0);
      break;
    }
    case CDrawHint::paperColorChanged:
      Invalidate(FALSE);
      break;
    case CDrawHint::gridChanged:
      if (m_bShowGrid) Invalidate(FALSE);
      break;
    case CDrawHint::canvasSizeChanged:
      if (fromDiagram) SetPageSize();
      break;
    case CDrawHint::diagramDestroyed:
      if (!fromDiagram) break;
      // A view that lets go of its diagram also leaves its list of views.
      if (m_pDiagram) m_pDiagram->RemoveViewRef(this);
      m_pDiagram = nullptr;
      m_selection.RemoveAll();
      if (CFrameWnd* frame = GetParentFrame()) frame->PostMessage(WM_CLOSE);
      break;
    case CDrawHint::contentsCleared:
      m_selection.RemoveAll();
      Invalidate(FALSE);
      break;
    case CDrawHint::objectChanged:
      if (hintObject && hintObject->IsKindOf(RUNTIME_CLASS(CDrawObj))) InvalObj(static_cast<CDrawObj*>(hintObject));
      break;
    case CDrawHint::objectRemoved:
      if (hintObject && hintObject->IsKindOf(RUNTIME_CLASS(CDrawObj))) m_selection -= static_cast<CDrawObj*>(hintObject);
      break;
    case kHintSelection:
      InvalidateObjects(DYNAMIC_DOWNCAST(CObList, hintObject));
      break;
    case kHintDeleting: {
      const CObList* objects = DYNAMIC_DOWNCAST(CObList, hintObject);
      InvalidateObjects(objects);
      if (objects) {
        m_selection -= *objects;
      } else {
        m_selection.RemoveAll();
      }
      break;
    }
    case kHintRedrawOff:
      SetWindowRedraw(false);
      break;
    case kHintRedrawOn:
      SetWindowRedraw(true);
      Invalidate(FALSE);
      break;
    default:
      break;
  }
  // The overview shows the same change.
  if (hint >= CDrawHint::paperColorChanged && hint != CDrawHint::canvasSizeChanged &&
      hint != CDrawHint::diagramDestroyed) {
    InvalidateBirdEye();
  }
}

void CDrawView::SetWindowRedraw(bool redraw) {
  if (!redraw) {
    if (m_nRedrawOffCount == 0) SendMessage(WM_SETREDRAW, FALSE);
    ++m_nRedrawOffCount;
    return;
  }
  --m_nRedrawOffCount;
  if (m_nRedrawOffCount < 1) {
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate(TRUE);
    m_nRedrawOffCount = 0;
  }
}

