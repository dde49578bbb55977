#pragma once
// An icon read again from its source with every image, as the save, the
// tooltip and the copy to the clipboard need it.

#include <memory>
#include <optional>
#include <string>

#include "collection/IconSource.h"
#include "formats/IconFileIO.h"
#include "formats/ResourceName.h"

// One icon's source, copied from its record, so that a worker needs no record.
struct SaveSource {
  std::string path;
  std::optional<ResourceName> group;  // none for an .ico file
};

SaveSource SourceOf(const IconSource& record);

// Consecutive icons of one module are read through one opening of it:
// opening a module costs more than reading an icon.
class SourceReader {
 public:
  explicit SourceReader(const IconFileIO& io) : m_io(io) {}

  // Null when the source is gone, changed or unreadable.
  IconImageSetPtr Read(const SaveSource& source);

 private:
  const IconFileIO& m_io;
  std::unique_ptr<ModuleResources> m_module;
  std::string m_modulePath;
};
