// Korrin's layers. Two numbers describe lines and must not be mixed up:
//
// - The line kind of the drafting standard, taken by GetLineKindLayer:
//   1 thick solid, 2 thin solid, 5 dashed, 6 dash-dot (centre lines),
//   8 double-dot-dash, 12 texts, 15/16/17 the detail-view kinds.
// - The line style code held in a layer record (CLayerRecord::GetLineKind):
//   0 thick solid, 1 thin solid, 2 centre line (dash-dot), 3 dashed,
//   4 double-dot-dash. "Line kind 2 of a layer record" is a centre-line layer.
//
// GetLineKindLayer(6) therefore names a layer whose record has line style 2.
#pragma once

#include <array>

#include "platform/core/String.h"

enum LayerLineStyle : int {
  kLineStyleThick = 0,
  kLineStyleThin = 1,
  kLineStyleCenter = 2,
  kLineStyleDashed = 3,
  kLineStylePhantom = 4,
};

class CLayerRecord {
 public:
  const CStringA& GetName() const { return name_; }
  void SetName(const char* name) { name_ = name ? name : ""; }
  // The record's line style code (see above); 2 is the centre line.
  int GetLineKind() const { return style_; }
  void SetLineKind(int style) { style_ = style; }
  // The standard line kind the layer is meant for (0 when none).
  int GetStandardKind() const { return standardKind_; }
  void SetStandardKind(int kind) { standardKind_ = kind; }

 private:
  CStringA name_;
  int style_ = kLineStyleThick;
  int standardKind_ = 0;
};

class CLayerTable {
 public:
  static constexpr int kLayerCount = 100;

  // The drawing's default layers: 0 thick solid (kind 1), 1 thin solid
  // (kind 2), 2 centre line (kind 6), 3 dashed (kind 5), 4 double-dot-dash
  // (kind 8), 5 texts (kind 12), 6/7/8 kinds 15/16/17; the rest thick solid.
  CLayerTable();

  // The record of a layer 0..99, or null outside that range.
  CLayerRecord* GetLayerRecord(int layer);
  const CLayerRecord* GetLayerRecord(int layer) const;
  // The first layer meant for a standard line kind, or -1.
  int FindLayerForKind(int kind) const;

 private:
  std::array<CLayerRecord, kLayerCount> records_;
};

CLayerRecord* GetLayerRecord(CLayerTable* table, int layer);

// The layer of a standard line kind in the drawing's default layer table
// (1 -> 0, 2 -> 1, 6 -> 2, 5 -> 3, 8 -> 4, 12 -> 5, 15/16/17 -> 6/7/8); the
// thick-line layer 0 for an unknown kind.
int GetLineKindLayer(int kind);
// The first layer (lowest number) whose record draws lines of a pattern
// and weight: pattern 0 continuous, 1 dashed, 2 dash-dot (centre line),
// 3 double-dot-dash; weight 1 thick, 0 thin (the weight tells only
// continuous lines apart: the other patterns are thin). So (2, 0) finds a
// centre-line layer (style 2), (0, 1) a thick one (style 0), (1, 0) a dashed
// one (style 3). The colour is the pen's colour index; layer records here
// keep no colour, so it does not narrow the search. A null table searches
// the default layers. -1 when no layer matches or the pattern is unknown.
int FindLayerByStyle(const CLayerTable* table, int pattern, int weight, int colour);
