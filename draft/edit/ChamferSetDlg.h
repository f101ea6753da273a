// The chamfer settings (template 143, "倒角参数"): the chamfer kind (45
// degrees, 30 degrees or other), the first length, and for other chamfers a
// second value that is a length or an angle, with the show-always flag. The
// values are kept in "ChemferSetting"; OK also writes "Len2", the second leg
// the chamfer command uses.
#pragma once

#include "draft/host/BaseDialog.h"

class CChamferSetDlg : public CBaseDialog {
 public:
  enum { IDD = 143 };
  enum ControlId {
    k45Radio = 1106, k30Radio = 370, kOtherRadio = 2251, kLengthEdit = 1173, kSecondKindCombo = 2270,
    kSecondEdit = 1003, kShowAlwaysCheck = 1069,
  };

  explicit CChamferSetDlg(CWnd* parent);

  static constexpr const char* kSection = "ChemferSetting";

  int GetKind() const { return kind_; }
  // The second leg for the kind and values given: the first length for
  // kind 1, tan 30° times it for kind 2; for kind 3 the second value when
  // it is a length (secondKind 0), else tan(unit × value) times the first
  // length, 0 when the angle's sine or cosine is within 1e-5 of 0.
  static double ComputeSecondLength(int kind, int secondKind, double firstLength, double secondValue,
                                    double angleUnit);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;
  afx_msg void On45();
  afx_msg void On30();
  afx_msg void OnOther();
  DECLARE_MESSAGE_MAP()

 private:
  // The second value and its kind are open for kind 3 only.
  void EnableSecondValue();
  void OnKindRadio(int id, int kind);

  // Members, in order.
  int kind_ = 1;
  int showAlways_ = 1;
  int secondKind_ = 0;
  double firstLength_ = 5.0;
  double secondValue_ = 5.0;
};
