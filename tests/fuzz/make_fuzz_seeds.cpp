// Writes the fuzzers' seed corpus: small .ico files and PE32, PE32+ and NE
// modules with icon groups, all made by the builders the tests use.
//   make_fuzz_seeds DIR   writes DIR/ico/*.ico and DIR/module/*

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace fs = std::filesystem;

namespace {

// Small images keep the corpus, and so the fuzzers' input length, small.
std::vector<BuiltResource> IconGroups() {
  const std::vector<uint8_t> dib = MakeDibBlock(16, 16, 4, 0, 1);
  const std::vector<uint8_t> png = MakePngBlock(8, 8, 2);
  const std::vector<uint8_t> mono = MakeDibBlock(8, 8, 1, 0, 3);
  return {
      {kResourceIcon, ResourceName::Id(1), 0x409, dib},
      {kResourceIcon, ResourceName::Id(2), 0x409, png},
      {kResourceIcon, ResourceName::Id(3), 0x409, mono},
      {kResourceIcon, ResourceName::Id(3), 0x407, MakeDibBlock(8, 8, 1, 0, 4)},
      {kResourceGroupIcon, ResourceName::Text("MAINICON"), 0x409, BuildGroupIcon({dib, png}, {1, 2})},
      {kResourceGroupIcon, ResourceName::Id(100), 0x409, BuildGroupIcon({mono}, {3})},
  };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  const fs::path root = argv[1];
  std::error_code error;
  fs::create_directories(root / "ico", error);
  fs::create_directories(root / "module", error);
  if (error) {
    std::fprintf(stderr, "cannot create %s: %s\n", argv[1], error.message().c_str());
    return 1;
  }

  const std::vector<std::pair<std::string, std::vector<uint8_t>>> seeds = {
      {"ico/empty.ico", BuildIcoFile({})},
      {"ico/dib1.ico", BuildIcoFile({MakeDibBlock(16, 16, 1)})},
      {"ico/dib4.ico", BuildIcoFile({MakeDibBlock(16, 16, 4)})},
      {"ico/dib8.ico", BuildIcoFile({MakeDibBlock(16, 16, 8)})},
      {"ico/dib8-16colours.ico", BuildIcoFile({MakeDibBlock(16, 16, 8, 16)})},
      {"ico/dib24.ico", BuildIcoFile({MakeDibBlock(16, 16, 24)})},
      {"ico/dib32.ico", BuildIcoFile({MakeDibBlock(16, 16, 32)})},
      {"ico/png.ico", BuildIcoFile({MakePngBlock(16, 16)})},
      {"ico/mixed.ico", BuildIcoFile({MakePngBlock(8, 8), MakeDibBlock(8, 8, 4), MakeDibBlock(8, 8, 32)})},
      {"module/pe32.dll", BuildPeModule(IconGroups())},
      {"module/pe32plus.dll", BuildPeModule(IconGroups(), PeLayout{true, 0x8664})},
      {"module/ne.icl", BuildNeModule(IconGroups())},
  };
  for (const auto& [name, bytes] : seeds) {
    if (!WriteBytes((root / name).string(), bytes)) {
      std::fprintf(stderr, "cannot write %s\n", (root / name).string().c_str());
      return 1;
    }
  }
  std::printf("%zu seeds written to %s\n", seeds.size(), argv[1]);
  return 0;
}
