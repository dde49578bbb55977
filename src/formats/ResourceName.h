#pragma once
// A resource name as a module stores it: a numeric id or a text name.

#include <cstdint>
#include <string>

struct ResourceName {
  bool isId = true;
  uint16_t id = 0;
  // PE names (UTF-16 in the file) as UTF-8; NE names as their stored bytes.
  std::string text;

  static ResourceName Id(uint16_t value) { return ResourceName{true, value, {}}; }
  static ResourceName Text(std::string value) { return ResourceName{false, 0, std::move(value)}; }

  bool operator==(const ResourceName& other) const {
    return isId == other.isId && (isId ? id == other.id : text == other.text);
  }
  bool operator!=(const ResourceName& other) const { return !(*this == other); }
};

// The two resource types this program reads.
constexpr uint16_t kResourceIcon = 3;
constexpr uint16_t kResourceGroupIcon = 14;

// A name in the platform's pointer form: null is no name, a value up to 65535
// is a numeric id, anything else points at NUL-terminated text.
inline bool NameFromPointer(const char* pointer, ResourceName& out) {
  const auto value = reinterpret_cast<uintptr_t>(pointer);
  if (value == 0) return false;
  out = value <= 0xFFFF ? ResourceName::Id(static_cast<uint16_t>(value)) : ResourceName::Text(pointer);
  return true;
}
