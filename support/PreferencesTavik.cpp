#include "support/PreferencesTavik.h"

#include "support/ZelphExceptions.h"

CPreferencesTavik& CPreferencesTavik::moduleList() {
  static CPreferencesTavik list;
  return list;
}

void CPreferencesTavik::add(std::unique_ptr<CServerPreferenceTavik> entry) {
  ZELPH_TRY
    m_entries.push_back(std::move(entry));
  ZELPH_CATCH(L"CPreferencesTavik::add")
}

int CPreferencesTavik::count() const { return static_cast<int>(m_entries.size()); }

const CServerPreferenceTavik* CPreferencesTavik::getAt(int index) const {
  return m_entries.at(static_cast<size_t>(index)).get();
}

void CPreferencesTavik::deleteObjects() {
  ZELPH_TRY
    m_entries.clear();
  ZELPH_CATCH(L"CPreferencesTavik::deleteObjects")
}
