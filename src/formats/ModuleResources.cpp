#include "formats/ModuleResources.h"

#include <cstring>
#include <new>

#include "formats/ByteReader.h"
#include "formats/NeResources.h"
#include "formats/PeResources.h"

namespace {
constexpr uint64_t kDosHeaderSize = 0x40;
constexpr uint64_t kNewHeaderOffsetField = 0x3C;
}  // namespace

std::unique_ptr<ModuleResources> ModuleResources::Open(std::unique_ptr<ByteSource> source) {
  try {
    return OpenSource(std::move(source));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

std::vector<ResourceName> ModuleResources::EnumNames(uint16_t type) const {
  try {
    return ReadNames(type);
  } catch (const std::bad_alloc&) {
    return {};
  }
}

std::optional<std::vector<uint8_t>> ModuleResources::Find(uint16_t type, const ResourceName& name) const {
  try {
    return ReadResource(type, name);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

std::unique_ptr<ModuleResources> ModuleResources::OpenSource(std::unique_ptr<ByteSource> source) {
  if (!source) return nullptr;
  uint8_t dos[kDosHeaderSize];
  if (!source->ReadAt(0, dos, sizeof dos)) return nullptr;
  const ByteReader dosHeader(dos, sizeof dos);
  if (dos[0] != 'M' || dos[1] != 'Z') return nullptr;
  const uint32_t newHeader = *dosHeader.U32(kNewHeaderOffsetField);

  uint8_t signature[4];
  if (!source->ReadAt(newHeader, signature, sizeof signature)) return nullptr;
  if (std::memcmp(signature, "PE\0\0", 4) == 0) return PeResources::Open(std::move(source), newHeader);
  if (signature[0] == 'N' && signature[1] == 'E') return NeResources::Open(std::move(source), newHeader);
  return nullptr;
}

std::unique_ptr<ModuleResources> ModuleResources::OpenFile(const std::string& path) {
  return Open(FileSource::Open(path));
}
