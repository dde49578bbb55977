#include <filesystem>
#include <system_error>

#include "cli/Commands.h"
#include "cli/IconFiles.h"
#include "cli/ImageChoice.h"
#include "cli/Outcome.h"
#include "formats/FileHandle.h"

int RunThumbnail(const Options& options) {
  Outcome outcome;
  const std::string& input = options.paths[0];
  const std::string& output = options.paths[1];
  std::error_code error;
  if (std::filesystem::symlink_status(output, error).type() != std::filesystem::file_type::not_found) {
    outcome.Refused(output, "already exists and is kept");
    return outcome.ExitStatus();
  }

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
  OutputFile file(output);
  if (!file.Create() || !file.Write(png->data(), png->size()) || !file.Finish()) outcome.Refused(output, "cannot be written");
  return outcome.ExitStatus();
}
