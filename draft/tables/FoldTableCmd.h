// The command that folds a long table of the drawing: the first click picks
// the table at the row from which it is to continue elsewhere, the second
// gives where that part goes. The rows from the picked row onward move into
// a new segment of the same table started at the second point (TAB an odd
// number of times: the point is the segment's right edge); a table that is
// folded already passes the rows on to the segment that follows. The folded
// table replaces the picked one as one undo step, and the command waits for
// the next table. The right button between the clicks leaves the drawing as
// it was.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/TableSegment.h"

class CTableEntity;

class CFoldTableCmd : public CCmdBase {
 public:
  explicit CFoldTableCmd(int id);
  ~CFoldTableCmd() override;

  void Execute(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  int End(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;

  // The table picked and the working copy (null between folds).
  CTableEntity* GetTable() const { return table_; }
  CTableEntity* GetWorkingCopy() const { return copy_; }

 private:
  // The first click: the table at the point and its working copy.
  void PickTable(CDraftView* view);
  // The second click: folds the copy and puts it in the picked table's place.
  void Fold(CDraftView* view);
  // Back to the first click, the copy deleted when still held.
  void Restart();
  // A drawing point in the table's group coordinates.
  GPoint ToTable(double x, double y) const;

  CTableEntity* table_ = nullptr;
  CTableEntity* copy_ = nullptr;
  GPoint first_;
  GPoint second_;
  CTableSegment segment_;
};
