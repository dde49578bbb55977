#pragma once
// Whether new files can be created in a folder, found out without touching
// anything already there.

#include "framework/String.h"

// Creates a file under a name that does not exist yet (exclusively, so a
// file of the user's is never opened, replaced or deleted), then deletes
// that file. The folder may end with a backslash or not.
bool CanCreateFilesIn(const CString& folder);
