#include <cerrno>
#include <cstring>

#include "cli/Commands.h"
#include "cli/IconFiles.h"
#include "cli/ImageChoice.h"
#include "cli/Outcome.h"
#include "formats/FileHandle.h"

namespace {

// OUT is the caller's: it may have made the file and still hold it open, to
// read the picture through its own handle. So the picture goes into that
// very file, truncated, never into a new file put in its place.
bool WriteInPlace(const std::string& output, const std::vector<uint8_t>& png, Outcome& outcome) {
  FilePtr file = OpenFile(output, "wb");
  if (!file) {
    outcome.Refused(output, std::string("cannot be opened for writing: ") + std::strerror(errno));
    return false;
  }
  const bool written = std::fwrite(png.data(), 1, png.size(), file.get()) == png.size();
  const bool closed = std::fclose(file.release()) == 0;
  if (written && closed) return true;
  outcome.Refused(output, std::string("cannot be written: ") + std::strerror(errno));
  return false;
}

}  // namespace

int RunThumbnail(const Options& options) {
  Outcome outcome;
  const std::string& input = options.paths[0];
  const std::string& output = options.paths[1];
  // A file manager wants a picture: the first group's images that could be
  // read make it, whatever else the file lost.
  const IconFileRead read = ReadIcons(input, 1);
  if (read.groups.empty()) {
    outcome.Refused(input, ReadStatusText(read.status == ReadStatus::Read ? ReadStatus::NoIcon : read.status, read.detail));
    return outcome.ExitStatus();
  }
  const auto png = ThumbnailPng(*read.groups.front().set, *options.size);
  if (!png) outcome.Refused(input, "its icon cannot be converted to PNG");
  else WriteInPlace(output, *png, outcome);
  return outcome.ExitStatus();
}
