// Clear All from the main window: when it asks, what each answer leaves, and
// that clearing is not saving.

#include "CommandsMainWindowFixture.h"

namespace {

const char kQuestion[] = "Are you sure to clear all the icons?";

using ClearAllCommandTest = MainWindowCommandTest;

TEST_F(ClearAllCommandTest, ConfirmOnAsksAndOkEmptiesListImagesRecordsAndPath) {
  Then([this] {
    LoadUnsavedIcons(3);
    ClickFirstIcon();
    DialogWatcher confirm("Confirm", Press(IDOK), dlg.m_hWnd);
    Command(ID_CLEAR_ALL);
    ASSERT_TRUE(confirm.Finish());
    EXPECT_NE(confirm.Seen().text.find(kQuestion), std::string::npos) << confirm.Seen().text;
    EXPECT_EQ(confirm.Seen().owner, dlg.m_hWnd);
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 0);
    EXPECT_EQ(dlg.m_largeImages.GetImageCount(), 0);
    EXPECT_EQ(dlg.m_smallImages.GetImageCount(), 0);
    EXPECT_EQ(Icons().GetCount(), 0);
    EXPECT_EQ(dlg.PathText(), "");
    EXPECT_TRUE(dlg.IsWindowEnabled());
  });
  EXPECT_EQ(Run(), kCommandScriptDone);
  EXPECT_EQ(Raw("Setting", "Confirm"), "1");
}

TEST_F(ClearAllCommandTest, CancelInTheConfirmationKeepsEverything) {
  Then([this] {
    LoadUnsavedIcons(3);
    ClickFirstIcon();
    const std::string path = dlg.PathText();
    DialogWatcher confirm("Confirm", CheckThenPress(IDC_DONT_ASK, IDCANCEL), dlg.m_hWnd);
    Command(ID_CLEAR_ALL);
    ASSERT_TRUE(confirm.Finish());
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 3);
    EXPECT_EQ(dlg.m_largeImages.GetImageCount(), 3);
    EXPECT_EQ(Icons().GetCount(), 3);
    EXPECT_EQ(dlg.PathText(), path);
  });
  EXPECT_EQ(Run(), kCommandScriptDone);
  EXPECT_EQ(Raw("Setting", "Confirm"), "1");
}

TEST_F(ClearAllCommandTest, DontAskMeClearsAndTheNextClearAllAsksNoMore) {
  Then([this] {
    LoadUnsavedIcons(2);
    DialogWatcher confirm("Confirm", CheckThenPress(IDC_DONT_ASK, IDOK), dlg.m_hWnd);
    Command(ID_CLEAR_ALL);
    ASSERT_TRUE(confirm.Finish());
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 0);
    EXPECT_EQ(Raw("Setting", "Confirm"), "0");
  });
  Then([this] {
    LoadUnsavedIcons(2);
    DialogWatcher noConfirm("Confirm", Press(IDCANCEL), dlg.m_hWnd);
    Command(ID_CLEAR_ALL);
    EXPECT_FALSE(noConfirm.Finish());
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 0);
  });
  EXPECT_EQ(Run(), kCommandScriptDone);
}

TEST_F(ClearAllCommandTest, ConfirmOffClearsWithoutAsking) {
  WriteSetting("Setting", "Confirm", "0");
  Then([this] {
    LoadUnsavedIcons(3);
    DialogWatcher noConfirm("Confirm", Press(IDCANCEL), dlg.m_hWnd);
    Command(ID_CLEAR_ALL);
    EXPECT_FALSE(noConfirm.Finish());
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 0);
    EXPECT_EQ(Icons().GetCount(), 0);
  });
  EXPECT_EQ(Run(), kCommandScriptDone);
}

TEST_F(ClearAllCommandTest, EmptyListIsClearedWithoutAsking) {
  Then([this] {
    DialogWatcher noConfirm("Confirm", Press(IDCANCEL), dlg.m_hWnd);
    Command(ID_CLEAR_ALL);
    EXPECT_FALSE(noConfirm.Finish());
  });
  EXPECT_EQ(Run(), kCommandScriptDone);
}

TEST_F(ClearAllCommandTest, UnsavedIconsStayUnsavedOnceCleared) {
  Then([this] {
    LoadUnsavedIcons(2);
    DialogWatcher confirm("Confirm", Press(IDOK), dlg.m_hWnd);
    Command(ID_CLEAR_ALL);
    ASSERT_TRUE(confirm.Finish());
    EXPECT_FALSE(Icons().m_saved);
  });
  EXPECT_EQ(Run(), kCommandScriptDone);
}

TEST_F(ClearAllCommandTest, SavedIconsStaySavedOnceCleared) {
  Then([this] {
    LoadUnsavedIcons(2);
    Icons().m_saved = TRUE;
    DialogWatcher confirm("Confirm", Press(IDOK), dlg.m_hWnd);
    Command(ID_CLEAR_ALL);
    ASSERT_TRUE(confirm.Finish());
    EXPECT_TRUE(Icons().m_saved);
  });
  EXPECT_EQ(Run(), kCommandScriptDone);
}

}  // namespace
