// CFileFind over a real folder: every entry once, with its kind and path.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "framework/FileFind.h"
#include "support/TempFolder.h"
#include "support/TestFiles.h"

namespace {

struct Entry {
  std::string path;
  bool directory;
  bool dots;
  bool hidden;
};

TEST(FileFindTest, WalkVisitsEveryEntryOnceWithItsKindAndFullPath) {
  const TempFolder folder;
  ASSERT_TRUE(::CreateDirectoryA(folder.File("Sub").c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(folder.File("a.ico"), {1}));
  ASSERT_TRUE(WriteBytes(folder.File("hidden.dll"), {1}));
  ASSERT_TRUE(::SetFileAttributesA(folder.File("hidden.dll").c_str(), FILE_ATTRIBUTE_HIDDEN));

  std::map<std::string, Entry> seen;
  int visits = 0;
  CFileFind find;
  BOOL more = find.FindFile(folder.File("*.*").c_str());
  ASSERT_TRUE(more);
  while (more) {
    more = find.FindNextFile();
    ++visits;
    seen[static_cast<LPCSTR>(find.GetFileName())] =
        Entry{static_cast<LPCSTR>(find.GetFilePath()), find.IsDirectory() != FALSE, find.IsDots() != FALSE,
              find.IsHidden() != FALSE};
  }
  EXPECT_EQ(visits, 5);
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_TRUE(seen["."].dots);
  EXPECT_TRUE(seen[".."].dots);
  EXPECT_TRUE(seen["Sub"].directory);
  EXPECT_FALSE(seen["Sub"].dots);
  EXPECT_EQ(seen["Sub"].path, folder.File("Sub"));
  EXPECT_FALSE(seen["a.ico"].directory);
  EXPECT_FALSE(seen["a.ico"].hidden);
  EXPECT_EQ(seen["a.ico"].path, folder.File("a.ico"));
  EXPECT_TRUE(seen["hidden.dll"].hidden);

  EXPECT_FALSE(find.FindFile(folder.File("*.scr").c_str()));
  EXPECT_FALSE(find.FindFile(folder.File("missing\\*.*").c_str()));
  EXPECT_FALSE(find.FindNextFile());
}

}  // namespace
