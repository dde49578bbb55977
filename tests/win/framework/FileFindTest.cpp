// CFileFind over a real folder: every entry once, with its kind and path.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "framework/FileFind.h"

namespace {

class FileFindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "vantrel_filefind_" + std::to_string(::GetCurrentProcessId());
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA((folder + "\\Sub").c_str(), nullptr));
    WriteFile("a.ico", FILE_ATTRIBUTE_NORMAL);
    WriteFile("hidden.dll", FILE_ATTRIBUTE_HIDDEN);
  }
  void TearDown() override {
    ::SetFileAttributesA((folder + "\\hidden.dll").c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA((folder + "\\hidden.dll").c_str());
    ::DeleteFileA((folder + "\\a.ico").c_str());
    ::RemoveDirectoryA((folder + "\\Sub").c_str());
    ::RemoveDirectoryA(folder.c_str());
  }
  void WriteFile(const char* name, DWORD attributes) {
    HANDLE file = ::CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                attributes, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
  }

  std::string folder;
};

struct Entry {
  std::string path;
  bool directory;
  bool dots;
  bool hidden;
};

TEST_F(FileFindTest, WalkVisitsEveryEntryOnceWithItsKindAndFullPath) {
  std::map<std::string, Entry> seen;
  int visits = 0;
  CFileFind find;
  BOOL more = find.FindFile((folder + "\\*.*").c_str());
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
  EXPECT_EQ(seen["Sub"].path, folder + "\\Sub");
  EXPECT_FALSE(seen["a.ico"].directory);
  EXPECT_FALSE(seen["a.ico"].hidden);
  EXPECT_EQ(seen["a.ico"].path, folder + "\\a.ico");
  EXPECT_TRUE(seen["hidden.dll"].hidden);
}

TEST_F(FileFindTest, PatternWithoutMatchesOrFolderFindsNothing) {
  CFileFind find;
  EXPECT_FALSE(find.FindFile((folder + "\\*.scr").c_str()));
  EXPECT_FALSE(find.FindFile((folder + "\\missing\\*.*").c_str()));
  EXPECT_FALSE(find.FindNextFile());
}

}  // namespace
