// Opens an object for the life of a scope and closes it on every way out,
// as the host's smart pointers do.
#pragma once

#include "AcDbEntity.h"
#include "AcDbObject.h"

template <class T>
class AcDbObjectPointer {
 public:
  AcDbObjectPointer() = default;
  AcDbObjectPointer(AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) { open(id, mode, openErased); }
  ~AcDbObjectPointer() { close(); }
  AcDbObjectPointer(const AcDbObjectPointer&) = delete;
  AcDbObjectPointer& operator=(const AcDbObjectPointer&) = delete;

  // Closes what it held first.
  Acad::ErrorStatus open(AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) {
    close();
    m_status = acdbOpenObject(m_object, id, mode, openErased);
    return m_status;
  }
  Acad::ErrorStatus openStatus() const { return m_status; }
  Acad::ErrorStatus close() {
    if (m_object == nullptr) return Acad::eNullObjectPointer;
    T* object = m_object;
    m_object = nullptr;
    m_status = Acad::eNullObjectPointer;
    return object->close();
  }

  T* object() const { return m_object; }
  T* operator->() const { return m_object; }
  explicit operator bool() const { return m_object != nullptr; }

 private:
  T* m_object = nullptr;
  Acad::ErrorStatus m_status = Acad::eNullObjectPointer;
};

typedef AcDbObjectPointer<AcDbEntity> AcDbEntityPointer;
