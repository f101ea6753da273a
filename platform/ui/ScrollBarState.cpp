#include "platform/ui/ScrollBarState.h"

#include <algorithm>
#include <cstdint>

namespace platform {

int ScrollBarState::Limit() const {
  const int64_t limit = int64_t(max) - std::max<int64_t>(int64_t(page) - 1, 0);
  return static_cast<int>(std::max<int64_t>(limit, min));
}

int ScrollBarState::Set(const SCROLLINFO& info) {
  if (info.fMask & SIF_RANGE) {
    min = info.nMin;
    max = std::max(info.nMin, info.nMax);
  }
  if (info.fMask & SIF_PAGE) page = info.nPage;
  // The page never exceeds the range (max - min + 1, computed wide).
  const int64_t range = int64_t(max) - min + 1;
  if (int64_t(page) > range) page = static_cast<UINT>(range);
  if (info.fMask & SIF_POS) pos = info.nPos;
  pos = std::clamp(pos, min, Limit());
  trackPos = std::clamp(trackPos, min, Limit());
  return pos;
}

void ScrollBarState::Get(SCROLLINFO& info) const {
  if (info.fMask & SIF_RANGE) {
    info.nMin = min;
    info.nMax = max;
  }
  if (info.fMask & SIF_PAGE) info.nPage = page;
  if (info.fMask & SIF_POS) info.nPos = pos;
  if (info.fMask & SIF_TRACKPOS) info.nTrackPos = tracking ? trackPos : pos;
}

}  // namespace platform
