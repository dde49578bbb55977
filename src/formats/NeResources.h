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
  // neOffset is where "NE" was found. Null when the NE header is cut short
  // (said in `damage`); a malformed resource table leaves a module with no
  // resources and that damage noted.
  static std::unique_ptr<ModuleResources> Open(std::unique_ptr<ByteSource> source, uint32_t neOffset,
                                               std::string& damage);

  uint64_t FileSize() const override { return m_source->Size(); }
  bool RoundsResourceLengths() const override { return true; }

 private:
  std::vector<ResourceName> ReadNames(uint16_t type) const override;
  // A resource's length is rounded up to the module's alignment, so the
  // last one may reach past the end of a sound file: what the file holds
  // of it is handed back with PastEnd, and the icon's own length decides.
  ResourceLookup ReadResource(uint16_t type, const ResourceName& name, std::vector<uint8_t>& out) const override;
  uint64_t ClaimedSize() const override;

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
