#pragma once
// Our own reader of the resources of PE32, PE32+ and 16-bit NE modules. It never
// maps or runs anything: it reads the resource tables through a bounds-checked
// source and answers "not found" to anything malformed.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/ByteSource.h"
#include "formats/ResourceName.h"

// No icon or icon group comes near this; a resource that claims more is
// refused rather than read into memory.
constexpr uint64_t kMaxResourceBytes = 64u << 20;

class ModuleResources {
 public:
  // Null when the bytes are not a PE32, PE32+ or NE module (or memory runs out).
  static std::unique_ptr<ModuleResources> Open(std::unique_ptr<ByteSource> source);
  static std::unique_ptr<ModuleResources> OpenFile(const std::string& path);

  virtual ~ModuleResources() = default;

  // The names of one resource type (a numeric type id), in the order the
  // system's enumeration gives them: for PE named entries first, then ids, each
  // in directory order; for NE in table order. Empty when the type is absent
  // (or memory runs out).
  std::vector<ResourceName> EnumNames(uint16_t type) const;

  // The bytes of one resource (the first language entry when there are
  // several). Text names match without regard to ASCII case. None for a
  // resource longer than kMaxResourceBytes, or when memory runs out.
  std::optional<std::vector<uint8_t>> Find(uint16_t type, const ResourceName& name) const;

  // The module's length in bytes: a bound for what a reader may copy out of it.
  virtual uint64_t FileSize() const = 0;

 private:
  static std::unique_ptr<ModuleResources> OpenSource(std::unique_ptr<ByteSource> source);
  virtual std::vector<ResourceName> ReadNames(uint16_t type) const = 0;
  virtual std::optional<std::vector<uint8_t>> ReadResource(uint16_t type, const ResourceName& name) const = 0;
};
