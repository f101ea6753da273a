#include "platform/ui/PrintDialog.h"

#include <cstring>
#include <string>

#include "platform/core/GlobalMemory.h"
#include "platform/core/MessageBox.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/PdfPrinter.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

namespace {

struct Paper {
  short id;
  const char16_t* name;
};
const Paper kPapers[] = {{DMPAPER_A4, u"A4"},      {DMPAPER_LETTER, u"Letter"}, {DMPAPER_LEGAL, u"Legal"},
                         {DMPAPER_A3, u"A3"},      {DMPAPER_A5, u"A5"},         {DMPAPER_B4, u"B4 (JIS)"},
                         {DMPAPER_B5, u"B5 (JIS)"}};

const char16_t kDriver[] = u"winspool";
const char16_t kPort[] = u"PDF:";

// A DEVNAMES block with the three names after the record.
HGLOBAL MakeDevNames(const std::u16string& device, bool isDefault) {
  size_t header = (sizeof(DEVNAMES) + 1) / 2;  // in characters
  std::u16string names = std::u16string(kDriver) + u'\0' + device + u'\0' + kPort + u'\0';
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (header + names.size()) * sizeof(WCHAR));
  if (!block) return nullptr;
  auto* record = static_cast<DEVNAMES*>(GlobalLock(block));
  record->wDriverOffset = static_cast<WORD>(header);
  record->wDeviceOffset = static_cast<WORD>(header + std::char_traits<char16_t>::length(kDriver) + 1);
  record->wOutputOffset = static_cast<WORD>(record->wDeviceOffset + device.size() + 1);
  record->wDefault = isDefault ? DN_DEFAULTPRN : 0;
  std::memcpy(reinterpret_cast<WCHAR*>(record) + header, names.data(), names.size() * sizeof(WCHAR));
  GlobalUnlock(block);
  return block;
}

CStringW NameAt(HGLOBAL block, WORD DEVNAMES::*offset) {
  if (!block) return CStringW();
  auto* record = static_cast<const DEVNAMES*>(GlobalLock(block));
  if (!record) return CStringW();
  CStringW name(reinterpret_cast<const WCHAR*>(record) + (record->*offset));
  GlobalUnlock(block);
  return name;
}

}  // namespace

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent)
    : CCommonDialog(parent), setupOnly_(printSetupOnly != FALSE) {
  m_pd.lStructSize = sizeof(PRINTDLG);
  m_pd.Flags = flags;
  if (setupOnly_) m_pd.Flags |= PD_PRINTSETUP;
  m_pd.nFromPage = m_pd.nToPage = 0xFFFF;
  m_pd.nMinPage = m_pd.nMaxPage = 0;
  m_pd.nCopies = 1;
}

bool CPrintDialog::FillDefaults() {
  platform::PrinterSettings settings = platform::DefaultPrinterSettings();
  DEVMODEW mode = platform::MakeDevMode(settings);
  HGLOBAL devMode = GlobalAlloc(GMEM_MOVEABLE, sizeof(DEVMODEW));
  HGLOBAL devNames = MakeDevNames(settings.deviceName, true);
  if (!devMode || !devNames) {
    if (devMode) GlobalFree(devMode);
    if (devNames) GlobalFree(devNames);
    return false;
  }
  std::memcpy(GlobalLock(devMode), &mode, sizeof mode);
  GlobalUnlock(devMode);
  m_pd.hDevMode = devMode;
  m_pd.hDevNames = devNames;
  return true;
}

BOOL CPrintDialog::GetDefaults() {
  m_pd.Flags |= PD_RETURNDEFAULT;
  INT_PTR result = DoModal();
  m_pd.Flags &= ~static_cast<DWORD>(PD_RETURNDEFAULT);
  return result == IDOK;
}

INT_PTR CPrintDialog::DoModal() {
  if (m_pd.Flags & PD_RETURNDEFAULT) {
    // The system refuses to return defaults over blocks the caller holds.
    if (m_pd.hDevMode || m_pd.hDevNames) return IDCANCEL;
    if (!FillDefaults()) return IDCANCEL;
    if (m_pd.Flags & PD_RETURNDC) m_pd.hDC = CreatePrinterDC();
    return IDOK;
  }
  if (!m_pd.hDevMode && !FillDefaults()) return IDCANCEL;
  using namespace platform::rc;
  bool setup = setupOnly_ || (m_pd.Flags & PD_PRINTSETUP);
  platform::DialogTemplate form = Dialog(0, setup ? u"Print Setup" : u"Print", {0, 0, 220, 90})
                                      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
                                      .LText(u"Name:", -1, {5, 5, 30, 8})
                                      .LText(u"", stc2, {40, 5, 120, 8});
  if (setup) {
    form.GroupBox(u"Orientation", -1, {5, 20, 100, 40})
        .AutoRadioButton(u"P&ortrait", rad1, {10, 30, 80, 10}, WS_GROUP | WS_TABSTOP)
        .AutoRadioButton(u"L&andscape", rad2, {10, 42, 80, 10})
        .LText(u"Si&ze:", -1, {110, 22, 30, 8})
        .ComboBox(cmb2, {110, 32, 100, 80}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP);
  } else {
    form.GroupBox(u"Print range", -1, {5, 20, 110, 50})
        .AutoRadioButton(u"&All", rad1, {10, 30, 40, 10}, WS_GROUP | WS_TABSTOP)
        .AutoRadioButton(u"S&election", rad2, {10, 42, 50, 10})
        .AutoRadioButton(u"&Pages", rad3, {10, 54, 40, 10})
        .LText(u"&from:", -1, {55, 54, 20, 8})
        .EditText(edt1, {75, 52, 18, 12}, ES_NUMBER | WS_TABSTOP | WS_GROUP)
        .LText(u"&to:", -1, {95, 54, 10, 8})
        .EditText(edt2, {105, 52, 18, 12}, ES_NUMBER | WS_TABSTOP)
        .LText(u"Number of &copies:", -1, {130, 30, 60, 8})
        .EditText(edt3, {190, 28, 20, 12}, ES_NUMBER | WS_TABSTOP);
  }
  form.DefPushButton(u"OK", IDOK, {110, 72, 45, 14}).PushButton(u"Cancel", IDCANCEL, {165, 72, 45, 14});
  return RunModal(form, nullptr);
}

BOOL CPrintDialog::OnInitDialog() {
  CCommonDialog::OnInitDialog();
  SetDlgItemText(stc2, GetDeviceName().GetString());
  DEVMODEW* mode = GetDevMode();
  if (GetDlgItem(cmb2)) {
    CComboBox* papers = static_cast<CComboBox*>(GetDlgItem(cmb2));
    int chosen = 0;
    for (size_t i = 0; i < std::size(kPapers); ++i) {
      papers->AddString(kPapers[i].name);
      if (mode && mode->dmPaperSize == kPapers[i].id) chosen = static_cast<int>(i);
    }
    papers->SetCurSel(chosen);
    CheckRadioButton(rad1, rad2, (mode && mode->dmOrientation == DMORIENT_LANDSCAPE) ? rad2 : rad1);
  } else {
    CheckRadioButton(rad1, rad3, (m_pd.Flags & PD_PAGENUMS) ? rad3 : (m_pd.Flags & PD_SELECTION) ? rad2 : rad1);
    GetDlgItem(rad2)->EnableWindow(!(m_pd.Flags & PD_NOSELECTION));
    GetDlgItem(rad3)->EnableWindow(!(m_pd.Flags & PD_NOPAGENUMS));
    if (m_pd.nFromPage != 0xFFFF) SetDlgItemInt(edt1, m_pd.nFromPage, FALSE);
    if (m_pd.nToPage != 0xFFFF) SetDlgItemInt(edt2, m_pd.nToPage, FALSE);
    SetDlgItemInt(edt3, (mode && (m_pd.Flags & PD_USEDEVMODECOPIES)) ? mode->dmCopies : m_pd.nCopies, FALSE);
  }
  if (mode) GlobalUnlock(m_pd.hDevMode);
  return TRUE;
}

void CPrintDialog::OnOK() {
  DEVMODEW* mode = GetDevMode();
  if (!mode) return;
  struct Unlock {
    HGLOBAL block;
    ~Unlock() { GlobalUnlock(block); }
  } unlock{m_pd.hDevMode};
  if (GetDlgItem(cmb2)) {
    int paper = static_cast<CComboBox*>(GetDlgItem(cmb2))->GetCurSel();
    if (paper >= 0) {
      mode->dmPaperSize = kPapers[paper].id;
      int width = 0, length = 0;
      if (platform::PaperDimensions(mode->dmPaperSize, &width, &length)) {
        mode->dmPaperWidth = static_cast<SHORT>(width);
        mode->dmPaperLength = static_cast<SHORT>(length);
      }
    }
    mode->dmOrientation = IsDlgButtonChecked(rad2) ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    mode->dmFields |= DM_ORIENTATION | DM_PAPERSIZE;
  } else {
    BOOL ok = FALSE;
    UINT copies = GetDlgItemInt(edt3, &ok, FALSE);
    if (!ok || copies < 1 || copies > 9999) {
      platform::ShowMessageBox(u"The number of copies must be between 1 and 9999.", u"Print",
                               MB_OK | MB_ICONEXCLAMATION, m_hWnd);
      return;
    }
    DWORD range = IsDlgButtonChecked(rad3) ? PD_PAGENUMS : IsDlgButtonChecked(rad2) ? PD_SELECTION : PD_ALLPAGES;
    if (range == PD_PAGENUMS) {
      BOOL okFrom = FALSE, okTo = FALSE;
      UINT from = GetDlgItemInt(edt1, &okFrom, FALSE), to = GetDlgItemInt(edt2, &okTo, FALSE);
      if (!okTo) to = from;
      if (!okFrom || from > to || from < m_pd.nMinPage || to > m_pd.nMaxPage) {
        std::u16string text = u"This value is not within the page range.\nEnter a number between " +
                              platform::Utf8ToUtf16(std::to_string(m_pd.nMinPage)) + u" and " +
                              platform::Utf8ToUtf16(std::to_string(m_pd.nMaxPage)) + u".";
        platform::ShowMessageBox(text.c_str(), u"Print", MB_OK | MB_ICONEXCLAMATION, m_hWnd);
        return;
      }
      m_pd.nFromPage = static_cast<WORD>(from);
      m_pd.nToPage = static_cast<WORD>(to);
    }
    m_pd.Flags = (m_pd.Flags & ~static_cast<DWORD>(PD_PAGENUMS | PD_SELECTION)) | range;
    if (m_pd.Flags & PD_USEDEVMODECOPIES) {
      mode->dmCopies = static_cast<SHORT>(copies);
      mode->dmFields |= DM_COPIES;
      m_pd.nCopies = 1;
    } else {
      m_pd.nCopies = static_cast<WORD>(copies);
    }
  }
  if (m_pd.Flags & PD_RETURNDC) m_pd.hDC = CreatePrinterDC();
  EndDialog(IDOK);
}

DEVMODEW* CPrintDialog::GetDevMode() const {
  return m_pd.hDevMode ? static_cast<DEVMODEW*>(GlobalLock(m_pd.hDevMode)) : nullptr;
}

CStringW CPrintDialog::GetDriverName() const { return NameAt(m_pd.hDevNames, &DEVNAMES::wDriverOffset); }
CStringW CPrintDialog::GetDeviceName() const { return NameAt(m_pd.hDevNames, &DEVNAMES::wDeviceOffset); }
CStringW CPrintDialog::GetPortName() const { return NameAt(m_pd.hDevNames, &DEVNAMES::wOutputOffset); }

int CPrintDialog::GetCopies() const {
  if (m_pd.Flags & PD_USEDEVMODECOPIES) {
    const DEVMODEW* mode = GetDevMode();
    int copies = mode ? mode->dmCopies : 1;
    if (mode) GlobalUnlock(m_pd.hDevMode);
    return copies;
  }
  return m_pd.nCopies;
}

HDC CPrintDialog::CreatePrinterDC() {
  CDC dc;
  const DEVMODEW* mode = GetDevMode();
  CStringW device = GetDeviceName();
  BOOL ok = dc.CreateDC(GetDriverName().GetString(), device.GetString(), nullptr, mode);
  if (mode) GlobalUnlock(m_pd.hDevMode);
  return ok ? dc.Detach() : nullptr;
}
