// Feeds arbitrary bytes to the one reading as a file (an .ico file or a
// module, by its content), then writes the first group it read as .ico, .bmp and .png. The written .ico must read back to the same blocks
// (a DIB's biSizeImage cleared): anything else is a fault worth a crash report.
// Then the picking path of the list and the commands: pick by each rule,
// decode, scale and encode.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "formats/IconFileIO.h"
#include "formats/IconFileReader.h"
#include "formats/IconPixels.h"
#include "formats/ImagePick.h"

namespace {

// This process's files, as the reader and writers take paths; removed at exit.
struct FuzzPaths {
  const std::string stem =
      (std::filesystem::temp_directory_path() / ("vantrel-fuzz-ico-" + std::to_string(getpid()))).string();
  const std::string input = stem + "-in.ico", ico = stem + "-out.ico", bmp = stem + "-out.bmp", png = stem + "-out.png";
  ~FuzzPaths() {
    for (const std::string* path : {&input, &ico, &bmp, &png}) std::remove(path->c_str());
  }
};

bool WriteInput(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out.flush());
}

bool SameBlockAfterWriting(const IconImage& original, const IconImage& written) {
  if (original.BlockSize() != written.BlockSize() || original.kind != written.kind) return false;
  for (uint32_t i = 0; i < original.BlockSize(); ++i) {
    const bool cleared = original.kind == ImageKind::Dib && i >= 20 && i < 24;
    if (written.Data()[i] != (cleared ? 0 : original.Data()[i])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const FuzzPaths paths;
  if (!WriteInput(paths.input, data, size)) std::abort();

  const IconFileIO io;
  const IconFileRead read = ReadIconFile(paths.input, std::string(), 1);
  if (read.groups.empty() || read.groups.front().set->images.empty()) return 0;
  const IconImageSet* set = read.groups.front().set.get();

  if (!io.SaveIcoFile(*set, paths.ico)) std::abort();
  const IconFileRead readAgain = ReadIconFile(paths.ico);
  if (readAgain.groups.size() != 1) std::abort();
  const IconImageSet* again = readAgain.groups.front().set.get();
  if (again->images.size() != set->images.size()) std::abort();
  for (size_t i = 0; i < set->images.size(); ++i) {
    if (!SameBlockAfterWriting(set->images[i], again->images[i])) std::abort();
  }

  io.SaveImageAsBmp(paths.bmp, *set);
  io.SavePngFile(*set, paths.png);

  ImageDecoder decoder(*set);
  for (const uint32_t side : {16u, 32u, 256u}) {
    const auto picked = decoder.First(PickOrder(ShapesOf(*set), PickRule::AtLeast, side));
    if (!picked) continue;
    if (picked->pixels->pixels.size() != size_t{picked->pixels->width} * picked->pixels->height * 4) std::abort();
    if (!ScaleRgba(*picked->pixels, side, side)) std::abort();
    if (PngOfPicked(set->images[picked->index], *picked->pixels).empty()) std::abort();
  }
  PickedPng(*set, PickRule::Nearest, 48);
  return 0;
}
