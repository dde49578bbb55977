// The folder search's walk through a real tree: its order, which folders it
// enters, and enters once only, and which files it counts and loads.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "SearchTestSupport.h"

namespace {

using namespace searchtest;
using Paths = std::vector<std::string>;

using SearchWalkTest = SearchTest;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A Unix symbolic link `link` -> `target` under Wine, removed again on
// destruction (before the folder holding it: that removal would follow it).
class UnixSymlink {
 public:
  UnixSymlink(const std::string& target, const std::string& linkWindowsPath) : m_windowsPath(linkWindowsPath) {
    const size_t slash = linkWindowsPath.rfind('\\');
    const std::string unixFolder = UnixPath(linkWindowsPath.substr(0, slash));
    if (unixFolder.empty()) return;
    m_link = unixFolder + "/" + linkWindowsPath.substr(slash + 1);
    if (!Run("/bin/ln -s \"" + target + "\" \"" + m_link + "\"", true)) m_link.clear();
  }
  ~UnixSymlink() {
    if (Made()) Run("/bin/rm -f \"" + m_link + "\"", false);
  }
  UnixSymlink(const UnixSymlink&) = delete;
  UnixSymlink& operator=(const UnixSymlink&) = delete;
  bool Made() const { return !m_link.empty(); }

 private:
  bool Run(std::string command, bool linkExists) const {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Wine gives no waitable handle for a Unix process: its effect is awaited instead.
    for (int attempt = 0; attempt < 250 && Exists(m_windowsPath) != linkExists; ++attempt) Sleep(20);
    return Exists(m_windowsPath) == linkExists;
  }
  std::string m_link;
  std::string m_windowsPath;
};

// The files of a folder in the order a depth-first walk meets them.
void WalkInOrder(const std::string& folder, Paths& files, bool enter = true) {
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY && enter) {
      WalkInOrder(folder + "\\" + name, files);
    } else {
      files.push_back(folder + "\\" + name);
    }
  } while (FindNextFileA(find, &found));
  FindClose(find);
}

// The first entry a folder lists, as the walk meets them.
std::string FirstListed(const std::string& folder) {
  Paths entries;
  WalkInOrder(folder, entries, false);
  return entries.empty() ? "" : entries.front();
}

TEST_F(SearchWalkTest, EntersHiddenSubfoldersAsTheyAreMetAndCountsFilesBeforeTheLast) {
  WriteIcoAt(Tree("a.ico"));
  const std::string hidden = MakeFolder(tree, "m");
  ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY));
  WriteIcoAt(Tree("m\\b.ico"));
  WriteModuleAt(Tree("m\\c.dll"), 2);
  WriteIcoAt(Tree("z.ico"));
  Paths expected;
  WalkInOrder(tree, expected);
  ASSERT_EQ(expected.size(), 4u);
  ASSERT_NE(expected.back(), Tree("m\\c.dll")) << "the subfolder must be met before a file of its parent";
  expected.insert(std::find(expected.begin(), expected.end(), Tree("m\\c.dll")), Tree("m\\c.dll"));

  EXPECT_EQ(Search(tree), IDOK);
  EXPECT_EQ(LoadedPaths(), expected);
  ExpectCollectionHolds(5);
  EXPECT_EQ(fileLabel, "3");
  EXPECT_EQ(iconLabel, std::to_string(Icons().m_addedCount));
}

TEST_F(SearchWalkTest, LinksBackIntoTheTreeAreEnteredOnceAndLinksOutOfItFollowed) {
  const std::string top = WriteIcoAt(Tree("a.ico"));
  MakeFolder(tree, "sub");
  const std::string inner = WriteIcoAt(Tree("sub\\b.ico"));
  const std::string outside = MakeFolder(folder.Path(), "elsewhere");
  WriteIcoAt(outside + "\\far.ico");
  const UnixSymlink toParent("..", Tree("sub\\up"));
  const UnixSymlink toItself(".", Tree("sub\\again"));
  const UnixSymlink toOutside("../elsewhere", Tree("out"));
  ASSERT_TRUE(toParent.Made() && toItself.Made() && toOutside.Made());
  ASSERT_NE(GetFileAttributesA(Tree("sub\\up\\sub\\up\\a.ico").c_str()), INVALID_FILE_ATTRIBUTES)
      << "the system must see the loop for this test to mean anything";

  EXPECT_EQ(Search(tree), IDOK);
  Paths loaded = LoadedPaths();
  std::sort(loaded.begin(), loaded.end());
  EXPECT_EQ(loaded, (Paths{top, Tree("out\\far.ico"), inner}));
}

// Wine reports serial 0 for the folders of other Unix file systems, and
// /dev/pts and /dev/shm both have the index of a file system's root (1).
TEST_F(SearchWalkTest, FoldersOfOtherFileSystemsSharingAnIndexAreBothEntered) {
  const std::string shm = "Z:\\dev\\shm";
  const std::string ours = MakeFolder(shm, "vantrel-walk-" + std::to_string(GetCurrentProcessId()));
  const std::string ico = WriteIcoAt(ours + "\\a.ico");
  const UnixSymlink toPts("/dev/pts", Tree("pts"));
  // Met after the other, the second folder is the one a mistaken walk skips.
  std::unique_ptr<UnixSymlink> toShm;
  std::string shmLink;
  for (int name = 0; name < 20 && !toShm; ++name) {
    shmLink = Tree("shm" + std::to_string(name));
    toShm = std::make_unique<UnixSymlink>("/dev/shm", shmLink);
    if (!toShm->Made() || FirstListed(tree) != Tree("pts")) toShm.reset();
  }
  ASSERT_TRUE(toPts.Made() && toShm);
  const int status = Search(tree);
  DeleteFileA(ico.c_str());
  RemoveDirectoryA(ours.c_str());
  EXPECT_EQ(status, IDOK);
  EXPECT_EQ(LoadedPaths(), Paths{shmLink + ours.substr(shm.size()) + "\\a.ico"});
}

TEST_F(SearchWalkTest, FilePathTooLongForTheRecordIsCountedButNeverLoaded) {
  // A folder whose pattern still fits, holding one name that fits and one that does not.
  const std::string deep = MakeFolder(tree, std::string(248 - tree.size() - 1, 'd'));
  const std::string fits = WriteIcoAt(deep + "\\s.ico");
  const std::wstring tooLong = L"\\\\?\\" + std::wstring(deep.begin(), deep.end()) + L"\\a-name-past-the-limit.ico";
  const HANDLE file = CreateFileW(tooLong.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::vector<uint8_t> bytes = BuildSolidIcoFile({RGB(9, 9, 9)});
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);

  EXPECT_EQ(Search(tree), IDOK);
  EXPECT_EQ(fileLabel, "1");
  EXPECT_EQ(LoadedPaths(), Paths{fits});
}

// As on a Windows without the UTF-8 code page: this test program has none.
TEST_F(SearchWalkTest, NamesTheCodePageCannotSpellAreReachedByTheirShortNames) {
  ASSERT_NE(GetACP(), 65001u);
  ASSERT_TRUE(WriteBytesAt(tree + "\\Пример.ico", BuildSolidIcoFile({RGB(9, 9, 9)})));
  ASSERT_TRUE(MakeFolderAt(tree + "\\ελληνικά"));
  ASSERT_TRUE(WriteBytesAt(tree + "\\ελληνικά\\ένα.ico", BuildSolidIcoFile({RGB(9, 9, 9)})));

  EXPECT_EQ(Search(tree), IDOK);
  ExpectCollectionHolds(2);
  for (const std::string& path : LoadedPaths()) EXPECT_EQ(path.find('?'), std::string::npos) << path;
}

TEST_F(SearchWalkTest, ReadsTheFilterWhenItOpensAndCountsEveryFile) {
  WriteSetting("Filter", "Ico", "0");
  WriteSetting("Filter", "Dll", "0");
  WriteIcoAt(Tree("a.ico"));
  const std::string module = WriteModuleAt(Tree("b.exe"), 2);
  WriteModuleAt(Tree("c.dll"), 3);
  WriteBytes(Tree("d.txt"), {'n', 'o', 'n', 'e'});

  EXPECT_EQ(Search(tree), IDOK);
  EXPECT_EQ(fileLabel, "3");
  EXPECT_EQ(LoadedPaths(), (Paths{module, module}));
  EXPECT_FALSE(Icons().Switches()[static_cast<size_t>(TypeSwitch::Ico)]);
  EXPECT_TRUE(Icons().Switches()[static_cast<size_t>(TypeSwitch::Exe)]);
}

}  // namespace
