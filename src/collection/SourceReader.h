#pragma once
// An icon read again from its source with every image, as the save, the
// tooltip and the copy to the clipboard need it.

#include <memory>
#include <optional>
#include <string>

#include "collection/IconSource.h"
#include "formats/IconFileReader.h"
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
  // Null when the source is gone, changed or unreadable, or none of its
  // images can be read; Problem() then says why.
  IconImageSetPtr Read(const SaveSource& source);
  const std::string& Problem() const { return m_problem; }

 private:
  std::unique_ptr<IconFileReader> m_reader;
  std::string m_path;
  std::string m_problem;
};
