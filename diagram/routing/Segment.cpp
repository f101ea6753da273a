#include "diagram/routing/Segment.h"

Segment::Segment(int32_t track, int32_t start, int32_t end, Segment* after, int32_t state)
    : m_nTrack(track), m_nStart(start < 0 ? 0 : start), m_nEnd(end), m_nState(state) {
  if (after) {
    m_pPrev = after;
    m_pNext = after->m_pNext;
    if (m_pNext) m_pNext->m_pPrev = this;
    after->m_pNext = this;
  }
}

Segment::~Segment() { Unlink(); }

void Segment::LinkBefore(Segment* before) {
  m_pNext = before;
  m_pPrev = before ? before->m_pPrev : nullptr;
  if (m_pPrev) m_pPrev->m_pNext = this;
  if (before) before->m_pPrev = this;
}

void Segment::Unlink() {
  if (m_pPrev) m_pPrev->m_pNext = m_pNext;
  if (m_pNext) m_pNext->m_pPrev = m_pPrev;
  m_pPrev = nullptr;
  m_pNext = nullptr;
}
