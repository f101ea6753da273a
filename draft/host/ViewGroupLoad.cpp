// CDraftView: loading a stored group for an insertion, and the outline
// search an insertion's automatic hiding starts from.
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <unordered_map>
#include <vector>

#include "draft/host/DraftView.h"
#include "draft/host/DrawingFileReader.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/GroupLoading.h"
#include "draft/host/InsertServices.h"
#include "draft/host/LoopClipRegion.h"
#include "draft/host/ScratchDrawing.h"
#include "draft/host/Settings.h"

namespace {
// The block file of a group name: N.gdf in the "Block Path" folder.
CStringA BlockFilePath(const char* name) {
  CStringA file(name);
  const CStringA lower = CStringA(name).MakeLower();
  if (lower.GetLength() < 4 || lower.Right(4) != ".gdf") file += ".gdf";
  CStringA folder = GetProfileStringSetting("User Path", "Block Path", "");
  if (!folder.IsEmpty() && folder.Right(1) != "\\" && folder.Right(1) != "/") folder += "\\";
  return folder + file;
}
}  // namespace

int CDraftView::LoadGroupByName(const char* name, int, DWORD, int, int, int, int, int, double* baseX, double* baseY,
                                CInsertContext* context, CGroupTable* groups, CAttributeItemList*) {
  if (!name || !*name || !groups) return 0;
  const CStringA path = BlockFilePath(name);
  CScratchDrawing file;
  if (!ReadDrawingFile(path, file)) return 0;
  const int loaded = MoveLoadedDrawing(file, *GetSelectionList(), *groups);
  const DrawingFileHeader& header = file.GetHeader();
  if (baseX) *baseX = header.baseFlag ? header.baseX : 0.0;
  if (baseY) *baseY = header.baseFlag ? header.baseY : 0.0;
  if (context) {
    context->source = path;
    context->loaded = loaded;
  }
  return 1;
}

BOOL CDraftView::FindClosedBoundary(const CEntityList& source, CEntityList& boundary, CEntityList& second, double x,
                                    double y, int hideCentre, int hideThin, CInsertContext*, int) {
  CEntityList all;
  for (const CEntity* e : source) e->ListInto(all);
  // The first side met from (x, y) towards +x.
  const CLoopClipRegion curves(all);
  std::vector<GPoint> crossings;
  curves.CrossLine({x, y}, {x + 1.0, y}, crossings);
  double hit = std::numeric_limits<double>::infinity();
  for (const GPoint& p : crossings)
    if (p.x > x && p.x < hit) hit = p.x;
  if (hit == std::numeric_limits<double>::infinity()) return FALSE;
  double next = std::numeric_limits<double>::infinity();
  for (const GPoint& p : crossings)
    if (p.x > hit + 1e-6 && p.x < next) next = p.x;
  // Just beyond it: a small step, at most half way to the next side.
  double step = std::max(1e-3, 1e-6 * std::fabs(hit));
  if (next != std::numeric_limits<double>::infinity()) step = std::min(step, (next - hit) / 2);
  return FindPlainBoundary(source, boundary, second, hit + step, y, hideCentre, hideThin);
}
