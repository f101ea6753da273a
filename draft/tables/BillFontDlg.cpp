#include "draft/tables/BillFontDlg.h"

#include <cstdlib>

#include "draft/host/FontManager.h"
#include "draft/host/ShxFontFile.h"
#include "draft/host/SystemFiles.h"
#include "platform/core/FileAttributes.h"
#include "platform/core/FileFind.h"
#include "platform/core/MessageBox.h"
#include "platform/gdi/Gdi32.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WindowDC.h"

BEGIN_MESSAGE_MAP(CBillFontDlg, CDialog)
ON_CBN_SELCHANGE(CBillFontDlg::kFontType, OnFontTypeChanged)
END_MESSAGE_MAP()

namespace {

constexpr int kVectorFonts = 0;
constexpr int kTrueType = 1;
constexpr int kShx = 2;

int AddTrueTypeFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM data) {
  if (type & TRUETYPE_FONTTYPE) reinterpret_cast<CStringArray*>(data)->Add(font->lfFaceName);
  return 1;
}

// Fills the box with the names.
void Fill(CComboBox* combo, const CStringArray& names) {
  if (!combo) return;
  combo->ResetContent();
  for (INT_PTR i = 0; i < names.GetSize(); ++i) combo->AddString(names[i].GetString());
}

// Selects the entry named `name`, else the first.
void SelectName(CComboBox* combo, const CStringA& name) {
  if (!combo) return;
  const int at = combo->FindStringExact(-1, name.GetString());
  combo->SetCurSel(at >= 0 ? at : 0);
}

// Selects entry index - 1 of a 1-based font index, else the first (and the
// index becomes 1).
void SelectIndex(CComboBox* combo, BYTE& index) {
  if (!combo) return;
  if (index >= 1 && index <= combo->GetCount()) {
    combo->SetCurSel(index - 1);
  } else {
    combo->SetCurSel(0);
    index = 1;
  }
}

// The chosen entry's text into `name`; nothing without a selection.
void TakeName(CComboBox* combo, CStringA& name) {
  if (!combo || combo->GetCurSel() < 0) return;
  combo->GetLBText(combo->GetCurSel(), name);
}

void TakeIndex(CComboBox* combo, BYTE& index) {
  if (!combo || combo->GetCurSel() < 0) return;
  index = static_cast<BYTE>(combo->GetCurSel() + 1);
}

CStringA NumberText(double value) {
  CStringA text;
  text.Format("%lf", value);
  TrimNumberText(text);
  return text;
}

}  // namespace

CBillFontDlg::CBillFontDlg(int save, CWnd* parent) : CDialog(IDD, parent), save_(save) {
  if (save_) def_.Read();
}

void CBillFontDlg::FillFontLists() {
  chineseFonts_.RemoveAll();
  westernFonts_.RemoveAll();
  trueTypeFonts_.RemoveAll();
  shxFonts_.RemoveAll();
  shxBigFonts_.RemoveAll();

  const CFontManager* fonts = GetFontManager();
  for (int i = 1; const CVectorFont* f = fonts->GetChineseFont(i); ++i)
    if (!f->name.IsEmpty()) chineseFonts_.Add(f->name);
  for (int i = 1; const CVectorFont* f = fonts->GetWesternFont(i); ++i)
    if (!f->name.IsEmpty()) westernFonts_.Add(f->name);

  {
    CClientDC dc(this);
    EnumFontFamiliesA(dc.m_hDC, nullptr, AddTrueTypeFace, reinterpret_cast<LPARAM>(&trueTypeFonts_));
  }

  const CStringA folder = GetSystemFilePath("Font");
  WIN32_FIND_DATAA found{};
  HANDLE find = FindFirstFileA(folder + "\\*.shx", &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    CStringA name = found.cFileName;
    const int kind = ClassifyShxFile(folder + "\\" + name);
    name.MakeLower();
    if (kind == kShxFont) shxFonts_.Add(name);
    if (kind == kShxBigFont) shxBigFonts_.Add(name);
  } while (FindNextFileA(find, &found));
  FindClose(find);
}

BOOL CBillFontDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  FillFontLists();
  CheckDlgButton(kHeaderPresent, def_.m_bBTHave ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(kGridLines, def_.m_bBGHave ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemText(kHeaderHeight, NumberText(def_.m_fBTHeight).GetString());
  SetDlgItemText(kBodyHeight, NumberText(def_.m_fBGHeight).GetString());
  SetDlgItemText(kHeaderCharHeight, NumberText(def_.m_fBTChrHeight).GetString());
  SetDlgItemText(kBodyCharHeight, NumberText(def_.m_fBGChrHeight).GetString());
  SetDlgItemText(kHeaderSpacing, NumberText(def_.m_fBTChrSpace).GetString());
  SetDlgItemText(kBodySpacing, NumberText(def_.m_fBGChrSpace).GetString());
  if (auto* arrangement = static_cast<CComboBox*>(GetDlgItem(kArrangement))) arrangement->SetCurSel(def_.m_nBTSort);
  if (auto* type = static_cast<CComboBox*>(GetDlgItem(kFontType))) type->SetCurSel(def_.m_nFontStyle);
  RefillFontCombos();
  return TRUE;
}

void CBillFontDlg::RefillFontCombos() {
  auto* headerChinese = static_cast<CComboBox*>(GetDlgItem(kHeaderChineseCombo));
  auto* bodyChinese = static_cast<CComboBox*>(GetDlgItem(kBodyChineseCombo));
  auto* headerWestern = static_cast<CComboBox*>(GetDlgItem(kHeaderWesternCombo));
  auto* bodyWestern = static_cast<CComboBox*>(GetDlgItem(kBodyWesternCombo));
  for (CComboBox* c : {headerChinese, bodyChinese, headerWestern, bodyWestern})
    if (c) c->ResetContent();
  const bool trueType = def_.m_nFontStyle == kTrueType;
  for (int id : {kHeaderWesternLabel, kBodyWesternLabel, kHeaderWesternCombo, kBodyWesternCombo})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(!trueType);
  for (int id : {kHeaderSpacing, kBodySpacing})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(def_.m_nFontStyle != kShx);

  if (def_.m_nFontStyle == kShx) {
    SetDlgItemText(kHeaderChineseLabel, "SHX字体");
    SetDlgItemText(kBodyChineseLabel, "SHX字体");
    SetDlgItemText(kHeaderWesternLabel, "SHX大字体");
    SetDlgItemText(kBodyWesternLabel, "SHX大字体");
    Fill(headerChinese, shxFonts_);
    Fill(bodyChinese, shxFonts_);
    Fill(headerWestern, shxBigFonts_);
    Fill(bodyWestern, shxBigFonts_);
    SelectName(headerChinese, def_.m_szBTShxFontName);
    SelectName(bodyChinese, def_.m_szBGShxFontName);
    SelectName(headerWestern, def_.m_szBTShxBigFontName);
    SelectName(bodyWestern, def_.m_szBGShxBigFontName);
  } else if (trueType) {
    SetDlgItemText(kHeaderChineseLabel, "TrueType字体");
    SetDlgItemText(kBodyChineseLabel, "TrueType字体");
    Fill(headerChinese, trueTypeFonts_);
    Fill(bodyChinese, trueTypeFonts_);
    SelectName(headerChinese, def_.m_szBTttName);
    SelectName(bodyChinese, def_.m_szBGttName);
  } else {
    SetDlgItemText(kHeaderChineseLabel, "中文字体");
    SetDlgItemText(kBodyChineseLabel, "中文字体");
    SetDlgItemText(kHeaderWesternLabel, "西文字体");
    SetDlgItemText(kBodyWesternLabel, "西文字体");
    Fill(headerChinese, chineseFonts_);
    Fill(bodyChinese, chineseFonts_);
    Fill(headerWestern, westernFonts_);
    Fill(bodyWestern, westernFonts_);
    SelectIndex(headerChinese, def_.m_nBTCFont);
    SelectIndex(bodyChinese, def_.m_nBGCFont);
    SelectIndex(headerWestern, def_.m_nBTEFont);
    SelectIndex(bodyWestern, def_.m_nBGEFont);
  }
}

void CBillFontDlg::StoreFontSelection() {
  auto* headerChinese = static_cast<CComboBox*>(GetDlgItem(kHeaderChineseCombo));
  auto* bodyChinese = static_cast<CComboBox*>(GetDlgItem(kBodyChineseCombo));
  auto* headerWestern = static_cast<CComboBox*>(GetDlgItem(kHeaderWesternCombo));
  auto* bodyWestern = static_cast<CComboBox*>(GetDlgItem(kBodyWesternCombo));
  if (def_.m_nFontStyle == kShx) {
    TakeName(headerChinese, def_.m_szBTShxFontName);
    TakeName(bodyChinese, def_.m_szBGShxFontName);
    TakeName(headerWestern, def_.m_szBTShxBigFontName);
    TakeName(bodyWestern, def_.m_szBGShxBigFontName);
  } else if (def_.m_nFontStyle == kTrueType) {
    TakeName(headerChinese, def_.m_szBTttName);
    TakeName(bodyChinese, def_.m_szBGttName);
  } else {
    TakeIndex(headerChinese, def_.m_nBTCFont);
    TakeIndex(bodyChinese, def_.m_nBGCFont);
    TakeIndex(headerWestern, def_.m_nBTEFont);
    TakeIndex(bodyWestern, def_.m_nBGEFont);
  }
}

void CBillFontDlg::OnFontTypeChanged() {
  auto* type = static_cast<CComboBox*>(GetDlgItem(kFontType));
  if (!type || type->GetCurSel() < 0) return;
  StoreFontSelection();
  CStringA text;
  type->GetLBText(type->GetCurSel(), text);
  def_.m_nFontStyle = text == "SHX字体" ? kShx : text == "TrueType字体" ? kTrueType : kVectorFonts;
  RefillFontCombos();
}

bool CBillFontDlg::ReadHeight(int id, double& value, const char* message) {
  CStringA text;
  GetDlgItemText(id, text);
  value = std::atof(text);
  if (value > 0) return true;
  AfxMessageBox(message);
  if (CWnd* w = GetDlgItem(id)) w->SetFocus();
  return false;
}

void CBillFontDlg::OnOK() {
  StoreFontSelection();
  def_.m_bBTHave = IsDlgButtonChecked(kHeaderPresent) == BST_CHECKED;
  def_.m_bBGHave = IsDlgButtonChecked(kGridLines) == BST_CHECKED;
  if (!ReadHeight(kHeaderHeight, def_.m_fBTHeight, "表头的高度设置不正确")) return;
  if (!ReadHeight(kBodyHeight, def_.m_fBGHeight, "表格的高度设置不正确")) return;
  struct CharHeight {
    int id;
    double rowHeight;
    double* value;
    const char* message;
  };
  const CharHeight checks[] = {
      {kHeaderCharHeight, def_.m_fBTHeight, &def_.m_fBTChrHeight, "表头字高度应该为正数且小于表头的高度"},
      {kBodyCharHeight, def_.m_fBGHeight, &def_.m_fBGChrHeight, "表格字高度应该为正数且小于表格的高度"},
  };
  for (const CharHeight& c : checks) {
    CStringA text;
    GetDlgItemText(c.id, text);
    const double value = std::atof(text);
    if (!(value > 0 && value < c.rowHeight)) {
      AfxMessageBox(c.message);
      if (CWnd* w = GetDlgItem(c.id)) w->SetFocus();
      return;
    }
    *c.value = value;
  }
  if (def_.m_nFontStyle != kShx) {
    CStringA text;
    GetDlgItemText(kHeaderSpacing, text);
    def_.m_fBTChrSpace = std::atof(text);
    GetDlgItemText(kBodySpacing, text);
    def_.m_fBGChrSpace = std::atof(text);
  }
  auto* arrangement = static_cast<CComboBox*>(GetDlgItem(kArrangement));
  if (!arrangement || arrangement->GetCurSel() < 0) {
    AfxMessageBox("没有选择表头的排列方式");
    if (arrangement) arrangement->SetFocus();
    return;
  }
  def_.m_nBTSort = arrangement->GetCurSel();
  if (save_) def_.Write();
  EndDialog(IDOK);
}
