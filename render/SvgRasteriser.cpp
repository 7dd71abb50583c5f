#include "SvgRasteriser.h"

#include <dlfcn.h>

#include "TextCodec.h"

namespace {

using WritePng = bool (*)(const std::string&, int, int, const std::string&, std::string&);

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
WritePng loadWriter(std::string& error) {
  static WritePng writer = nullptr;
  if (writer != nullptr) return writer;
  const std::string path = writerPath();
  void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library != nullptr) writer = reinterpret_cast<WritePng>(::dlsym(library, "spatiaryWritePng"));
  if (writer == nullptr) {
    const char* reason = ::dlerror();
    error = "cannot load the PNG writer " + path + ": " + (reason != nullptr ? reason : "unknown reason");
  }
  return writer;
}

}  // namespace

bool SvgRasteriser::writePng(const std::string& svg, int width, int height, const std::string& path,
                             std::string& error) {
  const WritePng writer = loadWriter(error);
  return writer != nullptr && writer(svg, width, height, path, error);
}
