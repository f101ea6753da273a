// The root of every interactive drafting command. A command is created by
// the host, pushed on a CCmdStack and from then on receives the view's
// mouse, key, character and typed-text events through the stack. The base
// owns the prompts, the points taken so far, the cursor point and its
// snapping, the coordinate readout, the key counters and the done flags,
// and gives default handlers that commands override; a command does its
// work in Execute, which runs once as many points as it asks for are taken.
#pragma once

#include <memory>
#include <vector>

#include "draft/host/DraftView.h"
#include "draft/host/EntityList.h"
#include "draft/host/PointRec.h"
#include "draft/host/TextAttrib.h"
#include "platform/core/Geometry.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"

class CCmdStack;
class CDrawingGroup;
class CEntity;

// The message posted to the thread's queue when a command object is destroyed.
inline constexpr UINT WM_CMD_DESTROYED = 0x0400 + 3000;

class CCmdBase {
 public:
  CCmdBase(int id, CDraftView* view);
  CCmdBase(const CCmdBase&) = delete;
  CCmdBase& operator=(const CCmdBase&) = delete;

  // ---- Virtual operations, in slot order.
  virtual int SnapKeyEnd(CPoint dp, UINT flags, CDraftView* view, DWORD& outX, DWORD& outY);
  virtual int SnapKeyHome(CPoint dp, UINT flags, CDraftView* view, DWORD& outX, DWORD& outY);
  virtual int SnapKeyPageDown(CPoint dp, UINT flags, CDraftView* view, DWORD& outX, DWORD& outY);
  virtual int SnapKeyPageUp(CPoint dp, UINT flags, CDraftView* view, DWORD& outX, DWORD& outY);
  // True makes the stack end the command on an outside interrupt.
  virtual int OnInterrupt(CDraftView* arg);
  virtual int IsViewCommand();
  virtual void OnSelectionChanged(CDraftView* view, int flag);
  // Runs whenever the command becomes the top of the stack again.
  virtual void Resume();
  virtual ~CCmdBase();
  virtual CString GetPrompt();
  virtual CString GetStatusText();
  virtual int IsPointInput();
  virtual int MarksPoints();
  // 1 lets the stack activate the command; 0 makes the stack delete it.
  virtual int Begin(CDraftView* view);
  virtual int OnChar(CPoint dp, UINT ch, UINT repeat, UINT flags, CDraftView* view);
  virtual int OnKeyDown(CPoint dp, UINT key, UINT repeat, UINT flags, CDraftView* view);
  virtual void OnShiftKey(CDraftView* view);
  virtual void OnCtrlKey(CDraftView* view);
  virtual void OnTabKey(CDraftView* view);
  virtual int OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter);
  virtual int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y);
  virtual int OnOtherChar(CDraftView* view, UINT ch, UINT flags, double& x, double& y);
  virtual int IsDoneAfterClick();
  virtual int IsDoneAfterKey();
  virtual int DrawPreview(CDraftView* view);
  virtual int UpdateCoordText(CDraftView* view);
  virtual void Execute(CDraftView* view);
  virtual int End(CDraftView* view);
  // True: the stack ends the command.
  virtual int OnRButton(CDraftView* view);
  virtual void PrepareRButton(UINT flags, CPoint dp, CDraftView* view);
  virtual int OnMouseMove(UINT flags, CPoint dp, CDraftView* view);
  virtual int OnLButton(UINT flags, CPoint dp, CDraftView* view);
  virtual int SnapPoint(PointRec& cursor, UINT flags, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY);
  virtual void OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY);
  virtual int LocatePoint(PointRec& cursor, UINT flags, CPoint dp, CDraftView* view);
  virtual CEntity* AddTextEntityEx(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group,
                                   CString text, double x, double y, const CTextAttrib& attr);
  virtual CEntity* AddTextEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group,
                                 CString text, double x, double y, double height, double angle, int alignment,
                                 int style);
  virtual int SplitByComma(const CString& text, CStringArray& out);
  virtual int OnTypedPoint(CDraftView* view, const char* text);
  virtual void DrawEntityXor(CDraftView* view, CEntity* entity);
  virtual void EndSafely(CDraftView* view);
  virtual int FindCellRect(CDraftView* view, double x, double y, double& xmin, double& ymin, double& xmax,
                           double& ymax);
  // Erases and deletes the boundary entities made for a cell and empties
  // the list of the drawing entities they lie on (those stay the drawing's).
  virtual void ReleaseBoundary(CDraftView* view);
  virtual int FindCellText(CDraftView* view, double x, double y, CString& text, CTextAttrib& attr, double& xmin,
                           double& ymin, double& xmax, double& ymax);
  virtual int GetExtraState();

  // ---- Accessors.
  BYTE GetLevel() const { return level_; }
  void SetLevel(BYTE level) { level_ = level; }
  int GetId() const { return id_; }
  int GetStep() const { return step_; }
  int IsPickMode() const { return pickMode_; }
  void SetPickMode(int mode) { pickMode_ = mode; }
  void SetPointInput(int on) { pointInput_ = on; }
  void SetDone(int done) { doneOutside_ = done; }
  void SetStack(CCmdStack* stack) { stack_ = stack; }
  CCmdStack* GetStack() const { return stack_; }
  CDraftView* GetView() const { return view_; }

  // ---- Entity adders: forward to the view's makers unchanged.
  CEntity* AddArcEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, double cx, double cy,
                        double r, double start, double end);
  CEntity* AddCircleEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, double cx,
                           double cy, double r);
  BOOL MakeLineEntity(CEntity** line, CDraftView* view, double x1, double y1, double x2, double y2, int create,
                      CDrawingGroup* group);
  CEntity* AddLineEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, double x1,
                         double y1, double x2, double y2);
  CEntity* AddLineEntityEx(CDraftView* view, CEntity* block, int lineKind, CDrawingGroup* group, double x1,
                           double y1, double x2, double y2);
  // Adds the command's attribute byte and embedded text attributes.
  CEntity* AddFormattedText(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group,
                            const char* text, double x, double y);

  // The first text member of a block, nested blocks searched depth first.
  static CEntity* FindFirstTextMember(CEntity* entity);
  // Lets a block split its members along its piece records, in order: the
  // members each record removes are taken out of the block and deleted; each
  // new piece goes into its owner's member list when it names a block as its
  // owner, else into the entity's own. Nothing for null or an entity that
  // is not a block.
  static void ApplyEntitySplits(CEntity* entity);

 private:
  // One of the view's key snaps (end, mid, centre or intersection point).
  using KeySnap = int (CDraftView::*)(SnapOptions, UINT, const std::vector<PointRec>&, PointRec&, int, DWORD&,
                                      DWORD&, int, DWORD*);
  // The snap keys' common step: hide the cross-hair, mark the cursor located
  // and let the view snap it.
  int SnapWithKey(CDraftView* view, UINT flags, DWORD& outX, DWORD& outY, KeySnap snap);

 protected:
  // Takes (x, y) as the next point, as a typed or dialog point is taken.
  void TakePoint(double x, double y, CPoint dp, UINT flags, CDraftView* view);
  // The root's own coordinate dialog.
  int RunCoordinateDialog(CDraftView* view, UINT ch, double& x, double& y);
  void HideCrossHair(CDraftView* view);
  // The rubber box from `corner` to the cursor in preview pen `pen` (1 for
  // a crossing box); its width and height go to the readouts and the
  // status text.
  void DrawRubberBox(CDraftView* view, const PointRec& corner, int pen);

  // Members, in declaration order.
  DWORD snapState_ = 0;
  int snapHint_ = 0;
  BYTE level_ = 2;
  int id_;
  int pointCount_ = 1;
  int step_ = 0;
  std::vector<PointRec> points_;
  SnapOptions options_;
  int pickMode_ = 0;
  int pointInput_ = 1;
  int tabCount_ = 0;
  int shiftCount_ = 0;
  int ctrlCount_ = 0;
  int done_ = 0;
  int doneOutside_ = 0;
  CDrawingGroup* group_ = nullptr;
  CCmdStack* stack_ = nullptr;
  CDraftView* view_;
  std::unique_ptr<CTextAttrib> heapAttrib_;
  PointRec cursor_;
  BYTE attributeByte_ = 0;
  CTextAttrib attrib_;
  std::vector<CString> prompts_;
  CString promptOverride_;
  CString statusText_;
  CString readout1_;
  CString readout2_;
  CEntityList boundary_;
  CEntityList boundary2_;
};
