#pragma once
// Where one loaded icon came from: its file and, for a module, its icon group.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "formats/ResourceName.h"

class IconSource {
 public:
  // False, and nothing stored, when the path is MAX_PATH characters or longer.
  bool SetPath(LPCSTR path);
  // The path of `other`, without a copy: the icons of one module share it,
  // which matters at a hundred thousand icons.
  void SharePath(const IconSource& other) { m_path = other.m_path; }
  const char* Path() const { return m_path ? m_path->c_str() : ""; }
  // The path as a worker may keep it while the record goes.
  std::shared_ptr<const std::string> SharedPath() const { return m_path ? m_path : std::make_shared<const std::string>(); }

  // The icon group of a module's icon (id 0 is a group like any other); none
  // for an icon of an .ico file.
  std::optional<ResourceName> m_group;
  // The list holds nothing per icon (it asks for what it shows), so the tick lives here.
  bool m_ticked = false;

 private:
  std::shared_ptr<const std::string> m_path;
};
