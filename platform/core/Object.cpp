#include "platform/core/Object.h"

#include <cstring>
#include <mutex>

#include "platform/core/Charset.h"

namespace platform {
namespace {

// The registry is a chain through m_pNextClass, newest first. Classes are
// registered by static constructors, possibly before main, so the head is a
// plain pointer initialised at compile time.
CRuntimeClass* g_firstClass = nullptr;

std::mutex& RegistryMutex() {
  static std::mutex m;
  return m;
}

}  // namespace

void RegisterRuntimeClass(CRuntimeClass* cls) {
  std::lock_guard<std::mutex> lock(RegistryMutex());
  cls->m_pNextClass = g_firstClass;
  g_firstClass = cls;
}

void UnregisterRuntimeClass(CRuntimeClass* cls) {
  std::lock_guard<std::mutex> lock(RegistryMutex());
  for (CRuntimeClass** p = &g_firstClass; *p; p = &(*p)->m_pNextClass) {
    if (*p == cls) {
      *p = cls->m_pNextClass;
      cls->m_pNextClass = nullptr;
      return;
    }
  }
}

CRuntimeClass* FirstRuntimeClass() { return g_firstClass; }

}  // namespace platform

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, nullptr, nullptr, nullptr};
static const platform::ClassRegistrar g_registerCObject(RUNTIME_CLASS(CObject));

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

void CObject::Serialize(CArchive&) {}

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
    if (c == base) return TRUE;
  return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR className) {
  if (!className) return nullptr;
  for (CRuntimeClass* c = platform::FirstRuntimeClass(); c; c = c->m_pNextClass)
    if (std::strcmp(c->m_lpszClassName, className) == 0 && platform::IsRuntimeClassVisible(c)) return c;
  return nullptr;
}

CRuntimeClass* CRuntimeClass::FromName(LPCWSTR className) {
  if (!className) return nullptr;
  std::string name = platform::Utf16ToGbk(className);
  return FromName(name.c_str());
}

CObject* CRuntimeClass::CreateObject(LPCSTR className) {
  CRuntimeClass* c = FromName(className);
  return c ? c->CreateObject() : nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCWSTR className) {
  CRuntimeClass* c = FromName(className);
  return c ? c->CreateObject() : nullptr;
}
