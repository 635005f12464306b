#include "clock/raster.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zentick::clock {
namespace {

constexpr Color kBg = 0x101010;
constexpr Color kInk = 0x0000FF;
constexpr Color kFill = 0xFF0000;

// Which pixels of `r` differ from the background, as rows of '#' and '.'.
std::vector<std::string> Picture(const Raster& r, Color bg = kBg) {
  std::vector<std::string> rows;
  for (int y = 0; y < r.Height(); ++y) {
    std::string row;
    for (int x = 0; x < r.Width(); ++x) row += r.ColorAt(x, y) == bg ? '.' : '#';
    rows.push_back(row);
  }
  return rows;
}

struct LineCase {
  const char* name;
  Point from, to;
  int width;
  std::vector<std::string> expected;  // 12 x 9
};

const LineCase kLineCases[] = {
    {"ThinLeavesOutTheLastPixel",
     {1, 1},
     {6, 1},
     1,
     {"............", ".#####......", "............", "............", "............",
      "............", "............", "............", "............"}},
    {"ThinBackwardsLeavesOutItsOwnLastPixel",
     {6, 1},
     {1, 1},
     1,
     {"............", "..#####.....", "............", "............", "............",
      "............", "............", "............", "............"}},
    {"ThinDiagonal",
     {0, 0},
     {4, 4},
     1,
     {"#...........", ".#..........", "..#.........", "...#........", "............",
      "............", "............", "............", "............"}},
    {"ThinSteep",
     {1, 0},
     {3, 6},
     0,  // width 0 draws as 1
     {".#..........", ".#..........", "..#.........", "..#.........", "..#.........",
      "...#........", "............", "............", "............"}},
    {"ThinEmpty",
     {3, 3},
     {3, 3},
     1,
     {"............", "............", "............", "............", "............",
      "............", "............", "............", "............"}},
    // An even width runs along pixel corners and covers exactly two rows.
    {"TwoPixelsWide",
     {2, 4},
     {8, 4},
     2,
     {"............", "............", "............", ".########...", ".########...",
      "............", "............", "............", "............"}},
    // Round caps: the ends are half discs, not squares.
    {"FivePixelsWideRound",
     {3, 4},
     {8, 4},
     5,
     {"............", "............", "..########..", ".##########.", ".##########.",
      ".##########.", "..########..", "............", "............"}},
    {"WideDotForAnEmptyLine",
     {5, 4},
     {5, 4},
     3,
     {"............", "............", "............", "....###.....", "....###.....",
      "....###.....", "............", "............", "............"}},
};

class LineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineTest, DrawsThePenOfGdi) {
  const LineCase& c = GetParam();
  Raster r(12, 9, kBg);
  Line(r, c.from, c.to, {kInk, c.width});
  EXPECT_EQ(Picture(r), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Pens, LineTest, ::testing::ValuesIn(kLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Line, ClipsHugeLinesWithoutWalkingThem) {
  Raster r(10, 4, kBg);
  Line(r, {INT_MIN, 2}, {INT_MAX, 2}, {kInk, 1});
  EXPECT_EQ(Picture(r)[2], "##########");
  Line(r, {-2000000000, -2000000000}, {2000000000, 2000000000}, {kInk, 1});
  EXPECT_EQ(r.ColorAt(1, 1), kInk);
  EXPECT_EQ(r.ColorAt(1, 0), kBg);
  Raster wide(10, 4, kBg);
  Line(wide, {5, 2}, {5, 2}, {kInk, INT_MAX});
  EXPECT_EQ(Picture(wide), (std::vector<std::string>(4, "##########")));
  Raster away(10, 4, kBg);
  Line(away, {-50, -50}, {-20, 100}, {kInk, 3});
  Line(away, {-50, -50}, {-20, 100}, {kInk, 1});
  EXPECT_EQ(Picture(away), (std::vector<std::string>(4, "..........")));
}

TEST(Rectangle, OutlinesWithACentredPenOverASolidFill) {
  Raster r(8, 6, kBg);
  Rectangle(r, {1, 1, 6, 5}, {kInk, 1}, kFill);
  const std::vector<std::string> thin = {"........", ".IIIII..", ".IFFFI..",
                                         ".IFFFI..", ".IIIII..", "........"};
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      const char want = thin[y][x];
      EXPECT_EQ(r.ColorAt(x, y), want == 'I' ? kInk : want == 'F' ? kFill : kBg) << x << "," << y;
    }
  }

  // Over the whole raster a wide pen is half outside: width 2 shows 1 column on the
  // left and top, 2 on the right and bottom; width 3 shows 2 everywhere.
  const struct {
    int width;
    std::string row;
    std::string column;
  } wide[] = {{2, "IFFFFFII", "IFFFII"}, {3, "IIFFFFII", "IIFFII"}, {-4, "IFFFFFFI", "IFFFFI"}};
  for (const auto& w : wide) {
    Raster full(8, 6, kBg);
    Rectangle(full, {0, 0, 8, 6}, {kInk, w.width}, kFill);
    std::string row, column;
    for (int x = 0; x < 8; ++x) row += full.ColorAt(x, 3) == kInk ? 'I' : 'F';
    for (int y = 0; y < 6; ++y) column += full.ColorAt(3, y) == kInk ? 'I' : 'F';
    EXPECT_EQ(row, w.row) << w.width;
    EXPECT_EQ(column, w.column) << w.width;
  }
}

TEST(RoundRect, ACornerEllipseAtLeastTheBoxGivesTheInscribedDisc) {
  Raster r(10, 10, kBg);
  RoundRect(r, {2, 2, 8, 8}, 128, 128, {kInk, 1}, kFill);
  EXPECT_EQ(Picture(r), (std::vector<std::string>{
                            "..........", "..........", "...####...", "..######..", "..######..",
                            "..######..", "..######..", "...####...", "..........", ".........."}));
  EXPECT_EQ(r.ColorAt(4, 4), kFill);
  EXPECT_EQ(r.ColorAt(5, 5), kFill);
  EXPECT_EQ(r.ColorAt(2, 4), kInk);  // the outline
  EXPECT_EQ(r.ColorAt(7, 5), kInk);
  EXPECT_EQ(r.ColorAt(4, 2), kInk);

  // No corner ellipse: the plain rectangle.
  Raster square(10, 10, kBg);
  RoundRect(square, {2, 2, 8, 8}, 0, 0, {kInk, 1}, kFill);
  Raster expected(10, 10, kBg);
  Rectangle(expected, {2, 2, 8, 8}, {kInk, 1}, kFill);
  EXPECT_EQ(Picture(square), Picture(expected));
  EXPECT_EQ(square.ColorAt(2, 2), kInk);
  EXPECT_EQ(square.ColorAt(3, 3), kFill);
}

Raster Numbered(int w, int h) {
  Raster r(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) r.SetColorAt(x, y, static_cast<Color>(0x010000 * y + x + 1));
  }
  return r;
}

TEST(Raster, ResizeKeepsTheSharedPartAndReusesItsStorage) {
  Raster r = Numbered(4, 3);
  r.Resize(6, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      const Color want = x < 4 && y < 3 ? 0x010000u * y + x + 1 : kClWhite;
      EXPECT_EQ(r.ColorAt(x, y), want) << x << "," << y;
    }
  }
  const Pixel* storage = r.Row(0);
  r.Resize(2, 2);
  r.Resize(5, 3);
  EXPECT_EQ(r.Row(0), storage);
  EXPECT_EQ(r.ColorAt(1, 1), 0x010002u);
  EXPECT_EQ(r.ColorAt(2, 1), kClWhite);
  EXPECT_EQ(r.ColorAt(1, 2), kClWhite);

  r.Resize(-5, 3);
  EXPECT_TRUE(r.Empty());
  r.Resize(kMaxRasterSide + 1, 1);
  EXPECT_EQ(r.Width(), kMaxRasterSide);
}

TEST(Raster, PixelsAreBgrxInMemory) {
  Raster r(1, 1, 0x00332211);  // red 0x11, green 0x22, blue 0x33
  const auto* bytes = reinterpret_cast<const unsigned char*>(r.View().pixels);
  EXPECT_EQ(bytes[0], 0x33);
  EXPECT_EQ(bytes[1], 0x22);
  EXPECT_EQ(bytes[2], 0x11);
  EXPECT_EQ(bytes[3], 0x00);
}

TEST(Raster, DrawStretchTileAndBrushCopy) {
  const Raster src = Numbered(3, 2);
  Raster drawn(4, 4, kBg);
  Draw(drawn, src, {-1, -1});
  Draw(drawn, src, {3, 3});
  EXPECT_EQ(drawn.ColorAt(0, 0), src.ColorAt(1, 1));
  EXPECT_EQ(drawn.ColorAt(1, 0), src.ColorAt(2, 1));
  EXPECT_EQ(drawn.ColorAt(2, 0), kBg);
  EXPECT_EQ(drawn.ColorAt(0, 1), kBg);
  EXPECT_EQ(drawn.ColorAt(3, 3), src.ColorAt(0, 0));

  Raster stretched(5, 3, kBg);
  StretchDraw(stretched, {0, 0, 5, 3}, Numbered(2, 2));
  const int sx[] = {0, 0, 0, 1, 1};
  const int sy[] = {0, 0, 1};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(stretched.ColorAt(x, y), Numbered(2, 2).ColorAt(sx[x], sy[y]));
  }

  Raster tiled(7, 5, kBg);
  Tile(tiled, src);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) EXPECT_EQ(tiled.ColorAt(x, y), src.ColorAt(x % 3, y % 2));
  }
  Tile(tiled, Raster());  // nothing to repeat

  Raster keyed(4, 4, kBg);
  Raster with_key = Numbered(3, 2);
  with_key.SetColorAt(1, 0, kClFuchsia);
  BrushCopy(keyed, {0, 0, 4, 4}, with_key, kClFuchsia, kFill);
  EXPECT_EQ(keyed.ColorAt(0, 0), with_key.ColorAt(0, 0));
  EXPECT_EQ(keyed.ColorAt(1, 0), kFill);
  EXPECT_EQ(keyed.ColorAt(2, 1), with_key.ColorAt(2, 1));
  EXPECT_EQ(keyed.ColorAt(3, 0), kBg);  // beyond the picture
  EXPECT_EQ(keyed.ColorAt(0, 2), kBg);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put16(std::string& b, std::size_t at, unsigned v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>(v >> 8 & 0xFF);
}
void Put32(std::string& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i) & 0xFF);
}

// A packed DIB of 2 x 2 pixels: red, white on the top row; blue, green below.
std::string TwoByTwo(int bpp, bool top_down, std::uint32_t compression = 0,
                     std::uint32_t colors_used = 0) {
  const std::size_t stride = 8;  // 6 or 8 bytes of pixels, padded to 4
  const std::size_t extra = (compression == 3 ? 12 : 0) + colors_used * 4;
  std::string b(40 + extra + 2 * stride, '\0');
  Put32(b, 0, 40);
  Put32(b, 4, 2);
  Put32(b, 8, static_cast<std::uint32_t>(top_down ? -2 : 2));
  Put16(b, 12, 1);
  Put16(b, 14, static_cast<unsigned>(bpp));
  Put32(b, 16, compression);
  Put32(b, 32, colors_used);
  if (compression == 3) {
    Put32(b, 40, 0xFF0000);
    Put32(b, 44, 0xFF00);
    Put32(b, 48, 0xFF);
  }
  const unsigned char top[2][3] = {{0, 0, 255}, {255, 255, 255}};  // B, G, R
  const unsigned char bottom[2][3] = {{255, 0, 0}, {0, 128, 0}};
  for (int row = 0; row < 2; ++row) {
    const auto& px = (row == 0) == top_down ? top : bottom;
    for (int x = 0; x < 2; ++x) {
      for (int c = 0; c < 3; ++c) {
        b[40 + extra + row * stride + x * (bpp / 8) + c] = static_cast<char>(px[x][c]);
      }
    }
  }
  return b;
}

TEST(DecodeDib, Reads24And32BitBottomUpAndTopDown) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"24 bottom-up", TwoByTwo(24, false)},
      {"24 top-down", TwoByTwo(24, true)},
      {"32 bottom-up", TwoByTwo(32, false)},
      {"32 bitfields", TwoByTwo(32, true, 3)},
      {"24 with a colour table", TwoByTwo(24, false, 0, 2)},
  };
  for (const auto& c : cases) {
    const DecodedBitmap d = DecodeDib(c.bytes);
    ASSERT_TRUE(d.Ok()) << c.name;
    ASSERT_EQ(d.raster.Width(), 2);
    ASSERT_EQ(d.raster.Height(), 2);
    EXPECT_EQ(d.raster.ColorAt(0, 0), kClRed) << c.name;
    EXPECT_EQ(d.raster.ColorAt(1, 0), kClWhite) << c.name;
    EXPECT_EQ(d.raster.ColorAt(0, 1), kClBlue) << c.name;
    EXPECT_EQ(d.raster.ColorAt(1, 1), kClGreen) << c.name;
  }
  // A last row without its padding still has all its pixels.
  std::string unpadded = TwoByTwo(24, false);
  unpadded.resize(unpadded.size() - 2);
  EXPECT_TRUE(DecodeDib(unpadded).Ok());
}

TEST(DecodeDib, RejectsHostileHeaders) {
  const std::string good = TwoByTwo(24, false);
  auto with = [&](std::size_t at, std::uint32_t v, bool wide = true) {
    std::string b = good;
    if (wide) {
      Put32(b, at, v);
    } else {
      Put16(b, at, v);
    }
    return b;
  };
  const struct {
    const char* name;
    std::string bytes;
    DibError error;
  } cases[] = {
      {"empty", "", DibError::kTruncated},
      {"short header", good.substr(0, 30), DibError::kTruncated},
      {"core header", with(0, 12), DibError::kBadHeader},
      {"header size past the end", with(0, 124), DibError::kTruncated},
      {"zero width", with(4, 0), DibError::kBadHeader},
      {"negative width", with(4, 0xFFFFFFFE), DibError::kBadHeader},
      {"zero height", with(8, 0), DibError::kBadHeader},
      {"two planes", with(12, 2, false), DibError::kBadHeader},
      {"8 bits", with(14, 8, false), DibError::kUnsupportedFormat},
      {"rle", with(16, 1), DibError::kUnsupportedFormat},
      {"odd masks",
       [] {
         std::string b = TwoByTwo(32, false, 3);
         Put32(b, 40, 0xFF);
         return b;
       }(),
       DibError::kUnsupportedFormat},
      {"huge width", with(4, 100000), DibError::kTooLarge},
      {"most negative height", with(8, 0x80000000), DibError::kTooLarge},
      {"huge colour table", with(32, 0xFFFFFFFF), DibError::kTruncated},
      {"a pixel short", good.substr(0, good.size() - 3), DibError::kTruncated},
      {"big but no pixels", with(8, 8000), DibError::kTruncated},
  };
  for (const auto& c : cases) {
    const DecodedBitmap d = DecodeDib(c.bytes);
    EXPECT_EQ(d.error, c.error) << c.name;
    EXPECT_TRUE(d.raster.Empty()) << c.name;
  }
}

TEST(DecodeBmpFile, ReadsTheBuiltInPictureAsFileAndAsResource) {
  const std::string file =
      ReadFile(std::string(ZENTICK_SOURCE_DIR) + "/resources/bmpclock/bmpclock.bmp");
  const DecodedBitmap d = DecodeBmpFile(file);
  ASSERT_TRUE(d.Ok());
  ASSERT_EQ(d.raster.Width(), 100);
  ASSERT_EQ(d.raster.Height(), 100);
  for (Point corner : {Point{0, 0}, Point{99, 0}, Point{0, 99}, Point{99, 99}}) {
    EXPECT_EQ(d.raster.ColorAt(corner.x, corner.y), kClFuchsia);
  }
  const Color centre = d.raster.ColorAt(30, 60);  // on the dial, away from the numerals
  EXPECT_GT(centre >> 8 & 0xFF, centre & 0xFF);
  EXPECT_GT(centre >> 8 & 0xFF, centre >> 16 & 0xFF);

  // The bitmap resource holds the same bytes without the 14-byte file header.
  const DecodedBitmap resource = DecodeDib(std::string_view(file).substr(14));
  ASSERT_TRUE(resource.Ok());
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) ASSERT_EQ(resource.raster.ColorAt(x, y), d.raster.ColorAt(x, y));
  }

  std::string bad_offset = file;
  Put32(bad_offset, 10, 0x7FFFFFFF);
  EXPECT_EQ(DecodeBmpFile(bad_offset).error, DibError::kTruncated);
  Put32(bad_offset, 10, 20);
  EXPECT_EQ(DecodeBmpFile(bad_offset).error, DibError::kBadHeader);
  EXPECT_EQ(DecodeBmpFile("BM").error, DibError::kTruncated);
  EXPECT_EQ(DecodeBmpFile("PK" + file.substr(2)).error, DibError::kBadHeader);
}

}  // namespace
}  // namespace zentick::clock
