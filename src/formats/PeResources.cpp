#include "formats/PeResources.h"

#include <algorithm>

#include "formats/ByteReader.h"
#include "formats/ResourceNameMatch.h"

namespace {
constexpr uint64_t kSignatureSize = 4;
constexpr uint64_t kCoffHeaderSize = 20;
constexpr uint64_t kSectionHeaderSize = 40;
constexpr uint64_t kDirectoryHeaderSize = 16;
constexpr uint64_t kDirectoryEntrySize = 8;
constexpr uint64_t kDataEntrySize = 16;
constexpr uint32_t kResourceDataDirectory = 2;
constexpr uint32_t kHighBit = 0x80000000u;

void AppendUtf8(uint32_t codePoint, std::string& out) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Unpaired surrogates become U+FFFD so that every name is valid UTF-8.
std::string Utf8FromUtf16(const ByteReader& units) {
  std::string out;
  const size_t count = units.Size() / 2;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t unit = units.U16(2 * i).value_or(0xFFFD);
    if (IsHighSurrogate(unit) && i + 1 < count) {
      const uint32_t next = units.U16(2 * (i + 1)).value_or(0);
      if (IsLowSurrogate(next)) {
        AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), out);
        ++i;
        continue;
      }
    }
    AppendUtf8(IsHighSurrogate(unit) || IsLowSurrogate(unit) ? 0xFFFD : unit, out);
  }
  return out;
}

ByteReader ReaderOf(const std::vector<uint8_t>& bytes) { return ByteReader(bytes.data(), bytes.size()); }
}  // namespace

std::unique_ptr<ModuleResources> PeResources::Open(std::unique_ptr<ByteSource> source, uint32_t peOffset) {
  const uint64_t coffOffset = uint64_t{peOffset} + kSignatureSize;
  std::vector<uint8_t> coffBytes;
  if (!source->ReadInto(coffOffset, kCoffHeaderSize, coffBytes)) return nullptr;
  const ByteReader coff = ReaderOf(coffBytes);
  const uint16_t sectionCount = coff.U16(2).value_or(0);
  const uint16_t optionalSize = coff.U16(16).value_or(0);

  const uint64_t optionalOffset = coffOffset + kCoffHeaderSize;
  std::vector<uint8_t> optionalBytes;
  if (!source->ReadInto(optionalOffset, optionalSize, optionalBytes)) return nullptr;
  const ByteReader optional = ReaderOf(optionalBytes);
  uint64_t countField = 0;
  uint64_t directoriesField = 0;
  const auto magic = optional.U16(0);
  if (magic == 0x10B) {
    countField = 92;
    directoriesField = 96;
  } else if (magic == 0x20B) {
    countField = 108;
    directoriesField = 112;
  } else {
    return nullptr;
  }
  const auto directoryCount = optional.U32(countField);
  if (!directoryCount) return nullptr;
  uint32_t resourceRva = 0;
  if (*directoryCount > kResourceDataDirectory) {
    resourceRva = optional.U32(directoriesField + kResourceDataDirectory * 8).value_or(0);
  }

  std::vector<uint8_t> tableBytes;
  if (!source->ReadInto(optionalOffset + optionalSize, sectionCount * kSectionHeaderSize, tableBytes)) {
    return nullptr;
  }
  const ByteReader table = ReaderOf(tableBytes);
  std::vector<Section> sections(sectionCount);
  for (uint64_t i = 0; i < sectionCount; ++i) {
    const uint64_t header = i * kSectionHeaderSize;
    sections[i].virtualSize = table.U32(header + 8).value_or(0);
    sections[i].virtualAddress = table.U32(header + 12).value_or(0);
    sections[i].rawSize = table.U32(header + 16).value_or(0);
    sections[i].rawOffset = table.U32(header + 20).value_or(0);
  }
  return std::unique_ptr<ModuleResources>(new PeResources(std::move(source), std::move(sections), resourceRva));
}

std::optional<uint64_t> PeResources::FileOffsetOf(uint64_t rva, uint64_t length) const {
  for (const Section& section : m_sections) {
    const uint64_t span = std::max(section.virtualSize, section.rawSize);
    if (rva < section.virtualAddress || rva - section.virtualAddress >= span) continue;
    // Bytes the section only reserves in memory are not in the file.
    const uint64_t inSection = rva - section.virtualAddress;
    if (inSection > section.rawSize || length > section.rawSize - inSection) return std::nullopt;
    const uint64_t offset = uint64_t{section.rawOffset} + inSection;
    if (!m_source->Has(offset, length)) return std::nullopt;
    return offset;
  }
  return std::nullopt;
}

bool PeResources::ReadRva(uint64_t rva, uint64_t length, std::vector<uint8_t>& out) const {
  const auto offset = FileOffsetOf(rva, length);
  return offset && m_source->ReadInto(*offset, static_cast<size_t>(length), out);
}

bool PeResources::ReadDirectory(uint32_t offset, std::vector<DirectoryEntry>& out) const {
  const uint64_t rva = uint64_t{m_directoryRva} + offset;
  std::vector<uint8_t> headerBytes;
  if (!ReadRva(rva, kDirectoryHeaderSize, headerBytes)) return false;
  const ByteReader header = ReaderOf(headerBytes);
  const uint64_t count = uint64_t{header.U16(12).value_or(0)} + header.U16(14).value_or(0);
  // The entries are mapped, and so known to lie in the file, before anything is allocated for them.
  std::vector<uint8_t> entryBytes;
  if (!ReadRva(rva + kDirectoryHeaderSize, count * kDirectoryEntrySize, entryBytes)) return false;
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
  if (!ReadRva(rva, 2, lengthBytes)) return std::nullopt;
  const uint64_t length = ReaderOf(lengthBytes).U16(0).value_or(0);
  std::vector<uint8_t> units;
  if (!ReadRva(rva + 2, length * 2, units)) return std::nullopt;
  return Utf8FromUtf16(ReaderOf(units));
}

std::optional<uint32_t> PeResources::TypeDirectory(uint16_t type) const {
  if (m_directoryRva == 0) return std::nullopt;
  std::vector<DirectoryEntry> types;
  if (!ReadDirectory(0, types)) return std::nullopt;
  for (const DirectoryEntry& entry : types) {
    if (entry.name != type) continue;
    if (!(entry.offsetToData & kHighBit)) return std::nullopt;
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
    if (!(entry.offsetToData & kHighBit)) return false;
    const uint32_t directory = entry.offsetToData & ~kHighBit;
    if (directory == 0 || directory == *typeDirectory) return false;  // back to an ancestor: a loop
    const bool isText = (entry.name & kHighBit) != 0;
    if (!isText && entry.name > 0xFFFF) return false;
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

std::optional<std::vector<uint8_t>> PeResources::ReadResource(uint16_t type, const ResourceName& name) const {
  const std::vector<NameEntry>* entries = NameLevel(type);
  if (!entries) return std::nullopt;
  // Only the names that can match are decoded: lookups by id read no strings.
  const auto matches = [&](const NameEntry& entry) {
    if (!entry.isText) return ResourceNameMatches(name, ResourceName::Id(static_cast<uint16_t>(entry.idOrOffset)));
    if (name.isId) return false;
    const auto text = ReadName(entry.idOrOffset);
    return text && ResourceNameMatches(name, ResourceName::Text(*text));
  };
  const auto found = std::find_if(entries->begin(), entries->end(), matches);
  if (found == entries->end()) return std::nullopt;

  std::vector<DirectoryEntry> languages;
  if (!ReadDirectory(found->directory, languages) || languages.empty()) return std::nullopt;
  const uint32_t dataEntry = languages.front().offsetToData;
  if (dataEntry & kHighBit) return std::nullopt;  // a directory where the data entry belongs
  std::vector<uint8_t> entryBytes;
  if (!ReadRva(uint64_t{m_directoryRva} + dataEntry, kDataEntrySize, entryBytes)) return std::nullopt;
  const ByteReader entry = ReaderOf(entryBytes);
  const uint32_t length = entry.U32(4).value_or(0);
  std::vector<uint8_t> bytes;
  if (length > kMaxResourceBytes || !ReadRva(entry.U32(0).value_or(0), length, bytes)) return std::nullopt;
  return bytes;
}
