#include "formats/Companion.h"

#include "formats/FileHandle.h"
#include "formats/FileTypes.h"

#ifndef _WIN32
#include <filesystem>
#include <system_error>
#endif

namespace {

#ifdef _WIN32
constexpr const char* kSeparators = "\\/";
constexpr char kSeparator = '\\';
#else
constexpr const char* kSeparators = "/";
constexpr char kSeparator = '/';
#endif

// The entry of `folder` named `name` without regard to ASCII case, or empty.
std::string EntryIgnoringCase(const std::string& folder, const std::string& name) {
#ifdef _WIN32
  return folder + kSeparator + name;  // the file system ignores case itself
#else
  std::error_code error;
  const std::string wanted = AsciiLowercase(name);
  for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
       it.increment(error)) {
    if (AsciiLowercase(it->path().filename().string()) == wanted) return it->path().string();
  }
  return std::string();
#endif
}

// <windows>/SystemResources/<name> when it can be read, or empty.
std::string CompanionIn(const std::string& windows, const std::string& name) {
  const std::string resources = EntryIgnoringCase(windows, "SystemResources");
  const std::string companion = resources.empty() ? std::string() : EntryIgnoringCase(resources, name);
  return !companion.empty() && OpenForReading(companion) ? companion : std::string();
}

}  // namespace

std::string FindCompanion(const std::string& modulePath, const std::string& windowsFolder) {
  const size_t nameStart = modulePath.find_last_of(kSeparators);
  const std::string name = (nameStart == std::string::npos ? modulePath : modulePath.substr(nameStart + 1)) + ".mun";
  if (nameStart != std::string::npos && nameStart > 0) {
    const std::string folder = modulePath.substr(0, nameStart);
    const size_t folderStart = folder.find_last_of(kSeparators);
    const std::string folderName = AsciiLowercase(folderStart == std::string::npos ? folder : folder.substr(folderStart + 1));
    if (folderName == "system32" || folderName == "syswow64") {
      const std::string windows =
          folderStart == std::string::npos ? std::string() : folder.substr(0, folderStart == 0 ? 1 : folderStart);
      const std::string companion = CompanionIn(windows, name);
      if (!companion.empty()) return companion;
    }
  }
  if (windowsFolder.empty()) return std::string();
  std::string windows = windowsFolder;
  if (windows.size() > 1 && windows.find_last_of(kSeparators) == windows.size() - 1) windows.pop_back();
  return CompanionIn(windows, name);
}
