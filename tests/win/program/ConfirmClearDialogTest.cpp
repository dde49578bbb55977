// The Confirm dialog's keys: Enter presses the button that has the focus,
// as in every dialog, and only OK stores the answer.

#include "ProgramTestSupport.h"
#include "resources/resource.h"
#include "ui/ConfirmClearDlg.h"

namespace {

using ConfirmClearDialogTest = AppTest;

void PressEnterOn(CWnd& dialog, int id) {
  const HWND button = ::GetDlgItem(dialog.m_hWnd, id);
  dialog.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
  ASSERT_EQ(::GetFocus(), button);
  ::PostMessageA(button, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(ConfirmClearDialogTest, EnterPressesTheFocusedButton) {
  WriteSetting("Setting", "Confirm", "1");
  for (const int id : {IDCANCEL, IDOK}) {
    ScriptedDialog<CConfirmClearDlg> dialog;
    dialog.steps.push_back([&] { ::CheckDlgButton(dialog.m_hWnd, IDC_DONT_ASK, BST_CHECKED); });
    dialog.steps.push_back([&] { PressEnterOn(dialog, id); });
    EXPECT_EQ(dialog.DoModal(), id);
    EXPECT_EQ(Raw("Setting", "Confirm"), id == IDOK ? "0" : "1");
  }
  // It opens with the focus on Cancel: Enter alone keeps the icons.
  ScriptedDialog<CConfirmClearDlg> opened;
  opened.steps.push_back([&] { ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0); });
  EXPECT_EQ(opened.DoModal(), IDCANCEL);
}

}  // namespace
