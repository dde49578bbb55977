#pragma once
// A new, empty folder under the system's temporary folder, removed with
// everything in it (on Windows also paths longer than MAX_PATH) when the
// object goes.

#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const;

 private:
  std::string m_path;
};
