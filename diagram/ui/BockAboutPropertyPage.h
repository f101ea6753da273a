// The description page (template 28004, "Description") of a block's
// property sheet: creates, edits, deletes (after confirmation 2) and
// converts the block's about document. With a description, create is
// disabled and the others enabled; without one, the reverse.
#pragma once

#include "platform/ui/PropertyPage.h"

class CDrawBlock;

class CBockAboutPropertyPage : public CPropertyPage {
  DECLARE_DYNAMIC(CBockAboutPropertyPage)

 public:
  enum { IDD = 28004 };
  enum ControlId {
    kConvertButton = 28109,
    kCreateButton = 28110,
    kDeleteButton = 28111,
    kEditButton = 28112,
  };

  explicit CBockAboutPropertyPage(CDrawBlock* block);

 protected:
  BOOL OnInitDialog() override;
  afx_msg void OnCreate();
  afx_msg void OnEdit();
  afx_msg void OnDelete();
  afx_msg void OnConvert();
  DECLARE_MESSAGE_MAP()

 private:
  void UpdateButtons();

  CDrawBlock* m_pBlock;
};
