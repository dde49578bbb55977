#pragma once
// The files a command reads: each PATH that is a file, and with -r every file
// of a listed type under each PATH that is a folder.

#include <functional>
#include <string>
#include <vector>

#include "cli/Outcome.h"

// `named`: the path was given on the command line, not found by a folder walk.
using FileVisitor = std::function<void(const std::string& path, bool named)>;

// Folders are walked as Add Folder walks them: every subfolder, hidden ones
// too, entered where it stands, here in name order; a folder reached again
// through a link is not walked again. Paths that cannot be read are refused.
void ForEachInput(const std::vector<std::string>& paths, bool recursive, Outcome& outcome, const FileVisitor& visit);
