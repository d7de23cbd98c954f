#include "platform/ansi.h"

#include <windows.h>

namespace quorvale {

std::u16string ansi_to_utf16(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int size = static_cast<int>(ansi.size());
  const int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  std::u16string out(static_cast<std::size_t>(wide), u'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, reinterpret_cast<wchar_t*>(out.data()), wide);
  return out;
}

std::string utf16_to_ansi(std::u16string_view utf16) {
  if (utf16.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(utf16.data());
  const int size = static_cast<int>(utf16.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, size, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace quorvale
