#pragma once
// The save's work, on its worker thread: each ticked icon read again from its
// source with every image and written under the next number.

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "collection/SourceReader.h"
#include "save/SaveFailures.h"

struct SaveJob {
  std::string folder;
  std::string baseName;
  std::string type;  // the extension of one of kSaveTypes: "ico", "bmp" or "png"
};

// Writes the sources in order; `done` counts the files written (the
// user-interface thread reads it to move the bar), `failures` gains each
// icon that was not. False when it stopped on `stop`, which it reads before
// each icon.
bool SaveIcons(const SaveJob& job, const std::vector<SaveSource>& sources, const std::atomic<LONG>& stop,
               std::atomic<int>& done, std::vector<SaveFailure>& failures);
