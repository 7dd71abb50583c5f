// The temporary files a drawing session made, deleted together.
#pragma once

#include <string>
#include <vector>

class CTempFiles {
 public:
  void add(const std::wstring& path);
  int count() const;
  const std::wstring& getAt(int index) const;
  // Files already gone are skipped; the list is empty afterwards.
  void deleteTempFiles();

 private:
  std::vector<std::wstring> m_paths;
};
