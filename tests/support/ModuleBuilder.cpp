#include "support/ModuleBuilder.h"

#include <string>

namespace {
void Put16(std::vector<uint8_t>& out, size_t offset, uint32_t value) {
  out[offset] = static_cast<uint8_t>(value);
  out[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t offset, uint32_t value) {
  Put16(out, offset, value & 0xFFFF);
  Put16(out, offset + 2, value >> 16);
}

size_t AlignUp(size_t value, size_t alignment) { return (value + alignment - 1) / alignment * alignment; }

// Test names are well-formed UTF-8.
std::u16string Utf16FromUtf8(const std::string& text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    const auto byte = static_cast<uint8_t>(text[i]);
    const size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    uint32_t codePoint = length == 1 ? byte : byte & (0x7F >> length);
    for (size_t k = 1; k < length && i + k < text.size(); ++k) {
      codePoint = (codePoint << 6) | (static_cast<uint8_t>(text[i + k]) & 0x3F);
    }
    i += length;
    if (codePoint >= 0x10000) {
      codePoint -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
      out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    } else {
      out += static_cast<char16_t>(codePoint);
    }
  }
  return out;
}

struct NameGroup {
  ResourceName name;
  std::vector<const BuiltResource*> entries;  // languages, or NE duplicates, in listed order
  size_t directoryOffset = 0;
  size_t stringOffset = 0;
};

struct TypeGroup {
  uint16_t type = 0;
  std::vector<NameGroup> names;
  size_t directoryOffset = 0;
};

// Types and names in first-listed order; with namedFirst, text names ahead of ids.
std::vector<TypeGroup> GroupResources(const std::vector<BuiltResource>& resources, bool namedFirst) {
  std::vector<TypeGroup> types;
  for (const BuiltResource& resource : resources) {
    TypeGroup* type = nullptr;
    for (TypeGroup& candidate : types) {
      if (candidate.type == resource.type) type = &candidate;
    }
    if (!type) {
      types.push_back(TypeGroup{resource.type, {}, 0});
      type = &types.back();
    }
    NameGroup* name = nullptr;
    for (NameGroup& candidate : type->names) {
      if (candidate.name == resource.name) name = &candidate;
    }
    if (!name) {
      type->names.push_back(NameGroup{resource.name, {}, 0, 0});
      name = &type->names.back();
    }
    name->entries.push_back(&resource);
  }
  if (namedFirst) {
    for (TypeGroup& type : types) {
      std::vector<NameGroup> ordered;
      for (const NameGroup& name : type.names) {
        if (!name.name.isId) ordered.push_back(name);
      }
      for (const NameGroup& name : type.names) {
        if (name.name.isId) ordered.push_back(name);
      }
      type.names = std::move(ordered);
    }
  }
  return types;
}

constexpr uint32_t kSectionRva = 0x1000;
constexpr size_t kFileAlignment = 0x200;
constexpr size_t kSectionAlignment = 0x1000;
constexpr uint32_t kDirectoryFlag = 0x80000000u;

void PutDirectoryHeader(std::vector<uint8_t>& out, size_t offset, uint32_t named, uint32_t ids) {
  Put16(out, offset + 12, named);
  Put16(out, offset + 14, ids);
}

// The resource directory as it sits at the start of a section loaded at kSectionRva.
std::vector<uint8_t> BuildResourceSection(const std::vector<BuiltResource>& resources) {
  std::vector<TypeGroup> types = GroupResources(resources, true);
  size_t cursor = 16 + 8 * types.size();
  for (TypeGroup& type : types) {
    type.directoryOffset = cursor;
    cursor += 16 + 8 * type.names.size();
  }
  for (TypeGroup& type : types) {
    for (NameGroup& name : type.names) {
      name.directoryOffset = cursor;
      cursor += 16 + 8 * name.entries.size();
    }
  }
  const size_t dataEntries = cursor;
  cursor += 16 * resources.size();
  for (TypeGroup& type : types) {
    for (NameGroup& name : type.names) {
      if (name.name.isId) continue;
      name.stringOffset = cursor;
      cursor += 2 + 2 * Utf16FromUtf8(name.name.text).size();
    }
  }
  std::vector<size_t> dataOffsets;
  for (const TypeGroup& type : types) {
    for (const NameGroup& name : type.names) {
      for (const BuiltResource* entry : name.entries) {
        cursor = AlignUp(cursor, 4);
        dataOffsets.push_back(cursor);
        cursor += entry->data.size();
      }
    }
  }

  std::vector<uint8_t> out(cursor);
  PutDirectoryHeader(out, 0, 0, static_cast<uint32_t>(types.size()));
  size_t dataIndex = 0;
  for (size_t t = 0; t < types.size(); ++t) {
    const TypeGroup& type = types[t];
    Put32(out, 16 + 8 * t, type.type);
    Put32(out, 16 + 8 * t + 4, kDirectoryFlag | static_cast<uint32_t>(type.directoryOffset));
    uint32_t named = 0;
    for (const NameGroup& name : type.names) named += name.name.isId ? 0 : 1;
    PutDirectoryHeader(out, type.directoryOffset, named, static_cast<uint32_t>(type.names.size() - named));
    for (size_t n = 0; n < type.names.size(); ++n) {
      const NameGroup& name = type.names[n];
      const size_t entry = type.directoryOffset + 16 + 8 * n;
      if (name.name.isId) {
        Put32(out, entry, name.name.id);
      } else {
        Put32(out, entry, kDirectoryFlag | static_cast<uint32_t>(name.stringOffset));
        const std::u16string units = Utf16FromUtf8(name.name.text);
        Put16(out, name.stringOffset, static_cast<uint32_t>(units.size()));
        for (size_t u = 0; u < units.size(); ++u) Put16(out, name.stringOffset + 2 + 2 * u, units[u]);
      }
      Put32(out, entry + 4, kDirectoryFlag | static_cast<uint32_t>(name.directoryOffset));
      PutDirectoryHeader(out, name.directoryOffset, 0, static_cast<uint32_t>(name.entries.size()));
      for (size_t l = 0; l < name.entries.size(); ++l, ++dataIndex) {
        const BuiltResource& resource = *name.entries[l];
        const size_t languageEntry = name.directoryOffset + 16 + 8 * l;
        const size_t dataEntry = dataEntries + 16 * dataIndex;
        Put32(out, languageEntry, resource.language);
        Put32(out, languageEntry + 4, static_cast<uint32_t>(dataEntry));
        Put32(out, dataEntry, kSectionRva + static_cast<uint32_t>(dataOffsets[dataIndex]));
        Put32(out, dataEntry + 4, static_cast<uint32_t>(resource.data.size()));
        std::copy(resource.data.begin(), resource.data.end(), out.begin() + dataOffsets[dataIndex]);
      }
    }
  }
  return out;
}
}  // namespace

std::vector<uint8_t> BuildPeModule(const std::vector<BuiltResource>& resources, const PeLayout& layout) {
  const std::vector<uint8_t> section = BuildResourceSection(resources);
  const size_t peOffset = 0x40;
  const size_t optionalOffset = peOffset + 24;
  const size_t optionalSize = layout.pe32plus ? 240 : 224;
  const size_t sectionHeader = optionalOffset + optionalSize;
  const size_t rawSize = AlignUp(section.size(), kFileAlignment);

  std::vector<uint8_t> out(kFileAlignment + rawSize);
  out[0] = 'M';
  out[1] = 'Z';
  Put32(out, 0x3C, peOffset);
  out[peOffset] = 'P';
  out[peOffset + 1] = 'E';
  Put16(out, peOffset + 4, layout.machine);
  Put16(out, peOffset + 6, 1);
  Put16(out, peOffset + 20, static_cast<uint32_t>(optionalSize));
  Put16(out, peOffset + 22, layout.pe32plus ? 0x2022 : 0x2102);  // a DLL

  Put16(out, optionalOffset, layout.pe32plus ? 0x20B : 0x10B);
  Put32(out, optionalOffset + 32, kSectionAlignment);
  Put32(out, optionalOffset + 36, kFileAlignment);
  Put16(out, optionalOffset + 40, 6);  // operating system version
  Put16(out, optionalOffset + 48, 6);  // subsystem version
  Put32(out, optionalOffset + 56, kSectionRva + static_cast<uint32_t>(AlignUp(section.size(), kSectionAlignment)));
  Put32(out, optionalOffset + 60, kFileAlignment);
  Put16(out, optionalOffset + 68, 2);  // graphical subsystem
  const size_t directories = optionalOffset + (layout.pe32plus ? 112 : 96);
  Put32(out, directories - 4, 16);
  Put32(out, directories + 2 * 8, kSectionRva);
  Put32(out, directories + 2 * 8 + 4, static_cast<uint32_t>(section.size()));

  const char name[] = ".rsrc";
  std::copy(name, name + 5, out.begin() + sectionHeader);
  Put32(out, sectionHeader + 8, static_cast<uint32_t>(section.size()));
  Put32(out, sectionHeader + 12, kSectionRva);
  Put32(out, sectionHeader + 16, static_cast<uint32_t>(rawSize));
  Put32(out, sectionHeader + 20, kFileAlignment);
  Put32(out, sectionHeader + 36, 0x40000040);  // initialised data, readable
  std::copy(section.begin(), section.end(), out.begin() + kFileAlignment);
  return out;
}

std::vector<uint8_t> BuildNeModule(const std::vector<BuiltResource>& resources, uint16_t alignShift) {
  const std::vector<TypeGroup> types = GroupResources(resources, false);
  const size_t neOffset = 0x40;
  const size_t tableOffset = 0x40;  // relative to the NE header, right after it
  const size_t alignment = size_t{1} << alignShift;

  size_t tableSize = 2 + 2;  // shift, chain terminator
  for (const TypeGroup& type : types) {
    tableSize += 8;
    for (const NameGroup& name : type.names) tableSize += 12 * name.entries.size();
  }
  const size_t namesStart = tableSize;
  for (const TypeGroup& type : types) {
    for (const NameGroup& name : type.names) tableSize += name.name.isId ? 0 : 1 + name.name.text.size();
  }
  tableSize += 1;  // names terminator
  const std::string moduleName = "TESTMOD";
  const size_t residentNames = tableOffset + tableSize;
  const size_t afterResident = residentNames + 1 + moduleName.size() + 2 + 1;
  const size_t headersEnd = neOffset + afterResident + 1;  // a one-byte empty entry table

  size_t dataCursor = AlignUp(headersEnd, alignment);
  std::vector<size_t> dataOffsets;
  std::vector<size_t> dataUnits;
  for (const TypeGroup& type : types) {
    for (const NameGroup& name : type.names) {
      for (const BuiltResource* entry : name.entries) {
        const size_t units = (entry->data.size() + alignment - 1) >> alignShift;
        dataOffsets.push_back(dataCursor);
        dataUnits.push_back(units);
        dataCursor += units << alignShift;
      }
    }
  }

  std::vector<uint8_t> out(dataCursor);
  out[0] = 'M';
  out[1] = 'Z';
  Put32(out, 0x3C, neOffset);
  out[neOffset] = 'N';
  out[neOffset + 1] = 'E';
  out[neOffset + 2] = 5;                                              // linker version
  Put16(out, neOffset + 0x04, static_cast<uint32_t>(afterResident));  // entry table
  Put16(out, neOffset + 0x06, 1);
  Put16(out, neOffset + 0x0C, 0x8000);                              // a library
  Put16(out, neOffset + 0x22, static_cast<uint32_t>(tableOffset));  // no segments
  Put16(out, neOffset + 0x24, static_cast<uint32_t>(tableOffset));
  Put16(out, neOffset + 0x26, static_cast<uint32_t>(residentNames));
  Put16(out, neOffset + 0x28, static_cast<uint32_t>(afterResident));  // no module references
  Put16(out, neOffset + 0x2A, static_cast<uint32_t>(afterResident));  // no imported names
  Put32(out, neOffset + 0x2C, static_cast<uint32_t>(headersEnd));     // no non-resident names
  Put16(out, neOffset + 0x32, alignShift);
  out[neOffset + 0x36] = 2;  // Windows

  const size_t table = neOffset + tableOffset;
  Put16(out, table, alignShift);
  size_t record = table + 2;
  size_t nameCursor = namesStart;
  size_t dataIndex = 0;
  for (const TypeGroup& type : types) {
    size_t count = 0;
    for (const NameGroup& name : type.names) count += name.entries.size();
    Put16(out, record, 0x8000u | type.type);
    Put16(out, record + 2, static_cast<uint32_t>(count));
    record += 8;
    for (const NameGroup& name : type.names) {
      uint32_t nameField = 0x8000u | name.name.id;
      if (!name.name.isId) {
        nameField = static_cast<uint32_t>(nameCursor);
        out[table + nameCursor] = static_cast<uint8_t>(name.name.text.size());
        std::copy(name.name.text.begin(), name.name.text.end(), out.begin() + table + nameCursor + 1);
        nameCursor += 1 + name.name.text.size();
      }
      for (const BuiltResource* entry : name.entries) {
        Put16(out, record, static_cast<uint32_t>(dataOffsets[dataIndex] >> alignShift));
        Put16(out, record + 2, static_cast<uint32_t>(dataUnits[dataIndex]));
        Put16(out, record + 4, 0x1030);  // moveable, pure, discardable
        Put16(out, record + 6, nameField);
        std::copy(entry->data.begin(), entry->data.end(), out.begin() + dataOffsets[dataIndex]);
        record += 12;
        ++dataIndex;
      }
    }
  }

  const size_t resident = neOffset + residentNames;
  out[resident] = static_cast<uint8_t>(moduleName.size());
  std::copy(moduleName.begin(), moduleName.end(), out.begin() + resident + 1);
  return out;
}
