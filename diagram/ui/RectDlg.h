// The shape page (template 28013, "General") of an object's property sheet:
// line weight, line type, colours, fill and hatch, with a preview of the
// resulting rectangle.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/ui/PropertyPage.h"

class CDataExchange;

class CRectDlg : public CPropertyPage {
  DECLARE_DYNAMIC(CRectDlg)

 public:
  enum { IDD = 28013 };
  enum ControlId {
    kWeightEdit = 28096,
    kWeightSpin = 28132,
    kLineColorButton = 28139,
    kFillColorButton = 28140,
    kHatchColorButton = 28149,
    kUseHatchCheck = 28150,
    kNoFillCheck = 28085,
    kPreviewFrame = 28147,
  };
  // The line-type radios in pen-style order (PS_SOLID .. PS_INSIDEFRAME).
  static const int kPenStyleRadios[7];
  // The hatch radios in hatch-style order (HS_HORIZONTAL .. HS_DIAGCROSS).
  static const int kHatchStyleRadios[6];
  static constexpr UINT kMaxWeight = 20;

  CRectDlg();
  ~CRectDlg() override;

  // The values: filled by the caller, read after IDOK.
  UINT m_uLineWeight = 0;
  COLORREF m_crLineColor = 0;
  COLORREF m_crFillColor = 0xFFFFFF;
  COLORREF m_crHatchColor = 0;
  UINT m_nPenStyle = 0;
  UINT m_nHatchStyle = 3;
  BOOL m_bUseHatch = FALSE;
  BOOL m_bNoFill = FALSE;

  // The preview rectangle in the page's client coordinates (set when the
  // page is made).
  const CRect& GetPreviewRect() const { return m_rcPreview; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;

  afx_msg void OnChangeWeight();
  afx_msg void OnSolid();
  afx_msg void OnLineType(UINT id);
  afx_msg void OnHatchType(UINT id);
  afx_msg void OnNoFill();
  afx_msg void OnUseHatch();
  afx_msg void OnLineColor();
  afx_msg void OnFillColor();
  afx_msg void OnHatchColor();
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  // A wide line can only be solid: disables the dashed and dotted radios
  // and turns such a style into solid while the weight is above 0.
  void ApplyWeightRule();
  void ShowLineType();
  void ShowHatchType();
  void InvalidatePreview();
  // Opens the colour dialog at `color`; true and the new colour on OK.
  bool ChooseColor(COLORREF& color);
  // The weight typed in the edit, or the member when the text is no number.
  UINT TypedWeight() const;

  CRect m_rcPreview;
  CRect m_rcPreviewInvalid;
  BOOL m_bInitialized = FALSE;
};
