// DoModal's own loop: result, owner handling, the ways a dialog ends, the
// PreTranslateMessage chain, and messages sent by worker threads.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "framework/Static.h"
#include "framework/Thread.h"
#include "framework/WinApp.h"

namespace {

TEST(DialogModalLoopTest, OwnerIsTheParentOrElseTheMainWindowAndIsDisabledOnlyWhileTheDialogRuns) {
  for (const bool withParent : {true, false}) {
    SCOPED_TRACE(withParent ? "parent" : "main window");
    HostWindow owner;
    AfxGetApp()->m_pMainWnd = withParent ? nullptr : &owner;
    FrameworkDialog dialog(withParent ? &owner : nullptr);
    BOOL ownerEnabled = TRUE, visible = FALSE;
    HWND ownerSeen = nullptr, hwnd = nullptr;
    dialog.steps = {[&] {
      hwnd = dialog.m_hWnd;
      visible = dialog.IsWindowVisible();
      ownerEnabled = owner.IsWindowEnabled();
      ownerSeen = ::GetWindow(dialog.m_hWnd, GW_OWNER);
      dialog.EndDialog(1234);
    }};

    EXPECT_EQ(dialog.DoModal(), 1234);
    AfxGetApp()->m_pMainWnd = nullptr;
    EXPECT_TRUE(visible);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(ownerSeen, owner.m_hWnd);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
  }
}

TEST(DialogModalLoopTest, AnOwnerThatWasDisabledBeforeStaysDisabled) {
  HostWindow parent;
  parent.EnableWindow(FALSE);
  FrameworkDialog dialog(&parent);
  dialog.steps = {[&] { dialog.EndDialog(IDOK); }};

  dialog.DoModal();

  EXPECT_FALSE(parent.IsWindowEnabled());
}

class EndsInInitDialog : public FrameworkDialog {
 public:
  using FrameworkDialog::FrameworkDialog;
  bool shown = false;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    EndDialog(7);
    return TRUE;
  }
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_SHOWWINDOW && wParam) shown = true;
    return FrameworkDialog::WindowProc(msg, wParam, lParam);
  }
};

TEST(DialogModalLoopTest, EndDialogInOnInitDialogEndsWithoutShowingAndAMissingTemplateGivesMinusOne) {
  HostWindow parent;
  EndsInInitDialog ending(&parent);
  EXPECT_EQ(ending.DoModal(), 7);
  EXPECT_FALSE(ending.shown);
  EXPECT_TRUE(parent.IsWindowEnabled());

  CDialog missing(4321, &parent);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_TRUE(parent.IsWindowEnabled());
}

struct EndingCase {
  const char* name;
  void (*act)(CDialog& dialog);
  INT_PTR expected;
};

const EndingCase kEndings[] = {
    {"OkButton", [](CDialog& d) { d.SendDlgItemMessage(IDOK, BM_CLICK); }, IDOK},
    {"CancelButton", [](CDialog& d) { d.SendDlgItemMessage(IDCANCEL, BM_CLICK); }, IDCANCEL},
    {"EscapeInAControl",
     [](CDialog& d) { ::PostMessageA(::GetDlgItem(d, IDC_EDIT), WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL},
    {"CloseBox", [](CDialog& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL},
};

class DialogEndingTest : public ::testing::TestWithParam<EndingCase> {};

TEST_P(DialogEndingTest, EndsWithTheExpectedResult) {
  FrameworkDialog dialog;
  dialog.steps = {[&] { GetParam().act(dialog); }};
  EXPECT_EQ(dialog.DoModal(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(DialogModalLoopTest, DialogEndingTest, ::testing::ValuesIn(kEndings),
                         [](const ::testing::TestParamInfo<EndingCase>& info) { return info.param.name; });

TEST(DialogModalLoopTest, QuitMessageEndsTheLoopAndIsPostedAgainForTheOuterLoop) {
  FrameworkDialog dialog;
  // No next step is posted behind the quit: it would end the dialog first.
  dialog.steps = {[&] {
    ::PostQuitMessage(5);
    dialog.RunAgainLater();
  }};

  EXPECT_EQ(dialog.DoModal(), -1);
  MSG quit{};
  ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 5u);
}

// Records who saw a key first; the dialog swallows Escape.
class EscapeSwallowingDialog : public FrameworkDialog {
 public:
  std::vector<std::string>* order = nullptr;

 protected:
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message != WM_KEYDOWN) return FALSE;
    order->push_back("dialog");
    return msg->wParam == VK_ESCAPE;
  }
};

class KeyRecordingEdit : public CWnd {
 public:
  std::vector<std::string>* order = nullptr;

 protected:
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN) order->push_back("edit");
    return FALSE;
  }
};

TEST(DialogModalLoopTest, PreTranslateMessageRunsFromTheControlUpToTheDialogAndCanSwallow) {
  std::vector<std::string> order;
  EscapeSwallowingDialog dialog;
  KeyRecordingEdit edit;
  dialog.order = edit.order = &order;
  dialog.steps = {[&] {
                    edit.SubclassDlgItem(IDC_EDIT, &dialog);
                    ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
                  },
                  [&] { dialog.EndDialog(42); }};

  // Unswallowed, the Escape key would have cancelled the dialog.
  EXPECT_EQ(dialog.DoModal(), 42);
  EXPECT_EQ(order, (std::vector<std::string>{"edit", "dialog"}));
}

class ThreadRecordingStatic : public CStatic {
 public:
  DWORD setTextThread = 0;
  CString textAfterSet;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg != WM_SETTEXT) return CStatic::WindowProc(msg, wParam, lParam);
    const LRESULT result = CStatic::WindowProc(msg, wParam, lParam);
    setTextThread = ::GetCurrentThreadId();
    GetWindowText(textAfterSet);
    return result;
  }
};

UINT SetLabel(LPVOID label) {
  static_cast<CWnd*>(label)->SetWindowText("from the worker");  // sent: waits for the UI thread
  return 0;
}

TEST(DialogModalLoopTest, MessagesSentByAWorkerAreServedWhileDoModalRuns) {
  FrameworkDialog dialog;
  ThreadRecordingStatic label;
  dialog.steps = {[&] {
                    label.SubclassDlgItem(IDC_LABEL, &dialog);
                    AfxBeginThread(&SetLabel, &label);
                  },
                  [&] {
                    if (!label.setTextThread) dialog.RunAgainLater();
                  }};

  EXPECT_EQ(dialog.DoModal(), kStepsDone);
  EXPECT_EQ(label.setTextThread, ::GetCurrentThreadId());
  EXPECT_EQ(label.textAfterSet, "from the worker");
}

// Closes the first message box captioned with the application name, noting its owner.
UINT AnswerMessageBox(LPVOID param) {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = ::FindWindowA("#32770", AfxGetApp()->GetAppName())) != nullptr; }, 10000))
    return 1;
  *static_cast<HWND*>(param) = ::GetWindow(box, GW_OWNER);
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  return 0;
}

TEST(DialogModalLoopTest, MessageBoxBelongsToTheModalDialogOnTopAndKeepsTheMainWindowDisabled) {
  HostWindow main;
  AfxGetApp()->m_pMainWnd = &main;
  FrameworkDialog dialog;
  HWND boxOwner = nullptr;
  HWND dialogWindow = nullptr;
  BOOL mainEnabledAfterBox = TRUE;
  dialog.steps = {[&] {
    dialogWindow = dialog.m_hWnd;
    AfxBeginThread(&AnswerMessageBox, &boxOwner);
    AfxMessageBox("Framework question", MB_OK);
    mainEnabledAfterBox = main.IsWindowEnabled();
    dialog.EndDialog(IDOK);
  }};

  EXPECT_EQ(dialog.DoModal(), IDOK);
  AfxGetApp()->m_pMainWnd = nullptr;

  EXPECT_EQ(boxOwner, dialogWindow);
  EXPECT_FALSE(mainEnabledAfterBox);
  EXPECT_TRUE(main.IsWindowEnabled());
}

}  // namespace
