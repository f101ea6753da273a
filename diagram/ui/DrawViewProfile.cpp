// The class-wide options of views in the "DrawView" section of the
// application profile.
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/document/ProfileSection.h"
#include "diagram/ui/DrawView.h"

UINT CDrawView::c_uNewViewScalePercent = 100;
BOOL CDrawView::c_bOpenDiagramWhenNesting = FALSE;
int CDrawView::c_nSelectionProximity = 4;
BOOL CDrawView::c_bShowGrid = TRUE;
COLORREF CDrawView::c_crGridColor = RGB(0, 0, 128);

namespace {

constexpr ProfileSection kSection(u"DrawView");
// "Bad SelectionProximity profile value, must be >= 0 and <= 10."
constexpr ULONG kBadSelectionProximity = 29;
constexpr int kMostProximity = 10;

}  // namespace

void CDrawView::GetProfile(UINT newViewScalePercent, BOOL openDiagramWhenNesting, int selectionProximity) {
  c_uNewViewScalePercent =
      static_cast<UINT>(kSection.ReadInt(u"NewViewScalePercent", static_cast<int>(newViewScalePercent)));
  c_bOpenDiagramWhenNesting = kSection.ReadInt(u"OpenDiagramWhenNesting", openDiagramWhenNesting);
  c_nSelectionProximity = kSection.ReadInt(u"SelectionProximity", selectionProximity);
  if (c_nSelectionProximity > kMostProximity) {
    CMsgBox::Notify(kBadSelectionProximity);
    c_nSelectionProximity = kMostProximity;
  } else if (c_nSelectionProximity < 0) {
    CMsgBox::Notify(kBadSelectionProximity);
    c_nSelectionProximity = 0;
  }
  c_bShowGrid = kSection.ReadInt(u"ShowGrid", 1);
  // One byte a key.
  const int red = kSection.ReadInt(u"GridColorRed", 0) & 255;
  const int green = kSection.ReadInt(u"GridColorGreen", 0) & 255;
  const int blue = kSection.ReadInt(u"GridColorBlue", 128) & 255;
  c_crGridColor = static_cast<COLORREF>(red + green * 256 + blue * 65536);
}

void CDrawView::WriteProfile() {
  kSection.WriteInt(u"NewViewScalePercent", static_cast<int>(c_uNewViewScalePercent));
  kSection.WriteInt(u"OpenDiagramWhenNesting", c_bOpenDiagramWhenNesting);
  kSection.WriteInt(u"SelectionProximity", c_nSelectionProximity);
  kSection.WriteInt(u"ShowGrid", c_bShowGrid);
  kSection.WriteInt(u"GridColorRed", GetRValue(c_crGridColor));
  kSection.WriteInt(u"GridColorGreen", GetGValue(c_crGridColor));
  kSection.WriteInt(u"GridColorBlue", GetBValue(c_crGridColor));
}
