#include "DrawingFormat.h"

#include <stdexcept>

namespace {
const DrawingFormat*& current() {
  static const DrawingFormat* format = nullptr;
  return format;
}
}  // namespace

void DrawingFormat::install(const DrawingFormat& format) { current() = &format; }

const DrawingFormat& DrawingFormat::installed() {
  if (current() == nullptr) throw std::logic_error("no drawing format is installed");
  return *current();
}
