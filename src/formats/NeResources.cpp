#include "formats/NeResources.h"

#include <algorithm>

#include "formats/ResourceNameMatch.h"

namespace {
constexpr uint64_t kNeHeaderSize = 0x40;
constexpr uint64_t kResourceTableField = 0x24;
constexpr uint64_t kResidentNamesField = 0x26;
constexpr uint64_t kTypeInfoSize = 8;
constexpr uint64_t kNameInfoSize = 12;
constexpr uint16_t kIntegerFlag = 0x8000;
// A larger shift would put resources past any 16-bit module's reach.
constexpr uint16_t kMaxAlignShift = 15;

// A name is a length byte then its bytes, at an offset from the table's start.
std::optional<ResourceName> ReadName(const ByteReader& table, uint16_t nameField) {
  if (nameField & kIntegerFlag) return ResourceName::Id(static_cast<uint16_t>(nameField & ~kIntegerFlag));
  const auto length = table.U8(nameField);
  if (!length) return std::nullopt;
  const auto text = table.Slice(nameField + 1u, *length);
  if (!text) return std::nullopt;
  return ResourceName::Text(std::string(reinterpret_cast<const char*>(text->Data()), text->Size()));
}
}  // namespace

bool NeResources::ParseTable(const ByteReader& table, std::vector<Resource>& out) {
  const auto shift = table.U16(0);
  if (!shift || *shift > kMaxAlignShift) return false;
  uint64_t position = 2;
  for (;;) {
    const auto typeField = table.U16(position);
    if (!typeField) return false;
    if (*typeField == 0) return true;
    const uint64_t count = table.U16(position + 2).value_or(0);
    position += kTypeInfoSize;
    if (!table.Has(position, count * kNameInfoSize)) return false;
    for (uint64_t i = 0; i < count; ++i, position += kNameInfoSize) {
      const auto name = ReadName(table, table.U16(position + 6).value_or(0));
      if (!name) return false;
      // Types named by text are never asked for; their names are still checked.
      if (!(*typeField & kIntegerFlag)) continue;
      Resource resource;
      resource.type = static_cast<uint16_t>(*typeField & ~kIntegerFlag);
      resource.name = *name;
      resource.offset = uint64_t{table.U16(position).value_or(0)} << *shift;
      resource.length = uint64_t{table.U16(position + 2).value_or(0)} << *shift;
      out.push_back(std::move(resource));
    }
  }
}

std::unique_ptr<ModuleResources> NeResources::Open(std::unique_ptr<ByteSource> source, uint32_t neOffset,
                                                   std::string& damage) {
  std::vector<uint8_t> headerBytes;
  if (!source->ReadInto(neOffset, kNeHeaderSize, headerBytes)) {
    damage = CutShortText(source->Size(), 0);
    return nullptr;
  }
  const ByteReader header(headerBytes.data(), headerBytes.size());
  const uint16_t tableStart = header.U16(kResourceTableField).value_or(0);
  const uint16_t tableEnd = header.U16(kResidentNamesField).value_or(0);

  // The resident-name table follows the resource table and so bounds it.
  std::vector<Resource> resources;
  std::vector<uint8_t> tableBytes;
  std::string tableDamage;
  if (tableEnd < tableStart) {
    tableDamage = kTableMalformed;
  } else if (tableEnd > tableStart) {
    if (!source->ReadInto(uint64_t{neOffset} + tableStart, tableEnd - tableStart, tableBytes)) {
      tableDamage = source->Has(uint64_t{neOffset} + tableStart, 0) ? kTableOutsideFile : CutShortText(source->Size(), 0);
    } else if (!ParseTable(ByteReader(tableBytes.data(), tableBytes.size()), resources)) {
      resources.clear();
      tableDamage = kTableMalformed;
    }
  }
  std::unique_ptr<NeResources> module(new NeResources(std::move(source), std::move(resources)));
  if (!tableDamage.empty()) module->NoteDamage(tableDamage);
  return module;
}

std::vector<ResourceName> NeResources::ReadNames(uint16_t type) const {
  std::vector<ResourceName> names;
  for (const Resource& resource : m_resources) {
    if (resource.type == type) names.push_back(resource.name);
  }
  return names;
}

uint64_t NeResources::ClaimedSize() const {
  uint64_t claimed = 0;
  for (const Resource& resource : m_resources) claimed = std::max(claimed, resource.offset + resource.length);
  return claimed;
}

ResourceLookup NeResources::ReadResource(uint16_t type, const ResourceName& name, std::vector<uint8_t>& out) const {
  for (const Resource& resource : m_resources) {
    if (resource.type != type || !ResourceNameMatches(name, resource.name)) continue;
    if (resource.length > kMaxResourceBytes) return ResourceLookup::Refused;
    if (m_source->Has(resource.offset, resource.length)) {
      return m_source->ReadInto(resource.offset, static_cast<size_t>(resource.length), out) ? ResourceLookup::Found
                                                                                             : ResourceLookup::Refused;
    }
    const uint64_t left = m_source->Has(resource.offset, 0) ? m_source->Size() - resource.offset : 0;
    if (!m_source->ReadInto(resource.offset, static_cast<size_t>(left), out)) out.clear();
    return ResourceLookup::PastEnd;
  }
  return ResourceLookup::Absent;
}
