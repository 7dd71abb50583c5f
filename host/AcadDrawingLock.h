// Holds a drawing session's lock for one scope and gives it back however
// the scope ends, so a failure half-way through a pass never leaves the
// document locked.
#pragma once

#include "Acad.h"

class CAcadDrawing;

class CAcadDrawingLock {
 public:
  explicit CAcadDrawingLock(CAcadDrawing& drawing);
  ~CAcadDrawingLock();
  CAcadDrawingLock(const CAcadDrawingLock&) = delete;
  CAcadDrawingLock& operator=(const CAcadDrawingLock&) = delete;

  // The lock's status: eOk while it is held.
  Acad::ErrorStatus getStatus() const { return m_status; }
  bool isLocked() const { return m_status == Acad::eOk; }

 private:
  CAcadDrawing& m_drawing;
  Acad::ErrorStatus m_status;
};
