// The table data file operations of the parts-list grid.
#include "draft/tables/PartsListCtrl.h"

#include "draft/host/SystemFiles.h"
#include "draft/tables/TableFiles.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/FileDialog.h"

namespace {
// The open dialog offers dBase tables only while the data source can be
// reached.
const char kDataFileFilter[] = "明细表文件(*.lst)|*.lst|通用表文件(*.tyb)|*.tyb|文本文件(*.txt)|*.txt|";
const char kDataFileFilterWithDbf[] =
    "明细表文件(*.lst)|*.lst|通用表文件(*.tyb)|*.tyb|数据库文件(*.dbf)|*.dbf|文本文件(*.txt)|*.txt|";
}  // namespace

BOOL CPartsListCtrl::ReadDataFile(const char* path, CStringArray& rows, CFieldArray& fields) {
  const TableFileRead result = ReadPartsListFile(path, rows, fields);
  if (result == TableFileRead::kWrongKind) AfxMessageBox(kFileKindMismatch);
  return result == TableFileRead::kRead;
}

BOOL CPartsListCtrl::OpenDataFile(CStringA& path, CStringArray& rows, CFieldArray& fields) {
  while (true) {
    bool choose = false;
    if (IsFileExist(path)) {
      const TableFileRead result = ReadPartsListFile(path, rows, fields);
      if (result != TableFileRead::kWrongKind) return result == TableFileRead::kRead;
      AfxMessageBox(kFileKindMismatch);
      choose = true;
    } else {
      CStringA question = path;
      question += "文件不存在,是否新建?";
      const int answer = AfxMessageBox(question.GetString(), MB_YESNOCANCEL);
      if (answer == IDYES) {
        rows.RemoveAll();
        fields.RemoveAll();
        return CreateTableFile(path, header_);
      }
      if (answer == IDCANCEL) return FALSE;
      choose = true;
    }
    if (choose) {
      CFileDialog dialog(TRUE, static_cast<LPCSTR>(nullptr), static_cast<LPCSTR>(nullptr),
                         OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         IsDataSourceAvailable() ? kDataFileFilterWithDbf : kDataFileFilter, this);
      if (dialog.DoModal() != IDOK) return FALSE;
      path = CStringA(dialog.GetPathName());
    }
  }
}

BOOL CPartsListCtrl::WriteDataFile(const char* path, const CFieldArray& fields, const CStringArray& rows) {
  return WritePartsListFile(path, header_, fields, rows);
}

int CPartsListCtrl::ReadStructureFile(CFieldArray& fields, const char* path, int tableKind) {
  return ReadStructureFileFields(fields, path, tableKind);
}

BOOL CPartsListCtrl::WriteStructureFile(const char* path, const CFieldArray& fields) {
  return WriteStructureFileFields(path, fields);
}

void CPartsListCtrl::SetDefaultStructure(CFieldArray& fields, int tableKind) { FillDefaultStructure(fields, tableKind); }
