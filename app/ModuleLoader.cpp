#include "ModuleLoader.h"

#include <dlfcn.h>

#include "AcRxObject.h"
#include "OdRxModule.h"

namespace {

const char* const kExports[] = {"acrxEntryPoint", "acrxGetApiVersion", "odrxGetAPIVersion", "odrxCreateModuleObject"};

AcrxEntryPointFunction entryPoint(void* symbol) { return reinterpret_cast<AcrxEntryPointFunction>(symbol); }

}  // namespace

ModuleLoader::~ModuleLoader() { unload(); }

bool ModuleLoader::load(const std::string& path, std::string& error) {
  m_library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_library == nullptr) {
    const char* reason = ::dlerror();
    error = "cannot load the module " + path + ": " + (reason != nullptr ? reason : "unknown reason");
    return false;
  }
  for (const char* name : kExports) {
    if (::dlsym(m_library, name) == nullptr) {
      error = "the module " + path + " does not export " + name;
      unload();
      return false;
    }
  }
  m_entryPoint = ::dlsym(m_library, "acrxEntryPoint");
  auto create = reinterpret_cast<OdrxCreateModuleObjectFunction>(::dlsym(m_library, "odrxCreateModuleObject"));
  m_module = create(m_library);
  if (m_module == nullptr) {
    error = "the module " + path + " made no module object";
    unload();
    return false;
  }
  m_module->addRef();
  m_module->initApp();
  entryPoint(m_entryPoint)(AcRx::kInitAppMsg, m_module);
  return true;
}

void ModuleLoader::unload() {
  if (m_module != nullptr) {
    entryPoint(m_entryPoint)(AcRx::kUnloadAppMsg, m_module);
    m_module->uninitApp();
    m_module->release();
    m_module = nullptr;
  }
  if (m_library != nullptr) {
    ::dlclose(m_library);
    m_library = nullptr;
  }
  m_entryPoint = nullptr;
}
