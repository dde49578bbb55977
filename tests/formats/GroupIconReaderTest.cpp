// Reading the images of an icon group out of PE and NE modules.

#include <gtest/gtest.h>

#include "FormatTestHelpers.h"
#include "formats/IconFileIO.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace {

enum class ModuleKind { Pe32, Pe32Plus, Ne };

std::vector<uint8_t> BuildModule(ModuleKind kind, const std::vector<BuiltResource>& resources) {
  switch (kind) {
    case ModuleKind::Pe32: return BuildPeModule(resources);
    case ModuleKind::Pe32Plus: return BuildPeModule(resources, PeLayout{true, 0x8664});
    case ModuleKind::Ne: return BuildNeModule(resources);
  }
  return {};
}

const char* IdName(uintptr_t id) { return reinterpret_cast<const char*>(id); }

// A module with a named group of three images (one PNG), a numeric group of
// one, and a group naming an icon id the module lacks.
struct GroupModule {
  std::vector<std::vector<uint8_t>> named = {MakeDibBlock(16, 16, 4, 0, 1), MakeDibBlock(32, 32, 8, 0, 2),
                                             MakePngBlock(256, 256, 3)};
  std::vector<std::vector<uint8_t>> numbered = {MakeDibBlock(48, 48, 32, 0, 4)};

  std::vector<uint8_t> Build(ModuleKind kind) const {
    return BuildModule(kind, {
                                 {kResourceIcon, ResourceName::Id(1), 0x409, named[0]},
                                 {kResourceIcon, ResourceName::Id(2), 0x409, named[1]},
                                 {kResourceIcon, ResourceName::Id(3), 0x409, named[2]},
                                 {kResourceIcon, ResourceName::Id(7), 0x409, numbered[0]},
                                 {kResourceGroupIcon, ResourceName::Text("MAINICON"), 0x409,
                                  BuildGroupIcon(named, {1, 2, 3})},
                                 {kResourceGroupIcon, ResourceName::Id(101), 0x409, BuildGroupIcon(numbered, {7})},
                                 {kResourceGroupIcon, ResourceName::Id(102), 0x409,
                                  BuildGroupIcon({named[0], named[1]}, {1, 9})},
                             });
  }
};

// An NE module stores lengths in units of its alignment (16 bytes here), so
// its resources come back padded to that unit, as the system reports them.
void ExpectBlocks(const IconImageSet& set, const std::vector<std::vector<uint8_t>>& blocks, size_t unit = 1) {
  ASSERT_EQ(set.imageCount, blocks.size());
  for (size_t i = 0; i < blocks.size(); ++i) {
    const IconImage& image = set.images[i];
    ASSERT_EQ(image.blockSize, (blocks[i].size() + unit - 1) / unit * unit) << "image " << i;
    EXPECT_EQ(std::vector<uint8_t>(image.block, image.block + blocks[i].size()), blocks[i]) << "image " << i;
  }
}

size_t LengthUnit(ModuleKind kind) { return kind == ModuleKind::Ne ? 16 : 1; }

class GroupIconReader : public testing::TestWithParam<ModuleKind> {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteBytes(module.str(), fixture.Build(GetParam()))); }
  GroupModule fixture;
  TempPath module{".dll"};
  IconFileIO io;
};

TEST_P(GroupIconReader, ReadsAGroupByTextNameOrNumericId) {
  const IconImageSetPtr set = io.LoadGroupIcon(module.str(), "MAINICON");
  ASSERT_TRUE(set);
  ExpectBlocks(*set, fixture.named, LengthUnit(GetParam()));
  EXPECT_EQ(std::string(set->modulePath), module.str());
  EXPECT_EQ(std::string(set->icoPath), "");
  EXPECT_EQ(set->images[1].kind, ImageKind::Dib);
  EXPECT_EQ(set->images[1].width, 32u);
  EXPECT_EQ(set->images[2].kind, ImageKind::Png);
  EXPECT_EQ(set->images[2].width, 256u);

  const IconImageSetPtr numbered = io.LoadGroupIcon(module.str(), IdName(101));
  ASSERT_TRUE(numbered);
  ExpectBlocks(*numbered, fixture.numbered, LengthUnit(GetParam()));
  EXPECT_EQ(numbered->images[0].colorBits, 32u);
}

TEST_P(GroupIconReader, RefusesAGroupNamingAMissingIconAMissingGroupOrNoName) {
  EXPECT_EQ(io.LoadGroupIcon(module.str(), IdName(102)), nullptr);
  EXPECT_EQ(io.LoadGroupIcon(module.str(), IdName(103)), nullptr);
  EXPECT_EQ(io.LoadGroupIcon(module.str(), "OTHER"), nullptr);
  EXPECT_EQ(io.LoadGroupIcon(module.str(), nullptr), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Modules, GroupIconReader,
                         testing::Values(ModuleKind::Pe32, ModuleKind::Pe32Plus, ModuleKind::Ne),
                         [](const testing::TestParamInfo<ModuleKind>& info) {
                           return std::string(info.param == ModuleKind::Pe32       ? "Pe32"
                                              : info.param == ModuleKind::Pe32Plus ? "Pe32Plus"
                                                                                   : "Ne");
                         });

std::unique_ptr<ModuleResources> OpenModule(const std::vector<BuiltResource>& resources) {
  return ModuleResources::Open(std::make_unique<MemorySource>(BuildPeModule(resources)));
}

TEST(GroupIconReaderEdges, ReadsAnEmptyGroupAsAnEmptySet) {
  const auto module = OpenModule({{kResourceGroupIcon, ResourceName::Id(1), 0x409, BuildGroupIcon({}, {})}});
  ASSERT_TRUE(module);
  const IconImageSetPtr set = IconFileIO().LoadGroupIcon(*module, ResourceName::Id(1), "m.dll");
  ASSERT_TRUE(set);
  EXPECT_EQ(set->imageCount, 0u);
}

TEST(GroupIconReaderEdges, RefusesAGroupShorterThanItsCount) {
  std::vector<uint8_t> group = BuildGroupIcon({MakeDibBlock(16, 16, 4)}, {1});
  group.resize(group.size() - 1);
  const auto module = OpenModule({{kResourceIcon, ResourceName::Id(1), 0x409, MakeDibBlock(16, 16, 4)},
                                  {kResourceGroupIcon, ResourceName::Id(1), 0x409, group}});
  ASSERT_TRUE(module);
  EXPECT_EQ(IconFileIO().LoadGroupIcon(*module, ResourceName::Id(1), "m.dll"), nullptr);
}

TEST(GroupIconReaderEdges, TakesTheBlockLengthFromTheModuleNotTheGroup) {
  const std::vector<uint8_t> icon = MakeDibBlock(16, 16, 4);
  std::vector<uint8_t> group = BuildGroupIcon({icon}, {5});
  PutU32At(group, 6 + 8, 12);  // a wrong length in the group entry
  const auto module = OpenModule(
      {{kResourceIcon, ResourceName::Id(5), 0x409, icon}, {kResourceGroupIcon, ResourceName::Id(1), 0x409, group}});
  ASSERT_TRUE(module);
  const IconImageSetPtr set = IconFileIO().LoadGroupIcon(*module, ResourceName::Id(1), "m.dll");
  ASSERT_TRUE(set);
  ExpectBlocks(*set, {icon});
}

TEST(GroupIconReaderEdges, RefusesAGroupThatCopiesMoreThanTheModuleHolds) {
  // Many entries naming one image: each is a legitimate lookup, but together
  // they would copy the image far more often than the file could hold it.
  const std::vector<uint8_t> icon = MakeDibBlock(32, 32, 32);
  const std::vector<std::vector<uint8_t>> blocks(200, icon);
  const auto module = OpenModule({{kResourceIcon, ResourceName::Id(1), 0x409, icon},
                                  {kResourceGroupIcon, ResourceName::Id(1), 0x409,
                                   BuildGroupIcon(blocks, std::vector<uint16_t>(200, 1))}});
  ASSERT_TRUE(module);
  EXPECT_EQ(IconFileIO().LoadGroupIcon(*module, ResourceName::Id(1), "m.dll"), nullptr);

  const std::vector<std::vector<uint8_t>> twice(2, icon);
  const auto small = OpenModule({{kResourceIcon, ResourceName::Id(1), 0x409, icon},
                                 {kResourceIcon, ResourceName::Id(2), 0x409, icon},
                                 {kResourceGroupIcon, ResourceName::Id(1), 0x409, BuildGroupIcon(twice, {1, 1})}});
  ASSERT_TRUE(small);
  EXPECT_NE(IconFileIO().LoadGroupIcon(*small, ResourceName::Id(1), "m.dll"), nullptr);
}

TEST(GroupIconReaderEdges, CutsAnOverlongModulePathToTheFieldSize) {
  const auto module = OpenModule({{kResourceGroupIcon, ResourceName::Id(1), 0x409, BuildGroupIcon({}, {})}});
  ASSERT_TRUE(module);
  const std::string longPath(400, 'p');
  const IconImageSetPtr set = IconFileIO().LoadGroupIcon(*module, ResourceName::Id(1), longPath);
  ASSERT_TRUE(set);
  EXPECT_EQ(std::string(set->modulePath), longPath.substr(0, kMaxPathChars - 1));
}

}  // namespace
