// DoModal's own loop: result, owner handling, the ways a dialog ends, the
// PreTranslateMessage chain, and messages sent by worker threads.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "FrameworkTestSupport.h"
#include "framework/Thread.h"
#include "framework/WinApp.h"

namespace {

TEST(DialogModalLoopTest, OwnerIsTheParentOrElseTheMainWindowAndIsDisabledOnlyWhileTheDialogRuns) {
  // With a parent, with only a main window, and with a parent disabled before, which stays so.
  for (const auto& [withParent, disabledBefore] : {std::pair{true, false}, {false, false}, {true, true}}) {
    SCOPED_TRACE(testing::Message() << "parent " << withParent << ", disabled before " << disabledBefore);
    HostWindow owner;
    owner.EnableWindow(!disabledBefore);
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
    EXPECT_EQ(owner.IsWindowEnabled(), !disabledBefore);
  }
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
    shown |= msg == WM_SHOWWINDOW && wParam;
    return FrameworkDialog::WindowProc(msg, wParam, lParam);
  }
};

TEST(DialogModalLoopTest, EndDialogInOnInitDialogEndsWithoutShowingAndAMissingTemplateGivesMinusOne) {
  HostWindow parent;
  EndsInInitDialog ending(&parent);
  EXPECT_EQ(ending.DoModal(), 7);
  EXPECT_FALSE(ending.shown);
  CDialog missing(4321, &parent);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_TRUE(parent.IsWindowEnabled());
}

TEST(DialogModalLoopTest, OkCancelEscapeInAControlTheCloseBoxAndAQuitMessageEndIt) {
  const std::tuple<const char*, void (*)(FrameworkDialog&), INT_PTR> endings[] = {
      {"OK", [](FrameworkDialog& d) { d.SendDlgItemMessage(IDOK, BM_CLICK); }, IDOK},
      {"Cancel", [](FrameworkDialog& d) { d.SendDlgItemMessage(IDCANCEL, BM_CLICK); }, IDCANCEL},
      {"Escape", [](FrameworkDialog& d) { ::PostMessageA(::GetDlgItem(d, IDC_EDIT), WM_KEYDOWN, VK_ESCAPE, 0); },
       IDCANCEL},
      {"close box", [](FrameworkDialog& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL},
      // No next step is posted behind the quit: it would end the dialog first.
      {"quit", [](FrameworkDialog& d) { ::PostQuitMessage(5), d.RunAgainLater(); }, -1}};
  for (const auto& [name, act, expected] : endings) {
    FrameworkDialog dialog;
    dialog.steps = {[&] { act(dialog); }};
    EXPECT_EQ(dialog.DoModal(), expected) << name;
  }
  // The quit is posted again for the loop outside.
  MSG quit{};
  ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 5u);
}

// Records who saw a key first; the dialog swallows Escape.
template <class Base, bool kSwallowEscape>
class KeyRecording : public Base {
 public:
  std::vector<std::string>* order = nullptr;

 protected:
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message != WM_KEYDOWN) return FALSE;
    order->push_back(kSwallowEscape ? "dialog" : "edit");
    return kSwallowEscape && msg->wParam == VK_ESCAPE;
  }
};

TEST(DialogModalLoopTest, PreTranslateMessageRunsFromTheControlUpToTheDialogAndCanSwallow) {
  std::vector<std::string> order;
  KeyRecording<FrameworkDialog, true> dialog;
  KeyRecording<CWnd, false> edit;
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

// Closes the first message box captioned with the application name, noting its owner.
UINT AnswerMessageBox(LPVOID owner) {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = ::FindWindowA("#32770", AfxGetApp()->GetAppName())) != nullptr; }, 10000))
    return 1;
  *static_cast<HWND*>(owner) = ::GetWindow(box, GW_OWNER);
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  return 0;
}

TEST(DialogModalLoopTest, MessageBoxBelongsToTheModalDialogOnTopAndKeepsTheMainWindowDisabled) {
  HostWindow main;
  AfxGetApp()->m_pMainWnd = &main;
  FrameworkDialog dialog;
  HWND boxOwner = nullptr;
  BOOL mainEnabledAfterBox = TRUE;
  dialog.steps = {[&] {
    AfxBeginThread(&AnswerMessageBox, &boxOwner);
    AfxMessageBox("Framework question", MB_OK);
    EXPECT_EQ(boxOwner, dialog.m_hWnd);
    mainEnabledAfterBox = main.IsWindowEnabled();
  }};

  EXPECT_EQ(dialog.DoModal(), kStepsDone);
  AfxGetApp()->m_pMainWnd = nullptr;
  EXPECT_FALSE(mainEnabledAfterBox);
  EXPECT_TRUE(main.IsWindowEnabled());
}

}  // namespace
