// Opens an object for the life of a scope and closes it on every way out,
// as the host's smart pointers do.  It may also hold a new object
// (create, acquire): one given to a database by then is closed, one never
// given is deleted.
#pragma once

#include <memory>

#include "AcDbEntity.h"
#include "AcDbObject.h"

template <class T>
class AcDbObjectPointer {
 public:
  AcDbObjectPointer() = default;
  AcDbObjectPointer(AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) { open(id, mode, openErased); }
  // Holds a new object.
  explicit AcDbObjectPointer(std::unique_ptr<T> object) {
    T* made = object.release();
    acquire(made);
  }
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
  // A new object, not yet in a database; closes what it held first.
  Acad::ErrorStatus create() {
    close();
    m_object = new T();
    m_status = Acad::eOk;
    return m_status;
  }
  // Takes over an object opened elsewhere, or a new one, and empties the
  // caller's pointer; closes what it held first.
  Acad::ErrorStatus acquire(T*& object) {
    if (object == nullptr) return Acad::eNullObjectPointer;
    close();
    m_object = object;
    object = nullptr;
    m_status = Acad::eOk;
    return m_status;
  }
  Acad::ErrorStatus close() {
    if (m_object == nullptr) return Acad::eNullObjectPointer;
    T* object = m_object;
    m_object = nullptr;
    m_status = Acad::eNullObjectPointer;
    if (object->objectId().isNull()) {
      delete object;
      return Acad::eOk;
    }
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
