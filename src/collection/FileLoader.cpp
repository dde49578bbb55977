// Taking in the icons of one file: an .ico file gives one icon, a module one
// icon per icon group, in the order the system enumerates them.

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <vector>

#include "collection/IconCollection.h"
#include "formats/ByteReader.h"
#include "framework/WinApp.h"

namespace {

const size_t kGroupHeaderBytes = 6;
const size_t kGroupEntryBytes = 14;

// The system's picker reads as many entries as the count claims and is given no
// length, so the count is checked against the bytes first.
bool IsWholeGroup(const std::vector<uint8_t>& group) {
  const ByteReader reader(group.data(), group.size());
  const auto count = reader.U16(4);
  return count && *count > 0 && reader.Has(kGroupHeaderBytes, uint64_t{*count} * kGroupEntryBytes);
}

}  // namespace

std::string LowercaseExtension(LPCSTR path) {
  char extension[_MAX_EXT] = {};
  _splitpath(path, nullptr, nullptr, nullptr, extension);
  CharLowerA(extension);
  return extension[0] == '.' ? std::string(extension + 1) : std::string();
}

HICON IconFromGroup(const ModuleResources& module, const ResourceName& group) {
  const auto directory = module.Find(kResourceGroupIcon, group);
  if (!directory || !IsWholeGroup(*directory)) return nullptr;
  const int imageId = LookupIconIdFromDirectory(const_cast<PBYTE>(directory->data()), TRUE) & 0xFFFF;
  if (imageId == 0) return nullptr;
  auto image = module.Find(kResourceIcon, ResourceName::Id(static_cast<uint16_t>(imageId)));
  if (!image || image->empty()) return nullptr;
  return CreateIconFromResource(image->data(), static_cast<DWORD>(image->size()), TRUE, 0x00030000);
}

bool CIconCollection::IsTypeSwitchedOn(const std::string& extension) const {
  return (extension == "ico" && m_filterIco) || (extension == "exe" && m_filterExe) ||
         (extension == "dll" && m_filterDll) || (extension == "icl" && m_filterIcl) ||
         (extension == "ocx" && m_filterOcx) || (extension == "cpl" && m_filterCpl) ||
         (extension == "scr" && m_filterScr);
}

void CIconCollection::LoadFromFile(LPCSTR path, BOOL checked, const std::atomic<LONG>* stop) {
  const std::string extension = LowercaseExtension(path);
  if (!IsTypeSwitchedOn(extension)) return;
  if (extension == "ico") {
    LoadIconFile(path, checked);
  } else {
    LoadModule(path, checked, stop);
  }
}

void CIconCollection::LoadIconFile(LPCSTR path, BOOL checked) {
  const HICON icon = ExtractIconA(AfxGetInstanceHandle(), path, 0);
  // 1 means "not an icon file", not a handle.
  if (!icon || icon == reinterpret_cast<HICON>(1)) return;
  Append(icon, path, nullptr, checked);
  DestroyIcon(icon);
}

void CIconCollection::LoadModule(LPCSTR path, BOOL checked, const std::atomic<LONG>* stop) {
  const auto module = ModuleResources::OpenFile(path);
  if (!module) return;
  for (const ResourceName& group : module->EnumNames(kResourceGroupIcon)) {
    if (stop && *stop) return;
    // A group whose picture cannot be made is left out; later groups still load.
    const HICON icon = IconFromGroup(*module, group);
    if (!icon) continue;
    const LPCSTR name = group.isId ? MAKEINTRESOURCEA(group.id) : group.text.c_str();
    const bool added = Append(icon, path, name, checked);
    DestroyIcon(icon);
    if (!added) return;
  }
}

bool CIconCollection::Append(HICON icon, LPCSTR path, LPCSTR resourceName, BOOL checked) {
  auto* source = new IconSource;
  // A path that does not fit the record is never cut into another file's path.
  if (!source->SetPath(path)) {
    delete source;
    return false;
  }
  if (resourceName) source->SetResourceName(resourceName);
  const int index = GetCount();
  m_sources.SetAtGrow(index, source);
  AddIcon(icon, index, checked);
  return true;
}
