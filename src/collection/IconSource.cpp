#include "collection/IconSource.h"

#include <cstring>

IconSource::~IconSource() {
  if (!IS_INTRESOURCE(m_resName)) delete[] m_resName;
}

void IconSource::SetResourceName(LPCSTR name) {
  if (!IS_INTRESOURCE(m_resName)) delete[] m_resName;
  if (IS_INTRESOURCE(name)) {
    m_resName = const_cast<LPSTR>(name);
    return;
  }
  const size_t length = std::strlen(name);
  m_resName = new char[length + 1];
  std::memcpy(m_resName, name, length + 1);
}

bool IconSource::SetPath(LPCSTR path) {
  const size_t length = std::strlen(path);
  if (length >= sizeof m_path) return false;
  std::memcpy(m_path, path, length + 1);
  return true;
}
