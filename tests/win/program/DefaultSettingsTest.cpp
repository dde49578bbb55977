// The default Config.ini and what the program reads from a settings file.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ProgramTestSupport.h"
#include "app/FilterSettings.h"
#include "app/MainApp.h"

namespace {

using DefaultSettingsTest = AppTest;

TEST_F(DefaultSettingsTest, WritesExactlyTheFourteenKeysInTheirOrder) {
  TheApp().WriteDefaultSettings();

  const std::vector<std::string> expected = {
      "[Setting]", "RestorePath=C:\\IconLibrary", "View=0", "SelectAll=1", "Confirm=1", "DefaultType=ico",
      "TitlePrefix=Untitled", "OpenDir=1", "[Filter]", "Exe=1", "Dll=1", "Ico=1", "Icl=1", "Cpl=1", "Ocx=1", "Scr=1"};
  EXPECT_EQ(ReadLines(configPath), expected);
}

TEST_F(DefaultSettingsTest, DefaultsSwitchOnAllSevenFileTypes) {
  TheApp().WriteDefaultSettings();
  CIconCollection icons;

  ReadFilterSettings(TheApp().m_config, icons);

  EXPECT_TRUE(icons.m_filterExe && icons.m_filterDll && icons.m_filterIco && icons.m_filterIcl &&
              icons.m_filterCpl && icons.m_filterOcx && icons.m_filterScr);
}

TEST_F(DefaultSettingsTest, AnEmptyFileReadsEveryFileTypeAsOff) {
  std::ofstream(configPath).close();
  CIconCollection icons;
  icons.m_filterExe = icons.m_filterDll = icons.m_filterIco = icons.m_filterIcl = TRUE;
  icons.m_filterCpl = icons.m_filterOcx = icons.m_filterScr = TRUE;

  ReadFilterSettings(TheApp().m_config, icons);

  EXPECT_FALSE(icons.m_filterExe || icons.m_filterDll || icons.m_filterIco || icons.m_filterIcl ||
               icons.m_filterCpl || icons.m_filterOcx || icons.m_filterScr);
}

TEST_F(DefaultSettingsTest, EachFilterKeySwitchesItsOwnType) {
  struct Case {
    const char* key;
    BOOL CIconCollection::*flag;
  };
  const Case cases[] = {{"Exe", &CIconCollection::m_filterExe}, {"Dll", &CIconCollection::m_filterDll},
                        {"Ico", &CIconCollection::m_filterIco}, {"Icl", &CIconCollection::m_filterIcl},
                        {"Cpl", &CIconCollection::m_filterCpl}, {"Ocx", &CIconCollection::m_filterOcx},
                        {"Scr", &CIconCollection::m_filterScr}};
  for (const Case& on : cases) {
    for (const Case& any : cases) WriteSetting("Filter", any.key, any.key == on.key ? "1" : "0");
    CIconCollection icons;
    ReadFilterSettings(TheApp().m_config, icons);
    for (const Case& any : cases) EXPECT_EQ(icons.*(any.flag), any.key == on.key) << on.key << " on, " << any.key;
  }
}

TEST(ModuleFolderTest, IsTheExecutablesFolderWithoutTrailingBackslash) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const std::string folder(GetModuleFolder());

  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  EXPECT_EQ(std::string(exe).rfind('\\'), folder.size());
  EXPECT_EQ(std::string(exe).substr(0, folder.size()), folder);
}

}  // namespace
