// The face: premultiplied pixels, the constant opacity, and a face that comes
// and goes with its image file.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/spng_decoder.h"
#include "test_files.h"
#include "windows/clock_fixture.h"
#include "windows/face_window.h"

namespace zentick {
namespace {

DecodedImage Row(std::vector<std::uint32_t> pixels) {
  DecodedImage img;
  img.width = static_cast<int>(pixels.size());
  img.height = 1;
  img.pixels = std::move(pixels);
  return img;
}

TEST(Premultiply, KnownPixelsKeepTheirAlphaAndOrder) {
  const PremultipliedImage out =
      Premultiply(Row({0xFF102030, 0x80FF8000, 0x80010203, 0x01FFFFFF, 0x00FFFFFF}));
  EXPECT_EQ(out.width, 5);
  EXPECT_EQ(out.height, 1);
  EXPECT_EQ(out.pixels, (std::vector<std::uint32_t>{
                            0xFF102030,  // opaque: unchanged
                            0x80804000,  // half: 255 -> 128, 128 -> 64
                            0x80010102,  // 1 * 128 / 255 rounds to 1, 3 * 128 / 255 to 2
                            0x01010101,  //
                            0x00000000,  // transparent: no colour left
                        }));
}

TEST(Premultiply, EveryChannelIsTheRoundedProduct) {
  std::vector<std::uint32_t> pixels;
  for (std::uint32_t a = 0; a < 256; ++a) {
    for (std::uint32_t c = 0; c < 256; ++c) pixels.push_back(a << 24 | c << 16 | c << 8 | c);
  }
  const PremultipliedImage out = Premultiply(Row(pixels));
  ASSERT_EQ(out.pixels.size(), pixels.size());
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const std::uint32_t a = pixels[i] >> 24, c = pixels[i] & 0xFF;
    const std::uint32_t m = (2 * a * c + 255) / 510;  // a * c / 255 to the nearest
    ASSERT_EQ(out.pixels[i], a << 24 | m << 16 | m << 8 | m) << "a=" << a << " c=" << c;
  }
}

TEST(Premultiply, AnImageThatFailedIsEmpty) {
  DecodedImage failed;
  failed.error = "Cannot open file";
  const PremultipliedImage out = Premultiply(failed);
  EXPECT_EQ(out.width, 0);
  EXPECT_EQ(out.height, 0);
  EXPECT_TRUE(out.pixels.empty());
}

TEST(ConstantAlphaFor, ZeroTo255AsGivenAnythingElseOpaque) {
  const std::pair<int, int> cases[] = {{255, 255}, {128, 128},     {0, 0},
                                       {1, 1},     {256, 255},     {300, 255},
                                       {-1, 255},  {INT_MIN, 255}, {INT_MAX, 255}};
  for (const auto& [opacity, alpha] : cases) {
    EXPECT_EQ(ConstantAlphaFor(opacity), alpha) << opacity;
  }
}

// UpdateFace on what the host PNG reader makes of the fixture files.
class FaceLayerTest : public ClockFixture {
 protected:
  FaceLayerTest() {
    for (const char* file : {"rgba_3x2.png", "truncated.png", "not_png.png"}) {
      images.images[kSkins + file] =
          host::SpngImageDecoder().DecodePng(testing_files::kPngDir + file);
    }
  }
};

TEST_F(FaceLayerTest, AnImageThatCannotBeReadEmptiesTheFaceUntilOneCan) {
  const std::string good = kSkins + "rgba_3x2.png";
  const std::vector<std::uint32_t> premultiplied = {0xFFFF0000, 0x80008000, 0x00000000,
                                                    0xFF102030, 0x80643219, 0x00000000};
  face_window.bounds = {300, 200, 428, 328};
  face.UpdateFace(good, 255);
  EXPECT_EQ(face_window.bounds, (Rect{300, 200, 303, 202}));
  EXPECT_EQ(surface.last.pixels, premultiplied);
  EXPECT_EQ(surface.last_alpha, 255);

  int updates = surface.updates;
  for (const char* bad : {"missing.png", "truncated.png", "not_png.png"}) {
    face.UpdateFace(kSkins + bad, 128);
    EXPECT_EQ(face_window.bounds, (Rect{300, 200, 300, 200})) << bad;
    EXPECT_EQ(surface.last.width, 0) << bad;
    EXPECT_EQ(surface.last.height, 0) << bad;
    EXPECT_TRUE(surface.last.pixels.empty()) << bad;
    EXPECT_EQ(surface.updates, ++updates) << bad;  // the system is told the face is empty
  }
  EXPECT_TRUE(report.messages.empty());

  face.UpdateFace(good, 300);
  EXPECT_EQ(face_window.bounds, (Rect{300, 200, 303, 202}));
  EXPECT_EQ(surface.last.pixels, premultiplied);
  EXPECT_EQ(surface.last_alpha, 255);
  EXPECT_EQ(face.FaceBlend.SourceConstantAlpha, 255);
}

TEST_F(FaceLayerTest, TheOpacityReachesTheSurface) {
  for (const auto& [opacity, alpha] : {std::pair{128, 128}, {0, 0}, {-1, 255}, {256, 255}}) {
    face.UpdateFace(kSkins + "Default.png", opacity);
    EXPECT_EQ(surface.last_alpha, alpha) << opacity;
    EXPECT_EQ(face.FaceBlend.SourceConstantAlpha, alpha) << opacity;
  }
}

}  // namespace
}  // namespace zentick
