#pragma once
// Owns one kernel handle (thread, file, event) and closes it once.

#include <windows.h>

class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE handle) : m_handle(handle) {}
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ~ScopedHandle() { Reset(); }

  // Files give INVALID_HANDLE_VALUE and threads null for "none": both count as empty.
  bool IsValid() const { return m_handle && m_handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_handle; }
  void Reset(HANDLE handle = nullptr) {
    if (IsValid()) ::CloseHandle(m_handle);
    m_handle = handle;
  }

 private:
  HANDLE m_handle = nullptr;
};
