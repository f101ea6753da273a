// COleDropTarget: makes a window a place where a drag (DragDrop.h) may drop
// data. While registered, the drag loop tells it when the mouse enters,
// moves over, leaves or drops on its window; by default a view's window
// passes each to the view (CView::OnDragEnter, ...) and any other window
// accepts nothing.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/ole/DropEffect.h"
#include "platform/ui/CmdTarget.h"

class COleDataObject;
class CWnd;

class COleDropTarget : public CCmdTarget {
  DECLARE_DYNAMIC(COleDropTarget)

 public:
  COleDropTarget() = default;
  // Revokes a registration still in force.
  ~COleDropTarget() override;

  // FALSE when `window` is not a window, is registered already (by any
  // target) or this target is registered elsewhere.
  BOOL Register(CWnd* window);
  virtual void Revoke();
  BOOL IsRegistered() const { return m_hWnd != nullptr; }

  // The points are in the window's client coordinates.
  virtual DROPEFFECT OnDragEnter(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point);
  virtual void OnDragLeave(CWnd* window);
  virtual BOOL OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point);
  // Asked first on a drop: (DROPEFFECT)-1 lets OnDrop decide (the default).
  virtual DROPEFFECT OnDropEx(CWnd* window, COleDataObject* data, DROPEFFECT defaultEffect, DROPEFFECT effects,
                              CPoint point);

  // The target registered for `window`, or null.
  static COleDropTarget* FromHandle(HWND window);

 protected:
  HWND m_hWnd = nullptr;
};
