#include "support/Preferences.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>

#include "MessageBox.h"
#include "TextCodec.h"
#include "support/FileUtilities.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

std::wstring& preferencesFolderText() {
  static std::wstring folder;
  return folder;
}

std::wstring& temporaryFolderText() {
  static std::wstring folder;
  return folder;
}

// A line without its end; a file saved on Windows ends its lines with CR LF
// and may start with a byte-order mark.
std::optional<std::wstring> readLine(std::istream& in) {
  std::string line;
  if (!std::getline(in, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
  return utf8ToWide(line);
}

// A real number from the file; infinities and NaN keep the current value.
void readReal(double& field, const std::wstring& value) {
  const double number = CUtilities::CStringToDouble(value);
  if (std::isfinite(number)) field = number;
}

}  // namespace

struct CPreferences::Key {
  const wchar_t* name;
  void (*read)(CPreferences& preferences, const std::wstring& value);
};

// In file order; "precison" is spelt as the file has always spelt it.
const CPreferences::Key CPreferences::kKeys[] = {
    {L"units", [](CPreferences& p, const std::wstring& v) { p.m_units = CUtilities::CStringToInt(v); }},
    {L"precison", [](CPreferences& p, const std::wstring& v) { p.m_precision = CUtilities::CStringToInt(v); }},
    {L"textSize",
     [](CPreferences& p, const std::wstring& v) {
       readReal(p.m_textSize, v);
       if (p.m_textSize <= 0.0) p.m_textSize = 0.1;
     }},
    {L"textScale",
     [](CPreferences& p, const std::wstring& v) {
       readReal(p.m_textScale, v);
       if (p.m_textScale <= 0.0) p.m_textScale = 0.1;
     }},
    {L"textRotation",
     [](CPreferences& p, const std::wstring& v) {
       readReal(p.m_textRotation, v);
       p.m_textRotation = std::clamp(p.m_textRotation, -180.0, 180.0);
     }},
    {L"csvOpener", [](CPreferences& p, const std::wstring& v) { p.m_csvOpener = v; }},
    {L"zoomBorder", [](CPreferences& p, const std::wstring& v) { readReal(p.m_zoomBorder, v); }},
    {L"inc",
     [](CPreferences& p, const std::wstring& v) {
       const int increment = CUtilities::CStringToInt(v);
       if (increment >= 1 && increment <= 100) p.m_increment = increment;
     }},
};

void CPreferences::setWorkingFolders(const std::wstring& appDataFolder) {
  std::wstring root = appDataFolder;
  while (root.size() > 1 && (root.back() == L'/' || root.back() == L'\\')) root.pop_back();
  preferencesFolderText() = root.empty() ? L"" : root + L"/ZelphSystems/Spatiary/prefs/";
  temporaryFolderText() = root.empty() ? L"" : root + L"/ZelphSystems/Spatiary/temp/";
}

const std::wstring& CPreferences::preferencesFolder() { return preferencesFolderText(); }

const std::wstring& CPreferences::temporaryFolder() { return temporaryFolderText(); }

CPreferences::CPreferences()
    : m_filePath(preferencesFolder().empty() ? L"" : preferencesFolder() + L"prefs.cfg") {}

CPreferences::~CPreferences() = default;

// Comment lines are skipped, a line that starts with a key takes the next
// line as its value, and the first empty line (or the end) stops the reading.
int CPreferences::loadPreferences() {
  ZELPH_TRY
    if (m_filePath.empty()) return 0;
    std::ifstream in(CFileUtilities::nativePath(m_filePath), std::ios::binary);
    if (!in) return 0;
    for (std::wstring line = readLine(in).value_or(L""); !line.empty(); line = readLine(in).value_or(L"")) {
      if (line.compare(0, 2, L"//") == 0) continue;
      const auto key = std::find_if(std::begin(kKeys), std::end(kKeys),
                                    [&](const Key& k) { return line.compare(0, std::wcslen(k.name), k.name) == 0; });
      if (key == std::end(kKeys)) continue;
      const auto value = readLine(in);
      // A key cut off by the end of the file has no value to take.
      if (!value) break;
      key->read(*this, CUtilities::trim(*value));
    }
    return 1;
  ZELPH_CATCH(L"CPreferences::loadPreferences")
}

int CPreferences::savePreferences() {
  ZELPH_TRY
    if (preferencesFolder().empty() || !CFileUtilities::ensureDirectoryExists(preferencesFolder())) return 0;
    const std::wstring failure = CFileUtilities::replaceFile(m_filePath, wideToUtf8(fileText()));
    if (failure.empty()) return 1;
    const std::wstring text = L"Unable to Write Configuration File - " + failure.substr(0, 1023);
    MessageBoxW(nullptr, text.c_str(), L"Error - Configuration Not Saved", MB_OK | MB_ICONERROR);
    return 0;
  ZELPH_CATCH(L"CPreferences::savePreferences")
}

std::wstring CPreferences::fileText() const {
  std::wstring text = L"//\tCopyright (c) Zelph Systems. All rights reserved.\n//\n"
                      L"//\tConfiguration file for Spatiary\n//\n";
  const auto pair = [&](const wchar_t* key, const std::wstring& value) { text += key + (L"\n" + value) + L"\n"; };
  pair(L"units", CUtilities::IntToCString(m_units));
  pair(L"precison", CUtilities::IntToCString(m_precision));
  pair(L"textSize", CUtilities::DoubleToCString(m_textSize, 2));
  pair(L"textScale", CUtilities::DoubleToCString(m_textScale, 2));
  pair(L"textRotation", CUtilities::DoubleToCString(m_textRotation, 2));
  pair(L"csvOpener", m_csvOpener);
  pair(L"zoomBorder", CUtilities::DoubleToCString(m_zoomBorder, 0));
  pair(L"inc", CUtilities::IntToCString(m_increment));
  return text;
}

int CPreferences::getUnits() const { return m_units; }
void CPreferences::setUnits(int units) { m_units = units; }
int CPreferences::getPrecision() const { return m_precision; }
void CPreferences::setPrecision(int precision) { m_precision = precision; }
double CPreferences::getTextSize() const { return m_textSize; }
void CPreferences::setTextSize(double size) { m_textSize = size; }
double CPreferences::getTextScale() const { return m_textScale; }
void CPreferences::setTextScale(double scale) { m_textScale = scale; }
double CPreferences::getTextRotation() const { return m_textRotation; }
void CPreferences::setTextRotation(double degrees) { m_textRotation = degrees; }
int CPreferences::getIncrement() const { return m_increment; }
void CPreferences::setIncrement(int increment) { m_increment = increment; }
const std::wstring& CPreferences::getCsvOpener() const { return m_csvOpener; }
void CPreferences::setCsvOpener(const std::wstring& path) { m_csvOpener = path; }
double CPreferences::getZoomBorder() const { return m_zoomBorder; }
void CPreferences::setZoomBorder(double border) { m_zoomBorder = border; }
const std::wstring& CPreferences::getFilePath() const { return m_filePath; }
