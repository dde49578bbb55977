// Our module resource reader against PE32, PE32+ and NE files written by the
// test builders, and against those files damaged field by field.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "formats/ModuleResources.h"
#include "support/ModuleBuilder.h"

namespace {
using Bytes = std::vector<uint8_t>;

std::unique_ptr<ModuleResources> OpenBytes(const Bytes& bytes) {
  return ModuleResources::Open(std::make_unique<MemorySource>(bytes));
}

uint32_t Get16(const Bytes& bytes, size_t at) { return bytes.at(at) | (bytes.at(at + 1) << 8); }
uint32_t Get32(const Bytes& bytes, size_t at) { return Get16(bytes, at) | (Get16(bytes, at + 2) << 16); }
void Set16(Bytes& bytes, size_t at, uint32_t value) {
  bytes.at(at) = static_cast<uint8_t>(value);
  bytes.at(at + 1) = static_cast<uint8_t>(value >> 8);
}
void Set32(Bytes& bytes, size_t at, uint32_t value) {
  Set16(bytes, at, value & 0xFFFF);
  Set16(bytes, at + 2, value >> 16);
}

Bytes Filled(size_t size, uint8_t seed) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
  return bytes;
}

BuiltResource Resource(uint16_t type, ResourceName name, Bytes data, uint16_t language = 0x409) {
  return BuiltResource{type, std::move(name), language, std::move(data)};
}

std::vector<ResourceName> Names(std::initializer_list<ResourceName> names) { return names; }

// Where things are in a built PE file, found through its headers.
struct PeFile {
  Bytes bytes;

  size_t PeHeader() const { return Get32(bytes, 0x3C); }
  size_t OptionalHeader() const { return PeHeader() + 24; }
  size_t SectionHeader() const { return OptionalHeader() + Get16(bytes, PeHeader() + 20); }
  size_t ResourceDirectoryRvaField() const {
    return OptionalHeader() + (Get16(bytes, OptionalHeader()) == 0x20B ? 112 : 96) + 16;
  }
  size_t Directory() const { return Get32(bytes, SectionHeader() + 20); }
  // Entry i of the directory at a resource-relative offset.
  size_t Entry(uint32_t directory, size_t i) const { return Directory() + directory + 16 + 8 * i; }
  uint32_t Subdirectory(size_t entry) const { return Get32(bytes, entry + 4) & 0x7FFFFFFF; }
  // The first type's first name's first language entry.
  size_t TypeEntry() const { return Entry(0, 0); }
  size_t NameEntry() const { return Entry(Subdirectory(TypeEntry()), 0); }
  size_t LanguageEntry() const { return Entry(Subdirectory(NameEntry()), 0); }
  size_t DataEntry() const { return Directory() + Get32(bytes, LanguageEntry() + 4); }
};

// One group named by text and one by id, and one icon.
PeFile SmallPe() {
  return PeFile{BuildPeModule({Resource(kResourceGroupIcon, ResourceName::Text("MAIN"), Filled(20, 1)),
                               Resource(kResourceGroupIcon, ResourceName::Id(7), Filled(20, 2)),
                               Resource(kResourceIcon, ResourceName::Id(1), Filled(40, 3))})};
}

void ExpectGroupsRefused(const Bytes& bytes) {
  const auto module = OpenBytes(bytes);
  ASSERT_NE(module, nullptr);
  EXPECT_TRUE(module->EnumNames(kResourceGroupIcon).empty());
  EXPECT_FALSE(module->Find(kResourceGroupIcon, ResourceName::Text("MAIN")));
  EXPECT_FALSE(module->Find(kResourceGroupIcon, ResourceName::Id(7)));
}

void ExpectMainGroupNotFound(const Bytes& bytes) {
  const auto module = OpenBytes(bytes);
  ASSERT_NE(module, nullptr);
  EXPECT_FALSE(module->Find(kResourceGroupIcon, ResourceName::Text("MAIN")));
}

// Where things are in a built NE file.
struct NeFile {
  Bytes bytes;

  size_t NeHeader() const { return Get32(bytes, 0x3C); }
  size_t Table() const { return NeHeader() + Get16(bytes, NeHeader() + 0x24); }
  size_t FirstNameInfo() const { return Table() + 2 + 8; }
};

// The table gives lengths in alignment units, so a resource's bytes run to the next boundary.
Bytes Padded(Bytes data, uint16_t shift) {
  const size_t unit = size_t{1} << shift;
  data.resize((data.size() + unit - 1) / unit * unit);
  return data;
}

NeFile SmallNe() {
  return NeFile{BuildNeModule({Resource(kResourceGroupIcon, ResourceName::Text("MAIN"), Filled(20, 1)),
                               Resource(kResourceIcon, ResourceName::Id(1), Filled(40, 3))})};
}

void ExpectNeRefused(const Bytes& bytes) {
  const auto module = OpenBytes(bytes);
  ASSERT_NE(module, nullptr);
  EXPECT_TRUE(module->EnumNames(kResourceGroupIcon).empty());
  EXPECT_TRUE(module->EnumNames(kResourceIcon).empty());
  EXPECT_FALSE(module->Find(kResourceIcon, ResourceName::Id(1)));
}
}  // namespace

// ---- PE: enumeration and lookup ----

TEST(PeResources, EnumeratesNamedEntriesFirstThenIdsEachInDirectoryOrder) {
  const Bytes file = BuildPeModule({Resource(kResourceGroupIcon, ResourceName::Id(5), {1}),
                                    Resource(kResourceGroupIcon, ResourceName::Text("Zeta"), {2}),
                                    Resource(kResourceGroupIcon, ResourceName::Id(2), {3}),
                                    Resource(kResourceGroupIcon, ResourceName::Text("alpha"), {4})});
  const auto module = OpenBytes(file);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->EnumNames(kResourceGroupIcon),
            Names({ResourceName::Text("Zeta"), ResourceName::Text("alpha"), ResourceName::Id(5), ResourceName::Id(2)}));
}

TEST(PeResources, EnumeratesOnlyTheAskedType) {
  const auto module = OpenBytes(SmallPe().bytes);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->EnumNames(kResourceIcon), Names({ResourceName::Id(1)}));
  EXPECT_EQ(module->EnumNames(kResourceGroupIcon), Names({ResourceName::Text("MAIN"), ResourceName::Id(7)}));
  EXPECT_TRUE(module->EnumNames(5).empty());
  EXPECT_FALSE(module->Find(5, ResourceName::Id(1)));
}

TEST(PeResources, GivesUtf16NamesAsUtf8) {
  const std::string accented = "D\xC3\xA9j\xC3\xA0 vu";    // U+00E9, U+00E0
  const std::string beyondBmp = "Smile\xF0\x9F\x98\x80!";  // U+1F600, a surrogate pair
  const std::string threeBytes =
      "\xE2\x82\xAC"
      "100";  // U+20AC
  const Bytes file = BuildPeModule({Resource(kResourceGroupIcon, ResourceName::Text(accented), {1}),
                                    Resource(kResourceGroupIcon, ResourceName::Text(beyondBmp), {2}),
                                    Resource(kResourceGroupIcon, ResourceName::Text(threeBytes), {3})});
  const auto module = OpenBytes(file);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->EnumNames(kResourceGroupIcon),
            Names({ResourceName::Text(accented), ResourceName::Text(beyondBmp), ResourceName::Text(threeBytes)}));
  EXPECT_EQ(module->Find(kResourceGroupIcon, ResourceName::Text(beyondBmp)), Bytes{2});
}

TEST(PeResources, ReplacesUnpairedSurrogatesWithReplacementCharacter) {
  PeFile pe{BuildPeModule({Resource(kResourceGroupIcon, ResourceName::Text("ABC"), {1})})};
  const size_t name = pe.Directory() + (Get32(pe.bytes, pe.NameEntry()) & 0x7FFFFFFF);
  ASSERT_EQ(Get16(pe.bytes, name), 3u);
  Set16(pe.bytes, name + 2, 0xDC00);  // a low surrogate with nothing before it
  Set16(pe.bytes, name + 6, 0xD800);  // a high surrogate at the end
  const auto module = OpenBytes(pe.bytes);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->EnumNames(kResourceGroupIcon), Names({ResourceName::Text("\xEF\xBF\xBD"
                                                                             "B\xEF\xBF\xBD")}));
}

TEST(PeResources, FindsResourceBytesById) {
  const auto module = OpenBytes(SmallPe().bytes);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->Find(kResourceGroupIcon, ResourceName::Id(7)), Filled(20, 2));
  EXPECT_EQ(module->Find(kResourceIcon, ResourceName::Id(1)), Filled(40, 3));
  EXPECT_FALSE(module->Find(kResourceIcon, ResourceName::Id(7)));
}

TEST(PeResources, MatchesTextNamesWithoutRegardToAsciiCase) {
  const std::string upperUmlaut = "\xC3\x84pfel";  // U+00C4
  const std::string lowerUmlaut = "\xC3\xA4pfel";  // U+00E4
  const Bytes file = BuildPeModule({Resource(kResourceGroupIcon, ResourceName::Text("MixedCase"), {1}),
                                    Resource(kResourceGroupIcon, ResourceName::Text(upperUmlaut), {2})});
  const auto module = OpenBytes(file);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->Find(kResourceGroupIcon, ResourceName::Text("mixedcase")), Bytes{1});
  EXPECT_EQ(module->Find(kResourceGroupIcon, ResourceName::Text("MIXEDCASE")), Bytes{1});
  EXPECT_EQ(module->Find(kResourceGroupIcon, ResourceName::Text(upperUmlaut)), Bytes{2});
  EXPECT_EQ(module->Find(kResourceGroupIcon, ResourceName::Text("\xC3\x84PFEL")), Bytes{2});
  EXPECT_FALSE(module->Find(kResourceGroupIcon, ResourceName::Text(lowerUmlaut)));
  EXPECT_FALSE(module->Find(kResourceGroupIcon, ResourceName::Text("MixedCas")));
}

TEST(PeResources, KeepsIdsAndTextNamesApart) {
  const Bytes file = BuildPeModule({Resource(kResourceGroupIcon, ResourceName::Text("7"), {1}),
                                    Resource(kResourceGroupIcon, ResourceName::Id(8), {2})});
  const auto module = OpenBytes(file);
  ASSERT_NE(module, nullptr);
  EXPECT_FALSE(module->Find(kResourceGroupIcon, ResourceName::Id(7)));
  EXPECT_FALSE(module->Find(kResourceGroupIcon, ResourceName::Text("8")));
  EXPECT_EQ(module->Find(kResourceGroupIcon, ResourceName::Text("7")), Bytes{1});
}

TEST(PeResources, FindGivesTheFirstLanguageEntry) {
  const Bytes file = BuildPeModule({Resource(kResourceIcon, ResourceName::Id(1), Filled(9, 1), 0x407),
                                    Resource(kResourceIcon, ResourceName::Id(1), Filled(12, 2), 0x409),
                                    Resource(kResourceIcon, ResourceName::Text("X"), Filled(5, 3), 0x40C),
                                    Resource(kResourceIcon, ResourceName::Text("X"), Filled(6, 4), 0)});
  const auto module = OpenBytes(file);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->EnumNames(kResourceIcon), Names({ResourceName::Text("X"), ResourceName::Id(1)}));
  EXPECT_EQ(module->Find(kResourceIcon, ResourceName::Id(1)), Filled(9, 1));
  EXPECT_EQ(module->Find(kResourceIcon, ResourceName::Text("x")), Filled(5, 3));
}

TEST(PeResources, ReadsPe32AndPe32PlusOfAnyMachine) {
  const struct {
    bool pe32plus;
    uint16_t machine;
  } layouts[] = {{false, 0x14C}, {false, 0x1C4}, {true, 0x8664}, {true, 0xAA64}, {true, 0x5064}};
  for (const auto& layout : layouts) {
    SCOPED_TRACE(testing::Message() << "machine 0x" << std::hex << layout.machine);
    PeLayout pe;
    pe.pe32plus = layout.pe32plus;
    pe.machine = layout.machine;
    const Bytes file = BuildPeModule({Resource(kResourceGroupIcon, ResourceName::Text("G"), Filled(30, 5)),
                                      Resource(kResourceIcon, ResourceName::Id(3), Filled(50, 6))},
                                     pe);
    ASSERT_EQ(Get16(file, Get32(file, 0x3C) + 24), layout.pe32plus ? 0x20Bu : 0x10Bu);
    const auto module = OpenBytes(file);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->EnumNames(kResourceGroupIcon), Names({ResourceName::Text("G")}));
    EXPECT_EQ(module->Find(kResourceGroupIcon, ResourceName::Text("G")), Filled(30, 5));
    EXPECT_EQ(module->Find(kResourceIcon, ResourceName::Id(3)), Filled(50, 6));
  }
}

TEST(PeResources, OpensModulesWithoutResources) {
  const auto empty = OpenBytes(BuildPeModule({}));
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(empty->EnumNames(kResourceGroupIcon).empty());

  // A data-directory table too short to hold the resource entry.
  PeFile pe = SmallPe();
  Set32(pe.bytes, pe.ResourceDirectoryRvaField() - 16 - 4, 2);
  const auto withoutDirectory = OpenBytes(pe.bytes);
  ASSERT_NE(withoutDirectory, nullptr);
  EXPECT_TRUE(withoutDirectory->EnumNames(kResourceGroupIcon).empty());
  EXPECT_FALSE(withoutDirectory->Find(kResourceIcon, ResourceName::Id(1)));
}

TEST(PeResources, ReadsModuleFromFile) {
  const auto path = std::filesystem::temp_directory_path() / "vantrel-module-resources-test.dll";
  {
    const Bytes file = SmallPe().bytes;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  }
  {
    const auto module = ModuleResources::OpenFile(path.string());
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->EnumNames(kResourceGroupIcon), Names({ResourceName::Text("MAIN"), ResourceName::Id(7)}));
    EXPECT_EQ(module->Find(kResourceIcon, ResourceName::Id(1)), Filled(40, 3));
  }
  // Closed once the module is gone: Windows removes no file that is still open.
  std::error_code error;
  ASSERT_TRUE(std::filesystem::remove(path, error)) << error.message();
  EXPECT_EQ(ModuleResources::OpenFile(path.string()), nullptr);
}

// ---- PE: refusal of malformed modules ----

TEST(ModuleResourcesOpen, RefusesBytesThatAreNotAModule) {
  Bytes unknownSignature = SmallPe().bytes;
  unknownSignature[Get32(unknownSignature, 0x3C)] = 'L';
  Bytes signaturePastEnd = SmallPe().bytes;
  Set32(signaturePastEnd, 0x3C, static_cast<uint32_t>(signaturePastEnd.size() - 2));
  Bytes hugeSignatureOffset = SmallPe().bytes;
  Set32(hugeSignatureOffset, 0x3C, 0xFFFFFFFE);
  Bytes noMz = SmallPe().bytes;
  noMz[0] = 'Z';
  const Bytes cases[] = {{}, {'M', 'Z'}, unknownSignature, signaturePastEnd, hugeSignatureOffset, noMz};
  for (const Bytes& bytes : cases) EXPECT_EQ(OpenBytes(bytes), nullptr);
}

TEST(PeResourcesRefusal, RefusesTruncatedHeaders) {
  const PeFile pe = SmallPe();
  const size_t cuts[] = {0x3E,
                         pe.PeHeader() + 3,
                         pe.PeHeader() + 20,
                         pe.OptionalHeader() + 60,
                         pe.SectionHeader() - 1,
                         pe.SectionHeader() + 39};
  for (const size_t cut : cuts) {
    SCOPED_TRACE(cut);
    EXPECT_EQ(OpenBytes(Bytes(pe.bytes.begin(), pe.bytes.begin() + cut)), nullptr);
  }
}

TEST(PeResourcesRefusal, RefusesOptionalHeaderTooShortForItsMagic) {
  PeFile pe = SmallPe();
  Set16(pe.bytes, pe.PeHeader() + 20, 90);  // ends before the directory count
  EXPECT_EQ(OpenBytes(pe.bytes), nullptr);
}

TEST(PeResourcesRefusal, RefusesUnknownOptionalHeaderMagic) {
  PeFile pe = SmallPe();
  Set16(pe.bytes, pe.OptionalHeader(), 0x107);
  EXPECT_EQ(OpenBytes(pe.bytes), nullptr);
}

TEST(PeResourcesRefusal, RefusesSectionTableOutsideFile) {
  PeFile pe = SmallPe();
  Set16(pe.bytes, pe.PeHeader() + 6, 0xFFFF);
  EXPECT_EQ(OpenBytes(pe.bytes), nullptr);
}

TEST(PeResourcesRefusal, RefusesResourceRvaOutsideEverySection) {
  PeFile pe = SmallPe();
  Set32(pe.bytes, pe.ResourceDirectoryRvaField(), 0x80000);
  ExpectGroupsRefused(pe.bytes);
  Set32(pe.bytes, pe.ResourceDirectoryRvaField(), 0x10);  // inside the headers, not a section
  ExpectGroupsRefused(pe.bytes);
}

TEST(PeResourcesRefusal, RefusesSectionRawDataOutsideFile) {
  PeFile pe = SmallPe();
  Set32(pe.bytes, pe.SectionHeader() + 20, static_cast<uint32_t>(pe.bytes.size() - 8));
  ExpectGroupsRefused(pe.bytes);
  pe = SmallPe();
  Set32(pe.bytes, pe.SectionHeader() + 20, 0xFFFFFF00);
  ExpectGroupsRefused(pe.bytes);
}

TEST(PeResourcesRefusal, RefusesEntryCountsThatCannotFit) {
  PeFile root = SmallPe();
  Set16(root.bytes, root.Directory() + 12, 0xFFFF);
  Set16(root.bytes, root.Directory() + 14, 0xFFFF);
  ExpectGroupsRefused(root.bytes);

  PeFile names = SmallPe();
  Set16(names.bytes, names.Directory() + names.Subdirectory(names.TypeEntry()) + 14, 0xFFFF);
  ExpectGroupsRefused(names.bytes);

  PeFile languages = SmallPe();
  Set16(languages.bytes, languages.Directory() + languages.Subdirectory(languages.NameEntry()) + 14, 0x8000);
  ExpectMainGroupNotFound(languages.bytes);
}

TEST(PeResourcesRefusal, RefusesDirectoryLoopingToItselfOrAncestor) {
  PeFile typeToRoot = SmallPe();
  Set32(typeToRoot.bytes, typeToRoot.TypeEntry() + 4, 0x80000000);
  ExpectGroupsRefused(typeToRoot.bytes);

  PeFile nameToItsDirectory = SmallPe();
  Set32(nameToItsDirectory.bytes, nameToItsDirectory.NameEntry() + 4,
        0x80000000 | nameToItsDirectory.Subdirectory(nameToItsDirectory.TypeEntry()));
  ExpectGroupsRefused(nameToItsDirectory.bytes);

  PeFile nameToRoot = SmallPe();
  Set32(nameToRoot.bytes, nameToRoot.NameEntry() + 4, 0x80000000);
  ExpectGroupsRefused(nameToRoot.bytes);
}

TEST(PeResourcesRefusal, RefusesDataEntryWhereDirectoryBelongs) {
  PeFile typeLevel = SmallPe();
  Set32(typeLevel.bytes, typeLevel.TypeEntry() + 4, typeLevel.Subdirectory(typeLevel.TypeEntry()));
  ExpectGroupsRefused(typeLevel.bytes);

  PeFile nameLevel = SmallPe();
  Set32(nameLevel.bytes, nameLevel.NameEntry() + 4, nameLevel.Subdirectory(nameLevel.NameEntry()));
  ExpectGroupsRefused(nameLevel.bytes);
}

TEST(PeResourcesRefusal, RefusesDirectoryWhereDataEntryBelongs) {
  PeFile pe = SmallPe();
  Set32(pe.bytes, pe.LanguageEntry() + 4, 0x80000000 | Get32(pe.bytes, pe.LanguageEntry() + 4));
  ExpectMainGroupNotFound(pe.bytes);
}

TEST(PeResourcesRefusal, RefusesNameStringOutsideFile) {
  PeFile offsetOutside = SmallPe();
  Set32(offsetOutside.bytes, offsetOutside.NameEntry(), 0xFFFFFFF0);
  PeFile lengthOutside = SmallPe();
  Set16(lengthOutside.bytes,
        lengthOutside.Directory() + (Get32(lengthOutside.bytes, lengthOutside.NameEntry()) & 0x7FFFFFFF), 0xFFFF);
  for (const PeFile& pe : {offsetOutside, lengthOutside}) {
    const auto module = OpenBytes(pe.bytes);
    ASSERT_NE(module, nullptr);
    EXPECT_TRUE(module->EnumNames(kResourceGroupIcon).empty());
    EXPECT_FALSE(module->Find(kResourceGroupIcon, ResourceName::Text("MAIN")));
    // A lookup by id reads no strings, so the damage is not on its way.
    EXPECT_EQ(module->Find(kResourceGroupIcon, ResourceName::Id(7)), Filled(20, 2));
  }
}

TEST(PeResourcesRefusal, RefusesIdsWiderThanSixteenBits) {
  PeFile pe = SmallPe();
  Set32(pe.bytes, pe.Entry(pe.Subdirectory(pe.TypeEntry()), 1), 0x10007);
  ExpectGroupsRefused(pe.bytes);
}

TEST(PeResourcesRefusal, RefusesResourceDataOutsideTheFileOrSectionBytes) {
  const std::function<void(PeFile&)> damages[] = {
      [](PeFile& pe) { Set32(pe.bytes, pe.DataEntry() + 4, 0xFFFFFFF0); },
      [](PeFile& pe) { Set32(pe.bytes, pe.DataEntry(), 0x7FFF0000); },
      [](PeFile& pe) { Set32(pe.bytes, pe.DataEntry(), 0); },
      [](PeFile& pe) { Set32(pe.bytes, pe.LanguageEntry() + 4, 0x7FFFFFF0); },
      // Bytes the section reserves in memory but does not hold in the file.
      [](PeFile& pe) {
        pe.bytes.resize(pe.bytes.size() + 64, 0xEE);  // bytes after the section that it must not reach
        const uint32_t rawSize = Get32(pe.bytes, pe.SectionHeader() + 16);
        Set32(pe.bytes, pe.SectionHeader() + 8, rawSize + 0x1000);
        Set32(pe.bytes, pe.DataEntry(), Get32(pe.bytes, pe.SectionHeader() + 12) + rawSize - 4);
      },
  };
  for (const auto& damage : damages) {
    PeFile pe = SmallPe();
    damage(pe);
    ExpectMainGroupNotFound(pe.bytes);
    const auto module = OpenBytes(pe.bytes);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->Find(kResourceIcon, ResourceName::Id(1)), Filled(40, 3));
  }
}

// ---- NE ----

TEST(NeResources, EnumeratesInTableOrder) {
  const Bytes file = BuildNeModule({Resource(kResourceGroupIcon, ResourceName::Id(5), {1}),
                                    Resource(kResourceGroupIcon, ResourceName::Text("Zeta"), {2}),
                                    Resource(kResourceIcon, ResourceName::Id(9), {3}),
                                    Resource(kResourceGroupIcon, ResourceName::Id(2), {4}),
                                    Resource(kResourceGroupIcon, ResourceName::Text("alpha"), {5})});
  const auto module = OpenBytes(file);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->EnumNames(kResourceGroupIcon),
            Names({ResourceName::Id(5), ResourceName::Text("Zeta"), ResourceName::Id(2), ResourceName::Text("alpha")}));
  EXPECT_EQ(module->EnumNames(kResourceIcon), Names({ResourceName::Id(9)}));
  EXPECT_TRUE(module->EnumNames(2).empty());
}

TEST(NeResources, StoresIconTypesAsIntegerTypeIds) {
  const NeFile ne = SmallNe();
  EXPECT_EQ(Get16(ne.bytes, ne.Table() + 2), 0x800Eu);
  const auto module = OpenBytes(ne.bytes);
  ASSERT_NE(module, nullptr);
  EXPECT_FALSE(module->Find(0x800E, ResourceName::Text("MAIN")));
  EXPECT_TRUE(module->Find(kResourceGroupIcon, ResourceName::Text("MAIN")));
}

TEST(NeResources, FindsByIdAndByTextIgnoringAsciiCase) {
  const auto module = OpenBytes(SmallNe().bytes);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->Find(kResourceGroupIcon, ResourceName::Text("main")), Padded(Filled(20, 1), 4));
  EXPECT_EQ(module->Find(kResourceIcon, ResourceName::Id(1)), Padded(Filled(40, 3), 4));
  EXPECT_FALSE(module->Find(kResourceIcon, ResourceName::Id(2)));
  EXPECT_FALSE(module->Find(kResourceGroupIcon, ResourceName::Text("MAI")));
}

TEST(NeResources, ReadsResourcesAtEachAlignmentShift) {
  for (const uint16_t shift : {0, 1, 4, 9, 12}) {
    SCOPED_TRACE(shift);
    const Bytes data = Filled(37, static_cast<uint8_t>(shift));
    const auto module = OpenBytes(BuildNeModule({Resource(kResourceIcon, ResourceName::Id(2), data),
                                                 Resource(kResourceIcon, ResourceName::Id(4), Filled(3, 9))},
                                                shift));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->Find(kResourceIcon, ResourceName::Id(2)), Padded(data, shift));
  }
}

TEST(NeResources, FindGivesTheFirstOfRepeatedNames) {
  const auto module = OpenBytes(BuildNeModule({Resource(kResourceIcon, ResourceName::Id(1), Filled(16, 1)),
                                               Resource(kResourceIcon, ResourceName::Id(1), Filled(16, 2))},
                                              4));
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->Find(kResourceIcon, ResourceName::Id(1)), Filled(16, 1));
}

TEST(NeResourcesRefusal, RefusesTruncatedNeHeader) {
  const NeFile ne = SmallNe();
  EXPECT_EQ(OpenBytes(Bytes(ne.bytes.begin(), ne.bytes.begin() + ne.NeHeader() + 0x30)), nullptr);
}

TEST(NeResourcesRefusal, RefusesAlignShiftAbove15) {
  NeFile ne = SmallNe();
  Set16(ne.bytes, ne.Table(), 16);
  ExpectNeRefused(ne.bytes);
}

TEST(NeResourcesRefusal, RefusesResourceTablePastEndOfFile) {
  NeFile ne = SmallNe();
  Set16(ne.bytes, ne.NeHeader() + 0x26, 0xFFF0);
  ExpectNeRefused(ne.bytes);
}

TEST(NeResourcesRefusal, RefusesResourceTableEndingBeforeItStarts) {
  NeFile ne = SmallNe();
  Set16(ne.bytes, ne.NeHeader() + 0x26, Get16(ne.bytes, ne.NeHeader() + 0x24) - 2);
  ExpectNeRefused(ne.bytes);
}

TEST(NeResourcesRefusal, RefusesTypeChainWithoutTerminator) {
  NeFile ne{BuildNeModule({Resource(kResourceGroupIcon, ResourceName::Id(1), Filled(20, 1)),
                           Resource(kResourceIcon, ResourceName::Id(1), Filled(40, 3))})};
  // Two types of one name each; the table ends where the terminating zero was.
  const size_t terminator = ne.Table() + 2 + 2 * (8 + 12);
  ASSERT_EQ(Get16(ne.bytes, terminator), 0u);
  Set16(ne.bytes, ne.NeHeader() + 0x26, static_cast<uint32_t>(terminator - ne.NeHeader()));
  ExpectNeRefused(ne.bytes);
}

TEST(NeResourcesRefusal, RefusesNameCountThatCannotFit) {
  NeFile ne = SmallNe();
  Set16(ne.bytes, ne.Table() + 4, 0xFFFF);
  ExpectNeRefused(ne.bytes);
}

TEST(NeResourcesRefusal, RefusesNameStringOutsideTable) {
  NeFile offsetOutside = SmallNe();
  Set16(offsetOutside.bytes, offsetOutside.FirstNameInfo() + 6, 0x7FF0);
  ExpectNeRefused(offsetOutside.bytes);

  NeFile lengthOutside = SmallNe();
  lengthOutside.bytes.at(lengthOutside.Table() + Get16(lengthOutside.bytes, lengthOutside.FirstNameInfo() + 6)) = 0xFF;
  ExpectNeRefused(lengthOutside.bytes);
}

TEST(NeResourcesRefusal, RefusesResourceDataPastEndOfFile) {
  const std::function<void(NeFile&)> damages[] = {
      [](NeFile& ne) { Set16(ne.bytes, ne.FirstNameInfo(), 0xFFFF); },
      [](NeFile& ne) { Set16(ne.bytes, ne.FirstNameInfo() + 2, 0xFFFF); },
      [](NeFile& ne) { Set16(ne.bytes, ne.Table(), 15); },
  };
  for (const auto& damage : damages) {
    NeFile ne = SmallNe();
    damage(ne);
    const auto module = OpenBytes(ne.bytes);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->EnumNames(kResourceGroupIcon), Names({ResourceName::Text("MAIN")}));
    EXPECT_FALSE(module->Find(kResourceGroupIcon, ResourceName::Text("MAIN")));
  }
}
