// vantrel-extract: the icons of modules and .ico files listed, or written as
// .ico and .png files, from the command line.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"

namespace {

int Run(const Options& options) {
  switch (options.command) {
    case Command::List: return RunList(options);
    case Command::Ico:
    case Command::Png: return RunExtract(options);
    case Command::Thumbnail: return RunThumbnail(options);
    case Command::Help: std::fputs(kUsage, stdout); return 0;
    case Command::Version: std::printf("vantrel-extract %s\n", VANTREL_VERSION); return 0;
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "vantrel-extract: %s\n\n%s", error.c_str(), kUsage);
    return 2;
  }
  // Running out of memory or a failed stream is reported, never a crash.
  try {
    return Run(*options);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "vantrel-extract: %s\n", failure.what());
    return 1;
  }
}
