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
