#pragma once
// How saved files are named and typed: folder + base name + "_" + a number of
// at least four digits + "." + type, e.g. C:\IconLibrary\Untitled_0000.ico.

#include <string>

#include "framework/String.h"

// The folder with one backslash at its end.
CString WithTrailingBackslash(const CString& folder);
CString SavedFileName(const CString& folder, const CString& baseName, int number, const CString& type);
// The type a "DefaultType" setting stands for, in any case; anything unknown
// (an empty value too) is ico.
CString SaveTypeFromSetting(const CString& setting);
// Whether icons can be written as this type (lower case).
bool IsSavableType(const CString& type);

// Why a base name cannot begin the saved files' names, or empty when it can:
// a path separator, "..", or a character no file name holds would put the
// files outside their folder or nowhere.
std::string BaseNameProblem(const CString& baseName);
// Whether every name a save of `count` icons writes fits the system's path limit.
bool SavedNamesFit(const CString& folder, const CString& baseName, int count, const CString& type);
