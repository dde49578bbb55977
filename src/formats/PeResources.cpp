#include "formats/PeResources.h"

#include <algorithm>

#include "formats/ByteReader.h"
#include "formats/ResourceNameMatch.h"
#include "formats/Utf8.h"

namespace {
constexpr uint64_t kSignatureSize = 4;
constexpr uint64_t kCoffHeaderSize = 20;
constexpr uint64_t kSectionHeaderSize = 40;
constexpr uint64_t kDirectoryHeaderSize = 16;
constexpr uint64_t kDirectoryEntrySize = 8;
constexpr uint64_t kDataEntrySize = 16;
constexpr uint32_t kResourceDataDirectory = 2;
constexpr uint32_t kHighBit = 0x80000000u;

// Fields of the COFF header.
constexpr uint64_t kSectionCountField = 2;
constexpr uint64_t kOptionalSizeField = 16;
// The optional header: its magic, then where the data directories' count and
// the directories themselves lie, for PE32 and PE32+.
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr uint64_t kPe32DirectoryCountField = 92;
constexpr uint64_t kPe32PlusDirectoryCountField = 108;
constexpr uint64_t kDataDirectorySize = 8;
// Fields of a section header.
constexpr uint64_t kVirtualSizeField = 8;
constexpr uint64_t kVirtualAddressField = 12;
constexpr uint64_t kRawSizeField = 16;
constexpr uint64_t kRawOffsetField = 20;
// A resource directory counts its named entries, then its numbered ones.
constexpr uint64_t kNamedCountField = 12;
constexpr uint64_t kNumberedCountField = 14;
// A resource data entry: where its bytes are, and how many.
constexpr uint64_t kDataRvaField = 0;
constexpr uint64_t kDataSizeField = 4;

std::string NameText(const ByteReader& units) {
  std::u16string text(units.Size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(units.U16(2 * i).value_or(0xFFFD));
  return Utf16ToUtf8(text);
}

ByteReader ReaderOf(const std::vector<uint8_t>& bytes) { return ByteReader(bytes.data(), bytes.size()); }
}  // namespace

std::unique_ptr<ModuleResources> PeResources::Open(std::unique_ptr<ByteSource> source, uint32_t peOffset,
                                                   std::string& damage) {
  const uint64_t coffOffset = uint64_t{peOffset} + kSignatureSize;
  const auto cut = [&] {
    damage = CutShortText(source->Size(), 0);
    return nullptr;
  };
  std::vector<uint8_t> coffBytes;
  if (!source->ReadInto(coffOffset, kCoffHeaderSize, coffBytes)) return cut();
  const ByteReader coff = ReaderOf(coffBytes);
  const uint16_t sectionCount = coff.U16(kSectionCountField).value_or(0);
  const uint16_t optionalSize = coff.U16(kOptionalSizeField).value_or(0);

  const uint64_t optionalOffset = coffOffset + kCoffHeaderSize;
  std::vector<uint8_t> optionalBytes;
  if (!source->ReadInto(optionalOffset, optionalSize, optionalBytes)) return cut();
  const ByteReader optional = ReaderOf(optionalBytes);
  uint64_t countField = 0;
  const auto magic = optional.U16(0);
  if (magic == kPe32Magic) {
    countField = kPe32DirectoryCountField;
  } else if (magic == kPe32PlusMagic) {
    countField = kPe32PlusDirectoryCountField;
  } else {
    return nullptr;
  }
  // The directories follow their four-byte count.
  const uint64_t directoriesField = countField + 4;
  const auto directoryCount = optional.U32(countField);
  if (!directoryCount) return nullptr;
  uint32_t resourceRva = 0;
  if (*directoryCount > kResourceDataDirectory) {
    resourceRva = optional.U32(directoriesField + kResourceDataDirectory * kDataDirectorySize).value_or(0);
  }

  std::vector<uint8_t> tableBytes;
  if (!source->ReadInto(optionalOffset + optionalSize, sectionCount * kSectionHeaderSize, tableBytes)) return cut();
  const ByteReader table = ReaderOf(tableBytes);
  std::vector<Section> sections(sectionCount);
  for (uint64_t i = 0; i < sectionCount; ++i) {
    const uint64_t header = i * kSectionHeaderSize;
    sections[i].virtualSize = table.U32(header + kVirtualSizeField).value_or(0);
    sections[i].virtualAddress = table.U32(header + kVirtualAddressField).value_or(0);
    sections[i].rawSize = table.U32(header + kRawSizeField).value_or(0);
    sections[i].rawOffset = table.U32(header + kRawOffsetField).value_or(0);
  }
  return std::unique_ptr<ModuleResources>(new PeResources(std::move(source), std::move(sections), resourceRva));
}

PeResources::Span PeResources::Locate(uint64_t rva, uint64_t length, uint64_t& offset) const {
  for (const Section& section : m_sections) {
    const uint64_t span = std::max(section.virtualSize, section.rawSize);
    if (rva < section.virtualAddress || rva - section.virtualAddress >= span) continue;
    // Bytes the section only reserves in memory are not in the file.
    const uint64_t inSection = rva - section.virtualAddress;
    if (inSection > section.rawSize || length > section.rawSize - inSection) return Span::Outside;
    offset = uint64_t{section.rawOffset} + inSection;
    return m_source->Has(offset, length) ? Span::InFile : Span::PastEnd;
  }
  return Span::Outside;
}

uint64_t PeResources::ClaimedSize() const {
  uint64_t claimed = 0;
  for (const Section& section : m_sections) claimed = std::max(claimed, uint64_t{section.rawOffset} + section.rawSize);
  return claimed;
}

PeResources::Span PeResources::ReadRva(uint64_t rva, uint64_t length, std::vector<uint8_t>& out) const {
  uint64_t offset = 0;
  const Span span = Locate(rva, length, offset);
  if (span == Span::PastEnd) NoteDamage(CutShort());
  if (span == Span::Outside) NoteDamage(kTableOutsideFile);
  if (span != Span::InFile) return m_lastFailure = span;
  // A length too large for this process is refused like an outside one.
  return m_source->ReadInto(offset, static_cast<size_t>(length), out) ? Span::InFile : m_lastFailure = Span::Outside;
}

bool PeResources::ReadDirectory(uint32_t offset, std::vector<DirectoryEntry>& out) const {
  const uint64_t rva = uint64_t{m_directoryRva} + offset;
  std::vector<uint8_t> headerBytes;
  if (!ReadTable(rva, kDirectoryHeaderSize, headerBytes)) return false;
  const ByteReader header = ReaderOf(headerBytes);
  const uint64_t count = uint64_t{header.U16(kNamedCountField).value_or(0)} + header.U16(kNumberedCountField).value_or(0);
  // The entries are mapped, and so known to lie in the file, before anything is allocated for them.
  std::vector<uint8_t> entryBytes;
  if (!ReadTable(rva + kDirectoryHeaderSize, count * kDirectoryEntrySize, entryBytes)) return false;
  const ByteReader entries = ReaderOf(entryBytes);
  out.resize(count);
  for (uint64_t i = 0; i < count; ++i) {
    out[i].name = entries.U32(i * kDirectoryEntrySize).value_or(0);
    out[i].offsetToData = entries.U32(i * kDirectoryEntrySize + 4).value_or(0);
  }
  return true;
}

std::optional<std::string> PeResources::ReadName(uint32_t offset) const {
  const uint64_t rva = uint64_t{m_directoryRva} + offset;
  std::vector<uint8_t> lengthBytes;
  if (!ReadTable(rva, 2, lengthBytes)) return std::nullopt;
  const uint64_t length = ReaderOf(lengthBytes).U16(0).value_or(0);
  std::vector<uint8_t> units;
  if (!ReadTable(rva + 2, length * 2, units)) return std::nullopt;
  return NameText(ReaderOf(units));
}

std::optional<uint32_t> PeResources::TypeDirectory(uint16_t type) const {
  if (m_directoryRva == 0) return std::nullopt;
  std::vector<DirectoryEntry> types;
  if (!ReadDirectory(0, types)) return std::nullopt;
  for (const DirectoryEntry& entry : types) {
    if (entry.name != type) continue;
    if (!(entry.offsetToData & kHighBit)) return Malformed(std::nullopt);
    // A loop back to the root is caught a level down: the root holds the entry.
    return entry.offsetToData & ~kHighBit;
  }
  return std::nullopt;
}

bool PeResources::ReadNameLevel(uint16_t type, std::vector<NameEntry>& out) const {
  const auto typeDirectory = TypeDirectory(type);
  if (!typeDirectory) return false;
  std::vector<DirectoryEntry> entries;
  if (!ReadDirectory(*typeDirectory, entries)) return false;
  out.clear();
  out.reserve(entries.size());
  for (const DirectoryEntry& entry : entries) {
    if (!(entry.offsetToData & kHighBit)) return Malformed(false);
    const uint32_t directory = entry.offsetToData & ~kHighBit;
    if (directory == 0 || directory == *typeDirectory) return Malformed(false);  // back to an ancestor: a loop
    const bool isText = (entry.name & kHighBit) != 0;
    if (!isText && entry.name > 0xFFFF) return Malformed(false);
    out.push_back(NameEntry{isText, entry.name & ~kHighBit, directory});
  }
  return true;
}

const std::vector<PeResources::NameEntry>* PeResources::NameLevel(uint16_t type) const {
  auto level = m_nameLevels.find(type);
  if (level == m_nameLevels.end()) {
    std::vector<NameEntry> entries;
    const bool read = ReadNameLevel(type, entries);
    level = m_nameLevels.emplace(type, read ? std::make_optional(std::move(entries)) : std::nullopt).first;
  }
  return level->second ? &*level->second : nullptr;
}

std::vector<ResourceName> PeResources::ReadNames(uint16_t type) const {
  const std::vector<NameEntry>* entries = NameLevel(type);
  if (!entries) return {};
  std::vector<ResourceName> names;
  names.reserve(entries->size());
  for (const NameEntry& entry : *entries) {
    if (!entry.isText) {
      names.push_back(ResourceName::Id(static_cast<uint16_t>(entry.idOrOffset)));
      continue;
    }
    auto text = ReadName(entry.idOrOffset);
    if (!text) return {};
    names.push_back(ResourceName::Text(std::move(*text)));
  }
  return names;
}

ResourceLookup PeResources::ReadResource(uint16_t type, const ResourceName& name, std::vector<uint8_t>& out) const {
  const std::vector<NameEntry>* entries = NameLevel(type);
  if (!entries) return Damage().empty() ? ResourceLookup::Absent : ResourceLookup::Refused;
  // Only the names that can match are decoded: lookups by id read no strings.
  const auto matches = [&](const NameEntry& entry) {
    if (!entry.isText) return ResourceNameMatches(name, ResourceName::Id(static_cast<uint16_t>(entry.idOrOffset)));
    if (name.isId) return false;
    const auto text = ReadName(entry.idOrOffset);
    return text && ResourceNameMatches(name, ResourceName::Text(*text));
  };
  const auto found = std::find_if(entries->begin(), entries->end(), matches);
  if (found == entries->end()) return ResourceLookup::Absent;

  std::vector<DirectoryEntry> languages;
  if (!ReadDirectory(found->directory, languages)) return Failed();
  if (languages.empty()) return ResourceLookup::Absent;
  const uint32_t dataEntry = languages.front().offsetToData;
  if (dataEntry & kHighBit) return Malformed(ResourceLookup::Refused);  // a directory where the data entry belongs
  std::vector<uint8_t> entryBytes;
  if (!ReadTable(uint64_t{m_directoryRva} + dataEntry, kDataEntrySize, entryBytes)) return Failed();
  const ByteReader entry = ReaderOf(entryBytes);
  const uint32_t length = entry.U32(kDataSizeField).value_or(0);
  if (length > kMaxResourceBytes) return ResourceLookup::Refused;
  switch (ReadRva(entry.U32(kDataRvaField).value_or(0), length, out)) {
    case Span::InFile: return ResourceLookup::Found;
    case Span::PastEnd: return ResourceLookup::PastEnd;
    case Span::Outside: break;
  }
  return ResourceLookup::Refused;
}
