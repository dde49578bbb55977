// Our module resource and icon-group readers against PE32, PE32+ and NE files
// written by the test builders, and against those files damaged field by field.

#include <filesystem>

#include "FormatTestHelpers.h"
#include "formats/ModuleResources.h"
#include "formats/Utf8.h"
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

// What is left of a damaged small module. Group MAIN is gone whenever it opens,
// and every module that opens names its damage but one without resources.
enum class O { NotAModule, CutInHeaders, NoResources, GroupsGone, MainGoneIconKept, TextNamesGone, NeAllGone,
               NeMainDataGone };

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
    {"cut in file header", [](Bytes& b, const At& at) { b.resize(at.Header() + 20); }, O::CutInHeaders},
    {"cut in optional header", [](Bytes& b, const At& at) { b.resize(at.OptionalHeader() + 100); }, O::CutInHeaders},
    {"cut in section table", [](Bytes& b, const At& at) { b.resize(at.SectionHeader() + 39); }, O::CutInHeaders},
    {"no directory count", [](Bytes& b, const At& at) { PutU16At(b, at.Header() + 20, 90); }, O::NotAModule},
    {"unknown optional magic", [](Bytes& b, const At& at) { PutU16At(b, at.OptionalHeader(), 0x107); }, O::NotAModule},
    {"too few directories", [](Bytes& b, const At& at) { PutU32At(b, at.ResourceRvaField() - 20, 2); }, O::NoResources},
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
    {"header cut", [](Bytes& b, const At& at) { b.resize(at.Header() + 0x30); }, O::CutInHeaders},
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
  std::string damage;
  const auto module = ModuleResources::Open(std::make_unique<MemorySource>(bytes), &damage);
  ASSERT_EQ(module == nullptr, d.outcome == O::NotAModule || d.outcome == O::CutInHeaders);
  EXPECT_EQ(damage, d.outcome == O::CutInHeaders ? "cut short at " + std::to_string(bytes.size()) + " bytes, inside its headers" : "");
  if (!module) return;
  EXPECT_FALSE(module->Find(kResourceGroupIcon, Text("MAIN")));
  const Names groups = module->EnumNames(kResourceGroupIcon);
  // A 16-bit module's data past its end is judged by the icon's own length (see IconFileReader).
  if (d.outcome != O::NeMainDataGone) { EXPECT_EQ(module->Damage().empty(), d.outcome == O::NoResources) << module->Damage(); }
  // clang-format off
  if (d.outcome == O::NeMainDataGone) { EXPECT_EQ(groups, Names({Text("MAIN")})); }
  if (d.outcome == O::GroupsGone || d.outcome == O::NoResources || d.outcome == O::TextNamesGone || d.outcome == O::NeAllGone) { EXPECT_TRUE(groups.empty()); }
  if (d.outcome == O::GroupsGone || d.outcome == O::NoResources) { EXPECT_FALSE(module->Find(kResourceGroupIcon, Id(7))); }
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
  // A low surrogate alone, a CJK letter beyond U+FFFF, 3 bytes in UTF-8, an
  // emoji, and a high surrogate at the end.
  const std::u16string units = {0xDC00, 0xD840, 0xDC00, 0x20AC, 0xD83D, 0xDE00, 0xD800};
  for (size_t i = 0; i < 7; ++i) PutU16At(bytes, At{bytes}.NameString() + 2 + 2 * i, units[i]);
  // A surrogate without its pair keeps its own three bytes, as a Windows name does.
  const std::string odd = "\xED\xB0\x80" u8"\U00020000\u20AC\U0001F600" "\xED\xA0\x80";
  EXPECT_EQ(Utf8ToUtf16(odd), units);  // and back to the name itself, as a path goes to Windows
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

}  // namespace
