// Our module resource reader against PE32, PE32+ and NE files written by the
// test builders, and against those files damaged field by field.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "FormatTestHelpers.h"
#include "formats/ModuleResources.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace {
using Bytes = std::vector<uint8_t>;
using Names = std::vector<ResourceName>;

std::unique_ptr<ModuleResources> OpenBytes(const Bytes& bytes) {
  return ModuleResources::Open(std::make_unique<MemorySource>(bytes));
}

Bytes Filled(size_t size, uint8_t seed) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
  return bytes;
}

BuiltResource Resource(uint16_t type, ResourceName name, Bytes data, uint16_t language = 0x409) {
  return BuiltResource{type, std::move(name), language, std::move(data)};
}
ResourceName Text(const std::string& text) { return ResourceName::Text(text); }
ResourceName Id(uint16_t id) { return ResourceName::Id(id); }

// Where things are in a built PE file, found through its headers.
struct PeAt {
  const Bytes& bytes;

  size_t PeHeader() const { return U32At(bytes, 0x3C); }
  size_t OptionalHeader() const { return PeHeader() + 24; }
  size_t SectionHeader() const { return OptionalHeader() + U16At(bytes, PeHeader() + 20); }
  size_t ResourceRvaField() const {
    return OptionalHeader() + (U16At(bytes, OptionalHeader()) == 0x20B ? 112 : 96) + 16;
  }
  size_t Directory() const { return U32At(bytes, SectionHeader() + 20); }
  // Entry i of the directory at a resource-relative offset.
  size_t Entry(uint32_t directory, size_t i) const { return Directory() + directory + 16 + 8 * i; }
  uint32_t Subdirectory(size_t entry) const { return U32At(bytes, entry + 4) & 0x7FFFFFFF; }
  // The first type's (the groups') first name's first language entry.
  size_t TypeEntry() const { return Entry(0, 0); }
  size_t NameEntry() const { return Entry(Subdirectory(TypeEntry()), 0); }
  size_t NameString() const { return Directory() + (U32At(bytes, NameEntry()) & 0x7FFFFFFF); }
  size_t LanguageEntry() const { return Entry(Subdirectory(NameEntry()), 0); }
  size_t DataEntry() const { return Directory() + U32At(bytes, LanguageEntry() + 4); }
};

struct NeAt {
  const Bytes& bytes;

  size_t NeHeader() const { return U32At(bytes, 0x3C); }
  size_t Table() const { return NeHeader() + U16At(bytes, NeHeader() + 0x24); }
  size_t FirstNameInfo() const { return Table() + 2 + 8; }
};

// Group "MAIN", group 7 and icon 1.
Bytes SmallPe() {
  return BuildPeModule({Resource(kResourceGroupIcon, Text("MAIN"), Filled(20, 1)),
                        Resource(kResourceGroupIcon, Id(7), Filled(20, 2)),
                        Resource(kResourceIcon, Id(1), Filled(40, 3))});
}
Bytes SmallNe() {
  return BuildNeModule({Resource(kResourceGroupIcon, Text("MAIN"), Filled(20, 1)),
                        Resource(kResourceIcon, Id(1), Filled(40, 3))});
}
// Two types of one id-named resource each, so the table holds no strings.
Bytes IdOnlyNe() {
  return BuildNeModule({Resource(kResourceGroupIcon, Id(1), Filled(20, 1)), Resource(kResourceIcon, Id(1), Filled(40, 3))});
}

// The table gives lengths in alignment units, so a resource's bytes run to the next boundary.
Bytes Padded(Bytes data, uint16_t shift) {
  const size_t unit = size_t{1} << shift;
  data.resize((data.size() + unit - 1) / unit * unit);
  return data;
}

enum class Outcome {
  NotAModule,           // Open gives null
  GroupsGone,           // opens; no group is listed or found
  MainGroupGone,        // opens; group MAIN is not found
  MainGroupGoneIconKept,
  TextNamesGone,        // no group listed, MAIN not found, group 7 still found by id
  NeEverythingGone,     // no group or icon listed or found
  NeMainDataGone,       // MAIN listed but its bytes not given
};

void ExpectOutcome(const Bytes& bytes, Outcome outcome) {
  const auto module = OpenBytes(bytes);
  if (outcome == Outcome::NotAModule) {
    EXPECT_EQ(module, nullptr);
    return;
  }
  ASSERT_NE(module, nullptr);
  EXPECT_FALSE(module->Find(kResourceGroupIcon, Text("MAIN")));
  const Names groups = module->EnumNames(kResourceGroupIcon);
  switch (outcome) {
    case Outcome::GroupsGone:
      EXPECT_TRUE(groups.empty());
      EXPECT_FALSE(module->Find(kResourceGroupIcon, Id(7)));
      break;
    case Outcome::MainGroupGoneIconKept: EXPECT_EQ(module->Find(kResourceIcon, Id(1)), Filled(40, 3)); break;
    case Outcome::TextNamesGone:
      EXPECT_TRUE(groups.empty());
      // A lookup by id reads no strings, so the damage is not on its way.
      EXPECT_EQ(module->Find(kResourceGroupIcon, Id(7)), Filled(20, 2));
      break;
    case Outcome::NeEverythingGone:
      EXPECT_TRUE(groups.empty());
      EXPECT_TRUE(module->EnumNames(kResourceIcon).empty());
      EXPECT_FALSE(module->Find(kResourceIcon, Id(1)));
      break;
    case Outcome::NeMainDataGone: EXPECT_EQ(groups, Names({Text("MAIN")})); break;
    default: break;
  }
}

struct Damage {
  const char* name;
  Bytes (*build)();
  void (*damage)(Bytes& bytes);
  Outcome outcome;
};

const Damage kDamages[] = {
    // Not a module at all.
    {"Empty", SmallPe, [](Bytes& b) { b.clear(); }, Outcome::NotAModule},
    {"NoMz", SmallPe, [](Bytes& b) { b[0] = 'Z'; }, Outcome::NotAModule},
    {"UnknownSignature", SmallPe, [](Bytes& b) { b[U32At(b, 0x3C)] = 'L'; }, Outcome::NotAModule},
    {"SignaturePastEnd", SmallPe, [](Bytes& b) { PutU32At(b, 0x3C, static_cast<uint32_t>(b.size() - 2)); },
     Outcome::NotAModule},
    {"HugeSignatureOffset", SmallPe, [](Bytes& b) { PutU32At(b, 0x3C, 0xFFFFFFFE); }, Outcome::NotAModule},
    // PE headers cut or contradicting themselves.
    {"CutInFileHeader", SmallPe, [](Bytes& b) { b.resize(PeAt{b}.PeHeader() + 20); }, Outcome::NotAModule},
    {"CutInOptionalHeader", SmallPe, [](Bytes& b) { b.resize(PeAt{b}.OptionalHeader() + 60); }, Outcome::NotAModule},
    {"CutBeforeSectionTable", SmallPe, [](Bytes& b) { b.resize(PeAt{b}.SectionHeader() - 1); }, Outcome::NotAModule},
    {"CutInSectionTable", SmallPe, [](Bytes& b) { b.resize(PeAt{b}.SectionHeader() + 39); }, Outcome::NotAModule},
    {"OptionalHeaderEndsBeforeDirectoryCount", SmallPe, [](Bytes& b) { PutU16At(b, PeAt{b}.PeHeader() + 20, 90); },
     Outcome::NotAModule},
    {"UnknownOptionalHeaderMagic", SmallPe, [](Bytes& b) { PutU16At(b, PeAt{b}.OptionalHeader(), 0x107); },
     Outcome::NotAModule},
    {"SectionTableOutsideFile", SmallPe, [](Bytes& b) { PutU16At(b, PeAt{b}.PeHeader() + 6, 0xFFFF); },
     Outcome::NotAModule},
    // The resource directory out of reach.
    {"ResourceRvaOutsideEverySection", SmallPe, [](Bytes& b) { PutU32At(b, PeAt{b}.ResourceRvaField(), 0x80000); },
     Outcome::GroupsGone},
    {"SectionRawDataPastEnd", SmallPe,
     [](Bytes& b) { PutU32At(b, PeAt{b}.SectionHeader() + 20, static_cast<uint32_t>(b.size() - 8)); },
     Outcome::GroupsGone},
    {"SectionRawDataHugeOffset", SmallPe, [](Bytes& b) { PutU32At(b, PeAt{b}.SectionHeader() + 20, 0xFFFFFF00); },
     Outcome::GroupsGone},
    // The directory tree.
    {"RootCountsCannotFit", SmallPe,
     [](Bytes& b) {
       PutU16At(b, PeAt{b}.Directory() + 12, 0xFFFF);
       PutU16At(b, PeAt{b}.Directory() + 14, 0xFFFF);
     },
     Outcome::GroupsGone},
    {"NameCountCannotFit", SmallPe,
     [](Bytes& b) {
       const PeAt pe{b};
       PutU16At(b, pe.Directory() + pe.Subdirectory(pe.TypeEntry()) + 14, 0xFFFF);
     },
     Outcome::GroupsGone},
    {"LanguageCountCannotFit", SmallPe,
     [](Bytes& b) {
       const PeAt pe{b};
       PutU16At(b, pe.Directory() + pe.Subdirectory(pe.NameEntry()) + 14, 0x8000);
     },
     Outcome::MainGroupGone},
    {"TypeLoopsToRoot", SmallPe, [](Bytes& b) { PutU32At(b, PeAt{b}.TypeEntry() + 4, 0x80000000); },
     Outcome::GroupsGone},
    {"NameLoopsToItsDirectory", SmallPe,
     [](Bytes& b) {
       const PeAt pe{b};
       PutU32At(b, pe.NameEntry() + 4, 0x80000000 | pe.Subdirectory(pe.TypeEntry()));
     },
     Outcome::GroupsGone},
    {"NameLoopsToRoot", SmallPe, [](Bytes& b) { PutU32At(b, PeAt{b}.NameEntry() + 4, 0x80000000); },
     Outcome::GroupsGone},
    {"DataEntryAtTypeLevel", SmallPe,
     [](Bytes& b) {
       const PeAt pe{b};
       PutU32At(b, pe.TypeEntry() + 4, pe.Subdirectory(pe.TypeEntry()));
     },
     Outcome::GroupsGone},
    {"DataEntryAtNameLevel", SmallPe,
     [](Bytes& b) {
       const PeAt pe{b};
       PutU32At(b, pe.NameEntry() + 4, pe.Subdirectory(pe.NameEntry()));
     },
     Outcome::GroupsGone},
    {"DirectoryAtLanguageLevel", SmallPe,
     [](Bytes& b) {
       const size_t entry = PeAt{b}.LanguageEntry();
       PutU32At(b, entry + 4, 0x80000000 | U32At(b, entry + 4));
     },
     Outcome::MainGroupGone},
    {"IdWiderThanSixteenBits", SmallPe,
     [](Bytes& b) {
       const PeAt pe{b};
       PutU32At(b, pe.Entry(pe.Subdirectory(pe.TypeEntry()), 1), 0x10007);
     },
     Outcome::GroupsGone},
    {"NameStringOffsetOutsideFile", SmallPe, [](Bytes& b) { PutU32At(b, PeAt{b}.NameEntry(), 0xFFFFFFF0); },
     Outcome::TextNamesGone},
    {"NameStringLengthOutsideFile", SmallPe, [](Bytes& b) { PutU16At(b, PeAt{b}.NameString(), 0xFFFF); },
     Outcome::TextNamesGone},
    // Resource data out of the file or of the section's bytes.
    {"DataSizeHuge", SmallPe, [](Bytes& b) { PutU32At(b, PeAt{b}.DataEntry() + 4, 0xFFFFFFF0); },
     Outcome::MainGroupGoneIconKept},
    {"DataRvaHuge", SmallPe, [](Bytes& b) { PutU32At(b, PeAt{b}.DataEntry(), 0x7FFF0000); },
     Outcome::MainGroupGoneIconKept},
    {"DataEntryOffsetHuge", SmallPe, [](Bytes& b) { PutU32At(b, PeAt{b}.LanguageEntry() + 4, 0x7FFFFFF0); },
     Outcome::MainGroupGoneIconKept},
    {"DataInBytesTheSectionOnlyReservesInMemory", SmallPe,
     [](Bytes& b) {
       b.resize(b.size() + 64, 0xEE);  // bytes after the section that it must not reach
       const PeAt pe{b};
       const uint32_t rawSize = U32At(b, pe.SectionHeader() + 16);
       PutU32At(b, pe.SectionHeader() + 8, rawSize + 0x1000);
       PutU32At(b, pe.DataEntry(), U32At(b, pe.SectionHeader() + 12) + rawSize - 4);
     },
     Outcome::MainGroupGoneIconKept},
    // NE.
    {"NeHeaderCut", SmallNe, [](Bytes& b) { b.resize(NeAt{b}.NeHeader() + 0x30); }, Outcome::NotAModule},
    {"NeAlignShiftAbove15", SmallNe, [](Bytes& b) { PutU16At(b, NeAt{b}.Table(), 16); }, Outcome::NeEverythingGone},
    {"NeTablePastEnd", SmallNe, [](Bytes& b) { PutU16At(b, NeAt{b}.NeHeader() + 0x26, 0xFFF0); },
     Outcome::NeEverythingGone},
    {"NeTableEndsBeforeItStarts", SmallNe,
     [](Bytes& b) {
       const size_t header = NeAt{b}.NeHeader();
       PutU16At(b, header + 0x26, U16At(b, header + 0x24) - 2);
     },
     Outcome::NeEverythingGone},
    {"NeTypeChainWithoutTerminator", IdOnlyNe,
     [](Bytes& b) {
       const NeAt ne{b};
       const size_t terminator = ne.Table() + 2 + 2 * (8 + 12);
       ASSERT_EQ(U16At(b, terminator), 0u);
       PutU16At(b, ne.NeHeader() + 0x26, static_cast<uint32_t>(terminator - ne.NeHeader()));
     },
     Outcome::NeEverythingGone},
    {"NeNameCountCannotFit", SmallNe, [](Bytes& b) { PutU16At(b, NeAt{b}.Table() + 4, 0xFFFF); },
     Outcome::NeEverythingGone},
    {"NeNameOffsetOutsideTable", SmallNe, [](Bytes& b) { PutU16At(b, NeAt{b}.FirstNameInfo() + 6, 0x7FF0); },
     Outcome::NeEverythingGone},
    {"NeNameLengthOutsideTable", SmallNe,
     [](Bytes& b) {
       const NeAt ne{b};
       b.at(ne.Table() + U16At(b, ne.FirstNameInfo() + 6)) = 0xFF;
     },
     Outcome::NeEverythingGone},
    {"NeDataOffsetPastEnd", SmallNe, [](Bytes& b) { PutU16At(b, NeAt{b}.FirstNameInfo(), 0xFFFF); },
     Outcome::NeMainDataGone},
    {"NeDataLengthPastEnd", SmallNe, [](Bytes& b) { PutU16At(b, NeAt{b}.FirstNameInfo() + 2, 0xFFFF); },
     Outcome::NeMainDataGone},
    {"NeAlignShiftTakesDataPastEnd", SmallNe, [](Bytes& b) { PutU16At(b, NeAt{b}.Table(), 15); },
     Outcome::NeMainDataGone},
};

class RefusesDamagedModule : public testing::TestWithParam<Damage> {};

TEST_P(RefusesDamagedModule, WithoutReadingPastTheDamage) {
  Bytes bytes = GetParam().build();
  GetParam().damage(bytes);
  ExpectOutcome(bytes, GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(ModuleResources, RefusesDamagedModule, testing::ValuesIn(kDamages),
                         [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

}  // namespace

// ---- PE ----

TEST(PeResources, EnumeratesNamedEntriesFirstThenIdsEachInDirectoryOrder) {
  const auto module = OpenBytes(BuildPeModule({Resource(kResourceGroupIcon, Id(5), {1}),
                                               Resource(kResourceGroupIcon, Text("Zeta"), {2}),
                                               Resource(kResourceGroupIcon, Id(2), {3}),
                                               Resource(kResourceGroupIcon, Text("alpha"), {4})}));
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->EnumNames(kResourceGroupIcon), Names({Text("Zeta"), Text("alpha"), Id(5), Id(2)}));
}

TEST(PeResources, ListsAndFindsOnlyTheAskedType) {
  const auto module = OpenBytes(SmallPe());
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->EnumNames(kResourceIcon), Names({Id(1)}));
  EXPECT_EQ(module->EnumNames(kResourceGroupIcon), Names({Text("MAIN"), Id(7)}));
  EXPECT_TRUE(module->EnumNames(5).empty());
  EXPECT_EQ(module->Find(kResourceGroupIcon, Id(7)), Filled(20, 2));
  EXPECT_EQ(module->Find(kResourceIcon, Id(1)), Filled(40, 3));
  EXPECT_FALSE(module->Find(kResourceIcon, Id(7)));
  EXPECT_FALSE(module->Find(5, Id(1)));
}

TEST(PeResources, GivesUtf16NamesAsUtf8) {
  const std::string accented = "D\xC3\xA9j\xC3\xA0 vu";    // U+00E9, U+00E0
  const std::string beyondBmp = "Smile\xF0\x9F\x98\x80!";  // U+1F600, a surrogate pair
  const std::string threeBytes = "\xE2\x82\xAC" "100";     // U+20AC
  const auto module = OpenBytes(BuildPeModule({Resource(kResourceGroupIcon, Text(accented), {1}),
                                               Resource(kResourceGroupIcon, Text(beyondBmp), {2}),
                                               Resource(kResourceGroupIcon, Text(threeBytes), {3})}));
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->EnumNames(kResourceGroupIcon), Names({Text(accented), Text(beyondBmp), Text(threeBytes)}));
  EXPECT_EQ(module->Find(kResourceGroupIcon, Text(beyondBmp)), Bytes{2});
}

TEST(PeResources, ReplacesUnpairedSurrogatesWithReplacementCharacter) {
  Bytes bytes = BuildPeModule({Resource(kResourceGroupIcon, Text("ABC"), {1})});
  const size_t name = PeAt{bytes}.NameString();
  ASSERT_EQ(U16At(bytes, name), 3u);
  PutU16At(bytes, name + 2, 0xDC00);  // a low surrogate with nothing before it
  PutU16At(bytes, name + 6, 0xD800);  // a high surrogate at the end
  const auto module = OpenBytes(bytes);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->EnumNames(kResourceGroupIcon), Names({Text("\xEF\xBF\xBD" "B\xEF\xBF\xBD")}));
}

TEST(PeResources, MatchesTextNamesIgnoringOnlyAsciiCaseAndKeepsThemApartFromIds) {
  const std::string upperUmlaut = "\xC3\x84pfel";  // U+00C4
  const auto module = OpenBytes(BuildPeModule({Resource(kResourceGroupIcon, Text("AMixedCaseZ"), {1}),
                                               Resource(kResourceGroupIcon, Text(upperUmlaut), {2}),
                                               Resource(kResourceGroupIcon, Text("7"), {3}),
                                               Resource(kResourceGroupIcon, Id(8), {4})}));
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->Find(kResourceGroupIcon, Text("amixedcasez")), Bytes{1});
  EXPECT_EQ(module->Find(kResourceGroupIcon, Text("AMIXEDCASEZ")), Bytes{1});
  EXPECT_EQ(module->Find(kResourceGroupIcon, Text("\xC3\x84PFEL")), Bytes{2});
  EXPECT_FALSE(module->Find(kResourceGroupIcon, Text("\xC3\xA4pfel")));  // U+00E4
  EXPECT_FALSE(module->Find(kResourceGroupIcon, Text("AMixedCase")));
  EXPECT_EQ(module->Find(kResourceGroupIcon, Text("7")), Bytes{3});
  EXPECT_FALSE(module->Find(kResourceGroupIcon, Id(7)));
  EXPECT_FALSE(module->Find(kResourceGroupIcon, Text("8")));
}

TEST(PeResources, FindGivesTheFirstLanguageEntry) {
  const auto module = OpenBytes(BuildPeModule({Resource(kResourceIcon, Id(1), Filled(9, 1), 0x407),
                                               Resource(kResourceIcon, Id(1), Filled(12, 2), 0x409),
                                               Resource(kResourceIcon, Text("X"), Filled(5, 3), 0x40C),
                                               Resource(kResourceIcon, Text("X"), Filled(6, 4), 0)}));
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->EnumNames(kResourceIcon), Names({Text("X"), Id(1)}));
  EXPECT_EQ(module->Find(kResourceIcon, Id(1)), Filled(9, 1));
  EXPECT_EQ(module->Find(kResourceIcon, Text("x")), Filled(5, 3));
}

TEST(PeResources, ReadsPe32AndPe32PlusOfAnyMachine) {
  const PeLayout layouts[] = {{false, 0x14C}, {false, 0x1C4}, {true, 0x8664}, {true, 0xAA64}, {true, 0x5064}};
  for (const PeLayout& layout : layouts) {
    SCOPED_TRACE(testing::Message() << "machine 0x" << std::hex << layout.machine);
    const Bytes file = BuildPeModule(
        {Resource(kResourceGroupIcon, Text("G"), Filled(30, 5)), Resource(kResourceIcon, Id(3), Filled(50, 6))}, layout);
    ASSERT_EQ(U16At(file, PeAt{file}.OptionalHeader()), layout.pe32plus ? 0x20Bu : 0x10Bu);
    const auto module = OpenBytes(file);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->EnumNames(kResourceGroupIcon), Names({Text("G")}));
    EXPECT_EQ(module->Find(kResourceGroupIcon, Text("G")), Filled(30, 5));
    EXPECT_EQ(module->Find(kResourceIcon, Id(3)), Filled(50, 6));
  }
}

TEST(PeResources, OpensModulesWithoutResources) {
  Bytes tooFewDirectories = SmallPe();
  PutU32At(tooFewDirectories, PeAt{tooFewDirectories}.ResourceRvaField() - 16 - 4, 2);
  for (const Bytes& bytes : {BuildPeModule({}), tooFewDirectories}) {
    const auto module = OpenBytes(bytes);
    ASSERT_NE(module, nullptr);
    EXPECT_TRUE(module->EnumNames(kResourceGroupIcon).empty());
    EXPECT_FALSE(module->Find(kResourceIcon, Id(1)));
  }
}

// Claims nearly 4 GB, more than a 32-bit process can hold, and holds a small
// module followed by zeros.
class InflatedSource final : public ByteSource {
 public:
  explicit InflatedSource(Bytes bytes) : m_bytes(std::move(bytes)) {}
  uint64_t Size() const override { return 0xFFFFF000u; }
  bool ReadAt(uint64_t offset, void* out, size_t length) const override {
    if (!Has(offset, length)) return false;
    auto* to = static_cast<uint8_t*>(out);
    for (size_t i = 0; i < length; ++i) to[i] = offset + i < m_bytes.size() ? m_bytes[offset + i] : 0;
    return true;
  }

 private:
  Bytes m_bytes;
};

TEST(PeResources, RefusesAResourceTooLargeToHold) {
  Bytes bytes = SmallPe();
  const PeAt pe{bytes};
  PutU32At(bytes, pe.SectionHeader() + 8, 0xF0000000u);
  PutU32At(bytes, pe.SectionHeader() + 16, 0xF0000000u);
  PutU32At(bytes, pe.DataEntry() + 4, 0xE0000000u);
  const auto module = ModuleResources::Open(std::make_unique<InflatedSource>(bytes));
  ASSERT_NE(module, nullptr);
  EXPECT_FALSE(module->Find(kResourceGroupIcon, Text("MAIN")));
  EXPECT_EQ(module->Find(kResourceIcon, Id(1)), Filled(40, 3));
}

TEST(PeResources, ReadsModuleFromFileAndClosesItWithTheModule) {
  const TempPath path(".dll");
  ASSERT_TRUE(WriteBytes(path.str(), SmallPe()));
  {
    const auto module = ModuleResources::OpenFile(path.str());
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->EnumNames(kResourceGroupIcon), Names({Text("MAIN"), Id(7)}));
    EXPECT_EQ(module->Find(kResourceIcon, Id(1)), Filled(40, 3));
  }
  // Windows removes no file that is still open.
  std::error_code error;
  ASSERT_TRUE(std::filesystem::remove(path.str(), error)) << error.message();
  EXPECT_EQ(ModuleResources::OpenFile(path.str()), nullptr);
}

// ---- NE ----

TEST(NeResources, ListsInTableOrderAndFindsByIdOrTextIgnoringAsciiCase) {
  const Bytes file = BuildNeModule(
      {Resource(kResourceGroupIcon, Id(5), Filled(20, 1)), Resource(kResourceGroupIcon, Text("Main"), Filled(20, 2)),
       Resource(kResourceIcon, Id(9), Filled(40, 3)), Resource(kResourceGroupIcon, Id(2), {4})});
  // Integer type ids carry the high bit in the table, and are asked for without it.
  EXPECT_EQ(U16At(file, NeAt{file}.Table() + 2), 0x800Eu);
  const auto module = OpenBytes(file);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->EnumNames(kResourceGroupIcon), Names({Id(5), Text("Main"), Id(2)}));
  EXPECT_EQ(module->EnumNames(kResourceIcon), Names({Id(9)}));
  EXPECT_TRUE(module->EnumNames(2).empty());
  EXPECT_EQ(module->Find(kResourceGroupIcon, Text("MAIN")), Padded(Filled(20, 2), 4));
  EXPECT_EQ(module->Find(kResourceIcon, Id(9)), Padded(Filled(40, 3), 4));
  EXPECT_FALSE(module->Find(0x800E, Text("Main")));
  EXPECT_FALSE(module->Find(kResourceIcon, Id(5)));
  EXPECT_FALSE(module->Find(kResourceGroupIcon, Text("MAI")));
}

TEST(NeResources, ReadsResourcesAtEachAlignmentShift) {
  for (const uint16_t shift : {0, 1, 4, 9, 12}) {
    SCOPED_TRACE(shift);
    const Bytes data = Filled(37, static_cast<uint8_t>(shift));
    const auto module = OpenBytes(
        BuildNeModule({Resource(kResourceIcon, Id(2), data), Resource(kResourceIcon, Id(4), Filled(3, 9))}, shift));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->Find(kResourceIcon, Id(2)), Padded(data, shift));
  }
}

TEST(NeResources, FindGivesTheFirstOfRepeatedNames) {
  const auto module = OpenBytes(
      BuildNeModule({Resource(kResourceIcon, Id(1), Filled(16, 1)), Resource(kResourceIcon, Id(1), Filled(16, 2))}));
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->Find(kResourceIcon, Id(1)), Filled(16, 1));
}
