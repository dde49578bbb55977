#include "save/SaveTypes.h"

#include <cstring>

const std::array<SaveType, kSaveTypeCount> kSaveTypes = {{
    {"ico", "Icon File", "Icon Files (*.ico)|*.ico|"},
    {"bmp", "Bmp File", "Bmp Files (*.bmp)|*.bmp|"},
    {"png", "PNG Image", "PNG Image (*.png)|*.png|"},
}};

int SaveTypePosition(const char* extension) {
  for (size_t i = 0; i < kSaveTypeCount; ++i)
    if (std::strcmp(extension, kSaveTypes[i].extension) == 0) return static_cast<int>(i);
  return -1;
}
