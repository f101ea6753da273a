// The "Object Descriptor" record that travels with data that make an
// object: its size and the point it was picked at (HIMETRIC), laid out as
// the Windows header lays it out (52 bytes).
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/ole/StorageTypes.h"

struct SIZEL {
  LONG cx;
  LONG cy;
};
struct POINTL {
  LONG x;
  LONG y;
};

struct OBJECTDESCRIPTOR {
  DWORD cbSize;
  CLSID clsid;
  DWORD dwDrawAspect;
  SIZEL sizel;
  POINTL pointl;
  DWORD dwStatus;
  DWORD dwFullUserTypeName;  // offset of the type name, 0 for none
  DWORD dwSrcOfCopy;         // offset of the source's name, 0 for none
};
typedef OBJECTDESCRIPTOR* LPOBJECTDESCRIPTOR;
static_assert(sizeof(OBJECTDESCRIPTOR) == 52, "the record is 52 bytes");

// The registered names of the standard formats of object data.
#define CF_OBJECTDESCRIPTOR_NAME u"Object Descriptor"
#define CF_LINKSRCDESCRIPTOR_NAME u"Link Source Descriptor"
