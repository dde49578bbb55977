#pragma once
// Which image of an icon a picture is made from. The images are ranked by a
// rule and tried in that order: the first that decodes is taken, so one image
// that cannot be read never hides the icon. Each image is decoded at most once
// however many pictures ask for it.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "formats/IconImageSet.h"
#include "formats/RgbaImage.h"

// What a rule looks at; an image's size is its larger side.
struct ImageShape {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t colorBits = 0;
};

enum class PickRule {
  AtLeast,  // the smallest at least the side, else the largest
  Nearest,  // nearest the side; of two as near, the larger
  Largest,  // most pixels
};

// Every image's index, best first. Of one rank, more colour bits first; of
// equals, the earlier.
std::vector<uint32_t> PickOrder(const std::vector<ImageShape>& shapes, PickRule rule, uint32_t side = 0);
std::vector<ImageShape> ShapesOf(const IconImageSet& set);

struct PickedImage {
  uint32_t index = 0;
  const RgbaImage* pixels = nullptr;  // owned by the ImageDecoder
};

// Decodes the images of one icon on demand, each once.
class ImageDecoder {
 public:
  using Decode = std::function<std::optional<RgbaImage>(uint32_t index)>;
  ImageDecoder(size_t count, Decode decode) : m_decode(std::move(decode)), m_results(count) {}
  // The images of a set, by their kind.
  explicit ImageDecoder(const IconImageSet& set);

  // The first image of `order` that decodes; none when none does.
  std::optional<PickedImage> First(const std::vector<uint32_t>& order);

 private:
  struct Result {
    bool tried = false;
    std::optional<RgbaImage> pixels;
  };
  Decode m_decode;
  std::vector<Result> m_results;
};

// The PNG a picture of the image is written as: a PNG image's own bytes (it
// has just been decoded, so they are sound), a DIB's pixels encoded. Empty
// when they cannot be.
std::vector<uint8_t> PngOfPicked(const IconImage& image, const RgbaImage& pixels);

// The set's image by the rule as PNG bytes, passing over images that do not
// decode; none when no image does.
std::optional<std::vector<uint8_t>> PickedPng(const IconImageSet& set, PickRule rule, uint32_t side = 0);
