// Drawings full of spaces, built by ezdxf the way the module stores them,
// and the spaces of a saved drawing as ezdxf reads them back.
#pragma once

#include <filesystem>
#include <string>

namespace spatiary_test {

// Options, any of them in one text separated by blanks:
//   stale   every even space's record holds its area plus one
//   typed   every fifth space's AREA text was typed over ("see plan")
//   linked  every third space's AUX text shows its perimeter, else " "
//   noaux   no AUX attribute definitions nor attributes
//   askew   NAME and AUX texts stand away from AREA
//   feet    the records are in square feet
//   gross   a last space, the gross-area block "GROSS AREA", 10 by 10 metres
// Space i (from 1) is "Room i", block ROOM-i, 3 + (i-1) % 7 / 2 metres by 4
// metres, with its label point 1 metre inside the outline's corner.
void makeSpaceDrawing(const std::filesystem::path& path, int count, const std::string& options = "");

// One line per space reference in drawing order:
// "BLOCK|NAME|AREA|AUX|record AREA|record PERIMETER|record NAME", then the
// line "attribs BLOCK TAG x y height rotation layer" per attribute when
// withPlaces is set.  The first line is "audit-errors N".
std::string listSpaces(const std::filesystem::path& path, bool withPlaces = false);

}  // namespace spatiary_test

namespace spatiary_test {

// The spaces of a drawing as the module reads them, one line each in
// drawing order: "BLOCK|name|area|perimeter|units|precision" (area and
// perimeter with two decimals).
std::string readSpacesWithProject(const std::filesystem::path& path);

}  // namespace spatiary_test

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace spatiary_test {

// A scratch folder with the module's preferences, a drawing to work on and
// the host program run over it with a script.
class SpaceCommandTest : public ::testing::Test {
 protected:
  SpaceCommandTest();
  void usePreferences(int units, int precision, const std::string& csvOpener = "NONE");
  // Runs the script over the drawing, saving it as `saved` when asked;
  // the run must end well and show no error.
  RunResult run(const std::string& script, bool save = true);
  // Runs a script that gives answers the host refuses, to the end
  // (--keep-going): the run fails, but shows no error box.
  RunResult runWithRefusals(const std::string& script);

  ScratchFolder scratch;
  std::string drawing;
  std::string saved;
};

}  // namespace spatiary_test
