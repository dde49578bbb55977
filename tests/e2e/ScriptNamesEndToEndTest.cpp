// Names in any script through the real window: a folder of files named in
// four scripts, searched from the command line, every icon listed with its
// path, and saved under a prefix and into a folder named in two more, byte
// for byte. The test program itself has no UTF-8 code page, so every name it
// makes or reads goes through UTF-16.

#include <algorithm>
#include <cstdio>

#include "ProductProcess.h"
#include "ScriptTree.h"

namespace {

constexpr DWORD kSearchTimeout = 30000;

using ScriptNamesEndToEndTest = ProductTest;

TEST_F(ScriptNamesEndToEndTest, FilesNamedInFourScriptsAreListedAndSavedUnderNamesInTwoMore) {
  const std::string tree = folder.File("icônes"), library = folder.File("Библиотека");
  ASSERT_TRUE(MakeFolderAt(tree) && MakeFolderAt(library));
  const std::vector<TreeIcon> icons = MakeScriptTree(tree);
  ASSERT_EQ(icons.size(), 13u);
  // Written in UTF-8, as the program now writes it.
  const std::string settings = "[Setting]\r\nRestorePath=" + library +
                               "\r\nSelectAll=1\r\nConfirm=1\r\nDefaultType=ico\r\nTitlePrefix=Значок\r\nOpenDir=0\r\n"
                               "View=0\r\n[Filter]\r\nExe=1\r\nDll=1\r\nIco=1\r\nIcl=1\r\nCpl=1\r\nOcx=1\r\nScr=1\r\n";
  ASSERT_TRUE(WriteBytes(folder.File("Config.ini"), Bytes(settings.begin(), settings.end())));

  Start("\"" + tree + "\"");
  ASSERT_TRUE(WaitUntil([&] { return ItemCount() == 13 && MainWindowFree(); }, kSearchTimeout)) << ItemCount();

  // A real click on the first icon, as "Contained in:" follows the mouse, names its file in its own script.
  ASSERT_TRUE(BringToFront(window));
  POINT first{40, 24};
  ClientToScreen(GetDlgItem(window, IDC_ICON_LIST), &first);
  SetCursorPos(first.x, first.y);
  INPUT click[2] = {};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, click, sizeof(INPUT));
  const HWND pathBox = GetDlgItem(window, IDC_PATH_EDIT);
  ASSERT_TRUE(WaitUntil([&] { return !WideWindowText(pathBox).empty(); }, kDialogTimeout)) << "no path shown";
  const std::string shown = Utf8(WideWindowText(pathBox));
  EXPECT_TRUE(std::any_of(icons.begin(), icons.end(), [&](const TreeIcon& icon) { return shown == tree + "\\" + icon.file; }))
      << shown;

  // The search's order is the file system's; each icon is saved once, whole.
  ClickButton(window, IDC_SAVE);
  const auto savedAs = [&](int i) {
    char number[16];
    std::snprintf(number, sizeof number, "_%04d.ico", i);
    return IcoBlocks(ReadBytesAt(library + "\\Значок" + number));
  };
  ASSERT_TRUE(WaitUntil([&] { return !savedAs(12).empty() && MainWindowFree(); }, kSearchTimeout));
  std::vector<std::vector<Bytes>> saved, expected;
  for (int i = 0; i < 13; ++i) saved.push_back(savedAs(i));
  for (const TreeIcon& icon : icons) expected.push_back({WithSizeImageCleared(icon.image)});
  std::sort(saved.begin(), saved.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(saved, expected);
}

// Written by an older copy in the ANSI code page: ASCII values read as
// before; a value with other letters is taken as unset, never as a garbled
// folder to write into.
TEST_F(ScriptNamesEndToEndTest, AnOlderConfigIniKeepsItsAsciiValuesAndTakesAnAnsiPathAsUnset) {
  const std::string settings = "[Setting]\r\nRestorePath=C:\\Ic\xF4nes\r\nTitlePrefix=Mine\r\nView=0\r\n";
  ASSERT_TRUE(WriteBytes(folder.File("Config.ini"), Bytes(settings.begin(), settings.end())));
  Start();
  ASSERT_TRUE(ChooseMenuItem(window, 'O', 'T'));
  const HWND dialog = WaitForDialog(IDC_OPEN_DIR);
  ASSERT_NE(dialog, nullptr) << "no Setting dialog";
  EXPECT_EQ(WideWindowText(GetDlgItem(dialog, IDC_LIBRARY_FOLDER)), L"");
  EXPECT_EQ(WideWindowText(GetDlgItem(dialog, IDC_TITLE_PREFIX)), L"Mine");
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
}

}  // namespace
