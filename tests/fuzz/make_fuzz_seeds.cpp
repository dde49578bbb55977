// Writes the fuzzers' seed corpus, made by the builders the tests use: small
// .ico files, PE32, PE32+ and NE modules with icon groups, and image blocks.
//   make_fuzz_seeds DIR   writes DIR/ico/*.ico, DIR/module/* and DIR/pixels/*

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "formats/IconPixels.h"
#include "formats/PngWriter.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  const std::string root = argv[1];
  std::error_code error;
  std::filesystem::create_directories(root + "/ico", error);
  std::filesystem::create_directories(root + "/module", error);
  std::filesystem::create_directories(root + "/pixels", error);
  // Small images keep the corpus, and so the fuzzers' input length, small.
  const Bytes png = MakePngBlock(8, 8), dib = MakeDibBlock(8, 8, 4), mono = MakeDibBlock(8, 8, 1, 0, 1);
  const std::vector<BuiltResource> groups = {
      {kResourceIcon, ResourceName::Id(1), 0x409, dib},
      {kResourceIcon, ResourceName::Id(2), 0x409, png},
      {kResourceIcon, ResourceName::Id(3), 0x409, mono},
      {kResourceIcon, ResourceName::Id(3), 0x407, dib},
      {kResourceGroupIcon, ResourceName::Text("MAINICON"), 0x409, BuildGroupIcon({dib, png}, {1, 2})},
      {kResourceGroupIcon, ResourceName::Id(100), 0x409, BuildGroupIcon({mono}, {3})},
  };
  bool written = !error;
  for (const uint16_t bits : {1, 4, 8, 16, 24, 32}) {
    const Bytes block = MakeDibBlock(8, 8, bits);
    written &= WriteBytes(root + "/ico/dib" + std::to_string(bits) + ".ico", BuildIcoFile({block}));
    written &= WriteBytes(root + "/pixels/dib" + std::to_string(bits), block);
    const auto pixels = DibToRgba(block.data(), block.size());
    written &= pixels && WriteBytes(root + "/pixels/png" + std::to_string(bits), EncodePng(*pixels));
  }
  written &= WriteBytes(root + "/ico/mixed.ico", BuildIcoFile({png, MakeDibBlock(8, 8, 8, 16), mono}));
  // Images the pick must decode: a real PNG, and 5-6-5 bit fields (masks after the header).
  Bytes fields = MakeDibBlock(8, 8, 16);
  PutU32At(fields, 16, 3);
  fields.insert(fields.begin() + 40, {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0});
  written &= WriteBytes(root + "/ico/picked.ico",
                        BuildIcoFile({EncodePng({8, 8, Bytes(8 * 8 * 4, 200)}), fields, MakeDibBlock(16, 16, 24, 2)}));
  written &= WriteBytes(root + "/module/pe32.dll", BuildPeModule(groups));
  written &= WriteBytes(root + "/module/pe32plus.dll", BuildPeModule(groups, true));
  written &= WriteBytes(root + "/module/ne.icl", BuildNeModule(groups));
  if (!written) std::fprintf(stderr, "cannot write the seeds into %s\n", argv[1]);
  return written ? 0 : 1;
}
