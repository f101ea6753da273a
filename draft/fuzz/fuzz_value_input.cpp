// Types arbitrary text into the value dialogs and presses OK: the number
// dialog (real and integer mode), the coordinate dialog (Cartesian or
// polar, absolute or relative), the length dialog (polar or not) and the
// radius dialog (radius or diameter, with or without reference geometry).
// The first byte chooses the dialog (low bits) and its modes, the second the drawing
// scale; the rest is the first edit's text and, behind a line feed, the
// second's. The dialogs run headless from their templates with the modal
// driver; a refused OK (the dialog still open) is followed by Cancel.
//
// Besides crashes, overflows, leaks and hangs, the target aborts when a
// dialog closes with OK on a value or point that is not finite, an integer
// that is not whole, or a radius outside its range.
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "draft/framework/CoordInputDlg.h"
#include "draft/framework/LengthInputDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "draft/framework/RadiusInputDlg.h"
#include "draft/fuzz/FuzzScratch.h"
#include "platform/ui/ModalDriver.h"

namespace {

constexpr double kScales[] = {1.0, 2.0, 0.5, 1e-3, 1000.0, 1e6, 3.7, 1e-6};

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

// Runs the dialog, typing the texts into the two edits (the second only when
// given) and pressing OK, then Cancel when OK was refused.
INT_PTR TypeAndOk(CDialog& dlg, int firstEdit, const CStringA& first, int secondEdit, const CStringA& second) {
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    s.EnterText(firstEdit, first);
    if (secondEdit) s.EnterText(secondEdit, second);
    s.Click(IDOK);
    if (s.IsRunning()) s.Click(IDCANCEL);
  });
  CModalDialogScope scope(nullptr);
  const INT_PTR answer = dlg.DoModal();
  fuzz::DeleteTemporaryWrappers();
  return answer;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::QuietHost();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const unsigned mode = data[0];
  const double scale = kScales[data[1] % (sizeof kScales / sizeof kScales[0])];
  const std::string rest(reinterpret_cast<const char*>(data) + 2, size - 2);
  const size_t feed = rest.find('\n');
  const CStringA first(rest.substr(0, feed).c_str());
  const CStringA second(feed == std::string::npos ? "" : rest.substr(feed + 1).c_str());
  const bool a = mode & 0x10, b = mode & 0x20;
  switch ((mode & 0x0F) % 5) {
    case 0: {
      CNumberInputDlg dlg(nullptr, nullptr, nullptr, 1.0, 0);
      if (TypeAndOk(dlg, CNumberInputDlg::kValueEdit, first, 0, second) == IDOK && !std::isfinite(dlg.GetValue()))
        std::abort();
      break;
    }
    case 1: {
      CNumberInputDlg dlg(nullptr, nullptr, nullptr, 1, 0);
      if (TypeAndOk(dlg, CNumberInputDlg::kValueEdit, first, 0, second) == IDOK) {
        const double v = dlg.GetValue();
        if (v != std::trunc(v) || v < INT_MIN || v > INT_MAX) std::abort();
      }
      break;
    }
    case 2: {
      CCoordInputDlg dlg(nullptr, scale, 0.0, 0.0, a, b, 0);
      dlg.SetBasePoint(1e300, -1e300);
      if (TypeAndOk(dlg, CCoordInputDlg::kFirstEdit, first, CCoordInputDlg::kSecondEdit, second) == IDOK &&
          !Finite(dlg.GetResultX(), dlg.GetResultY()))
        std::abort();
      break;
    }
    case 3: {
      CLengthInputDlg dlg(nullptr, scale, 0.0, 0.0, 0, a);
      dlg.SetBasePoint(b ? 1e300 : 0.0, 0.0);
      if (TypeAndOk(dlg, CLengthInputDlg::kLengthEdit, first, CLengthInputDlg::kSecondEdit, second) == IDOK &&
          !Finite(dlg.GetResultX(), dlg.GetResultY()))
        std::abort();
      break;
    }
    default: {
      CRadiusInputDlg dlg(nullptr, scale, 5.0, a ? 'D' : 'R');
      if (b) dlg.SetReferenceGeometry(0, 0, 10, 0, 5, 5, 1);
      if (TypeAndOk(dlg, CRadiusInputDlg::kValueEdit, first, 0, second) == IDOK) {
        if (!std::isfinite(dlg.GetValue()) || dlg.GetValue() <= 0) std::abort();
        if (!Finite(dlg.GetResultX(), dlg.GetResultY())) std::abort();
      }
      break;
    }
  }
  return 0;
}
