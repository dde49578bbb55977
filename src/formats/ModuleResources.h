#pragma once
// Our own reader of the resources of PE32, PE32+ and 16-bit NE modules. It never
// maps or runs anything: it reads the resource tables through a bounds-checked
// source, and what it cannot read it names as damage instead of reading past it.

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

// Why a resource was or was not read.
enum class ResourceLookup {
  Found,
  Absent,   // the module has no such resource
  PastEnd,  // it lies past the end of a file cut short; what is there is handed back
  Refused,  // its table is damaged, it is too large, or memory ran out
};

class ModuleResources {
 public:
  // Null when the bytes are not a PE32, PE32+ or NE module (or memory runs
  // out); `damage` then says whether they were one cut short before its
  // tables (empty when they are simply something else).
  static std::unique_ptr<ModuleResources> Open(std::unique_ptr<ByteSource> source, std::string* damage = nullptr);
  static std::unique_ptr<ModuleResources> OpenFile(const std::string& path);

  virtual ~ModuleResources() = default;

  // The names of one resource type (a numeric type id), in the order the
  // system's enumeration gives them: for PE named entries first, then ids, each
  // in directory order; for NE in table order. Empty when the type is absent,
  // its table is damaged (see Damage) or memory runs out.
  std::vector<ResourceName> EnumNames(uint16_t type) const;

  // The bytes of one resource (the first language entry when there are
  // several). Text names match without regard to ASCII case. None for a
  // resource longer than kMaxResourceBytes, or when memory runs out.
  std::optional<std::vector<uint8_t>> Find(uint16_t type, const ResourceName& name) const;
  // The same, saying why not; on PastEnd `out` holds the bytes the file still has.
  ResourceLookup Lookup(uint16_t type, const ResourceName& name, std::vector<uint8_t>& out) const;

  // The first damage met so far ("cut short at 4000 of 99328 bytes"), or empty.
  const std::string& Damage() const { return m_damage; }
  // The damage of a read that ran past the end of the file.
  std::string CutShort() const;

  // The module's length in bytes: a bound for what a reader may copy out of it.
  virtual uint64_t FileSize() const = 0;
  // Whether lengths are rounded up to an alignment (16-bit modules), so that
  // an icon's directory gives its true length.
  virtual bool RoundsResourceLengths() const { return false; }

 protected:
  void NoteDamage(const std::string& damage) const {
    if (m_damage.empty()) m_damage = damage;
  }
  // How long the module's own tables say it is.
  virtual uint64_t ClaimedSize() const = 0;

 private:
  static std::unique_ptr<ModuleResources> OpenSource(std::unique_ptr<ByteSource> source, std::string& damage);
  virtual std::vector<ResourceName> ReadNames(uint16_t type) const = 0;
  virtual ResourceLookup ReadResource(uint16_t type, const ResourceName& name, std::vector<uint8_t>& out) const = 0;

  mutable std::string m_damage;
};

// "cut short at N of M bytes", or with no M known "cut short at N bytes, inside its headers".
std::string CutShortText(uint64_t size, uint64_t claimed);
// A table or resource that the module's own tables place outside its bytes.
extern const char* const kTableOutsideFile;
// A table that loops back on itself or holds an entry of the wrong kind.
extern const char* const kTableMalformed;
