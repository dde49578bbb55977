#include "ScriptTree.h"

#include "formats/ResourceName.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"
#include "support/WinTestSupport.h"

std::vector<TreeIcon> MakeScriptTree(const std::string& folder) {
  std::vector<TreeIcon> icons;
  std::vector<BuiltResource> resources;
  for (uint16_t id = 1; id <= 10; ++id) {
    const Bytes image = SolidIconBlock(RGB(20 * id, 255 - 15 * id, 90));
    resources.push_back({kResourceIcon, ResourceName::Id(id), 0x409, image});
    resources.push_back({kResourceGroupIcon, ResourceName::Id(id), 0x409, BuildGroupIcon({image}, {id})});
    icons.push_back({"图标.dll", id, image});
  }
  if (!MakeFolderAt(folder + "\\ελληνικά") || !WriteBytesAt(folder + "\\图标.dll", BuildPeModule(resources))) return {};
  for (const char* name : {"café.ico", "Пример.ico", "ελληνικά\\ένα.ico"}) {
    const Bytes image = MakeDibBlock(32, 32, 4, 0, static_cast<uint8_t>(icons.size()));
    if (!WriteBytesAt(folder + "\\" + name, BuildIcoFile({image}))) return {};
    icons.push_back({name, 0, image});
  }
  return icons;
}
