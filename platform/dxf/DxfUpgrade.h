// Brings a drawing older than AutoCAD 2000 (R12, R13, R14), or a file that
// lacks sections or tables, into the structure of the host's own drawings,
// as a CAD program does when it opens one: subclass markers, handles and
// owners for every object, the block records, layouts and dictionaries a
// drawing has, and the records every table holds.  What the file lacks is
// taken from the host's new drawing; what it has is kept, handles included.
#pragma once

#include <string>
#include <string_view>
#include <vector>
#include <cstdint>

class DxfUpgrade {
 public:
  // Whether the (ASCII) text needs it: an older or unknown version, or no
  // block records.  Cheap: it looks only where those are written.
  static bool needed(std::string_view text);
  // version: $ACADVER as the file gave it, empty without one.  lines: for
  // each tag of the result, the line of the file it stands for.  A file
  // whose sections are broken fails as DxfError naming the line.
  static std::string upgrade(std::string_view text, std::string& version, std::vector<std::uint32_t>& lines);
};
