#include "cli/GroupOutputs.h"

#include "cli/ImageChoice.h"
#include "formats/IconFileIO.h"
#include "formats/ImagePick.h"

namespace {

std::string Shape(const IconImage& image) {
  return std::to_string(image.width) + "x" + std::to_string(image.height) + "-" + std::to_string(image.colorBits);
}

// Each image decoded alone, so that no more than one image's pixels are held.
std::vector<GroupOutput> EveryImage(const std::string& input, const IconGroup& group, const std::string& base,
                                    Outcome& outcome) {
  std::vector<GroupOutput> outputs;
  const IconImageSet& set = *group.set;
  for (uint32_t index = 0; index < set.images.size(); ++index) {
    ImageDecoder decoder(set);
    const auto picked = decoder.First({index});
    const IconImage& image = set.images[index];
    std::vector<uint8_t> png;
    if (picked) png = PngOfPicked(image, *picked->pixels);
    if (png.empty())
      outcome.Refused(input, GroupLabel(group.name) + ": its image " + Shape(image) + " cannot be converted to PNG");
    else
      outputs.push_back({base + "-" + Shape(image), ".png", std::move(png)});
  }
  return outputs;
}

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

}  // namespace

std::vector<GroupOutput> OutputsOfGroup(const Options& options, const std::string& input, const IconGroup& group,
                                        const std::string& base, Outcome& outcome) {
  if (options.command == Command::Ico) {
    auto ico = IconFileIO::IcoBytes(*group.set);
    if (!ico) outcome.Refused(input, GroupLabel(group.name) + ": out of memory");
    if (!ico) return {};
    return {{base, ".ico", std::move(*ico)}};
  }
  if (options.allImages) return EveryImage(input, group, base, outcome);
  // The image and conversion of the program's own PNG save, unless a size is asked for.
  auto png = GroupPng(*group.set, options.size);
  if (!png) outcome.Refused(input, GroupLabel(group.name) + ": its image cannot be converted to PNG");
  if (!png) return {};
  return {{base, ".png", std::move(*png)}};
}

bool GroupSelection::Takes(const std::optional<ResourceName>& group) {
  if (m_names.empty()) return true;
  bool taken = false;
  for (size_t i = 0; group && i < m_names.size(); ++i) {
    if (!SameIgnoringAsciiCase(m_names[i], GroupName(*group))) continue;
    m_found[i] = true;
    taken = true;
  }
  return taken;
}

void GroupSelection::ReportUnfound(Outcome& outcome) const {
  for (size_t i = 0; i < m_names.size(); ++i)
    if (!m_found[i]) outcome.Refused("-n " + m_names[i], "no icon group of that name or number was found");
}
