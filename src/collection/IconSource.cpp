#include "collection/IconSource.h"

#include <cstring>

bool IconSource::SetPath(LPCSTR path) {
  if (std::strlen(path) >= MAX_PATH) return false;
  m_path = std::make_shared<const std::string>(path);
  return true;
}
