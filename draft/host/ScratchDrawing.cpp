#include "draft/host/ScratchDrawing.h"

#include <cstring>
#include <span>
#include <string>

#include "draft/host/DrawingFile.h"
#include "draft/host/Entity.h"
#include "draft/host/Messages.h"
#include "platform/core/Charset.h"
#include "platform/core/FileReplace.h"
#include "platform/core/PathResolve.h"

CScratchDrawing::~CScratchDrawing() { DeleteEntities(); }

void CScratchDrawing::DeleteEntities() {
  while (!entities_.IsEmpty()) delete entities_.RemoveHead();
}

BOOL CScratchDrawing::InitNewDrawing(int, int) {
  DeleteEntities();
  groups_ = std::make_unique<CGroupTable>();
  header_ = DrawingFileHeader{};
  return TRUE;
}

BOOL CScratchDrawing::SaveDrawingFile(const char* path, int flag1, int flag2, int flag3, double baseX, double baseY,
                                      int baseFlag) {
  if (!path || !*path) {
    ShowErrorMessage("文件名为空");
    return FALSE;
  }
  header_ = DrawingFileHeader{{flag1, flag2, flag3}, baseX, baseY, baseFlag};
  const std::string text = FormatSavedDrawing(*this);
  const int failure = platform::ReplaceFileBytes(
      platform::ResolvePath(path), std::span<const BYTE>(reinterpret_cast<const BYTE*>(text.data()), text.size()),
      true);
  if (failure == 0) return TRUE;
  const std::string message = std::string("不能写文件 ") + path + ": " + platform::Utf8ToGbk(std::strerror(failure));
  ShowErrorMessage(message.c_str());
  return FALSE;
}

CScratchDrawing* ConstructScratchDrawing() { return new CScratchDrawing(); }

void DestroyScratchDrawing(CScratchDrawing* drawing) { delete drawing; }
