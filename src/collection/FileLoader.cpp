// Taking in the icons of one file: an .ico file gives one icon, a module one
// icon per icon group, in the order the system enumerates them.

#include <windows.h>

#include <commctrl.h>

#include <new>
#include <vector>

#include "collection/IconCollection.h"

bool CIconCollection::IsTypeSwitchedOn(const std::string& extension) const {
  const FileType* type = FindFileType(extension);
  return type && this->*SwitchOf(*type).switchedOn;
}

PictureSides CIconCollection::Sides() const {
  PictureSides sides{kLargeIconSize, kSmallIconSize};
  if (m_largeImages) ImageList_GetIconSize(*m_largeImages, &sides.large, &sides.large);
  if (m_smallImages) ImageList_GetIconSize(*m_smallImages, &sides.small, &sides.small);
  return sides;
}

TypeSwitches CIconCollection::Switches() const {
  TypeSwitches switches{};
  for (size_t i = 0; i < kTypeSwitchCount; ++i) switches[i] = this->*kFilterSwitches[i].switchedOn != FALSE;
  return switches;
}

FileReading CIconCollection::LoadFromFile(LPCSTR path, BOOL checked) {
  std::vector<FoundIcon> found;
  const FileReading reading =
      ReadIconsOfFile(path, Switches(), Sides(), nullptr, [&found](FoundIcon icon) { found.push_back(std::move(icon)); });
  if (!AppendFound(found, checked)) return FileReading::kOutOfMemory;
  return reading;
}

namespace {

FileReading ReadModule(const char* path, const FileType& type, const PictureSides& sides, const std::atomic<LONG>* stop,
                       const std::function<void(FoundIcon)>& take) {
  std::string source = path;
  auto module = ModuleResources::OpenFile(source);
  if (!module) return FileReading::kNotReadable;
  std::vector<ResourceName> groups = module->EnumNames(kResourceGroupIcon);
  if (groups.empty() && std::string(type.extension) != "mun") {
    // The icons are listed, and later saved, from where they really are.
    auto companion = ModuleResources::OpenFile(CompanionOf(path));
    if (!companion) return FileReading::kNoIcon;
    source = CompanionOf(path);
    module = std::move(companion);
    groups = module->EnumNames(kResourceGroupIcon);
  }
  bool any = false;
  for (const ResourceName& group : groups) {
    if (stop && *stop) break;
    // A group whose pictures cannot be made is left out; later groups still load.
    auto pictures = PicturesOfGroup(*module, group, sides);
    if (!pictures) continue;
    take(FoundIcon{std::move(*pictures), source, group});
    any = true;
  }
  return any ? FileReading::kIconsRead : FileReading::kNoIcon;
}

}  // namespace

FileReading ReadIconsOfFile(LPCSTR path, const TypeSwitches& switches, const PictureSides& sides,
                            const std::atomic<LONG>* stop,
                            const std::function<void(FoundIcon)>& take) {
  const FileType* type = FindFileType(LowercaseExtension(path));
  if (!type || !switches[static_cast<size_t>(type->switchedBy)]) return FileReading::kTypeNotTaken;
  try {
    if (type->isModule) return ReadModule(path, *type, sides, stop, take);
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return FileReading::kNotReadable;
    auto pictures = PicturesOfIcoFile(path, sides);
    if (!pictures) return FileReading::kNoIcon;
    take(FoundIcon{std::move(*pictures), path, std::nullopt});
    return FileReading::kIconsRead;
  } catch (const std::bad_alloc&) {
    return FileReading::kOutOfMemory;
  }
}

const char* ReadingProblem(FileReading reading, bool isModule) {
  switch (reading) {
    case FileReading::kIconsRead:
      return nullptr;
    case FileReading::kTypeNotTaken:
      return "is not of a type the file filter takes";
    case FileReading::kNotReadable:
      return isModule ? "is not a readable module" : "cannot be read";
    case FileReading::kNoIcon:
      return "holds no icon";
    case FileReading::kOutOfMemory:
      break;
  }
  return "could not be read to the end: memory ran out";
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
