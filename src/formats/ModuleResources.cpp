#include "formats/ModuleResources.h"

#include <cstring>
#include <new>

#include "formats/ByteReader.h"
#include "formats/NeResources.h"
#include "formats/PeResources.h"

namespace {
constexpr uint64_t kDosHeaderSize = 0x40;
constexpr uint64_t kNewHeaderOffsetField = 0x3C;
// A new-style header further than this from the start is not one: the field
// holds something else, and the file is no module.
constexpr uint32_t kFarthestNewHeader = 0x10000;
}  // namespace

const char* const kTableOutsideFile = "a resource table lies outside the file";
const char* const kTableMalformed = "its resource table is malformed";

std::string CutShortText(uint64_t size, uint64_t claimed) {
  if (claimed <= size) return "cut short at " + std::to_string(size) + " bytes, inside its headers";
  return "cut short at " + std::to_string(size) + " of " + std::to_string(claimed) + " bytes";
}

std::string ModuleResources::CutShort() const { return CutShortText(FileSize(), ClaimedSize()); }

std::unique_ptr<ModuleResources> ModuleResources::Open(std::unique_ptr<ByteSource> source, std::string* damage) {
  std::string found;
  std::unique_ptr<ModuleResources> module;
  try {
    module = OpenSource(std::move(source), found);
  } catch (const std::bad_alloc&) {
  }
  if (damage) *damage = found;
  return module;
}

std::vector<ResourceName> ModuleResources::EnumNames(uint16_t type) const {
  try {
    return ReadNames(type);
  } catch (const std::bad_alloc&) {
    return {};
  }
}

ResourceLookup ModuleResources::Lookup(uint16_t type, const ResourceName& name, std::vector<uint8_t>& out) const {
  try {
    return ReadResource(type, name, out);
  } catch (const std::bad_alloc&) {
    return ResourceLookup::Refused;
  }
}

std::optional<std::vector<uint8_t>> ModuleResources::Find(uint16_t type, const ResourceName& name) const {
  std::vector<uint8_t> bytes;
  if (Lookup(type, name, bytes) != ResourceLookup::Found) return std::nullopt;
  return bytes;
}

std::unique_ptr<ModuleResources> ModuleResources::OpenSource(std::unique_ptr<ByteSource> source,
                                                             std::string& damage) {
  if (!source) return nullptr;
  uint8_t dos[kDosHeaderSize] = {};
  const size_t dosBytes = source->Size() < kDosHeaderSize ? static_cast<size_t>(source->Size()) : kDosHeaderSize;
  if (!source->ReadAt(0, dos, dosBytes) || dosBytes < 2 || dos[0] != 'M' || dos[1] != 'Z') return nullptr;
  if (dosBytes < kDosHeaderSize) {
    damage = CutShortText(source->Size(), 0);
    return nullptr;
  }
  const uint32_t newHeader = *ByteReader(dos, sizeof dos).U32(kNewHeaderOffsetField);

  uint8_t signature[4];
  if (!source->ReadAt(newHeader, signature, sizeof signature)) {
    if (newHeader <= kFarthestNewHeader) damage = CutShortText(source->Size(), 0);
    return nullptr;
  }
  if (std::memcmp(signature, "PE\0\0", 4) == 0) return PeResources::Open(std::move(source), newHeader, damage);
  if (signature[0] == 'N' && signature[1] == 'E') return NeResources::Open(std::move(source), newHeader, damage);
  return nullptr;
}

std::unique_ptr<ModuleResources> ModuleResources::OpenFile(const std::string& path) {
  return Open(FileSource::Open(path));
}
