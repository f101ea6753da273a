// Walking a GBK text by characters: a lead byte (0x81-0xFE) followed by a
// byte is one double-byte character; a lead byte at the very end counts as
// one byte.
#pragma once

#include "platform/core/Charset.h"
#include "platform/core/String.h"

// The length in bytes (1 or 2) of the character that starts at byte `i`.
inline int GbkCharLength(const CStringA& text, int i) {
  return platform::IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.GetLength() ? 2 : 1;
}

// The byte index of the text's last character (-1 for an empty text).
inline int GbkLastCharStart(const CStringA& text) {
  int last = -1;
  for (int i = 0; i < text.GetLength(); i += GbkCharLength(text, i)) last = i;
  return last;
}

// Whether the text's last character is the one-byte `c` (never the trail
// byte of a double-byte character: "丂" ends in the byte 0x40 but not in '@').
inline bool GbkEndsWithChar(const CStringA& text, char c) {
  const int last = GbkLastCharStart(text);
  return last >= 0 && last == text.GetLength() - 1 && text[last] == c;
}

// The longest head of the text, in whole characters, of at most `limit` bytes.
inline int GbkWholeCharBytes(const CStringA& text, int limit) {
  int keep = 0;
  while (keep < text.GetLength()) {
    const int step = GbkCharLength(text, keep);
    if (keep + step > limit) break;
    keep += step;
  }
  return keep;
}
