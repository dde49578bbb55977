// vantrel-extract: the icons of modules and .ico files listed, or written as
// .ico and .png files, from the command line.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <exception>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/MessageText.h"
#include "formats/Utf8.h"

namespace {

int Run(const Options& options) {
  switch (options.command) {
    case Command::List: return RunList(options);
    case Command::Ico:
    case Command::Png: return RunExtract(options);
    case Command::Thumbnail: return RunThumbnail(options);
    case Command::Help: std::fputs(kUsage, stdout); return 0;
    case Command::Version:
      std::printf("vantrel-extract %s\nCopyright (c) 2026 the Vantrel authors. MIT licence: free to use, change and pass on, without warranty.\n", VANTREL_VERSION);
      return 0;
  }
  return 2;
}

int Main(const std::vector<std::string>& words) {
  std::string error;
  const auto options = ParseCommandLine(words, error);
  if (!options) {
    std::fprintf(stderr, "vantrel-extract: %s\nTry 'vantrel-extract --help'.\n", EscapedInline(error).c_str());
    return 2;
  }
  int status = 1;
  // Running out of memory or a failed stream is reported, never a crash.
  try {
    status = Run(*options);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "vantrel-extract: %s\n", failure.what());
  }
  // A listing cut short by a full disk is a failure, not a success.
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "vantrel-extract: standard output: cannot be written: %s\n",
                 errno != 0 ? std::strerror(errno) : "write error");
    return 1;
  }
  return status;
}

}  // namespace

#ifdef _WIN32
// The arguments as UTF-16, so that a name in any script arrives whole
// whatever the ANSI code page; inside, paths are UTF-8.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) words.push_back(Utf16ToUtf8(std::u16string(argv[i], argv[i] + std::wcslen(argv[i]))));
  return Main(words);
}
#else
int main(int argc, char** argv) { return Main(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
