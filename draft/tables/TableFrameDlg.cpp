#include "draft/tables/TableFrameDlg.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TabFile.h"
#include "draft/tables/FieldLine.h"
#include "draft/tables/RowText.h"
#include "draft/tables/TableFileText.h"
#include "draft/tables/TableFiles.h"
#include "platform/core/Charset.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MessageBox.h"
#include "platform/gdi/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/FileDialog.h"

namespace {

constexpr char kSettingSection[] = "TableFrameSetting";
constexpr char kSettingPath[] = "TableFrameFilePath";
constexpr char kFilter[] = "表结构文件(*.def)|*.def|数据库文件(*.dbf)|*.dbf|||";
const char* const kTypeTexts[] = {"字符型", "整型", "日期型", "浮点型", "双精度型", "货币型", "逻辑型"};
const char* const kAlignmentTexts[] = {"自动填充", "左对齐", "中对齐", "右对齐"};

// The extension of the path's last component (empty without one).
CStringA ExtensionOf(const CStringA& path) {
  const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
  const int dot = path.ReverseFind('.');
  return dot > slash ? path.Mid(dot + 1) : CStringA();
}

// The index of `text` among the choices (case ignored), or -1.
template <size_t N>
int IndexOf(const char* const (&choices)[N], const CStringA& text) {
  for (size_t i = 0; i < N; ++i)
    if (text.CompareNoCase(choices[i]) == 0) return static_cast<int>(i);
  return -1;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTableFrameDlg, CDialog)
ON_BN_CLICKED(CTableFrameDlg::kOpenButton, OnOpenFile)
ON_BN_CLICKED(CTableFrameDlg::kSaveButton, OnSaveFile)
END_MESSAGE_MAP()

CTableFrameDlg::CTableFrameDlg(CFieldArray* structure, CWnd* parent)
    : CDialog(IDD, parent), structure_(structure), header_(kStructureMagic99) {
  path_ = GetProfileStringSetting(kSettingSection, kSettingPath, "");
  if (path_.IsEmpty() || !IsFileExist(path_)) path_ = GetSystemFilePath("Def\\item.def");
}

void CTableFrameDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, kList, list_);
}

BOOL CTableFrameDlg::ParseFieldLine(CFieldArray& fields, const CStringA& line) {
  return ::ParseFieldLine(fields, line, 0.0);
}

BOOL CTableFrameDlg::ParseQuotedFieldLine(const CStringA& line) {
  CFieldRecord field;
  if (!::ParseQuotedFieldLine(line, field)) return FALSE;
  if (structure_) structure_->Add(field);
  return TRUE;
}

BOOL CTableFrameDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // Each column as wide as its widest choice or its title.
  CDC* dc = list_.GetDC();
  auto widest = [dc](const char* title, const std::vector<CStringA>& choices) {
    int w = dc ? dc->GetTextExtent(title).cx : 80;
    for (const CStringA& c : choices) w = std::max(w, dc ? static_cast<int>(dc->GetTextExtent(c).cx) : 80);
    return w + 12;  // room for the cell's margins
  };
  CStringArrayA entries, comments;
  ReadTabFile(GetSystemFilePath("Table\\SteelBCol.Tab"), entries, comments);
  std::vector<CStringA> names;
  for (INT_PTR i = 0; i < entries.GetSize(); ++i) names.push_back(entries[i]);
  const std::vector<CStringA> types(std::begin(kTypeTexts), std::end(kTypeTexts));
  const std::vector<CStringA> alignments(std::begin(kAlignmentTexts), std::end(kAlignmentTexts));
  list_.AddEditColumn("字段名称", widest("字段名称", names), CEditListCtrl::kCellTextOrList, names);
  list_.AddEditColumn("数据类型", 80, CEditListCtrl::kCellList, types);
  list_.AddEditColumn("数据宽度", widest("数据宽度", {}), CEditListCtrl::kCellText);
  list_.AddEditColumn("对齐方式", widest("对齐方式", alignments), CEditListCtrl::kCellList, alignments);
  if (dc) list_.ReleaseDC(dc);
  list_.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  list_.EnableCellEdit(TRUE);
  if (LoadStructureFile()) FillList();
  list_.ResetListModified();
  return TRUE;
}

BOOL CTableFrameDlg::ChooseFileToOpen(const char* title) {
  CFileDialog dialog(TRUE, "def", "*.def", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kFilter, this);
  if (title) dialog.m_ofn.lpstrTitle = title;
  if (dialog.DoModal() != IDOK) return FALSE;
  path_ = CStringA(dialog.GetPathName());
  return TRUE;
}

int CTableFrameDlg::ReadDefFile() {
  if (structure_) structure_->RemoveAll();
  CFieldArray scratch;
  CFieldArray& fields = structure_ ? *structure_ : scratch;
  std::unique_ptr<CTableFileText> file;
  try {
    file = std::make_unique<CTableFileText>(path_.GetString());
  } catch (CFileException& e) {
    ReportFileException(e);
    return 0;
  }
  const int read = ReadStructureFileText(*file, fields, 1);
  if (read >= 0) return read;
  // A foreign file: quoted field lines from its start, up to the first
  // line that is not one.
  file = std::make_unique<CTableFileText>(path_.GetString());
  CStringA line;
  int parsed = 0;
  CFieldRecord field;
  while (file->ReadLine(line) && ::ParseQuotedFieldLine(line, field)) {
    fields.Add(field);
    ++parsed;
  }
  if (parsed > 0) return 1;
  AfxMessageBox(kFileKindMismatch);
  return -1;
}

BOOL CTableFrameDlg::LoadStructureFile() {
  for (;;) {
    if (path_.IsEmpty() || !IsFileExist(path_)) {
      CStringA question = path_ + "文件不存在,是否新建?";
      const int answer = AfxMessageBox(question.GetString(), MB_YESNOCANCEL);
      if (answer == IDCANCEL) return FALSE;
      if (answer == IDYES) {
        if (structure_) structure_->RemoveAll();
        return CreateTableFile(path_, kStructureMagic99);
      }
      if (!ChooseFileToOpen(nullptr)) return FALSE;
      continue;
    }
    const CStringA ext = ExtensionOf(path_);
    if (ext.CompareNoCase("def") == 0) {
      const int read = ReadDefFile();
      if (read >= 0) return read == 1;
      if (!ChooseFileToOpen(nullptr)) return FALSE;
      continue;
    }
    if (ext.CompareNoCase("dbf") == 0) return LoadDbfStructure(path_);
    return TRUE;
  }
}

BOOL CTableFrameDlg::SaveStructureFile(const char* path) {
  if (!path || !*path) return FALSE;
  CStringA text = header_ + "\n";
  for (INT_PTR i = 0; i < lines_.GetSize(); ++i) text += lines_[i] + "\n";
  if (!ReplaceTableFile(path, TextFileBytes(text))) return FALSE;
  WriteProfileStringSetting(kSettingSection, kSettingPath, path);
  return TRUE;
}

void CTableFrameDlg::FillList() {
  list_.DeleteAllItems();
  const int count = structure_ ? static_cast<int>(structure_->GetSize()) : 0;
  for (int i = 0; i < count; ++i) {
    const CFieldRecord& f = (*structure_)[i];
    const int row = list_.InsertItem(i, f.GetName().GetString());
    list_.SetItemText(row, 1, kTypeTexts[std::clamp(static_cast<int>(f.type), 0, 6)]);
    CStringA width;
    width.Format("%lf", f.width);
    list_.SetItemText(row, 2, width.GetString());
    list_.SetItemText(row, 3, kAlignmentTexts[std::clamp(static_cast<int>(f.alignment), 0, 3)]);
  }
  SetCaption("定义表结构");
}

void CTableFrameDlg::SetCaption(const char* title) {
  if (!GetSafeHwnd()) return;
  CStringA shortened;
  ShortenPath(shortened, path_, kCaptionPathLimit);
  CStringA caption = CStringA(title) + " (" + "文件路径: " + shortened + ")";
  SetWindowText(caption.GetString());
}

void CTableFrameDlg::BuildStructure() {
  lines_.RemoveAll();
  CFieldArray scratch;
  CFieldArray& fields = structure_ ? *structure_ : scratch;
  fields.RemoveAll();
  for (int row = 0; row < list_.GetItemCount(); ++row) {
    CStringA name = CStringA(list_.GetItemText(row, 0));
    name.Trim();
    // A type or alignment that matches no choice is character, centred.
    const int typeIndex = IndexOf(kTypeTexts, CStringA(list_.GetItemText(row, 1)));
    const int type = typeIndex < 0 ? 0 : typeIndex;
    const CStringA widthText = CStringA(list_.GetItemText(row, 2));
    const double width = std::atof(widthText.GetString());
    if (width < 0) {
      CStringA message;
      message.Format("第 %d 行存在无效宽度!", row + 1);
      AfxMessageBox(message.GetString());
    }
    const int alignmentIndex = IndexOf(kAlignmentTexts, CStringA(list_.GetItemText(row, 3)));
    const int alignment = alignmentIndex < 0 ? 2 : alignmentIndex;
    // A ';' inside the name or the width text is doubled, as in every field
    // line, and an empty width is written as one blank, as an empty cell of
    // a row text is, so that the line reads back as four parts.
    CStringA lineName = name, lineWidth = widthText.IsEmpty() ? CStringA(" ") : widthText;
    lineName = DoubleSemicolons(lineName);
    lineWidth = DoubleSemicolons(lineWidth);
    CStringA line;
    line.Format("%s;%d;%s;%d", lineName.GetString(), type, lineWidth.GetString(), alignment);
    lines_.Add(line);
    fields.Add(CFieldRecord(name.GetString(), type, width, alignment));
  }
}

void CTableFrameDlg::ShortenPath(CStringA& out, const char* path, int limit) {
  const int length = path ? static_cast<int>(std::strlen(path)) : 0;
  if (length <= limit || limit < 3) {
    out = path ? path : "";
    return;
  }
  int start = length - limit + 2;
  const auto at = [path](int i) { return static_cast<unsigned char>(path[i]); };
  if (length - limit + 3 < length && at(length - limit + 3) >= 32 && at(length - limit + 3) <= 125) ++start;
  // The tail starts on a whole character, never on a trail byte.
  int i = 0;
  while (i < start) i += platform::IsGbkLeadByte(at(i)) && i + 1 < length ? 2 : 1;
  start = std::min(i, length);
  out = CStringA("...") + (path + start);
}

BOOL CTableFrameDlg::SaveByExtension(const CStringA& path) {
  const CStringA ext = ExtensionOf(path);
  if (ext.CompareNoCase("def") == 0) return SaveStructureFile(path);
  if (ext.CompareNoCase("dbf") == 0) return SaveDbfStructure(path);
  return TRUE;
}

void CTableFrameDlg::OnOpenFile() {
  CFileDialog dialog(TRUE, "def", path_.GetString(), OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kFilter, this);
  dialog.m_ofn.lpstrTitle = "打开表结构文件";
  // A cancelled open leaves the list and its edit mark as they were, so
  // closing still offers to save the edits.
  if (dialog.DoModal() != IDOK) return;
  path_ = CStringA(dialog.GetPathName());
  if (LoadStructureFile()) FillList();
  list_.ResetListModified();
}

void CTableFrameDlg::OnSaveFile() {
  CFileDialog dialog(FALSE, "def", path_.GetString(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter, this);
  dialog.m_ofn.lpstrTitle = "保存表结构文件";
  if (dialog.DoModal() != IDOK) return;
  if (CStringA(dialog.GetFileName()).IsEmpty()) {
    AfxMessageBox("请输入文件名!");
    return;
  }
  const CStringA path = CStringA(dialog.GetPathName());
  // Only the two kinds the dialog offers can be written; another name is
  // refused rather than reported as saved.
  const CStringA ext = ExtensionOf(path);
  if (ext.CompareNoCase("def") != 0 && ext.CompareNoCase("dbf") != 0) {
    AfxMessageBox("文件类型不匹配,请重新选择!");
    return;
  }
  BuildStructure();
  if (!SaveByExtension(path)) return;
  path_ = path;
  SetCaption("定义表头结构");
  list_.ResetListModified();
}

void CTableFrameDlg::OnOK() {
  if (list_.GetItemCount() > 0) WriteProfileIntSetting("DefineFrameSetting", "DefineFrame", 1);
  if (list_.IsListModified()) {
    const int answer = AfxMessageBox("是否保存刚才打开的文件?", MB_YESNOCANCEL);
    if (answer == IDCANCEL) return;
    if (answer == IDYES) {
      BuildStructure();
      if (!SaveByExtension(path_)) return;
    }
  }
  // The caller gets the structure the list shows, saved or not.
  BuildStructure();
  CDialog::OnOK();
}
