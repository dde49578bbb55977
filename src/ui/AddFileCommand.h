#pragma once
// Add File's type list for the open-file dialog.

#include "collection/IconCollection.h"
#include "framework/String.h"

// First one entry with the patterns of every switched-on type, then one entry
// per switched-on type, in the fixed order exe, dll, ico, icl, cpl, ocx, scr.
CString AddFileFilter(const CIconCollection& icons);
