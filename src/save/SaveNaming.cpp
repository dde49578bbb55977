#include "save/SaveNaming.h"

#include <windows.h>

#include <cstring>

#include "save/SaveTypes.h"

CString WithTrailingBackslash(const CString& folder) {
  if (folder.GetLength() > 0 && folder.GetAt(folder.GetLength() - 1) == '\\') return folder;
  return folder + "\\";
}

CString SavedFileName(const CString& folder, const CString& baseName, int number, const CString& type) {
  CString digits;
  digits.Format("%04d", number);
  return WithTrailingBackslash(folder) + baseName + "_" + digits + "." + type;
}

CString SaveTypeFromSetting(const CString& setting) {
  CString type = setting;
  type.MakeLower();
  return IsSavableType(type) ? type : CString(kSaveTypes[0].extension);
}

bool IsSavableType(const CString& type) { return SaveTypePosition(type) >= 0; }

std::string BaseNameProblem(const CString& baseName) {
  const std::string name(baseName);
  if (name.find("..") != std::string::npos) return "it holds \"..\", which names the folder above";
  for (const char c : name) {
    if (c == '\\' || c == '/') return std::string("it holds \"") + c + "\", which separates folders";
    if (std::strchr("<>:\"|?*", c)) return std::string("it holds \"") + c + "\", which no file name can hold";
    if (static_cast<unsigned char>(c) < 0x20) return "it holds a control character, which no file name can hold";
  }
  return std::string();
}

bool SavedNamesFit(const CString& folder, const CString& baseName, int count, const CString& type) {
  const std::string longest(SavedFileName(folder, baseName, count > 0 ? count - 1 : 0, type));
  // The system's limit counts UTF-16 units, not the bytes of the code page.
  const int units = ::MultiByteToWideChar(CP_ACP, 0, longest.c_str(), -1, nullptr, 0);
  return units > 0 && units <= MAX_PATH;
}
