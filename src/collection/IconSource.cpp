#include "collection/IconSource.h"

#include <cstring>

bool IconSource::SetPath(LPCSTR path) {
  const size_t length = std::strlen(path);
  if (length >= sizeof m_path) return false;
  std::memcpy(m_path, path, length + 1);
  return true;
}
