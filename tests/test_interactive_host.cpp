// A person at a terminal: the host driven through a pseudo-terminal, as a
// planner types: history between runs, Tab completion, Enter repeating,
// Ctrl-C and Esc cancelling the prompt, and the question before quitting.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

using namespace spatiary_test;

namespace {

// Runs the host on a pseudo-terminal and plays a list of steps: ("send",
// text) types, ("expect", text) waits for the text after what was last
// expected.  Prints "ok" with the host's exit status, or where it stuck.
const char* kTerminal = R"(import os, pty, select, sys, time, json
exe, appdata, drawing, steps = sys.argv[1], sys.argv[2], sys.argv[3], json.loads(sys.argv[4])
pid, fd = pty.fork()
if pid == 0:
    os.environ['TERM'] = 'xterm'
    os.execv(exe, [exe, '--appdata', appdata, drawing])
seen, mark = b'', 0
def expect(text):
    global seen, mark
    want = text.encode()
    deadline = time.time() + 30
    while want not in seen[mark:]:
        if time.time() > deadline or not select.select([fd], [], [], deadline - time.time())[0]:
            print('stuck waiting for %r after:\n%s' % (text, seen[mark:].decode(errors='replace')))
            sys.exit(1)
        try:
            chunk = os.read(fd, 4096)
        except OSError:
            chunk = b''
        if not chunk:
            print('ended waiting for %r after:\n%s' % (text, seen[mark:].decode(errors='replace')))
            sys.exit(1)
        seen += chunk
    mark = seen.index(want, mark) + len(want)
for kind, text in steps:
    if kind == 'send':
        time.sleep(0.15)
        os.write(fd, text.encode())
    else:
        expect(text)
while True:
    try:
        if not os.read(fd, 4096): break
    except OSError:
        break
_, status = os.waitpid(pid, 0)
print('ok', os.waitstatus_to_exitcode(status))
)";

std::string quoteJson(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\')
      quoted += std::string("\\") + c;
    else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

class InteractiveHost : public ::testing::Test {
 protected:
  InteractiveHost() {
    const auto prefs = scratch / "appdata" / "ZelphSystems" / "Spatiary" / "prefs";
    std::filesystem::create_directories(prefs);
    writeFile(prefs / "prefs.cfg", "//\tprefs\nunits\n0\n");
    std::filesystem::copy_file(floorDrawing(), drawing);
  }

  // Steps as pairs: 's' to send, 'e' to expect.
  RunResult play(const std::vector<std::pair<char, std::string>>& steps) {
    std::string json = "[";
    for (const auto& [kind, text] : steps)
      json += std::string(json.size() > 1 ? "," : "") + "[" + (kind == 's' ? "\"send\"" : "\"expect\"") + "," +
              quoteJson(text) + "]";
    return runPython(kTerminal, {spatiaryExecutable().string(), (scratch / "appdata").string(), drawing.string(),
                                 json + "]"});
  }

  ScratchFolder scratch;
  std::filesystem::path drawing = scratch / "floor.dxf";
};

TEST_F(InteractiveHost, HistoryCompletionAndEnterRepeating) {
  std::filesystem::create_directory(scratch / "pictures here");
  const std::string folder = (scratch / "pict").string();
  const auto first = play({{'e', "Command: "}, {'s', "md1\r"}, {'e', "basic test completed"}, {'e', "Command: "},
                           {'s', "\r"}, {'e', "md1"}, {'e', "basic test completed"}, {'e', "Command: "},
                           {'s', "hel\t\r"}, {'e', "Host commands:"}, {'e', "Command: "},
                           {'s', "render " + folder + "\t"}, {'e', "here/"}, {'s', "plan.svg\"\r"},
                           {'e', "Wrote the picture"}, {'e', "Command: "},
                           {'s', "\x1b[A\x1b[A\r"}, {'e', "Host commands:"}, {'e', "Command: "}, {'s', "quit\r"}});
  EXPECT_EQ(first.output, "ok 0\n") << first.output;
  EXPECT_TRUE(std::filesystem::exists(scratch / "pictures here" / "plan.svg"));
  // The history outlives the run.
  const auto second = play({{'e', "Command: "}, {'s', "\x1b[A\x1b[A\r"}, {'e', "Host commands:"},
                            {'e', "Command: "}, {'s', "quit\r"}});
  EXPECT_EQ(second.output, "ok 0\n") << second.output;
}

TEST_F(InteractiveHost, CtrlCAndEscCancelThePromptNotTheHost) {
  const auto result = play({{'e', "Command: "}, {'s', "mgabc\r"}, {'e', "polyline:"}, {'s', "\x03"}, {'e', "*Cancel*"},
                            {'e', "Command: "}, {'s', "mgabc\r"}, {'e', "polyline:"}, {'s', "\x1b"}, {'e', "*Cancel*"},
                            {'e', "Command: "}, {'s', "md1\r"}, {'e', "basic test completed"}, {'e', "Command: "},
                            {'s', "quit\r"}});
  EXPECT_EQ(result.output, "ok 0\n") << result.output;
}

TEST_F(InteractiveHost, QuitAsksBeforeDiscardingChanges) {
  const std::string before = readFile(drawing);
  const std::vector<std::pair<char, std::string>> change = {
      {'e', "Command: "}, {'s', "mgabc\r"}, {'e', "polyline:"}, {'s', "#33\r"}, {'e', "points:"}, {'s', "12000,-1000\r"},
      {'e', "Command: "}, {'s', "quit\r"}, {'e', "Save changes to floor.dxf?"}};
  auto discard = change;
  discard.insert(discard.end(), {{'e', "<Yes>: "}, {'s', "cancel\r"}, {'e', "Command: "}, {'s', "quit\r"},
                                 {'e', "<Yes>: "}, {'s', "no\r"}});
  const auto discarded = play(discard);
  EXPECT_EQ(discarded.output, "ok 0\n") << discarded.output;
  EXPECT_EQ(readFile(drawing), before);

  auto keep = change;
  keep.insert(keep.end(), {{'e', "<Yes>: "}, {'s', "\r"}, {'e', "Wrote the drawing"}});
  const auto kept = play(keep);
  EXPECT_EQ(kept.output, "ok 0\n") << kept.output;
  EXPECT_NE(readFile(drawing).find("ROOM-GROSS_AREA"), std::string::npos);
}

}  // namespace
