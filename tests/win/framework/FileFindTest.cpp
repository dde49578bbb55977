// CFileFind over a real folder: each match once, by name and full path.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "framework/FileFind.h"
#include "support/TempFolder.h"
#include "support/TestFiles.h"

namespace {

TEST(FileFindTest, WalkGivesEachMatchOnceWithItsFullPathAndAMissingFolderNothing) {
  const TempFolder folder;
  ASSERT_TRUE(WriteBytes(folder.File("a.ico"), {1}));
  ASSERT_TRUE(WriteBytes(folder.File("b.ico"), {1}));
  std::map<std::string, std::string> paths;
  CFileFind find;
  for (BOOL more = find.FindFile(folder.File("*.ico").c_str()); more;) {
    more = find.FindNextFile();
    EXPECT_TRUE(paths.emplace(static_cast<LPCSTR>(find.GetFileName()), static_cast<LPCSTR>(find.GetFilePath())).second);
  }
  EXPECT_EQ(paths,
            (std::map<std::string, std::string>{{"a.ico", folder.File("a.ico")}, {"b.ico", folder.File("b.ico")}}));
  EXPECT_FALSE(find.FindFile(folder.File("missing\\*.*").c_str()));
  EXPECT_FALSE(find.FindNextFile());
}

}  // namespace
