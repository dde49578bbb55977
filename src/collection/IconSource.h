#pragma once
// Where one loaded icon came from: its file and, for a module, its icon group.

#include <windows.h>

#include <optional>

#include "formats/ResourceName.h"
#include "framework/ObArray.h"

class IconSource : public CObject {
 public:
  // False, and nothing stored, when the path does not fit m_path.
  bool SetPath(LPCSTR path);

  char m_path[MAX_PATH] = {};
  // The icon group of a module's icon (id 0 is a group like any other); none
  // for an icon of an .ico file.
  std::optional<ResourceName> m_group;
};
