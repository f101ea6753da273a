// A table file's bytes, read whole, and read again either as the text
// stream that generation-99 files are (lines ended by LF or CR LF, the data
// ending at a Ctrl-Z byte, as the platform's text files read) or as the
// binary records of generation 98. Reading a generation-98 file as text
// would turn its CR LF bytes into LF and corrupt records and lengths, so
// each generation reads the bytes its own way.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "platform/core/String.h"

class CTableFileText {
 public:
  // Reads the whole file; throws the CFileException of a file that cannot
  // be opened or read.
  explicit CTableFileText(const char* path);
  // Over bytes already in memory.
  explicit CTableFileText(std::string bytes) : bytes_(std::move(bytes)) {}

  // Generation 99: the first line equals `magic99`. The reading position
  // is then after that line.
  bool StartsWithLine(const char* magic99);
  // Generation 98: the file starts with the bytes of `magic98` (at most
  // their length is read, stopping at a line end). The position is then
  // after them.
  bool StartsWithBytes(const char* magic98);

  // The next text line, without its line end; false at the end of the text.
  bool ReadLine(CStringA& line);
  // The next 32-bit little-endian integer; false when fewer than 4 bytes
  // are left.
  bool ReadInt32(int32_t& value);
  // The next `count` bytes; false (nothing taken) when fewer are left.
  bool ReadBytes(size_t count, std::string& out);
  size_t BytesLeft() const { return bytes_.size() - at_; }
  // How many lines ReadLine can still give at most: the line ends left
  // before the data's end, and one more.
  size_t LinesLeft() const;
  // How many whole length-prefixed records (an int32 length, then that
  // many bytes) follow the reading position, up to the first that is
  // damaged (a negative length) or cut short.
  size_t LengthPrefixedRecordsLeft() const;

 private:
  std::string bytes_;
  size_t at_ = 0;
};
