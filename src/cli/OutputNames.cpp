#include "cli/OutputNames.h"

#include <filesystem>
#include <system_error>

#include "cli/IconFiles.h"

namespace fs = std::filesystem;

namespace {

// Far more than any folder holds of one name; a bound, so the search ends.
constexpr int kMaxNumber = 100000;

std::string Sanitised(std::string name) {
  for (char& c : name)
    if (static_cast<unsigned char>(c) < 0x20 || std::string("/\\:*?\"<>|").find(c) != std::string::npos) c = '_';
  return name;
}

bool Taken(const fs::path& path) {
  std::error_code error;
  // A dangling link is taken too: writing through it would create its target.
  const fs::file_status status = fs::symlink_status(path, error);
  return status.type() != fs::file_type::not_found;
}

}  // namespace

std::string OutputBase(const std::string& inputPath, const std::optional<ResourceName>& group) {
  const fs::path input(inputPath);
  if (!group) return Sanitised(input.stem().string());
  return Sanitised(input.filename().string() + "-" + GroupName(*group));
}

std::optional<std::string> FreeOutputPath(const std::string& folder, const std::string& base,
                                          const std::string& extension) {
  for (int number = 0; number <= kMaxNumber; ++number) {
    const std::string name = base + (number == 0 ? "" : "-" + std::to_string(number)) + extension;
    const fs::path path = fs::path(folder) / name;
    if (!Taken(path)) return path.string();
  }
  return std::nullopt;
}
