// LoadSkin: the descriptor beside the image, its keys and defaults, and what a
// skin that cannot be read leaves in place.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/host/spng_decoder.h"
#include "skins/skin.h"
#include "test_files.h"
#include "windows/clock_fixture.h"

namespace zentick {
namespace {

SkinLayout Defaults(int width, int height) {
  return {width / 2, height / 2, {kClBlack, 26, 3}, {kClBlack, 36, 2}, {kClRed, 50, 1}};
}

// The hands window and its clock control over an in-memory skin folder.
class LoadSkinTest : public ClockFixture {
 protected:
  void AddSkin(const std::string& name, int width, int height,
               std::optional<std::string> descriptor = std::nullopt) {
    images.Add(kSkins + name, width, height);
    if (descriptor) fs.files[kSkins + DescriptorName(name)] = *descriptor;
  }
  SkinLayout Load(const std::string& name) {
    hands.LoadSkin(name);
    return clock.layout;
  }
};

TEST_F(LoadSkinTest, TheDescriptorIsTheNameUpToItsLastDotPlusIni) {
  struct Case {
    const char* skin;
    const char* descriptor;
    const char* decoy;  // where a wrong rule would look
  };
  const Case cases[] = {
      {"Default.png", "Default.ini", "Default.png.ini"},
      {"a.b.png", "a.b.ini", "a.ini"},
      {"Face", "ini", "Face.ini"},
      {"Face.", "Face.ini", "Face..ini"},
      {"时钟.png", "时钟.ini", "时钟.png.ini"},
  };
  for (const Case& c : cases) {
    fs.files.clear();
    AddSkin(c.skin, 80, 60);
    fs.files[kSkins + c.descriptor] = "[Settings]\r\nHourRadius=77\r\n";
    fs.files[kSkins + c.decoy] = "[Settings]\r\nHourRadius=11\r\n";
    const SkinLayout layout = Load(c.skin);
    ASSERT_NE(hands.SkinFile(), nullptr);
    EXPECT_EQ(hands.SkinFile()->Path(), kSkins + c.descriptor) << c.skin;
    EXPECT_EQ(layout.hour.radius, 77) << c.skin;
  }
  EXPECT_EQ(shared.AppDir, "C:\\Zentick\\");
}

TEST_F(LoadSkinTest, BothWindowsTakeTheImageSizeAndStayWhereTheyAre) {
  hands_window.bounds = {10, 20, 114, 39};
  AddSkin("Default.png", 200, 150);
  hands.LoadSkin("Default.png");
  EXPECT_EQ(hands_window.bounds, (Rect{10, 20, 210, 170}));
  EXPECT_EQ(clock.size, (Size{200, 150}));
  EXPECT_EQ(clock.layout, Defaults(200, 150));
}

TEST_F(LoadSkinTest, SixtyTwoStandsForTheMiddleOfTheImage) {
  struct Case {
    int width, height;
    std::optional<std::string> descriptor;
    Point centre;
  };
  const Case cases[] = {
      {200, 150, "[Settings]\r\nCenterX=62\r\nCenterY=62\r\n", {100, 75}},
      {200, 150, "[Settings]\r\nCenterX=61\r\nCenterY=74\r\n", {61, 74}},
      {200, 150, "[Settings]\r\nCenterX=0x3E\r\nCenterY=$3e\r\n", {100, 75}},
      {200, 150, "[Settings]\r\nCenterX=-5\r\nCenterY=300\r\n", {-5, 300}},  // as written
      {124, 125, "[Settings]\r\nCenterX=62\r\nCenterY=62\r\n", {62, 62}},
      {101, 75, std::nullopt, {50, 37}},
      {101, 75, "[Settings]\r\nCenterX=\r\nCenterY=half\r\n", {50, 37}},
  };
  for (const Case& c : cases) {
    fs.files.clear();
    AddSkin("Face.png", c.width, c.height, c.descriptor);
    const SkinLayout layout = Load("Face.png");
    EXPECT_EQ((Point{layout.center_x, layout.center_y}), c.centre)
        << c.width << "x" << c.height << " " << c.descriptor.value_or("(no descriptor)");
  }
}

TEST_F(LoadSkinTest, ColoursAreDecimalOrHexadecimalIntegersAndNothingElse) {
  struct Case {
    const char* text;
    Color expected;
  };
  const Case cases[] = {
      {"0x00FF00", 65280},      // hexadecimal after 0x
      {"$00FF00", 65280},       // or $
      {"0X00ff00", 65280},      // either case
      {"65280", 65280},         // decimal
      {"+65280", 65280},        // with a sign
      {"green", kClRed},        // a word: the default
      {"", kClRed},             // nothing: the default
      {"65280abc", kClRed},     // trailing characters: the default
      {"0x100000000", kClRed},  // more than 32 bits: the default
      {"-1", 0xFFFFFFFFu},      // passed on unchanged
  };
  for (const Case& c : cases) {
    AddSkin("Face.png", 100, 100, std::string("[Settings]\r\nSecondColor=") + c.text + "\r\n");
    EXPECT_EQ(Load("Face.png").second.color, c.expected) << "SecondColor=" << c.text;
  }
}

TEST_F(LoadSkinTest, OnlyTheSettingsSectionCounts) {
  AddSkin("Face.png", 120, 90,
          "[Layout]\r\nCenterX=10\r\nCenterY=10\r\nHourColor=1\r\nHourRadius=99\r\n"
          "SecondWidth=9\r\n");
  EXPECT_EQ(Load("Face.png"), Defaults(120, 90));
}

TEST_F(LoadSkinTest, CommentLinesAreIgnored) {
  AddSkin("Face.png", 120, 90,
          "; a skin for the tests\r\n[Settings]\r\n;HourRadius=99\r\n; [Layout]\r\n"
          "MinuteRadius=40\r\n  ;CenterX=10\r\n");
  SkinLayout expected = Defaults(120, 90);
  expected.minute.radius = 40;
  EXPECT_EQ(Load("Face.png"), expected);
}

TEST_F(LoadSkinTest, EveryKeyIsAppliedSoNothingSurvivesFromTheSkinBefore) {
  AddSkin("Full.png", 160, 160,
          "[Settings]\r\nCenterX=70\r\nCenterY=71\r\nHourColor=1\r\nHourRadius=2\r\n"
          "HourWidth=3\r\nMinuteColor=4\r\nMinuteRadius=5\r\nMinuteWidth=6\r\n"
          "SecondColor=7\r\nSecondRadius=8\r\nSecondWidth=9\r\n");
  AddSkin("Hour.png", 140, 100, "[Settings]\r\nHourColor=0x123456\r\n");
  EXPECT_EQ(Load("Full.png"), (SkinLayout{70, 71, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}}));

  SkinLayout expected = Defaults(140, 100);
  expected.hour.color = 0x123456;
  EXPECT_EQ(Load("Hour.png"), expected);
  EXPECT_EQ(hands.SkinFile()->Path(), kSkins + "Hour.ini");
}

TEST_F(LoadSkinTest, AMissingImageRaisesTheReadersErrorAndChangesNothing) {
  AddSkin("Default.png", 200, 150, "[Settings]\r\nCenterX=30\r\nHourRadius=44\r\n");
  AddSkin("Missing.png", 50, 50, "[Settings]\r\nHourRadius=5\r\n");
  images.images.erase(kSkins + "Missing.png");  // the descriptor is there, the image is not
  hands.LoadSkin("Default.png");
  const Rect bounds = hands_window.bounds;
  const SkinLayout layout = clock.layout;
  const SettingsFile* skin_file = hands.SkinFile();

  try {
    hands.LoadSkin("Missing.png");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), images.DecodePng(kSkins + "Missing.png").error);
  }
  EXPECT_EQ(hands_window.bounds, bounds);
  EXPECT_EQ(clock.size, (Size{200, 150}));
  EXPECT_EQ(clock.layout, layout);
  EXPECT_EQ(hands.SkinFile(), skin_file);
  EXPECT_EQ(hands.SkinFile()->Path(), kSkins + "Default.ini");
  EXPECT_TRUE(report.messages.empty());  // reporting is the caller's
}

// Width and height straight from the IHDR bytes, independent of any decoder.
Size PngHeaderSize(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(12, 4, "IHDR") != 0) return {};
  auto be32 = [&](std::size_t at) {
    int v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = v * 256 + static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  return {be32(16), be32(20)};
}

TEST(ShippedSkins, EachLoadsThroughThePngReaderWithItsSizeAndHandsInside) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(testing_files::kSkinDir)) {
    if (entry.path().extension() == ".png") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  ASSERT_NE(std::find(names.begin(), names.end(), "Default.png"), names.end());
  ASSERT_NE(std::find(names.begin(), names.end(), "Large.png"), names.end());

  // The exe beside the source tree's Skins folder, as the program is shipped.
  const std::string exe = testing_files::kSourceDir + "\\Zentick.exe";
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    fakes::FakeDesktop desktop;
    fakes::MemoryFileSystem files;
    fakes::Latin1Codec ansi;
    host::SpngImageDecoder images;
    fakes::RecordingErrorReport report;
    fakes::FakeHotKeys hot_keys{desktop};
    fakes::FakeClockControl clock{desktop};
    fakes::FakeTray tray{desktop};
    fakes::FakeWindow window{desktop, "hands", {0, 0, 104, 19}};
    Shared shared;
    HandsWindow hands{
        shared, {window, desktop, hot_keys, report, files, ansi, images, clock, tray}, exe};
    const std::string descriptor = testing_files::kSkinDir + DescriptorName(name);
    if (fs::exists(descriptor)) {
      files.files[testing_files::kSourceDir + "\\Skins\\" + DescriptorName(name)] =
          testing_files::ReadFile(descriptor);
    }

    ASSERT_NO_THROW(hands.LoadSkin(name));
    const Size size = PngHeaderSize(testing_files::ReadFile(testing_files::kSkinDir + name));
    ASSERT_GT(size.width, 0);
    EXPECT_EQ(clock.size, size);
    EXPECT_EQ((Size{window.bounds.Width(), window.bounds.Height()}), size);

    // No hand, pen width included, reaches past the edge of its face.
    const SkinLayout& l = clock.layout;
    for (const HandStyle& hand : {l.hour, l.minute, l.second}) {
      const int reach = hand.radius + (hand.width + 1) / 2;
      EXPECT_GE(l.center_x - reach, 0);
      EXPECT_LT(l.center_x + reach, size.width);
      EXPECT_GE(l.center_y - reach, 0);
      EXPECT_LT(l.center_y + reach, size.height);
    }
  }
}

}  // namespace
}  // namespace zentick
