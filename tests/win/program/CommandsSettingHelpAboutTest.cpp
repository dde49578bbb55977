// Setting, Help and About from the main window: what the window takes over
// from the Setting dialog, the help page opened through the shell, and the
// About box.

#include <algorithm>

#include "CommandsMainWindowFixture.h"
#include "app/MainApp.h"

namespace {

// Unticks "Select all icons" in the Setting dialog, then presses `button`.
std::function<void(HWND)> UntickSelectAllThenPress(int button) {
  return [button](HWND settings) {
    SendMessageA(GetDlgItem(settings, IDC_SELECT_ALL), BM_SETCHECK, BST_UNCHECKED, 0);
    Press(button)(settings);
  };
}

using SettingCommandTest = MainWindowCommandTest;

TEST_F(SettingCommandTest, OkSetsSelectAllBoxButLoadedIconsKeepTheirTicks) {
  Then([this] {
    LoadUnsavedIcons(3);
    ASSERT_EQ(CheckedItems(), 3);
    DialogWatcher settings("Setting", UntickSelectAllThenPress(IDOK), dlg.m_hWnd);
    Command(ID_SETTING);
    ASSERT_TRUE(settings.Finish());
    EXPECT_EQ(settings.Seen().owner, dlg.m_hWnd);
    EXPECT_EQ(dlg.m_selectAllCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(CheckedItems(), 3);
    EXPECT_EQ(Raw("Setting", "SelectAll"), "0");
  });
  Then([this] {
    // Icons added from now on come unticked.
    LoadUnsavedIcons(1);
    EXPECT_EQ(CheckedItems(), 3);
  });
  EXPECT_EQ(Run(), kCommandScriptDone);
}

TEST_F(SettingCommandTest, OkShowsTheViewStoredInTheFile) {
  Then([this] {
    ASSERT_EQ(dlg.ViewType(), LVS_ICON);
    WriteSetting("Setting", "View", "2");
    DialogWatcher settings("Setting", Press(IDOK), dlg.m_hWnd);
    Command(ID_SETTING);
    ASSERT_TRUE(settings.Finish());
    EXPECT_EQ(dlg.ViewType(), LVS_LIST);
    EXPECT_EQ(dlg.m_viewList.GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.m_viewNormal.GetCheck(), BST_UNCHECKED);
  });
  EXPECT_EQ(Run(), kCommandScriptDone);
}

TEST_F(SettingCommandTest, CancelLeavesTheBoxAndTheView) {
  Then([this] {
    WriteSetting("Setting", "View", "1");
    DialogWatcher settings("Setting", UntickSelectAllThenPress(IDCANCEL), dlg.m_hWnd);
    Command(ID_SETTING);
    ASSERT_TRUE(settings.Finish());
    EXPECT_EQ(dlg.m_selectAllCheck.GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.ViewType(), LVS_ICON);
    EXPECT_EQ(Raw("Setting", "SelectAll"), "1");
  });
  EXPECT_EQ(Run(), kCommandScriptDone);
}

using HelpCommandTest = MainWindowCommandTest;

TEST_F(HelpCommandTest, OpensTheHelpPageBesideTheProgramThroughTheShell) {
  ShellExecuteRecorder shell;
  ASSERT_TRUE(shell.Installed());
  Then([this] { Command(ID_HELP); });
  EXPECT_EQ(Run(), kCommandScriptDone);
  ASSERT_EQ(shell.calls.size(), 1u);
  const ShellCall& call = shell.calls[0];
  EXPECT_EQ(call.owner, nullptr);
  EXPECT_EQ(call.verb, "open");
  EXPECT_EQ(call.file, std::string(GetModuleFolder()) + "\\help.htm");
  EXPECT_FALSE(call.hasParameters);
  EXPECT_FALSE(call.hasDirectory);
  EXPECT_EQ(call.show, SW_SHOWNORMAL);
}

// The shell itself, for once: with no page beside the test program nothing
// may appear, neither a window nor a started program.
TEST_F(HelpCommandTest, MissingPageShowsNothing) {
  const std::string page = std::string(GetModuleFolder()) + "\\help.htm";
  ASSERT_EQ(GetFileAttributesA(page.c_str()), INVALID_FILE_ATTRIBUTES) << page;
  const std::vector<DWORD> before = ChildProcesses();
  bool shown = true;
  Then([&] {
    DialogWatcher anyBox("", Press(IDCANCEL), dlg.m_hWnd);
    Command(ID_HELP);
    shown = anyBox.Finish();
  });
  Then([this] { EXPECT_TRUE(dlg.IsOpen()); });
  EXPECT_EQ(Run(), kCommandScriptDone);
  EXPECT_FALSE(shown);
  EXPECT_EQ(ChildProcesses(), before);
}

using AboutCommandTest = MainWindowCommandTest;

TEST_F(AboutCommandTest, OpensTheAboutBoxAboveTheWindowUntilOk) {
  Then([this] {
    bool disabledMeanwhile = false;
    DialogWatcher about("About Vantrel 1.1",
                        [&](HWND box) {
                          disabledMeanwhile = !IsWindowEnabled(dlg.m_hWnd);
                          Press(IDOK)(box);
                        },
                        dlg.m_hWnd);
    Command(ID_ABOUT);
    ASSERT_TRUE(about.Finish());
    EXPECT_EQ(about.Seen().owner, dlg.m_hWnd);
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(dlg.IsWindowEnabled());
    EXPECT_TRUE(dlg.IsOpen());
  });
  EXPECT_EQ(Run(), kCommandScriptDone);
}

}  // namespace
