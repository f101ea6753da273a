// CArchiveBugFix: an archive that can be flushed in the middle of its work
// so that whoever shares its file sees the file as the archive left it, and
// the archive sees the file as others left it. Made by a host; the library
// itself does not create one.
#pragma once

#include "platform/core/Archive.h"

class CArchiveBugFix : public CArchive {
 public:
  CArchiveBugFix(CFile* file, UINT mode, int bufferSize = 4096, void* buffer = nullptr)
      : CArchive(file, mode, bufferSize, buffer) {}
  virtual ~CArchiveBugFix() = default;

  // Storing: the buffered bytes go to the file. Loading: the unread bytes go
  // back to the file, whose position becomes the archive's, and the next
  // read fetches its buffer afresh. (The platform's archive always keeps a
  // buffer of its own, never the file's, so no pointer into a file's memory
  // can be left stale here.)
  void UserFlush() { Flush(); }
};
