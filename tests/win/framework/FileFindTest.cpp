// CFileFind over a real folder: every entry once, with its kind and path.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

#include "framework/FileFind.h"
#include "support/TempFolder.h"
#include "support/TestFiles.h"

namespace {

TEST(FileFindTest, WalkVisitsEveryEntryOnceWithItsKindAndFullPath) {
  const TempFolder folder;
  ASSERT_TRUE(::CreateDirectoryA(folder.File("Sub").c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(folder.File("a.ico"), {1}));
  ASSERT_TRUE(WriteBytes(folder.File("hidden.dll"), {1}));
  ASSERT_TRUE(::SetFileAttributesA(folder.File("hidden.dll").c_str(), FILE_ATTRIBUTE_HIDDEN));

  // path, directory, dots, hidden
  using Entry = std::tuple<std::string, bool, bool, bool>;
  std::map<std::string, Entry> seen;
  CFileFind find;
  for (BOOL more = find.FindFile(folder.File("*.*").c_str()); more;) {
    more = find.FindNextFile();
    EXPECT_TRUE(
        seen.emplace(static_cast<LPCSTR>(find.GetFileName()),
                     Entry{static_cast<LPCSTR>(find.GetFilePath()), find.IsDirectory(), find.IsDots(), find.IsHidden()})
            .second);
  }
  EXPECT_EQ(seen, (std::map<std::string, Entry>{{".", {folder.File("."), true, true, false}},
                                                {"..", {folder.File(".."), true, true, false}},
                                                {"Sub", {folder.File("Sub"), true, false, false}},
                                                {"a.ico", {folder.File("a.ico"), false, false, false}},
                                                {"hidden.dll", {folder.File("hidden.dll"), false, false, true}}}));
  EXPECT_FALSE(find.FindFile(folder.File("*.scr").c_str()));
  EXPECT_FALSE(find.FindFile(folder.File("missing\\*.*").c_str()));
  EXPECT_FALSE(find.FindNextFile());
}

}  // namespace
