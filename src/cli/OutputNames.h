#pragma once
// Names of the files a command writes, and their creation: a name another
// file holds is never taken, not even from a run writing into the same folder
// at the same moment.

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "formats/ResourceName.h"

// "<file name>-<group>" for a module's group, the file's name without its
// extension for an .ico file; characters no file name may hold become '_'.
std::string OutputBase(const std::string& inputPath, const std::optional<ResourceName>& group);

// Fills the new, empty file at the path; false with errno set on failure,
// having removed what it wrote.
using FileWriter = std::function<bool(const std::string& path)>;
FileWriter BytesWriter(const std::vector<uint8_t>& bytes);

// The folder below DIR that holds the outputs of `file`, which -r found under
// the folder `root`: the path the file has below it ("x/y" for root/x/y/a.dll).
std::string TreeFolder(const std::string& root, const std::string& file);

struct OutputFailure {
  std::string path;
  std::string problem;  // "cannot be created: <the system's reason>" and the like
  int error = 0;        // the system's errno, when it gave one
};

class OutputFolder {
 public:
  // With `overwrite`, a file of the same name is replaced; without, the new
  // file gets "-1", "-2"... before its extension.
  OutputFolder(std::string folder, bool overwrite) : m_folder(std::move(folder)), m_overwrite(overwrite) {}

  // Writes folder/base + extension through `write`; nothing, or why not. A
  // file this run wrote is never replaced by it: the next number is taken.
  // `base` may name subfolders, which must exist.
  std::optional<OutputFailure> Write(const std::string& base, const std::string& extension, const FileWriter& write);

 private:
  std::string PathOf(const std::string& base, int number, const std::string& extension) const;
  // An empty file of a name nobody held, created by this run.
  std::optional<std::string> Claim(const std::string& base, const std::string& extension, OutputFailure& failure) const;
  std::optional<OutputFailure> Replace(const std::string& path, const FileWriter& write) const;

  std::string m_folder;
  bool m_overwrite;
  std::set<std::string> m_written;
};
