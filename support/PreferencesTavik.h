// The document monitor's server entries.  The module keeps one list; nothing
// fills it yet, so sessions fall back to their own default folder.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct CServerPreferenceTavik {
  std::wstring folder;
};

class CPreferencesTavik {
 public:
  static CPreferencesTavik& moduleList();

  void add(std::unique_ptr<CServerPreferenceTavik> entry);
  int count() const;
  const CServerPreferenceTavik* getAt(int index) const;
  void deleteObjects();

 private:
  std::vector<std::unique_ptr<CServerPreferenceTavik>> m_entries;
};
