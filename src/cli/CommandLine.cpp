#include "cli/CommandLine.h"

#include <getopt.h>

#include <cstdlib>

const char kUsage[] =
    "usage: vantrel-extract COMMAND [OPTIONS] PATH...\n"
    "\n"
    "Reads the icons of modules (.exe .dll .icl .cpl .scr .ocx .mun: PE32, PE32+\n"
    "and NE) and of .ico files, each told by its content; -r takes a folder's files\n"
    "by their extension.\n"
    "\n"
    "Commands:\n"
    "  list [--json] [-r] PATH...\n"
    "      each file's icon groups and their images: width x height, colour bits,\n"
    "      PNG or DIB, bytes. A file named as PATH that holds no icon shows\n"
    "      \"no icons\"; one that -r finds is left out.\n"
    "  ico [-r] [--overwrite] [-n NAME]... -o DIR PATH...\n"
    "      each icon group as DIR/FILE-GROUP.ico (shell32.dll-3.ico), with the bytes\n"
    "      Vantrel saves; an .ico file keeps its name (DIR/NAME.ico).\n"
    "  png [-r] [--overwrite] [-n NAME]... [--size N | --all] -o DIR PATH...\n"
    "      each group's largest image, or the one nearest N pixels (ties to the\n"
    "      larger, then to more colour bits), as DIR/FILE-GROUP.png or DIR/NAME.png;\n"
    "      with --all every image, as DIR/FILE-GROUP-WxH-BITS.png.\n"
    "  thumbnail SIZE IN OUT\n"
    "      the first icon group of IN as a PNG written into OUT (made, or emptied\n"
    "      and written in place when it exists): its smallest image at least SIZE\n"
    "      pixels, scaled down to SIZE; when every image is smaller, the largest\n"
    "      as it is. Ties go to more colour bits.\n"
    "\n"
    "Options (as getopt_long takes them: -oDIR, --output=DIR, -ro DIR, after PATHs):\n"
    "  -r, --recursive   search each PATH that is a folder and all its subfolders,\n"
    "                    hidden ones too, for files of the extensions above; ico\n"
    "                    and png write a file's outputs under DIR in the folders\n"
    "                    it has below that PATH (DIR/x/app.dll-3.ico)\n"
    "  -o, --output DIR  the folder to write into, made when missing; '-' writes\n"
    "                    the one file to standard output (more is a usage error)\n"
    "  -n, --name NAME   only the groups of this name or number (ASCII case not\n"
    "                    minded); may be given more than once\n"
    "  --overwrite       replace the files in DIR that have the new files' names;\n"
    "                    without it a name already taken gets -1, -2, ... before\n"
    "                    its extension, and no file is ever replaced\n"
    "  --size N          png: N pixels, from 1 to 4096 (SIZE of thumbnail too)\n"
    "  --all             png: every image of each group, not one\n"
    "  --json            list: one JSON array, an object for every file read:\n"
    "                    {\"path\", \"groups\": [{\"name\", \"images\": [{\"width\",\n"
    "                    \"height\", \"bits\", \"format\", \"bytes\"}]}]}, with \"error\"\n"
    "                    when the file was refused, and \"path_hex\" (its bytes in\n"
    "                    hex) when its name is not UTF-8\n"
    "  --                the words after it are paths, even those starting with -\n"
    "  -h, --help        this text\n"
    "  --version         the program's name, version and licence\n"
    "\n"
    "Messages go to stderr as 'vantrel-extract: PATH: what failed: reason', one\n"
    "line each (a control character in a name is escaped, as $'a\\nb'); on a\n"
    "terminal, work longer than a second shows one line of progress there. A full\n"
    "disk ends the run at its first failed file.\n"
    "\n"
    "Exit status: 0 every input read and every file written, 1 some input refused\n"
    "or some file not written (the others are still done), 2 usage error.\n";

namespace {

enum LongOnly { kOverwrite = 256, kSize, kJson, kAll };

constexpr unsigned Bit(Command command) { return 1u << static_cast<unsigned>(command); }
constexpr unsigned kExtract = Bit(Command::Ico) | Bit(Command::Png);

// Every option once: its spellings and the commands that take it.
struct OptionRule {
  option spelling;
  unsigned commands;
};
const OptionRule kOptionRules[] = {
    {{"recursive", no_argument, nullptr, 'r'}, Bit(Command::List) | kExtract},
    {{"output", required_argument, nullptr, 'o'}, kExtract},
    {{"name", required_argument, nullptr, 'n'}, kExtract},
    {{"overwrite", no_argument, nullptr, kOverwrite}, kExtract},
    {{"size", required_argument, nullptr, kSize}, Bit(Command::Png)},
    {{"all", no_argument, nullptr, kAll}, Bit(Command::Png)},
    {{"json", no_argument, nullptr, kJson}, Bit(Command::List)},
    {{"help", no_argument, nullptr, 'h'}, ~0u},
};
// '-': paths come back in their place whatever POSIXLY_CORRECT says;
// ':': a missing value is told apart from an unknown option.
const char kShortOptions[] = "-:hro:n:";

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

const OptionRule* RuleOf(int id) {
  for (const OptionRule& rule : kOptionRules)
    if (rule.spelling.val == id) return &rule;
  return nullptr;
}

// An option as the user knows it: "-o" or "--size".
std::string OptionName(int id) {
  if (id > 0 && id < 256) return std::string("-") + static_cast<char>(id);
  const OptionRule* rule = RuleOf(id);
  return rule ? std::string("--") + rule->spelling.name : "?";
}

// Why getopt_long refused what it just read: an option without its value, a
// known option given a value it does not take (optopt is its id; mingw-w64
// tells this as a missing value too), an unknown short option (optopt is its
// letter), or a long option unknown or ambiguous (optopt is 0).
std::string Refusal(char* const* argv, int next, int refused, bool missing, const std::string& command) {
  const std::string word = next > 0 ? argv[next - 1] : "";
  const bool isLong = word.compare(0, 2, "--") == 0;
  if (missing && word.find('=') == std::string::npos) return (isLong ? word : OptionName(refused)) + " needs a value";
  if (const OptionRule* rule = RuleOf(refused)) return "'--" + std::string(rule->spelling.name) + "' takes no value";
  if (refused != 0) return "'-" + std::string(1, static_cast<char>(refused)) + "' is not an option of " + command;
  const std::string name = word.substr(0, word.find('='));
  int matches = 0;
  for (const OptionRule& rule : kOptionRules)
    matches += std::string("--").append(rule.spelling.name).compare(0, name.size(), name) == 0;
  return "'" + name + (matches > 1 ? "' is ambiguous" : "' is not an option of " + command);
}

bool Takes(Command command, int id) {
  const OptionRule* rule = RuleOf(id);
  return rule && (rule->commands & Bit(command)) != 0;
}

// One option with its value into `options`; false with a reason in `error`.
bool Apply(int id, const char* value, Options& options, std::string& error) {
  switch (id) {
    case 'r': options.recursive = true; break;
    case 'o': options.outputFolder = value; break;
    case 'n':
      if (*value == '\0') return error = "-n takes a group's name or number", false;
      options.groupNames.emplace_back(value);
      break;
    case kOverwrite: options.overwrite = true; break;
    case kAll: options.allImages = true; break;
    case kJson: options.json = true; break;
    case kSize:
      options.size = PositiveNumber(value, kMaxPictureSize);
      if (!options.size) return error = "--size takes a number of pixels from 1 to " + std::to_string(kMaxPictureSize), false;
      break;
  }
  return true;
}

// The words after the command through getopt_long; paths in their order.
bool ParseOptions(const std::vector<std::string>& words, Options& options, std::string& error) {
  std::vector<std::string> text(words);
  std::vector<char*> argv;
  for (std::string& word : text) argv.push_back(&word[0]);
  argv.push_back(nullptr);
  std::vector<option> longOptions;
  for (const OptionRule& rule : kOptionRules) longOptions.push_back(rule.spelling);
  longOptions.push_back({nullptr, 0, nullptr, 0});

  optind = 0;  // a fresh scan, in glibc and in mingw-w64 alike
  opterr = 0;
  const int argc = static_cast<int>(argv.size() - 1);
  for (int id; (id = getopt_long(argc, argv.data(), kShortOptions, longOptions.data(), nullptr)) != -1;) {
    if (id == 1) {
      options.paths.emplace_back(optarg);
    } else if (id == '?' || id == ':') {
      return error = Refusal(argv.data(), optind, optopt, id == ':', words[0]), false;
    } else if (id == 'h') {
      options.command = Command::Help;
      return true;
    } else if (!Takes(options.command, id)) {
      return error = "'" + OptionName(id) + "' is not an option of " + words[0], false;
    } else if (!Apply(id, optarg, options, error)) {
      return false;
    }
  }
  for (int i = optind; i < argc; ++i) options.paths.emplace_back(argv[i]);
  return true;
}

bool CheckThumbnail(Options& options, std::string& error) {
  if (options.paths.size() != 3) return error = "thumbnail takes SIZE IN OUT", false;
  options.size = PositiveNumber(options.paths[0], kMaxPictureSize);
  if (!options.size) return error = "SIZE is a number of pixels from 1 to " + std::to_string(kMaxPictureSize), false;
  options.paths.erase(options.paths.begin());
  return true;
}

bool CheckExtract(const Options& options, const std::string& command, std::string& error) {
  if (options.outputFolder.empty()) return error = command + " needs -o DIR", false;
  if (options.allImages && options.size) return error = "--all and --size cannot be given together", false;
  return true;
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
  if (options.command == Command::Help || options.command == Command::Version) return options;
  if (!ParseOptions(words, options, error)) return std::nullopt;

  bool valid = true;
  switch (options.command) {
    case Command::Help:
    case Command::Version: return options;
    case Command::Thumbnail: valid = CheckThumbnail(options, error); break;
    case Command::Ico:
    case Command::Png: valid = CheckExtract(options, words[0], error); [[fallthrough]];
    case Command::List:
      if (valid && options.paths.empty()) {
        error = words[0] + " needs at least one PATH";
        valid = false;
      }
      break;
  }
  if (!valid) return std::nullopt;
  return options;
}
