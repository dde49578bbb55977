#include "save/SaveNaming.h"

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
