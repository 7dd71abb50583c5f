// UTF-8 on the console and in files, wide strings in memory.
#pragma once

#include <string>
#include <string_view>

// Invalid UTF-8 bytes become U+FFFD rather than failing: a drawing or a
// script with a stray byte still loads.
std::wstring utf8ToWide(std::string_view text);
std::string wideToUtf8(std::wstring_view text);

// The character of the UTF-8 sequence at i, which moves past it; U+FFFD,
// one byte on, for a byte that starts no valid sequence.
char32_t nextCodePoint(std::string_view text, size_t& i);
// Surrogates and values beyond Unicode become U+FFFD.
void appendUtf8(std::string& out, char32_t c);
// Characters of valid UTF-8, without decoding them.
size_t utf8Length(std::string_view text);
