// A test fixture holding the bundled sample floor plan as the working
// database, with the console's answers and output in the test's hands.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "dbmain.h"

namespace spatiary_test {

std::wstring hexHandle(AcDbObjectId id);

class SampleDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The next lines the console reads.
  void answer(const std::string& lines);

  AcDbDatabase db{false, true};
  std::istringstream answers;
  std::ostringstream transcript;
};

}  // namespace spatiary_test
