#include "RenderCommand.h"

#include <cstdio>
#include <string>

#include "AcDbDatabase.h"
#include "PictureFile.h"
#include "TextCodec.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

}  // namespace

const char* RenderCommand::usage() {
  return "usage: spatiary render DRAWING.dxf OUT.svg|OUT.png\n";
}

int RenderCommand::run(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "spatiary: render needs a drawing and the picture to write\n%s", usage());
    return kUsageError;
  }
  AcDbDatabase database(false, true);
  if (database.dxfIn(utf8ToWide(argv[0]).c_str()) != Acad::eOk) {
    std::fprintf(stderr, "spatiary: %s: %s\n", argv[0], wideToUtf8(database.lastErrorMessage()).c_str());
    return kFailure;
  }
  std::string error;
  if (!PictureFile::write(database, argv[1], error)) {
    std::fprintf(stderr, "spatiary: %s\n", error.c_str());
    return kFailure;
  }
  return 0;
}
