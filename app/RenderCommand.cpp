#include "RenderCommand.h"

#include <cstdio>
#include <string>
#include <vector>

#include "AcDbDatabase.h"
#include "PictureFile.h"
#include "TextCodec.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

}  // namespace

const char* RenderCommand::usage() {
  static const std::string text =
      std::string("usage: spatiary render DRAWING.dxf OUT.svg|OUT.png|OUT.pdf [options]\n") + PlotSettings::usage();
  return text.c_str();
}

int RenderCommand::run(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "spatiary: render needs a drawing and the picture to write\n%s", usage());
    return kUsageError;
  }
  PlotSettings settings;
  std::string error;
  if (!settings.parse(std::vector<std::string>(argv + 2, argv + argc), error)) {
    std::fprintf(stderr, "spatiary: render: %s\n%s", error.c_str(), usage());
    return kUsageError;
  }
  AcDbDatabase database(false, true);
  if (database.dxfIn(utf8ToWide(argv[0]).c_str()) != Acad::eOk) {
    // The reader's message names the file.
    std::fprintf(stderr, "spatiary: %s\n", wideToUtf8(database.lastErrorMessage()).c_str());
    return kFailure;
  }
  std::string leftOut;
  if (!PictureFile::write(database, argv[1], settings, error, leftOut)) {
    std::fprintf(stderr, "spatiary: %s\n", error.c_str());
    return kFailure;
  }
  if (!leftOut.empty()) std::fprintf(stderr, "spatiary: not drawn: %s\n", leftOut.c_str());
  return 0;
}
