#pragma once
// One owner for one handle of any kind: its Closer says which values hold
// nothing and releases the rest, once, when the owner lets go or goes.
// Ownership moves; it is never shared.

#include <windows.h>

template <typename T, typename Closer>
class CHandle {
 public:
  CHandle() = default;
  explicit CHandle(T handle) : m_handle(handle) {}
  CHandle(CHandle&& other) noexcept : m_handle(other.Release()) {}
  CHandle& operator=(CHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  CHandle(const CHandle&) = delete;
  CHandle& operator=(const CHandle&) = delete;
  ~CHandle() { Reset(); }

  T Get() const { return m_handle; }
  explicit operator bool() const { return Closer::Holds(m_handle); }
  // Releases what is held and takes handle instead.
  void Reset(T handle = T()) {
    if (Closer::Holds(m_handle)) Closer::Close(m_handle);
    m_handle = handle;
  }
  // Gives up ownership without releasing.
  T Release() {
    const T handle = m_handle;
    m_handle = T();
    return handle;
  }

 private:
  T m_handle = T();
};

// Files give INVALID_HANDLE_VALUE for "none", threads and events null.
struct KernelObjectCloser {
  static bool Holds(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { ::CloseHandle(handle); }
};

template <typename T>
struct GdiObjectCloser {
  static bool Holds(T object) { return object != nullptr; }
  static void Close(T object) { ::DeleteObject(object); }
};

struct IconCloser {
  static bool Holds(HICON icon) { return icon != nullptr; }
  static void Close(HICON icon) { ::DestroyIcon(icon); }
};

struct AcceleratorCloser {
  static bool Holds(HACCEL table) { return table != nullptr; }
  static void Close(HACCEL table) { ::DestroyAcceleratorTable(table); }
};

using CKernelHandle = CHandle<HANDLE, KernelObjectCloser>;
using CBitmapHandle = CHandle<HBITMAP, GdiObjectCloser<HBITMAP>>;
using CIconHandle = CHandle<HICON, IconCloser>;
using CAcceleratorHandle = CHandle<HACCEL, AcceleratorCloser>;
