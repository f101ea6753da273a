#include "draft/host/RegionTableDlg.h"

#include "draft/host/HostResources.h"
#include "draft/host/Settings.h"
#include "platform/ui/DataExchange.h"

namespace {
const char* const kSection = "RegionTable";

struct WordSpec {
  const char* label;
  int defaultValue, minValue, maxValue;
};
const WordSpec kWords[kRegionTableWordCount] = {
    {"字高(0.1)", 50, 1, 100000},     {"宽度比(%)", 100, 1, 1000},       {"对齐(0满1左2中3右)", 2, 0, 3},
    {"填充角度", 45, -360, 360},      {"填充间距(0.1)", 10, 1, 100000},  {"填充偏移(0.1)", 0, -100000, 100000},
    {"图层(-1当前)", -1, -1, 255},    {"交叉填充(0/1)", 0, 0, 1},        {"字间距(0.1)", 0, 0, 100000},
    {"汉字字体号", 1, 1, 255},
};

CString WordKey(int i) {
  CString key;
  key.Format("Word%d", i);
  return key;
}

platform::DialogTemplate BuildTemplate() {
  using namespace platform::rc;
  auto dialog = Dialog(kRegionTableTemplate, "区域表格", {0, 0, 240, 200})
                    .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
                    .Font(9, "宋体")
                    .LText("文字(;分隔)", -1, {7, 9, 50, 8})
                    .EditText(kRegionTableTextEdit, {60, 7, 173, 14}, ES_AUTOHSCROLL | WS_TABSTOP);
  for (int i = 0; i < kRegionTableWordCount; ++i) {
    const int column = i % 2, row = i / 2;
    const int x = 7 + column * 117, y = 28 + row * 20;
    dialog.LText(kWords[i].label, -1, {x, y + 2, 70, 8})
        .EditText(kRegionTableWordEdit + i, {x + 72, y, 40, 14}, ES_AUTOHSCROLL | WS_TABSTOP);
  }
  return dialog.DefPushButton("确定", IDOK, {60, 178, 50, 14}, WS_TABSTOP)
      .PushButton("取消", IDCANCEL, {130, 178, 50, 14}, WS_TABSTOP);
}
}  // namespace

int CRegionTableDlg::DefaultWord(int i) { return i >= 0 && i < kRegionTableWordCount ? kWords[i].defaultValue : 0; }
int CRegionTableDlg::MinWord(int i) { return i >= 0 && i < kRegionTableWordCount ? kWords[i].minValue : 0; }
int CRegionTableDlg::MaxWord(int i) { return i >= 0 && i < kRegionTableWordCount ? kWords[i].maxValue : 0; }

CRegionTableDlg::CRegionTableDlg(CWnd* parent) : CBaseDialog(kRegionTableTemplate, parent) {
  EnsureHostDialogTemplate(u"Quorvel.DLL", kRegionTableTemplate, &BuildTemplate);
  for (int i = 0; i < kRegionTableWordCount; ++i) m_words[i] = kWords[i].defaultValue;
}

BOOL CRegionTableDlg::OnInitDialog() {
  m_text = GetProfileStringSetting(kSection, "Text", "");
  for (int i = 0; i < kRegionTableWordCount; ++i) {
    const int v = GetProfileIntSetting(kSection, WordKey(i), kWords[i].defaultValue);
    m_words[i] = v < kWords[i].minValue || v > kWords[i].maxValue ? kWords[i].defaultValue : v;
  }
  return CBaseDialog::OnInitDialog();
}

void CRegionTableDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Text(dx, kRegionTableTextEdit, m_text);
  for (int i = 0; i < kRegionTableWordCount; ++i) {
    DDX_Text(dx, kRegionTableWordEdit + i, m_words[i]);
    DDV_MinMaxInt(dx, m_words[i], kWords[i].minValue, kWords[i].maxValue);
  }
}

void CRegionTableDlg::OnOK() {
  if (!UpdateData(TRUE)) return;  // a value out of range keeps the dialog open
  WriteProfileStringSetting(kSection, "Text", m_text);
  for (int i = 0; i < kRegionTableWordCount; ++i) WriteProfileIntSetting(kSection, WordKey(i), m_words[i]);
  EndDialog(IDOK);
}

CRegionTableDlg* ConstructRegionTableDlg(CWnd* mainWindow) { return new CRegionTableDlg(mainWindow); }

void DestroyRegionTableDlg(CRegionTableDlg* dialog) { delete dialog; }
