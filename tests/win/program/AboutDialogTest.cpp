// The About box and the Confirm box run modally inside the test process: the
// About box's links (the shell's "open" recorded, never carried out) and their
// tooltips, and what the Confirm box's "Don't ask me the next time." stores.

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "ProgramTestSupport.h"
#include "ui/AboutDlg.h"
#include "ui/ConfirmClearDlg.h"
#include "resources/resource.h"

namespace {

class AboutDialogTest : public AppTest {
 protected:
  void Then(std::function<void()> step) { dlg.steps.push_back(std::move(step)); }
  ScriptedDialog<CAboutDlg> dlg;
};

TEST_F(AboutDialogTest, OnlyTheLinksOpenTheirAddressThroughTheShell) {
  ShellExecuteRecorder shell;
  ASSERT_TRUE(shell.Installed());
  Then([this] {
    for (const int id : {IDC_WEBSITE_CAPTION, IDC_SUPPORT_CAPTION, IDC_NOTICE, IDC_WEBSITE_LINK, IDC_SUPPORT_LINK}) {
      HWND control = ::GetDlgItem(dlg.m_hWnd, id);
      ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      ::SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].file, "http://www.dorvane.example/");
  EXPECT_EQ(shell.calls[1].file, "mailto:support@dorvane.example");
  for (const ShellCall& call : shell.calls) EXPECT_EQ(call.verb, "open");
}

// The tooltip learns where the mouse is only from what the dialog relays.
TEST_F(AboutDialogTest, ALinkShowsItsTooltipOnHover) {
  int waited = 0;
  Then([this] {
    CRect link;
    ::GetWindowRect(::GetDlgItem(dlg.m_hWnd, IDC_WEBSITE_LINK), &link);
    ::SetCursorPos(link.left + 3, link.top + 3);
    ::PostMessageA(::GetDlgItem(dlg.m_hWnd, IDC_WEBSITE_LINK), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  });
  Then([&] {
    // Each link has a tooltip of its own; the one shown is the hovered link's.
    HWND tip = nullptr;
    while ((tip = ::FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) && !::IsWindowVisible(tip)) {
    }
    if (!tip && ++waited < 150) return dlg.RunAgainLater();
    char shown[64] = {};
    ::GetWindowTextA(tip, shown, sizeof shown);
    EXPECT_EQ(std::string(shown), "Visit Dorvane website");
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
}

using ConfirmClearDialogTest = AppTest;

// OK writes the answer even when it is unchanged ("7" already reads as on);
// Cancel writes nothing, whatever the box shows.
TEST_F(ConfirmClearDialogTest, OkStoresWhetherToAskAgainAndCancelStoresNothing) {
  const struct {
    const char* stored;
    bool tickDontAsk;
    int button;
    const char* after;
  } cases[] = {{"7", false, IDOK, "1"}, {"1", true, IDOK, "0"}, {"1", true, IDCANCEL, "1"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.stored) + (c.tickDontAsk ? " ticked " : " ") + std::to_string(c.button));
    WriteSetting("Setting", "Confirm", c.stored);
    ScriptedDialog<CConfirmClearDlg> dlg;
    dlg.steps.push_back([&] {
      EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_DONT_ASK), static_cast<UINT>(BST_UNCHECKED));
      if (c.tickDontAsk) dlg.CheckDlgButton(IDC_DONT_ASK, BST_CHECKED);
      dlg.SendMessage(WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED));
    });
    EXPECT_EQ(dlg.DoModal(), c.button);
    EXPECT_EQ(Raw("Setting", "Confirm"), c.after);
  }
}

}  // namespace
