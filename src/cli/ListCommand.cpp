#include <cstdio>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "cli/IconFiles.h"
#include "cli/InputWalk.h"
#include "formats/Utf8.h"

namespace {

const char* FormatName(ImageKind kind) {
  switch (kind) {
    case ImageKind::Dib: return "dib";
    case ImageKind::Png: return "png";
    case ImageKind::Unknown: break;
  }
  return "unknown";
}

// JSON is UTF-8: each byte that is not part of a UTF-8 sequence becomes
// U+FFFD, and `replaced` says that happened.
std::string JsonString(const std::string& text, bool* replaced = nullptr) {
  std::string out = "\"";
  for (size_t at = 0; at < text.size();) {
    const size_t start = at;
    const auto c = NextCodePoint(text, at);
    if (!c) {
      out += "\xEF\xBF\xBD";
      if (replaced) *replaced = true;
    } else if (*c == '"' || *c == '\\') {
      out += '\\';
      out += static_cast<char>(*c);
    } else if (*c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(*c));
      out += escaped;
    } else {
      out.append(text, start, at - start);
    }
  }
  return out + "\"";
}

// The path, and for a name that is not UTF-8 also its exact bytes in hex, so
// that a script can still reach the file.
std::string JsonPath(const std::string& path) {
  bool replaced = false;
  std::string json = "\"path\": " + JsonString(path, &replaced);
  if (!replaced) return json;
  json += ", \"path_hex\": \"";
  for (const char c : path) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(c));
    json += hex;
  }
  return json + "\"";
}

std::string JsonGroupName(const std::optional<ResourceName>& name) {
  if (!name) return "null";
  return name->isId ? std::to_string(name->id) : JsonString(name->text);
}

// What a directory entry says when its image's own header says otherwise.
std::optional<ListedSize> Disagreement(const IconImage& image) {
  const ListedSize own{image.width, image.height, image.colorBits};
  if (image.width == 0 || image.listed.width == 0 || image.listed == own) return std::nullopt;
  return image.listed;
}

void PrintJson(const std::string& path, const IconFileRead& read, bool first) {
  std::printf("%s\n  {%s", first ? "" : ",", JsonPath(path).c_str());
  if (read.source != path) std::printf(", \"source\": %s", JsonString(read.source).c_str());
  std::printf(", \"groups\": [");
  for (size_t g = 0; g < read.groups.size(); ++g) {
    const IconGroup& group = read.groups[g];
    std::printf("%s\n    {\"name\": %s, \"images\": [", g ? "," : "", JsonGroupName(group.name).c_str());
    for (size_t i = 0; i < group.set->images.size(); ++i) {
      const IconImage& image = group.set->images[i];
      std::printf("%s\n      {\"width\": %u, \"height\": %u, \"bits\": %u, \"format\": \"%s\", \"bytes\": %u",
                  i ? "," : "", image.width, image.height, image.colorBits, FormatName(image.kind), image.BlockSize());
      if (const auto listed = Disagreement(image))
        std::printf(", \"listed\": {\"width\": %u, \"height\": %u, \"bits\": %u}", listed->width, listed->height,
                    listed->colorBits);
      std::printf("}");
    }
    std::printf("]");
    if (!group.lost.empty()) {
      std::printf(", \"lost\": [");
      for (size_t i = 0; i < group.lost.size(); ++i)
        std::printf("%s%s", i ? ", " : "", JsonString(LostImageText(group.lost[i])).c_str());
      std::printf("]");
    }
    std::printf("}");
  }
  const std::string error = ReadStatusText(read.status, read.detail);
  const bool refused = read.status != ReadStatus::Read && read.status != ReadStatus::NoIcon;
  std::printf("]%s}", refused ? (", \"error\": " + JsonString(error)).c_str() : "");
}

// A file without icons is listed only when it was named: a folder walk meets
// many, and a refused file is named on stderr instead.
void PrintText(const std::string& path, const IconFileRead& read, bool named) {
  if (read.groups.empty() && (!named || read.status != ReadStatus::NoIcon)) return;
  std::printf("%s\n", path.c_str());
  if (read.source != path) std::printf("  contained in %s\n", read.source.c_str());
  if (read.groups.empty()) std::printf("  no icons\n");
  for (const IconGroup& group : read.groups) {
    const uint32_t count = static_cast<uint32_t>(group.set->images.size());
    std::printf("  %s: %u image%s\n", GroupLabel(group.name).c_str(), count, count == 1 ? "" : "s");
    for (const IconImage& image : group.set->images) {
      std::printf("    %ux%u, %u bits, %s, %u bytes", image.width, image.height, image.colorBits,
                  FormatName(image.kind), image.BlockSize());
      if (const auto listed = Disagreement(image))
        std::printf(" (its directory says %ux%u, %u bits)", listed->width, listed->height, listed->colorBits);
      std::printf("\n");
    }
    for (const LostImage& lost : group.lost) std::printf("    %s\n", LostImageText(lost).c_str());
  }
}

}  // namespace

int RunList(const Options& options) {
  Outcome outcome(Outcome::Progress::UnlessStdoutIsATerminal);
  bool first = true;
  if (options.json) std::printf("[");
  ForEachInput(options.paths, options.recursive, outcome, [&](const std::string& path, bool named) {
    const IconFileRead read = ReadIcons(path);
    TellReading(path, read, false, outcome);
    if (options.json) PrintJson(path, read, first);
    else PrintText(path, read, named);
    first = false;
    outcome.FileDone(read.groups.size());
  });
  if (options.json) std::printf("%s]\n", first ? "" : "\n");
  return outcome.ExitStatus();
}
