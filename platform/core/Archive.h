// CArchive: the framework's binary archive, byte for byte. Values are stored
// little-endian; strings carry the framework's length prefixes (a UTF-16
// string is marked with 0xFF 0xFFFE before its length); objects are written
// with class tags and back-references so that a shared object is stored once
// and a graph with cycles loads.
//
// Tags of WriteObject/ReadObject (one WORD, or 0x7FFF and a DWORD):
//   0x0000             null pointer
//   0xFFFF             a new class: schema WORD, name length WORD, ASCII name,
//                      then the new object's data
//   0x8000 | index     a new object of a class stored before
//   index              an object stored before
// Classes and objects are numbered by one counter that starts at 1. An index
// of 0x7FFF or more is written as 0x7FFF and a DWORD (0x80000000 | index for
// a class).
//
// Reading damaged input throws CArchiveException and never reads past the
// data: endOfFile when the data end early, badClass for an unknown or
// unexpected class, badSchema for a schema the class cannot read, badIndex
// for a tag that names nothing stored before, genericException for objects
// nested so deeply that the thread's stack would run out (the depth a stream
// can reach is bounded by the stack, not by a count). An object whose
// Serialize throws
// while loading is deleted before the exception passes on, since no caller
// holds it yet.
#pragma once

#include <bit>
#include <concepts>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/core/File.h"
#include "platform/core/Object.h"
#include "platform/core/PointerMap.h"
#include "platform/core/String.h"

class CDocument;

class CArchive {
 public:
  enum Mode : UINT { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

  // `buffer`, when given, is used as the archive's buffer of `bufferSize`
  // bytes and stays the caller's.
  CArchive(CFile* file, UINT mode, int bufferSize = 4096, void* buffer = nullptr);
  // Closes the archive (flushing a storing one) unless bNoFlushOnDelete is
  // set or it was closed or aborted; errors are swallowed here, so call
  // Close to see them.
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  BOOL IsByteSwapping() const { return FALSE; }
  CFile* GetFile() const { return m_pFile; }

  // Writes the buffer to the file (storing); puts the file back at the
  // archive's position (loading).
  void Flush();
  // Flushes and detaches from the file, which stays open.
  void Close();
  // Detaches without writing the buffer; never throws.
  void Abort();

  // Raw bytes. Read returns fewer than `count` only at the end of the data.
  UINT Read(void* buffer, UINT count);
  void Write(const void* buffer, UINT count);

  // Text lines: WriteString writes the characters alone (no terminator, no
  // line-end translation); ReadString reads up to and including the next
  // "\n" and drops it and a "\r" before it, FALSE when no data are left.
  // The UTF-16 forms read and write two-byte units.
  void WriteString(LPCSTR text);
  void WriteString(LPCWSTR text);
  BOOL ReadString(CStringA& line);
  BOOL ReadString(CStringW& line);

  // Primitive values, little-endian.
  CArchive& operator<<(BYTE v) { return Put(v); }
  CArchive& operator<<(WORD v) { return Put(v); }
  CArchive& operator<<(LONG v) { return Put(v); }  // also int
  CArchive& operator<<(DWORD v) { return Put(v); }  // also UINT
  CArchive& operator<<(LONGLONG v) { return Put(v); }
  CArchive& operator<<(ULONGLONG v) { return Put(v); }
  CArchive& operator<<(float v) { return Put(v); }
  CArchive& operator<<(double v) { return Put(v); }
  CArchive& operator<<(short v) { return Put(static_cast<WORD>(v)); }
  CArchive& operator<<(char v) { return Put(static_cast<BYTE>(v)); }
  CArchive& operator<<(signed char v) { return Put(static_cast<BYTE>(v)); }
  CArchive& operator<<(WCHAR v) { return Put(static_cast<WORD>(v)); }
  // bool is one byte, 0 or 1. A template, so that a pointer never turns into
  // a bool here.
  template <typename B>
    requires std::same_as<B, bool>
  CArchive& operator<<(B v) {
    return Put(static_cast<BYTE>(v ? 1 : 0));
  }

  CArchive& operator>>(BYTE& v) { return Get(v); }
  CArchive& operator>>(WORD& v) { return Get(v); }
  CArchive& operator>>(LONG& v) { return Get(v); }
  CArchive& operator>>(DWORD& v) { return Get(v); }
  CArchive& operator>>(LONGLONG& v) { return Get(v); }
  CArchive& operator>>(ULONGLONG& v) { return Get(v); }
  CArchive& operator>>(float& v) { return Get(v); }
  CArchive& operator>>(double& v) { return Get(v); }
  CArchive& operator>>(short& v) { return GetAs<WORD>(v); }
  CArchive& operator>>(char& v) { return GetAs<BYTE>(v); }
  CArchive& operator>>(signed char& v) { return GetAs<BYTE>(v); }
  CArchive& operator>>(WCHAR& v) { return GetAs<WORD>(v); }
  CArchive& operator>>(bool& v);

  // Objects and classes.
  void WriteObject(const CObject* object);
  // Reads an object pointer; with `requiredClass`, an object of another
  // class gives badClass.
  CObject* ReadObject(const CRuntimeClass* requiredClass);
  void WriteClass(const CRuntimeClass* classRef);
  // Reads a class tag. Returns null when the tag names an object instead:
  // its index goes to `objectTag`, or badIndex is thrown without one.
  CRuntimeClass* ReadClass(const CRuntimeClass* requiredClass = nullptr, UINT* schema = nullptr,
                           DWORD* objectTag = nullptr);
  void SerializeClass(const CRuntimeClass* classRef);
  // The schema of the object being loaded, once: a second call gives
  // (UINT)-1.
  UINT GetObjectSchema();
  void SetObjectSchema(UINT schema) { m_nObjectSchema = schema; }
  // Enters an object in the map without writing or reading it, so that later
  // references to it are back-references. The archive never deletes it.
  void MapObject(const CObject* object);

  // Element counts: a WORD, or 0xFFFF and a DWORD.
  void WriteCount(DWORD_PTR count);
  DWORD_PTR ReadCount();

  // Throws endOfFile when fewer than `bytes` bytes of data are left, where
  // the file knows its length; for readers that allocate before reading.
  void CheckAvailable(ULONGLONG bytes);

  CDocument* m_pDocument = nullptr;
  CStringW m_strFileName;

 private:
  template <typename T>
  CArchive& Put(T v) {
    static_assert(std::endian::native == std::endian::little);
    WriteBytes(&v, sizeof v);
    return *this;
  }
  template <typename T>
  CArchive& Get(T& v) {
    ReadExact(&v, sizeof v);
    return *this;
  }
  template <typename Stored, typename T>
  CArchive& GetAs(T& v) {
    Stored s;
    Get(s);
    v = static_cast<T>(s);
    return *this;
  }

  void CheckLoading() const;
  void CheckStoring() const;
  [[noreturn]] void Throw(int cause) const;
  void WriteBytes(const void* data, size_t n);
  void ReadExact(void* data, size_t n);
  // Makes at least `n` bytes available in the buffer, or as many as are
  // left; returns the number available.
  size_t Fill(size_t n);
  size_t Buffered() const { return static_cast<size_t>(m_lpBufMax - m_lpBufCur); }
  void WriteTag(DWORD index, bool isClass);
  DWORD NextIndex();

  friend CArchive& operator<<(CArchive& ar, const CStringA& s);
  friend CArchive& operator<<(CArchive& ar, const CStringW& s);
  friend CArchive& operator>>(CArchive& ar, CStringA& s);
  friend CArchive& operator>>(CArchive& ar, CStringW& s);
  void WriteStringLength(ULONGLONG length, bool unicode);
  // The length in characters and whether they are UTF-16 units.
  ULONGLONG ReadStringLength(bool& unicode);
  // Reads `units` characters of `unitSize` bytes, stopping at the first
  // zero as the framework's strings do.
  std::string ReadCharacters(ULONGLONG units, size_t unitSize);

  CFile* m_pFile;
  UINT m_nMode;
  std::unique_ptr<BYTE[]> m_ownBuffer;
  BYTE* m_lpBufStart;
  BYTE* m_lpBufCur;
  BYTE* m_lpBufMax;
  size_t m_nBufSize;

  // Loading: every class and object read so far, by index (0 is null).
  struct LoadEntry {
    void* pointer;
    bool isClass;
  };
  std::vector<LoadEntry> m_loadArray;
  // Storing: the index of every class and object written so far.
  platform::PointerMap<DWORD> m_storeMap;
  DWORD m_nMapCount = 1;
  // Versionable classes whose stored schema differs from their own.
  std::unordered_map<const CRuntimeClass*, UINT> m_schemaMap;
  UINT m_nObjectSchema = static_cast<UINT>(-1);
};

// Strings with the framework's length prefixes; either flavour reads either
// kind, converting through GBK.
CArchive& operator<<(CArchive& ar, const CStringA& s);
CArchive& operator<<(CArchive& ar, const CStringW& s);
CArchive& operator>>(CArchive& ar, CStringA& s);
CArchive& operator>>(CArchive& ar, CStringW& s);

// Object pointers.
CArchive& operator<<(CArchive& ar, const CObject* object);
CArchive& operator>>(CArchive& ar, CObject*& object);
CArchive& operator>>(CArchive& ar, const CObject*& object);
