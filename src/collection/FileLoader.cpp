// Taking in the icons of one file: an .ico file gives one icon, a module one
// icon per icon group, in the order the system enumerates them.

#include <windows.h>

#include <vector>

#include "collection/IconCollection.h"

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
    auto pictures = PicturesOfIcoFile(path, {kLargeIconSize, kSmallIconSize});
    if (pictures) take(FoundIcon{std::move(*pictures), path, std::nullopt});
    return;
  }
  std::string source = path;
  auto module = ModuleResources::OpenFile(source);
  if (!module) return;
  std::vector<ResourceName> groups = module->EnumNames(kResourceGroupIcon);
  if (groups.empty() && std::string(type->extension) != "mun") {
    // The icons are listed, and later saved, from where they really are.
    source = CompanionOf(path);
    module = ModuleResources::OpenFile(source);
    if (!module) return;
    groups = module->EnumNames(kResourceGroupIcon);
  }
  for (const ResourceName& group : groups) {
    if (stop && *stop) return;
    // A group whose pictures cannot be made is left out; later groups still load.
    auto pictures = PicturesOfGroup(*module, group, {kLargeIconSize, kSmallIconSize});
    if (pictures) take(FoundIcon{std::move(*pictures), source, group});
  }
}

std::string CompanionOf(const std::string& modulePath) {
  char windows[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  const size_t nameStart = modulePath.find_last_of("\\/:");
  const std::string name = nameStart == std::string::npos ? modulePath : modulePath.substr(nameStart + 1);
  std::string folder(windows, length);
  if (folder.back() != '\\') folder += '\\';
  return folder + "SystemResources\\" + name + ".mun";
}
