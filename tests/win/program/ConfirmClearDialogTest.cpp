// The Confirm dialog run modally inside the test process: its answer and
// what "Don't ask me the next time." stores.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "CommandsTestSupport.h"
#include "ProgramTestSupport.h"
#include "ui/ConfirmClearDlg.h"
#include "ui/resource.h"

namespace {

class ConfirmClearDialogTest : public AppTest {
 protected:
  std::string RawConfirm() const {
    char value[32] = {};
    GetPrivateProfileStringA("Setting", "Confirm", "<missing>", value, sizeof value, configPath.c_str());
    return value;
  }
  void Then(std::function<void()> step) { dlg.steps.push_back(std::move(step)); }
  void TickDontAsk() { dlg.CheckDlgButton(IDC_DONT_ASK, BST_CHECKED); }
  void Press(int button) { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED)); }

  ScriptedDialog<CConfirmClearDlg> dlg;
};

TEST_F(ConfirmClearDialogTest, OpensWithTheBoxUnticked) {
  Then([this] { EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_DONT_ASK), static_cast<UINT>(BST_UNCHECKED)); });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
}

TEST_F(ConfirmClearDialogTest, OkWithTheBoxUntickedWritesConfirmOn) {
  // A value that already reads as on: OK writes it anyway.
  WriteSetting("Setting", "Confirm", "7");
  Then([this] { Press(IDOK); });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(RawConfirm(), "1");
}

TEST_F(ConfirmClearDialogTest, OkWithTheBoxTickedWritesConfirmOff) {
  WriteSetting("Setting", "Confirm", "1");
  Then([this] {
    TickDontAsk();
    Press(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(RawConfirm(), "0");
}

TEST_F(ConfirmClearDialogTest, CancelWithTheBoxTickedWritesNothing) {
  WriteSetting("Setting", "Confirm", "1");
  Then([this] {
    TickDontAsk();
    Press(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(RawConfirm(), "1");
}

}  // namespace
