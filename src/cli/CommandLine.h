#pragma once
// The command's words: a sub-command, its options and its paths.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class Command { List, Ico, Png, Thumbnail, Help, Version };

struct Options {
  Command command = Command::Help;
  bool recursive = false;
  bool json = false;
  bool overwrite = false;  // ico, png: replace files of the same name
  bool allImages = false;  // png --all: every image of each group
  std::string outputFolder;  // "-": the one result on standard output
  std::vector<std::string> groupNames;  // -n: only groups of these names or numbers
  std::optional<uint32_t> size;  // png --size, or the thumbnail's SIZE
  std::vector<std::string> paths;  // for thumbnail: IN, then OUT

  bool ToStandardOutput() const { return outputFolder == "-"; }
};

// The one range of thumbnail's SIZE and png's --size: no picture is asked
// larger, so its pixels stay a modest allocation.
constexpr uint32_t kMaxPictureSize = 4096;

// The options, or a usage error's reason in `error`. Options take every form
// getopt_long takes: "-o DIR", "-oDIR", "--output DIR", "--output=DIR",
// bundled short options ("-ro DIR"), unique prefixes of long ones, and
// options after paths.
std::optional<Options> ParseCommandLine(const std::vector<std::string>& words, std::string& error);

extern const char kUsage[];
