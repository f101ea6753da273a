// CObject and run-time class information: class names, dynamic creation,
// IsKindOf, lookup by class name and the schema of serial classes.
#pragma once

#include "platform/core/WinTypes.h"

class CObject;
class CArchive;

// Marks a serial class whose objects read back older schemas themselves.
#define VERSIONABLE_SCHEMA (0x80000000u)

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF for classes that are not serial
  CObject* (*m_pfnCreateObject)();
  CRuntimeClass* m_pBaseClass;
  CRuntimeClass* m_pNextClass;  // the registry's chain

  // A new object of this class, or null when the class cannot be created
  // dynamically.
  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* base) const;

  // The registered class of that name, or null.
  static CRuntimeClass* FromName(LPCSTR className);
  static CRuntimeClass* FromName(LPCWSTR className);
  static CObject* CreateObject(LPCSTR className);
  static CObject* CreateObject(LPCWSTR className);

  // The class tag of an archive (implemented with the archive).
  void Store(CArchive& ar) const;
  static CRuntimeClass* Load(CArchive& ar, UINT* schema);
};

namespace platform {

// Adds a class to the process-wide registry; run by the static registrar
// that IMPLEMENT_DYNAMIC and its relatives define. The registry holds the
// classes of every module loaded, as the framework's module class lists do.
void RegisterRuntimeClass(CRuntimeClass* cls);
void UnregisterRuntimeClass(CRuntimeClass* cls);

// The newest registered class; the rest follow through m_pNextClass.
CRuntimeClass* FirstRuntimeClass();

// False while the class belongs to an extension library whose classes are
// set aside, not yet found by name (ExtensionModule.h).
bool IsRuntimeClassVisible(const CRuntimeClass* cls);

struct ClassRegistrar {
  explicit ClassRegistrar(CRuntimeClass* cls) : cls_(cls) { RegisterRuntimeClass(cls); }
  ~ClassRegistrar() { UnregisterRuntimeClass(cls_); }
  ClassRegistrar(const ClassRegistrar&) = delete;
  ClassRegistrar& operator=(const ClassRegistrar&) = delete;
  CRuntimeClass* cls_;
};

}  // namespace platform

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)             \
 public:                                        \
  static CRuntimeClass class##class_name;       \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
  DECLARE_DYNCREATE(class_name)    \
  friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, pfnNew)                            \
  CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class_name), (UINT)(schema), \
                                                 pfnNew, RUNTIME_CLASS(base_class_name), nullptr};     \
  static const platform::ClassRegistrar _registrar_##class_name(RUNTIME_CLASS(class_name));            \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                   \
  CObject* class_name::CreateObject() { return new class_name; }           \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                 \
  CObject* class_name::CreateObject() { return new class_name; }                               \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)       \
  CArchive& operator>>(CArchive& ar, class_name*& pOb) {                                       \
    pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                  \
    return ar;                                                                                 \
  }

class CObject {
 public:
  virtual ~CObject() = default;
  virtual CRuntimeClass* GetRuntimeClass() const;

  BOOL IsKindOf(const CRuntimeClass* cls) const;
  BOOL IsSerializable() const;
  // Stores or loads the object's data; the base holds none.
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const {}

  static CRuntimeClass classCObject;

 protected:
  CObject() = default;

 private:
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};

// Casts to `class_name*` when the object is of that class or a derived one,
// else null.
#define DYNAMIC_DOWNCAST(class_name, object) \
  (static_cast<class_name*>(platform::DynamicDowncast(RUNTIME_CLASS(class_name), (object))))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

namespace platform {
inline CObject* DynamicDowncast(const CRuntimeClass* cls, CObject* object) {
  return (object && object->IsKindOf(cls)) ? object : nullptr;
}
}  // namespace platform
