#include "draft/host/LayerTable.h"

namespace {
struct DefaultLayer {
  int layer;
  const char* name;
  int style;
  int kind;
};
constexpr DefaultLayer kDefaults[] = {
    {0, "粗实线", kLineStyleThick, 1},        {1, "细实线", kLineStyleThin, 2},
    {2, "中心线", kLineStyleCenter, 6},       {3, "虚线", kLineStyleDashed, 5},
    {4, "双点划线", kLineStylePhantom, 8},    {5, "文字", kLineStyleThin, 12},
    {6, "局部放大", kLineStyleThin, 15},      {7, "局部放大标注", kLineStyleThin, 16},
    {8, "局部放大边界", kLineStylePhantom, 17},
};
}  // namespace

CLayerTable::CLayerTable() {
  for (int i = 0; i < kLayerCount; ++i) {
    CStringA name;
    name.Format("%d", i);
    records_[i].SetName(name);
  }
  for (const DefaultLayer& d : kDefaults) {
    records_[d.layer].SetName(d.name);
    records_[d.layer].SetLineKind(d.style);
    records_[d.layer].SetStandardKind(d.kind);
  }
}

CLayerRecord* CLayerTable::GetLayerRecord(int layer) {
  return layer >= 0 && layer < kLayerCount ? &records_[layer] : nullptr;
}

const CLayerRecord* CLayerTable::GetLayerRecord(int layer) const {
  return layer >= 0 && layer < kLayerCount ? &records_[layer] : nullptr;
}

int CLayerTable::FindLayerForKind(int kind) const {
  for (int i = 0; i < kLayerCount; ++i)
    if (records_[i].GetStandardKind() == kind) return i;
  return -1;
}

CLayerRecord* GetLayerRecord(CLayerTable* table, int layer) { return table ? table->GetLayerRecord(layer) : nullptr; }

int GetLineKindLayer(int kind) {
  for (const DefaultLayer& d : kDefaults)
    if (d.kind == kind) return d.layer;
  return 0;
}

int FindLayerByStyle(const CLayerTable* table, int pattern, int weight, int) {
  int style = -1;
  switch (pattern) {
    case 0: style = weight ? kLineStyleThick : kLineStyleThin; break;
    case 1: style = kLineStyleDashed; break;
    case 2: style = kLineStyleCenter; break;
    case 3: style = kLineStylePhantom; break;
    default: return -1;
  }
  static const CLayerTable defaults;
  const CLayerTable& t = table ? *table : defaults;
  for (int i = 0; i < CLayerTable::kLayerCount; ++i)
    if (t.GetLayerRecord(i)->GetLineKind() == style) return i;
  return -1;
}
