// The planner's day on a campus of 1 000, 10 000 and 100 000 spaces: load,
// save, collect the spaces, recalculate them (mus), undo that, export them
// (mcsv, and mifc to IFC) and apply a graphic report covering every space (magr).  Each figure should
// grow with the number of spaces and no faster.  The drawings are made
// once into SPATIARY_BENCH_DIR (default /tmp/spatiary-bench) and kept.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstddef>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>

#include "AcApDocManager.h"
#include "AcDbDatabase.h"
#include "CampusDrawing.h"
#include "HostSession.h"
#include "TextCodec.h"
#include "UndoHistory.h"
#include "host/AcadDrawing.h"
#include "module/ModuleLifecycle.h"
#include "module/commands.h"
#include "spaces/Blocks.h"

namespace fs = std::filesystem;

namespace {

const char* kPreferences =
    "units\n0\nprecison\n2\ntextSize\n250.00\ntextScale\n1.00\ntextRotation\n0.00\ncsvOpener\nNONE\n"
    "zoomBorder\n1000\ninc\n1\n";

fs::path benchFolder() {
  const char* folder = std::getenv("SPATIARY_BENCH_DIR");
  return folder != nullptr && *folder != '\0' ? fs::path(folder) : fs::path("/tmp/spatiary-bench");
}

// Saves go to memory where there is some: the disk's own pace is not the
// writer's, and ezdxf's saves go to the same place.
fs::path savedFile() {
  const fs::path memory("/dev/shm");
  return (fs::is_directory(memory) ? memory : benchFolder()) / "spatiary-bench-saved.dxf";
}

fs::path exportedIfc() { return savedFile().replace_filename("spatiary-bench-export.ifc"); }

fs::path drawingOf(int spaces) { return benchFolder() / ("campus-" + std::to_string(spaces) + ".dxf"); }
fs::path reportOf(int spaces) { return benchFolder() / ("campus-" + std::to_string(spaces) + ".xml"); }

// The module loaded with its preferences, its chatter kept off the table.
class Module {
 public:
  Module() {
    const fs::path prefs = benchFolder() / "appdata" / "ZelphSystems" / "Spatiary" / "prefs";
    fs::create_directories(prefs);
    std::ofstream(prefs / "prefs.cfg") << kPreferences;
    auto& session = HostSession::instance();
    session.setAppDataFolder((benchFolder() / "appdata").wstring());
    session.setOutput(&m_chatter);
    CModuleLifecycle::initialise(&m_packet);
  }
  ~Module() { CModuleLifecycle::unload(); }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  // The console's answers for the next command.
  void answer(const std::string& lines) {
    m_chatter.str("");
    m_answers.str(lines);
    m_answers.clear();
    HostSession::instance().setInput(&m_answers);
  }

 private:
  int m_packet = 0;
  std::ostringstream m_chatter;
  std::istringstream m_answers;
};

Module& module() {
  static Module loaded;
  return loaded;
}

// The campus drawing of that size, made on first use.
fs::path campus(int spaces) {
  static std::set<int> checked;
  const fs::path path = drawingOf(spaces);
  if (checked.insert(spaces).second && !(fs::exists(path) && fs::exists(reportOf(spaces)))) {
    module();
    CampusDrawing(spaces).write(path, reportOf(spaces));
  }
  return path;
}

AcApDocument* open(const fs::path& path) {
  if (acDocManager->appContextOpenDocument(utf8ToWide(path.string()).c_str()) != Acad::eOk)
    throw std::runtime_error("cannot open " + path.string());
  return acDocManager->curDocument();
}

// Between timed runs: the memory freed goes back to the system, so every run
// meets memory as a newly started host does, whatever the size.
void closeUntimed(benchmark::State& state, AcApDocument* document) {
  state.PauseTiming();
  if (document != nullptr) acDocManager->closeDocument(document);
  ::malloc_trim(0);
  state.ResumeTiming();
}

void countSpaces(benchmark::State& state) {
  state.counters["spaces"] = static_cast<double>(state.range(0));
}

void Load(benchmark::State& state) {
  const fs::path path = campus(static_cast<int>(state.range(0)));
  for (auto _ : state) closeUntimed(state, open(path));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fs::file_size(path)));
  countSpaces(state);
}

void Save(benchmark::State& state) {
  const fs::path path = campus(static_cast<int>(state.range(0)));
  AcApDocument* document = open(path);
  const std::wstring copy = utf8ToWide(savedFile().string());
  for (auto _ : state) {
    if (acDocManager->saveDocument(document, copy.c_str()) != Acad::eOk) state.SkipWithError("save failed");
    closeUntimed(state, nullptr);
  }
  acDocManager->closeDocument(document);
  fs::remove(savedFile());
  countSpaces(state);
}

void CollectSpaces(benchmark::State& state) {
  AcApDocument* document = open(campus(static_cast<int>(state.range(0))));
  CAcadDrawing drawing;
  drawing.bindCurrentDocument();
  for (auto _ : state) {
    {
      CBlocks spaces;
      spaces.getZelphDWGBlocks_SS(drawing, true, L'f');
      if (spaces.getCount() != state.range(0)) state.SkipWithError("spaces missing");
    }
    closeUntimed(state, nullptr);
  }
  acDocManager->closeDocument(document);
  countSpaces(state);
}

// A command run over a freshly opened campus, answering its prompts.
template <void (*command)()>
void RunCommand(benchmark::State& state, const std::string& answers) {
  const fs::path path = campus(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    AcApDocument* document = open(path);
    module().answer(answers);
    state.ResumeTiming();
    command();
    closeUntimed(state, document);
  }
  countSpaces(state);
}

void UpdateSpaces(benchmark::State& state) { RunCommand<zelphUpdateSpaces>(state, ""); }
// mus undone: the undo is timed, and the memory its record holds (what
// forgetting the history gives back) is counted per space.
void UndoUpdateSpaces(benchmark::State& state) {
  const fs::path path = campus(static_cast<int>(state.range(0)));
  double recordBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    AcApDocument* document = open(path);
    module().answer("");
    zelphUpdateSpaces();
    UndoHistory& history = document->database()->undoHistory();
    state.ResumeTiming();
    std::wstring name;
    if (!history.undo(name)) state.SkipWithError("nothing to undo");
    state.PauseTiming();
    const size_t held = mallinfo2().uordblks;
    history.clear();
    recordBytes = static_cast<double>(held) - static_cast<double>(mallinfo2().uordblks);
    state.ResumeTiming();
    closeUntimed(state, document);
  }
  state.counters["record bytes/space"] = recordBytes / static_cast<double>(state.range(0));
  countSpaces(state);
}

void ExportCsv(benchmark::State& state) { RunCommand<zelphCommaSeperatedValues>(state, ""); }
void ExportIfc(benchmark::State& state) {
  RunCommand<zelphIfcExport>(state, exportedIfc().string() + "\n");
  fs::remove(exportedIfc());
}
void ApplyReport(benchmark::State& state) {
  // The report, then the defaults for any question about the legend and chart.
  RunCommand<zelphApplyGraphicReport>(state, reportOf(static_cast<int>(state.range(0))).string() +
                                                 std::string(16, '\n'));
}

// The biggest campus once a repetition, the others a few times; the table
// takes the median of five repetitions, run interleaved (bench/run) so that
// a slow spell of the machine does not fall on one size only.
void registerAll() {
  const std::pair<const char*, void (*)(benchmark::State&)> operations[] = {
      {"Load", Load},           {"Save", Save},           {"CollectSpaces", CollectSpaces},
      {"UpdateSpaces", UpdateSpaces}, {"UndoUpdateSpaces", UndoUpdateSpaces},
      {"ExportCsv", ExportCsv},       {"ExportIfc", ExportIfc},
      {"ApplyReport", ApplyReport}};
  for (const auto& [name, operation] : operations)
    for (const int spaces : {1000, 10000, 100000})
      benchmark::RegisterBenchmark(name, operation)
          ->Arg(spaces)
          ->Iterations(spaces >= 100000 ? 1 : 3)
          ->Repetitions(5)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
  registerAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
