// CObArray and CPtrArray: arrays of object and untyped pointers. CObArray
// stores and loads its objects: the count (WriteCount), then each object with
// WriteObject / ReadObject. Neither array owns what it points to.
#pragma once

#include "platform/core/Array.h"

class CObArray : public CArray<CObject*, CObject*> {
  DECLARE_SERIAL(CObArray)

 public:
  void Serialize(CArchive& ar) override;
};

class CPtrArray : public CArray<void*, void*> {
  DECLARE_DYNAMIC(CPtrArray)
};
