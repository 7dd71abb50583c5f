#include "resbuf.h"

#include <cstdarg>
#include <cstring>
#include <cwchar>

#include "DxfCodeTable.h"

namespace {

enum class Slot { None, String, Real, Point, Short, Long, Int64, Name, Binary };

Slot slotOf(int type) {
  switch (type) {
    case RTSTR:
    case RTDXF0:
      return Slot::String;
    case RTREAL:
      return Slot::Real;
    case RTPOINT:
    case RT3DPOINT:
      return Slot::Point;
    case RTSHORT:
      return Slot::Short;
    case RTLONG:
      return Slot::Long;
    case RTENAME:
    case RTPICKS:
      return Slot::Name;
    default:
      break;
  }
  switch (DxfCodeTable::kind(type)) {
    case DxfValueKind::String:
    case DxfValueKind::Handle:
      return Slot::String;
    case DxfValueKind::Double:
      return Slot::Real;
    case DxfValueKind::Point:
      return Slot::Point;
    case DxfValueKind::Int16:
      return Slot::Short;
    case DxfValueKind::Int32:
      return Slot::Long;
    case DxfValueKind::Int64:
      return Slot::Int64;
    case DxfValueKind::Binary:
      return Slot::Binary;
    case DxfValueKind::Invalid:
      break;
  }
  return Slot::None;
}

ACHAR* copyString(const ACHAR* text) {
  if (text == nullptr) return nullptr;
  const size_t length = std::wcslen(text);
  auto* copy = new ACHAR[length + 1];
  std::wmemcpy(copy, text, length + 1);
  return copy;
}

ads_binary copyBinary(const ads_binary& binary) {
  ads_binary copy{binary.clen, nullptr};
  if (binary.buf != nullptr && binary.clen > 0) {
    copy.buf = new char[binary.clen];
    std::memcpy(copy.buf, binary.buf, binary.clen);
  }
  return copy;
}

}  // namespace

resbuf* acutNewRb(int type) {
  auto* rb = new resbuf;
  std::memset(rb, 0, sizeof(resbuf));
  rb->restype = static_cast<short>(type);
  return rb;
}

int acutRelRb(resbuf* rb) {
  while (rb != nullptr) {
    resbuf* next = rb->rbnext;
    const Slot slot = slotOf(rb->restype);
    if (slot == Slot::String) delete[] rb->resval.rstring;
    if (slot == Slot::Binary) delete[] rb->resval.rbinary.buf;
    delete rb;
    rb = next;
  }
  return RTNORM;
}

resbuf* acutBuildList(int type, ...) {
  va_list args;
  va_start(args, type);
  resbuf* head = nullptr;
  resbuf** tail = &head;
  for (; type != 0; type = va_arg(args, int)) {
    resbuf* rb = acutNewRb(type);
    switch (slotOf(type)) {
      case Slot::String:
        rb->resval.rstring = copyString(va_arg(args, const ACHAR*));
        break;
      case Slot::Real:
        rb->resval.rreal = va_arg(args, double);
        break;
      case Slot::Point: {
        const double* point = va_arg(args, const double*);
        for (int i = 0; i < 3; ++i) rb->resval.rpoint[i] = point[i];
        break;
      }
      case Slot::Short:
        rb->resval.rint = static_cast<short>(va_arg(args, int));
        break;
      case Slot::Long:
        rb->resval.rlong = va_arg(args, Adesk::Int32);
        break;
      case Slot::Int64:
        rb->resval.mnInt64 = va_arg(args, Adesk::Int64);
        break;
      case Slot::Name: {
        const Adesk::LongPtr* name = va_arg(args, const Adesk::LongPtr*);
        rb->resval.rlname[0] = name[0];
        rb->resval.rlname[1] = name[1];
        break;
      }
      case Slot::Binary:
        rb->resval.rbinary = copyBinary(*va_arg(args, const ads_binary*));
        break;
      case Slot::None:
        // An unknown type: the caller's list cannot be read further.
        delete rb;
        va_end(args);
        acutRelRb(head);
        return nullptr;
    }
    *tail = rb;
    tail = &rb->rbnext;
  }
  va_end(args);
  return head;
}

resbuf* acutDuplicateRb(const resbuf* rb) {
  resbuf* head = nullptr;
  resbuf** tail = &head;
  for (; rb != nullptr; rb = rb->rbnext) {
    resbuf* copy = acutNewRb(rb->restype);
    copy->resval = rb->resval;
    const Slot slot = slotOf(rb->restype);
    if (slot == Slot::String) copy->resval.rstring = copyString(rb->resval.rstring);
    if (slot == Slot::Binary) copy->resval.rbinary = copyBinary(rb->resval.rbinary);
    *tail = copy;
    tail = &copy->rbnext;
  }
  return head;
}
