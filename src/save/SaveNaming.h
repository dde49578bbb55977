#pragma once
// How saved files are named and typed: folder + base name + "_" + a number of
// at least four digits + "." + type, e.g. C:\IconLibrary\Untitled_0000.ico.

#include "framework/String.h"

// The folder with one backslash at its end.
CString WithTrailingBackslash(const CString& folder);
CString SavedFileName(const CString& folder, const CString& baseName, int number, const CString& type);
// The type a "DefaultType" setting stands for, in any case; anything unknown
// (an empty value too) is ico.
CString SaveTypeFromSetting(const CString& setting);
// Whether icons can be written as this type (lower case).
bool IsSavableType(const CString& type);
