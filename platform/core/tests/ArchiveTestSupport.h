// Helpers of the archive tests: archives over memory files, and serial
// classes that count their live instances.
#pragma once

#include <functional>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"

namespace archive_test {

using Bytes = std::vector<BYTE>;

// What an archive writes when `write` stores into it.
inline Bytes Store(const std::function<void(CArchive&)>& write) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
  }
  Bytes bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

// Runs `read` on a loading archive over a copy of `bytes`; true when it read
// every byte.
inline bool Load(const Bytes& bytes, const std::function<void(CArchive&)>& read) {
  Bytes copy = bytes;
  CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
  CArchive ar(&file, CArchive::load);
  read(ar);
  BYTE extra;
  return ar.Read(&extra, 1) == 0;
}

// Concatenates byte lists and text (without its terminator).
inline Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}
inline Bytes Text(const char* s) { return Bytes(s, s + std::char_traits<char>::length(s)); }

// The cause of the CArchiveException that `f` throws, or -1.
inline int ArchiveCause(const std::function<void()>& f) {
  try {
    f();
  } catch (CArchiveException& e) {
    return e.m_cause;
  }
  return -1;
}

// A serial leaf: one WORD.
class CLeaf : public CObject {
  DECLARE_SERIAL(CLeaf)

 public:
  CLeaf() { ++live; }
  explicit CLeaf(WORD v) : value(v) { ++live; }
  ~CLeaf() override { --live; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << value;
    else
      ar >> value;
  }
  WORD value = 0;
  static inline int live = 0;
};

// A node with an id and a partner that it does not own, so that graphs with
// cycles can be built.
class CNode : public CObject {
  DECLARE_SERIAL(CNode)

 public:
  CNode() { ++live; }
  explicit CNode(WORD i) : id(i) { ++live; }
  ~CNode() override { --live; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << id << partner;
    } else {
      ar >> id >> partner;
    }
  }
  WORD id = 0;
  CObject* partner = nullptr;
  static inline int live = 0;
};

// A versionable class at schema 3 that remembers the schema it was read with.
class CVersioned : public CObject {
  DECLARE_SERIAL(CVersioned)

 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsLoading()) schemaRead = ar.GetObjectSchema();
  }
  UINT schemaRead = 0;
};

}  // namespace archive_test
