#include "module/DrxModule.h"

CDrxModule::CDrxModule(void* instance, std::wstring path) : m_instance(instance), m_path(std::move(path)) {}

void CDrxModule::addRef() { ++m_references; }

void CDrxModule::release() {
  if (--m_references == 0) delete this;
}

long CDrxModule::numRefs() const { return m_references; }

void* CDrxModule::sysData() { return m_instance; }

std::wstring CDrxModule::moduleName() const { return m_path; }

void CDrxModule::initApp() { onLoadArxApp(m_path); }

void CDrxModule::uninitApp() { onUnloadArxApp(m_path); }
