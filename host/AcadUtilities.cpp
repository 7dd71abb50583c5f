#include "host/AcadUtilities.h"

#include "AcDbEntity.h"
#include "aced.h"
#include "acutads.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

// The host's text buffer for replies that may hold blanks.
constexpr size_t kReplyLength = 133;

std::wstring withDefault(const std::wstring& prompt, const std::wstring& defaultText) {
  return prompt + L" <" + defaultText + L">:";
}

// One text reply, blanks allowed; nothing when the host took no answer.
bool askText(const std::wstring& prompt, std::wstring& reply) {
  ACHAR buffer[kReplyLength] = {};
  if (acedGetString(1, prompt.c_str(), buffer, kReplyLength) != RTNORM) return false;
  reply = buffer;
  return true;
}

std::wstring askTextUntilAnswered(const std::wstring& prompt, const std::wstring& retryPrompt) {
  std::wstring reply;
  if (askText(L"\n" + prompt, reply)) return reply;
  while (!askText(L"\nInvalid input! - " + retryPrompt, reply)) {
  }
  return reply;
}

}  // namespace

CAcadUtilities::~CAcadUtilities() = default;

void CAcadUtilities::getBoolean(const std::wstring& prompt, bool defaultValue, bool& value) {
  ZELPH_TRY
    std::wstring reply;
    value = defaultValue;
    if (askText(L"\n" + withDefault(prompt, CUtilities::BoolToCString(defaultValue)), reply) && !reply.empty())
      value = CUtilities::CStringToBOOL(reply);
    acutPrintf(L" %s\n", CUtilities::BoolToCString(value).c_str());
  ZELPH_CATCH(L"CAcadUtilities::getBoolean")
}

void CAcadUtilities::getDouble(const std::wstring& prompt, double defaultValue, int decimals, double& value) {
  ZELPH_TRY
    const std::wstring question = L"\n" + withDefault(prompt, CUtilities::DoubleToCString(defaultValue, decimals));
    ads_real reply = 0.0;
    value = acedGetReal(question.c_str(), &reply) == RTNORM ? reply : defaultValue;
    acutPrintf(L" %s\n", CUtilities::DoubleToCString(value, decimals).c_str());
  ZELPH_CATCH(L"CAcadUtilities::getDouble")
}

void CAcadUtilities::getInteger(const std::wstring& prompt, int defaultValue, int& value) {
  ZELPH_TRY
    const std::wstring question = L"\n" + withDefault(prompt, CUtilities::IntToCString(defaultValue));
    int reply = 0;
    value = acedGetInt(question.c_str(), &reply) == RTNORM ? reply : defaultValue;
    acutPrintf(L" %i\n", value);
  ZELPH_CATCH(L"CAcadUtilities::getInteger")
}

std::wstring CAcadUtilities::getString(const std::wstring& prompt) {
  ZELPH_TRY
    return askTextUntilAnswered(prompt + L":", prompt);
  ZELPH_CATCH(L"CAcadUtilities::getString")
}

void CAcadUtilities::getString(const std::wstring& prompt, const std::wstring& defaultText, std::wstring& text) {
  ZELPH_TRY
    const std::wstring question = withDefault(prompt, defaultText);
    const std::wstring reply = askTextUntilAnswered(question, question);
    text = reply.empty() ? defaultText : reply;
    acutPrintf(L" %s\n", text.c_str());
  ZELPH_CATCH(L"CAcadUtilities::getString")
}

// ---- Picks in the drawing ----

namespace {

// The picked entity's class name, or nothing when it cannot be opened.
bool pickedClassName(AcDbObjectId id, std::wstring& className) {
  AcDbEntity* entity = nullptr;
  if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) return false;
  className = entity->isA()->name();
  entity->close();
  return true;
}

bool pickOne(const std::wstring& prompt, AcDbObjectId& id) {
  ads_name entity;
  ads_point point;
  return acedEntSel(prompt.c_str(), entity, point) == RTNORM && acdbGetObjectId(id, entity) == Acad::eOk;
}

}  // namespace

int CAcadUtilities::selectObjectId(AcDbObjectId& id, const std::wstring& prompt, const std::wstring& className) {
  ZELPH_TRY
    const std::wstring question = L"\n" + (prompt.empty() ? std::wstring(L"Please select an object") : prompt);
    for (;;) {
      AcDbObjectId picked;
      if (!pickOne(question, picked)) {
        acutPrintf(L"Cancelled by User.\n");
        return kPickCancelled;
      }
      std::wstring pickedClass;
      if (!pickedClassName(picked, pickedClass)) continue;
      if (pickedClass == className) {
        id = picked;
        return kPicked;
      }
      acutPrintf(L"Invalid selection - %s.\n", pickedClass.c_str());
    }
  ZELPH_CATCH(L"CAcadUtilities::selectObjectId")
}

bool CAcadUtilities::selectObjectId(AcDbObjectId& id, const std::wstring& prompt) {
  ZELPH_TRY
    return pickOne(prompt, id);
  ZELPH_CATCH(L"CAcadUtilities::selectObjectId")
}

int CAcadUtilities::selectObjectIds(AcDbObjectIdArray& ids, const std::wstring& prompt) {
  ZELPH_TRY
    acutPrintf(L"\n%s", prompt.c_str());
    ads_name selection;
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, selection) != RTNORM) return 1;
    Adesk::Int32 length = 0;
    acedSSLength(selection, &length);
    for (Adesk::Int32 index = 0; index < length; ++index) {
      ads_name member;
      AcDbObjectId id;
      std::wstring className;
      if (acedSSName(selection, index, member) != RTNORM || acdbGetObjectId(id, member) != Acad::eOk) continue;
      if (pickedClassName(id, className) && className != L"AcDbBlockReference") ids.push_back(id);
    }
    acedSSFree(selection);
    return 1;
  ZELPH_CATCH(L"CAcadUtilities::selectObjectIds")
}

int CAcadUtilities::userSelectSpaceHandle(AcDbHandle& handle) {
  ZELPH_TRY
    AcDbObjectId id;
    if (selectObjectId(id, L"\nPlease select a space\n", L"AcDbBlockReference") != kPicked) return kNoSpacePicked;
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) return kNoSpacePicked;
    handle = entity->handle();
    entity->close();
    return kPicked;
  ZELPH_CATCH(L"CAcadUtilities::userSelectSpaceHandle")
}
