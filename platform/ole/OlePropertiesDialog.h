// COlePropertiesDialog: the object-properties dialog of an item. It shows
// the kind (IDC_GP_OBJECTTYPE), the size (IDC_GP_OBJECTSIZE, in
// centimetres), a link's file (IDC_GP_OBJECTLOCATION) and the scale in
// percent (IDC_VP_SCALETXT), which the user may change within the range
// the container gives. On OK a changed scale goes to OnApplyScale, which a
// container overrides to resize the object; the base does nothing with it.
#pragma once

#include "platform/ui/CommonDialog.h"

class COleClientItem;

class COlePropertiesDialog : public CCommonDialog {
  DECLARE_DYNAMIC(COlePropertiesDialog)

 public:
  COlePropertiesDialog(COleClientItem* item, UINT scaleMin = 10, UINT scaleMax = 500, CWnd* parent = nullptr);

  INT_PTR DoModal() override;
  // The scale in percent (100 until the user changes it).
  int GetScale() const { return m_nScale; }

  // A changed scale; returns whether it was applied.
  virtual BOOL OnApplyScale(COleClientItem* item, int scale, BOOL relativeToOrig);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  COleClientItem* m_pItem;
  UINT m_nScaleMin;
  UINT m_nScaleMax;
  int m_nScale = 100;
};
