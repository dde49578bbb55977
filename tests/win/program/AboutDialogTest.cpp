// The About box and the Confirm box run modally inside the test process: what
// they show, the About box's links with their tooltips and its colours (the
// shell's "open" recorded, never carried out), and what the Confirm box's
// "Don't ask me the next time." stores.

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
  std::string Text(int id) const {
    CString text;
    dlg.GetDlgItemText(id, text);
    return std::string(text);
  }
  // A left click on a control, as the mouse delivers it.
  void Click(int id) {
    HWND control = ::GetDlgItem(dlg.m_hWnd, id);
    ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
  std::string TipOf(int id) const {
    HWND link = ::GetDlgItem(dlg.m_hWnd, id);
    char text[128] = {};
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = link;
    info.uId = reinterpret_cast<UINT_PTR>(link);
    info.lpszText = text;
    dlg.m_toolTip.SendMessage(TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    return text;
  }
  ScriptedDialog<CAboutDlg> dlg;
};

TEST_F(AboutDialogTest, ShowsTheVersionTheAddressesANoticeAndTheBannerUntilOk) {
  Then([this] {
    CString caption;
    dlg.GetWindowText(caption);
    EXPECT_EQ(std::string(caption), "About Vantrel 1.1");
    EXPECT_EQ(Text(IDC_WEBSITE_CAPTION), "Website:");
    EXPECT_EQ(Text(IDC_SUPPORT_CAPTION), "Support:");
    EXPECT_EQ(Text(IDC_WEBSITE_LINK), "www.dorvane.example");
    EXPECT_EQ(Text(IDC_SUPPORT_LINK), "support@dorvane.example");
    EXPECT_FALSE(Text(IDC_NOTICE).empty());
    HWND banner = nullptr;
    for (HWND child = ::GetWindow(dlg.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
      if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) banner = child;
    ASSERT_NE(banner, nullptr);
    auto* bitmap = reinterpret_cast<HBITMAP>(::SendMessageA(banner, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    ASSERT_TRUE(bitmap && ::GetObjectA(bitmap, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 222);
    EXPECT_EQ(info.bmHeight, 104);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(AboutDialogTest, OnlyTheLinksOpenTheirAddressThroughTheShell) {
  ShellExecuteRecorder shell;
  ASSERT_TRUE(shell.Installed());
  Then([this] {
    for (const int id : {IDC_WEBSITE_CAPTION, IDC_SUPPORT_CAPTION, IDC_NOTICE, IDC_WEBSITE_LINK, IDC_SUPPORT_LINK})
      Click(id);
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].file, "http://www.dorvane.example/");
  EXPECT_EQ(shell.calls[1].file, "mailto:support@dorvane.example");
  for (const ShellCall& call : shell.calls) {
    EXPECT_EQ(call.verb, "open");
    EXPECT_FALSE(call.hasParameters || call.hasDirectory);
  }
}

TEST_F(AboutDialogTest, EachLinkHasItsTooltipShownOnHover) {
  int waited = 0;
  Then([this] {
    EXPECT_EQ(dlg.m_toolTip.GetToolCount(), 2);
    EXPECT_EQ(TipOf(IDC_WEBSITE_LINK), "Visit Dorvane website");
    EXPECT_EQ(TipOf(IDC_SUPPORT_LINK), "Get support of Vantrel");
    CRect link;
    ::GetWindowRect(::GetDlgItem(dlg.m_hWnd, IDC_WEBSITE_LINK), &link);
    ::SetCursorPos(link.left + 3, link.top + 3);
    ::PostMessageA(::GetDlgItem(dlg.m_hWnd, IDC_WEBSITE_LINK), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  });
  Then([&] {
    if (!dlg.m_toolTip.IsWindowVisible() && ++waited < 150) return dlg.RunAgainLater();
    EXPECT_TRUE(dlg.m_toolTip.IsWindowVisible());
    CString shown;
    dlg.m_toolTip.GetWindowText(shown);
    EXPECT_EQ(std::string(shown), "Visit Dorvane website");
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
}

TEST_F(AboutDialogTest, Colours) {
  Then([this] {
    std::vector<ExpectedColours> expected;
    for (const int id : {IDC_WEBSITE_CAPTION, IDC_SUPPORT_CAPTION, IDC_NOTICE})
      expected.push_back({id, TRANSPARENT, RGB(0, 0, 0), kPaleBlue});
    for (const int id : {IDC_WEBSITE_LINK, IDC_SUPPORT_LINK}) {
      expected.push_back({id, TRANSPARENT, RGB(0, 0, 238), kPaleBlue});
      LOGFONTA font{};
      ASSERT_TRUE(::GetObjectA(dlg.GetDlgItem(id)->GetFont(), sizeof font, &font)) << id;
      EXPECT_TRUE(font.lfUnderline) << id;
    }
    ExpectColours(dlg.m_hWnd, expected);
    CRect client;
    dlg.GetClientRect(&client);
    // Below the separator, left of the OK button: nothing but background.
    EXPECT_EQ(PaintedColour(dlg.m_hWnd, POINT{3, client.bottom - 3}), kPaleBlue);
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
}

using ConfirmClearDialogTest = AppTest;

TEST_F(ConfirmClearDialogTest, OkStoresWhetherToAskAgainAndCancelStoresNothing) {
  struct Case {
    const char* stored;
    bool tickDontAsk;
    int button;
    const char* after;
  };
  // "7" already reads as on: OK writes it anyway.
  const Case cases[] = {{"7", false, IDOK, "1"}, {"1", true, IDOK, "0"}, {"1", true, IDCANCEL, "1"}};
  for (const Case& c : cases) {
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
