// Velmish's scratch drawing: a drawing outside any view, a group table and a
// list of entities, that a command fills to write a drawing file
// (SaveDrawingFile) and that a drawing file is read into (ReadDrawingFile,
// DrawingFileReader.h). It owns its groups and the entities of its list.
#pragma once

#include "draft/host/EntityList.h"
#include "draft/host/GroupTable.h"
#include "platform/core/WinTypes.h"

// What a saved drawing file keeps besides its groups and entities: three
// file flags (written and read back as they are; the block commands pass 1
// and 0 or 1 and 1 for a file written with its compounds whole or
// decomposed), the base point and whether it is given.
struct DrawingFileHeader {
  int flags[3] = {0, 0, 0};
  double baseX = 0.0;
  double baseY = 0.0;
  int baseFlag = 0;
};

class CScratchDrawing {
 public:
  CScratchDrawing() = default;
  ~CScratchDrawing();
  CScratchDrawing(const CScratchDrawing&) = delete;
  CScratchDrawing& operator=(const CScratchDrawing&) = delete;

  // Empties the drawing: its entities are deleted, its groups and header
  // dropped. The two words are the call's form (callers pass zeros). TRUE.
  BOOL InitNewDrawing(int, int);
  CGroupTable* GetGroupTable() { return groups_.get(); }
  const CGroupTable* GetGroupTable() const { return groups_.get(); }
  // The drawing's entities in drawing order; the drawing deletes whatever
  // the list holds when it is emptied or destroyed.
  CEntityList* GetEntityList() { return &entities_; }
  const CEntityList* GetEntityList() const { return &entities_; }
  // The header of the file it was read from or last saved to.
  const DrawingFileHeader& GetHeader() const { return header_; }
  void SetHeader(const DrawingFileHeader& header) { header_ = header; }

  // Writes the drawing to `path` (GBK, "\" or "/" separators) in the drawing
  // file's format with the flags and the base point (given when baseFlag is
  // nonzero) in its header. The text goes to a new file beside it that is
  // renamed over `path` once complete, so a failed write leaves an older
  // file as it was. FALSE on failure, the reason shown with
  // ShowErrorMessage.
  BOOL SaveDrawingFile(const char* path, int flag1, int flag2, int flag3, double baseX, double baseY, int baseFlag);

 private:
  void DeleteEntities();

  std::unique_ptr<CGroupTable> groups_ = std::make_unique<CGroupTable>();
  CEntityList entities_;
  DrawingFileHeader header_;
};

// A new empty scratch drawing, the caller's (DestroyScratchDrawing frees it).
CScratchDrawing* ConstructScratchDrawing();
void DestroyScratchDrawing(CScratchDrawing* drawing);
