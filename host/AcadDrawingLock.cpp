#include "host/AcadDrawingLock.h"

#include "host/AcadDrawing.h"
#include "support/ZelphExceptions.h"

CAcadDrawingLock::CAcadDrawingLock(CAcadDrawing& drawing) : m_drawing(drawing), m_status(drawing.lock()) {}

CAcadDrawingLock::~CAcadDrawingLock() {
  if (!isLocked()) return;
  // A destructor may be running because of a failure already on its way up.
  try {
    m_drawing.unlock();
  } catch (CEXZelph* record) {
    record->deleteChain();
  } catch (...) {
  }
}
