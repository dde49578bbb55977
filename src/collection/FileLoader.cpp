// Taking in the icons of one file: an .ico file gives one icon, a module one
// icon per icon group, in the order the system enumerates them.

#include <windows.h>
#include <shellapi.h>

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

HICON IconFromGroup(const ModuleResources& module, const ResourceName& group) {
  const auto directory = module.Find(kResourceGroupIcon, group);
  if (!directory || !IsWholeGroup(*directory)) return nullptr;
  const int imageId = LookupIconIdFromDirectory(const_cast<PBYTE>(directory->data()), TRUE) & 0xFFFF;
  if (imageId == 0) return nullptr;
  auto image = module.Find(kResourceIcon, ResourceName::Id(static_cast<uint16_t>(imageId)));
  if (!image || image->empty()) return nullptr;
  // Not CreateIconFromResource: it asks for a shared icon, which DestroyIcon
  // leaves alive, so every icon ever listed would stay in memory.
  return CreateIconFromResourceEx(image->data(), static_cast<DWORD>(image->size()), TRUE, 0x00030000, 0, 0,
                                  LR_DEFAULTSIZE);
}

bool CIconCollection::IsTypeSwitchedOn(const std::string& extension) const {
  const FileType* type = FindFileType(extension);
  return type && this->*SwitchOf(*type).switchedOn;
}

TypeSwitches CIconCollection::Switches() const {
  TypeSwitches switches{};
  for (size_t i = 0; i < kTypeSwitchCount; ++i) switches[i] = this->*kFilterSwitches[i].switchedOn != FALSE;
  return switches;
}

void CIconCollection::LoadFromFile(LPCSTR path, BOOL checked) {
  std::vector<FoundIcon> found;
  ReadIconsOfFile(path, Switches(), nullptr, [&found](FoundIcon icon) { found.push_back(std::move(icon)); });
  AppendFound(found, checked);
}

void ReadIconsOfFile(LPCSTR path, const TypeSwitches& switches, const std::atomic<LONG>* stop,
                     const std::function<void(FoundIcon)>& take) {
  const FileType* type = FindFileType(LowercaseExtension(path));
  if (!type || !switches[static_cast<size_t>(type->switchedBy)]) return;
  if (!type->isModule) {
    OwnedIcon icon(ExtractIconA(AfxGetInstanceHandle(), path, 0));
    // 1 means "not an icon file", not a handle.
    if (icon.get() == reinterpret_cast<HICON>(1)) {
      icon.release();
      return;
    }
    if (icon) take(FoundIcon{std::move(icon), path, std::nullopt});
    return;
  }
  const auto module = ModuleResources::OpenFile(path);
  if (!module) return;
  for (const ResourceName& group : module->EnumNames(kResourceGroupIcon)) {
    if (stop && *stop) return;
    // A group whose picture cannot be made is left out; later groups still load.
    OwnedIcon icon(IconFromGroup(*module, group));
    if (icon) take(FoundIcon{std::move(icon), path, group});
  }
}
