// Names and types of saved files.

#include <gtest/gtest.h>

#include "save/SaveNaming.h"

namespace {

TEST(SaveNamingTest, NamesJoinFolderBaseNumberAndType) {
  struct Case {
    const char *folder, *baseName;
    int number;
    const char *type, *expected;
  };
  const Case cases[] = {
      {"C:\\IconLibrary", "Untitled", 0, "ico", "C:\\IconLibrary\\Untitled_0000.ico"},
      {"C:\\IconLibrary\\", "Untitled", 1, "ico", "C:\\IconLibrary\\Untitled_0001.ico"},
      {"C:\\Icons", "star", 42, "bmp", "C:\\Icons\\star_0042.bmp"},
      {"C:\\Icons", "my.icon", 9999, "ico", "C:\\Icons\\my.icon_9999.ico"},
      {"C:\\Icons", "big", 10000, "ico", "C:\\Icons\\big_10000.ico"},
      {"C:", "root", 3, "ico", "C:\\root_0003.ico"},
  };
  for (const Case& c : cases) EXPECT_EQ(SavedFileName(c.folder, c.baseName, c.number, c.type), c.expected);
  EXPECT_EQ(WithTrailingBackslash("C:\\IconLibrary"), "C:\\IconLibrary\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\IconLibrary\\"), "C:\\IconLibrary\\");
}

TEST(SaveNamingTest, DefaultTypeBmpInAnyCaseIsBmpAndEverythingElseIcoAndOnlyThoseAreSavable) {
  const std::pair<const char*, const char*> cases[] = {
      {"bmp", "bmp"}, {"BMP", "bmp"}, {"Bmp", "bmp"}, {"ico", "ico"}, {"ICO", "ico"},
      {"png", "ico"}, {"", "ico"},    {"bmp ", "ico"}, {".bmp", "ico"},
  };
  for (const auto& [setting, type] : cases) EXPECT_EQ(SaveTypeFromSetting(setting), type) << '"' << setting << '"';
  for (const char* type : {"ico", "bmp"}) EXPECT_TRUE(IsSavableType(type)) << type;
  for (const char* type : {"png", "icon", ""}) EXPECT_FALSE(IsSavableType(type)) << type;
}

}  // namespace
