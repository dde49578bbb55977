#pragma once
// Readers that fill an IconImageSet from an .ico file or from an icon-group
// resource of a module, and writers of .ico and .bmp files. Readers return null
// and writers false on failure, memory running out included; nothing is thrown.

#include <cstdint>
#include <cstdio>
#include <string>

#include "formats/BmpMessages.h"
#include "formats/IconImageSet.h"
#include "formats/ModuleResources.h"
#include "formats/RgbaImage.h"

class IconFileIO {
 public:
  explicit IconFileIO(BmpMessageSink sink = {}) : m_sink(std::move(sink)) {}
  virtual ~IconFileIO() = default;

  IconImageSetPtr LoadIcoFile(const std::string& path) const;
  // The image count (0 to 65535) from the 6-byte header at the file's position, or -1.
  static int32_t ReadIcoHeader(std::FILE* file);

  // groupName is in the platform's pointer form (see NameFromPointer).
  IconImageSetPtr LoadGroupIcon(const std::string& modulePath, const char* groupName) const;
  IconImageSetPtr LoadGroupIcon(const ModuleResources& module, const ResourceName& group,
                                const std::string& modulePath) const;

  static bool WriteIcoHeader(std::FILE* file, uint32_t count);
  static uint32_t IcoImageOffset(const IconImageSet& set, uint32_t index);
  bool SaveIcoFile(const IconImageSet& set, const std::string& path) const;

  // Writes one DIB image as a bitmap; reports its failures through the sink.
  bool SaveDibAsBmp(const std::string& path, const IconImage& image) const;
  // Writes the set's first DIB image; a set of PNG images only, its first
  // that decodes, as 32 bits with alpha.
  bool SaveImageAsBmp(const std::string& path, const IconImageSet& set) const;

  // Writes the set's largest image that decodes as a PNG (see PickedPng).
  bool SavePngFile(const IconImageSet& set, const std::string& path) const;

 private:
  static IconImageSetPtr ReadIcoFile(const std::string& path);
  void Report(const std::string& path, BmpMessage message) const;
  bool SaveRgbaAsBmp(const std::string& path, const RgbaImage& image) const;
  BmpMessageSink m_sink;
};
