// Loading one file: the type filter and extension rules, one icon per icon
// group of a module (damaged groups skipped, later ones kept), one icon per
// .ico file, the group names kept in the records, and real modules.

#include <gtest/gtest.h>

#include <cstring>

#include "ProgramTestSupport.h"
#include "formats/ModuleResources.h"
#include "support/ModuleBuilder.h"

namespace {

const COLORREF kColours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255)};
const char kWineSystemFolder[] = "Z:\\usr\\lib\\i386-linux-gnu\\wine\\i386-windows\\";

BOOL CIconCollection::*const kFlags[] = {&CIconCollection::m_filterExe, &CIconCollection::m_filterDll,
                                         &CIconCollection::m_filterIco, &CIconCollection::m_filterIcl,
                                         &CIconCollection::m_filterCpl, &CIconCollection::m_filterOcx,
                                         &CIconCollection::m_filterScr};

std::vector<GroupFixture> NumberedGroups(int count) {
  std::vector<GroupFixture> groups;
  for (int i = 0; i < count; ++i) groups.push_back({ResourceName::Id(static_cast<uint16_t>(i + 1)), kColours[i % 5]});
  return groups;
}

// Icon images 1, 2, ... and a group per image with ids from `firstGroup`.
std::vector<BuiltResource> IconResources(int count, uint16_t firstGroup = 1) {
  std::vector<BuiltResource> resources;
  for (uint16_t id = 1; id <= count; ++id) {
    const std::vector<uint8_t> image = SolidIconBlock(kColours[(id - 1) % 5]);
    resources.push_back({kResourceIcon, ResourceName::Id(id), 0x409, image});
    resources.push_back({kResourceGroupIcon, ResourceName::Id(static_cast<uint16_t>(firstGroup + id - 1)), 0x409,
                         BuildGroupIcon({image}, {id})});
  }
  return resources;
}

bool IsNumericName(LPCSTR name, uintptr_t id) { return IS_INTRESOURCE(name) && reinterpret_cast<uintptr_t>(name) == id; }

class FileLoaderTest : public ::testing::Test {
 protected:
  FileLoaderTest() { host.Bind(icons); }
  void SwitchAllTypes(BOOL on) {
    for (auto flag : kFlags) icons.*flag = on;
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
  // Loads the files one after the other into an emptied collection.
  int LoadAlone(const std::vector<std::string>& paths, BOOL checked = TRUE) {
    icons.EmptyWithViews(&host.pathBox);
    for (const std::string& path : paths) icons.LoadFromFile(path.c_str(), checked);
    return LoadedCount();
  }
  // The first `count` records hold these numeric ids and the large images these colours.
  void ExpectGroups(const std::vector<uintptr_t>& ids, const std::vector<COLORREF>& colours) {
    for (size_t i = 0; i < ids.size(); ++i) {
      EXPECT_TRUE(IsNumericName(icons.GetSource(static_cast<int>(i))->m_resName, ids[i])) << "record " << i;
      EXPECT_TRUE(SameColour(CentreColour(host.large, static_cast<int>(i)), colours[i])) << "image " << i;
    }
  }
  TempFolder folder;
  ListViewHost host;
  CIconCollection icons;
};

TEST_F(FileLoaderTest, EachTypeLoadsOnlyWhenItsOwnFlagIsOn) {
  const char* extensions[] = {"exe", "dll", "ico", "icl", "cpl", "ocx", "scr"};
  for (int type = 0; type < 7; ++type) {
    SCOPED_TRACE(extensions[type]);
    const bool ico = std::strcmp(extensions[type], "ico") == 0;
    const std::string path = Write(std::string("sample.") + extensions[type],
                                   ico ? BuildSolidIcoFile({kColours[0]}) : BuildModuleWithGroups(NumberedGroups(2)));
    SwitchAllTypes(FALSE);
    icons.*kFlags[type] = TRUE;
    EXPECT_EQ(LoadAlone({path}), ico ? 1 : 2);
    SwitchAllTypes(TRUE);
    icons.*kFlags[type] = FALSE;
    EXPECT_EQ(LoadAlone({path}), 0);
  }
}

TEST_F(FileLoaderTest, TheLastExtensionDecidesInAnyCase) {
  const std::vector<uint8_t> module = BuildModuleWithGroups(NumberedGroups(3));
  const std::vector<uint8_t> ico = BuildSolidIcoFile({kColours[0]});
  struct Case {
    const char* name;
    const std::vector<uint8_t>* bytes;
    BOOL CIconCollection::*flag;  // null: every type on
    int expected;
  };
  const Case cases[] = {{"TOOL.EXE", &module, &CIconCollection::m_filterExe, 3},
                        {"ICON.ICO", &ico, &CIconCollection::m_filterIco, 1},
                        {"archive.ico.exe", &module, &CIconCollection::m_filterExe, 3},
                        {"archive.ico.exe", &module, &CIconCollection::m_filterIco, 0},
                        {"icon", &ico, nullptr, 0},
                        {"picture.icon", &ico, nullptr, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SwitchAllTypes(c.flag == nullptr);
    if (c.flag) icons.*(c.flag) = TRUE;
    EXPECT_EQ(LoadAlone({Write(c.name, *c.bytes)}), c.expected);
  }
}

TEST_F(FileLoaderTest, AnIcoFileGivesOneIconWhateverItsImageCountAndANonIconNone) {
  icons.m_filterIco = TRUE;
  const std::string path = Write("three.ico", BuildSolidIcoFile({kColours[0], kColours[1], kColours[2]}));
  ASSERT_EQ(LoadAlone({path, Write("text.ico", std::vector<uint8_t>(200, 'x'))}), 1);
  EXPECT_EQ(std::string(icons.GetSource(0)->m_path), path);
  EXPECT_EQ(icons.GetSource(0)->m_resName, nullptr);
}

TEST_F(FileLoaderTest, AModuleGivesOneIconPerGroupWithItsNameTextNamesFirst) {
  icons.m_filterDll = TRUE;
  const std::string five = Write("five.dll", BuildModuleWithGroups(NumberedGroups(5)));
  ASSERT_EQ(LoadAlone({five}, FALSE), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(std::string(icons.GetSource(i)->m_path), five);
    EXPECT_FALSE(host.list.GetCheck(i));
  }
  ExpectGroups({1, 2, 3, 4, 5}, {kColours, kColours + 5});
  const std::string mixed = Write("mixed.dll", BuildModuleWithGroups({{ResourceName::Id(7), kColours[0]},
                                                                      {ResourceName::Id(300), kColours[1]},
                                                                      {ResourceName::Text("MAINICON"), kColours[2]}}));
  ASSERT_EQ(LoadAlone({mixed}), 3);
  ASSERT_FALSE(IS_INTRESOURCE(icons.GetSource(0)->m_resName));
  EXPECT_STREQ(icons.GetSource(0)->m_resName, "MAINICON");
  EXPECT_TRUE(SameColour(CentreColour(host.large, 0), kColours[2]));
  EXPECT_TRUE(IsNumericName(icons.GetSource(1)->m_resName, 7));
  EXPECT_TRUE(IsNumericName(icons.GetSource(2)->m_resName, 300));
}

TEST_F(FileLoaderTest, KeepsItsOwnCopyOfATextName) {
  // Two names of one length: the second load reuses whatever memory the
  // first load's names were in, so a record pointing there would change.
  icons.m_filterDll = TRUE;
  ASSERT_EQ(LoadAlone({Write("first.dll", BuildModuleWithGroups({{ResourceName::Text("FIRST_GROUP_OF_ICONS"), 0}})),
                       Write("second.dll", BuildModuleWithGroups({{ResourceName::Text("OTHER_GROUP_OF_ICONS"), 0}}))}),
            2);
  EXPECT_STREQ(icons.GetSource(0)->m_resName, "FIRST_GROUP_OF_ICONS");
  EXPECT_STREQ(icons.GetSource(1)->m_resName, "OTHER_GROUP_OF_ICONS");
}

TEST_F(FileLoaderTest, ADamagedGroupIsSkippedAndTheLaterGroupsStillLoad) {
  struct Case {
    const char* what;
    void (*damage)(BuiltResource& group, BuiltResource& image);
  };
  const Case cases[] = {
      {"image bytes damaged", [](BuiltResource&, BuiltResource& image) { image.data.assign(image.data.size(), 0xEE); }},
      // The entry names image 99, which the module does not hold.
      {"image missing", [](BuiltResource& group, BuiltResource&) { group.data[6 + 12] = 99; }},
      {"count beyond its bytes", [](BuiltResource& group, BuiltResource&) { group.data[4] = 200; }},
      {"no entries", [](BuiltResource& group, BuiltResource&) { group.data.assign({0, 0, 1, 0, 0, 0}); }},
      {"shorter than its header", [](BuiltResource& group, BuiltResource&) { group.data.resize(3); }}};
  icons.m_filterExe = TRUE;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<BuiltResource> resources = IconResources(5);
    c.damage(resources[5], resources[4]);  // the third group and its image
    ASSERT_EQ(LoadAlone({Write("damaged.exe", BuildPeModule(resources))}), 4);
    ExpectGroups({1, 2, 4, 5}, {kColours[0], kColours[1], kColours[3], kColours[4]});
  }
}

TEST_F(FileLoaderTest, AFileThatIsNoModuleOrMissingAddsNothing) {
  icons.m_filterExe = TRUE;
  EXPECT_EQ(LoadAlone({Write("notes.exe", std::vector<uint8_t>(300, 'x')), folder.File("missing.exe")}), 0);
}

TEST_F(FileLoaderTest, AGroupWithAPngImageStillShows) {
  const std::vector<uint8_t> png = MakePngBlock(32, 32, 3);
  icons.m_filterDll = TRUE;
  EXPECT_EQ(LoadAlone({Write("modern.dll", BuildPeModule({{kResourceIcon, ResourceName::Id(1), 0x409, png},
                                                          {kResourceGroupIcon, ResourceName::Id(1), 0x409,
                                                           BuildGroupIcon({png}, {1})}}))}),
            1);
}

TEST_F(FileLoaderTest, LoadsTheIconsOfAnNeModule) {
  icons.m_filterExe = TRUE;
  ASSERT_EQ(LoadAlone({Write("old.exe", BuildNeModule(IconResources(2, 11)))}), 2);
  ExpectGroups({11, 12}, {kColours[0], kColours[1]});
}

TEST_F(FileLoaderTest, LoadsEveryIconGroupOfWinesShell32) {
  const std::string path = std::string(kWineSystemFolder) + "shell32.dll";
  ASSERT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
  icons.m_filterDll = TRUE;
  EXPECT_EQ(LoadAlone({path}), 184);
}

TEST_F(FileLoaderTest, FilesLoadedInTurnKeepRecordImageAndItemInStepAndTwiceAddsTwice) {
  const std::string first = Write("first.ico", BuildSolidIcoFile({kColours[0]}));
  const std::string second = Write("second.dll", BuildModuleWithGroups({{ResourceName::Id(1), kColours[1]},
                                                                        {ResourceName::Id(2), kColours[2]}}));
  SwitchAllTypes(TRUE);
  icons.LoadFromFile(first.c_str(), TRUE);
  icons.LoadFromFile(second.c_str(), FALSE);
  icons.LoadFromFile(first.c_str(), TRUE);
  ASSERT_EQ(LoadedCount(), 4);
  const std::string paths[] = {first, second, second, first};
  const COLORREF colours[] = {kColours[0], kColours[1], kColours[2], kColours[0]};
  const BOOL checks[] = {TRUE, FALSE, FALSE, TRUE};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(std::string(icons.GetSource(i)->m_path), paths[i]) << "record " << i;
    EXPECT_TRUE(SameColour(CentreColour(host.large, i), colours[i])) << "large image " << i;
    EXPECT_TRUE(SameColour(CentreColour(host.small, i), colours[i])) << "small image " << i;
    EXPECT_EQ(host.list.GetCheck(i), checks[i]) << "item " << i;
  }
}

// A path that does not fit the record is skipped, never cut.
TEST_F(FileLoaderTest, AModulePathOf259CharactersIsKeptAndOneOf260Skipped) {
  // Written through the wide functions, which take paths past MAX_PATH.
  const std::string subfolder = folder.File(std::string(100, 'd'));
  CreateDirectoryW((L"\\\\?\\" + std::wstring(subfolder.begin(), subfolder.end())).c_str(), nullptr);
  const std::vector<uint8_t> bytes = BuildModuleWithGroups(NumberedGroups(2));
  icons.m_filterExe = TRUE;
  for (const size_t length : {259u, 260u}) {
    SCOPED_TRACE(length);
    const std::string path = subfolder + "\\" + std::string(length - subfolder.size() - 5, 'f') + ".exe";
    ASSERT_EQ(path.size(), length);
    HANDLE file = CreateFileW((L"\\\\?\\" + std::wstring(path.begin(), path.end())).c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    // The file itself can be read under that path: only the record refuses it.
    ASSERT_NE(ModuleResources::OpenFile(path), nullptr);
    EXPECT_EQ(LoadAlone({path}), length == 259 ? 2 : 0);
    if (length == 259) {
      EXPECT_EQ(std::string(icons.GetSource(1)->m_path), path);
    }
  }
}

}  // namespace
