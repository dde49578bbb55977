#include "cli/CommandLine.h"

#include <cstdlib>

const char kUsage[] =
    "usage: vantrel-extract COMMAND [OPTIONS] PATH...\n"
    "\n"
    "Reads the icons of modules (.exe .dll .icl .cpl .scr .ocx .mun: PE32, PE32+\n"
    "and NE) and of .ico files; the extension decides how a file is read.\n"
    "\n"
    "Commands:\n"
    "  list [--json] [-r] PATH...\n"
    "      each file's icon groups and their images: width x height, colour bits,\n"
    "      PNG or DIB, bytes. A file named as PATH that holds no icon shows\n"
    "      \"no icons\"; one that -r finds is left out.\n"
    "  ico [-r] [--overwrite] -o DIR PATH...\n"
    "      each icon group as DIR/FILE-GROUP.ico (shell32.dll-3.ico), with the bytes\n"
    "      Vantrel saves; an .ico file keeps its name (DIR/NAME.ico).\n"
    "  png [-r] [--overwrite] [--size N] -o DIR PATH...\n"
    "      each group's largest image, or the one nearest N pixels (ties to the\n"
    "      larger, then to more colour bits), as DIR/FILE-GROUP.png or DIR/NAME.png.\n"
    "  thumbnail SIZE IN OUT\n"
    "      the first icon group of IN as a PNG at OUT, which must not exist yet:\n"
    "      its smallest image at least SIZE pixels, scaled down to SIZE; when every\n"
    "      image is smaller, the largest as it is. Ties go to more colour bits.\n"
    "\n"
    "Options:\n"
    "  -r, --recursive   search each PATH that is a folder and all its subfolders,\n"
    "                    hidden ones too, for files of the extensions above\n"
    "  -o, --output DIR  the folder to write into, made when missing\n"
    "  --overwrite       replace the files in DIR that have the new files' names;\n"
    "                    without it a name already taken gets -1, -2, ... before\n"
    "                    its extension, and no file is ever replaced\n"
    "  --size N          png: N pixels, from 1 to 4096 (SIZE of thumbnail too)\n"
    "  --json            list: one JSON array, an object for every file read:\n"
    "                    {\"path\", \"groups\": [{\"name\", \"images\": [{\"width\",\n"
    "                    \"height\", \"bits\", \"format\", \"bytes\"}]}]}, with \"error\"\n"
    "                    when the file was refused, and \"path_hex\" (its bytes in\n"
    "                    hex) when its name is not UTF-8\n"
    "  --                the words after it are paths, even those starting with -\n"
    "  -h, --help        this text\n"
    "  --version         the program's name and version\n"
    "\n"
    "Messages go to stderr as 'vantrel-extract: PATH: what failed: reason'; on a\n"
    "terminal, work longer than a second shows one line of progress there.\n"
    "\n"
    "Exit status: 0 every input read and every file written, 1 some input refused\n"
    "or some file not written (the others are still done), 2 usage error.\n";

namespace {

std::optional<uint32_t> PositiveNumber(const std::string& text, uint32_t max) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const unsigned long value = std::strtoul(text.c_str(), nullptr, 10);
  if (value == 0 || value > max) return std::nullopt;
  return static_cast<uint32_t>(value);
}

std::optional<Command> CommandNamed(const std::string& word) {
  if (word == "list") return Command::List;
  if (word == "ico") return Command::Ico;
  if (word == "png") return Command::Png;
  if (word == "thumbnail") return Command::Thumbnail;
  if (word == "--help" || word == "-h" || word == "help") return Command::Help;
  if (word == "--version") return Command::Version;
  return std::nullopt;
}

}  // namespace

std::optional<Options> ParseCommandLine(const std::vector<std::string>& words, std::string& error) {
  Options options;
  if (words.empty()) {
    error = "no command given";
    return std::nullopt;
  }
  const auto command = CommandNamed(words[0]);
  if (!command) {
    error = "unknown command '" + words[0] + "'";
    return std::nullopt;
  }
  options.command = *command;

  bool optionsEnded = false;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    const bool hasValue = i + 1 < words.size();
    if (optionsEnded || word.empty() || word[0] != '-' || word == "-") {
      options.paths.push_back(word);
    } else if (word == "--") {
      optionsEnded = true;
    } else if (word == "--help" || word == "-h") {
      options.command = Command::Help;
      return options;
    } else if ((word == "-r" || word == "--recursive") && options.command != Command::Thumbnail) {
      options.recursive = true;
    } else if (word == "--overwrite" && (options.command == Command::Ico || options.command == Command::Png)) {
      options.overwrite = true;
    } else if (word == "--json" && options.command == Command::List) {
      options.json = true;
    } else if ((word == "-o" || word == "--output") && hasValue &&
               (options.command == Command::Ico || options.command == Command::Png)) {
      options.outputFolder = words[++i];
    } else if (word == "--size" && hasValue && options.command == Command::Png) {
      options.size = PositiveNumber(words[++i], kMaxPictureSize);
      if (!options.size) {
        error = "--size takes a number of pixels from 1 to " + std::to_string(kMaxPictureSize);
        return std::nullopt;
      }
    } else {
      error = "'" + word + "' is not an option of " + words[0] + (hasValue ? "" : " or lacks its value");
      return std::nullopt;
    }
  }

  switch (options.command) {
    case Command::Help:
    case Command::Version: break;
    case Command::Thumbnail:
      if (options.paths.size() != 3) {
        error = "thumbnail takes SIZE IN OUT";
        return std::nullopt;
      }
      options.size = PositiveNumber(options.paths[0], kMaxPictureSize);
      if (!options.size) {
        error = "SIZE is a number of pixels from 1 to " + std::to_string(kMaxPictureSize);
        return std::nullopt;
      }
      options.paths.erase(options.paths.begin());
      break;
    case Command::Ico:
    case Command::Png:
      if (options.outputFolder.empty()) {
        error = words[0] + " needs -o DIR";
        return std::nullopt;
      }
      [[fallthrough]];
    case Command::List:
      if (options.paths.empty()) {
        error = words[0] + " needs at least one PATH";
        return std::nullopt;
      }
      break;
  }
  return options;
}
