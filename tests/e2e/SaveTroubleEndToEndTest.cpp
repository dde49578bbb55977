// Saves that meet trouble, through the real window: files that cannot be
// written are named in one message and keep the icons unsaved, a source
// reached through a link to the library folder is read before the save
// replaces it, and long folder names are used whole.

#include "ProductProcess.h"
#include "support/IconBuilder.h"

namespace {

constexpr DWORD kSaveTimeout = 60000;

Bytes BlockOfSeed(uint8_t seed) { return MakeDibBlock(32, 32, 8, 0, seed); }
Bytes IcoOfSeed(uint8_t seed) { return BuildIcoFile({BlockOfSeed(seed)}); }
Bytes Settings(const std::string& library) {
  const std::string text = "[Setting]\r\nRestorePath=" + library +
                           "\r\nSelectAll=1\r\nConfirm=1\r\nTitlePrefix=Untitled\r\n[Filter]\r\nIco=1\r\n";
  return Bytes(text.begin(), text.end());
}

// A link to a folder: under Wine a symbolic link made on the Linux side (by
// Wine's own way to run a Linux program), on Windows a directory link.
bool MakeFolderLink(const std::string& link, const std::string& target) {
  using Spawn = LONG(WINAPI*)(char* const argv[], int wait);
  const FARPROC spawn = GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp");
  std::string ln = "/bin/ln", s = "-s", unixTarget = UnixPath(target), unixLink = UnixPath(link);
  char* const argv[] = {&ln[0], &s[0], &unixTarget[0], &unixLink[0], nullptr};
  if (spawn) return reinterpret_cast<Spawn>(reinterpret_cast<void (*)()>(spawn))(argv, TRUE) == 0;
  return CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) != FALSE;
}

class SaveTroubleEndToEndTest : public ProductTest {
 protected:
  void StartWith(const std::vector<std::string>& paths) {
    std::string arguments;
    for (const std::string& path : paths) arguments += "\"" + path + "\" ";
    Start(arguments);
    ASSERT_TRUE(WaitUntil([&] { return ItemCount() == static_cast<int>(paths.size()) && MainWindowFree(); },
                          kDialogTimeout));
  }

  TempFolder library;
};

TEST_F(SaveTroubleEndToEndTest, FoldersInTheWayAreNamedAndExitStillAsks) {
  ASSERT_TRUE(WriteBytes(folder.File("Config.ini"), Settings(library.Path())));
  ASSERT_TRUE(WriteBytes(folder.File("a.ico"), IcoOfSeed(1)) && WriteBytes(folder.File("b.ico"), IcoOfSeed(2)));
  ASSERT_TRUE(CreateDirectoryA(library.File("Untitled_0000.ico").c_str(), nullptr) &&
              CreateDirectoryA(library.File("Untitled_0001.ico").c_str(), nullptr));
  StartWith({folder.File("a.ico"), folder.File("b.ico")});

  ClickButton(window, IDC_SAVE);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = WaitForDialog(IDOK, 100)) && BoxText(box).find("saved") != std::string::npos; },
                        kSaveTimeout))
      << "no message about the files not written";
  EXPECT_EQ(BoxText(box), "2 of the 2 ticked icons were not saved:\n\nUntitled_0000.ico (from " + folder.File("a.ico") +
                              "): a folder of that name is in the way\n\nUntitled_0001.ico (from " +
                              folder.File("b.ico") +
                              "): a folder of that name is in the way\n\nThey still count as unsaved.");
  ClickButton(box, IDOK);

  // Still unsaved; once Yes confirms the exit, nothing asks again.
  PostMessageA(window, WM_COMMAND, ID_EXIT, 0);
  const HWND question = WaitForDialog(IDNO);
  ASSERT_NE(question, nullptr) << "Exit did not ask about the unsaved icons";
  EXPECT_EQ(BoxText(question), "You haven't saved the icons.\nAre you sure to exit?");
  ClickButton(question, IDYES);
  EXPECT_TRUE(product.WaitForExit(kDialogTimeout));
  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.ico\\", "Untitled_0001.ico\\"}));
}

TEST_F(SaveTroubleEndToEndTest, ASourceReachedThroughALinkToTheLibraryIsReadBeforeItsNameIsWritten) {
  ASSERT_TRUE(WriteBytes(folder.File("Config.ini"), Settings(library.Path())));
  ASSERT_TRUE(WriteBytes(folder.File("first.ico"), IcoOfSeed(7)));
  ASSERT_TRUE(WriteBytes(library.File("Untitled_0000.ico"), IcoOfSeed(3)));
  const std::string linked = folder.File("LibLink") + "\\Untitled_0000.ico";
  ASSERT_TRUE(MakeFolderLink(folder.File("LibLink"), library.Path()) && ReadBytes(linked) == IcoOfSeed(3));
  StartWith({folder.File("first.ico"), linked});

  ClickButton(window, IDC_SAVE);
  ASSERT_TRUE(WaitUntil([&] { return NamesIn(library.Path()).size() == 2 && MainWindowFree(); }, kSaveTimeout));
  EXPECT_EQ(IcoBlocks(ReadBytes(library.File("Untitled_0000.ico"))), std::vector<Bytes>{WithSizeImageCleared(BlockOfSeed(7))});
  EXPECT_EQ(IcoBlocks(ReadBytes(library.File("Untitled_0001.ico"))), std::vector<Bytes>{WithSizeImageCleared(BlockOfSeed(3))});
}

// The program four folders deep under Cyrillic names (more than 260 bytes in
// UTF-8) keeps its Config.ini beside itself, and saves into a library folder
// of 112 Chinese letters.
TEST_F(SaveTroubleEndToEndTest, LongFolderNamesAreUsedWholeForTheProgramAndTheLibrary) {
  std::string nested = folder.Path(), chinese;
  for (const char* level : {"Первая папка для проверки очень длинных имён файлов",
                            "Вторая папка для проверки очень длинных имён", "Третья папка для проверки длинных имён",
                            "Четвёртая папка программы"})
    ASSERT_TRUE(MakeFolderAt(nested += std::string("\\") + level));
  ASSERT_GT(nested.size(), 260u);
  const std::string letters = "图标库的文件夹名字很长";  // eleven letters of three bytes each
  for (int i = 0; i < 112; ++i) chinese += letters.substr(3 * (i % 11), 3);
  const std::string longLibrary = folder.File(chinese);
  ASSERT_TRUE(MakeFolderAt(longLibrary) && WriteBytesAt(nested + "\\Config.ini", Settings(longLibrary)));
  const std::string moved = nested + exePath.substr(exePath.rfind('\\'));
  ASSERT_TRUE(CopyFileW(Wide(exePath).c_str(), Wide(moved).c_str(), FALSE));
  exePath = moved;
  ASSERT_TRUE(WriteBytes(folder.File("a.ico"), IcoOfSeed(5)));
  StartWith({folder.File("a.ico")});

  ClickButton(window, IDC_SAVE);
  const std::string saved = longLibrary + "\\Untitled_0000.ico";
  ASSERT_TRUE(WaitUntil([&] { return !ReadBytesAt(saved).empty() && MainWindowFree(); }, kSaveTimeout));
  EXPECT_EQ(IcoBlocks(ReadBytesAt(saved)), std::vector<Bytes>{WithSizeImageCleared(BlockOfSeed(5))});
  EXPECT_EQ(GetFileAttributesW(Wide(nested.substr(0, nested.rfind('\\')) + "\\Config.ini").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

}  // namespace
