#pragma once
// The files one icon group gives to ico and png: its .ico file, its chosen
// image as PNG, or with png --all every image as PNG.

#include <cstdint>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/IconFiles.h"
#include "cli/Outcome.h"

struct GroupOutput {
  std::string base;       // the name below DIR, without its extension
  std::string extension;  // ".ico" or ".png"
  std::vector<uint8_t> bytes;
};

// `base` names the group's file; with --all each image adds "-WxH-BITS". An
// image or group that cannot be converted is refused on `outcome`, the others
// are still given.
std::vector<GroupOutput> OutputsOfGroup(const Options& options, const std::string& input, const IconGroup& group,
                                        const std::string& base, Outcome& outcome);

// -n: whether a group is one of the names asked for (a number, or a text
// name without regard to ASCII case); every group when none is asked for. An
// .ico file's icon has no name, so a name never takes it.
class GroupSelection {
 public:
  explicit GroupSelection(std::vector<std::string> names) : m_names(std::move(names)), m_found(m_names.size()) {}
  bool Takes(const std::optional<ResourceName>& group);
  // Each name that took no group, refused on `outcome`.
  void ReportUnfound(Outcome& outcome) const;

 private:
  std::vector<std::string> m_names;
  std::vector<bool> m_found;
};
