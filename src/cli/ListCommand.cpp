#include <cstdio>
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

void PrintJson(const std::string& path, const FileIcons& icons, bool first) {
  std::printf("%s\n  {%s, \"groups\": [", first ? "" : ",", JsonPath(path).c_str());
  for (size_t g = 0; g < icons.groups.size(); ++g) {
    const IconGroup& group = icons.groups[g];
    std::printf("%s\n    {\"name\": %s, \"images\": [", g ? "," : "", JsonGroupName(group.name).c_str());
    for (size_t i = 0; i < group.set->images.size(); ++i) {
      const IconImage& image = group.set->images[i];
      std::printf("%s\n      {\"width\": %u, \"height\": %u, \"bits\": %u, \"format\": \"%s\", \"bytes\": %u}",
                  i ? "," : "", image.width, image.height, image.colorBits, FormatName(image.kind), image.BlockSize());
    }
    std::printf("]}");
  }
  std::printf("]%s}", icons.error.empty() ? "" : (", \"error\": " + JsonString(icons.error)).c_str());
}

// A file without icons is listed only when it was named: a folder walk meets
// many, and a refused file is named on stderr instead.
void PrintText(const std::string& path, const FileIcons& icons, bool named) {
  if (icons.groups.empty() && (!named || !icons.error.empty())) return;
  std::printf("%s\n", path.c_str());
  if (icons.groups.empty()) std::printf("  no icons\n");
  for (const IconGroup& group : icons.groups) {
    const uint32_t count = static_cast<uint32_t>(group.set->images.size());
    std::printf("  %s: %u image%s\n", GroupLabel(group.name).c_str(), count, count == 1 ? "" : "s");
    for (const IconImage& image : group.set->images) {
      std::printf("    %ux%u, %u bits, %s, %u bytes\n", image.width, image.height, image.colorBits,
                  FormatName(image.kind), image.BlockSize());
    }
  }
}

}  // namespace

int RunList(const Options& options) {
  Outcome outcome(Outcome::Progress::UnlessStdoutIsATerminal);
  bool first = true;
  if (options.json) std::printf("[");
  ForEachInput(options.paths, options.recursive, outcome, [&](const std::string& path, bool named) {
    const FileIcons icons = ReadIcons(path);
    if (!icons.error.empty()) outcome.Refused(path, icons.error);
    if (options.json) PrintJson(path, icons, first);
    else PrintText(path, icons, named);
    first = false;
    outcome.FileDone(icons.groups.size());
  });
  if (options.json) std::printf("%s]\n", first ? "" : "\n");
  return outcome.ExitStatus();
}
