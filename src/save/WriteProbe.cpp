#include "save/WriteProbe.h"

#include <windows.h>

#include "save/SaveNaming.h"
#include "save/ScopedHandle.h"

namespace {

// Names already taken are skipped; this many in a row means something else is wrong.
constexpr int kAttempts = 64;

}  // namespace

bool CanCreateFilesIn(const CString& folder) {
  const CString prefix = WithTrailingBackslash(folder);
  // Short names, so a folder near the path length limit is not refused when
  // the saved names would still fit.
  DWORD seed = ::GetTickCount() ^ (::GetCurrentThreadId() << 16);
  for (int attempt = 0; attempt < kAttempts; ++attempt, seed = seed * 1103515245u + 12345u) {
    CString name;
    name.Format("~vt%04lx.tmp", static_cast<unsigned long>(seed >> 16));
    const CString path = prefix + name;
    ScopedHandle file(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (file.IsValid()) {
      file.Reset();
      ::DeleteFileA(path);
      return true;
    }
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}
