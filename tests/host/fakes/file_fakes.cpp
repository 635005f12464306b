#include "fakes/fakes.h"

namespace zentick::fakes {

std::optional<std::string> MemoryFileSystem::ReadAll(const std::string& path) {
  auto it = files.find(path);
  if (it == files.end() || unreadable.count(path)) return std::nullopt;
  return it->second;
}

bool MemoryFileSystem::ReplaceAll(const std::string& path, std::string_view bytes) {
  if (read_only.count(path)) return false;
  files[path] = std::string(bytes);
  ++replacements;
  return true;
}

std::string Latin1Codec::ToUtf8(std::string_view ansi) {
  std::string out;
  for (unsigned char c : ansi) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::optional<std::string> Latin1Codec::FromUtf8(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
      out += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
    } else {
      return std::nullopt;
    }
  }
  return out;
}

}  // namespace zentick::fakes
