// The host stand-in's drawing file: a UTF-8 text that lists a view's
// drawing, one entity a line, so that a person or a test can read what a
// session drew.
//
//   scrivel-drawing 1
//   group "零件" 1 0 0                  name, scale, origin x, origin y
//   line 0 "零件" 10 100 90 100        kind, layer, group, geometry
//   circle 2 - 140 60 25               "-": no group
//   text 5 - 10 20 "标题"              a text adds its characters
//   block 0 - {                        a block's members follow, indented,
//     line 0 - 0 0 5 5                 up to the closing brace
//   }
//   curve 0 - open fit 2 0 0 5 5 {     a compound curve: closed or open, its
//     line 0 - 0 0 5 5                 fit points, then its segments
//   }
//   eqcurve 1 - "玫瑰线;;45*sin(4*t);t;0;360;4;1;1" axes 0 kind 1 type 0 at 100 100 {
//     line 1 - ...                     an equation curve: its record, the
//   }                                  show-axes flag, line kind, axis type
//                                      and origin, then its members
//
// The groups come first, in the group table's order. Then the entities: the
// entity list, then the selection list. Geometry is in drawing (shown)
// coordinates, as CEntity::GetGeometry gives it: line x1 y1 x2 y2; circle
// cx cy r; arc cx cy r start end (degrees, counter-clockwise); ellipse cx cy
// a b rotation start end; point x y; text x y (insertion point); twopoint
// x1 y1 x2 y2. Numbers are written in the shortest form that reads back to
// the same double. Names and texts are GBK in the program and UTF-8 in the
// file, in double quotes with \" and \\ escaped.
//
// A saved drawing (a scratch drawing written by SaveDrawingFile, see
// ScratchDrawing.h; the block commands' *.gdf, *.btl and *.btf files) holds
// what reading it back needs besides. After the first line:
//
//   saved 1 0 1 base 10 20 1           the three file flags, the base point
//                                      and whether it is given
//   group "零件" 2 0 0 flags 0 1 0 items 1 "材料" "字符串" "钢" 1
//                                      flag A, picked whole, flag C, then the
//                                      group's attribute items (name, type,
//                                      value, shown), when it has any
//   active "零件"                       the active group, when there is one
//
// and at the end of an entity's line, before a block's brace: a text's
// attributes ("attr" height, width factor, angle, slant, spacing,
// alignment, style, font name, line spacing, font style, Chinese and Western
// font indexes, TrueType, SHX and big font names; "place" its placement
// code; "box" x0 y0 x1 y1 when it has a placement box), a point's "style"
// type and size, a two-point entity's "sizes" and "segments" (a count and
// each segment's ends), then any entity's "items" as for groups.
// DrawingFileReader.h reads both forms.
#pragma once

#include <filesystem>
#include <string>

class CDraftView;
class CScratchDrawing;

// The file's text for the view's drawing.
std::string FormatDrawingFile(CDraftView& view);

// The file's text for a saved scratch drawing, with its header, group
// flags, active group and the entities' details.
std::string FormatSavedDrawing(const CScratchDrawing& drawing);

// Writes the drawing to `path` (a UTF-8 file name). The text goes to a new
// file beside it that is flushed and renamed over `path` once complete
// (platform::ReplaceFileBytes), so a failure leaves no half-written file and
// an older file intact. False on failure, with the reason in `error` when
// given.
bool WriteDrawingFile(CDraftView& view, const std::filesystem::path& path, std::string* error = nullptr);
