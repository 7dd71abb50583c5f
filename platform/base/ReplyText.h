// Reading the values of answers typed at the host's command line.
#pragma once

#include <optional>
#include <string>

#include "Acad.h"

namespace ReplyText {

// The answer that stands for the Escape key.
constexpr const ACHAR* kCancel = L"*cancel*";

std::wstring trim(const std::wstring& text);
std::wstring upper(const std::wstring& text);
bool equalsIgnoringCase(const std::wstring& a, const std::wstring& b);

// The whole text must be the number, blanks around it aside.
std::optional<double> real(const std::wstring& text);
std::optional<int> integer(const std::wstring& text);
// x,y or x,y,z; z is 0 when left out.
bool point(const std::wstring& text, ads_point result);

}  // namespace ReplyText
