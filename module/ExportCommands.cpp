// Read-only reports on the spaces of the drawing: mcsv writes names, areas
// and perimeters to a CSV file beside the drawing and opens it in the
// program the user chose; mifc writes the spaces as IFC for facility
// systems; mlb lists every space block on the command line.
#include <iconv.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

#include "AcApDocument.h"
#include "Processes.h"
#include "TextCodec.h"
#include "acutads.h"
#include "host/AcadDrawing.h"
#include "host/AcadUtilities.h"
#include "ifc/IfcSpaceExport.h"
#include "module/CommandShell.h"
#include "module/commands.h"
#include "resources/VersionRecord.h"
#include "spaces/BlockDWG.h"
#include "spaces/Blocks.h"
#include "support/FileUtilities.h"
#include "support/Preferences.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

const std::wstring kSpaceBlockPrefix = L"ROOM-";
const std::wstring kGrossAreaBlock = L"ROOM-GROSS_AREA";
const std::wstring kSquared = L"\u00B2";

// The drawing's full path with its extension (the last four characters)
// made ".csv"; a drawing never saved is named by its title ("Drawing1")
// in the working folder.
std::wstring csvPathOf(const CAcadDrawing& drawing) {
  const AcApDocument* document = drawing.getDocument();
  std::wstring path = document != nullptr ? document->fileName() : L"";
  if (path.empty() && document != nullptr) path = document->docTitle();
  path.resize(path.size() >= 4 ? path.size() - 4 : 0);
  return utf8ToWide(std::filesystem::absolute(CFileUtilities::nativePath(path + L".csv")).string());
}

// The drawing's path, or its title for a drawing never saved, without its extension.
std::wstring drawingPathStem(const CAcadDrawing& drawing) {
  const AcApDocument* document = drawing.getDocument();
  std::wstring path = document == nullptr ? L"Drawing" : *document->fileName() != 0 ? document->fileName() : document->docTitle();
  const size_t dot = path.find_last_of(L'.');
  const size_t separator = path.find_last_of(L"\\/");
  if (dot != std::wstring::npos && (separator == std::wstring::npos || dot > separator)) path.resize(dot);
  return path;
}

std::wstring fileNameOf(const std::wstring& path) {
  const size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

std::string utcTimestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  return text;
}

class CsvTable {
 public:
  explicit CsvTable(int precision) : m_precision(precision) {}

  void add(const CBlockDWG& space) {
    const bool feet = space.getUnits() == 1;
    m_areaUnit = feet ? L"ft" + kSquared : L"m" + kSquared;
    m_lengthUnit = feet ? L"ft" : L"m";
    const std::wstring row = space.getName() + L"," + number(space.getArea()) + L"," + m_areaUnit + L"," +
                             number(space.getPerimeter()) + L"," + m_lengthUnit + L"\n";
    if (space.getBlockName() == kGrossAreaBlock) {
      m_grossArea += row;
      return;
    }
    m_rooms += row;
    m_totalArea += space.getArea();
    m_totalPerimeter += space.getPerimeter();
  }

  std::wstring text() const {
    return L"Code,Area,Units,Perimeter,Units\n" + m_rooms + L"Total," + number(m_totalArea) + L"," + m_areaUnit +
           L"," + number(m_totalPerimeter) + L"," + m_lengthUnit + L"\n\n\n" + m_grossArea;
  }

 private:
  std::wstring number(double value) const { return CUtilities::DoubleToCString(value, m_precision); }

  int m_precision;
  std::wstring m_rooms;
  std::wstring m_grossArea;
  double m_totalArea = 0.0;
  double m_totalPerimeter = 0.0;
  std::wstring m_areaUnit;
  std::wstring m_lengthUnit;
};

// One byte a character in the Windows code page of the file format
// (cp1252: ’ – € keep their bytes); a character it lacks becomes '?'.
std::string singleBytes(const std::wstring& text) {
  iconv_t codePage = iconv_open("CP1252", "WCHAR_T");
  if (codePage == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP1252 conversion");
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t c : text) {
    char* in = reinterpret_cast<char*>(&c);
    size_t inLeft = sizeof c;
    char out[4];
    char* next = out;
    size_t outLeft = sizeof out;
    const bool converted = iconv(codePage, &in, &inLeft, &next, &outLeft) != static_cast<size_t>(-1);
    bytes += converted && next == out + 1 ? out[0] : '?';
  }
  iconv_close(codePage);
  return bytes;
}

bool writeCsv(const std::wstring& path, const std::wstring& text) {
  std::ofstream file(CFileUtilities::nativePath(path), std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file << singleBytes(text);
  file.close();
  return !file.fail();
}

// The opener chosen in the preferences; asked for this run when none is
// set.  Empty when the user cancels the question.
std::wstring csvOpener(const CPreferences& preferences) {
  std::wstring opener = preferences.getCsvOpener();
  while (opener.empty()) {
    const std::optional<std::wstring> answer =
        CAcadUtilities::askString(L"Please enter the path of the application you wish to open csv files with\n");
    if (!answer) break;
    opener = *answer;
  }
  return opener;
}

// The host program's folder: new programs start there.
std::wstring hostProgramFolder() {
  ACHAR path[4096];
  const DWORD length = GetModuleFileNameW(nullptr, path, sizeof path / sizeof path[0]);
  const std::wstring program(path, length);
  const size_t separator = program.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : program.substr(0, separator);
}

void startOpener(const std::wstring& opener, const std::wstring& csvPath) {
  std::wstring commandLine = L"\"" + opener + L"\" \"" + csvPath + L"\"";
  const std::wstring folder = hostProgramFolder();
  STARTUPINFOW startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process;
  // Whether it started is not reported: the file is written either way.
  if (CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                     folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
}

void collectSpacesByHandle(CAcadDrawing& drawing, CBlocks& spaces, bool withAssets, bool ascending) {
  drawing.bindCurrentDocument();
  spaces.getZelphDWGBlocks_SS(drawing, withAssets, L'f');
  spaces.sortBlocksByHandle(ascending);
}

const CBlockDWG& spaceAt(const CBlocks& spaces, int index) { return *static_cast<const CBlockDWG*>(spaces.getAt(index)); }

void listAsset(const CAsset& asset) {
  const std::wstring handle = asset.getHandle().ascii();
  const CAttributes* attributes = asset.getAttributes();
  acutPrintf(L",,,,,,%s,%s,%i,%i\n", asset.getBlockIdentifier().c_str(), handle.c_str(), CUtilities::_httoi(handle),
             attributes != nullptr ? attributes->getCount() : 0);
}

void listSpace(const CBlockDWG& space, bool withAssets) {
  const CAssets* assets = space.getAssets();
  acutPrintf(L"%s,%s,%s,%s,%i,%i\n", space.getBlockName().c_str(), space.getName().c_str(),
             CUtilities::DoubleToCString(space.getArea(), 2).c_str(), space.getHandle().c_str(),
             CUtilities::_httoi(space.getHandle()), assets != nullptr ? assets->getCount() : 0);
  if (!withAssets || assets == nullptr) return;
  for (int index = 0; index < assets->getCount(); ++index) listAsset(*assets->getAt(index));
}

}  // namespace

void zelphCommaSeperatedValues() {
  CCommandShell shell(L"Zelph Block Details");
  ZELPH_TRY
    CPreferences preferences;
    preferences.loadPreferences();
    CAcadDrawing drawing;
    CBlocks spaces;
    collectSpacesByHandle(drawing, spaces, false, true);
    const std::wstring path = csvPathOf(drawing);
    CsvTable table(preferences.getPrecision());
    for (int index = 0; index < spaces.getCount(); ++index) {
      const CBlockDWG& space = spaceAt(spaces, index);
      if (space.getBlockName().compare(0, kSpaceBlockPrefix.size(), kSpaceBlockPrefix) == 0) table.add(space);
    }
    if (!writeCsv(path, table.text())) return;
    acutPrintf(L"csv data successfully saved to file (%s)\n", path.c_str());
    if (preferences.getCsvOpener() == L"NONE") return;
    const std::wstring opener = csvOpener(preferences);
    if (!opener.empty()) startOpener(opener, path);
  ZELPH_COMMAND_CATCH(L"createRoomAreaCSV")
}

void zelphIfcExport() {
  CCommandShell shell(L"Zelph IFC Export");
  ZELPH_TRY
    CAcadDrawing drawing;
    drawing.bindCurrentDocument();
    const std::wstring stem = drawingPathStem(drawing);
    std::wstring path;
    CAcadUtilities::getString(L"IFC file", stem + L".ifc", path);
    CBlocks spaces;
    collectSpacesByHandle(drawing, spaces, false, true);
    CIfcSpaceExport exporter(drawing.getDatabase(), fileNameOf(stem), L"Spatiary " + CVersionRecord::moduleVersion());
    const std::string text = exporter.write(spaces, fileNameOf(path), utcTimestamp());
    const std::wstring failure = CFileUtilities::replaceFile(path, text);
    if (!failure.empty()) {
      acutPrintf(L"The IFC file could not be written: %s\n", failure.c_str());
      return;
    }
    acutPrintf(L"%i space(s) on %i storey(s) saved to IFC file (%s)\n", exporter.spaceCount(), exporter.storeyCount(),
               path.c_str());
  ZELPH_COMMAND_CATCH(L"zelphIfcExport")
}

void zelphListBlocks() {
  CCommandShell shell;
  ZELPH_TRY
    bool ascending = true, withAssets = false;
    CAcadUtilities::getBoolean(L"sort by handle in ascending order", true, ascending);
    CAcadUtilities::getBoolean(L"list assets", false, withAssets);
    CAcadDrawing drawing;
    CBlocks spaces;
    collectSpacesByHandle(drawing, spaces, true, ascending);
    acutPrintf(L"\n\nID,Name,Area,Handle(hex),Handle(dec),Assets\n");
    for (int index = 0; index < spaces.getCount(); ++index) listSpace(spaceAt(spaces, index), withAssets);
  ZELPH_COMMAND_CATCH(L"listBlockNameIdentifier")
}
