// Extracts every icon group of every module under a folder to .ico files, the
// way the save path reads and writes them. Used by bench/extract-vs-wrestool.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "formats/IconFileIO.h"
#include "formats/ModuleResources.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FOLDER OUTPUT-FOLDER\n", argv[0]);
    return 2;
  }
  const fs::path output = argv[2];
  std::error_code error;
  fs::create_directories(output, error);
  const IconFileIO io;
  long modules = 0, icons = 0, failed = 0;
  for (fs::recursive_directory_iterator it(argv[1], error), end; !error && it != end; it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    const std::string path = it->path().string();
    const auto module = ModuleResources::OpenFile(path);
    if (!module) continue;
    ++modules;
    const std::string stem = it->path().filename().string();
    for (const ResourceName& name : module->EnumNames(kResourceGroupIcon)) {
      const IconImageSetPtr set = io.LoadGroupIcon(*module, name, path);
      const std::string target =
          (output / (stem + "_" + (name.isId ? std::to_string(name.id) : name.text) + ".ico")).string();
      if (set && io.SaveIcoFile(*set, target)) {
        ++icons;
      } else {
        ++failed;
      }
    }
  }
  std::printf("%ld modules, %ld icons written, %ld failed\n", modules, icons, failed);
  return failed == 0 ? 0 : 1;
}
