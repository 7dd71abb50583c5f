// UTF-8 on the console and in files, wide strings in memory.
#pragma once

#include <string>
#include <string_view>

// Invalid UTF-8 bytes become U+FFFD rather than failing: a drawing or a
// script with a stray byte still loads.
std::wstring utf8ToWide(std::string_view text);
std::string wideToUtf8(std::wstring_view text);
