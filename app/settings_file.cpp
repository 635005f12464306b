#include "app/settings_file.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "app/utf.h"
#include "platform/error.h"

namespace zentick {
namespace {

constexpr std::size_t kMaxValueChars = 2047;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Bom = "\xFF\xFE";

enum class Encoding { kUtf8, kUtf8Bom, kUtf16Le, kAnsi };

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r' || s.back() == '\n')) {
    s.remove_suffix(1);
  }
  return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// One line as stored: `body` in the file's own bytes (UTF-8 for UTF-16 files,
// which are converted as a whole), `eol` its terminator, empty on the last line.
struct Line {
  std::string body;
  std::string eol;
};

enum class Kind { kOther, kSection, kEntry };

struct Parsed {
  Kind kind = Kind::kOther;
  std::string name;   // section name or key
  std::string value;  // raw value text after "="
};

Parsed ParseLine(std::string_view text) {
  Parsed p;
  const std::string_view t = Trim(text);
  if (t.empty() || t.front() == ';' || t.front() == '#') return p;
  if (t.front() == '[') {
    const std::size_t close = t.find(']');
    p.kind = Kind::kSection;
    p.name = std::string(Trim(t.substr(1, close == std::string_view::npos ? t.npos : close - 1)));
    return p;
  }
  const std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return p;
  p.kind = Kind::kEntry;
  p.name = std::string(Trim(t.substr(0, eq)));
  p.value = std::string(t.substr(eq + 1));
  return p;
}

class Document {
 public:
  Document(std::string bytes, AnsiCodec& ansi) : ansi_(ansi) {
    std::string_view view(bytes);
    if (view.starts_with(kUtf16Bom)) {
      encoding_ = Encoding::kUtf16Le;
      text_ = Utf16LeToUtf8(view.substr(2));
    } else if (view.starts_with(kUtf8Bom)) {
      encoding_ = Encoding::kUtf8Bom;
      text_ = std::string(view.substr(3));
    } else {
      encoding_ = IsValidUtf8(view) ? Encoding::kUtf8 : Encoding::kAnsi;
      text_ = std::move(bytes);
    }
    Split();
  }

  // The decoded (UTF-8) text of a line, for parsing.
  std::string Text(const Line& line) const {
    return encoding_ == Encoding::kAnsi ? ansi_.ToUtf8(line.body) : line.body;
  }

  std::optional<std::string> FindValue(std::string_view section, std::string_view key) const {
    bool in_section = false;
    for (const Line& line : lines_) {
      const Parsed p = ParseLine(Text(line));
      if (p.kind == Kind::kSection) {
        if (in_section) return std::nullopt;  // the first matching section only
        in_section = SameName(p.name, section);
      } else if (in_section && p.kind == Kind::kEntry && SameName(p.name, key)) {
        return p.value;
      }
    }
    return std::nullopt;
  }

  void Set(std::string_view section, std::string_view key, std::string_view value) {
    std::optional<std::size_t> section_line;
    std::size_t insert_at = lines_.size();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const Parsed p = ParseLine(Text(lines_[i]));
      if (p.kind == Kind::kSection) {
        if (section_line) break;
        if (SameName(p.name, section)) {
          section_line = i;
          insert_at = i + 1;
        }
      } else if (section_line && p.kind == Kind::kEntry) {
        if (SameName(p.name, key)) {
          // Keep the key as the file spells it (AutoRun stays AutoRun).
          lines_[i].body = Encode(p.name + "=" + std::string(value));
          return;
        }
        insert_at = i + 1;
      }
    }
    std::vector<Line> added;
    if (!section_line) added.push_back({Encode("[" + std::string(section) + "]"), eol_});
    added.push_back({Encode(std::string(key) + "=" + std::string(value)), eol_});
    if (insert_at > 0 && lines_[insert_at - 1].eol.empty()) lines_[insert_at - 1].eol = eol_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), added.begin(),
                  added.end());
  }

  std::string Bytes() const {
    std::string text;
    for (const Line& line : lines_) text += line.body + line.eol;
    switch (encoding_) {
      case Encoding::kUtf16Le:
        return std::string(kUtf16Bom) + Utf8ToUtf16Le(text);
      case Encoding::kUtf8Bom:
        return std::string(kUtf8Bom) + text;
      default:
        return text;
    }
  }

 private:
  void Split() {
    std::size_t start = 0;
    while (start < text_.size()) {
      std::size_t nl = text_.find('\n', start);
      if (nl == std::string::npos) {
        lines_.push_back({text_.substr(start), ""});
        break;
      }
      std::size_t body_end = (nl > start && text_[nl - 1] == '\r') ? nl - 1 : nl;
      lines_.push_back(
          {text_.substr(start, body_end - start), text_.substr(body_end, nl + 1 - body_end)});
      start = nl + 1;
    }
    for (const Line& line : lines_) {
      if (!line.eol.empty()) {
        eol_ = line.eol;
        break;
      }
    }
  }

  // A new line in the file's encoding. An ANSI file that cannot hold the text
  // becomes UTF-8 as a whole, so the user's value is never garbled.
  std::string Encode(const std::string& utf8) {
    if (encoding_ != Encoding::kAnsi) return utf8;
    if (auto ansi = ansi_.FromUtf8(utf8)) return *ansi;
    for (Line& line : lines_) line.body = ansi_.ToUtf8(line.body);
    encoding_ = Encoding::kUtf8;
    return utf8;
  }

  AnsiCodec& ansi_;
  Encoding encoding_ = Encoding::kUtf8;
  std::string text_;
  std::vector<Line> lines_;
  std::string eol_ = "\r\n";
};

// Digits of `text` in `base`; nullopt when empty, not all digits, or > max.
std::optional<std::uint64_t> ParseDigits(std::string_view text, int base, std::uint64_t max) {
  if (text.empty()) return std::nullopt;
  std::uint64_t n = 0;
  for (char c : text) {
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (base == 16 && Lower(c) >= 'a' && Lower(c) <= 'f') {
      d = Lower(c) - 'a' + 10;
    } else {
      return std::nullopt;
    }
    n = n * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
    if (n > max) return std::nullopt;
  }
  return n;
}

std::string OneLine(std::string_view value) {
  // A line break in a value would split the entry and plant foreign keys.
  std::string out(value);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

}  // namespace

int ParseIniInteger(std::string_view text, int fallback) {
  std::string s(text);
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);
  std::string_view t(s);
  while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
  bool negative = false;
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  if (!t.empty() && (t.front() == '$' || t.front() == 'x' || t.front() == 'X')) {
    // Hexadecimal fills all 32 bits: $FFFFFFFF is -1.
    const auto n = ParseDigits(t.substr(1), 16, 0xFFFFFFFFu);
    if (!n) return fallback;
    const auto bits = static_cast<std::uint32_t>(negative ? 0u - static_cast<std::uint32_t>(*n)
                                                          : static_cast<std::uint32_t>(*n));
    return static_cast<int>(static_cast<std::int32_t>(bits));
  }
  const auto n = ParseDigits(t, 10, negative ? 2147483648u : 2147483647u);
  if (!n) return fallback;
  return negative ? static_cast<int>(-static_cast<std::int64_t>(*n)) : static_cast<int>(*n);
}

SettingsFile::SettingsFile(FileSystem& fs, AnsiCodec& ansi, std::string path)
    : fs_(fs), ansi_(ansi), path_(std::move(path)) {}

std::string SettingsFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view fallback) const {
  const auto bytes = fs_.ReadAll(path_);
  if (!bytes) return std::string(fallback);
  const auto raw = Document(*bytes, ansi_).FindValue(section, key);
  if (!raw) return std::string(fallback);
  std::string_view v = Trim(*raw);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return std::string(v.substr(0, Utf8PrefixBytes(v, kMaxValueChars)));
}

int SettingsFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  return ParseIniInteger(ReadString(section, key, ""), fallback);
}

bool SettingsFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void SettingsFile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
  auto bytes = fs_.ReadAll(path_);
  // A file that is there but cannot be read must not be replaced by one entry.
  if (!bytes && fs_.Exists(path_)) throw Error("Unable to write to " + path_);
  Document doc(bytes.value_or(std::string()), ansi_);
  doc.Set(section, key, OneLine(value));
  if (!fs_.ReplaceAll(path_, doc.Bytes())) throw Error("Unable to write to " + path_);
}

void SettingsFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void SettingsFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void ReadAnnounceEvery(const SettingsFile& settings, int& announce_every) {
  switch (settings.Read(keys::kGivetime)) {
    case 1:
      announce_every = 60;
      break;
    case 2:
      announce_every = 30;
      break;
    case 3:
      announce_every = settings.Read(keys::kTailorMinutes);
      break;
    default:
      break;
  }
}

}  // namespace zentick
