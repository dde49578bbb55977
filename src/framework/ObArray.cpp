#include "framework/ObArray.h"

#include <cstdlib>
#include <cstring>

CObArray::~CObArray() { std::free(m_data); }

CObject* CObArray::GetAt(INT_PTR index) const {
  return index >= 0 && index < m_size ? m_data[index] : nullptr;
}

void CObArray::SetAt(INT_PTR index, CObject* object) {
  if (index >= 0 && index < m_size) m_data[index] = object;
}

BOOL CObArray::SetAtGrow(INT_PTR index, CObject* object) {
  if (index < 0) return FALSE;
  if (index >= m_size && !SetSize(index + 1)) return FALSE;
  m_data[index] = object;
  return TRUE;
}

BOOL CObArray::SetSize(INT_PTR newSize) {
  if (newSize < 0) return FALSE;
  if (newSize == 0) {
    std::free(m_data);
    m_data = nullptr;
    m_size = m_capacity = 0;
    return TRUE;
  }
  if (newSize > m_capacity) {
    INT_PTR grown = m_capacity < 4 ? 4 : m_capacity * 2;
    if (grown < newSize) grown = newSize;
    if (!Reserve(grown)) return FALSE;
  }
  if (newSize > m_size) std::memset(m_data + m_size, 0, (newSize - m_size) * sizeof(CObject*));
  m_size = newSize;
  return TRUE;
}

BOOL CObArray::Reserve(INT_PTR capacity) {
  if (static_cast<size_t>(capacity) > static_cast<size_t>(-1) / sizeof(CObject*)) return FALSE;
  // A fresh block each time (no realloc): every growth step is a visible move
  // of GetData(), which the tests count.
  auto* grown = static_cast<CObject**>(std::malloc(capacity * sizeof(CObject*)));
  if (!grown) return FALSE;
  if (m_size) std::memcpy(grown, m_data, m_size * sizeof(CObject*));
  std::free(m_data);
  m_data = grown;
  m_capacity = capacity;
  return TRUE;
}
