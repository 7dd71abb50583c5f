// The classes the platform models, by DXF type name: the one table to
// extend when a new class is modelled.  Other types become unmodelled
// entities, objects or records, carried as read.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "DxfTag.h"

class AcDbObject;

class DxfClassRegistry {
 public:
  enum class Place { Entity, Object, Record, Table };
  // tags: the object's tags, the first naming its type.
  static std::unique_ptr<AcDbObject> create(const std::vector<DxfTag>& tags, Place place);
};
