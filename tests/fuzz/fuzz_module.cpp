// Feeds arbitrary bytes to the module resource reader as a PE or NE module:
// every icon and icon-group name it enumerates is looked up, and a few ids and
// texts besides, so the lookups walk damaged directories as well as sound ones.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "formats/ModuleResources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto module = ModuleResources::Open(std::make_unique<MemorySource>(std::vector<uint8_t>(data, data + size)));
  if (!module) return 0;
  for (const uint16_t type : {kResourceIcon, kResourceGroupIcon}) {
    for (const ResourceName& name : module->EnumNames(type)) module->Find(type, name);
    for (const uint16_t id : {0, 1, 2, 7, 0x7FFF, 0xFFFF}) module->Find(type, ResourceName::Id(id));
    module->Find(type, ResourceName::Text("MAIN"));
    module->Find(type, ResourceName::Text(""));
  }
  module->EnumNames(0);
  return 0;
}
