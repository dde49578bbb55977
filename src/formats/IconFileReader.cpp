#include "formats/IconFileReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <tuple>

#include "formats/BlockFileSource.h"
#include "formats/ByteReader.h"
#include "formats/Companion.h"
#include "formats/FileTypes.h"
#include "formats/ResourceNameMatch.h"

namespace {

constexpr uint64_t kIcoHeaderBytes = 6;
constexpr uint64_t kIcoEntryBytes = 16;
constexpr uint64_t kGroupHeaderBytes = 6;
constexpr uint64_t kGroupEntryBytes = 14;

// 0 stands for 256; a depth of 0 is told by the colour count.
ListedSize Listed(const ByteReader& entry) {
  const uint32_t width = entry.U8(0).value_or(0);
  const uint32_t height = entry.U8(1).value_or(0);
  const uint32_t colours = entry.U8(2).value_or(0);
  const uint32_t bits = entry.U16(6).value_or(0);
  return {width ? width : 256u, height ? height : 256u, bits ? bits : colours == 2 ? 1u : colours == 16 ? 4u : 8u};
}

IconImage ImageOf(std::vector<uint8_t> bytes, const ListedSize& listed) {
  IconImage image = ImageOfBlock(std::make_shared<const std::vector<uint8_t>>(std::move(bytes)));
  image.listed = listed;
  return image;
}

}  // namespace

struct IconFileReader::IcoEntry {
  ListedSize listed;
  uint32_t size = 0;
  uint32_t offset = 0;
};

IconFileReader::IconFileReader(const std::string& path, const std::string& windowsFolder) : m_source(path) {
  try {
    Open(path, windowsFolder);
  } catch (const std::bad_alloc&) {
    Fail(ReadStatus::OutOfMemory);
  }
}

IconFileReader::~IconFileReader() = default;

void IconFileReader::Fail(ReadStatus status, std::string detail) {
  m_status = status;
  m_detail = std::move(detail);
  m_groups.clear();
}

void IconFileReader::NoteDamage(const std::string& detail) {
  if (m_status != ReadStatus::Read && m_status != ReadStatus::NoIcon) return;
  m_status = ReadStatus::Damaged;
  m_detail = detail;
}

void IconFileReader::NoteModuleDamage() {
  if (m_module && !m_module->Damage().empty()) NoteDamage(m_module->Damage());
}

void IconFileReader::Open(const std::string& path, const std::string& windowsFolder) {
  errno = 0;
  std::unique_ptr<ByteSource> source = BlockFileSource::Open(path);
  if (!source) return Fail(ReadStatus::CannotOpen, std::strerror(errno ? errno : EIO));
  uint8_t magic[4] = {};
  if (source->Size() >= sizeof magic && !source->ReadAt(0, magic, sizeof magic))
    return Fail(ReadStatus::CannotOpen, std::strerror(errno ? errno : EIO));
  if (source->Size() >= 2 && magic[0] == 'M' && magic[1] == 'Z') return OpenModule(std::move(source), windowsFolder);
  if (source->Size() >= sizeof magic && magic[0] == 0 && magic[1] == 0 && magic[2] == 1 && magic[3] == 0)
    return OpenIco(std::move(source));
  Fail(ReadStatus::NotIconFile);
}

void IconFileReader::OpenModule(std::unique_ptr<ByteSource> source, const std::string& windowsFolder) {
  std::string damage;
  m_module = ModuleResources::Open(std::move(source), &damage);
  if (!m_module) return Fail(damage.empty() ? ReadStatus::NotIconFile : ReadStatus::Damaged, damage);
  std::vector<ResourceName> names = m_module->EnumNames(kResourceGroupIcon);
  NoteModuleDamage();
  if (names.empty() && m_status == ReadStatus::Read && LowercaseExtension(m_source) != "mun") {
    // The icons are listed, and later saved, from where they really are.
    const std::string companion = FindCompanion(m_source, windowsFolder);
    auto module = companion.empty() ? nullptr : ModuleResources::Open(BlockFileSource::Open(companion));
    if (module) {
      m_module = std::move(module);
      m_source = companion;
      names = m_module->EnumNames(kResourceGroupIcon);
      NoteModuleDamage();
    }
  }
  for (ResourceName& name : names) m_groups.emplace_back(std::move(name));
  if (m_groups.empty() && m_status == ReadStatus::Read) m_status = ReadStatus::NoIcon;
}

void IconFileReader::OpenIco(std::unique_ptr<ByteSource> source) {
  std::vector<uint8_t> header;
  if (!source->ReadInto(0, kIcoHeaderBytes, header)) return Fail(ReadStatus::Damaged, CutShortText(source->Size(), 0));
  const uint64_t count = ByteReader(header.data(), header.size()).U16(4).value_or(0);
  const uint64_t directoryEnd = kIcoHeaderBytes + count * kIcoEntryBytes;
  std::vector<uint8_t> directory;
  if (!source->ReadInto(kIcoHeaderBytes, count * kIcoEntryBytes, directory))
    return Fail(ReadStatus::Damaged, CutShortText(source->Size(), directoryEnd));
  const ByteReader entries(directory.data(), directory.size());
  for (uint64_t i = 0; i < count; ++i) {
    const auto entry = entries.Slice(i * kIcoEntryBytes, kIcoEntryBytes);
    m_icoEntries.push_back({Listed(*entry), entry->U32(8).value_or(0), entry->U32(12).value_or(0)});
  }
  m_ico = std::move(source);
  if (count == 0) m_status = ReadStatus::NoIcon;
  else m_groups.emplace_back(std::nullopt);
}

std::optional<IconGroup> IconFileReader::ReadGroup(size_t index) {
  if (index >= m_groups.size()) return std::nullopt;
  try {
    if (m_ico) return ReadIcoGroup();
    return ReadModuleGroup(*m_groups[index]);
  } catch (const std::bad_alloc&) {
    m_status = ReadStatus::OutOfMemory;
    m_detail.clear();
    return std::nullopt;
  }
}

std::optional<IconGroup> IconFileReader::ReadGroup(const std::optional<ResourceName>& name) {
  for (size_t i = 0; i < m_groups.size(); ++i) {
    const bool matches = name && m_groups[i] ? ResourceNameMatches(*name, *m_groups[i]) : !name && !m_groups[i];
    if (matches) return ReadGroup(i);
  }
  return std::nullopt;
}

IconGroup IconFileReader::ReadIcoGroup() {
  IconGroup group{std::nullopt, std::make_unique<IconImageSet>(), {}};
  group.set->icoPath = m_source;
  const uint64_t fileSize = m_ico->Size();
  // Entries naming the same bytes share one copy. Distinct blocks together may
  // not claim more than the file holds, so overlapping entries cannot
  // multiply the memory taken.
  std::vector<uint32_t> order(m_icoEntries.size());
  for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    return std::tie(m_icoEntries[a].offset, m_icoEntries[a].size, a) <
           std::tie(m_icoEntries[b].offset, m_icoEntries[b].size, b);
  });
  std::vector<std::optional<IconImage>> images(m_icoEntries.size());
  uint64_t distinctBytes = 0;
  uint64_t claimed = 0;
  const IcoEntry* previous = nullptr;
  ImageBlock block;
  for (const uint32_t i : order) {
    const IcoEntry& entry = m_icoEntries[i];
    const bool same = previous && previous->offset == entry.offset && previous->size == entry.size;
    if (!m_ico->Has(entry.offset, entry.size)) {
      claimed = std::max(claimed, uint64_t{entry.offset} + entry.size);
      group.lost.push_back({i, 0, LossReason::PastEnd});
      continue;
    }
    if (!same) {
      distinctBytes += entry.size;
      std::vector<uint8_t> bytes;
      block = nullptr;
      if (distinctBytes <= fileSize && m_ico->ReadInto(entry.offset, entry.size, bytes))
        block = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
      previous = &entry;
    }
    if (!block) {
      group.lost.push_back({i, 0, LossReason::Refused});
      continue;
    }
    images[i] = ImageOfBlock(block);
    images[i]->listed = entry.listed;
  }
  for (auto& image : images)
    if (image) group.set->images.push_back(std::move(*image));
  std::sort(group.lost.begin(), group.lost.end(), [](const LostImage& a, const LostImage& b) { return a.entry < b.entry; });
  if (claimed > fileSize) NoteDamage(CutShortText(fileSize, claimed));
  return group;
}

std::optional<IconGroup> IconFileReader::ReadModuleGroup(const ResourceName& name) {
  std::vector<uint8_t> directory;
  const ResourceLookup lookup = m_module->Lookup(kResourceGroupIcon, name, directory);
  NoteModuleDamage();
  const ByteReader reader(directory.data(), directory.size());
  const uint64_t count = reader.U16(4).value_or(0);
  if (lookup == ResourceLookup::Absent || lookup == ResourceLookup::Refused) {
    if (lookup == ResourceLookup::Refused) NoteDamage(kTableMalformed);
    return std::nullopt;
  }
  if (!reader.Has(kGroupHeaderBytes, count * kGroupEntryBytes)) {
    NoteDamage(lookup == ResourceLookup::PastEnd ? m_module->CutShort() : kTableMalformed);
    return std::nullopt;
  }

  IconGroup group{name, std::make_unique<IconImageSet>(), {}};
  group.set->modulePath = m_source;
  // Entries may name one image many times; what the set holds never exceeds the module itself.
  uint64_t copied = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const ByteReader entry = *reader.Slice(kGroupHeaderBytes + i * kGroupEntryBytes, kGroupEntryBytes);
    const uint16_t iconId = entry.U16(12).value_or(0);
    const uint32_t ownLength = entry.U32(8).value_or(0);
    std::vector<uint8_t> bytes;
    ResourceLookup found = m_module->Lookup(kResourceIcon, ResourceName::Id(iconId), bytes);
    // A 16-bit module rounds each length up to its alignment: the image is as
    // long as its directory says, when the resource holds that much.
    if (m_module->RoundsResourceLengths() && found != ResourceLookup::Absent && found != ResourceLookup::Refused &&
        ownLength != 0 && ownLength <= bytes.size()) {
      bytes.resize(ownLength);
      found = ResourceLookup::Found;
    }
    copied += bytes.size();
    if (found == ResourceLookup::Found && copied > m_module->FileSize()) found = ResourceLookup::Refused;
    switch (found) {
      case ResourceLookup::Found:
        group.set->images.push_back(ImageOf(std::move(bytes), Listed(entry)));
        continue;
      case ResourceLookup::PastEnd:
        NoteDamage(m_module->CutShort());
        group.lost.push_back({i, iconId, LossReason::PastEnd});
        continue;
      case ResourceLookup::Absent:
        group.lost.push_back({i, iconId, LossReason::Missing});
        continue;
      case ResourceLookup::Refused:
        group.lost.push_back({i, iconId, LossReason::Refused});
        continue;
    }
  }
  NoteModuleDamage();
  return group;
}

IconFileRead ReadIconFile(const std::string& path, const std::string& windowsFolder, size_t maxGroups) {
  IconFileReader reader(path, windowsFolder);
  IconFileRead read;
  for (size_t i = 0; i < reader.Groups().size() && read.groups.size() < maxGroups; ++i) {
    auto group = reader.ReadGroup(i);
    if (reader.Status() == ReadStatus::OutOfMemory) break;
    if (group) read.groups.push_back(std::move(*group));
  }
  read.status = reader.Status();
  read.detail = reader.Detail();
  read.source = reader.Source();
  return read;
}

std::string ReadStatusText(ReadStatus status, const std::string& detail) {
  switch (status) {
    case ReadStatus::Read: return std::string();
    case ReadStatus::NoIcon: return "holds no icon";
    case ReadStatus::NotIconFile: return "not a module or icon file";
    case ReadStatus::Damaged: return "damaged: " + detail;
    case ReadStatus::CannotOpen: return "cannot be opened: " + detail;
    case ReadStatus::OutOfMemory: break;
  }
  return "could not be read to the end: memory ran out";
}

std::string LostImageText(const LostImage& lost) {
  std::string text = "image " + std::to_string(lost.entry + 1);
  if (lost.iconId != 0) text += " (icon " + std::to_string(lost.iconId) + ")";
  switch (lost.reason) {
    case LossReason::Missing: return text + " is missing";
    case LossReason::PastEnd: return text + " lies past the end of the file";
    case LossReason::Refused: break;
  }
  return text + " cannot be read";
}
