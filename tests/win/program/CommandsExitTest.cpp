// Exit from the main window: the unsaved-icons question first, then Clear
// All with its confirmation, and the window ends whatever Clear All did.

#include "CommandsMainWindowFixture.h"

namespace {

const char kUnsavedIcons[] = "You haven't saved the icons.\nAre you sure to exit?";

using ExitCommandTest = MainWindowCommandTest;

TEST_F(ExitCommandTest, UnsavedIconsYesThenOkEndsTheWindowEmptied) {
  bool asked = false;
  std::string question;
  bool confirmed = false;
  Then([&] {
    LoadUnsavedIcons(2);
    DialogWatcher unsaved("Vantrel", Press(IDYES), dlg.m_hWnd);
    DialogWatcher confirm("Confirm", Press(IDOK), dlg.m_hWnd);
    Command(ID_EXIT);
    asked = unsaved.Finish();
    question = unsaved.Seen().text;
    confirmed = confirm.Finish();
  });
  Then([] { ADD_FAILURE() << "the window stayed open"; });
  EXPECT_EQ(Run(), IDOK);
  EXPECT_TRUE(asked);
  EXPECT_EQ(question, kUnsavedIcons);
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(dlg.okCalls, 1);
  EXPECT_EQ(dlg.itemsAtDestroy, 0);
  EXPECT_EQ(Icons().GetCount(), 0);
}

TEST_F(ExitCommandTest, UnsavedIconsYesThenCancelStillEndsTheWindowWithItsIcons) {
  bool confirmed = false;
  Then([&] {
    LoadUnsavedIcons(2);
    DialogWatcher unsaved("Vantrel", Press(IDYES), dlg.m_hWnd);
    DialogWatcher confirm("Confirm", Press(IDCANCEL), dlg.m_hWnd);
    Command(ID_EXIT);
    unsaved.Finish();
    confirmed = confirm.Finish();
  });
  Then([] { ADD_FAILURE() << "the window stayed open"; });
  EXPECT_EQ(Run(), IDOK);
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(dlg.itemsAtDestroy, 2);
}

TEST_F(ExitCommandTest, UnsavedIconsNoKeepsTheWindowWithoutTheConfirmation) {
  Then([this] {
    LoadUnsavedIcons(2);
    DialogWatcher unsaved("Vantrel", Press(IDNO), dlg.m_hWnd);
    DialogWatcher noConfirm("Confirm", Press(IDOK), dlg.m_hWnd);
    Command(ID_EXIT);
    EXPECT_TRUE(unsaved.Finish());
    EXPECT_FALSE(noConfirm.Finish());
  });
  Then([this] {
    EXPECT_TRUE(dlg.IsOpen());
    EXPECT_EQ(dlg.okCalls, 0);
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 2);
    EXPECT_EQ(Icons().GetCount(), 2);
  });
  EXPECT_EQ(Run(), kCommandScriptDone);
}

// Saved icons with Confirm on: no unsaved question, but the confirmation;
// either answer ends the window.
class ExitSavedIconsTest : public MainWindowCommandTest, public ::testing::WithParamInterface<int> {};

TEST_P(ExitSavedIconsTest, OnlyTheConfirmationIsAskedAndEitherAnswerEnds) {
  bool asked = true;
  bool confirmed = false;
  Then([&] {
    LoadUnsavedIcons(2);
    Icons().m_saved = TRUE;
    DialogWatcher noUnsaved("Vantrel", Press(IDNO), dlg.m_hWnd);
    DialogWatcher confirm("Confirm", Press(GetParam()), dlg.m_hWnd);
    Command(ID_EXIT);
    confirmed = confirm.Finish();
    asked = noUnsaved.Finish();
  });
  Then([] { ADD_FAILURE() << "the window stayed open"; });
  EXPECT_EQ(Run(), IDOK);
  EXPECT_FALSE(asked);
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(dlg.itemsAtDestroy, GetParam() == IDOK ? 0 : 2);
}

INSTANTIATE_TEST_SUITE_P(OkAndCancel, ExitSavedIconsTest, ::testing::Values(IDOK, IDCANCEL));

TEST_F(ExitCommandTest, SavedIconsWithConfirmOffEndWithoutAnyQuestion) {
  WriteSetting("Setting", "Confirm", "0");
  bool asked = true;
  Then([&] {
    LoadUnsavedIcons(2);
    Icons().m_saved = TRUE;
    DialogWatcher anyBox("", Press(IDCANCEL), dlg.m_hWnd);
    Command(ID_EXIT);
    asked = anyBox.Finish();
  });
  Then([] { ADD_FAILURE() << "the window stayed open"; });
  EXPECT_EQ(Run(), IDOK);
  EXPECT_FALSE(asked);
  EXPECT_EQ(dlg.itemsAtDestroy, 0);
}

TEST_F(ExitCommandTest, EmptyListEndsWithoutAnyQuestion) {
  bool asked = true;
  Then([&] {
    Icons().m_saved = FALSE;
    DialogWatcher anyBox("", Press(IDCANCEL), dlg.m_hWnd);
    Command(ID_EXIT);
    asked = anyBox.Finish();
  });
  Then([] { ADD_FAILURE() << "the window stayed open"; });
  EXPECT_EQ(Run(), IDOK);
  EXPECT_FALSE(asked);
}

}  // namespace
