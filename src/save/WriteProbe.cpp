#include "save/WriteProbe.h"

#include <windows.h>

#include <string>

bool CanCreateFilesIn(const CString& folder) {
  // The system makes the file under a name no file had (~vtXXXX.tmp, as
  // short as a saved name), so nothing of the user's is opened or replaced.
  std::string made(MAX_PATH, '\0');
  if (::GetTempFileNameA(folder, "~vt", 0, &made[0]) == 0) return false;
  ::DeleteFileA(made.c_str());
  return true;
}
