#include "host/AcadUtilities.h"

#include <optional>

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

// One text reply, blanks allowed, with the host's result; the reply is
// set only on RTNORM.
int askText(const std::wstring& prompt, std::wstring& reply) {
  ACHAR buffer[kReplyLength] = {};
  const int result = acedGetString(1, prompt.c_str(), buffer, kReplyLength);
  if (result == RTNORM) reply = buffer;
  return result;
}

// Asked again after anything but an answer; a cancel of the question asked
// again ends it, so Escape twice, or an input that has ended, leaves it.
std::optional<std::wstring> askTextUntilAnswered(const std::wstring& prompt, const std::wstring& retryPrompt) {
  std::wstring reply;
  if (askText(L"\n" + prompt, reply) == RTNORM) return reply;
  for (;;) {
    const int result = askText(L"\nInvalid input! - " + retryPrompt, reply);
    if (result == RTNORM) return reply;
    if (result == RTCAN) return std::nullopt;
  }
}

}  // namespace

void CAcadUtilities::getBoolean(const std::wstring& prompt, bool defaultValue, bool& value) {
  ZELPH_TRY
    std::wstring reply;
    value = defaultValue;
    if (askText(L"\n" + withDefault(prompt, CUtilities::BoolToCString(defaultValue)), reply) == RTNORM &&
        !reply.empty())
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
    return askString(prompt).value_or(std::wstring());
  ZELPH_CATCH(L"CAcadUtilities::getString")
}

std::optional<std::wstring> CAcadUtilities::askString(const std::wstring& prompt) {
  ZELPH_TRY
    return askTextUntilAnswered(prompt + L":", prompt);
  ZELPH_CATCH(L"CAcadUtilities::askString")
}

bool CAcadUtilities::getString(const std::wstring& prompt, const std::wstring& defaultText, std::wstring& text) {
  ZELPH_TRY
    const std::wstring question = withDefault(prompt, defaultText);
    const std::optional<std::wstring> reply = askTextUntilAnswered(question, question);
    text = reply && !reply->empty() ? *reply : defaultText;
    acutPrintf(L" %s\n", text.c_str());
    return reply.has_value();
  ZELPH_CATCH(L"CAcadUtilities::getString")
}

namespace {

struct ItemCut {
  int code;
  std::size_t leading;
  std::size_t trailing;
};

const ItemCut kItemCuts[] = {
    {0x11, 5, 0},    {0x100, 5, 5},    {0x101, 5, 6},    {0x110, 10, 2},   {0x111, 10, 3},
    {0x1000, 8, 0},  {0x1001, 10, 0},  {0x1010, 12, 0},  {0x1011, 5, 0},   {0x1100, 12, 0},
    {0x1101, 12, 0}, {0x1110, 12, 0},  {0x1111, 12, 0},  {0x10000, 10, 0}, {0x10001, 11, 0},
    {0x10010, 7, 0}, {0x10011, 15, 0}, {0x10100, 13, 0},
};

}  // namespace

std::wstring CAcadUtilities::extractData(int code, const std::wstring& text) {
  ZELPH_TRY
    for (const ItemCut& cut : kItemCuts) {
      if (cut.code != code) continue;
      if (text.size() < cut.leading + cut.trailing) return L"";
      return text.substr(cut.leading, text.size() - cut.leading - cut.trailing);
    }
    return L"";
  ZELPH_CATCH(L"CAcadUtilities::extractData")
}
