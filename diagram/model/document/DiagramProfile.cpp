// The class-wide options of diagrams in the "DrawDiagram" section of the
// application profile. A bad stored value is reported (CMsgBox::Notify) and
// replaced as each check says.
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/document/ProfileSection.h"
#include "platform/core/String.h"

namespace {

constexpr ProfileSection kSection(u"DrawDiagram");

// Notification codes of bad values.
enum : ULONG {
  kBadArcFlags = 8,
  kBadAutoRouteMode = 9,
  kBadAutoRouteMethod = 10,
  kBadRouteWhat = 11,
  kBadManualRouteMethod = 12,
  kBadLastValidMethod = 13,
  kBadLastValidMode = 14,
  kBadTopMargin = 15,
  kBadBottomMargin = 16,
  kBadLeftMargin = 17,
  kBadRightMargin = 18,
  kBadMinDistance = 19,
};

// A margin that must not be negative.
int ReadMargin(const WCHAR* entry, int defaultValue, ULONG badCode) {
  const int value = kSection.ReadInt(entry, defaultValue);
  if (value >= 0) return value;
  CMsgBox::Notify(badCode);
  return defaultValue;
}

}  // namespace

void CDiagram::GetProfile(LPCWSTR, int arcFlags, BOOL allowPencil, BOOL capture, UINT defaultMode,
                          UINT defaultMethod, BOOL canCancel, BOOL singleUse, BOOL moveUsesOle) {
  // The Shift and Control key flags, either, both or neither.
  m_nArcFlags4OrthogonalLines = kSection.ReadInt(u"ArcFlags4OrthogonalLines", arcFlags);
  if ((m_nArcFlags4OrthogonalLines & ~12) != 0) {
    CStringW allowed;
    allowed.Format(u"%d, %d, %d, 0", 4, 8, 12);
    CMsgBox::Notify(kBadArcFlags, allowed.GetString());
    m_nArcFlags4OrthogonalLines &= 12;
  }
  m_bAllowArcPencilMode = kSection.ReadInt(u"AllowArcPencilMode", allowPencil);
  m_bCaptureArcCreation = kSection.ReadInt(u"CaptureArcCreation", capture);

  m_nDefaultArcAutoRouteMode =
      static_cast<UINT>(kSection.ReadInt(u"DefaultArcAutoRouteMode", static_cast<int>(defaultMode)));
  if (m_nDefaultArcAutoRouteMode > 2) {
    CMsgBox::Notify(kBadAutoRouteMode);
    m_nDefaultArcAutoRouteMode = 0;
  }
  m_nDefaultArcAutoRouteMethod =
      static_cast<UINT>(kSection.ReadInt(u"DefaultArcAutoRouteMethod", static_cast<int>(defaultMethod)));
  if (m_nDefaultArcAutoRouteMethod == 0) {
    // Without a method there is no automatic routing.
    CMsgBox::Notify(kBadAutoRouteMethod);
    m_nDefaultArcAutoRouteMode = 0;
  }
  m_bCanArcRoutingBeCancelled = kSection.ReadInt(u"CanArcRoutingBeCancelled", canCancel);
  m_bArcToolSingleUse = kSection.ReadInt(u"ArcToolSingleUse", singleUse);
  m_bMoveUsesOleDragAndDrop = kSection.ReadInt(u"MoveUsesOleDragAndDrop", moveUsesOle);

  m_nRouteWhat = kSection.ReadInt(u"RouteWhat", 0);
  if (m_nRouteWhat < 0 || m_nRouteWhat > 2) {
    m_nRouteWhat = 0;
    CMsgBox::Notify(kBadRouteWhat);
  }
  m_bSelectedArcs = kSection.ReadInt(u"SelectedArcs", 1);
  m_bSelectedNodes = kSection.ReadInt(u"SelectedNodes", 1);
  m_bSelectedBlocks = kSection.ReadInt(u"SelectedBlocks", 1);

  const UINT validMethod = m_nDefaultArcAutoRouteMethod != 0 ? m_nDefaultArcAutoRouteMethod : 1;
  m_nManualRouteMethod =
      static_cast<UINT>(kSection.ReadInt(u"ManualRouteMethod", static_cast<int>(m_nDefaultArcAutoRouteMethod)));
  if (m_nManualRouteMethod == 0) {
    m_nManualRouteMethod = validMethod;
    CMsgBox::Notify(kBadManualRouteMethod);
  }
  m_nLastValidAutoRouteMethod =
      static_cast<UINT>(kSection.ReadInt(u"LastValidAutoRouteMethod", static_cast<int>(validMethod)));
  if (m_nLastValidAutoRouteMethod == 0) {
    m_nLastValidAutoRouteMethod = validMethod;
    CMsgBox::Notify(kBadLastValidMethod);
  }
  // The last mode that routed: with routing off by default, new arcs only.
  const int validMode = m_nDefaultArcAutoRouteMode != 0 ? static_cast<int>(m_nDefaultArcAutoRouteMode) : 1;
  const int lastMode = kSection.ReadInt(u"LastValidAutoRouteMode", validMode);
  if (lastMode < 1 || lastMode > 2) {
    m_nLastValidAutoRouteMode = 1;
    CMsgBox::Notify(kBadLastValidMode);
  } else {
    m_nLastValidAutoRouteMode = static_cast<UINT>(lastMode);
  }

  m_autoRouteOption.m_nTopMargin = ReadMargin(u"RouteTopMargin", 21, kBadTopMargin);
  m_autoRouteOption.m_nBottomMargin = ReadMargin(u"RouteBottomMargin", 15, kBadBottomMargin);
  m_autoRouteOption.m_nLeftMargin = ReadMargin(u"RouteLeftMargin", 15, kBadLeftMargin);
  m_autoRouteOption.m_nRightMargin = ReadMargin(u"RouteRightMargin", 15, kBadRightMargin);
  m_autoRouteOption.m_nMinDistance = kSection.ReadInt(u"RouteMinDistance", 10);
  if (m_autoRouteOption.m_nMinDistance < 2 || m_autoRouteOption.m_nMinDistance > 20) {
    m_autoRouteOption.m_nMinDistance = 10;
    CMsgBox::Notify(kBadMinDistance);
  }
  m_autoRouteOption.m_bRouteJustBlocks = kSection.ReadInt(u"RouteJustBlocks", 0);
}

void CDiagram::WriteProfile() {
  kSection.WriteInt(u"ArcFlags4OrthogonalLines", m_nArcFlags4OrthogonalLines);
  kSection.WriteInt(u"AllowArcPencilMode", m_bAllowArcPencilMode);
  kSection.WriteInt(u"CaptureArcCreation", m_bCaptureArcCreation);
  kSection.WriteInt(u"DefaultArcAutoRouteMode", static_cast<int>(m_nDefaultArcAutoRouteMode));
  kSection.WriteInt(u"DefaultArcAutoRouteMethod", static_cast<int>(m_nDefaultArcAutoRouteMethod));
  kSection.WriteInt(u"CanArcRoutingBeCancelled", m_bCanArcRoutingBeCancelled);
  kSection.WriteInt(u"ArcToolSingleUse", m_bArcToolSingleUse);
  kSection.WriteInt(u"MoveUsesOleDragAndDrop", m_bMoveUsesOleDragAndDrop);
  kSection.WriteInt(u"RouteWhat", m_nRouteWhat);
  kSection.WriteInt(u"SelectedArcs", m_bSelectedArcs);
  kSection.WriteInt(u"SelectedNodes", m_bSelectedNodes);
  kSection.WriteInt(u"SelectedBlocks", m_bSelectedBlocks);
  kSection.WriteInt(u"ManualRouteMethod", static_cast<int>(m_nManualRouteMethod));
  kSection.WriteInt(u"LastValidAutoRouteMethod", static_cast<int>(m_nLastValidAutoRouteMethod));
  kSection.WriteInt(u"LastValidAutoRouteMode", static_cast<int>(m_nLastValidAutoRouteMode));
  kSection.WriteInt(u"RouteTopMargin", m_autoRouteOption.m_nTopMargin);
  kSection.WriteInt(u"RouteBottomMargin", m_autoRouteOption.m_nBottomMargin);
  kSection.WriteInt(u"RouteLeftMargin", m_autoRouteOption.m_nLeftMargin);
  kSection.WriteInt(u"RouteRightMargin", m_autoRouteOption.m_nRightMargin);
  kSection.WriteInt(u"RouteMinDistance", m_autoRouteOption.m_nMinDistance);
  kSection.WriteInt(u"RouteJustBlocks", m_autoRouteOption.m_bRouteJustBlocks);
}

UINT CDiagram::GetPreferredAutoRouteMethod() {
  if (m_nDefaultArcAutoRouteMethod >= 1 && m_nDefaultArcAutoRouteMethod <= 3) return m_nDefaultArcAutoRouteMethod;
  // The class-wide method may have been cleared since the profile was read:
  // the stored one is taken when it names a router.
  const int stored = kSection.ReadInt(u"DefaultArcAutoRouteMethod", 0);
  if (stored >= 1 && stored <= 3) {
    m_nDefaultArcAutoRouteMethod = static_cast<UINT>(stored);
  } else {
    CMsgBox::Notify(kBadAutoRouteMethod);
    m_nDefaultArcAutoRouteMethod = 1;
  }
  return m_nDefaultArcAutoRouteMethod;
}
