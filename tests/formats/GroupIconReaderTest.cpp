// Reading the images of an icon group out of PE and NE modules.

#include <filesystem>

#include "FormatTestHelpers.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace {

using Names = std::vector<ResourceName>;

BuiltResource Icon(uint16_t id, Bytes block, uint16_t language = 0x409) {
  return {kResourceIcon, ResourceName::Id(id), language, std::move(block)};
}
BuiltResource Group(ResourceName name, Bytes group) { return {kResourceGroupIcon, name, 0x409, std::move(group)}; }
const char* IdName(uintptr_t id) { return reinterpret_cast<const char*>(id); }

// Each kind lists names in its table's order and finds the first language, or
// the first of equal names.
TEST(GroupIconReader, ReadsAGroupByTextNameOrIdFromPe32Pe32PlusAndNeFiles) {
  const std::vector<Bytes> named = {MakeDibBlock(16, 16, 4, 0, 1), MakeDibBlock(32, 32, 8, 0, 2),
                                    MakePngBlock(256, 256, 3)};
  const Bytes numbered = MakeDibBlock(48, 48, 32, 0, 4);
  Bytes lengthTooShort = BuildGroupIcon({numbered}, {7});
  PutU32At(lengthTooShort, 6 + 8, 12);  // the module's length counts, not the group's
  const std::vector<BuiltResource> resources = {
      Icon(1, named[0]),
      Icon(1, numbered, 0x407),
      Icon(2, named[1]),
      Icon(3, named[2]),
      Icon(7, numbered),
      Group(ResourceName::Text("MAINICON"), BuildGroupIcon(named, {1, 2, 3})),
      Group(ResourceName::Id(104), BuildGroupIcon({}, {})),
      Group(ResourceName::Id(101), lengthTooShort),
      Group(ResourceName::Id(102), BuildGroupIcon({named[0], named[1]}, {1, 9})),  // icon 9 is missing
  };
  const Names groups = {ResourceName::Text("MAINICON"), ResourceName::Id(104), ResourceName::Id(101),
                        ResourceName::Id(102)};
  const Names icons = {ResourceName::Id(1), ResourceName::Id(2), ResourceName::Id(3), ResourceName::Id(7)};
  // An NE module gives lengths in units of its alignment (512 bytes here), so
  // its images come back padded to that unit, as the system reports them.
  const struct {
    const char* name;
    Bytes module;
    Names icons;
    size_t unit;
  } kinds[] = {{"PE32", BuildPeModule(resources), icons, 1},
               {"PE32+", BuildPeModule(resources, true), icons, 1},
               {"NE", BuildNeModule(resources, 9), {icons[0], icons[0], icons[1], icons[2], icons[3]}, 512}};
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.name);
    const TempPath file;
    ASSERT_TRUE(WriteBytes(file.path, kind.module));
    {
      const auto module = ModuleResources::OpenFile(file.path);
      ASSERT_NE(module, nullptr);
      EXPECT_EQ(module->EnumNames(kResourceGroupIcon), groups);
      EXPECT_EQ(module->EnumNames(kResourceIcon), kind.icons);
      EXPECT_TRUE(module->EnumNames(2).empty());
      EXPECT_FALSE(module->Find(0x800E, ResourceName::Id(104)));  // the high bit of a type id is the NE table's own
      EXPECT_FALSE(module->Find(kResourceGroupIcon, ResourceName::Text("MAINICO")));
    }
    const IconFileIO io;
    const IconImageSetPtr set = io.LoadGroupIcon(file.path, "mainicon");
    ASSERT_NO_FATAL_FAILURE(ExpectBlocks(set, named, kind.unit));
    EXPECT_EQ(std::string(set->modulePath), file.path);
    EXPECT_EQ(std::string(set->icoPath), "");
    EXPECT_EQ(set->images[2].kind, ImageKind::Png);
    ExpectBlocks(io.LoadGroupIcon(file.path, IdName(101)), {numbered}, kind.unit);
    ExpectBlocks(io.LoadGroupIcon(file.path, IdName(104)), {});
    for (const char* refused : {IdName(102), IdName(103), "OTHER", static_cast<const char*>(nullptr)})
      EXPECT_EQ(io.LoadGroupIcon(file.path, refused), nullptr);
    // Windows removes no file that is still open.
    std::error_code error;
    EXPECT_TRUE(std::filesystem::remove(file.path, error)) << error.message();
  }
}

// Group 1 of a PE module held in memory.
IconImageSetPtr LoadGroup(const std::vector<BuiltResource>& resources, const std::string& path = "m.dll") {
  const auto module = ModuleResources::Open(std::make_unique<MemorySource>(BuildPeModule(resources)));
  return module ? IconFileIO().LoadGroupIcon(*module, ResourceName::Id(1), path) : nullptr;
}

TEST(GroupIconReader, RefusesAGroupShorterThanItsCountOrCopyingMoreThanTheModuleHolds) {
  const Bytes icon = MakeDibBlock(32, 32, 32);
  Bytes cut = BuildGroupIcon({icon}, {1});
  cut.pop_back();
  EXPECT_EQ(LoadGroup({Icon(1, icon), Group(ResourceName::Id(1), cut)}), nullptr);
  // Each of 200 entries naming one image is a fair lookup, but together they
  // would copy it far more often than the file could hold it.
  const Bytes many = BuildGroupIcon(std::vector<Bytes>(200, icon), std::vector<uint16_t>(200, 1));
  EXPECT_EQ(LoadGroup({Icon(1, icon), Group(ResourceName::Id(1), many)}), nullptr);
  // Twice is fair; an overlong module path is cut to its field.
  const std::string longPath(400, 'p');
  const Bytes twice = BuildGroupIcon({icon, icon}, {1, 1});
  const IconImageSetPtr set = LoadGroup({Icon(1, icon), Icon(2, icon), Group(ResourceName::Id(1), twice)}, longPath);
  ASSERT_NO_FATAL_FAILURE(ExpectBlocks(set, {icon, icon}));
  EXPECT_EQ(std::string(set->modulePath), longPath.substr(0, kMaxPathChars - 1));
}

}  // namespace
