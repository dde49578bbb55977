// The default Config.ini and the file-type filter the program reads from it.

#include <gtest/gtest.h>

#include <fstream>

#include "ProgramTestSupport.h"
#include "app/FilterSettings.h"

namespace {

using DefaultSettingsTest = AppTest;

TEST_F(DefaultSettingsTest, WritesExactlyTheFourteenKeysInTheirOrder) {
  TheApp().WriteDefaultSettings();
  const std::vector<std::string> expected = {
      "[Setting]", "RestorePath=C:\\IconLibrary", "View=0", "SelectAll=1", "Confirm=1", "DefaultType=ico",
      "TitlePrefix=Untitled", "OpenDir=1", "[Filter]", "Exe=1", "Dll=1", "Ico=1", "Icl=1", "Cpl=1", "Ocx=1", "Scr=1"};
  EXPECT_EQ(ReadLines(configPath), expected);
}

// An empty file reads every type as off; each key switches its own type.
TEST_F(DefaultSettingsTest, EachFilterKeySwitchesItsOwnType) {
  struct Case {
    const char* key;
    BOOL CIconCollection::*flag;
  };
  const Case cases[] = {{"Exe", &CIconCollection::m_filterExe}, {"Dll", &CIconCollection::m_filterDll},
                        {"Ico", &CIconCollection::m_filterIco}, {"Icl", &CIconCollection::m_filterIcl},
                        {"Cpl", &CIconCollection::m_filterCpl}, {"Ocx", &CIconCollection::m_filterOcx},
                        {"Scr", &CIconCollection::m_filterScr}};
  std::ofstream(configPath).close();
  CIconCollection icons;
  for (const Case& any : cases) icons.*(any.flag) = TRUE;
  ReadFilterSettings(TheApp().m_config, icons);
  for (const Case& any : cases) EXPECT_FALSE(icons.*(any.flag)) << "empty file, " << any.key;
  for (const Case& on : cases) {
    for (const Case& any : cases) WriteSetting("Filter", any.key, any.key == on.key ? "1" : "0");
    ReadFilterSettings(TheApp().m_config, icons);
    for (const Case& any : cases) EXPECT_EQ(icons.*(any.flag), any.key == on.key) << on.key << " on, " << any.key;
  }
}

TEST(ModuleFolderTest, IsTheExecutablesFolderWithoutTrailingBackslash) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const std::string folder(GetModuleFolder());
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(std::string(exe).rfind('\\'), folder.size());
  EXPECT_EQ(std::string(exe).substr(0, folder.size()), folder);
}

}  // namespace
