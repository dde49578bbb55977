#pragma once
// An array of CObject pointers. It never deletes what it points to: the owner
// of the objects walks the array and deletes them before emptying it.

#include <windows.h>

#include "framework/Object.h"

class CObArray : public CObject {
 public:
  CObArray() = default;
  CObArray(const CObArray&) = delete;
  CObArray& operator=(const CObArray&) = delete;
  ~CObArray() override;

  INT_PTR GetSize() const { return m_size; }
  INT_PTR GetCount() const { return m_size; }

  // Out-of-range reads give null rather than touching memory past the end.
  CObject* GetAt(INT_PTR index) const;
  CObject* operator[](INT_PTR index) const { return GetAt(index); }
  // Out-of-range writes are ignored.
  void SetAt(INT_PTR index, CObject* object);
  // Writes at index, first growing the array (new slots null) when it is too
  // short. Capacity doubles, so appending n pointers one by one costs O(n).
  // Returns FALSE for a negative index or when memory runs out.
  BOOL SetAtGrow(INT_PTR index, CObject* object);

  // Changes the number of elements; SetSize(0) also releases the storage.
  BOOL SetSize(INT_PTR newSize);
  void RemoveAll() { SetSize(0); }

  // The first element, or null when no storage is held.
  CObject** GetData() { return m_data; }
  const CObject* const* GetData() const { return m_data; }

 private:
  BOOL Reserve(INT_PTR capacity);

  CObject** m_data = nullptr;
  INT_PTR m_size = 0;
  INT_PTR m_capacity = 0;
};
