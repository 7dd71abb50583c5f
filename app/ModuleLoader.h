// Loads an extension module the way the CAD host does: the library, its
// module object, then the initialise message; the reverse at the end.
#pragma once

#include <string>

class OdRxModule;

class ModuleLoader {
 public:
  ModuleLoader() = default;
  ~ModuleLoader();
  ModuleLoader(const ModuleLoader&) = delete;
  ModuleLoader& operator=(const ModuleLoader&) = delete;

  // False, with the reason in error, when the library or one of its
  // exports is missing.
  bool load(const std::string& path, std::string& error);
  // The unload message, the module object released, the library closed.
  void unload();

 private:
  void* m_library = nullptr;
  OdRxModule* m_module = nullptr;
  void* m_entryPoint = nullptr;
};
