#pragma once
// Current Windows keeps the icons of its system modules in resource-only
// companions: <Windows>\SystemResources\<file name>.mun.

#include <string>

// The companion of a module, or empty when there is none. A module inside a
// folder named System32 or SysWOW64 (any case) looks in that folder's sibling
// SystemResources, as a Windows partition mounted elsewhere holds it (names
// compared without case); then, when one is given, in `windowsFolder`'s.
std::string FindCompanion(const std::string& modulePath, const std::string& windowsFolder);
