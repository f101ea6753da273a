// Raster operations on pixels: the sixteen binary operations of SetROP2 and
// the 256 ternary operations of BitBlt and PatBlt, applied to the red, green
// and blue bits (the high byte of a pixel stays opaque).
#pragma once

#include <cstdint>

#include "platform/core/WinTypes.h"

namespace platform {

// R2_BLACK (1) .. R2_WHITE (16) of pen or brush colour P over destination D.
inline uint32_t ApplyRop2(int rop2, uint32_t p, uint32_t d) {
  // The operation's number less one is its truth table: bit (2p + d).
  const unsigned table = static_cast<unsigned>(rop2 - 1) & 0xF;
  uint32_t out = 0;
  if (table & 1) out |= ~p & ~d;
  if (table & 2) out |= ~p & d;
  if (table & 4) out |= p & ~d;
  if (table & 8) out |= p & d;
  return 0xFF000000u | (out & 0x00FFFFFFu);
}

// A ternary raster operation code (SRCCOPY...) of pattern P, source S and
// destination D: bits 16-23 of the code are its truth table, bit (4p + 2s + d).
inline uint32_t ApplyRop3(DWORD rop3, uint32_t p, uint32_t s, uint32_t d) {
  const unsigned table = (rop3 >> 16) & 0xFF;
  uint32_t out = 0;
  for (unsigned i = 0; i < 8; ++i) {
    if (!(table & (1u << i))) continue;
    out |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return 0xFF000000u | (out & 0x00FFFFFFu);
}

// Whether a ternary operation reads the pattern or the source.
inline bool Rop3UsesPattern(DWORD rop3) {
  const unsigned t = (rop3 >> 16) & 0xFF;
  return ((t >> 4) & 0x0F) != (t & 0x0F);
}
inline bool Rop3UsesSource(DWORD rop3) {
  const unsigned t = (rop3 >> 16) & 0xFF;
  return ((t >> 2) & 0x33) != (t & 0x33);
}

// The 8 x 8 hatch patterns, as pixel (u, v) of the cell that starts at the
// brush origin: true where the hatch line is.
inline bool HatchBit(int hatch, int u, int v) {
  switch (hatch) {
    case 0: return v == 7;                             // HS_HORIZONTAL
    case 1: return u == 7;                             // HS_VERTICAL
    case 2: return u == v;                             // HS_FDIAGONAL: down to the right
    case 3: return u + v == 7;                         // HS_BDIAGONAL: up to the right
    case 4: return u == 7 || v == 7;                   // HS_CROSS
    case 5: return u == v || u + v == 7;               // HS_DIAGCROSS
    default: return false;
  }
}

// A pixel as a monochrome device keeps it: white when bright, else black.
inline uint32_t ToMonochrome(uint32_t p) {
  const unsigned sum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
  return sum >= 3 * 128 ? 0xFFFFFFFFu : 0xFF000000u;
}

}  // namespace platform
