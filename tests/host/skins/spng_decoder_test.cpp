// The host PNG reader against good, broken and hostile files.
#include "platform/host/spng_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "test_files.h"

namespace zentick::host {
namespace {

using testing_files::kPngDir;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(SpngDecoder, ValidRgbaGivesStraightArgbTopRowFirst) {
  const DecodedImage img = SpngImageDecoder().DecodePng(kPngDir + "rgba_3x2.png");
  ASSERT_TRUE(img.ok()) << img.error;
  EXPECT_EQ(img.width, 3);
  EXPECT_EQ(img.height, 2);
  EXPECT_EQ(img.pixels, (std::vector<std::uint32_t>{0xFFFF0000, 0x8000FF00, 0x000000FF,  //
                                                    0xFF102030, 0x80C86432, 0x00FFFFFF}));
}

TEST(SpngDecoder, PaletteTransparencyIsApplied) {
  const DecodedImage img = SpngImageDecoder().DecodePng(kPngDir + "palette_trns.png");
  ASSERT_TRUE(img.ok()) << img.error;
  EXPECT_EQ(img.pixels, (std::vector<std::uint32_t>{0xFF0A141E, 0x8028323C, 0x0046505A}));
}

TEST(SpngDecoder, BackslashesInThePathAreFolderSeparators) {
  std::string path = kPngDir + "rgba_3x2.png";
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  const DecodedImage img = SpngImageDecoder().DecodePng(path);
  EXPECT_TRUE(img.ok()) << img.error;
  EXPECT_EQ(img.width, 3);
}

struct BadFile {
  const char* file;
  const char* message;  // part of the error
};
void PrintTo(const BadFile& f, std::ostream* os) { *os << '"' << f.file << '"'; }

class SpngDecoderBadFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(SpngDecoderBadFile, IsAnErrorNamingThePath) {
  const std::string path = kPngDir + GetParam().file;
  const DecodedImage img = SpngImageDecoder().DecodePng(path);
  EXPECT_FALSE(img.ok());
  EXPECT_TRUE(Contains(img.error, "\"" + path + "\"")) << img.error;
  EXPECT_TRUE(Contains(img.error, GetParam().message)) << img.error;
  EXPECT_EQ(img.width, 0);
  EXPECT_EQ(img.height, 0);
  EXPECT_TRUE(img.pixels.empty());
}

const BadFile kBadFiles[] = {
    {"truncated.png", "Not a valid PNG image"},
    {"no_iend.png", "Not a valid PNG image"},
    {"bad_crc.png", "Not a valid PNG image"},
    {"empty.png", "Not a valid PNG image"},
    {"not_png.png", "Not a valid PNG image"},
    {"huge_header.png", "Image too large"},
    {"huge_chunk.png", "Not a valid PNG image"},
    {"text_bomb.png", "Not a valid PNG image"},
    {"missing.png", "Cannot open file"},
    {"", "Not a valid PNG image"},  // the folder itself
};

INSTANTIATE_TEST_SUITE_P(Fixtures, SpngDecoderBadFile, ::testing::ValuesIn(kBadFiles),
                         [](const auto& info) {
                           const std::string file = info.param.file;
                           std::string name;
                           for (char c : file.substr(0, file.find('.'))) {
                             if (c != '_') name += c;
                           }
                           return name.empty() ? std::string("Folder") : name;
                         });

// A PNG of only a signature, an IHDR of the given size (8-bit RGBA) and IEND.
std::string HeaderOnlyPng(std::uint32_t width, std::uint32_t height) {
  auto crc32 = [](const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
      crc ^= b;
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
  };
  auto be32 = [](std::uint32_t v) {
    return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 8), static_cast<char>(v)};
  };
  auto chunk = [&](const std::string& kind, const std::string& data) {
    return be32(static_cast<std::uint32_t>(data.size())) + kind + data + be32(crc32(kind + data));
  };
  const std::string ihdr = be32(width) + be32(height) + std::string("\x08\x06\x00\x00\x00", 5);
  return std::string("\x89PNG\r\n\x1a\n") + chunk("IHDR", ihdr) + chunk("IEND", "");
}

TEST(SpngDecoder, ThePixelLimitIsCheckedOnTheHeaderWithoutOverflow) {
  struct Case {
    std::uint32_t width, height;
    bool too_large;
  };
  const Case cases[] = {
      {4096, 4096, false},  // exactly the limit: read on, then fails for want of data
      {4097, 4096, true},
      {1, 16777217, true},
      {65536, 65536, true},  // 2^32 pixels: 0 in 32-bit arithmetic
      {20000, 20000, true},
      {65536, 65537, true},  // 2^32 + 65536 pixels: 65536 in 32-bit arithmetic
  };
  for (const Case& c : cases) {
    const std::string label = std::to_string(c.width) + "x" + std::to_string(c.height);
    const DecodedImage img = DecodePngBytes(HeaderOnlyPng(c.width, c.height), label);
    EXPECT_FALSE(img.ok()) << label;
    EXPECT_TRUE(img.pixels.empty()) << label;
    EXPECT_EQ(Contains(img.error, "Image too large: \"" + label + "\""), c.too_large) << img.error;
  }
}

TEST(SpngDecoder, BytesInMemoryDecodeAsTheFileDoes) {
  const DecodedImage from_file = SpngImageDecoder().DecodePng(kPngDir + "rgba_3x2.png");
  const std::string bytes = testing_files::ReadFile(kPngDir + "rgba_3x2.png");
  const DecodedImage from_bytes = DecodePngBytes(bytes, "memory");
  ASSERT_TRUE(from_bytes.ok()) << from_bytes.error;
  EXPECT_EQ(from_bytes.pixels, from_file.pixels);
  EXPECT_FALSE(DecodePngBytes("", "nothing").ok());
  EXPECT_FALSE(DecodePngBytes(bytes.substr(0, bytes.size() / 2), "half").ok());
}

}  // namespace
}  // namespace zentick::host
