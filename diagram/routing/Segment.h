// Segment: one free stretch of a track of the segment router. The stretches
// of one track form a doubly linked list sorted by start; the router owns
// them and keeps the head of each track. A search marks the stretches it
// reaches with their predecessor, cost and state.
#pragma once

#include <cstdint>

class Segment {
 public:
  // The state of a stretch.
  enum : int32_t {
    kFree = 0,
    kReached = 1,      // reached in the current search
    kPin = 2,          // holds a wire end; reusable only as a search's source
    kPinReached = 3,   // a pin stretch reached as the source
  };

  // Stores the values (a negative start becomes 0) and, when `after` is
  // given, links the new stretch right behind it.
  Segment(int32_t track, int32_t start, int32_t end, Segment* after, int32_t state);
  Segment(const Segment&) = delete;
  Segment& operator=(const Segment&) = delete;
  // Leaves the list it is linked in.
  ~Segment();

  // Links this (unlinked) stretch right before `before`.
  void LinkBefore(Segment* before);
  // Takes the stretch out of its list; its neighbours are joined.
  void Unlink();
  bool Covers(int32_t coordinate) const { return m_nStart <= coordinate && coordinate <= m_nEnd; }

  Segment* m_pNext = nullptr;
  Segment* m_pPrev = nullptr;
  int32_t m_nTrack;
  int32_t m_nStart;
  int32_t m_nEnd;
  Segment* m_pPredecessor = nullptr;
  int32_t m_nReserved[2] = {0, 0};
  int32_t m_nCost = 0;
  int32_t m_nState;
};
