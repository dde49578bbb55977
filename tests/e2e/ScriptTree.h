#pragma once
// A folder of files named in four scripts, as a user in any country has them:
// café.ico, Пример.ico, a module 图标.dll of ten icon groups, and
// ελληνικά\ένα.ico. Every icon holds one image of its own.

#include <string>
#include <vector>

#include "support/TestFiles.h"

struct TreeIcon {
  std::string file;  // UTF-8, relative to the tree's folder
  int group;         // the module's icon group; 0 for an .ico file
  Bytes image;
};

// Writes the tree into the existing folder (a UTF-8 path); empty on failure.
std::vector<TreeIcon> MakeScriptTree(const std::string& folder);
