#include <filesystem>
#include <system_error>

#include "cli/Commands.h"
#include "cli/IconFiles.h"
#include "cli/ImageChoice.h"
#include "cli/InputWalk.h"
#include "cli/OutputNames.h"
#include "cli/Paths.h"
#include "formats/IconFileIO.h"
#include "formats/PngWriter.h"

namespace {

void WriteGroup(const Options& options, const IconFileIO& io, const std::string& input, const IconGroup& group,
                OutputFolder& folder, Outcome& outcome) {
  const IconImageSet& set = *group.set;
  if (set.images.empty()) return;  // its lost images are already told
  const std::string base = OutputBase(input, group.name);
  std::optional<OutputFailure> failure;
  if (options.command == Command::Ico) {
    failure = folder.Write(base, ".ico", [&](const std::string& path) { return io.SaveIcoFile(set, path); });
  } else {
    // The image and conversion of the program's own PNG save, unless a size is asked for.
    const auto png = GroupPng(set, options.size);
    if (!png) return outcome.Refused(input, GroupLabel(group.name) + ": its image cannot be converted to PNG");
    failure = folder.Write(base, ".png", BytesWriter(*png));
  }
  if (failure) outcome.Refused(failure->path, failure->problem);
}

bool MakeFolder(const std::string& folder, Outcome& outcome) {
  std::error_code error;
  std::filesystem::create_directories(FsPath(folder), error);
  if (!error && !std::filesystem::is_directory(FsPath(folder), error))
    error = std::make_error_code(std::errc::not_a_directory);
  if (error) outcome.Refused(folder, "cannot be made a folder: " + error.message());
  return !error;
}

}  // namespace

int RunExtract(const Options& options) {
  Outcome outcome;
  if (!MakeFolder(options.outputFolder, outcome)) return outcome.ExitStatus();

  const IconFileIO io;
  OutputFolder folder(options.outputFolder, options.overwrite);
  ForEachInput(options.paths, options.recursive, outcome, [&](const std::string& path, bool named) {
    const IconFileRead read = ReadIcons(path);
    TellReading(path, read, named, outcome);
    for (const IconGroup& group : read.groups) WriteGroup(options, io, path, group, folder, outcome);
    outcome.FileDone(read.groups.size());
  });
  return outcome.ExitStatus();
}
