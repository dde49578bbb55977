#include "cli/IconFiles.h"

#include "cli/Paths.h"

std::string GroupName(const ResourceName& name) { return name.isId ? std::to_string(name.id) : name.text; }

std::string GroupLabel(const std::optional<ResourceName>& name) { return name ? "icon group " + GroupName(*name) : "icon"; }

IconFileRead ReadIcons(const std::string& path, size_t maxGroups) {
  return ReadIconFile(path, SystemWindowsFolder(), maxGroups);
}

void TellReading(const std::string& path, const IconFileRead& read, bool noIconRefused, Outcome& outcome) {
  if (read.status != ReadStatus::Read && (read.status != ReadStatus::NoIcon || noIconRefused))
    outcome.Refused(path, ReadStatusText(read.status, read.detail));
  // Images past the end of a file cut short are told by the cut itself.
  for (const IconGroup& group : read.groups)
    for (const LostImage& lost : group.lost)
      if (lost.reason != LossReason::PastEnd) outcome.Refused(path, GroupLabel(group.name) + ": " + LostImageText(lost));
}
