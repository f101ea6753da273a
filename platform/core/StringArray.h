// String arrays of both flavours: CStringArrayA (GBK) and CStringArrayW
// (UTF-16); CStringArray is the flavour of the translation unit, as CString
// is. Stored as the count (WriteCount), then each string with its length
// prefix; either flavour loads either kind of string.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

class CStringArrayA : public CArray<CStringA, const CStringA&> {
  DECLARE_SERIAL(CStringArrayA)
};

class CStringArrayW : public CArray<CStringW, const CStringW&> {
  DECLARE_SERIAL(CStringArrayW)
};

#if defined(UNICODE) || defined(_UNICODE)
using CStringArray = CStringArrayW;
#else
using CStringArray = CStringArrayA;
#endif
