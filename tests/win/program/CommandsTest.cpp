// The main window's commands that open dialogs: Clear All with and without
// its confirmation, Exit's combinations of the unsaved question and the
// confirmation, Setting applied to the window, Help through the shell, About.

#include "ProgramTestSupport.h"
#include "resources/resource.h"

namespace {

constexpr int kNoBox = 0;

struct ClearAllCase {
  const char* name;
  const char* confirmSetting;
  int icons;
  BOOL saved;
  std::function<void(HWND)> answer;  // null: no confirmation may appear
  bool cleared;
  const char* confirmAfter;
};

class ClearAllCommandTest : public MainWindowTest, public ::testing::WithParamInterface<ClearAllCase> {};

TEST_P(ClearAllCommandTest, AsksWhenItShouldAndEmptiesListImagesRecordsAndPathOnlyOnOk) {
  const ClearAllCase& c = GetParam();
  WriteSetting("Setting", "Confirm", c.confirmSetting);
  Then([&] {
    LoadUnsavedIcons(c.icons);
    Icons().m_saved = c.saved;
    if (c.icons) ClickItem(0);
    const std::string path = dlg.PathText();
    DialogWatcher confirm("Confirm", c.answer ? c.answer : Press(IDCANCEL), dlg.m_hWnd);
    Command(ID_CLEAR_ALL);
    ASSERT_EQ(confirm.Finish(), c.answer != nullptr);
    if (c.answer) {
      EXPECT_NE(confirm.Seen().text.find("Are you sure to clear all the icons?"), std::string::npos);
      EXPECT_EQ(confirm.Seen().owner, dlg.m_hWnd);
    }
    const int left = c.cleared ? 0 : c.icons;
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), left);
    EXPECT_EQ(dlg.m_largeImages.GetImageCount(), left);
    EXPECT_EQ(dlg.m_smallImages.GetImageCount(), left);
    EXPECT_EQ(Icons().GetCount(), left);
    EXPECT_EQ(dlg.PathText(), c.cleared ? "" : path);
    // Clearing is not saving.
    EXPECT_EQ(Icons().m_saved, c.saved);
    EXPECT_TRUE(dlg.IsWindowEnabled());
  });
  EXPECT_EQ(Run(), kStepsDone);
  EXPECT_EQ(Raw("Setting", "Confirm"), c.confirmAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClearAllCommandTest,
    ::testing::Values(ClearAllCase{"OkClears", "1", 3, FALSE, Press(IDOK), true, "1"},
                      ClearAllCase{"SavedStaySaved", "1", 2, TRUE, Press(IDOK), true, "1"},
                      ClearAllCase{"CancelKeepsAndIgnoresTheBox", "1", 3, FALSE,
                                   CheckThenPress(IDC_DONT_ASK, IDCANCEL), false, "1"},
                      ClearAllCase{"DontAskMeClearsAndTurnsConfirmOff", "1", 2, FALSE,
                                   CheckThenPress(IDC_DONT_ASK, IDOK), true, "0"},
                      ClearAllCase{"ConfirmOffClearsWithoutAsking", "0", 3, FALSE, nullptr, true, "0"},
                      ClearAllCase{"EmptyListWithoutAsking", "1", 0, FALSE, nullptr, true, "1"}),
    [](const ::testing::TestParamInfo<ClearAllCase>& info) { return std::string(info.param.name); });

struct ExitCase {
  const char* name;
  int icons;
  BOOL saved;
  const char* confirmSetting;
  int unsavedAnswer;  // kNoBox: the question may not appear
  int confirmAnswer;  // kNoBox: the confirmation may not appear
  bool ends;
  int itemsAtEnd;
};

class ExitCommandTest : public MainWindowTest, public ::testing::WithParamInterface<ExitCase> {};

// Exit asks about unsaved icons first, then runs Clear All with its
// confirmation, and the window ends whatever Clear All did.
TEST_P(ExitCommandTest, AsksTheUnsavedQuestionThenTheConfirmation) {
  const ExitCase& c = GetParam();
  WriteSetting("Setting", "Confirm", c.confirmSetting);
  bool asked = false, confirmed = false;
  std::string question;
  Then([&] {
    LoadUnsavedIcons(c.icons);
    Icons().m_saved = c.saved;
    DialogWatcher unsaved("Vantrel", Press(c.unsavedAnswer ? c.unsavedAnswer : IDNO), dlg.m_hWnd);
    DialogWatcher confirm("Confirm", Press(c.confirmAnswer ? c.confirmAnswer : IDCANCEL), dlg.m_hWnd);
    Command(ID_EXIT);
    asked = unsaved.Finish();
    question = unsaved.Seen().text;
    confirmed = confirm.Finish();
  });
  Then([&] {
    EXPECT_FALSE(c.ends) << "the window stayed open";
    EXPECT_EQ(dlg.okCalls, 0);
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), c.icons);
  });
  EXPECT_EQ(Run(), c.ends ? IDOK : kStepsDone);
  EXPECT_EQ(asked, c.unsavedAnswer != kNoBox);
  if (asked) {
    EXPECT_EQ(question, "You haven't saved the icons.\nAre you sure to exit?");
  }
  EXPECT_EQ(confirmed, c.confirmAnswer != kNoBox);
  if (c.ends) {
    EXPECT_EQ(dlg.okCalls, 1);
    EXPECT_EQ(dlg.itemsAtDestroy, c.itemsAtEnd);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExitCommandTest,
    ::testing::Values(ExitCase{"UnsavedYesThenOkEndsEmptied", 2, FALSE, "1", IDYES, IDOK, true, 0},
                      ExitCase{"UnsavedYesThenCancelEndsWithIcons", 2, FALSE, "1", IDYES, IDCANCEL, true, 2},
                      ExitCase{"UnsavedNoKeepsTheWindow", 2, FALSE, "1", IDNO, kNoBox, false, 2},
                      ExitCase{"SavedOnlyConfirmsOk", 2, TRUE, "1", kNoBox, IDOK, true, 0},
                      ExitCase{"SavedOnlyConfirmsCancel", 2, TRUE, "1", kNoBox, IDCANCEL, true, 2},
                      ExitCase{"SavedConfirmOffAsksNothing", 2, TRUE, "0", kNoBox, kNoBox, true, 0},
                      ExitCase{"EmptyListAsksNothing", 0, FALSE, "1", kNoBox, kNoBox, true, 0}),
    [](const ::testing::TestParamInfo<ExitCase>& info) { return std::string(info.param.name); });

using SettingCommandTest = MainWindowTest;

TEST_F(SettingCommandTest, OkAppliesSelectAllAndViewButLoadedIconsKeepTheirTicks) {
  Then([this] {
    LoadUnsavedIcons(3);
    WriteSetting("Setting", "View", "2");
    DialogWatcher settings("Setting",
                           [](HWND box) {
                             SendMessageA(GetDlgItem(box, IDC_SELECT_ALL), BM_SETCHECK, BST_UNCHECKED, 0);
                             Press(IDOK)(box);
                           },
                           dlg.m_hWnd);
    Command(ID_SETTING);
    ASSERT_TRUE(settings.Finish());
    EXPECT_EQ(settings.Seen().owner, dlg.m_hWnd);
    EXPECT_EQ(Raw("Setting", "SelectAll"), "0");
    EXPECT_EQ(dlg.m_selectAllCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(CheckedItems(), 3);
    EXPECT_EQ(dlg.ViewType(), LVS_LIST);
    EXPECT_EQ(dlg.m_viewList.GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.m_viewNormal.GetCheck(), BST_UNCHECKED);
    // Icons added from now on come unticked.
    LoadUnsavedIcons(1);
    EXPECT_EQ(CheckedItems(), 3);
  });
  EXPECT_EQ(Run(), kStepsDone);
}

TEST_F(SettingCommandTest, CancelLeavesTheBoxAndTheView) {
  Then([this] {
    WriteSetting("Setting", "View", "1");
    DialogWatcher settings("Setting",
                           [](HWND box) {
                             SendMessageA(GetDlgItem(box, IDC_SELECT_ALL), BM_SETCHECK, BST_UNCHECKED, 0);
                             Press(IDCANCEL)(box);
                           },
                           dlg.m_hWnd);
    Command(ID_SETTING);
    ASSERT_TRUE(settings.Finish());
    EXPECT_EQ(dlg.m_selectAllCheck.GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.ViewType(), LVS_ICON);
    EXPECT_EQ(Raw("Setting", "SelectAll"), "1");
  });
  EXPECT_EQ(Run(), kStepsDone);
}

TEST_F(MainWindowTest, HelpOpensThePageBesideTheProgramThroughTheShell) {
  ShellExecuteRecorder shell;
  ASSERT_TRUE(shell.Installed());
  Then([this] { Command(ID_HELP); });
  EXPECT_EQ(Run(), kStepsDone);
  ASSERT_EQ(shell.calls.size(), 1u);
  const ShellCall& call = shell.calls[0];
  EXPECT_EQ(call.owner, nullptr);
  EXPECT_EQ(call.verb, "open");
  EXPECT_EQ(call.file, std::string(GetModuleFolder()) + "\\help.htm");
  EXPECT_FALSE(call.hasParameters || call.hasDirectory);
  EXPECT_EQ(call.show, SW_SHOWNORMAL);
}

TEST_F(MainWindowTest, AboutOpensAboveTheWindowUntilOk) {
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
    EXPECT_TRUE(dlg.IsWindowEnabled() && dlg.IsOpen());
  });
  EXPECT_EQ(Run(), kStepsDone);
}

}  // namespace
