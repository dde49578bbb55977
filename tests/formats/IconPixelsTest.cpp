// Icon images as pixels: resampling, and which image a PNG picture of an icon
// holds.

#include <array>
#include <tuple>

#include "FormatTestHelpers.h"
#include "formats/IconPixels.h"
#include "formats/PngWriter.h"

namespace {

using Rgba = std::array<uint8_t, 4>;

RgbaImage ImageOf(uint32_t width, const std::vector<Rgba>& pixels) {
  RgbaImage image{width, static_cast<uint32_t>(pixels.size() / width), {}};
  for (const Rgba& pixel : pixels) image.pixels.insert(image.pixels.end(), pixel.begin(), pixel.end());
  return image;
}

TEST(ScaleRgba, AveragesAreasWeightedByAlphaAndRepeatsPixelsWhenGrowing) {
  // Three opaque pixels and a transparent green one, which lends no colour.
  const RgbaImage square = ImageOf(2, {{255, 0, 0, 255}, {0, 0, 255, 255}, {0, 255, 0, 0}, {255, 255, 255, 255}});
  EXPECT_EQ(ScaleRgba(square, 1, 1)->pixels, Bytes({170, 85, 170, 191}));
  // Three pixels into two: each takes one and a half, by the share it covers.
  const RgbaImage row = ImageOf(3, {{0, 0, 0, 255}, {90, 90, 90, 255}, {180, 180, 180, 255}});
  EXPECT_EQ(ScaleRgba(row, 2, 1)->pixels, Bytes({30, 30, 30, 255, 150, 150, 150, 255}));
  // Two pixels into five: the one under each new pixel's centre, colour and all.
  const RgbaImage pair = ImageOf(2, {{1, 2, 3, 255}, {10, 20, 30, 0}});
  EXPECT_EQ(ScaleRgba(pair, 5, 1)->pixels, ImageOf(5, {{1, 2, 3, 255}, {1, 2, 3, 255}, {10, 20, 30, 0},
                                                       {10, 20, 30, 0}, {10, 20, 30, 0}}).pixels);
}

TEST(PngFile, HoldsTheLargestImageAndAPngImageByteForByte) {
  const Bytes png48 = EncodePng({48, 48, Bytes(48 * 48 * 4, 90)});
  const TempFolder folder;
  ASSERT_TRUE(IconFileIO().SavePngFile(*SetOf({MakeDibBlock(16, 16, 8), png48}), folder.File("a.png")));
  EXPECT_EQ(ReadBytes(folder.File("a.png")), png48);
  EXPECT_FALSE(IconFileIO().SavePngFile(*SetOf({}), folder.File("b.png")));
  EXPECT_FALSE(IconFileIO().SavePngFile(*SetOf({Bytes(60, 7)}), folder.File("c.png")));
  EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"a.png"});
}

}  // namespace
