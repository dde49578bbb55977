#pragma once
// The icons a save could not write, and how the user is told about them.

#include <string>
#include <vector>

#include "collection/SourceReader.h"

struct SaveFailure {
  SaveSource source;
  // The name it was to be written as; empty when its source could not be read.
  std::string fileName;
  std::string reason;
};

// Why the last write to target failed: a folder in the way, or errno's text.
std::string WriteFailureReason(const std::string& target, int error);
// One message naming the first few failures and counting the rest.
std::string SaveFailureMessage(const std::vector<SaveFailure>& failures, int ticked);
