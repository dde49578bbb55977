// Our module resource and icon-group readers against PE32, PE32+ and NE files
// written by the test builders, and against those files damaged field by field.

#include <filesystem>

#include "FormatTestHelpers.h"
#include "formats/ModuleResources.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace {
using Names = std::vector<ResourceName>;

std::unique_ptr<ModuleResources> OpenBytes(const Bytes& bytes) {
  return ModuleResources::Open(std::make_unique<MemorySource>(bytes));
}
ResourceName Text(const std::string& text) { return ResourceName::Text(text); }
ResourceName Id(uint16_t id) { return ResourceName::Id(id); }
BuiltResource Group(ResourceName name, Bytes data) { return {kResourceGroupIcon, std::move(name), 0x409, data}; }
BuiltResource Icon(ResourceName name, Bytes data, uint16_t language = 0x409) {
  return {kResourceIcon, std::move(name), language, std::move(data)};
}

// Where things are in a built module, found through its headers: PE
// structures, then NE ones.
struct At {
  const Bytes& b;

  size_t Header() const { return U32At(b, 0x3C); }
  size_t OptionalHeader() const { return Header() + 24; }
  // The second section's, which holds the resources.
  size_t SectionHeader() const { return OptionalHeader() + U16At(b, Header() + 20) + 40; }
  size_t ResourceRvaField() const { return OptionalHeader() + 96 + 16; }  // PE32
  size_t Directory() const { return U32At(b, SectionHeader() + 20); }
  // Entry i of the directory at a resource-relative offset.
  size_t Entry(uint32_t directory, size_t i) const { return Directory() + directory + 16 + 8 * i; }
  uint32_t Subdirectory(size_t entry) const { return U32At(b, entry + 4) & 0x7FFFFFFF; }
  // The first type's (the groups') first name's first language entry.
  size_t TypeEntry() const { return Entry(0, 0); }
  uint32_t Names() const { return Subdirectory(TypeEntry()); }
  size_t NameEntry() const { return Entry(Names(), 0); }
  size_t NameString() const { return Directory() + (U32At(b, NameEntry()) & 0x7FFFFFFF); }
  size_t LanguageEntry() const { return Entry(Subdirectory(NameEntry()), 0); }
  size_t DataEntry() const { return Directory() + U32At(b, LanguageEntry() + 4); }

  size_t Table() const { return Header() + U16At(b, Header() + 0x24); }
  size_t FirstNameInfo() const { return Table() + 2 + 8; }
};

// Group "MAIN", group 7 and icon 1.
Bytes SmallPe() {
  return BuildPeModule({Group(Text("MAIN"), Bytes(20, 1)), Group(Id(7), Bytes(20, 2)), Icon(Id(1), Bytes(40, 3))});
}
Bytes SmallNe() { return BuildNeModule({Group(Text("MAIN"), Bytes(20, 1)), Icon(Id(1), Bytes(40, 3))}); }

// What is left of a damaged small module. Group MAIN is gone whenever it opens.
enum class O { NotAModule, GroupsGone, MainGoneIconKept, TextNamesGone, NeAllGone, NeMainDataGone };

struct Damage {
  const char* name;
  void (*damage)(Bytes& b, const At& at);
  O outcome;
};

const Damage kPeDamages[] = {
    {"empty", [](Bytes& b, const At&) { b.clear(); }, O::NotAModule},
    {"no MZ", [](Bytes& b, const At&) { b[0] = 'Z'; }, O::NotAModule},
    {"unknown signature", [](Bytes& b, const At& at) { b[at.Header()] = 'L'; }, O::NotAModule},
    {"huge signature offset", [](Bytes& b, const At&) { PutU32At(b, 0x3C, 0xFFFFFFFE); }, O::NotAModule},
    {"cut in file header", [](Bytes& b, const At& at) { b.resize(at.Header() + 20); }, O::NotAModule},
    {"cut in optional header", [](Bytes& b, const At& at) { b.resize(at.OptionalHeader() + 100); }, O::NotAModule},
    {"cut in section table", [](Bytes& b, const At& at) { b.resize(at.SectionHeader() + 39); }, O::NotAModule},
    {"no directory count", [](Bytes& b, const At& at) { PutU16At(b, at.Header() + 20, 90); }, O::NotAModule},
    {"unknown optional magic", [](Bytes& b, const At& at) { PutU16At(b, at.OptionalHeader(), 0x107); }, O::NotAModule},
    {"too few directories", [](Bytes& b, const At& at) { PutU32At(b, at.ResourceRvaField() - 20, 2); }, O::GroupsGone},
    {"RVA in no section", [](Bytes& b, const At& at) { PutU32At(b, at.ResourceRvaField(), 0x80000); }, O::GroupsGone},
    {"section data past end", [](Bytes& b, const At& at) { PutU32At(b, at.SectionHeader() + 20, b.size() - 8); },
     O::GroupsGone},
    {"root counts cannot fit", [](Bytes& b, const At& at) { PutU32At(b, at.Directory() + 12, ~0u); }, O::GroupsGone},
    {"type loops to root", [](Bytes& b, const At& at) { PutU32At(b, at.TypeEntry() + 4, 1u << 31); }, O::GroupsGone},
    {"name loops to its directory",
     [](Bytes& b, const At& at) { PutU32At(b, at.NameEntry() + 4, 1u << 31 | at.Names()); }, O::GroupsGone},
    {"data entry at type level", [](Bytes& b, const At& at) { PutU32At(b, at.TypeEntry() + 4, at.Names()); },
     O::GroupsGone},
    {"data entry at name level",
     [](Bytes& b, const At& at) { PutU32At(b, at.NameEntry() + 4, at.Subdirectory(at.NameEntry())); }, O::GroupsGone},
    {"directory at language level",
     [](Bytes& b, const At& at) { PutU32At(b, at.LanguageEntry() + 4, 1u << 31 | U32At(b, at.LanguageEntry() + 4)); },
     O::MainGoneIconKept},
    {"id wider than 16 bits", [](Bytes& b, const At& at) { PutU32At(b, at.Entry(at.Names(), 1), 0x10007); },
     O::GroupsGone},
    {"name outside file", [](Bytes& b, const At& at) { PutU32At(b, at.NameEntry(), 0xFFFFFFF0); }, O::TextNamesGone},
    {"name length outside file", [](Bytes& b, const At& at) { PutU16At(b, at.NameString(), 0xFFFF); },
     O::TextNamesGone},
    {"data entry offset huge", [](Bytes& b, const At& at) { PutU32At(b, at.LanguageEntry() + 4, 0x7FFFFFF0); },
     O::MainGoneIconKept},
    {"data in bytes the section only reserves in memory",
     [](Bytes& b, const At& at) {
       b.resize(b.size() + 64, 0xEE);  // bytes after the section that it must not reach
       const uint32_t rawSize = U32At(b, at.SectionHeader() + 16);
       PutU32At(b, at.SectionHeader() + 8, rawSize + 0x1000);
       PutU32At(b, at.DataEntry(), U32At(b, at.SectionHeader() + 12) + rawSize - 4);
     },
     O::MainGoneIconKept},
};

const Damage kNeDamages[] = {
    {"header cut", [](Bytes& b, const At& at) { b.resize(at.Header() + 0x30); }, O::NotAModule},
    {"shift above 15", [](Bytes& b, const At& at) { PutU16At(b, at.Table(), 16); }, O::NeAllGone},
    {"table past end", [](Bytes& b, const At& at) { PutU16At(b, at.Header() + 0x26, 0xFFF0); }, O::NeAllGone},
    {"table ends before it starts",
     [](Bytes& b, const At& at) { PutU16At(b, at.Header() + 0x26, U16At(b, at.Header() + 0x24) - 2); }, O::NeAllGone},
    {"types without terminator",
     [](Bytes& b, const At& at) {  // the table ends where its terminating zero was
       const size_t terminator = at.Table() + 2 + 2 * (8 + 12);
       ASSERT_EQ(U16At(b, terminator), 0u);
       PutU16At(b, at.Header() + 0x26, terminator - at.Header());
     },
     O::NeAllGone},
    {"name count cannot fit", [](Bytes& b, const At& at) { PutU16At(b, at.Table() + 4, 0xFFFF); }, O::NeAllGone},
    {"name outside table", [](Bytes& b, const At& at) { PutU16At(b, at.FirstNameInfo() + 6, 0x7FF0); }, O::NeAllGone},
    {"name length outside table",
     [](Bytes& b, const At& at) { b.at(at.Table() + U16At(b, at.FirstNameInfo() + 6)) = 0xFF; }, O::NeAllGone},
    {"data length past end", [](Bytes& b, const At& at) { PutU16At(b, at.FirstNameInfo() + 2, 0xFFFF); },
     O::NeMainDataGone},
    {"shift 15 takes data past end", [](Bytes& b, const At& at) { PutU16At(b, at.Table(), 15); }, O::NeMainDataGone},
};

void ExpectOutcome(Bytes bytes, const Damage& d) {
  SCOPED_TRACE(d.name);
  d.damage(bytes, At{bytes});
  const auto module = OpenBytes(bytes);
  ASSERT_EQ(module == nullptr, d.outcome == O::NotAModule);
  if (!module) return;
  EXPECT_FALSE(module->Find(kResourceGroupIcon, Text("MAIN")));
  const Names groups = module->EnumNames(kResourceGroupIcon);
  // clang-format off
  if (d.outcome == O::NeMainDataGone) { EXPECT_EQ(groups, Names({Text("MAIN")})); }
  if (d.outcome == O::GroupsGone || d.outcome == O::TextNamesGone || d.outcome == O::NeAllGone) { EXPECT_TRUE(groups.empty()); }
  if (d.outcome == O::GroupsGone) { EXPECT_FALSE(module->Find(kResourceGroupIcon, Id(7))); }
  // A lookup by id reads no strings, so the damage is not on its way.
  if (d.outcome == O::TextNamesGone) { EXPECT_EQ(module->Find(kResourceGroupIcon, Id(7)), Bytes(20, 2)); }
  if (d.outcome == O::MainGoneIconKept) { EXPECT_EQ(module->Find(kResourceIcon, Id(1)), Bytes(40, 3)); }
  if (d.outcome == O::NeAllGone) { EXPECT_TRUE(module->EnumNames(kResourceIcon).empty()); }
  if (d.outcome == O::NeAllGone) { EXPECT_FALSE(module->Find(kResourceIcon, Id(1))); }
  // clang-format on
}

TEST(ModuleResources, RefusesDamagedModulesWithoutReadingPastTheDamage) {
  for (const Damage& d : kPeDamages) ExpectOutcome(SmallPe(), d);
  for (const Damage& d : kNeDamages) ExpectOutcome(SmallNe(), d);
}

TEST(PeResources, GivesUtf16NamesAsUtf8AndMatchesThemIgnoringOnlyAsciiCase) {
  Bytes bytes =
      BuildPeModule({Group(Text("1234567"), {1}), Group(Text("\xC4pfel"), {2}), Group(Text("AMixedCaseZ"), {3})}, true);
  // A low surrogate alone, 2, 3 and 4 bytes in UTF-8, and a high surrogate at the end.
  const uint32_t units[] = {0xDC00, 'D', 0xE9, 0x20AC, 0xD83D, 0xDE00, 0xD800};
  for (size_t i = 0; i < 7; ++i) PutU16At(bytes, At{bytes}.NameString() + 2 + 2 * i, units[i]);
  const std::string odd = u8"\uFFFDD\u00E9\u20AC\U0001F600\uFFFD";
  const auto module = OpenBytes(bytes);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->EnumNames(kResourceGroupIcon), Names({Text(odd), Text(u8"\u00C4pfel"), Text("AMixedCaseZ")}));
  EXPECT_EQ(module->Find(kResourceGroupIcon, Text(odd)), Bytes{1});
  EXPECT_EQ(module->Find(kResourceGroupIcon, Text(u8"\u00C4PFEL")), Bytes{2});
  EXPECT_FALSE(module->Find(kResourceGroupIcon, Text(u8"\u00E4pfel")));
  EXPECT_EQ(module->Find(kResourceGroupIcon, Text("amixedcasez")), Bytes{3});
  EXPECT_EQ(module->Find(kResourceGroupIcon, Text("AMIXEDCASEZ")), Bytes{3});
  EXPECT_FALSE(module->Find(kResourceGroupIcon, Text("AMixedCase")));
}

// Claims nearly 4 GB, more than a 32-bit process can hold: a small module followed by zeros.
struct InflatedSource final : ByteSource {
  Bytes bytes;
  uint64_t Size() const override { return 0xFFFFF000u; }
  bool ReadAt(uint64_t offset, void* out, size_t length) const override {
    if (!Has(offset, length)) return false;
    for (size_t i = 0; i < length; ++i)
      static_cast<uint8_t*>(out)[i] = offset + i < bytes.size() ? bytes[offset + i] : 0;
    return true;
  }
};

TEST(PeResources, RefusesAResourceTooLargeToHold) {
  auto source = std::make_unique<InflatedSource>();
  Bytes& bytes = source->bytes = SmallPe();
  PutU32At(bytes, At{bytes}.SectionHeader() + 8, 0xF0000000u);
  PutU32At(bytes, At{bytes}.SectionHeader() + 16, 0xF0000000u);
  PutU32At(bytes, At{bytes}.DataEntry() + 4, 0xE0000000u);
  const auto module = ModuleResources::Open(std::move(source));
  ASSERT_NE(module, nullptr);
  EXPECT_FALSE(module->Find(kResourceGroupIcon, Text("MAIN")));
  EXPECT_EQ(module->Find(kResourceIcon, Id(1)), Bytes(40, 3));
}

const char* IdName(uintptr_t id) { return reinterpret_cast<const char*>(id); }

// Each kind lists names in its table's order and finds the first language, or
// the first of equal names.
TEST(GroupIconReader, ReadsGroupsByNameOrIdFromEachKindOfModuleAndRefusesBrokenOnes) {
  const std::vector<Bytes> named = {MakeDibBlock(16, 16, 4, 0, 1), MakeDibBlock(32, 32, 8, 0, 2),
                                    MakePngBlock(256, 256, 3)};
  const Bytes numbered = MakeDibBlock(48, 48, 32, 0, 4);
  Bytes lengthTooShort = BuildGroupIcon({numbered}, {7});
  PutU32At(lengthTooShort, 6 + 8, 12);  // the module's length counts, not the group's
  Bytes countTooHigh = BuildGroupIcon({numbered}, {7});
  countTooHigh[4] = 200;
  const std::vector<BuiltResource> resources = {
      Icon(Id(1), named[0]),
      Icon(Id(1), numbered, 0x407),
      Icon(Id(2), named[1]),
      Icon(Id(3), named[2]),
      Icon(Id(7), numbered),
      Group(Text("MAINICON"), BuildGroupIcon(named, {1, 2, 3})),
      Group(Id(104), BuildGroupIcon({}, {})),
      Group(Id(101), lengthTooShort),
      Group(Id(102), BuildGroupIcon({named[0], named[1]}, {1, 9})),  // icon 9 is missing
      Group(Id(105), countTooHigh),
      // Each of 200 entries naming one image is a fair lookup, but together they
      // would copy it far more often than the file could hold it; twice is fair.
      Group(Id(106), BuildGroupIcon(std::vector<Bytes>(200, numbered), std::vector<uint16_t>(200, 7))),
      Group(Id(107), BuildGroupIcon({numbered, numbered}, {7, 7})),
  };
  const Names groups = {Text("MAINICON"), Id(104), Id(101), Id(102), Id(105), Id(106), Id(107)};
  const Names icons = {Id(1), Id(2), Id(3), Id(7)};
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
      EXPECT_FALSE(module->Find(0x800E, Id(104)));  // the high bit of a type id is the NE table's own
      EXPECT_FALSE(module->Find(kResourceGroupIcon, Text("MAINICO")));
      const IconImageSetPtr set = IconFileIO().LoadGroupIcon(*module, Id(107), std::string(400, 'p'));
      ASSERT_NO_FATAL_FAILURE(ExpectBlocks(set, {numbered, numbered}, kind.unit));
      EXPECT_EQ(set->modulePath, std::string(400, 'p'));
    }
    const IconFileIO io;
    const IconImageSetPtr set = io.LoadGroupIcon(file.path, "mainicon");
    ASSERT_NO_FATAL_FAILURE(ExpectBlocks(set, named, kind.unit));
    EXPECT_EQ(set->modulePath, file.path);
    EXPECT_EQ(set->icoPath, "");
    EXPECT_EQ(set->images[2].kind, ImageKind::Png);
    ExpectBlocks(io.LoadGroupIcon(file.path, IdName(101)), {numbered}, kind.unit);
    ExpectBlocks(io.LoadGroupIcon(file.path, IdName(104)), {});
    for (const char* refused :
         {IdName(102), IdName(103), IdName(105), IdName(106), "OTHER", static_cast<const char*>(nullptr)})
      EXPECT_EQ(io.LoadGroupIcon(file.path, refused), nullptr);
    // Windows removes no file that is still open.
    std::error_code error;
    EXPECT_TRUE(std::filesystem::remove(file.path, error)) << error.message();
  }
}

}  // namespace
