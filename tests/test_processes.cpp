// Starting programs: command lines split by the host's quoting rules, the
// program started without a shell in the folder asked for, a program that
// cannot be started reported as such.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "Processes.h"
#include "TestSupport.h"
#include "TextCodec.h"

using namespace spatiary_test;
namespace fs = std::filesystem;

namespace {

TEST(Processes, CommandLinesSplitByQuotesAndEscapedQuotes) {
  using Arguments = std::vector<std::wstring>;
  EXPECT_EQ(splitCommandLine(L"\"C:\\Program Files\\calc.exe\" \"D:\\plans\\a b.csv\""),
            (Arguments{L"C:\\Program Files\\calc.exe", L"D:\\plans\\a b.csv"}));
  EXPECT_EQ(splitCommandLine(L"  one\ttwo  "), (Arguments{L"one", L"two"}));
  EXPECT_EQ(splitCommandLine(L"p a\\\"b \"c\\\\\" d\\\\e"), (Arguments{L"p", L"a\"b", L"c\\", L"d\\\\e"}));
  EXPECT_EQ(splitCommandLine(L"p \"\" x"), (Arguments{L"p", L"", L"x"}));
  EXPECT_TRUE(splitCommandLine(L"   ").empty());
}

TEST(Processes, ProgramsStartInTheFolderGivenWithTheirArgumentsAsTheyAre) {
  const ScratchFolder scratch;
  const fs::path program = scratch / "record.sh";
  writeFile(program, "#!/bin/sh\n{ pwd; echo \"[$1]\"; } > \"$0.log\"\n");
  fs::permissions(program, fs::perms::owner_all);
  std::wstring commandLine = utf8ToWide("\"" + program.string() + "\" \"`touch nope`; $(touch nope)\"");
  const std::wstring folder = utf8ToWide(scratch.path().string());
  STARTUPINFOW startup;
  PROCESS_INFORMATION information;
  ASSERT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                             &information));
  EXPECT_GT(information.dwProcessId, 0u);
  std::string record;
  for (int attempt = 0; attempt < 100 && record.find(']') == std::string::npos; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (fs::exists(program.string() + ".log")) record = readFile(program.string() + ".log");
  }
  EXPECT_EQ(record, scratch.path().string() + "\n[`touch nope`; $(touch nope)]\n");
  EXPECT_FALSE(fs::exists(scratch / "nope"));

  std::wstring missing = utf8ToWide("\"" + (scratch / "missing").string() + "\"");
  EXPECT_FALSE(CreateProcessW(nullptr, &missing[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, nullptr));
  std::wstring empty;
  EXPECT_FALSE(CreateProcessW(nullptr, empty.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, nullptr));
}

TEST(Processes, TheHostProgramKnowsItsOwnPath) {
  ACHAR path[4096];
  const DWORD length = GetModuleFileNameW(nullptr, path, 4096);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(fs::path(wideToUtf8(path)).filename(), "test_processes");
  ACHAR tiny[4];
  EXPECT_EQ(GetModuleFileNameW(nullptr, tiny, 4), 0u);
}

}  // namespace
