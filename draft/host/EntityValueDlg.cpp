#include "draft/host/EntityValueDlg.h"

#include "draft/host/HostResources.h"
#include "platform/core/ResourceSet.h"
#include "platform/ui/DataExchange.h"

namespace {

// Coordinates and lengths typed beyond this size would carry an entity far
// past anything a drawing shows (and a group's scale past what a double holds).
constexpr double kLargestValue = 1e12;
// Angles are taken within one turn either way, so that a span between two of
// them is brought into one turn in a step or two.
constexpr double kLargestAngle = 360.0;
// The smallest radius or semi-axis: the geometry tolerance.
constexpr double kSmallestLength = 1e-6;

struct Form {
  UINT id;
  const char* caption;
  int count;
  const char* labels[kMaxGeometryValues];
  unsigned positive;  // bit i: value i is a length that must be above 0
  unsigned angles;    // bit i: value i is an angle in degrees
};

const Form kForms[] = {
    {CEntityValueDlg::IDD_LINE, "直线", 4, {"起点X", "起点Y", "终点X", "终点Y"}, 0, 0},
    {CEntityValueDlg::IDD_CIRCLE, "圆", 3, {"圆心X", "圆心Y", "半径"}, 0x4, 0},
    {CEntityValueDlg::IDD_ARC, "圆弧", 5, {"圆心X", "圆心Y", "半径", "起始角", "终止角"}, 0x4, 0x18},
    {CEntityValueDlg::IDD_POINT, "点", 2, {"X", "Y"}, 0, 0},
    {CEntityValueDlg::IDD_ELLIPSE, "椭圆", 7, {"圆心X", "圆心Y", "半轴a", "半轴b", "转角", "起始角", "终止角"}, 0xC,
     0x70},
};

const Form& FormOf(EntityValueForm form) { return kForms[static_cast<int>(form)]; }

template <EntityValueForm F>
platform::DialogTemplate BuildTemplate() {
  using namespace platform::rc;
  using D = CEntityValueDlg;
  const Form& f = FormOf(F);
  const int buttons = 36 + 16 * f.count;
  platform::DialogTemplate t = Dialog(f.id, f.caption, {0, 0, 180, buttons + 22});
  t.Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
      .Font(9, "宋体")
      .LText("", D::kLayerText, {8, 6, 164, 8})
      .LText("", D::kGroupText, {8, 18, 164, 8});
  for (int i = 0; i < f.count; ++i) {
    const int y = 32 + 16 * i;
    t.LText(f.labels[i], IDC_STATIC, {8, y + 2, 48, 8})
        .EditText(D::kFirstValueEdit + i, {60, y, 112, 12}, ES_AUTOHSCROLL | WS_TABSTOP);
  }
  t.DefPushButton("确认", IDOK, {28, buttons, 50, 14}, WS_TABSTOP)
      .PushButton("取消", IDCANCEL, {102, buttons, 50, 14}, WS_TABSTOP);
  return t;
}

using TemplateBuilder = platform::DialogTemplate (*)();
const TemplateBuilder kBuilders[] = {
    &BuildTemplate<EntityValueForm::kLine>,  &BuildTemplate<EntityValueForm::kCircle>,
    &BuildTemplate<EntityValueForm::kArc>,   &BuildTemplate<EntityValueForm::kPoint>,
    &BuildTemplate<EntityValueForm::kEllipse>,
};

}  // namespace

UINT CEntityValueDlg::TemplateOf(EntityValueForm form) { return FormOf(form).id; }

CEntityValueDlg::CEntityValueDlg(CWnd* parent, EntityValueForm form, const double* values, const char* layerText,
                                 const char* groupText)
    : CDialog(TemplateOf(form), parent),
      form_(form),
      count_(FormOf(form).count),
      layerText_(layerText ? layerText : ""),
      groupText_(groupText ? groupText : "") {
  for (int i = 0; i < count_; ++i) given_[i] = values_[i] = values[i];
}

bool CEntityValueDlg::IsChanged() const {
  for (int i = 0; i < count_; ++i)
    if (values_[i] != given_[i]) return true;
  return false;
}

BOOL CEntityValueDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(kLayerText, layerText_);
  SetDlgItemText(kGroupText, groupText_);
  return TRUE;
}

void CEntityValueDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  const Form& f = FormOf(form_);
  for (int i = 0; i < count_; ++i) {
    const int id = kFirstValueEdit + i;
    if (!dx->m_bSaveAndValidate) {
      DDX_Text(dx, id, values_[i]);
      GetDlgItemText(id, shown_[i]);
      continue;
    }
    CStringA text;
    DDX_Text(dx, id, text);
    if (text == shown_[i]) {
      values_[i] = given_[i];  // left as shown: the exact value given
      continue;
    }
    DDX_Text(dx, id, values_[i]);
    if (f.positive & (1u << i))
      DDV_MinMaxDouble(dx, values_[i], kSmallestLength, kLargestValue);
    else if (f.angles & (1u << i))
      DDV_MinMaxDouble(dx, values_[i], -kLargestAngle, kLargestAngle);
    else
      DDV_MinMaxDouble(dx, values_[i], -kLargestValue, kLargestValue);
  }
}

CEntityValueDlg* ConstructEntityValueDlg(CWnd* parent, EntityValueForm form, const double* values,
                                         const char* layerText, const char* groupText) {
  EnsureHostDialogTemplate(u"Korrin.DLL", CEntityValueDlg::TemplateOf(form), kBuilders[static_cast<int>(form)]);
  return new CEntityValueDlg(parent, form, values, layerText, groupText);
}
