// Run-time class descriptors: isA(), isKindOf() and cast() of the
// drawing's object classes.
#pragma once

#include <string>
#include <type_traits>

#include "Acad.h"

class AcRxObject;
class AcDbObject;

class AcRxClass {
 public:
  // dxfName: the type name in a DXF file ("LWPOLYLINE"); empty for abstract classes.
  AcRxClass(std::wstring name, const AcRxClass* parent, std::wstring dxfName = std::wstring());
  AcRxClass(const AcRxClass&) = delete;
  AcRxClass& operator=(const AcRxClass&) = delete;

  const ACHAR* name() const { return m_name.c_str(); }
  const ACHAR* dxfName() const { return m_dxfName.c_str(); }
  const AcRxClass* myParent() const { return m_parent; }
  bool isDerivedFrom(const AcRxClass* other) const;

 private:
  std::wstring m_name;
  std::wstring m_dxfName;
  const AcRxClass* m_parent;
};

// The undo record's copy of an object of a concrete class.
template <class T>
AcDbObject* acrxCopyOf(const T& object) {
  if constexpr (std::is_abstract_v<T>) return nullptr;
  else return new T(object);
}

// In a class body: the descriptor, the run-time class and a checked cast.
#define ACRX_DECLARE_MEMBERS(CLASS)                      \
 public:                                                 \
  static AcRxClass* desc();                              \
  static CLASS* cast(const AcRxObject* object);          \
  static CLASS* cast(const AcDbObject* object);          \
  AcRxClass* isA() const override;                       \
                                                         \
 protected:                                              \
  AcDbObject* undoCopy() const override;                 \
                                                         \
 public:

// In the class's source file.
#define ACRX_DEFINE_MEMBERS(CLASS, PARENT, DXFNAME)                                    \
  AcRxClass* CLASS::desc() {                                                           \
    static AcRxClass descriptor(L## #CLASS, PARENT::desc(), DXFNAME);                  \
    return &descriptor;                                                                \
  }                                                                                    \
  CLASS* CLASS::cast(const AcRxObject* object) { return cast(dynamic_cast<const AcDbObject*>(object)); } \
  CLASS* CLASS::cast(const AcDbObject* dbObject) {                                     \
    return dbObject && dbObject->isKindOf(desc()) ? const_cast<CLASS*>(static_cast<const CLASS*>(dbObject)) \
                                                  : nullptr;                           \
  }                                                                                    \
  AcRxClass* CLASS::isA() const { return desc(); }                                     \
  AcDbObject* CLASS::undoCopy() const { return acrxCopyOf(*this); }
