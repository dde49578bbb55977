// Which image a picture is made from: the order each rule tries the images
// in, and odd or broken images decoded or passed over for the next.

#include <tuple>

#include "OddImages.h"
#include "formats/IconPixels.h"
#include "formats/ImagePick.h"

namespace {

TEST(PickOrder, RanksBySizeThenMostColourBitsThenFirst) {
  // 16 pixels 32-bit, 32 pixels 4-bit, 48 pixels, 32 pixels 32-bit, 256 pixels, 24 pixels.
  const std::vector<ImageShape> shapes = {{16, 16, 32}, {32, 32, 4}, {48, 48, 32}, {32, 32, 32}, {256, 256, 32}, {24, 24, 8}};
  const std::tuple<PickRule, uint32_t, std::vector<uint32_t>> cases[] = {
      // at least that large and nearest, else the largest; of one size the most colour bits
      {PickRule::AtLeast, 32, {3, 1, 2, 4, 5, 0}},
      {PickRule::AtLeast, 20, {5, 3, 1, 2, 4, 0}},
      {PickRule::AtLeast, 300, {4, 2, 3, 1, 5, 0}},
      // nearest; of two as near the larger
      {PickRule::Nearest, 20, {5, 0, 3, 1, 2, 4}},
      {PickRule::Nearest, 40, {2, 3, 1, 5, 0, 4}},
      {PickRule::Largest, 0, {4, 2, 3, 1, 5, 0}},
  };
  for (const auto& [rule, side, order] : cases) EXPECT_EQ(PickOrder(shapes, rule, side), order) << side;
}

TEST(ImageDecoder, DecodesEachImageOnceAndPassesOverThoseThatFail) {
  std::vector<int> decodes(3);
  ImageDecoder decoder(3, [&](uint32_t i) -> std::optional<RgbaImage> {
    ++decodes[i];
    if (i == 0) return std::nullopt;
    return RgbaImage{i, i, Bytes(i * i * 4)};
  });
  EXPECT_EQ(decoder.First({0, 2, 1})->index, 2u);
  EXPECT_EQ(decoder.First({0, 2})->pixels->width, 2u);
  EXPECT_EQ(decoder.First({0, 1})->index, 1u);
  EXPECT_FALSE(decoder.First({0}));
  EXPECT_EQ(decodes, std::vector<int>({1, 1, 1}));
}

// Each odd image beside a sound 16x16 one: decoded to its own colours, or
// passed over so that the PNG of the icon holds the 16x16 image.
TEST(OddImages, DecodeAsTheirBitsSayOrArePassedOverForTheNextImage) {
  for (const OddImage& odd : OddImages()) {
    SCOPED_TRACE(odd.what);
    const auto pixels = ImageToRgba(Bound(odd.block));
    ASSERT_EQ(pixels.has_value(), odd.bottomLeft.has_value());
    if (pixels) {
      const uint8_t* bottomLeft = pixels->pixels.data() + 31 * 32 * 4;
      EXPECT_EQ(std::make_tuple(pixels->width, pixels->height, bottomLeft[0], bottomLeft[1], bottomLeft[2], bottomLeft[3]),
                std::make_tuple(32u, 32u, (*odd.bottomLeft)[0], (*odd.bottomLeft)[1], (*odd.bottomLeft)[2], uint8_t{255}));
    }
    const auto png = PickedPng(*SetOf({MakeDibBlock(16, 16, 8), odd.block}), PickRule::Largest);
    ASSERT_TRUE(png);
    const auto written = DecodePng(png->data(), png->size());
    ASSERT_TRUE(written);
    EXPECT_EQ(written->width, pixels ? 32u : 16u);
  }
}

}  // namespace
