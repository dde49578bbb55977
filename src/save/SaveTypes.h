#pragma once
// The types icons are saved as, in the order the Setting dialog's default-type
// list and Save As's type list show them: both lists, the "DefaultType"
// setting and the writer read this one table.

#include <array>
#include <cstddef>

struct SaveType {
  const char* extension;    // lower case, also the "DefaultType" value
  const char* listName;     // the Setting dialog's entry
  const char* filterEntry;  // Save As's entry, "Name (*.ext)|*.ext|"
};

constexpr size_t kSaveTypeCount = 3;
extern const std::array<SaveType, kSaveTypeCount> kSaveTypes;

// The position of a lower-case type in the table, or -1.
int SaveTypePosition(const char* extension);
