#pragma once
// The command keeps paths as UTF-8 strings; std::filesystem gets them as
// wide names on Windows (never through the ANSI code page) and as the bytes
// they are elsewhere.

#include <filesystem>
#include <string>

std::filesystem::path FsPath(const std::string& utf8);
std::string Utf8Path(const std::filesystem::path& path);

// The running system's Windows folder, as UTF-8; empty where there is none.
std::string SystemWindowsFolder();
