// CSelectTool: the tool that selects, moves and reshapes objects and
// selects with a rubber band. A handle drag is one undo entry
// ("Reshaping"), a move another ("Reposition"); a click that moves nothing
// records nothing.
#pragma once

#include <vector>

#include "diagram/ui/DrawTool.h"

class CDrawDoc;
class CDrawList;
class CDrawObj;

class CSelectTool : public CDrawTool {
 public:
  CSelectTool();

  void OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnLButtonDblClk(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnRButtonDown(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnCancel(CDrawView* view) override;

  // The steps of a native move of the list, from the start point (document
  // units).
  virtual void OnInitializeNativeMove(const CDrawList& objects, const CPoint& start, CDrawView* view);
  // The offset the objects may move by toward the document point, kept
  // within the diagram's bounds.
  virtual CPoint OnGetDeltaNativeMove(const CPoint& point, CDrawView* view);
  virtual void OnPrepareNativeMove(const CDrawList& objects, CDrawView* view);
  virtual void OnDoDeltaNativeMove(const CDrawList& objects, const CPoint& delta, CDrawView* view);
  virtual void OnFinalizeNativeMove(const CDrawList& objects, CDrawView* view);
  virtual void OnCancelNativeMove(const CDrawList& objects, CDrawView* view);
  virtual void OnOleDragAndDrop(const CDrawList& objects, CDrawView* view);

  // Starts a move of the selection from the document point; `wasSelected`
  // tells whether the object under it was already selected.
  void StartMoveFrom(const CPoint& point, int wasSelected);

  // The rectangle that encloses the moved objects, empty before the first
  // movement; the document point the move has reached; the document point
  // where a rubber band started.
  static CRect c_moveBoundingRect;
  static CPoint c_moveStart;
  static CPoint InitialPoint;

 protected:
  // The objects a move takes: the selection with the components of its
  // elements and the wires between them, without what may not be dragged;
  // wires first when `arcsFirst`.
  static void GetMoveList(CDrawView* view, CDrawList& objects, bool arcsFirst);
  // The objects a finished or cancelled move settles: the selection without
  // components and what may not be dragged.
  static void GetMovedList(CDrawView* view, CDrawList& objects);
  // Draws the rubber band from InitialPoint to the client point (XOR).
  static void DrawNetRect(CDrawView* view, const CPoint& to);

  BOOL m_bWasSelected;

 private:
  // The reshaped object as the press found it: a release that leaves its
  // outline and every handle as they were drops the recording, so that a
  // handle drag that changed nothing (snapped back, held at the canvas edge)
  // leaves no entry whose undo has nothing to redo.
  CRect m_reshapeStartPosition;
  std::vector<CPoint> m_reshapeStartHandles;
  bool ReshapeChangedNothing(CDrawObj* sole, CDrawDoc* document) const;
  // Whether the reshape's route batch is still this tool's to close: a
  // wire's end pulled off its port hands the gesture to the wire tool,
  // which closes the batch itself.
  bool m_reshapeRouteBatchOpen = false;
};
