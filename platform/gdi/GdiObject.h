// CGdiObject: the framework's wrapper of a GDI handle. A wrapper made by the
// program owns its handle and deletes it on destruction; FromHandle finds the
// wrapper of a handle or makes a temporary one (the previous object that
// SelectObject returns), which lives until DeleteTempMap runs at idle time.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/GdiConstants.h"

class CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)

 public:
  HGDIOBJ m_hObject = nullptr;

  CGdiObject() = default;
  ~CGdiObject() override;

  operator HGDIOBJ() const { return m_hObject; }
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  // The permanent wrapper of `h`, else a temporary one of the right class;
  // null for a handle that is not a live GDI object.
  static CGdiObject* FromHandle(HGDIOBJ h);
  // Frees this thread's temporary wrappers (not their handles).
  static void DeleteTempMap();

  BOOL Attach(HGDIOBJ h);
  HGDIOBJ Detach();
  // Deletes the handle; a stock object is only detached.
  BOOL DeleteObject();

  // Fills a LOGPEN, LOGBRUSH, LOGFONTW (or LOGFONTA through GetObjectA),
  // BITMAP; returns the bytes written, or with a null buffer the size needed.
  int GetObject(int count, LPVOID buffer) const;
  UINT GetObjectType() const;
  BOOL CreateStockObject(int index);
  BOOL UnrealizeObject() { return m_hObject != nullptr; }
  BOOL operator==(const CGdiObject& other) const { return m_hObject == other.m_hObject; }
  BOOL operator!=(const CGdiObject& other) const { return m_hObject != other.m_hObject; }
};
