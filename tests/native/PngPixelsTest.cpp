// Icon images as PNG, read back by the system's libpng, and our PNG reader
// checked against images libpng wrote.

#include <png.h>

#include <array>
#include <tuple>

#include "formats/FormatTestHelpers.h"
#include "formats/IconPixels.h"
#include "formats/PngWriter.h"

namespace {

using Rgba = std::array<uint8_t, 4>;

// libpng's own decoding, expanded to 8-bit RGBA; empty when it refuses the bytes.
Bytes LibpngRgba(const Bytes& png, uint32_t& width, uint32_t& height) {
  struct Source {
    const Bytes& bytes;
    size_t at;
  } source{png, 0};
  Bytes pixels;
  std::vector<png_bytep> rows;
  png_structp read = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(read);
  if (setjmp(png_jmpbuf(read))) {
    png_destroy_read_struct(&read, &info, nullptr);
    return {};
  }
  png_set_read_fn(read, &source, [](png_structp reader, png_bytep out, png_size_t length) {
    auto& from = *static_cast<Source*>(png_get_io_ptr(reader));
    if (length > from.bytes.size() - from.at) png_error(reader, "cut short");
    std::copy_n(from.bytes.data() + from.at, length, out);
    from.at += length;
  });
  png_read_info(read, info);
  png_set_expand(read);
  png_set_scale_16(read);
  png_set_gray_to_rgb(read);
  png_set_add_alpha(read, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(read);
  png_read_update_info(read, info);
  width = png_get_image_width(read, info);
  height = png_get_image_height(read, info);
  pixels.resize(static_cast<size_t>(width) * height * 4);
  for (uint32_t y = 0; y < height; ++y) rows.push_back(pixels.data() + static_cast<size_t>(y) * width * 4);
  png_read_image(read, rows.data());
  png_read_end(read, nullptr);
  png_destroy_read_struct(&read, &info, nullptr);
  return pixels;
}

// A 5 x 3 DIB whose pixel (x, y), top row first, is meant to look like
// expected[y * 5 + x]; the colour table, bitmap and mask are packed here.
Bytes PixelDib(uint16_t bits, bool withAlpha, std::vector<Rgba>& expected) {
  constexpr uint32_t width = 5, height = 3;
  const uint32_t colours = bits <= 8 ? 1u << bits : 0;
  Bytes dib = MakeDibBlock(width, height, bits);
  dib.resize(40);  // its header
  for (uint32_t i = 0; i < colours; ++i)
    dib.insert(dib.end(), {static_cast<uint8_t>(i * 3), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 17 + 1), 0});
  expected.assign(width * height, {});
  const uint32_t rowBytes = (width * bits + 31) / 32 * 4;
  Bytes colour(rowBytes * height), mask(4 * height);
  for (uint32_t y = 0; y < height; ++y) {
    const uint32_t stored = height - 1 - y;  // bottom row first
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t value = x * 5 + y * 7 + 1;
      uint8_t* at = colour.data() + stored * rowBytes;
      const bool masked = (x + y) % 3 == 0;
      Rgba& pixel = expected[y * width + x];
      if (colours) {
        const uint32_t index = value % colours;
        at[x * bits / 8] |= static_cast<uint8_t>(index << (8 - bits - x * bits % 8));
        pixel = {static_cast<uint8_t>(index * 17 + 1), static_cast<uint8_t>(255 - index), static_cast<uint8_t>(index * 3), 0};
      } else if (bits == 16) {
        const uint32_t r = value % 32, g = (value * 3) % 32, b = 31 - value % 32;
        at[x * 2] = static_cast<uint8_t>(g << 5 | b);
        at[x * 2 + 1] = static_cast<uint8_t>(r << 2 | g >> 3);
        pixel = {static_cast<uint8_t>(r * 255 / 31.0 + 0.5), static_cast<uint8_t>(g * 255 / 31.0 + 0.5),
                 static_cast<uint8_t>(b * 255 / 31.0 + 0.5), 0};
      } else {
        pixel = {static_cast<uint8_t>(value * 9), static_cast<uint8_t>(200 - value), static_cast<uint8_t>(value * value), 0};
        const uint8_t bgra[4] = {pixel[2], pixel[1], pixel[0], static_cast<uint8_t>(withAlpha ? value * 12 : 0)};
        std::copy(bgra, bgra + bits / 8, at + x * bits / 8);
      }
      // The mask is set where the pixel is meant to be clear; an image with
      // its own alpha keeps that alpha whatever the mask says.
      if (masked) mask[stored * 4 + x / 8] |= static_cast<uint8_t>(0x80 >> x % 8);
      pixel[3] = withAlpha ? static_cast<uint8_t>(value * 12) : masked ? 0 : 255;
    }
  }
  dib.insert(dib.end(), colour.begin(), colour.end());
  dib.insert(dib.end(), mask.begin(), mask.end());
  return dib;
}

TEST(PngOutput, EachDibDepthReadsBackThroughLibpngAsItsPixels) {
  const std::tuple<uint16_t, bool> cases[] = {{1, false}, {4, false}, {8, false}, {16, false},
                                              {24, false}, {32, true}, {32, false}};
  for (const auto& [bits, withAlpha] : cases) {
    SCOPED_TRACE(testing::Message() << bits << " bits, alpha " << withAlpha);
    std::vector<Rgba> expected;
    const Bytes dib = PixelDib(bits, withAlpha, expected);
    const TempFolder folder;
    ASSERT_TRUE(IconFileIO().SavePngFile(*SetOf({dib}), folder.File("icon.png")));

    uint32_t width = 0, height = 0;
    const Bytes pixels = LibpngRgba(ReadBytes(folder.File("icon.png")), width, height);
    ASSERT_EQ(std::make_tuple(width, height, pixels.size()), std::make_tuple(5u, 3u, 60u));
    for (size_t i = 0; i < expected.size(); ++i)
      EXPECT_EQ(Rgba({pixels[i * 4], pixels[i * 4 + 1], pixels[i * 4 + 2], pixels[i * 4 + 3]}), expected[i]) << i;
  }
}

// A 13 x 11 image written by libpng from the given rows of packed samples.
struct LibpngImage {
  int colourType, depth;
  bool interlaced, transparency;
  int filter;
};

Bytes LibpngWrite(const LibpngImage& kind, const Bytes& samples, size_t rowBytes) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  Bytes out;
  png_set_write_fn(png, &out, [](png_structp write, png_bytep data, png_size_t length) {
    static_cast<Bytes*>(png_get_io_ptr(write))->insert(static_cast<Bytes*>(png_get_io_ptr(write))->end(), data, data + length);
  }, nullptr);
  png_set_IHDR(png, info, 13, 11, kind.depth, kind.colourType, kind.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, kind.filter);
  png_color palette[256];
  png_byte alphas[256];
  for (int i = 0; i < 256; ++i) {
    palette[i] = {static_cast<png_byte>(i * 5), static_cast<png_byte>(255 - i), static_cast<png_byte>(i * i)};
    alphas[i] = static_cast<png_byte>(i * 37);
  }
  if (kind.colourType == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, palette, 1 << kind.depth);
  // The key colour is the first pixel's, so that some pixels are transparent.
  const auto first = [&](int c) {
    return kind.depth == 16 ? samples[c * 2] << 8 | samples[c * 2 + 1]
           : kind.depth == 8 ? samples[c] : samples[0] >> (8 - kind.depth);
  };
  png_color_16 key = {0, static_cast<png_uint_16>(first(0)), static_cast<png_uint_16>(first(1)),
                      static_cast<png_uint_16>(first(2)), static_cast<png_uint_16>(first(0))};
  if (kind.transparency) png_set_tRNS(png, info, alphas, (1 << kind.depth) / 2, &key);
  png_write_info(png, info);
  std::vector<png_bytep> rows;
  for (size_t y = 0; y < 11; ++y) rows.push_back(const_cast<png_bytep>(samples.data() + y * rowBytes));
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

TEST(PngInput, DecodesWhatLibpngWritesAsLibpngReadsIt) {
  const LibpngImage cases[] = {
      {PNG_COLOR_TYPE_GRAY, 1, false, false, PNG_FILTER_NONE},     {PNG_COLOR_TYPE_GRAY, 2, true, false, PNG_ALL_FILTERS},
      {PNG_COLOR_TYPE_GRAY, 4, false, true, PNG_FILTER_SUB},       {PNG_COLOR_TYPE_GRAY, 8, false, false, PNG_FILTER_UP},
      {PNG_COLOR_TYPE_GRAY, 16, true, true, PNG_FILTER_PAETH},     {PNG_COLOR_TYPE_RGB, 8, false, true, PNG_FILTER_AVG},
      {PNG_COLOR_TYPE_RGB, 16, true, false, PNG_ALL_FILTERS},      {PNG_COLOR_TYPE_PALETTE, 1, false, false, PNG_FILTER_NONE},
      {PNG_COLOR_TYPE_PALETTE, 2, true, true, PNG_ALL_FILTERS},    {PNG_COLOR_TYPE_PALETTE, 4, false, true, PNG_FILTER_UP},
      {PNG_COLOR_TYPE_PALETTE, 8, true, true, PNG_FILTER_PAETH},   {PNG_COLOR_TYPE_GA, 8, false, false, PNG_FILTER_PAETH},
      {PNG_COLOR_TYPE_GA, 16, true, false, PNG_FILTER_SUB},        {PNG_COLOR_TYPE_RGBA, 8, true, false, PNG_FILTER_AVG},
      {PNG_COLOR_TYPE_RGBA, 16, false, false, PNG_ALL_FILTERS},
  };
  for (const LibpngImage& kind : cases) {
    SCOPED_TRACE(testing::Message() << "type " << kind.colourType << ", " << kind.depth << " bits, interlaced "
                                    << kind.interlaced);
    const int channels = kind.colourType == PNG_COLOR_TYPE_RGB ? 3 : kind.colourType == PNG_COLOR_TYPE_GA ? 2
                         : kind.colourType == PNG_COLOR_TYPE_RGBA ? 4 : 1;
    const size_t rowBytes = (13 * channels * kind.depth + 7) / 8;
    Bytes samples(rowBytes * 11);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint8_t>(i % 7 < 3 ? i / 4 : i * i * 7);
    const Bytes png = LibpngWrite(kind, samples, rowBytes);

    uint32_t width = 0, height = 0;
    const Bytes expected = LibpngRgba(png, width, height);
    const auto decoded = DecodePng(png.data(), png.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(std::make_tuple(decoded->width, decoded->height), std::make_tuple(width, height));
    EXPECT_EQ(decoded->pixels, expected);

    // Cut short, or a byte of the image data changed: refused.
    EXPECT_FALSE(DecodePng(png.data(), png.size() - 13));
    Bytes damaged = png;
    damaged[png.size() - 20] ^= 1;
    EXPECT_FALSE(DecodePng(damaged.data(), damaged.size()));
  }
}

}  // namespace
