// What a database keeps of the file it was read from: the text every
// unchanged object is written back from, the order of the sections, the
// header, and the order of tables and of the OBJECTS section.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "AcDbObjectId.h"
#include "DxfHeader.h"

struct DxfSection {
  std::string name;
  // The whole section for one the platform does not model; empty otherwise.
  std::string_view text;
};

struct DxfFile {
  std::string text;
  std::string lineEnd = "\n";
  DxfHeader header;
  std::vector<DxfSection> sections;
  AcDbObjectIdArray tables;
  AcDbObjectIdArray objects;
  // $HANDSEED as read, to tell whether it needs rewriting.
  std::string handseedRead;
  // What the file was before it became this model: binary, or an older version ($ACADVER).
  bool readBinary = false;
  std::string versionRead;
};
