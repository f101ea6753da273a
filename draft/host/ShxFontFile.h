// Korrin's classification of SHX font files by their header. A file starts
// with "Scrivel <kind> 1.0", CR LF and Ctrl-Z: the kinds "shapes" and
// "unifont" are SHX fonts, "bigfont" an SHX big font.
#pragma once

enum ShxFileKind { kShxNotAFont = 0, kShxFont = 1, kShxBigFont = 2 };

// The kind of the file at `path` (resolved as every platform path is):
// kShxFont, kShxBigFont, or kShxNotAFont for any other file, a short one,
// or one that cannot be read.
int ClassifyShxFile(const char* path);
