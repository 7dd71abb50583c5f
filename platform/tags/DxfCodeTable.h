// What kind of value each DXF group code carries, from the public DXF
// reference: the one table the tag layer, extended data and result
// buffers all read.
#pragma once

enum class DxfValueKind { String, Double, Point, Int16, Int32, Int64, Handle, Binary, Invalid };

class DxfCodeTable {
 public:
  static DxfValueKind kind(int code);
  // Point codes start a triple: x at code, y at code + 10, z at code + 20.
  static bool startsPoint(int code) { return kind(code) == DxfValueKind::Point; }
};
