#include <cerrno>
#include <cstring>

#include "cli/Commands.h"
#include "cli/IconFiles.h"
#include "cli/ImageChoice.h"
#include "cli/Outcome.h"
#include "formats/FileHandle.h"

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
