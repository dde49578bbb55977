#include "save/SaveFailures.h"

#include <windows.h>

#include <cstring>

namespace {

// More would make the message taller than the screen.
constexpr size_t kNamedFailures = 6;

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Described(const SaveSource& source) {
  if (!source.group) return source.path;
  const ResourceName& group = *source.group;
  return source.path + ", icon " + (group.isId ? std::to_string(group.id) : "\"" + group.text + "\"");
}

}  // namespace

std::string WriteFailureReason(const std::string& target, int error) {
  const DWORD attributes = ::GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return "a folder of that name is in the way";
  if (error != 0) return std::strerror(error);
  return "its images cannot be written as this type";
}

std::string SaveFailureMessage(const std::vector<SaveFailure>& failures, int ticked) {
  std::string message = std::to_string(failures.size()) + " of the " + std::to_string(ticked) +
                        (ticked == 1 ? " ticked icon" : " ticked icons") + (failures.size() == 1 ? " was" : " were") +
                        " not saved:";
  for (size_t i = 0; i < failures.size() && i < kNamedFailures; ++i) {
    const SaveFailure& failure = failures[i];
    message += "\n\n";
    if (!failure.fileName.empty()) message += FileNameOf(failure.fileName) + " (from " + Described(failure.source) + ")";
    else message += Described(failure.source);
    message += ": " + failure.reason;
  }
  if (failures.size() > kNamedFailures)
    message += "\n\n...and " + std::to_string(failures.size() - kNamedFailures) + " more.";
  message += "\n\nThey still count as unsaved.";
  return message;
}
