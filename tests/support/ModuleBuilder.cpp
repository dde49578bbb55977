#include "support/ModuleBuilder.h"

#include <algorithm>

#include "support/IconBuilder.h"
#include "support/TestFiles.h"

namespace {

constexpr uint32_t kResourceRva = 0x2000;
constexpr size_t kFileAlignment = 0x200;
constexpr size_t kSectionAlignment = 0x1000;
constexpr uint32_t kDirectoryFlag = 0x80000000u;

size_t AlignUp(size_t value, size_t alignment) { return (value + alignment - 1) / alignment * alignment; }

// The distinct types in first-listed order.
std::vector<uint16_t> TypesOf(const std::vector<BuiltResource>& resources) {
  std::vector<uint16_t> types;
  for (const BuiltResource& resource : resources) {
    if (std::find(types.begin(), types.end(), resource.type) == types.end()) types.push_back(resource.type);
  }
  return types;
}

// A module of `size` bytes with its new header's signature at `header`.
Bytes StartModule(size_t size, size_t header, const char (&signature)[3]) {
  Bytes out(size);
  std::copy_n("MZ", 2, out.begin());
  PutU32At(out, 0x3C, header);
  std::copy_n(signature, 2, out.begin() + header);
  return out;
}

// A directory of `count` entries, the first `named` of them named by text; gives
// where it starts.
size_t AppendDirectory(Bytes& out, size_t named, size_t count) {
  const size_t start = AlignUp(out.size(), 4);
  out.resize(start + 16 + 8 * count);
  PutU16At(out, start + 12, named);
  PutU16At(out, start + 14, count - named);
  return start;
}

// The resource directory of a section loaded at kResourceRva; each directory,
// name and data entry follows the entry that points to it.
Bytes BuildResourceSection(const std::vector<BuiltResource>& resources) {
  const std::vector<uint16_t> types = TypesOf(resources);
  Bytes out;
  const size_t root = AppendDirectory(out, 0, types.size());
  for (size_t t = 0; t < types.size(); ++t) {
    std::vector<ResourceName> names;
    for (const BuiltResource& resource : resources) {
      if (resource.type == types[t] && std::find(names.begin(), names.end(), resource.name) == names.end())
        names.push_back(resource.name);
    }
    // Text names first, as the system looks them up.
    const auto ids = std::stable_partition(names.begin(), names.end(), [](const ResourceName& n) { return !n.isId; });
    const size_t nameDirectory = AppendDirectory(out, ids - names.begin(), names.size());
    PutU32At(out, root + 16 + 8 * t, types[t]);
    PutU32At(out, root + 16 + 8 * t + 4, kDirectoryFlag | nameDirectory);
    for (size_t n = 0; n < names.size(); ++n) {
      const size_t nameEntry = nameDirectory + 16 + 8 * n;
      PutU32At(out, nameEntry, names[n].isId ? names[n].id : kDirectoryFlag | out.size());
      if (!names[n].isId) {
        AppendU16(out, names[n].text.size());
        for (const char c : names[n].text) AppendU16(out, static_cast<uint8_t>(c));
      }
      std::vector<const BuiltResource*> languages;
      for (const BuiltResource& resource : resources) {
        if (resource.type == types[t] && resource.name == names[n]) languages.push_back(&resource);
      }
      const size_t languageDirectory = AppendDirectory(out, 0, languages.size());
      PutU32At(out, nameEntry + 4, kDirectoryFlag | languageDirectory);
      for (size_t l = 0; l < languages.size(); ++l) {
        const size_t dataEntry = out.size();
        out.resize(dataEntry + 16);
        PutU32At(out, languageDirectory + 16 + 8 * l, languages[l]->language);
        PutU32At(out, languageDirectory + 16 + 8 * l + 4, dataEntry);
        PutU32At(out, dataEntry, kResourceRva + out.size());
        PutU32At(out, dataEntry + 4, languages[l]->data.size());
        out.insert(out.end(), languages[l]->data.begin(), languages[l]->data.end());
        out.resize(AlignUp(out.size(), 4));
      }
    }
  }
  return out;
}

}  // namespace

std::vector<uint8_t> BuildPeModule(const std::vector<BuiltResource>& resources, bool pe32plus) {
  const Bytes section = BuildResourceSection(resources);
  const size_t pe = 0x40, optional = pe + 24, optionalSize = pe32plus ? 240 : 224;
  Bytes out = StartModule(kFileAlignment + AlignUp(section.size(), kFileAlignment), pe, "PE");
  PutU16At(out, pe + 6, 2);
  PutU16At(out, pe + 20, optionalSize);
  PutU16At(out, optional, pe32plus ? 0x20B : 0x10B);
  const size_t directories = optional + (pe32plus ? 112 : 96);
  PutU32At(out, directories - 4, 16);
  PutU32At(out, directories + 2 * 8, kResourceRva);
  PutU32At(out, directories + 2 * 8 + 4, section.size());

  // Code and data come first in a linked module, so a reader must look past
  // the first section; this one takes memory only.
  const size_t bss = optional + optionalSize, rsrc = bss + 40;
  std::copy_n(".bss", 4, out.begin() + bss);
  PutU32At(out, bss + 8, kResourceRva - kSectionAlignment);
  PutU32At(out, bss + 12, kSectionAlignment);
  std::copy_n(".rsrc", 5, out.begin() + rsrc);
  PutU32At(out, rsrc + 8, section.size());
  PutU32At(out, rsrc + 12, kResourceRva);
  PutU32At(out, rsrc + 16, out.size() - kFileAlignment);
  PutU32At(out, rsrc + 20, kFileAlignment);
  std::copy(section.begin(), section.end(), out.begin() + kFileAlignment);
  return out;
}

std::vector<uint8_t> BuildNeModule(const std::vector<BuiltResource>& resources, uint16_t alignShift) {
  const std::vector<uint16_t> types = TypesOf(resources);
  const size_t ne = 0x40, table = ne + 0x40;  // the resource table right after the NE header
  Bytes out = StartModule(table + 2 + 8 * types.size() + 12 * resources.size() + 2, ne, "NE");
  PutU16At(out, ne + 0x24, table - ne);
  PutU16At(out, table, alignShift);
  std::vector<std::pair<size_t, const BuiltResource*>> placed;  // where each resource's record is
  size_t record = table + 2;
  for (const uint16_t type : types) {
    const size_t typeRecord = record;
    record += 8;
    for (const BuiltResource& resource : resources) {
      if (resource.type != type) continue;
      PutU16At(out, record + 6, 0x8000u | resource.name.id);
      if (!resource.name.isId) {
        PutU16At(out, record + 6, out.size() - table);
        out.push_back(static_cast<uint8_t>(resource.name.text.size()));
        out.insert(out.end(), resource.name.text.begin(), resource.name.text.end());
      }
      placed.emplace_back(record, &resource);
      record += 12;
    }
    PutU16At(out, typeRecord, 0x8000u | type);
    PutU16At(out, typeRecord + 2, (record - typeRecord - 8) / 12);
  }
  out.push_back(0);  // names' terminator; the resident-name table that follows bounds this one
  PutU16At(out, ne + 0x26, out.size() - ne);
  const size_t alignment = size_t{1} << alignShift;
  for (const auto& [at, resource] : placed) {
    const size_t start = AlignUp(out.size(), alignment);
    out.resize(start + AlignUp(resource->data.size(), alignment));
    PutU16At(out, at, start >> alignShift);
    PutU16At(out, at + 2, (out.size() - start) >> alignShift);
    std::copy(resource->data.begin(), resource->data.end(), out.begin() + start);
  }
  return out;
}

std::vector<BuiltResource> GroupWithAMissingImage() {
  std::vector<BuiltResource> resources;
  std::vector<Bytes> blocks;
  std::vector<uint16_t> ids;
  for (uint16_t i = 1; i <= 10; ++i) {
    blocks.push_back(MakeDibBlock(16 + i, 16 + i, 8, 0, static_cast<uint8_t>(i)));
    ids.push_back(i == 4 ? 99 : i);
    if (i != 4) resources.push_back({kResourceIcon, ResourceName::Id(i), 0x409, blocks.back()});
  }
  resources.push_back({kResourceGroupIcon, ResourceName::Id(5), 0x409, BuildGroupIcon(blocks, ids)});
  return resources;
}

Bytes TwoImagePe() {
  const Bytes small = MakeDibBlock(32, 32, 4, 0, 1);
  const Bytes large = MakeDibBlock(256, 256, 32, 0, 2);
  return BuildPeModule({{kResourceGroupIcon, ResourceName::Id(1), 0x409, BuildGroupIcon({small, large}, {1, 2})},
                        {kResourceIcon, ResourceName::Id(1), 0x409, small},
                        {kResourceIcon, ResourceName::Id(2), 0x409, large}});
}

std::vector<uint8_t> BuildProgramModule(int groups, int firstSeed,
                                        const std::function<std::vector<uint8_t>(uint8_t seed)>& more) {
  std::vector<BuiltResource> resources;
  uint16_t imageId = 0;
  for (int group = 1; group <= groups; ++group) {
    const auto seed = static_cast<uint8_t>(firstSeed + group);
    std::vector<std::vector<uint8_t>> images = {MakeDibBlock(16, 16, 8, 0, seed), MakeDibBlock(32, 32, 32, 0, seed),
                                                MakeDibBlock(48, 48, 32, 0, seed)};
    if (more) images.push_back(more(seed));
    std::vector<uint16_t> ids;
    for (const auto& image : images) {
      ids.push_back(++imageId);
      resources.push_back({kResourceIcon, ResourceName::Id(imageId), 0x409, image});
    }
    resources.push_back(
        {kResourceGroupIcon, ResourceName::Id(static_cast<uint16_t>(group)), 0x409, BuildGroupIcon(images, ids)});
  }
  return BuildPeModule(resources);
}
