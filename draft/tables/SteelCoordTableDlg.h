// The tendon coordinate table (template 405, "坐标值"): the table-content
// dialog in its plain editor mode over a table whose first column holds the
// stations and every further column one tendon's offsets. It starts from a
// tendon graph (its curves written back into rows), from a coordinate table
// of the drawing, or from three empty columns; "读文件" and "存文件" read
// and write .zbb files; "坐标图" builds a new tendon graph from the rows
// (and, with "坐标表" checked, generates the coordinate table, kind 3).
#pragma once

#include "draft/tables/TableDataDlg.h"

class CTendonGraphEntity;

class CSteelCoordTableDlg : public CTableDataDlg {
 public:
  enum { IDD = 405 };
  enum ControlId { kCoordTable = 413, kAxis = 414, kGraph = 998 };

  // With a graph the direction comes from it. Neither is changed or freed.
  CSteelCoordTableDlg(CDraftView* view, CTendonGraphEntity* graph, CTableEntity* table, int direction,
                      CWnd* parent);
  ~CSteelCoordTableDlg() override;

  // ---- Contents.
  // The graph's column names and curves into the grid.
  void FillFromGraph(const CTendonGraphEntity& graph);
  // Columns "X", "Y1", "Y2" (direction 0) or "Y", "X1", "X2" and one row.
  void InstallCoordinateColumns();
  // A new graph from the rows (the caller owns it), or null when no data
  // column holds a value.
  CTendonGraphEntity* BuildGraph() const;
  // Reads a .zbb file into the grid; FALSE (with its message) when it
  // cannot be read or is not a coordinate-table file.
  BOOL ReadCoordFile(const char* path);
  // Writes the grid as a .zbb file.
  BOOL WriteCoordFile(const char* path);

  // ---- Results.
  // The graph built by "坐标图" (the caller then owns it).
  CTendonGraphEntity* TakeGraph();
  int GetDirection() const { return direction_; }
  int GetFileFlag() const { return fileFlag_; }
  int IsTableWanted() const { return tableWanted_; }
  int GetAxisFlag() const { return axisFlag_; }

  // "%f" with the trailing zeros (and a bare point) cut off.
  static CStringA FormatCoordinate(double value);

 protected:
  BOOL OnInitDialog() override;
  // The table is kept in .zbb files only, through its buttons: closing
  // asks nothing.
  BOOL AskToSave() override { return TRUE; }
  afx_msg void OnFinish();
  afx_msg void OnReadCoordFile();
  afx_msg void OnSaveCoordFile();
  DECLARE_MESSAGE_MAP()

 private:
  CTendonGraphEntity* source_;
  CTendonGraphEntity* graph_ = nullptr;
  CStringA coordPath_;
  int direction_;
  int fileFlag_ = 1;
  int tableWanted_ = 0;
  int axisFlag_ = 1;
};
