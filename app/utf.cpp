#include "app/utf.h"

#include <cstdint>

namespace zentick {
namespace {

// Decodes one code point at `i`; returns false on malformed input.
bool DecodeUtf8(std::string_view s, std::size_t& i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  int extra = 0;
  if (b0 < 0x80) {
    cp = b0;
  } else if ((b0 & 0xE0) == 0xC0 && b0 >= 0xC2) {
    cp = b0 & 0x1F;
    extra = 1;
  } else if ((b0 & 0xF0) == 0xE0) {
    cp = b0 & 0x0F;
    extra = 2;
  } else if ((b0 & 0xF8) == 0xF0 && b0 <= 0xF4) {
    cp = b0 & 0x07;
    extra = 3;
  } else {
    return false;
  }
  if (i + extra >= s.size() && extra > 0) return false;
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  i += extra + 1;
  return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendUnit(std::string& out, std::uint16_t u) {
  out += static_cast<char>(u & 0xFF);
  out += static_cast<char>(u >> 8);
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  char32_t cp;
  while (i < text.size()) {
    if (!DecodeUtf8(text, i, cp)) return false;
  }
  return true;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  const std::size_t units = bytes.size() / 2;
  auto unit = [&](std::size_t k) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[2 * k]) |
                                      (static_cast<unsigned char>(bytes[2 * k + 1]) << 8));
  };
  for (std::size_t k = 0; k < units; ++k) {
    const std::uint16_t u = unit(k);
    if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units) {
      const std::uint16_t lo = unit(k + 1);
      if (lo >= 0xDC00 && lo <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((char32_t{u} - 0xD800) << 10) + (lo - 0xDC00));
        ++k;
        continue;
      }
    }
    AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? char32_t{0xFFFD} : char32_t{u});
  }
  return out;
}

std::string Utf8ToUtf16Le(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() * 2);
  std::size_t i = 0;
  char32_t cp;
  while (i < utf8.size()) {
    if (!DecodeUtf8(utf8, i, cp)) {
      cp = 0xFFFD;
      ++i;
    }
    if (cp >= 0x10000) {
      AppendUnit(out, static_cast<std::uint16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      AppendUnit(out, static_cast<std::uint16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      AppendUnit(out, static_cast<std::uint16_t>(cp));
    }
  }
  return out;
}

std::size_t Utf8PrefixBytes(std::string_view utf8, std::size_t max_chars) {
  std::size_t i = 0;
  for (std::size_t n = 0; n < max_chars && i < utf8.size(); ++n) {
    char32_t cp;
    std::size_t j = i;
    if (!DecodeUtf8(utf8, j, cp)) j = i + 1;
    i = j;
  }
  return i;
}

}  // namespace zentick
