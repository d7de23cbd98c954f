// A small JSON object writer for the driver's and the probe's answers: UTF-8
// out, from UTF-16 texts as Windows gives them.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace quorvale_e2e {

inline std::string to_utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), bytes, nullptr, nullptr);
  return out;
}

inline std::wstring from_utf8(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), wide);
  return out;
}

// Builds one object: Json().add("a", 1).add("b", L"text").str() == {"a":1,"b":"text"}.
class Json {
 public:
  Json& add(std::string_view key, long long value) { return raw(key, std::to_string(value)); }
  Json& add(std::string_view key, bool value) { return raw(key, value ? "true" : "false"); }
  Json& add(std::string_view key, std::wstring_view value) {
    return raw(key, quote(to_utf8(value)));
  }
  Json& add(std::string_view key, const wchar_t* value) {
    return add(key, std::wstring_view(value));
  }
  Json& add_utf8(std::string_view key, std::string_view value) { return raw(key, quote(value)); }
  // `json` is already a JSON value (an object, an array).
  Json& raw(std::string_view key, std::string_view json) {
    body_ += body_.empty() ? "{" : ",";
    body_ += quote(key);
    body_ += ':';
    body_ += json;
    return *this;
  }
  std::string str() const { return body_.empty() ? "{}" : body_ + "}"; }

  static std::string quote(std::string_view utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
      if (c == '"' || c == '\\') {
        out += '\\';
        out += static_cast<char>(c);
      } else if (c < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
        out += escaped;
      } else {
        out += static_cast<char>(c);
      }
    }
    return out + "\"";
  }

 private:
  std::string body_;
};

// The probe's shared answer block and message, known to both sides.
inline constexpr wchar_t kProbeMapping[] = L"Local\\QuorvaleE2eProbeAnswer";
inline constexpr wchar_t kProbeMessage[] = L"QuorvaleE2eProbe";
inline constexpr std::size_t kProbeAnswerSize = 1 << 16;

enum ProbeQuery : WPARAM {
  probe_font = 1,      // the window's WM_GETFONT, as LOGFONT fields
  probe_v6 = 2,        // whether the control answers as a version 6 common control
  probe_popup = 3,     // the items of a popup menu window (#32768)
  probe_menu_bar = 4,  // the items of the window's menu bar
  probe_tooltip = 5,   // a tooltip window's tool texts and font
};

}  // namespace quorvale_e2e
