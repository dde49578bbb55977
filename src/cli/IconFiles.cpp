#include "cli/IconFiles.h"

#include <cerrno>
#include <cstring>

#include "cli/BlockFileSource.h"
#include "formats/FileTypes.h"
#include "formats/IconFileIO.h"
#include "formats/ModuleResources.h"

std::string GroupName(const ResourceName& name) { return name.isId ? std::to_string(name.id) : name.text; }

std::string GroupLabel(const std::optional<ResourceName>& name) { return name ? "icon group " + GroupName(*name) : "icon"; }

FileIcons ReadIcons(const std::string& path, bool firstGroupOnly) {
  FileIcons icons;
  const FileType* type = FindFileType(LowercaseExtension(path));
  if (!type) {
    icons.error = "not a module or .ico file by its extension";
    return icons;
  }
  std::unique_ptr<ByteSource> source = BlockFileSource::Open(path);
  if (!source) {
    icons.error = std::string("cannot be opened: ") + std::strerror(errno);
    return icons;
  }

  const IconFileIO io;
  if (!type->isModule) {
    source.reset();
    IconImageSetPtr set = io.LoadIcoFile(path);
    if (!set) icons.error = "not a readable icon file";
    else icons.groups.push_back({std::nullopt, std::move(set)});
    return icons;
  }

  const auto module = ModuleResources::Open(std::move(source));
  if (!module) {
    icons.error = "not a readable module";
    return icons;
  }
  for (const ResourceName& name : module->EnumNames(kResourceGroupIcon)) {
    IconImageSetPtr set = io.LoadGroupIcon(*module, name, path);
    if (set) icons.groups.push_back({name, std::move(set)});
    else if (icons.error.empty()) icons.error = GroupLabel(name) + " is not readable";
    if (firstGroupOnly) break;
  }
  return icons;
}
