// CArcTool: the tool that draws a wire from port to port. The host starts a
// wire with the four-argument press on a port; further presses add bends,
// a press on another port finishes it. Only one wire is in progress at a
// time, process-wide, as the tool itself is a singleton.
#pragma once

#include "diagram/ui/DrawTool.h"
#include "platform/core/Object.h"

class CDrawArc;
class CDrawPort;

class CArcTool : public CDrawTool {
 public:
  // `snap`: the rubber point snaps to the grid (the singleton's is 1).
  explicit CArcTool(int snap);

  void OnLButtonDblClk(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnRButtonDown(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnCancel(CDrawView* view) override;

  // A press through the view only takes the mouse; wires are started and
  // continued by the host's press below.
  using CDrawTool::OnLButtonDown;
  // Starts a wire of the class at the port under the point, adds a bend, or
  // finishes the wire at a port.
  virtual void OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point, CRuntimeClass* kind);

  // Attaches the free end of the wire in progress to the port, as one undo
  // step ("Finish Arc"); false when a rule or the recording refuses.
  int FinishArc(CDrawPort* port);
  // Detaches the wire's end at the port and makes the wire the one in
  // progress of the active arc tool; false unless the wire is complete and
  // ends at the port, or when the recording refuses.
  int UnFinishArc(CDrawArc* arc, CDrawPort* port);

  CDrawArc* GetArcInProgress() const { return m_pArcInProgress; }
  // A wire leaves the tool when it is deleted or destroyed, and an undeleted
  // unfinished wire becomes the one in progress when none is.
  void ForgetArc(const CDrawArc* arc) {
    if (m_pArcInProgress == arc) m_pArcInProgress = nullptr;
  }
  void ResumeArc(CDrawArc* arc) {
    if (!m_pArcInProgress) m_pArcInProgress = arc;
  }
  // The class of the wires the tool makes: CDrawArc or a class derived from
  // it (anything else is refused).
  int SetKindOfArcToCreate(CRuntimeClass* kind);
  CRuntimeClass* GetKindOfArcToCreate() const { return m_pKindOfArc; }
  // Marks the wire in progress as one whose points do not follow the held
  // button (pencil drawing) until the button is released; a wire so marked
  // at the release keeps its records when it is cancelled. A new wire
  // starts unmarked.
  void SetNoPencilForArcInProgress(BOOL noPencil) { m_bNoPencil = noPencil; }

  // The cursors of pencil drawing and of the pointer over a port that takes
  // the wire. An id of 0 keeps the current cursor (true); a failed load
  // keeps it and returns false.
  int LoadCursorForToolInPencilMode(unsigned id, int system);
  int LoadCursorForToolWhenOverPort(unsigned id, int system);
  HCURSOR GetPencilCursor() const { return m_hPencilCursor; }
  HCURSOR GetOverPortCursor() const { return m_hOverPortCursor; }

  // The cursor resources of the tool.
  static constexpr unsigned kArcCursor = 28107;
  static constexpr unsigned kOverPortCursor = 28136;

 protected:
  // Loads the tool's own cursors the first time the mouse moves.
  void LoadCursorsOnFirstUse();
  // Squares the wire's last segment to the end point at the port.
  static void SquareLastSegment(CDrawArc* arc, CDrawView* view);
  // Closes the outer recording of a wire started in capture mode that left
  // the tool (deleted or destroyed) before it was finished or cancelled.
  void CloseForgottenRecording();

  CDrawArc* m_pArcInProgress = nullptr;
  // Set when the records of a cancelled wire are kept for undo.
  BOOL m_bKeepRecords = FALSE;
  HCURSOR m_hPencilCursor = nullptr;
  HCURSOR m_hOverPortCursor = nullptr;
  HCURSOR m_hRefusedCursor = nullptr;
  CRuntimeClass* m_pKindOfArc;
  int m_bSnap;
  BOOL m_bNoPencil = FALSE;
  BOOL m_bCursorsLoaded = FALSE;
  // The window of the view whose outer recording ("Add Arc/Link", capture
  // mode) the wire this tool started holds open; the view is found by it,
  // and it outlives the wire, which may be destroyed meanwhile.
  HWND m_hRecordingView = nullptr;
};
