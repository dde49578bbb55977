#pragma once
// How a wanted resource name matches a stored one: ids by value, text names
// without regard to ASCII case (other characters must be equal).

#include <cstddef>

#include "formats/ResourceName.h"

inline bool ResourceNameMatches(const ResourceName& wanted, const ResourceName& stored) {
  if (wanted.isId != stored.isId) return false;
  if (wanted.isId) return wanted.id == stored.id;
  if (wanted.text.size() != stored.text.size()) return false;
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (size_t i = 0; i < wanted.text.size(); ++i) {
    if (fold(wanted.text[i]) != fold(stored.text[i])) return false;
  }
  return true;
}
