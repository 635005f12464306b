// Whole-file reads and atomic whole-file replacement, by UTF-8 path.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zentick {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // nullopt when the file is missing or cannot be read.
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  // Writes a temporary file beside `path`, then replaces `path` with it, so a
  // crash or a full disk never leaves a truncated file. False when refused.
  virtual bool ReplaceAll(const std::string& path, std::string_view bytes) = 0;
};

// The system's ANSI code page, for settings files written by older versions.
class AnsiCodec {
 public:
  virtual ~AnsiCodec() = default;
  virtual std::string ToUtf8(std::string_view ansi) = 0;
  // nullopt when the text has a character the code page cannot hold.
  virtual std::optional<std::string> FromUtf8(std::string_view utf8) = 0;
};

}  // namespace zentick
