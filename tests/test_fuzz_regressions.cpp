// Every input the fuzz targets were seeded with or once failed on, run
// again through the targets' own code: an input that crashed a reader once
// must never do it again.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "FuzzTarget.h"
#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;
using spatiary_test::readFile;
using spatiary_test::sourceDir;

std::vector<fs::path> inputsOf(const std::string& target) {
  std::vector<fs::path> inputs;
  for (const fs::path& folder : {sourceDir() / "fuzz" / "corpus" / target, sourceDir() / "tests" / "data" / "fuzz" / target}) {
    if (!fs::is_directory(folder)) continue;
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.is_regular_file()) inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

void replay(const std::string& target) {
  const auto found = spatiary_fuzz::targets().find(target);
  ASSERT_NE(found, spatiary_fuzz::targets().end()) << target;
  // One process, in name order, as libFuzzer runs them: inputs named -1,
  // -2 ... keep a fault that needs the inputs before it.
  const std::vector<fs::path> inputs = inputsOf(target);
  EXPECT_FALSE(inputs.empty()) << "no seed inputs for " << target;
  for (const fs::path& input : inputs) {
    // Named first: a failing input aborts the process.
    std::cerr << "replaying " << input.string() << std::endl;
    const std::string data = readFile(input);
    EXPECT_EQ(found->second(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()), 0) << input;
  }
}

}  // namespace

TEST(FuzzInputs, DxfReaderTakesEveryKeptInput) { replay("dxf_reader"); }

TEST(FuzzInputs, GraphicReportReaderTakesEveryKeptInput) { replay("graphic_report"); }

TEST(FuzzInputs, PreferencesLoaderTakesEveryKeptInput) { replay("preferences"); }

TEST(FuzzInputs, CommandLineTakesEveryKeptInput) { replay("command_line"); }

TEST(FuzzInputs, EveryTargetHasItsReplay) {
  EXPECT_EQ(spatiary_fuzz::targets().size(), 4u) << "a new fuzz target needs its replay test here";
}
