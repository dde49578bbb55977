// Reading the images of an icon group out of PE and NE modules.

#include "FormatTestHelpers.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace {

BuiltResource Icon(uint16_t id, Bytes block) { return {kResourceIcon, ResourceName::Id(id), 0x409, std::move(block)}; }
BuiltResource Group(ResourceName name, Bytes group) { return {kResourceGroupIcon, name, 0x409, std::move(group)}; }
const char* IdName(uintptr_t id) { return reinterpret_cast<const char*>(id); }

TEST(GroupIconReader, ReadsAGroupByTextNameOrIdFromPe32Pe32PlusAndNeFiles) {
  const std::vector<Bytes> named = {MakeDibBlock(16, 16, 4, 0, 1), MakeDibBlock(32, 32, 8, 0, 2),
                                    MakePngBlock(256, 256, 3)};
  const Bytes numbered = MakeDibBlock(48, 48, 32, 0, 4);
  const std::vector<BuiltResource> resources = {
      Icon(1, named[0]),
      Icon(2, named[1]),
      Icon(3, named[2]),
      Icon(7, numbered),
      Group(ResourceName::Text("MAINICON"), BuildGroupIcon(named, {1, 2, 3})),
      Group(ResourceName::Id(101), BuildGroupIcon({numbered}, {7})),
      Group(ResourceName::Id(102), BuildGroupIcon({named[0], named[1]}, {1, 9})),  // icon 9 is missing
  };
  // An NE module gives lengths in units of its alignment (16 bytes here), so
  // its images come back padded to that unit, as the system reports them.
  const struct {
    const char* name;
    Bytes module;
    size_t unit;
  } kinds[] = {{"PE32", BuildPeModule(resources), 1},
               {"PE32+", BuildPeModule(resources, PeLayout{true, 0x8664}), 1},
               {"NE", BuildNeModule(resources), 16}};
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.name);
    const TempPath file;
    ASSERT_TRUE(WriteBytes(file.path, kind.module));
    const IconFileIO io;
    const IconImageSetPtr set = io.LoadGroupIcon(file.path, "MAINICON");
    ASSERT_NO_FATAL_FAILURE(ExpectBlocks(set, named, kind.unit));
    EXPECT_EQ(std::string(set->modulePath), file.path);
    EXPECT_EQ(std::string(set->icoPath), "");
    EXPECT_EQ(set->images[2].kind, ImageKind::Png);
    ExpectBlocks(io.LoadGroupIcon(file.path, IdName(101)), {numbered}, kind.unit);
    for (const char* refused : {IdName(102), IdName(103), "OTHER", static_cast<const char*>(nullptr)})
      EXPECT_EQ(io.LoadGroupIcon(file.path, refused), nullptr);
  }
}

// Group 1 of a PE module held in memory.
IconImageSetPtr LoadGroup(const std::vector<BuiltResource>& resources, const std::string& path = "m.dll") {
  const auto module = ModuleResources::Open(std::make_unique<MemorySource>(BuildPeModule(resources)));
  return module ? IconFileIO().LoadGroupIcon(*module, ResourceName::Id(1), path) : nullptr;
}

TEST(GroupIconReader, ReadsAnEmptyGroupAndCutsAnOverlongModulePathToTheField) {
  const std::string longPath(400, 'p');
  const IconImageSetPtr set = LoadGroup({Group(ResourceName::Id(1), BuildGroupIcon({}, {}))}, longPath);
  ASSERT_NO_FATAL_FAILURE(ExpectBlocks(set, {}));
  EXPECT_EQ(std::string(set->modulePath), longPath.substr(0, kMaxPathChars - 1));
}

TEST(GroupIconReader, TakesTheBlockLengthFromTheModuleNotTheGroup) {
  const Bytes icon = MakeDibBlock(16, 16, 4);
  Bytes group = BuildGroupIcon({icon}, {5});
  PutU32At(group, 6 + 8, 12);
  ExpectBlocks(LoadGroup({Icon(5, icon), Group(ResourceName::Id(1), group)}), {icon});
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
  const Bytes twice = BuildGroupIcon({icon, icon}, {1, 1});
  ExpectBlocks(LoadGroup({Icon(1, icon), Icon(2, icon), Group(ResourceName::Id(1), twice)}), {icon, icon});
}

}  // namespace
