#include <filesystem>
#include <system_error>

#include "cli/Commands.h"
#include "cli/IconFiles.h"
#include "cli/ImageChoice.h"
#include "cli/InputWalk.h"
#include "cli/OutputNames.h"
#include "formats/FileHandle.h"
#include "formats/IconFileIO.h"

namespace {

// Writes one group to `path`; why it could not, or nothing.
std::string WriteGroup(const Options& options, const IconFileIO& io, const IconImageSet& set, const std::string& path) {
  const std::string notWritten = "cannot write " + path;
  if (options.command == Command::Ico) return io.SaveIcoFile(set, path) ? "" : notWritten;
  // The image and conversion of the program's own PNG save, unless a size is asked for.
  const auto png = GroupPng(set, options.size);
  if (!png) return "its image cannot be converted to PNG";
  OutputFile file(path);
  return file.Create() && file.Write(png->data(), png->size()) && file.Finish() ? "" : notWritten;
}

}  // namespace

int RunExtract(const Options& options) {
  Outcome outcome;
  std::error_code error;
  std::filesystem::create_directories(options.outputFolder, error);
  if (!std::filesystem::is_directory(options.outputFolder, error)) {
    outcome.Refused(options.outputFolder, "is not a folder that can be made or written");
    return outcome.ExitStatus();
  }

  const IconFileIO io;
  const std::string extension = options.command == Command::Ico ? ".ico" : ".png";
  ForEachInput(options.paths, options.recursive, outcome, [&](const std::string& path) {
    const FileIcons icons = ReadIcons(path);
    if (!icons.error.empty()) outcome.Refused(path, icons.error);
    for (const IconGroup& group : icons.groups) {
      const auto target = FreeOutputPath(options.outputFolder, OutputBase(path, group.name), extension);
      const std::string problem = target ? WriteGroup(options, io, *group.set, *target) : "no free name in the folder";
      if (!problem.empty()) outcome.Refused(path, GroupLabel(group.name) + ": " + problem);
    }
    outcome.FileDone(icons.groups.size());
  });
  return outcome.ExitStatus();
}
