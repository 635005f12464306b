// Files by UTF-8 path through the W functions, with atomic replacement.
#pragma once

#include "platform/file_system.h"

namespace zentick::win32 {

class Win32FileSystem : public FileSystem {
 public:
  std::optional<std::string> ReadAll(const std::string& path) override;
  bool Exists(const std::string& path) override;
  bool ReplaceAll(const std::string& path, std::string_view bytes) override;
};

class Win32AnsiCodec : public AnsiCodec {
 public:
  std::string ToUtf8(std::string_view ansi) override;
  std::optional<std::string> FromUtf8(std::string_view utf8) override;
};

}  // namespace zentick::win32
