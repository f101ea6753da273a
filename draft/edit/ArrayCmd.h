// Copies the selected entities into a grid of columns and rows; the source
// stays in place as the first cell. The settings dialog gives the counts,
// the spacings and how the two grid directions are found: horizontal and
// vertical or typed angles (the grid is made at once), or picked lines (the
// first line gives the X direction, or the Y direction when there is one
// column; a second line, neither parallel to the first nor missing it, the
// Y direction; the right button instead turns the Y direction 90 degrees
// from the first line). In mode 3 the lines' lengths also give the
// spacings. Cell (i, j) lies at rowSpacing·i along the Y direction plus
// columnSpacing·j along the X direction. All copies go into one undo
// record; Escape stops between copies, keeping what was made.
#pragma once

#include "draft/framework/SelectCmdBase.h"
#include "draft/host/Geometry2D.h"

class CArrayCmd : public CSelectCmdBase {
 public:
  CArrayCmd(int id, CDraftView* view, int selectAnew, int deselectMode);

  // Runs the settings dialog; Cancel clears the selection and ends. Modes 0
  // and 1 build the grid and end; modes 2 and 3 wait for direction lines.
  int ProcessSelection(CDraftView* view) override;
  // Takes a direction line; builds the grid once the lines it needs are
  // there (true: back to selecting).
  int OnProcessClick(CDraftView* view) override;
  // With a first line: the Y direction perpendicular to it, the grid built,
  // the command ends. Without one the command ends.
  int OnProcessRButton(CDraftView* view) override;
  int End(CDraftView* view) override;

  // ---- New operation.
  // Adds a translated copy of every selected entity for each cell but the
  // first, in one add record, then clears the selection.
  virtual void BuildArray(CDraftView* view);

  int GetColumnCount() const { return columns_; }
  int GetRowCount() const { return rows_; }
  double GetRowSpacing() const { return rowSpacing_; }
  double GetColumnSpacing() const { return columnSpacing_; }
  double GetXAngle() const { return xAngle_; }
  double GetYAngle() const { return yAngle_; }

 private:
  // The length of a picked line and its direction (degrees) from its end
  // nearer `ref` towards the other end.
  static double LineDirection(const CEntity* line, GPoint ref, double& length);
  // Erases the line highlights and forgets the lines.
  void ForgetLines(CDraftView* view);

  // Members, in order.
  int columns_ = 2;
  int rows_ = 2;
  int mode_ = 0;
  double rowSpacing_ = 100.0;
  double columnSpacing_ = 100.0;
  double xAngle_ = 0.0;
  double yAngle_ = 90.0;
  GPoint pickPoint_;
  CEntity* first_ = nullptr;
  CEntity* second_ = nullptr;
  GPoint crossing_;
  bool firstShown_ = false;
  bool secondShown_ = false;
};
