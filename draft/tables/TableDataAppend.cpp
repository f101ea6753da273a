// The table-content dialog's "多表汇总": rows of further .dbf tables
// appended to the grid, or loaded in its place, when their structures agree.
#include <memory>
#include <vector>

#include "draft/host/SystemFiles.h"
#include "draft/tables/TableDataDlg.h"
#include "draft/tables/TableFiles.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/FileDialog.h"

namespace {
constexpr char kFilter[] = "数据库文件(*.dbf)|*.dbf|";

// A column name cut before its last "(" and normalised.
CStringA ComparableName(const CFieldRecord& field) {
  CStringA name = field.GetName();
  const int paren = name.ReverseFind('(');
  if (paren >= 0) name = name.Left(paren);
  CPartsListCtrl::CleanName(name);
  return name;
}
}  // namespace

BOOL CTableDataDlg::IsSameStructure(const CFieldArray& a, const CFieldArray& b) {
  if (a.GetSize() != b.GetSize()) return FALSE;
  for (INT_PTR i = 0; i < a.GetSize(); ++i) {
    if (a[i].type != b[i].type) return FALSE;
    const CStringA x = ComparableName(a[i]), y = ComparableName(b[i]);
    if (x.Find(y) < 0 && y.Find(x) < 0) return FALSE;
  }
  return TRUE;
}

BOOL CTableDataDlg::ReadTableStructure(const CStringA& path, CFieldArray& fields) {
  fields.RemoveAll();
  const CStringA definition = ReplaceFileExtension(path, "def");
  if (IsFileExist(definition) && grid_.ReadStructureFile(fields, definition, 0) == 1) return TRUE;
  return grid_.ReadDbfStructure(path, fields);
}

BOOL CTableDataDlg::AppendTables(const CStringArray& files) {
  std::vector<CFieldArray> structures(static_cast<size_t>(files.GetSize()));
  for (INT_PTR i = 0; i < files.GetSize(); ++i) {
    if (!IsFileExist(files[i])) {
      AfxMessageBox("数据库文件" + files[i] + "\n" + "不存在!", MB_OK);
      return FALSE;
    }
    ReadTableStructure(files[i], structures[static_cast<size_t>(i)]);
  }
  const int answer = AfxMessageBox("是否追加到当前表的后面?", MB_YESNOCANCEL);
  if (answer == IDCANCEL) return FALSE;
  if (answer == IDYES) {
    CStringA skipped;
    int appended = 0;
    for (INT_PTR i = 0; i < files.GetSize(); ++i) {
      if (!IsSameStructure(structures[static_cast<size_t>(i)], fields_) || !grid_.AppendDbfRows(files[i])) {
        skipped += "    [" + files[i] + "]\n";
        continue;
      }
      ++appended;
    }
    rowCount_ = grid_.GetItemCount();
    if (appended == 0) {
      AfxMessageBox("所选取的表文件结构与\n已知表结构不相同!", MB_OK);
      return FALSE;
    }
    if (!skipped.IsEmpty()) AfxMessageBox("表文件\n" + skipped + "结构与已知表结构不同", MB_OK);
  } else {
    for (size_t i = 1; i < structures.size(); ++i) {
      if (!IsSameStructure(structures[0], structures[i])) {
        AfxMessageBox("所选取的表文件结构不相同!", MB_OK);
        return FALSE;
      }
    }
    if (structures.empty()) return FALSE;
    fields_.Copy(structures[0]);
    grid_.DeleteAllItems();
    grid_.SetColumns(fields_);
    for (INT_PTR i = 0; i < files.GetSize(); ++i) grid_.AppendDbfRows(files[i]);
    rowCount_ = grid_.GetItemCount();
  }
  ResetChangeState();
  return TRUE;
}

void CTableDataDlg::OnAppendTables() {
  CFileDialog dialog(TRUE, ".dbf", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT, kFilter,
                     this);
  dialog.m_ofn.lpstrTitle = "打开表文件";
  if (dialog.DoModal() != IDOK) return;
  CStringArray files;
  for (POSITION pos = dialog.GetStartPosition(); pos;) files.Add(CStringA(dialog.GetNextPathName(pos)));
  AppendTables(files);
}
