// The Confirm dialog's keys: Enter presses the button that has the focus,
// as in every dialog, and only OK stores the answer.

#include "ProgramTestSupport.h"
#include "resources/resource.h"
#include "ui/ConfirmClearDlg.h"

namespace {

using ConfirmClearDialogTest = AppTest;

// It opens with the focus on Cancel (id 0 below: Enter at once).
TEST_F(ConfirmClearDialogTest, EnterPressesTheFocusedButton) {
  for (const int id : {0, IDOK, IDCANCEL}) {
    WriteSetting("Setting", "Confirm", "1");
    ScriptedDialog<CConfirmClearDlg> dialog;
    dialog.steps.push_back([&] {
      ::CheckDlgButton(dialog.m_hWnd, IDC_DONT_ASK, BST_CHECKED);
      if (id) dialog.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog.m_hWnd, id)), TRUE);
      ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(dialog.DoModal(), id == IDOK ? IDOK : IDCANCEL) << id;
    EXPECT_EQ(Raw("Setting", "Confirm"), id == IDOK ? "0" : "1") << id;
  }
}

}  // namespace
