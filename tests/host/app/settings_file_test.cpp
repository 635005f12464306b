#include "app/settings_file.h"

#include <gtest/gtest.h>

#include "app/shared.h"
#include "fakes/fakes.h"
#include "platform/error.h"

namespace zentick {
namespace {

const std::string kPath = "C:\\Zentick\\Zentick.ini";

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFile& File(const std::string& content) {
    fs.files[kPath] = content;
    return ini;
  }
  fakes::MemoryFileSystem fs;
  fakes::Latin1Codec ansi;
  SettingsFile ini{fs, ansi, kPath};
};

struct IntCase {
  const char* value;
  int fallback;
  int expected;
};

TEST_F(SettingsFileTest, IntegerRule) {
  const IntCase cases[] = {
      {"0x20", 200, 32},
      {"0X20", 200, 32},
      {"$20", 200, 32},
      {"x20", 200, 32},
      {"-5", 200, -5},
      {"+7", 200, 7},
      {"", 200, 200},
      {"abc", 200, 200},
      {"12abc", 200, 200},
      {"  42  ", 0, 42},
      {"2147483647", 0, 2147483647},
      {"2147483648", 9, 9},
      {"-2147483648", 0, -2147483647 - 1},
      {"-2147483649", 9, 9},
      {"99999999999", 9, 9},
      {"$FFFFFFFF", 0, -1},
      {"$100000000", 9, 9},
      {"0x", 9, 9},
      {"\"0x3E\"", 0, 62},
      {"1 2", 9, 9},
      {"-", 9, 9},
      {"$", 9, 9},
  };
  for (const auto& c : cases) {
    File(std::string("[MainForm]\r\nLeft=") + c.value + "\r\n");
    EXPECT_EQ(ini.ReadInteger("MainForm", "Left", c.fallback), c.expected) << c.value;
  }
}

TEST_F(SettingsFileTest, BooleansAreNonZeroIntegers) {
  struct Case {
    const char* value;
    bool fallback;
    bool expected;
  } const cases[] = {{"2", false, true}, {"-1", false, true},   {"0", true, false},
                     {"1", false, true}, {"yes", false, false}, {"yes", true, true},
                     {"", true, true},   {"0x0", true, false}};
  for (const auto& c : cases) {
    File(std::string("[Options]\nStayOnTop=") + c.value + "\n");
    EXPECT_EQ(ini.ReadBool("Options", "StayOnTop", c.fallback), c.expected) << c.value;
  }
}

TEST_F(SettingsFileTest, StringRule) {
  struct Case {
    const char* line;
    const char* expected;
  } const cases[] = {
      {"BmpFilename=Night.png", "Night.png"},
      {"BmpFilename=   Night.png \t", "Night.png"},
      {"BmpFilename=\"Night.png\"", "Night.png"},
      {"BmpFilename='Night.png'", "Night.png"},
      {"BmpFilename=\"\"Night.png\"\"", "\"Night.png\""},  // one pair only
      {"BmpFilename=\"Night.png'", "\"Night.png'"},        // unmatched: kept
      {"BmpFilename=", ""},                                // present and empty
      {"  bmpfilename  =  x.png", "x.png"},
      {"BmpFilename=a=b", "a=b"},
  };
  for (const auto& c : cases) {
    File(std::string("[options]\r\n") + c.line + "\r\n");
    EXPECT_EQ(ini.ReadString("Options", "BmpFilename", "Default.png"), c.expected) << c.line;
  }
  File("[Options]\r\nVoiceType=b\r\n");
  EXPECT_EQ(ini.Read(keys::kVoiceType), "b");
}

TEST_F(SettingsFileTest, DefaultsForWhatIsMissing) {
  EXPECT_EQ(ini.Read(keys::kLeft), 200);  // no file at all
  EXPECT_EQ(ini.Read(keys::kBmpFilename), "Default.png");
  File("[Other]\r\nLeft=5\r\n; Left=6\r\n[MainForm]\r\nTop=7\r\n");
  EXPECT_EQ(ini.Read(keys::kLeft), 200);
  EXPECT_EQ(ini.Read(keys::kTop), 7);
}

TEST_F(SettingsFileTest, ValuesAreCutAt2047Characters) {
  File("[Options]\r\nBmpFilename=" + std::string(3000, 'a') + "\r\n");
  EXPECT_EQ(ini.Read(keys::kBmpFilename).size(), 2047u);
  std::string wide;
  for (int i = 0; i < 2100; ++i) wide += "钟";
  File("[Options]\r\nBmpFilename=" + wide + "\r\n");
  EXPECT_EQ(ini.Read(keys::kBmpFilename), wide.substr(0, 2047 * 3));  // no split character
}

TEST_F(SettingsFileTest, AutoRunAndAutorunAreOneEntry) {
  File("[Options]\r\nAutoRun=1\r\n");
  EXPECT_TRUE(ini.Read(keys::kAutoRunRead));
  ini.Write(keys::kAutorunWrite, false);
  EXPECT_EQ(fs.files[kPath], "[Options]\r\nAutoRun=0\r\n");
  EXPECT_FALSE(ini.Read(keys::kAutoRunRead));
}

TEST_F(SettingsFileTest, WritesChangeOnlyTheirEntry) {
  const std::string original =
      "; kept comment\r\n[MainForm]\r\nLeft=10\r\nTop = 20\r\n\r\n[Options]\r\n"
      "VoiceType=B\r\nodd line without equals\r\n[Extra]\r\nx=1";
  File(original);
  ini.WriteInteger("MainForm", "Left", 300);
  EXPECT_EQ(fs.files[kPath],
            "; kept comment\r\n[MainForm]\r\nLeft=300\r\nTop = 20\r\n\r\n[Options]\r\n"
            "VoiceType=B\r\nodd line without equals\r\n[Extra]\r\nx=1");
  ini.WriteBool("Options", "StayOnTop", true);  // new key: after the section's last entry
  EXPECT_EQ(fs.files[kPath],
            "; kept comment\r\n[MainForm]\r\nLeft=300\r\nTop = 20\r\n\r\n[Options]\r\n"
            "VoiceType=B\r\nStayOnTop=1\r\nodd line without equals\r\n[Extra]\r\nx=1");
  ini.WriteString("New", "k", "v");  // new section at the end, after a line break
  EXPECT_EQ(fs.files[kPath],
            "; kept comment\r\n[MainForm]\r\nLeft=300\r\nTop = 20\r\n\r\n[Options]\r\n"
            "VoiceType=B\r\nStayOnTop=1\r\nodd line without equals\r\n[Extra]\r\nx=1\r\n"
            "[New]\r\nk=v\r\n");
}

TEST_F(SettingsFileTest, FirstWriteCreatesTheFileWithThatEntryOnly) {
  ini.WriteInteger("MainForm", "Left", 5);
  ini.WriteInteger("MainForm", "Top", 6);
  EXPECT_EQ(fs.files[kPath], "[MainForm]\r\nLeft=5\r\nTop=6\r\n");
}

TEST_F(SettingsFileTest, KeepsTheFileEncoding) {
  // Unix line ends stay Unix.
  File("[A]\nk=1\n");
  ini.WriteString("A", "j", "2");
  EXPECT_EQ(fs.files[kPath], "[A]\nk=1\nj=2\n");

  // A file in the ANSI code page (not valid UTF-8) reads and stays ANSI.
  File("[Options]\r\nBmpFilename=Caf\xE9.png\r\nx=\xFF\r\n");
  EXPECT_EQ(ini.Read(keys::kBmpFilename), "Caf\xC3\xA9.png");
  ini.Write(keys::kBmpFilename, "Cr\xC3\xA8me.png");
  EXPECT_EQ(fs.files[kPath], "[Options]\r\nBmpFilename=Cr\xE8me.png\r\nx=\xFF\r\n");
  // A value the code page cannot hold turns the file into UTF-8 rather than lose it.
  ini.Write(keys::kBmpFilename, "钟.png");
  EXPECT_EQ(fs.files[kPath], "[Options]\r\nBmpFilename=钟.png\r\nx=\xC3\xBF\r\n");
  EXPECT_EQ(ini.Read(keys::kBmpFilename), "钟.png");

  // UTF-8 with a BOM, and UTF-16LE with a BOM.
  File("\xEF\xBB\xBF[Options]\r\nBmpFilename=钟.png\r\n");
  EXPECT_EQ(ini.Read(keys::kBmpFilename), "钟.png");
  ini.WriteInteger("Options", "Givetime", 2);
  EXPECT_EQ(fs.files[kPath], "\xEF\xBB\xBF[Options]\r\nBmpFilename=钟.png\r\nGivetime=2\r\n");
  const std::string utf16 = std::string("\xFF\xFE", 2) + std::string(
                                                             "[\0A\0]\0\r\0\n\0k\0=\0"
                                                             "1\0",
                                                             16);
  File(utf16);
  EXPECT_EQ(ini.ReadInteger("A", "k", 0), 1);
  ini.WriteInteger("A", "k", 7);
  EXPECT_EQ(fs.files[kPath], std::string("\xFF\xFE", 2) + std::string("[\0A\0]\0\r\0\n\0k\0=\0"
                                                                      "7\0",
                                                                      16));
}

TEST_F(SettingsFileTest, ValueLineBreaksCannotPlantEntries) {
  ini.WriteString("Options", "BmpFilename", "a.png\r\n[MainForm]\r\nLeft=1");
  EXPECT_EQ(ini.Read(keys::kLeft), 200);
}

TEST_F(SettingsFileTest, RefusedWriteRaisesAndLeavesTheFile) {
  const std::string original = "[MainForm]\r\nLeft=10\r\n";
  File(original);
  fs.read_only.insert(kPath);
  try {
    ini.WriteInteger("MainForm", "Left", 99);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Unable to write to C:\\Zentick\\Zentick.ini");
  }
  EXPECT_EQ(fs.files[kPath], original);

  fs.read_only.clear();
  fs.unreadable.insert(kPath);  // there, but cannot be read: never overwrite it blind
  EXPECT_THROW(ini.WriteInteger("MainForm", "Left", 99), Error);
  EXPECT_EQ(fs.files[kPath], original);
}

TEST_F(SettingsFileTest, ReadAnnounceEvery) {
  struct Case {
    const char* options;
    int before;
    int expected;
  } const cases[] = {
      {"", 0, 60},
      {"Givetime=1", 0, 60},
      {"Givetime=2", 0, 30},
      {"Givetime=3", 0, 20},
      {"Givetime=3\r\nTailorMinutes=45", 0, 45},
      {"Givetime=3\r\nTailorMinutes=0", 60, 0},
      {"Givetime=3\r\nTailorMinutes=-5", 60, -5},
      {"Givetime=7", 0, 0},
      {"Givetime=7", 30, 30},
      {"Givetime=2\r\nTailorMinutes=45", 0, 30},
  };
  for (const auto& c : cases) {
    File(std::string("[Options]\r\n") + c.options + "\r\n");
    int announce_every = c.before;
    ReadAnnounceEvery(ini, announce_every);
    EXPECT_EQ(announce_every, c.expected) << c.options;
  }
}

TEST(AppDirTest, EndsInOneBackslash) {
  EXPECT_EQ(DirectoryWithBackslash("C:\\Apps\\Zentick\\Zentick.exe"), "C:\\Apps\\Zentick\\");
  EXPECT_EQ(DirectoryWithBackslash("C:\\Zentick.exe"), "C:\\");
  EXPECT_EQ(DirectoryWithBackslash("Zentick.exe"), "\\");
}

}  // namespace
}  // namespace zentick
