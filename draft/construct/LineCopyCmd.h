// Parallel copies of a picked line, arc or circle at a distance: a single
// copy on the cursor's side, or a double copy, one on each side of the
// picked entity (TAB switches; the choice is kept in "LineCopySetting" /
// "DoubleLine" between runs). In length mode a copied line also gets a new
// length, from the pick point's foot to the cursor's foot on the line, and
// each copy starts where the last ended; the right button then offers to
// join the copies of the run into an outline in one of two forms
// (CLinkFormDlg). In an axonometric view the offset of a copied line may
// follow a second picked line, the direction line, instead of the normal.
#pragma once

#include <vector>

#include "draft/framework/CmdBase.h"
#include "draft/host/Geometry2D.h"

class CEntity;
class CUndoRecord;

class CLineCopyCmd : public CCmdBase {
 public:
  // The second argument is not used.
  CLineCopyCmd(int id, int unused, int lengthMode);
  ~CLineCopyCmd() override;

  void OnShiftKey(CDraftView* view) override;
  void OnTabKey(CDraftView* view) override;
  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  void OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) override;

  virtual void DrawLineCopyPreview(CDraftView* view);
  virtual void DrawArcCopyPreview(CDraftView* view);
  // Each new entity goes into the drawing with `record`.
  virtual void MakeLineCopies(CDraftView* view, CUndoRecord* record);
  virtual void MakeArcCopies(CDraftView* view, CUndoRecord* record);

  // The copies of the held line for the cursor at `at`: the copied segment
  // (in length mode from the pick point's foot to the cursor's foot) and
  // one or two copies of it. The offset field takes the offset used. False
  // (nothing to make) for an offset or a segment of no length.
  struct LineCopies {
    GPoint segmentStart, segmentEnd;
    GPoint s1, e1, s2, e2;
    int count = 0;
  };
  bool ComputeLineCopies(CDraftView* view, const GPoint& at, LineCopies& out);
  // Joins the recorded copies of the run (the picked line from (x1, y1) to
  // (x2, y2)) in the form the user chooses; one undo record.
  void JoinCopies(CDraftView* view, double x1, double y1, double x2, double y2);

  int GetDoubleFlag() const { return double_; }
  int GetRecordCount() const { return static_cast<int>(records_.size()); }
  CEntity* GetCopiedEntity() const { return copied_; }
  CEntity* GetDirectionLine() const { return direction_; }
  double GetDirectionAngle() const { return directionAngle_; }

 private:
  // One copy operation in length mode: the copies made (the second null in
  // single mode) with their handles, which tell them apart from an entity
  // made later at the same address, and the direction across the band.
  struct CopyRecord {
    CEntity* first = nullptr;
    DWORD firstHandle = 0;
    CEntity* second = nullptr;
    DWORD secondHandle = 0;
    double angle = 0.0;
  };

  void PickEntity(CDraftView* view);
  void PickDirectionLine(CDraftView* view);
  // Lines, circles and arcs, except members of the excluded compounds.
  static bool IsCopyCandidate(const CEntity* e, bool linesOnly);
  static bool IsAxonometric(CDraftView* view);
  // A direction line other than the copied line at a slant (not at right
  // angles to it).
  bool HasSlantedDirection() const;
  // The cursor stepped by the view: not a point typed or snapped onto an
  // entity.
  bool StepSnapOn() const;
  bool CopiedLine(GPoint& a, GPoint& b) const;
  GPoint FootOnCopiedLine(const GPoint& p) const;
  double RecordAngle() const;
  void DropRecords() { records_.clear(); }

  CEntity* copied_ = nullptr;     // not owned
  CEntity* second_ = nullptr;     // not owned; scratch of the pick
  CEntity* direction_ = nullptr;  // not owned
  GPoint pick_;
  int double_;
  int lengthMode_;
  std::vector<CopyRecord> records_;
  double directionAngle_ = 90.0;
  double offset_ = 0.0;
  int tabLock_ = 0;
  int typedOffset_ = 0;
  int typedLength_ = 0;
  // A line is held and the direction line is still to be picked.
  bool awaitingDirection_ = false;
};
