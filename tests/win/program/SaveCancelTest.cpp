// Cancel in the save progress dialog: the worker stops at its next check and
// is never killed, the dialog ends only after it, and nothing is left open.
//
// A user's click cannot be timed against the worker, so the tests raise the
// flag at a chosen moment (as the click handler's first act does) from the
// list's own thread, while the worker waits for that list's answer, and then
// press Cancel itself.

#include <windows.h>

#include <gtest/gtest.h>

#include "CommandsTestSupport.h"
#include "SaveTestSupport.h"
#include "support/IconBuilder.h"

namespace {

class SaveCancelTest : public SaveTest {
 protected:
  // Raises the flag and presses Cancel (twice: the second click comes while
  // the first waits) when the worker asks about `item` (-1: the item count).
  void CancelAt(CSaveProgressDlg& dialog, int item) {
    host.list.onQuery = [&dialog, item, this](int asked) {
      // The test itself counts ticks before the dialog opens.
      if (asked != item || cancelled || !dialog.m_hWnd) return;
      cancelled = true;
      dialog.m_cancel = 1;
      PostCancelClick(dialog.m_hWnd);
      PostCancelClick(dialog.m_hWnd);
    };
  }
  void ExpectNothingHeldOpen() {
    for (const std::string& name : NamesIn(library.Path()))
      EXPECT_TRUE(NobodyHoldsOpen(library.File(name))) << name;
    for (const std::string& name : NamesIn(sources.Path()))
      EXPECT_TRUE(NobodyHoldsOpen(sources.File(name))) << name;
  }

  bool cancelled = false;
};

TEST_F(SaveCancelTest, BeforeTheFirstIconWritesNothing) {
  AddIcos({1, 2, 3});
  CSaveProgressDlg dialog;
  CancelAt(dialog, -1);

  EXPECT_EQ(RunSaveDialog(dialog, library.Path(), "ico"), IDCANCEL);

  EXPECT_TRUE(cancelled);
  EXPECT_TRUE(NamesIn(library.Path()).empty());
  EXPECT_EQ(dialog.WorkerExitCode(), 0u);
  EXPECT_EQ(dialog.m_done, 0);
  ExpectNothingHeldOpen();
}

TEST_F(SaveCancelTest, MidRunFinishesTheIconInHandAndStops) {
  AddIcos({1, 2, 3, 4, 5});
  CSaveProgressDlg dialog;
  CancelAt(dialog, 2);

  EXPECT_EQ(RunSaveDialog(dialog, library.Path(), "ico"), IDCANCEL);

  EXPECT_EQ(NamesIn(library.Path()),
            (std::vector<std::string>{"Untitled_0000.ico", "Untitled_0001.ico", "Untitled_0002.ico"}));
  EXPECT_EQ(IcoFileBlocks(library.File("Untitled_0002.ico"))[0], WithSizeImageCleared(SeedBlock(3)));
  EXPECT_EQ(dialog.WorkerExitCode(), 0u);
  EXPECT_EQ(dialog.m_done, 3);
  ExpectNothingHeldOpen();
}

TEST_F(SaveCancelTest, AfterTheLastIconEndsWithCancelAndKeepsEveryFile) {
  AddIcos({1, 2});
  ObservedSaveDlg dialog;
  dialog.cancelOnFinish = true;

  EXPECT_EQ(RunSaveDialog(dialog, library.Path(), "ico"), IDCANCEL);

  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.ico", "Untitled_0001.ico"}));
  EXPECT_EQ(dialog.WorkerExitCode(), 1u);
  ExpectNothingHeldOpen();
}

TEST_F(SaveCancelTest, WhileTheWorkerShowsABitmapMessageTheDialogWaitsForIt) {
  AddIcos({1, 2, 3});
  const std::string failing = library.File("Untitled_0000.bmp");
  CreateDirectoryA(failing.c_str(), nullptr);
  CSaveProgressDlg dialog;
  bool dialogAliveWhileWaiting = false;
  DialogWatcher watcher(failing, [&](HWND box) {
    HWND progress = dialog.m_hWnd;
    PostCancelClick(progress);
    // Long enough for the click to be handled and the wait to begin; the
    // dialog must still be there, answering, until the worker is released.
    Sleep(300);
    DWORD_PTR answer = 0;
    dialogAliveWhileWaiting = IsWindow(progress) && IsWindowVisible(progress) &&
                              SendMessageTimeoutA(progress, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &answer) != 0;
    Press(IDOK)(box);
  });

  EXPECT_EQ(RunSaveDialog(dialog, library.Path(), "bmp"), IDCANCEL);

  ASSERT_TRUE(watcher.Finish());
  EXPECT_TRUE(dialogAliveWhileWaiting);
  // The failed first icon kept its number; the worker stopped before the second.
  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.bmp\\"}));
  EXPECT_EQ(dialog.WorkerExitCode(), 0u);
}

TEST_F(SaveCancelTest, EnterDuringTheRunNeitherEndsNorStopsIt) {
  AddIcos({1, 2, 3, 4});
  CSaveProgressDlg dialog;
  host.list.onQuery = [&dialog](int item) {
    if (item == 1 && dialog.m_hWnd) PostMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };

  EXPECT_EQ(RunSaveDialog(dialog, library.Path(), "ico"), IDOK);

  EXPECT_EQ(NamesIn(library.Path()).size(), 4u);
  EXPECT_EQ(dialog.WorkerExitCode(), 1u);
}

TEST_F(SaveCancelTest, RepeatedRunsLeaveNoHandlesBehind) {
  AddIcos({1, 2, 3, 4});
  auto runOnce = [this](int cancelAt) {
    CSaveProgressDlg dialog;
    cancelled = false;
    if (cancelAt >= -1) CancelAt(dialog, cancelAt);
    RunSaveDialog(dialog, library.Path(), "ico");
    host.list.onQuery = nullptr;
  };
  runOnce(-2);
  DWORD before = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));

  for (int round = 0; round < 5; ++round)
    for (const int cancelAt : {-2, -1, 0, 2}) runOnce(cancelAt);

  DWORD after = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
  EXPECT_LE(after, before + 2);
  ExpectNothingHeldOpen();
}

}  // namespace
