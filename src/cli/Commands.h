#pragma once
// The sub-commands; each returns the exit status (0 all read, 1 some refused).

#include "cli/CommandLine.h"

int RunList(const Options& options);
// ico and png: every group of every input written into the output folder.
int RunExtract(const Options& options);
int RunThumbnail(const Options& options);
