// The save of an icon group as a PNG file, beside the .ico and .bmp savers:
// the picker chooses the image, the writer only encodes.
#include "formats/FileHandle.h"
#include "formats/IconFileIO.h"
#include "formats/ImagePick.h"

bool IconFileIO::SavePngFile(const IconImageSet& set, const std::string& path) const {
  const auto png = PickedPng(set, PickRule::Largest);
  if (!png) return false;
  OutputFile file(path);
  return file.Create() && file.Write(png->data(), png->size()) && file.Finish();
}
