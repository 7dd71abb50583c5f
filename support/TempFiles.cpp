#include "support/TempFiles.h"

#include "support/FileUtilities.h"
#include "support/ZelphExceptions.h"

void CTempFiles::add(const std::wstring& path) {
  ZELPH_TRY
    m_paths.push_back(path);
  ZELPH_CATCH(L"CTempFiles::add")
}

int CTempFiles::count() const { return static_cast<int>(m_paths.size()); }

const std::wstring& CTempFiles::getAt(int index) const { return m_paths.at(static_cast<size_t>(index)); }

void CTempFiles::deleteTempFiles() {
  ZELPH_TRY
    for (const auto& path : m_paths) CFileUtilities::deleteFile(path);
    m_paths.clear();
  ZELPH_CATCH(L"CTempFiles::deleteTempFiles")
}
