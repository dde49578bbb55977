// Names of saved files.

#include <gtest/gtest.h>

#include "save/SaveNaming.h"

namespace {

TEST(SaveNamingTest, NamesJoinFolderBaseNumberOfAtLeastFourDigitsAndType) {
  const char* const cases[][4] = {
      {"C:\\IconLibrary", "Untitled", "C:\\IconLibrary\\Untitled_0001.ico"},
      {"C:\\IconLibrary\\", "my.icon", "C:\\IconLibrary\\my.icon_0001.ico"},
      {"C:", "root", "C:\\root_0001.ico"},
  };
  for (const auto& c : cases) EXPECT_EQ(SavedFileName(c[0], c[1], 1, "ico"), c[2]);
  EXPECT_EQ(SavedFileName("C:\\Icons", "big", 10000, "bmp"), "C:\\Icons\\big_10000.bmp");
}

}  // namespace
