// Saves that meet trouble, through the real window: files that cannot be
// written are named in one message and keep the icons unsaved, a source
// reached through a link to the library folder is read before the save
// replaces it, and long folder names are used whole.

#include "ProductProcess.h"
#include "support/IconBuilder.h"

namespace {

constexpr DWORD kSaveTimeout = 60000;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

Bytes IcoOfSeed(uint8_t seed) { return BuildIcoFile({MakeDibBlock(32, 32, 8, 0, seed)}); }

Bytes SavedBlockOf(const std::string& path) {
  const std::vector<Bytes> blocks = IcoBlocks(ReadBytes(path));
  return blocks.size() == 1 ? blocks[0] : Bytes();
}

// A link named `link` to the folder `target`: under Wine a symbolic link
// made on the Linux side (with Wine's own way to run a Linux program), on
// Windows a directory symbolic link. False when neither could be made.
bool MakeFolderLink(const std::string& link, const std::string& target) {
  using Spawn = LONG(WINAPI*)(char* const argv[], int wait);
  const FARPROC spawn = GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp");
  const std::string unixTarget = UnixPath(target), unixFolder = UnixPath(link.substr(0, link.rfind('\\')));
  if (spawn && !unixTarget.empty() && !unixFolder.empty()) {
    std::string ln = "/bin/ln", s = "-s", unixLink = unixFolder + link.substr(link.rfind('\\'));
    unixLink[unixFolder.size()] = '/';
    char* const argv[] = {&ln[0], &s[0], const_cast<char*>(unixTarget.c_str()), &unixLink[0], nullptr};
    return reinterpret_cast<Spawn>(reinterpret_cast<void (*)()>(spawn))(argv, TRUE) == 0;
  }
  return CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) != FALSE;
}

class SaveTroubleEndToEndTest : public ProductTest {
 protected:
  void SetUp() override {
    ProductTest::SetUp();
    const char* const settings[][3] = {{"Setting", "RestorePath", library.Path().c_str()},
                                       {"Setting", "SelectAll", "1"},
                                       {"Setting", "Confirm", "1"},
                                       {"Setting", "DefaultType", "ico"},
                                       {"Setting", "TitlePrefix", "Untitled"},
                                       {"Filter", "Ico", "1"}};
    for (const auto& s : settings) WritePrivateProfileStringA(s[0], s[1], s[2], folder.File("Config.ini").c_str());
  }

  void StartWith(const std::vector<std::string>& paths) {
    std::string arguments;
    for (const std::string& path : paths) arguments += Quoted(path) + " ";
    Start(arguments);
    ASSERT_TRUE(WaitUntil([&] { return ItemCount() == static_cast<int>(paths.size()) && MainWindowFree(); },
                          kDialogTimeout))
        << ItemCount() << " items";
  }

  TempFolder library;
};

TEST_F(SaveTroubleEndToEndTest, FoldersInTheWayAreNamedAndExitStillAsks) {
  ASSERT_TRUE(WriteBytes(folder.File("a.ico"), IcoOfSeed(1)) && WriteBytes(folder.File("b.ico"), IcoOfSeed(2)));
  ASSERT_TRUE(CreateDirectoryA(library.File("Untitled_0000.ico").c_str(), nullptr) &&
              CreateDirectoryA(library.File("Untitled_0001.ico").c_str(), nullptr));
  StartWith({folder.File("a.ico"), folder.File("b.ico")});

  ClickButton(window, IDC_SAVE);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = WaitForDialog(0, 100)) && BoxText(box).find("not saved") != std::string::npos; },
                        kSaveTimeout))
      << "no message about the files not written";
  const std::string text = BoxText(box);
  EXPECT_EQ(text.rfind("2 of the 2 ticked icons were not saved:", 0), 0u) << text;
  for (const auto& [name, source] : {std::pair<std::string, std::string>{"Untitled_0000.ico", "a.ico"},
                                     std::pair<std::string, std::string>{"Untitled_0001.ico", "b.ico"}})
    EXPECT_NE(text.find(name + " (from " + folder.File(source) + "): a folder of that name is in the way"),
              std::string::npos)
        << text;
  ClickButton(box, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.ico\\", "Untitled_0001.ico\\"}));

  // Still unsaved; once Yes confirms the exit, nothing asks again.
  PostMessageA(window, WM_COMMAND, ID_EXIT, 0);
  const HWND question = WaitForDialog(IDNO);
  ASSERT_NE(question, nullptr) << "Exit did not ask about the unsaved icons";
  EXPECT_EQ(BoxText(question), "You haven't saved the icons.\nAre you sure to exit?");
  ClickButton(question, IDYES);
  EXPECT_TRUE(product.WaitForExit(kDialogTimeout));
}

TEST_F(SaveTroubleEndToEndTest, ASourceReachedThroughALinkToTheLibraryIsReadBeforeItsNameIsWritten) {
  ASSERT_TRUE(WriteBytes(folder.File("first.ico"), IcoOfSeed(7)));
  ASSERT_TRUE(WriteBytes(library.File("Untitled_0000.ico"), IcoOfSeed(3)));
  const std::string link = folder.File("LibLink");
  ASSERT_TRUE(MakeFolderLink(link, library.Path()));
  const std::string linked = link + "\\Untitled_0000.ico";
  ASSERT_EQ(ReadBytes(linked), IcoOfSeed(3));
  StartWith({folder.File("first.ico"), linked});

  ClickButton(window, IDC_SAVE);
  ASSERT_TRUE(WaitUntil([&] { return NamesIn(library.Path()).size() == 2 && MainWindowFree(); }, kSaveTimeout))
      << NamesIn(library.Path()).size() << " files";
  EXPECT_EQ(SavedBlockOf(library.File("Untitled_0000.ico")), WithSizeImageCleared(MakeDibBlock(32, 32, 8, 0, 7)));
  EXPECT_EQ(SavedBlockOf(library.File("Untitled_0001.ico")), WithSizeImageCleared(MakeDibBlock(32, 32, 8, 0, 3)));
}

// The program four folders deep under Cyrillic names (more than 260 bytes in
// UTF-8) keeps its Config.ini beside itself, and a library folder of 112
// Chinese letters is saved into whole.
TEST_F(SaveTroubleEndToEndTest, LongFolderNamesAreUsedWholeForTheProgramAndTheLibrary) {
  std::string nested = folder.Path();
  for (const char* level : {"Первая папка для проверки очень длинных имён файлов",
                            "Вторая папка для проверки очень длинных имён",
                            "Третья папка для проверки длинных имён", "Четвёртая папка программы"}) {
    nested += std::string("\\") + level;
    ASSERT_TRUE(MakeFolderAt(nested));
  }
  ASSERT_GT(nested.size(), 260u);
  const std::string letters = "图标库的文件夹名字很长";  // eleven letters of three bytes each
  std::string chinese;
  for (int i = 0; i < 112; ++i) chinese += letters.substr(3 * (i % 11), 3);
  const std::string longLibrary = folder.File(chinese);
  ASSERT_TRUE(MakeFolderAt(longLibrary));
  const std::string settings = "[Setting]\r\nRestorePath=" + longLibrary +
                               "\r\nSelectAll=1\r\nDefaultType=ico\r\nTitlePrefix=Untitled\r\nOpenDir=0\r\n"
                               "[Filter]\r\nIco=1\r\n";
  ASSERT_TRUE(WriteBytesAt(nested + "\\Config.ini", Bytes(settings.begin(), settings.end())));
  const std::string moved = nested + exePath.substr(exePath.rfind('\\'));
  ASSERT_TRUE(CopyFileW(Wide(exePath).c_str(), Wide(moved).c_str(), FALSE));
  exePath = moved;
  ASSERT_TRUE(WriteBytes(folder.File("a.ico"), IcoOfSeed(5)));
  StartWith({folder.File("a.ico")});

  ClickButton(window, IDC_SAVE);
  const std::string saved = longLibrary + "\\Untitled_0000.ico";
  ASSERT_TRUE(WaitUntil([&] { return !ReadBytesAt(saved).empty() && MainWindowFree(); }, kSaveTimeout))
      << "nothing saved into the library folder";
  EXPECT_EQ(IcoBlocks(ReadBytesAt(saved)), std::vector<Bytes>{WithSizeImageCleared(MakeDibBlock(32, 32, 8, 0, 5))});
  EXPECT_EQ(GetFileAttributesW(Wide(nested.substr(0, nested.rfind('\\')) + "\\Config.ini").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

}  // namespace
