#pragma once
// The kinds of file icons are taken from, by extension: every front end, the
// loader, the search and the save read this one table.

#include <array>
#include <cstddef>
#include <string>

// The seven type switches, in the order of the "Filter" settings.
enum class TypeSwitch : size_t { Exe, Dll, Ico, Icl, Cpl, Ocx, Scr };
constexpr size_t kTypeSwitchCount = 7;

struct FileType {
  const char* extension;  // lower case, without the dot
  bool isModule;          // icon groups of a module, not an .ico file
  TypeSwitch switchedBy;  // the filter switch that takes it
};

constexpr size_t kFileTypeCount = 8;
extern const std::array<FileType, kFileTypeCount> kFileTypes;

// The type of a lowercase extension (no dot), or null.
const FileType* FindFileType(const std::string& extension);

// The text with A-Z made a-z, every other byte kept: names compared without case.
std::string AsciiLowercase(std::string text);

// The extension after the last dot of the file name, ASCII-lowercased, without the dot.
std::string LowercaseExtension(const std::string& path);
