#include <algorithm>
#include <cerrno>
#include <cstring>

#include "cli/Commands.h"
#include "cli/IconFiles.h"
#include "cli/ImageChoice.h"
#include "cli/Outcome.h"
#include "formats/FileHandle.h"
#include "formats/IconPixels.h"
#include "formats/PngWriter.h"

namespace {

// The image no larger than `size` nearest it as it is; failing that the
// smallest image scaled down so that its larger side is `size`.
std::optional<std::vector<uint8_t>> ThumbnailPng(const IconImageSet& set, uint32_t size) {
  const int fitting = NearestImageIndex(set, size, true);
  if (fitting >= 0) return ImageAsPng(set.images[fitting]);
  const int smallest = SmallestImageIndex(set);
  if (smallest < 0) return std::nullopt;
  const auto pixels = ImageToRgba(set.images[smallest]);
  if (!pixels) return std::nullopt;
  const uint32_t larger = std::max(pixels->width, pixels->height);
  const auto side = [&](uint32_t length) {
    return std::max<uint32_t>(1, static_cast<uint32_t>(static_cast<uint64_t>(length) * size / larger));
  };
  std::vector<uint8_t> png = EncodePng(ScaleRgba(*pixels, side(pixels->width), side(pixels->height)));
  if (png.empty()) return std::nullopt;
  return png;
}

}  // namespace

int RunThumbnail(const Options& options) {
  Outcome outcome;
  const std::string& input = options.paths[0];
  const std::string& output = options.paths[1];
  const FileIcons icons = ReadIcons(input, true);
  if (icons.groups.empty()) {
    outcome.Refused(input, icons.error.empty() ? "holds no icon" : icons.error);
    return outcome.ExitStatus();
  }
  const auto png = ThumbnailPng(*icons.groups.front().set, *options.size);
  if (!png) {
    outcome.Refused(input, "its icon cannot be converted to PNG");
    return outcome.ExitStatus();
  }
  // OUT is made here or not at all: a file already there is kept.
  OutputFile file(output, OutputFile::Creation::New);
  if (!file.Create()) outcome.Refused(output, std::string("cannot be created: ") + std::strerror(errno));
  else if (!file.Write(png->data(), png->size()) || !file.Finish())
    outcome.Refused(output, std::string("cannot be written: ") + std::strerror(errno));
  return outcome.ExitStatus();
}
