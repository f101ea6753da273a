// Arrays of numbers: CByteArray, CWordArray, CDWordArray and CUIntArray.
// The first three are stored as the count (WriteCount) and then the values'
// little-endian bytes; CUIntArray is not serial, as in the framework.
#pragma once

#include "platform/core/Array.h"

class CByteArray : public CArray<BYTE, BYTE> {
  DECLARE_SERIAL(CByteArray)
};

class CWordArray : public CArray<WORD, WORD> {
  DECLARE_SERIAL(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD> {
  DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT> {
  DECLARE_DYNAMIC(CUIntArray)
};
