#pragma once
// Where one loaded icon came from: its file and, for a module, its icon group.

#include <windows.h>

#include "framework/ObArray.h"

class IconSource : public CObject {
 public:
  IconSource() = default;
  ~IconSource() override;
  IconSource(const IconSource&) = delete;
  IconSource& operator=(const IconSource&) = delete;

  // Keeps a numeric id as it is and a copy of a text name (which the
  // enumeration owns only for a moment).
  void SetResourceName(LPCSTR name);
  // False, and nothing stored, when the path does not fit m_path.
  bool SetPath(LPCSTR path);

  char m_path[MAX_PATH] = {};
  // A numeric id in integer-resource form, an owned copy of a text name, or
  // null for an icon of an .ico file.
  LPSTR m_resName = nullptr;
};
