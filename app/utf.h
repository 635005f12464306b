// UTF-8 helpers for the settings text: validation and UTF-16LE conversion.
#pragma once

#include <string>
#include <string_view>

namespace zentick {

bool IsValidUtf8(std::string_view text);
// Bytes of UTF-16LE text (no BOM) to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes);
std::string Utf8ToUtf16Le(std::string_view utf8);
// The byte length of the first `max_chars` code points of valid UTF-8 text.
std::size_t Utf8PrefixBytes(std::string_view utf8, std::size_t max_chars);

}  // namespace zentick
