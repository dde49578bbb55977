#pragma once
// The resource table of a 16-bit NE module: an alignment shift, then a chain of
// types, each followed by its names, ended by a type of 0.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "formats/ByteReader.h"
#include "formats/ModuleResources.h"

class NeResources final : public ModuleResources {
 public:
  // neOffset is where "NE" was found. Null when the NE header is truncated; a
  // malformed resource table leaves a module with no resources.
  static std::unique_ptr<ModuleResources> Open(std::unique_ptr<ByteSource> source, uint32_t neOffset);

  uint64_t FileSize() const override { return m_source->Size(); }

 private:
  std::vector<ResourceName> ReadNames(uint16_t type) const override;
  std::optional<std::vector<uint8_t>> ReadResource(uint16_t type, const ResourceName& name) const override;

  struct Resource {
    uint16_t type = 0;  // without the integer-type flag
    ResourceName name;
    uint64_t offset = 0;  // in bytes, the alignment shift applied
    uint64_t length = 0;
  };

  // False when the chain runs off the table, a count cannot fit or a name lies outside it.
  static bool ParseTable(const ByteReader& table, std::vector<Resource>& out);

  NeResources(std::unique_ptr<ByteSource> source, std::vector<Resource> resources)
      : m_source(std::move(source)), m_resources(std::move(resources)) {}

  std::unique_ptr<ByteSource> m_source;
  std::vector<Resource> m_resources;  // in table order
};
