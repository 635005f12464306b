// The settings file Zentick.ini: INI reading rules, and in-place, atomic writes
// that leave every other byte of the file as it was.
#pragma once

#include <string>
#include <string_view>

#include "app/settings_keys.h"
#include "platform/file_system.h"

namespace zentick {

// The integer rule of the settings and skin files: decimal with an optional
// sign, hexadecimal after "$", "x", "X" or a leading "0x"; anything else, or a
// value outside 32 bits, gives `fallback`.
int ParseIniInteger(std::string_view text, int fallback);

class SettingsFile {
 public:
  SettingsFile(FileSystem& fs, AnsiCodec& ansi, std::string path);

  const std::string& Path() const { return path_; }

  // Every read goes to the file; nothing is cached.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // Each write is made at once; a refused write raises "Unable to write to <path>".
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // The same through the key table.
  std::string Read(const StringKey& k) const { return ReadString(k.section, k.name, k.fallback); }
  int Read(const IntKey& k) const { return ReadInteger(k.section, k.name, k.fallback); }
  bool Read(const BoolKey& k) const { return ReadBool(k.section, k.name, k.fallback); }
  void Write(const StringKey& k, std::string_view v) { WriteString(k.section, k.name, v); }
  void Write(const IntKey& k, int v) { WriteInteger(k.section, k.name, v); }
  void Write(const BoolKey& k, bool v) { WriteBool(k.section, k.name, v); }

 private:
  FileSystem& fs_;
  AnsiCodec& ansi_;
  std::string path_;
};

// Sets `announce_every` from Givetime (1: 60, 2: 30, 3: TailorMinutes as read);
// any other Givetime leaves it unchanged.
void ReadAnnounceEvery(const SettingsFile& settings, int& announce_every);

}  // namespace zentick
