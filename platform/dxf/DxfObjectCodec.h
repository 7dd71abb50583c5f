// Reads one object from its tags and writes it back: the head (handle,
// owner, extension dictionary), the subclass groups it models, and every
// other tag and group of its own, kept in order.  An object that was not
// changed is written as the text it was read from.
#pragma once

#include <string_view>
#include <vector>

#include "AcDbHandle.h"
#include "DxfGroup.h"
#include "DxfTag.h"

class AcDbObject;
class DxfInFiler;
class DxfOutFiler;

class DxfObjectCodec {
 public:
  static void read(AcDbObject& object, const std::vector<DxfTag>& tags, std::string_view text, DxfInFiler& in);
  static void write(const AcDbObject& object, DxfOutFiler& out);
  // The handle group of the object's head (5, or 105 for DIMSTYLE), null when missing.
  static const DxfTag* handleTag(const std::vector<DxfTag>& tags);
  // The marker of the last subclass group, which names the object's class.
  static std::string_view lastMarker(const std::vector<DxfTag>& tags);

 private:
  // Whether the tag is a field of the object: owned, and for a code owned
  // once, the first of its group (seenOnce holds those met so far).
  static bool owns(const AcDbObject& object, const DxfGroup& group, int code, std::vector<int>& seenOnce);
};
