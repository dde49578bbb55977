#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/IconFiles.h"
#include "cli/InputWalk.h"

namespace {

const char* FormatName(ImageKind kind) {
  switch (kind) {
    case ImageKind::Dib: return "dib";
    case ImageKind::Png: return "png";
    case ImageKind::Unknown: break;
  }
  return "unknown";
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonGroupName(const std::optional<ResourceName>& name) {
  if (!name) return "null";
  return name->isId ? std::to_string(name->id) : JsonString(name->text);
}

void PrintJson(const std::string& path, const FileIcons& icons, bool first) {
  std::printf("%s\n  {\"path\": %s, \"groups\": [", first ? "" : ",", JsonString(path).c_str());
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

void PrintText(const std::string& path, const FileIcons& icons) {
  std::printf("%s\n", path.c_str());
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
  ForEachInput(options.paths, options.recursive, outcome, [&](const std::string& path) {
    const FileIcons icons = ReadIcons(path);
    if (!icons.error.empty()) outcome.Refused(path, icons.error);
    if (options.json) PrintJson(path, icons, first);
    else PrintText(path, icons);
    first = false;
    outcome.FileDone(icons.groups.size());
  });
  if (options.json) std::printf("%s]\n", first ? "" : "\n");
  return outcome.ExitStatus();
}
