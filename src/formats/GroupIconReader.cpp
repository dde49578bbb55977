#include <new>

#include "formats/ByteReader.h"
#include "formats/IconFileIO.h"

namespace {

constexpr uint32_t kGroupHeaderBytes = 6;
constexpr uint32_t kGroupEntryBytes = 14;
constexpr uint32_t kGroupEntryIconId = 12;

IconImageSetPtr ReadGroup(const ModuleResources& module, const ResourceName& group, const std::string& modulePath) {
  const auto groupBytes = module.Find(kResourceGroupIcon, group);
  if (!groupBytes) return nullptr;
  const ByteReader reader(groupBytes->data(), groupBytes->size());
  const auto count = reader.U16(4);
  if (!count || !reader.Has(kGroupHeaderBytes, static_cast<uint64_t>(*count) * kGroupEntryBytes)) return nullptr;

  auto set = std::make_unique<IconImageSet>();
  set->modulePath = modulePath;
  // Entries may name one image many times; what the set holds never exceeds the module itself.
  uint64_t copied = 0;
  for (uint32_t i = 0; i < *count; ++i) {
    const uint16_t iconId = *reader.U16(kGroupHeaderBytes + i * kGroupEntryBytes + kGroupEntryIconId);
    auto iconBytes = module.Find(kResourceIcon, ResourceName::Id(iconId));
    if (!iconBytes) return nullptr;
    copied += iconBytes->size();
    if (copied > module.FileSize()) return nullptr;
    set->images.push_back(ImageOfBlock(std::make_shared<const std::vector<uint8_t>>(std::move(*iconBytes))));
    set->images.back().listedWidth = *reader.U8(kGroupHeaderBytes + i * kGroupEntryBytes);
    set->images.back().listedHeight = *reader.U8(kGroupHeaderBytes + i * kGroupEntryBytes + 1);
  }
  return set;
}

}  // namespace

IconImageSetPtr IconFileIO::LoadGroupIcon(const std::string& modulePath, const char* groupName) const {
  ResourceName group;
  if (!NameFromPointer(groupName, group)) return nullptr;
  const auto module = ModuleResources::OpenFile(modulePath);
  if (!module) return nullptr;
  return LoadGroupIcon(*module, group, modulePath);
}

IconImageSetPtr IconFileIO::LoadGroupIcon(const ModuleResources& module, const ResourceName& group,
                                          const std::string& modulePath) const {
  try {
    return ReadGroup(module, group, modulePath);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
