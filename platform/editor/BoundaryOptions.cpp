#include "BoundaryOptions.h"

BoundaryOptions& BoundaryOptions::current() {
  static BoundaryOptions options;
  return options;
}
