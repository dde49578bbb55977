#pragma once
// The resource directory of a PE32 or PE32+ module, walked through its section
// table: type, name and language levels, offsets relative to the directory.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/ModuleResources.h"

class PeResources final : public ModuleResources {
 public:
  // peOffset is where "PE\0\0" was found. Null when the headers after it are
  // not PE32 or PE32+, or are cut short (then said in `damage`).
  static std::unique_ptr<ModuleResources> Open(std::unique_ptr<ByteSource> source, uint32_t peOffset,
                                               std::string& damage);

  uint64_t FileSize() const override { return m_source->Size(); }

 private:
  std::vector<ResourceName> ReadNames(uint16_t type) const override;
  ResourceLookup ReadResource(uint16_t type, const ResourceName& name, std::vector<uint8_t>& out) const override;
  uint64_t ClaimedSize() const override;

  struct Section {
    uint32_t virtualAddress = 0;
    uint32_t virtualSize = 0;
    uint32_t rawOffset = 0;
    uint32_t rawSize = 0;
  };
  struct DirectoryEntry {
    uint32_t name = 0;          // high bit: offset of a string, else an id
    uint32_t offsetToData = 0;  // high bit: offset of a subdirectory, else of a data entry
  };
  struct NameEntry {
    bool isText = false;
    uint32_t idOrOffset = 0;  // the id, or the offset of the name's string
    uint32_t directory = 0;   // its language directory
  };

  PeResources(std::unique_ptr<ByteSource> source, std::vector<Section> sections, uint32_t directoryRva)
      : m_source(std::move(source)), m_sections(std::move(sections)), m_directoryRva(directoryRva) {}

  // Where the bytes of [rva, rva + length) lie: in the file, past the end of
  // a file cut short, or nowhere the section table maps.
  enum class Span { InFile, PastEnd, Outside };
  Span Locate(uint64_t rva, uint64_t length, uint64_t& offset) const;
  // Reads the bytes, noting the damage when they cannot be read.
  Span ReadRva(uint64_t rva, uint64_t length, std::vector<uint8_t>& out) const;
  bool ReadTable(uint64_t rva, uint64_t length, std::vector<uint8_t>& out) const {
    return ReadRva(rva, length, out) == Span::InFile;
  }
  // Offsets below are relative to the start of the resource directory.
  bool ReadDirectory(uint32_t offset, std::vector<DirectoryEntry>& out) const;
  std::optional<std::string> ReadName(uint32_t offset) const;
  std::optional<uint32_t> TypeDirectory(uint16_t type) const;
  // The entries under one type, each checked to lead to a language directory
  // without looping; false on any inconsistency.
  bool ReadNameLevel(uint16_t type, std::vector<NameEntry>& out) const;
  // The same, read once per type and kept: reading every icon of a module
  // would otherwise read the whole icon directory again for each (so a
  // module is read from one thread at a time). Null on any inconsistency.
  const std::vector<NameEntry>* NameLevel(uint16_t type) const;

  template <typename T>
  T Malformed(T result) const {
    NoteDamage(kTableMalformed);
    return result;
  }

  // A lookup that failed on a table read past the end of a file cut short.
  ResourceLookup Failed() const { return m_lastFailure == Span::PastEnd ? ResourceLookup::PastEnd : ResourceLookup::Refused; }

  std::unique_ptr<ByteSource> m_source;
  std::vector<Section> m_sections;
  mutable Span m_lastFailure = Span::InFile;
  uint32_t m_directoryRva;  // 0 when the module has no resources
  mutable std::map<uint16_t, std::optional<std::vector<NameEntry>>> m_nameLevels;
};
