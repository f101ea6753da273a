#include "draft/host/TextAttribDlg.h"

#include "draft/host/HostResources.h"
#include "platform/core/ResourceSet.h"
#include "platform/ui/DataExchange.h"

namespace {

platform::DialogTemplate BuildTemplate() {
  using namespace platform::rc;
  using D = CTextAttribDlg;
  return Dialog(D::IDD, "字体设置", {0, 0, 150, 104})
      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
      .Font(9, "宋体")
      .LText("字高", IDC_STATIC, {8, 9, 40, 8})
      .EditText(D::kHeightEdit, {52, 7, 90, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
      .LText("宽高比", IDC_STATIC, {8, 25, 40, 8})
      .EditText(D::kWidthEdit, {52, 23, 90, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
      .LText("角度", IDC_STATIC, {8, 41, 40, 8})
      .EditText(D::kAngleEdit, {52, 39, 90, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
      .LText("倾斜", IDC_STATIC, {8, 57, 40, 8})
      .EditText(D::kSlantEdit, {52, 55, 90, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
      .DefPushButton("确认", IDOK, {18, 80, 50, 14}, WS_TABSTOP)
      .PushButton("取消", IDCANCEL, {82, 80, 50, 14}, WS_TABSTOP);
}

}  // namespace

CTextAttribDlg::CTextAttribDlg(CWnd* source, const CTextAttrib& attr)
    : CDialog(IDD, source),
      attr_(attr),
      height_(attr.GetHeight()),
      width_(attr.GetWidthFactor()),
      angle_(attr.GetAngle()),
      slant_(attr.GetSlant()) {}

void CTextAttribDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, kHeightEdit, height_);
  DDV_MinMaxDouble(dx, height_, 0.01, 10000.0);
  DDX_Text(dx, kWidthEdit, width_);
  DDV_MinMaxDouble(dx, width_, 0.01, 100.0);
  DDX_Text(dx, kAngleEdit, angle_);
  DDX_Text(dx, kSlantEdit, slant_);
  DDV_MinMaxDouble(dx, slant_, -80.0, 80.0);
  if (!dx->m_bSaveAndValidate) return;
  attr_.SetHeight(height_);
  attr_.SetWidthFactor(width_);
  attr_.SetAngle(angle_);
  attr_.SetSlant(slant_);
}


CTextAttribDlg* ConstructTextAttribDialog(CWnd* source, const CTextAttrib* attr) {
  EnsureHostDialogTemplate(u"Korrin.DLL", CTextAttribDlg::IDD, &BuildTemplate);
  return new CTextAttribDlg(source, attr ? *attr : CTextAttrib());
}

void DestroyTextAttribDialog(CTextAttribDlg* dlg) { delete dlg; }
