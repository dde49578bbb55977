#pragma once
// Writers of .ico, .bmp and .png files (the reading is IconFileReader's).
// They return false on failure, memory running out included; nothing is thrown.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "formats/BmpMessages.h"
#include "formats/IconImageSet.h"
#include "formats/RgbaImage.h"

class IconFileIO {
 public:
  explicit IconFileIO(BmpMessageSink sink = {}) : m_sink(std::move(sink)) {}
  virtual ~IconFileIO() = default;

  static uint32_t IcoImageOffset(const IconImageSet& set, uint32_t index);
  // The .ico file's bytes: header, directory, then every block as stored (a
  // DIB's biSizeImage written as 0); none when memory runs out.
  static std::optional<std::vector<uint8_t>> IcoBytes(const IconImageSet& set);
  bool SaveIcoFile(const IconImageSet& set, const std::string& path) const;

  // Writes one DIB image as a bitmap; reports its failures through the sink.
  bool SaveDibAsBmp(const std::string& path, const IconImage& image) const;
  // Writes the set's first DIB image; a set of PNG images only, its first
  // that decodes, as 32 bits with alpha.
  bool SaveImageAsBmp(const std::string& path, const IconImageSet& set) const;

  // Writes the set's largest image that decodes as a PNG (see PickedPng).
  bool SavePngFile(const IconImageSet& set, const std::string& path) const;

 private:
  void Report(const std::string& path, BmpMessage message) const;
  bool SaveRgbaAsBmp(const std::string& path, const RgbaImage& image) const;
  BmpMessageSink m_sink;
};
