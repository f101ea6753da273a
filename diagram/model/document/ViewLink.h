// What the model asks of the user interface: of the views that show its
// diagrams (coordinates, the selection, invalidation, pop-up menus, text
// measuring and editing, update hints), and of the mouse tools whose state
// objects and undo records touch (the wire and polygon in progress).
//
// The model lies below the user interface and never includes its headers;
// these functions are its one way up. They are declared here and defined by
// the user interface (diagram/ui/DrawViewLink.cpp), where `CDrawView` and
// the tools are known. Each does what the named member of the view or tool
// does.
#pragma once

#include <memory>

#include "platform/core/Geometry.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CDC;
class CDiagram;
class CDrawArc;
class CDrawBlock;
class CDrawDoc;
class CDrawList;
class CDrawObj;
class CDrawPoly;
class CDrawPort;
class CDrawView;
class CFont;
class CMenu;
class CObject;
class CPropertyPage;
class CView;
class CWnd;
struct CRuntimeClass;

namespace viewlink {

// The view's diagram and document.
CDiagram* DiagramOf(CDrawView* view);
CDrawDoc* DocumentOf(CDrawView* view);
// The view behind a window or a view of the framework; null when it is not
// a diagram view.
CDrawView* AsDrawView(CWnd* window);
// The view as a view of the framework (null for null).
CView* ViewOf(CDrawView* view);

// Coordinates: document units and client pixels.
void DocToClient(CDrawView* view, CPoint& point);
void DocToClient(CDrawView* view, CRect& rect);
void ClientToDoc(CDrawView* view, CRect& rect);
void ClientToDoc(CDrawView* view, CPoint& point);
// The document rectangle within which a click at the client pixel hits.
CRect SensitivityRect(CDrawView* view, CPoint point);

// The selection and activation.
BOOL IsActive(CDrawView* view);
BOOL IsSelected(CDrawView* view, const CObject* object);
const CDrawList& Selection(CDrawView* view);
void Select(CDrawView* view, CDrawObj* object, int add);
// Whether the view labels the page crossings of wires.
BOOL ShowsCrossLabels(CDrawView* view);

// Painting.
void InvalidateObject(CDrawView* view, CDrawObj* object);
void InvalidateClientRect(CDrawView* view, const CRect& rect);
// The extent of the text drawn from the rectangle's left and top with the
// font in the view's prepared device context (DrawText with DT_CALCRECT).
CRect MeasureText(CDrawView* view, const CStringW& text, CFont* font, UINT format, CRect rect);
// Draws the inverted outline of a document rectangle in the view's window
// (a focus rectangle: drawing it again erases it).
void DrawFocusRect(CDrawView* view, const CRect& rect);
// Whether the system's drawing layer is limited to 16-bit coordinates.
BOOL IsGdi16Bit();

// Whether the view's parent frame is an MDI child frame.
BOOL IsInMdiChildFrame(CDrawView* view);
// The view's runtime class.
const CRuntimeClass* ViewClassOf(CDrawView* view);
// Makes the view show another diagram of its document.
void SwitchToDiagram(CDrawView* view, CDiagram* diagram);

// The sub-menu `index` of the view's pop-up menu, or null.
CMenu* PopupMenu(CDrawView* view, int index);
// Hands a diagram view its update hint; any other object is left alone.
void SendUpdate(CObject* view, CView* sender, LPARAM hint, CObject* hintObject);
// Releases the mouse the view captured.
void ReleaseCapture(CDrawView* view);
// Asks the user for a text in the text dialog over the view, starting from
// `text`; true (and the new text) on OK.
bool EditText(CDrawView* view, CStringW& text);

// The description page of the block's property sheet.
std::unique_ptr<CPropertyPage> NewBlockAboutPage(CDrawBlock* block);

// The wire tool: the wire in progress, and finishing and unfinishing
// wires (0 when there is no tool or it refuses).
CDrawArc* ArcInProgress();
// Makes an incomplete wire the one in progress unless another is drawn
// (0 when it is not taken).
int ResumeArc(CDrawArc* arc);
// Forgets the wire when it is the one in progress.
void ForgetArc(const CDrawArc* arc);
int FinishArc(CDrawPort* port);
int UnFinishArc(CDrawArc* arc, CDrawPort* port);
// The polygon tools forget a polygon that goes while it is being drawn.
void ForgetPoly(const CDrawPoly* poly);

}  // namespace viewlink
