// Paths on the real program's command line: opened in order once the window
// shows, a file of a type not taken stopping the rest behind its message, and
// a second start handing its paths to the running window and ending.

#include "ProductProcess.h"

#include <commctrl.h>

#include "support/IconBuilder.h"

namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

using CommandLineEndToEndTest = ProductTest;

TEST_F(CommandLineEndToEndTest, PathsOpenInOrderAndASecondStartHandsItsPathsToTheRunningWindow) {
  const Bytes ico = BuildIcoFile({MakeDibBlock(32, 32, 8)});
  const std::string spaced = folder.File("an icon.ico");
  const std::string tree = folder.File("icon tree");
  ASSERT_TRUE(CreateDirectoryA(tree.c_str(), nullptr) && CreateDirectoryA((tree + "\\sub").c_str(), nullptr));
  for (const std::string& path : {spaced, tree + "\\one.ico", tree + "\\sub\\two.ico"})
    ASSERT_TRUE(WriteBytes(path, ico));

  Start(Quoted(spaced) + " " + Quoted(folder.File("notes.txt")) + " " + Quoted(tree));
  const HWND box = WaitForDialog(0);
  ASSERT_NE(box, nullptr) << "no message for the text file";
  EXPECT_EQ(BoxText(box), "Unsupported Type!Please check the file filter!");

  // Handed over under the message, they wait behind the folder. A missing
  // file adds nothing and says so, as a dropped file without icons does.
  ProductProcess second;
  ASSERT_TRUE(second.Start(exePath, Quoted(folder.File("gone.ico")) + " " + Quoted(spaced)));
  DWORD code = 1;
  EXPECT_TRUE(second.WaitForExit(kDialogTimeout, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_FALSE(WaitUntil([&] { return ItemCount() != 1; }, 1000)) << ItemCount();
  ClickButton(box, IDOK);
  HWND missing = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (missing = WaitForDialog(IDOK, 100)) && missing != box; }, kDialogTimeout));
  EXPECT_EQ(BoxText(missing), folder.File("gone.ico") + "\ncannot be opened: No such file or directory.");
  ClickButton(missing, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return ItemCount() == 4 && MainWindowFree(); }, kDialogTimeout)) << ItemCount();
  EXPECT_EQ(MainWindowsOf(product.Id()).size(), 1u);
  // Ticked, as "Select all icons" is on by default.
  EXPECT_EQ(Ask(GetDlgItem(window, IDC_ICON_LIST), LVM_GETITEMSTATE, 3, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));

  // The icons count as unsaved: closing asks.
  PostMessageA(window, WM_CLOSE, 0, 0);
  const HWND question = WaitForDialog(0);
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(BoxText(question), "You haven't saved the icons.\nAre you sure to exit?");
}

}  // namespace
