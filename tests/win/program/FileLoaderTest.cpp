// Loading one file: the type filter and extension rules, one icon per icon
// group of a module (damaged groups skipped, later ones kept), one icon per
// .ico file, the group names kept in the records, and real modules.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ProgramTestSupport.h"
#include "collection/IconCollection.h"
#include "formats/ModuleResources.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);

const char kWineSystemFolder[] = "Z:\\usr\\lib\\i386-linux-gnu\\wine\\i386-windows\\";

std::vector<GroupSpec> NumberedGroups(int count) {
  const COLORREF colours[] = {kRed, kGreen, kBlue, kYellow, kWhite};
  std::vector<GroupSpec> groups;
  for (int i = 0; i < count; ++i) groups.push_back({ResourceName::Id(static_cast<uint16_t>(i + 1)), colours[i % 5]});
  return groups;
}

bool IsNumericName(LPCSTR name, uintptr_t id) { return IS_INTRESOURCE(name) && reinterpret_cast<uintptr_t>(name) == id; }

class FileLoaderTest : public ::testing::Test {
 protected:
  FileLoaderTest() { host.Bind(icons); }

  void SwitchAllTypes(BOOL on) {
    icons.m_filterExe = icons.m_filterDll = icons.m_filterIco = icons.m_filterIcl = on;
    icons.m_filterCpl = icons.m_filterOcx = icons.m_filterScr = on;
  }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::string path = folder.File(name);
    EXPECT_TRUE(WriteBytes(path, bytes)) << path;
    return path;
  }
  // Every record, image and item in step, and the count of them.
  int LoadedCount() const {
    EXPECT_EQ(host.list.GetItemCount(), icons.GetCount());
    EXPECT_EQ(host.large.GetImageCount(), icons.GetCount());
    EXPECT_EQ(host.small.GetImageCount(), icons.GetCount());
    return icons.GetCount();
  }

  TempFolder folder;
  ListViewHost host;
  CIconCollection icons;
};

// --- The type filter ------------------------------------------------------

struct TypeCase {
  const char* extension;
  BOOL CIconCollection::*flag;
};

std::string Describe(const ::testing::TestParamInfo<TypeCase>& info) { return info.param.extension; }

class FileTypeFilterTest : public FileLoaderTest, public ::testing::WithParamInterface<TypeCase> {
 protected:
  std::string WriteSample() const {
    const std::string name = std::string("sample.") + GetParam().extension;
    if (std::strcmp(GetParam().extension, "ico") == 0) return Write(name, BuildSolidIcoFile({kRed}));
    return Write(name, BuildModuleWithGroups(NumberedGroups(2)));
  }
  int ExpectedIcons() const { return std::strcmp(GetParam().extension, "ico") == 0 ? 1 : 2; }
};

TEST_P(FileTypeFilterTest, LoadsTheTypeWhenOnlyItsFlagIsOn) {
  const std::string path = WriteSample();
  icons.*(GetParam().flag) = TRUE;

  icons.LoadFromFile(path.c_str(), TRUE);

  EXPECT_EQ(LoadedCount(), ExpectedIcons());
}

TEST_P(FileTypeFilterTest, SkipsTheTypeWhenEveryFlagButItsOwnIsOn) {
  const std::string path = WriteSample();
  SwitchAllTypes(TRUE);
  icons.*(GetParam().flag) = FALSE;

  icons.LoadFromFile(path.c_str(), TRUE);

  EXPECT_EQ(LoadedCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(EachType, FileTypeFilterTest,
                         ::testing::Values(TypeCase{"ico", &CIconCollection::m_filterIco},
                                           TypeCase{"exe", &CIconCollection::m_filterExe},
                                           TypeCase{"dll", &CIconCollection::m_filterDll},
                                           TypeCase{"icl", &CIconCollection::m_filterIcl},
                                           TypeCase{"ocx", &CIconCollection::m_filterOcx},
                                           TypeCase{"cpl", &CIconCollection::m_filterCpl},
                                           TypeCase{"scr", &CIconCollection::m_filterScr}),
                         Describe);

// --- Extension rules ------------------------------------------------------

TEST_F(FileLoaderTest, AcceptsExtensionsInCapitals) {
  const std::string module = Write("TOOL.EXE", BuildModuleWithGroups(NumberedGroups(2)));
  const std::string icon = Write("ICON.ICO", BuildSolidIcoFile({kRed}));
  icons.m_filterExe = icons.m_filterIco = TRUE;

  icons.LoadFromFile(module.c_str(), TRUE);
  icons.LoadFromFile(icon.c_str(), TRUE);

  EXPECT_EQ(LoadedCount(), 3);
}

TEST_F(FileLoaderTest, OnlyTheLastExtensionCounts) {
  const std::string path = Write("archive.ico.exe", BuildModuleWithGroups(NumberedGroups(3)));
  icons.m_filterExe = TRUE;

  icons.LoadFromFile(path.c_str(), TRUE);

  ASSERT_EQ(LoadedCount(), 3);
  EXPECT_TRUE(IsNumericName(icons.GetSource(0)->m_resName, 1));
}

TEST_F(FileLoaderTest, IcoAsAnEarlierExtensionDoesNotMakeAnIconFile) {
  const std::string path = Write("archive.ico.exe", BuildModuleWithGroups(NumberedGroups(3)));
  icons.m_filterIco = TRUE;

  icons.LoadFromFile(path.c_str(), TRUE);

  EXPECT_EQ(LoadedCount(), 0);
}

TEST_F(FileLoaderTest, SkipsAFileWithoutExtension) {
  const std::string path = Write("icon", BuildSolidIcoFile({kRed}));
  SwitchAllTypes(TRUE);

  icons.LoadFromFile(path.c_str(), TRUE);

  EXPECT_EQ(LoadedCount(), 0);
}

TEST_F(FileLoaderTest, SkipsTheIconExtension) {
  const std::string path = Write("picture.icon", BuildSolidIcoFile({kRed}));
  SwitchAllTypes(TRUE);

  icons.LoadFromFile(path.c_str(), TRUE);

  EXPECT_EQ(LoadedCount(), 0);
}

// --- Icon files -----------------------------------------------------------

TEST_F(FileLoaderTest, AnIcoFileGivesOneIconWhateverItsImageCount) {
  const std::string path = Write("three.ico", BuildSolidIcoFile({kRed, kGreen, kBlue}));
  icons.m_filterIco = TRUE;

  icons.LoadFromFile(path.c_str(), TRUE);

  ASSERT_EQ(LoadedCount(), 1);
  EXPECT_EQ(std::string(icons.GetSource(0)->m_path), path);
  EXPECT_EQ(icons.GetSource(0)->m_resName, nullptr);
}

TEST_F(FileLoaderTest, AnIcoFileThatIsNoIconAddsNothing) {
  const std::string path = Write("text.ico", std::vector<uint8_t>(200, 'x'));
  icons.m_filterIco = TRUE;

  icons.LoadFromFile(path.c_str(), TRUE);

  EXPECT_EQ(LoadedCount(), 0);
}

// --- Modules --------------------------------------------------------------

TEST_F(FileLoaderTest, AModuleGivesOneIconPerGroupAllSharingItsPath) {
  const std::string path = Write("five.dll", BuildModuleWithGroups(NumberedGroups(5)));
  icons.m_filterDll = TRUE;

  icons.LoadFromFile(path.c_str(), FALSE);

  ASSERT_EQ(LoadedCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(std::string(icons.GetSource(i)->m_path), path);
    EXPECT_TRUE(IsNumericName(icons.GetSource(i)->m_resName, i + 1)) << "record " << i;
    EXPECT_FALSE(host.list.GetCheck(i));
  }
}

TEST_F(FileLoaderTest, KeepsNumericIdsAsIntegers) {
  const std::string path = Write("numbered.exe", BuildModuleWithGroups({{ResourceName::Id(7), kRed}, {ResourceName::Id(300), kGreen}}));
  icons.m_filterExe = TRUE;

  icons.LoadFromFile(path.c_str(), TRUE);

  ASSERT_EQ(LoadedCount(), 2);
  EXPECT_TRUE(IsNumericName(icons.GetSource(0)->m_resName, 7));
  EXPECT_TRUE(IsNumericName(icons.GetSource(1)->m_resName, 300));
}

TEST_F(FileLoaderTest, ListsTextNamedGroupsBeforeNumberedOnes) {
  const std::string path =
      Write("mixed.exe", BuildModuleWithGroups({{ResourceName::Id(7), kRed}, {ResourceName::Text("MAINICON"), kGreen}}));
  icons.m_filterExe = TRUE;

  icons.LoadFromFile(path.c_str(), TRUE);

  ASSERT_EQ(LoadedCount(), 2);
  ASSERT_FALSE(IS_INTRESOURCE(icons.GetSource(0)->m_resName));
  EXPECT_STREQ(icons.GetSource(0)->m_resName, "MAINICON");
  EXPECT_TRUE(IsNumericName(icons.GetSource(1)->m_resName, 7));
  EXPECT_TRUE(SameColour(CentreColour(host.large, 0), kGreen));
  EXPECT_TRUE(SameColour(CentreColour(host.large, 1), kRed));
}

TEST_F(FileLoaderTest, KeepsItsOwnCopyOfATextName) {
  // Two names of one length: the second load reuses whatever memory the
  // first load's names were in, so a record pointing there would change.
  const std::string first = Write("first.dll", BuildModuleWithGroups({{ResourceName::Text("FIRST_GROUP_OF_ICONS"), kRed}}));
  const std::string second = Write("second.dll", BuildModuleWithGroups({{ResourceName::Text("OTHER_GROUP_OF_ICONS"), kBlue}}));
  icons.m_filterDll = TRUE;

  icons.LoadFromFile(first.c_str(), TRUE);
  icons.LoadFromFile(second.c_str(), TRUE);

  ASSERT_EQ(LoadedCount(), 2);
  EXPECT_STREQ(icons.GetSource(0)->m_resName, "FIRST_GROUP_OF_ICONS");
  EXPECT_STREQ(icons.GetSource(1)->m_resName, "OTHER_GROUP_OF_ICONS");
  EXPECT_NE(icons.GetSource(0)->m_resName, icons.GetSource(1)->m_resName);
}

// A module of five groups whose third is broken in one way.
struct DamageCase {
  const char* what;
  void (*damage)(BuiltResource& group, BuiltResource& image);
};

std::string DescribeDamage(const ::testing::TestParamInfo<DamageCase>& info) { return info.param.what; }

class DamagedGroupTest : public FileLoaderTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedGroupTest, IsSkippedAndTheLaterGroupsStillLoad) {
  std::vector<BuiltResource> resources;
  const COLORREF colours[] = {kRed, kGreen, kBlue, kYellow, kWhite};
  for (uint16_t id = 1; id <= 5; ++id) {
    BuiltResource image;
    image.type = kResourceIcon;
    image.name = ResourceName::Id(id);
    image.data = SolidIconBlock(colours[id - 1]);
    BuiltResource group;
    group.type = kResourceGroupIcon;
    group.name = ResourceName::Id(id);
    group.data = BuildGroupIcon({image.data}, {id});
    if (id == 3) GetParam().damage(group, image);
    resources.push_back(image);
    resources.push_back(group);
  }
  const std::string path = Write("damaged.exe", BuildPeModule(resources));
  icons.m_filterExe = TRUE;

  icons.LoadFromFile(path.c_str(), TRUE);

  ASSERT_EQ(LoadedCount(), 4);
  const uintptr_t expectedIds[] = {1, 2, 4, 5};
  const COLORREF expectedColours[] = {kRed, kGreen, kYellow, kWhite};
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(IsNumericName(icons.GetSource(i)->m_resName, expectedIds[i])) << "record " << i;
    EXPECT_TRUE(SameColour(CentreColour(host.large, i), expectedColours[i])) << "image " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedGroupTest,
    ::testing::Values(
        DamageCase{"ImageBytesDamaged",
                   [](BuiltResource&, BuiltResource& image) { image.data.assign(image.data.size(), 0xEE); }},
        DamageCase{"ImageMissing",
                   [](BuiltResource& group, BuiltResource&) {
                     // The entry names image 99, which the module does not hold.
                     group.data[6 + 12] = 99;
                   }},
        DamageCase{"CountBeyondItsBytes", [](BuiltResource& group, BuiltResource&) { group.data[4] = 200; }},
        DamageCase{"NoEntries",
                   [](BuiltResource& group, BuiltResource&) {
                     group.data.resize(6);
                     group.data[4] = 0;
                   }},
        DamageCase{"ShorterThanItsHeader", [](BuiltResource& group, BuiltResource&) { group.data.resize(3); }}),
    DescribeDamage);

TEST_F(FileLoaderTest, AFileThatIsNoModuleAddsNothing) {
  const std::string text = Write("notes.exe", std::vector<uint8_t>(300, 'x'));
  icons.m_filterExe = TRUE;

  icons.LoadFromFile(text.c_str(), TRUE);
  icons.LoadFromFile(folder.File("missing.exe").c_str(), TRUE);

  EXPECT_EQ(LoadedCount(), 0);
}

TEST_F(FileLoaderTest, AGroupWithAPngImageStillShows) {
  BuiltResource image;
  image.type = kResourceIcon;
  image.name = ResourceName::Id(1);
  image.data = MakePngBlock(32, 32, 3);
  BuiltResource group;
  group.type = kResourceGroupIcon;
  group.name = ResourceName::Id(1);
  group.data = BuildGroupIcon({image.data}, {1});
  const std::string path = Write("modern.dll", BuildPeModule({image, group}));
  icons.m_filterDll = TRUE;

  icons.LoadFromFile(path.c_str(), TRUE);

  EXPECT_EQ(LoadedCount(), 1);
}

TEST_F(FileLoaderTest, LoadsTheIconsOfAnNeModule) {
  std::vector<BuiltResource> resources;
  const COLORREF colours[] = {kBlue, kYellow};
  for (uint16_t id = 1; id <= 2; ++id) {
    BuiltResource image;
    image.type = kResourceIcon;
    image.name = ResourceName::Id(id);
    image.data = SolidIconBlock(colours[id - 1]);
    BuiltResource group;
    group.type = kResourceGroupIcon;
    group.name = ResourceName::Id(static_cast<uint16_t>(id + 10));
    group.data = BuildGroupIcon({image.data}, {id});
    resources.push_back(image);
    resources.push_back(group);
  }
  const std::string path = Write("old.exe", BuildNeModule(resources));
  icons.m_filterExe = TRUE;

  icons.LoadFromFile(path.c_str(), TRUE);

  ASSERT_EQ(LoadedCount(), 2);
  EXPECT_TRUE(IsNumericName(icons.GetSource(0)->m_resName, 11));
  EXPECT_TRUE(IsNumericName(icons.GetSource(1)->m_resName, 12));
  EXPECT_TRUE(SameColour(CentreColour(host.large, 0), kBlue));
  EXPECT_TRUE(SameColour(CentreColour(host.large, 1), kYellow));
}

TEST_F(FileLoaderTest, LoadsEveryIconGroupOfWinesShell32) {
  const std::string path = std::string(kWineSystemFolder) + "shell32.dll";
  ASSERT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
  icons.m_filterDll = TRUE;

  icons.LoadFromFile(path.c_str(), TRUE);

  EXPECT_EQ(LoadedCount(), 184);
}

// --- Several loads --------------------------------------------------------

TEST_F(FileLoaderTest, FilesLoadedInTurnKeepRecordImageAndItemInStep) {
  const std::string first = Write("first.ico", BuildSolidIcoFile({kRed}));
  const std::string second = Write("second.dll", BuildModuleWithGroups({{ResourceName::Id(1), kGreen}, {ResourceName::Id(2), kBlue}}));
  const std::string third = Write("third.ico", BuildSolidIcoFile({kYellow}));
  SwitchAllTypes(TRUE);

  icons.LoadFromFile(first.c_str(), TRUE);
  icons.LoadFromFile(second.c_str(), FALSE);
  icons.LoadFromFile(third.c_str(), TRUE);

  ASSERT_EQ(LoadedCount(), 4);
  const std::string paths[] = {first, second, second, third};
  const COLORREF colours[] = {kRed, kGreen, kBlue, kYellow};
  const BOOL checks[] = {TRUE, FALSE, FALSE, TRUE};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(std::string(icons.GetSource(i)->m_path), paths[i]) << "record " << i;
    EXPECT_TRUE(SameColour(CentreColour(host.large, i), colours[i])) << "large image " << i;
    EXPECT_TRUE(SameColour(CentreColour(host.small, i), colours[i])) << "small image " << i;
    EXPECT_EQ(host.list.GetCheck(i), checks[i]) << "item " << i;
  }
}

TEST_F(FileLoaderTest, LoadingAFileTwiceAddsItsIconsTwice) {
  const std::string module = Write("twice.exe", BuildModuleWithGroups(NumberedGroups(3)));
  const std::string icon = Write("twice.ico", BuildSolidIcoFile({kRed}));
  SwitchAllTypes(TRUE);

  for (int round = 0; round < 2; ++round) {
    icons.LoadFromFile(module.c_str(), TRUE);
    icons.LoadFromFile(icon.c_str(), TRUE);
  }

  ASSERT_EQ(LoadedCount(), 8);
  EXPECT_EQ(std::string(icons.GetSource(4)->m_path), module);
  EXPECT_EQ(std::string(icons.GetSource(7)->m_path), icon);
}

// --- Paths that do not fit the record --------------------------------------

class LongPathTest : public FileLoaderTest {
 protected:
  // A file whose full path has exactly `length` characters, written through the
  // wide functions, which take paths past MAX_PATH.
  std::string WriteWithPathLength(size_t length, const std::vector<uint8_t>& bytes, const char* extension) {
    const std::string subfolder = folder.Path() + "\\" + std::string(100, 'd');
    const std::wstring wideSubfolder = L"\\\\?\\" + std::wstring(subfolder.begin(), subfolder.end());
    CreateDirectoryW(wideSubfolder.c_str(), nullptr);
    const size_t used = subfolder.size() + 1 + std::strlen(extension);
    EXPECT_GT(length, used);
    const std::string path = subfolder + "\\" + std::string(length - used, 'f') + extension;
    const std::wstring widePath = L"\\\\?\\" + std::wstring(path.begin(), path.end());
    HANDLE file = CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(path.size(), length);
    return path;
  }
};

TEST_F(LongPathTest, AModulePathOf259CharactersIsKept) {
  const std::string path = WriteWithPathLength(259, BuildModuleWithGroups(NumberedGroups(2)), ".exe");
  icons.m_filterExe = TRUE;

  icons.LoadFromFile(path.c_str(), TRUE);

  ASSERT_EQ(LoadedCount(), 2);
  EXPECT_EQ(std::string(icons.GetSource(1)->m_path), path);
}

TEST_F(LongPathTest, AModulePathOf260CharactersIsSkippedNotCut) {
  const std::string path = WriteWithPathLength(260, BuildModuleWithGroups(NumberedGroups(2)), ".exe");
  // The file itself can be read under that path: only the record refuses it.
  ASSERT_NE(ModuleResources::OpenFile(path), nullptr);
  icons.m_filterExe = TRUE;

  icons.LoadFromFile(path.c_str(), TRUE);

  EXPECT_EQ(LoadedCount(), 0);
}

}  // namespace
