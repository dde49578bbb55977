// Names in any script through the real window: a folder of files named in
// four scripts, searched from the command line, every icon listed with its
// path, and saved under a prefix and into a folder named in two more, byte
// for byte. The test program itself has no UTF-8 code page, so every name it
// makes or reads goes through UTF-16.

#include <algorithm>

#include "ProductProcess.h"

#include <commctrl.h>

#include <cstdio>
#include "formats/ResourceName.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace {

constexpr DWORD kSearchTimeout = 30000;

// The names in a folder, as UTF-8.
std::vector<std::string> WideNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  HANDLE find = FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(Utf8(name));
  } while (FindNextFileW(find, &found));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

COLORREF ColourOf(int icon) { return RGB(20 * icon, 255 - 15 * icon, 90); }

// A module of `count` icon groups, each one solid picture of its own colour.
Bytes ModuleOfGroups(int count, int firstColour, std::vector<std::vector<Bytes>>& saved) {
  std::vector<BuiltResource> resources;
  for (uint16_t id = 1; id <= count; ++id) {
    const Bytes block = SolidIconBlock(ColourOf(firstColour + id - 1));
    resources.push_back({kResourceIcon, ResourceName::Id(id), 0x409, block});
    resources.push_back({kResourceGroupIcon, ResourceName::Id(id), 0x409, BuildGroupIcon({block}, {id})});
    saved.push_back({WithSizeImageCleared(block)});
  }
  return BuildPeModule(resources);
}

using ScriptNamesEndToEndTest = ProductTest;

TEST_F(ScriptNamesEndToEndTest, FilesNamedInFourScriptsAreListedAndSavedUnderNamesInTwoMore) {
  const std::string tree = folder.File("icônes");
  const std::string library = folder.File("Библиотека");
  ASSERT_TRUE(MakeFolderAt(tree) && MakeFolderAt(tree + "\\ελληνικά") && MakeFolderAt(library));
  // What each saved file must hold, one entry per icon.
  std::vector<std::vector<Bytes>> expected;
  const std::vector<std::string> icoFiles = {tree + "\\café.ico", tree + "\\Пример.ico", tree + "\\ελληνικά\\ένα.ico"};
  for (size_t i = 0; i < icoFiles.size(); ++i) {
    const std::vector<Bytes> blocks = {SolidIconBlock(ColourOf(static_cast<int>(i)), 32),
                                       SolidIconBlock(ColourOf(static_cast<int>(i)), 16)};
    ASSERT_TRUE(WriteBytesAt(icoFiles[i], BuildIcoFile(blocks)));
    expected.push_back({WithSizeImageCleared(blocks[0]), WithSizeImageCleared(blocks[1])});
  }
  ASSERT_TRUE(WriteBytesAt(tree + "\\图标.dll", ModuleOfGroups(10, 3, expected)));
  // Written in UTF-8, as the program now writes it.
  const std::string settings = "[Setting]\r\nRestorePath=" + library +
                               "\r\nSelectAll=1\r\nConfirm=1\r\nDefaultType=ico\r\nTitlePrefix=Значок\r\nOpenDir=0\r\n"
                               "View=0\r\n[Filter]\r\nExe=1\r\nDll=1\r\nIco=1\r\nIcl=1\r\nCpl=1\r\nOcx=1\r\nScr=1\r\n";
  ASSERT_TRUE(WriteBytes(folder.File("Config.ini"), Bytes(settings.begin(), settings.end())));

  Start("\"" + tree + "\"");
  ASSERT_TRUE(WaitUntil([&] { return ItemCount() == 13 && MainWindowFree(); }, kSearchTimeout)) << ItemCount();

  // "Contained in:" names the highlighted icon's file in its own script.
  std::vector<std::wstring> paths;
  for (const std::string& path : icoFiles) paths.push_back(Wide(path));
  paths.push_back(Wide(tree + "\\图标.dll"));
  // A real click on the first icon, as "Contained in:" follows the mouse.
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
  const std::wstring shown = WideWindowText(pathBox);
  EXPECT_NE(std::find(paths.begin(), paths.end(), shown), paths.end()) << Utf8(shown);

  ClickButton(window, IDC_SAVE);
  ASSERT_TRUE(WaitUntil([&] { return WideNamesIn(library).size() == 13 && MainWindowFree(); }, kSearchTimeout))
      << WideNamesIn(library).size() << " files";
  std::vector<std::vector<Bytes>> saved;
  for (int i = 0; i < 13; ++i) {
    char number[16];
    std::snprintf(number, sizeof number, "_%04d.ico", i);
    saved.push_back(IcoBlocks(ReadBytesAt(library + "\\Значок" + number)));
  }
  // The search's order is the file system's; each icon is saved once, whole.
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
  ChooseMenuItem(window, 'O', 'T');
  const HWND dialog = WaitForDialog(IDC_OPEN_DIR);
  ASSERT_NE(dialog, nullptr) << "no Setting dialog";
  EXPECT_EQ(WideWindowText(GetDlgItem(dialog, IDC_LIBRARY_FOLDER)), L"");
  EXPECT_EQ(WideWindowText(GetDlgItem(dialog, IDC_TITLE_PREFIX)), L"Mine");
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return MainWindowFree(); }, kDialogTimeout));
}

}  // namespace
