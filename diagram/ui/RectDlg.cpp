#include "diagram/ui/RectDlg.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Pen.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/WindowDC.h"

IMPLEMENT_DYNAMIC(CRectDlg, CPropertyPage)

const int CRectDlg::kPenStyleRadios[7] = {28138, 28141, 28142, 28143, 28144, 28145, 28146};
const int CRectDlg::kHatchStyleRadios[6] = {28151, 28152, 28153, 28154, 28155, 28156};

BEGIN_MESSAGE_MAP(CRectDlg, CPropertyPage)
  ON_EN_CHANGE(CRectDlg::kWeightEdit, OnChangeWeight)
  ON_BN_CLICKED(28138, OnSolid)
  ON_CONTROL_RANGE(BN_CLICKED, 28141, 28146, OnLineType)
  ON_CONTROL_RANGE(BN_CLICKED, 28151, 28156, OnHatchType)
  ON_BN_CLICKED(CRectDlg::kNoFillCheck, OnNoFill)
  ON_BN_CLICKED(CRectDlg::kUseHatchCheck, OnUseHatch)
  ON_BN_CLICKED(CRectDlg::kLineColorButton, OnLineColor)
  ON_BN_CLICKED(CRectDlg::kFillColorButton, OnFillColor)
  ON_BN_CLICKED(CRectDlg::kHatchColorButton, OnHatchColor)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CRectDlg::CRectDlg() : CPropertyPage(IDD) {}

CRectDlg::~CRectDlg() = default;

void CRectDlg::DoDataExchange(CDataExchange* dx) {
  CPropertyPage::DoDataExchange(dx);
  DDX_Text(dx, kWeightEdit, m_uLineWeight);
  DDV_MinMaxUInt(dx, m_uLineWeight, 0, kMaxWeight);
  DDX_Check(dx, kUseHatchCheck, m_bUseHatch);
  DDX_Check(dx, kNoFillCheck, m_bNoFill);
}

BOOL CRectDlg::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (auto* spin = static_cast<CSpinButtonCtrl*>(GetDlgItem(kWeightSpin))) {
    spin->SetRange(0, static_cast<short>(kMaxWeight));
    spin->SetBase(10);
    spin->SetPos(static_cast<int>(m_uLineWeight));
  }
  if (CWnd* frame = GetDlgItem(kPreviewFrame)) {
    frame->GetWindowRect(&m_rcPreview);
    ScreenToClient(&m_rcPreview);
  }
  m_rcPreviewInvalid = m_rcPreview;
  m_rcPreviewInvalid.InflateRect(10, 10);
  CheckDlgButton(kNoFillCheck, m_bNoFill ? BST_CHECKED : BST_UNCHECKED);
  m_bInitialized = TRUE;
  ApplyWeightRule();
  ShowHatchType();
  return TRUE;
}

void CRectDlg::ApplyWeightRule() {
  if (!UpdateData(TRUE)) return;
  const BOOL thin = m_uLineWeight == 0;
  for (int i = PS_DASH; i <= PS_DASHDOTDOT; ++i) {
    if (CWnd* radio = GetDlgItem(kPenStyleRadios[i])) radio->EnableWindow(thin);
  }
  if (!thin && m_nPenStyle != PS_SOLID && m_nPenStyle != PS_NULL && m_nPenStyle != PS_INSIDEFRAME) {
    m_nPenStyle = PS_SOLID;
  }
  ShowLineType();
  InvalidatePreview();
}

void CRectDlg::ShowLineType() {
  if (m_nPenStyle > PS_INSIDEFRAME) m_nPenStyle = PS_SOLID;
  for (int i = 0; i < 7; ++i) {
    CheckDlgButton(kPenStyleRadios[i], static_cast<UINT>(i) == m_nPenStyle ? BST_CHECKED : BST_UNCHECKED);
  }
}

void CRectDlg::ShowHatchType() {
  if (m_nHatchStyle > HS_DIAGCROSS) m_nHatchStyle = HS_HORIZONTAL;
  for (int i = 0; i < 6; ++i) {
    CheckDlgButton(kHatchStyleRadios[i], static_cast<UINT>(i) == m_nHatchStyle ? BST_CHECKED : BST_UNCHECKED);
  }
  CheckDlgButton(kUseHatchCheck, m_bUseHatch ? BST_CHECKED : BST_UNCHECKED);
}

void CRectDlg::InvalidatePreview() {
  if (GetSafeHwnd()) InvalidateRect(&m_rcPreviewInvalid);
}

void CRectDlg::OnChangeWeight() {
  if (m_bInitialized) ApplyWeightRule();
}

void CRectDlg::OnSolid() {
  m_nPenStyle = PS_SOLID;
  InvalidatePreview();
}

void CRectDlg::OnLineType(UINT id) {
  for (int i = 0; i < 7; ++i) {
    if (kPenStyleRadios[i] == static_cast<int>(id)) m_nPenStyle = static_cast<UINT>(i);
  }
  InvalidatePreview();
}

void CRectDlg::OnHatchType(UINT id) {
  const UINT style = id - kHatchStyleRadios[0];
  if (style != m_nHatchStyle) {
    m_nHatchStyle = style;
    m_bUseHatch = TRUE;
    CheckDlgButton(kUseHatchCheck, BST_CHECKED);
  }
  InvalidatePreview();
}

void CRectDlg::OnNoFill() {
  m_bNoFill = !m_bNoFill;
  InvalidatePreview();
}

void CRectDlg::OnUseHatch() {
  m_bUseHatch = !m_bUseHatch;
  InvalidatePreview();
}

bool CRectDlg::ChooseColor(COLORREF& color) {
  CColorDialog dialog(color, 0, this);
  if (dialog.DoModal() != IDOK) return false;
  color = dialog.GetColor();
  return true;
}

void CRectDlg::OnLineColor() {
  if (ChooseColor(m_crLineColor)) InvalidatePreview();
}

void CRectDlg::OnFillColor() {
  if (!ChooseColor(m_crFillColor)) return;
  m_bNoFill = FALSE;
  CheckDlgButton(kNoFillCheck, BST_UNCHECKED);
  InvalidatePreview();
}

void CRectDlg::OnHatchColor() {
  if (!ChooseColor(m_crHatchColor)) return;
  m_bUseHatch = TRUE;
  CheckDlgButton(kUseHatchCheck, BST_CHECKED);
  InvalidatePreview();
}

UINT CRectDlg::TypedWeight() const {
  BOOL translated = FALSE;
  const UINT weight = GetDlgItemInt(kWeightEdit, &translated, FALSE);
  return translated && weight <= kMaxWeight ? weight : m_uLineWeight;
}

void CRectDlg::OnPaint() {
  CPaintDC dc(this);
  // The weight is read quietly: a half-typed number must not raise the
  // range message from inside a paint.
  m_uLineWeight = TypedWeight();
  m_bUseHatch = IsDlgButtonChecked(kUseHatchCheck) == BST_CHECKED;
  m_bNoFill = IsDlgButtonChecked(kNoFillCheck) == BST_CHECKED;
  CPen pen(static_cast<int>(m_nPenStyle), static_cast<int>(m_uLineWeight), m_crLineColor);
  CBrush brush;
  if (m_bUseHatch) {
    brush.CreateHatchBrush(static_cast<int>(m_nHatchStyle), m_crHatchColor);
  } else {
    brush.CreateSolidBrush(m_bNoFill ? RGB(0xC0, 0xC0, 0xC0) : m_crFillColor);
  }
  CPen* oldPen = dc.SelectObject(&pen);
  CBrush* oldBrush = dc.SelectObject(&brush);
  dc.SetBkMode(m_bNoFill ? TRANSPARENT : OPAQUE);
  dc.SetBkColor(m_crFillColor);
  dc.Rectangle(&m_rcPreview);
  dc.SelectObject(oldBrush);
  dc.SelectObject(oldPen);
}
