// Conversions between the system's ANSI code page (GBK here) and UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace quorvale {

std::u16string ansi_to_utf16(std::string_view ansi);
// Characters the code page lacks become its default character.
std::string utf16_to_ansi(std::u16string_view utf16);

}  // namespace quorvale
