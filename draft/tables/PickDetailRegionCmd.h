// The command that reads back a bill of materials drawn only as lines and
// texts. The user drags a rubber-band line across the table's data region;
// each pick finds the ruling lines round it (the nearest horizontal line
// below and above, the nearest vertical line left and right), cuts the box
// they make into cells at the crossings of the lines inside it, and takes
// for each cell the first unused text whose box centre lies inside it. One
// row is collected per band, from the lowest up. The right button writes
// the rows collected into a parts-list data file chosen in a save dialog,
// with the field lines of the table-structure file, and ends the command.
#pragma once

#include <vector>

#include "draft/framework/CmdBase.h"
#include "draft/tables/FieldRecord.h"
#include "platform/core/String.h"

class CPickDetailRegionCmd : public CCmdBase {
 public:
  explicit CPickDetailRegionCmd(int id);
  ~CPickDetailRegionCmd() override;

  int Begin(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  // Writes the rows collected (WriteDataFile) and ends the command.
  int OnRButton(CDraftView* view) override;
  // Digits and other characters do nothing here (the prompt's U included).
  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int OnOtherChar(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;

  // Collects the rows of the pick (x1, y1)-(x2, y2); the number of rows added.
  int PickRegion(double x1, double y1, double x2, double y2);
  // Writes the rows collected, when there are any, to a file chosen in the
  // save dialog; FALSE when nothing was written.
  BOOL WriteDataFile(CDraftView* view);
  // A field line as this command reads it: a width not given is 15.
  static BOOL ParseFieldLine(CFieldArray& fields, const CStringA& line);

  // The rows collected: per row, per column the text found (empty for none).
  const std::vector<std::vector<CStringA>>& GetRows() const { return rows_; }
  const CStringA& GetStructurePath() const { return structurePath_; }

 private:
  struct Rule {
    double at;      // y of a horizontal line, x of a vertical one
    double from;    // the span along the line
    double to;
  };
  struct PoolText {
    double cx, cy;  // the centre of its box
    CStringA text;  // trimmed
    bool used = false;
  };
  // The lines and texts of the drawing, compounds taken apart.
  void Collect(CDraftView* view);

  CStringA structurePath_;
  std::vector<Rule> horizontal_;
  std::vector<Rule> vertical_;
  std::vector<PoolText> texts_;
  std::vector<std::vector<CStringA>> rows_;
};
