// The class-wide options of views in the "DrawView" section of the
// application profile.
#include "diagram/model/document/MsgBox.h"
#include "diagram/ui/DrawView.h"
#include "platform/core/Profile.h"

UINT CDrawView::c_uNewViewScalePercent = 100;
BOOL CDrawView::c_bOpenDiagramWhenNesting = FALSE;
int CDrawView::c_nSelectionProximity = 4;
BOOL CDrawView::c_bShowGrid = TRUE;
COLORREF CDrawView::c_crGridColor = RGB(0, 0, 128);

namespace {

constexpr const WCHAR* kSection = u"DrawView";
// "Bad SelectionProximity profile value, must be >= 0 and <= 10."
constexpr ULONG kBadSelectionProximity = 29;
constexpr int kMostProximity = 10;

int ReadInt(const WCHAR* entry, int defaultValue) {
  return static_cast<int>(platform::GetProfileInt(kSection, entry, defaultValue));
}

void WriteInt(const WCHAR* entry, int value) { platform::WriteProfileInt(kSection, entry, value); }

}  // namespace

void CDrawView::GetProfile(UINT newViewScalePercent, BOOL openDiagramWhenNesting, int selectionProximity) {
  c_uNewViewScalePercent = static_cast<UINT>(ReadInt(u"NewViewScalePercent", static_cast<int>(newViewScalePercent)));
  c_bOpenDiagramWhenNesting = ReadInt(u"OpenDiagramWhenNesting", openDiagramWhenNesting);
  c_nSelectionProximity = ReadInt(u"SelectionProximity", selectionProximity);
  if (c_nSelectionProximity > kMostProximity) {
    CMsgBox::Notify(kBadSelectionProximity);
    c_nSelectionProximity = kMostProximity;
  } else if (c_nSelectionProximity < 0) {
    CMsgBox::Notify(kBadSelectionProximity);
    c_nSelectionProximity = 0;
  }
  c_bShowGrid = ReadInt(u"ShowGrid", 1);
  // One byte a key.
  const int red = ReadInt(u"GridColorRed", 0) & 255;
  const int green = ReadInt(u"GridColorGreen", 0) & 255;
  const int blue = ReadInt(u"GridColorBlue", 128) & 255;
  c_crGridColor = static_cast<COLORREF>(red + green * 256 + blue * 65536);
}

void CDrawView::WriteProfile() {
  WriteInt(u"NewViewScalePercent", static_cast<int>(c_uNewViewScalePercent));
  WriteInt(u"OpenDiagramWhenNesting", c_bOpenDiagramWhenNesting);
  WriteInt(u"SelectionProximity", c_nSelectionProximity);
  WriteInt(u"ShowGrid", c_bShowGrid);
  WriteInt(u"GridColorRed", GetRValue(c_crGridColor));
  WriteInt(u"GridColorGreen", GetGValue(c_crGridColor));
  WriteInt(u"GridColorBlue", GetBValue(c_crGridColor));
}
