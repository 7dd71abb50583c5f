#include "SvgRasteriser.h"

#include <dlfcn.h>

#include "TextCodec.h"

namespace {

using WritePng = bool (*)(const std::string&, int, int, const std::string&, std::string&);
using WritePdf = bool (*)(const std::string&, double, double, const std::string&, std::string&);

// The writer is installed beside the platform library, wherever that is.
std::string writerPath() {
  Dl_info platform{};
  if (::dladdr(reinterpret_cast<void*>(&utf8ToWide), &platform) == 0 || platform.dli_fname == nullptr)
    return "SpatiaryPng.so";
  const std::string library = platform.dli_fname;
  const size_t slash = library.rfind('/');
  return (slash == std::string::npos ? std::string() : library.substr(0, slash + 1)) + "SpatiaryPng.so";
}

// Kept loaded to the end: glib does not expect to be unloaded.
void* loadLibrary(std::string& error) {
  static void* library = nullptr;
  if (library != nullptr) return library;
  const std::string path = writerPath();
  library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = ::dlerror();
    error = "cannot load the picture writer " + path + ": " + (reason != nullptr ? reason : "unknown reason");
  }
  return library;
}

template <class Writer>
Writer loadWriter(const char* name, std::string& error) {
  void* library = loadLibrary(error);
  if (library == nullptr) return nullptr;
  const auto writer = reinterpret_cast<Writer>(::dlsym(library, name));
  if (writer == nullptr) error = std::string("the picture writer has no ") + name;
  return writer;
}

}  // namespace

bool SvgRasteriser::writePng(const std::string& svg, int width, int height, const std::string& path,
                             std::string& error) {
  const WritePng writer = loadWriter<WritePng>("spatiaryWritePng", error);
  return writer != nullptr && writer(svg, width, height, path, error);
}

bool SvgRasteriser::writePdf(const std::string& svg, double widthMm, double heightMm, const std::string& path,
                             std::string& error) {
  const WritePdf writer = loadWriter<WritePdf>("spatiaryWritePdf", error);
  return writer != nullptr && writer(svg, widthMm, heightMm, path, error);
}
