#include "SystemVariables.h"

#include <cwchar>
#include <filesystem>

#include "AcApDocManager.h"
#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "HostSession.h"
#include "ReplyText.h"
#include "UndoHistory.h"

namespace {

AcDbDatabase* workingDatabase() { return acdbHostApplicationServices()->workingDatabase(); }

std::wstring drawingFolder() {
  AcApDocument* document = acDocManager->curDocument();
  std::filesystem::path file = document != nullptr ? document->fileName() : L"";
  std::error_code ignored;
  const std::filesystem::path folder = file.empty() ? std::filesystem::current_path(ignored) : file.parent_path();
  std::wstring text = folder.wstring();
  if (text.empty() || text.back() != L'/') text += L'/';
  return text;
}

ACHAR* newString(const std::wstring& text) {
  auto* copy = new ACHAR[text.size() + 1];
  std::wmemcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

}  // namespace

SystemVariables& SystemVariables::instance() {
  static SystemVariables variables;
  return variables;
}

SystemVariables::SystemVariables() {
  m_texts[L"PRODUCT"] = [] { return HostSession::instance().productName(); };
  m_texts[L"DWGNAME"] = [] {
    AcApDocument* document = acDocManager->curDocument();
    return document != nullptr ? document->docTitle() : std::wstring();
  };
  m_texts[L"DWGPREFIX"] = drawingFolder;
  m_numbers[L"LUNITS"] = drawingNumber([](AcDbDatabase& database) { return database.lunits(); },
                                       [](AcDbDatabase& database, short value) { database.setLunits(value); }, 1, 5);
  m_numbers[L"INSUNITS"] = drawingNumber(
      [](AcDbDatabase& database) { return static_cast<short>(database.insunits()); },
      [](AcDbDatabase& database, short value) { database.setInsunits(static_cast<AcDb::UnitsValue>(value)); },
      0, 20);
  m_numbers[L"SORTENTS"] = drawingNumber(
      [](AcDbDatabase& database) { return static_cast<short>(database.sortEnts()); },
      [](AcDbDatabase& database, short value) { database.setSortEnts(static_cast<Adesk::UInt8>(value)); }, 0, 127);
  keep(L"CMDECHO", 1, 0, 1);
  // How many commands each drawing can undo.
  keep(L"UNDOLIMIT", static_cast<short>(UndoHistory::kDefaultLimit), 1, 32767);
}

SystemVariables::Number SystemVariables::drawingNumber(std::function<short(AcDbDatabase&)> read,
                                                       std::function<void(AcDbDatabase&, short)> write, short lowest,
                                                       short highest) {
  // Without a drawing the variable reads 0 and takes no value.
  return {[read] { return workingDatabase() != nullptr ? read(*workingDatabase()) : short(0); },
          [write](short value) {
            if (workingDatabase() != nullptr) write(*workingDatabase(), value);
          },
          lowest,
          highest};
}

void SystemVariables::keep(const std::wstring& name, short initial, short lowest, short highest) {
  m_kept[name] = initial;
  m_numbers[name] = {[this, name] { return m_kept.at(name); }, [this, name](short value) { m_kept[name] = value; },
                     lowest, highest};
}

int SystemVariables::get(const ACHAR* name, resbuf* result) const {
  if (name == nullptr || result == nullptr) return RTERROR;
  const std::wstring key = ReplyText::upper(name);
  if (const auto text = m_texts.find(key); text != m_texts.end()) {
    result->restype = RTSTR;
    result->resval.rstring = newString(text->second());
    return RTNORM;
  }
  const auto number = m_numbers.find(key);
  if (number == m_numbers.end()) return RTERROR;
  result->restype = RTSHORT;
  result->resval.rint = number->second.read();
  return RTNORM;
}

int SystemVariables::set(const ACHAR* name, const resbuf* value) {
  if (name == nullptr || value == nullptr) return RTERROR;
  const auto number = m_numbers.find(ReplyText::upper(name));
  if (number == m_numbers.end()) return RTERROR;
  long wanted;
  if (value->restype == RTSHORT)
    wanted = value->resval.rint;
  else if (value->restype == RTLONG)
    wanted = value->resval.rlong;
  else
    return RTERROR;
  if (wanted < number->second.lowest || wanted > number->second.highest) return RTERROR;
  number->second.write(static_cast<short>(wanted));
  return RTNORM;
}
