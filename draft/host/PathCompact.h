// Tressil's path compacting for captions and labels: a path longer than the
// limit keeps its start and its file name with "..." between them, or, when
// the file name alone is too long, "..." and the end of the file name. The
// limit counts bytes of the multibyte (GBK) text, and no character is cut
// in two.
#pragma once

#include "platform/core/String.h"

// The path as it fits in `limit` bytes (at least 4); a path that fits is
// returned unchanged.
CStringA CompactPath(const char* path, int limit);
