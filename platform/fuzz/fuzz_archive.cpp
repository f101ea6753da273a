// Reads arbitrary bytes as an archive: objects of a few serial classes (one
// of them able to form cycles, with lists, string arrays and numbers),
// strings of both flavours, counts, lines and raw values, as the first byte
// of each step chooses. Reading may only fail with CArchiveException; every
// object it creates is freed (the sanitizers check both). What loads is then
// stored again and must load again.
//
// Containers never own their elements, so an object read by name must be one
// the harness can find again and free: the platform's own collection classes
// are taken out of the registry, and a tracked list class stands for them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/core/NumberArrays.h"
#include "platform/core/ObArray.h"
#include "platform/core/ObList.h"
#include "platform/core/StringArray.h"

namespace fuzz {

// Every live fuzz object, so that whatever a damaged stream leaves behind is
// freed once: the objects never own one another.
std::set<CObject*>& Live() {
  static std::set<CObject*> live;
  return live;
}

class CFuzzLeaf : public CObject {
  DECLARE_SERIAL(CFuzzLeaf)

 public:
  CFuzzLeaf() { Live().insert(this); }
  ~CFuzzLeaf() override { Live().erase(this); }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << value << text << name << weight << flag;
    else
      ar >> value >> text >> name >> weight >> flag;
  }
  WORD value = 0;
  CStringW text;
  CStringA name;
  double weight = 0;
  bool flag = false;
};

class CFuzzNode : public CObject {
  DECLARE_SERIAL(CFuzzNode)

 public:
  CFuzzNode() { Live().insert(this); }
  ~CFuzzNode() override { Live().erase(this); }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << id << partner;
    } else {
      ar >> id;
      partner = ar.ReadObject(nullptr);
    }
    children.Serialize(ar);
    labels.Serialize(ar);
    values.Serialize(ar);
  }
  LONG id = 0;
  CObject* partner = nullptr;
  CObList children;
  CStringArrayW labels;
  CDWordArray values;
};

// A versionable class: reads what each schema holds.
class CFuzzVersioned : public CObject {
  DECLARE_SERIAL(CFuzzVersioned)

 public:
  CFuzzVersioned() { Live().insert(this); }
  ~CFuzzVersioned() override { Live().erase(this); }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << a << b;
    } else {
      UINT schema = ar.GetObjectSchema();
      ar >> a;
      if (schema >= 2) ar >> b;
    }
  }
  DWORD a = 0;
  CStringA b;
};

// A list read as an object in its own right.
class CFuzzList : public CObList {
  DECLARE_SERIAL(CFuzzList)

 public:
  CFuzzList() { Live().insert(this); }
  ~CFuzzList() override { Live().erase(this); }
};

IMPLEMENT_SERIAL(CFuzzList, CObList, 0)
IMPLEMENT_SERIAL(CFuzzLeaf, CObject, 1)
IMPLEMENT_SERIAL(CFuzzNode, CObject, 0)
IMPLEMENT_SERIAL(CFuzzVersioned, CObject, VERSIONABLE_SCHEMA | 2)

}  // namespace fuzz

namespace {

using fuzz::CFuzzNode;
using fuzz::Live;

void FreeAll() {
  while (!Live().empty()) delete *Live().begin();
}

// Reads steps until the data end; the objects read go to `roots`.
void ReadSteps(CArchive& ar, std::vector<CObject*>& roots) {
  for (int step = 0; step < 64; ++step) {
    BYTE kind;
    if (ar.Read(&kind, 1) == 0) return;
    switch (kind % 9) {
      case 0:
        roots.push_back(ar.ReadObject(nullptr));
        break;
      case 1:
        roots.push_back(ar.ReadObject(RUNTIME_CLASS(CFuzzNode)));
        break;
      case 2: {
        CStringW w;
        ar >> w;
        break;
      }
      case 3: {
        CStringA s;
        ar >> s;
        break;
      }
      case 4: {
        CObList list;
        list.Serialize(ar);
        for (POSITION pos = list.GetHeadPosition(); pos;) roots.push_back(list.GetNext(pos));
        break;
      }
      case 5:
        ar.ReadCount();
        break;
      case 6: {
        CStringA line;
        ar.ReadString(line);
        break;
      }
      case 7: {
        UINT schema;
        DWORD tag;
        ar.ReadClass(nullptr, &schema, &tag);
        break;
      }
      default: {
        WORD w;
        LONGLONG ll;
        float f;
        ar >> w >> ll >> f;
        break;
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  for (CRuntimeClass* cls : {RUNTIME_CLASS(CObList), RUNTIME_CLASS(CObArray), RUNTIME_CLASS(CByteArray),
                             RUNTIME_CLASS(CWordArray), RUNTIME_CLASS(CDWordArray), RUNTIME_CLASS(CStringArrayA),
                             RUNTIME_CLASS(CStringArrayW)})
    platform::UnregisterRuntimeClass(cls);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<BYTE> copy(data, data + size);
  std::vector<CObject*> roots;
  try {
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    ReadSteps(ar, roots);
  } catch (CArchiveException&) {
    // Damaged input: the expected outcome.
  } catch (...) {
    std::abort();  // any other failure is a fault
  }

  // What loaded stores again and loads again.
  try {
    CMemFile out;
    {
      CArchive ar(&out, CArchive::store);
      for (CObject* o : roots) ar << o;
      ar.Close();
    }
    out.SeekToBegin();
    CArchive ar(&out, CArchive::load);
    for (size_t i = 0; i < roots.size(); ++i) ar.ReadObject(nullptr);
  } catch (...) {
    std::abort();
  }
  FreeAll();
  return 0;
}
