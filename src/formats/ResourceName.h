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
