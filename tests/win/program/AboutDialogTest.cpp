// The About box run modally inside the test process: what it shows, its two
// links with their tooltips, and its colours. The shell's "open" is recorded,
// never carried out.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "CommandsTestSupport.h"
#include "ProgramTestSupport.h"
#include "ui/AboutDlg.h"
#include "ui/resource.h"

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

TEST_F(AboutDialogTest, ShowsTheVersionTheAddressesAndANotice) {
  Then([this] {
    CString caption;
    dlg.GetWindowText(caption);
    EXPECT_EQ(std::string(caption), "About Vantrel 1.1");
    EXPECT_EQ(Text(IDC_WEBSITE_CAPTION), "Website:");
    EXPECT_EQ(Text(IDC_SUPPORT_CAPTION), "Support:");
    EXPECT_EQ(Text(IDC_WEBSITE_LINK), "www.dorvane.example");
    EXPECT_EQ(Text(IDC_SUPPORT_LINK), "support@dorvane.example");
    EXPECT_FALSE(Text(IDC_NOTICE).empty());
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
}

TEST_F(AboutDialogTest, ShowsTheBanner) {
  Then([this] {
    HWND banner = nullptr;
    for (HWND child = ::GetWindow(dlg.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
      if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) banner = child;
    ASSERT_NE(banner, nullptr);
    auto* bitmap = reinterpret_cast<HBITMAP>(::SendMessageA(banner, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    ASSERT_TRUE(bitmap && ::GetObjectA(bitmap, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 222);
    EXPECT_EQ(info.bmHeight, 104);
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
}

TEST_F(AboutDialogTest, OkCloses) {
  Then([this] { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)); });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

// --- Links ------------------------------------------------------------------

using AboutDialogLinkTest = AboutDialogTest;

TEST_F(AboutDialogLinkTest, WebsiteLinkOpensTheSiteThroughTheShell) {
  ShellExecuteRecorder shell;
  ASSERT_TRUE(shell.Installed());
  Then([this] { Click(IDC_WEBSITE_LINK); });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].verb, "open");
  EXPECT_EQ(shell.calls[0].file, "http://www.dorvane.example/");
  EXPECT_FALSE(shell.calls[0].hasParameters);
  EXPECT_FALSE(shell.calls[0].hasDirectory);
}

TEST_F(AboutDialogLinkTest, SupportLinkOpensAMailToSupport) {
  ShellExecuteRecorder shell;
  ASSERT_TRUE(shell.Installed());
  Then([this] { Click(IDC_SUPPORT_LINK); });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].verb, "open");
  EXPECT_EQ(shell.calls[0].file, "mailto:support@dorvane.example");
}

TEST_F(AboutDialogLinkTest, CaptionsAndNoticeOpenNothing) {
  ShellExecuteRecorder shell;
  ASSERT_TRUE(shell.Installed());
  Then([this] {
    Click(IDC_WEBSITE_CAPTION);
    Click(IDC_SUPPORT_CAPTION);
    Click(IDC_NOTICE);
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(AboutDialogLinkTest, EachLinkHasItsTooltip) {
  Then([this] {
    EXPECT_EQ(dlg.m_toolTip.GetToolCount(), 2);
    EXPECT_EQ(TipOf(IDC_WEBSITE_LINK), "Visit Dorvane website");
    EXPECT_EQ(TipOf(IDC_SUPPORT_LINK), "Get support of Vantrel");
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
}

TEST_F(AboutDialogLinkTest, HoveringTheWebsiteLinkShowsItsTooltip) {
  int waited = 0;
  Then([this] {
    CRect link;
    ::GetWindowRect(::GetDlgItem(dlg.m_hWnd, IDC_WEBSITE_LINK), &link);
    ::SetCursorPos(link.left + 3, link.top + 3);
    ::PostMessageA(::GetDlgItem(dlg.m_hWnd, IDC_WEBSITE_LINK), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  });
  Then([&] {
    if (!dlg.m_toolTip.IsWindowVisible() && ++waited < 150) {
      dlg.RunAgainLater();
      return;
    }
    EXPECT_TRUE(dlg.m_toolTip.IsWindowVisible());
    CString shown;
    dlg.m_toolTip.GetWindowText(shown);
    EXPECT_EQ(std::string(shown), "Visit Dorvane website");
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
}

// --- Colours ----------------------------------------------------------------

using AboutDialogColourTest = AboutDialogTest;

TEST_F(AboutDialogColourTest, CaptionsAndNoticeAreBlackOnTheBackground) {
  Then([this] {
    for (const int id : {IDC_WEBSITE_CAPTION, IDC_SUPPORT_CAPTION, IDC_NOTICE}) {
      const ControlColours colours = ColoursFor(dlg.m_hWnd, id);
      EXPECT_EQ(colours.backgroundMode, TRANSPARENT) << id;
      EXPECT_EQ(colours.textColour, RGB(0, 0, 0)) << id;
      EXPECT_EQ(colours.brushColour, RGB(240, 248, 255)) << id;
    }
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
}

TEST_F(AboutDialogColourTest, LinksAreBlueOnTheBackground) {
  Then([this] {
    for (const int id : {IDC_WEBSITE_LINK, IDC_SUPPORT_LINK}) {
      const ControlColours colours = ColoursFor(dlg.m_hWnd, id);
      EXPECT_EQ(colours.backgroundMode, TRANSPARENT) << id;
      EXPECT_EQ(colours.textColour, RGB(0, 0, 238)) << id;
      EXPECT_EQ(colours.brushColour, RGB(240, 248, 255)) << id;
    }
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
}

TEST_F(AboutDialogColourTest, LinksAreUnderlined) {
  Then([this] {
    for (const int id : {IDC_WEBSITE_LINK, IDC_SUPPORT_LINK}) {
      LOGFONTA font{};
      ASSERT_TRUE(::GetObjectA(dlg.GetDlgItem(id)->GetFont(), sizeof font, &font)) << id;
      EXPECT_TRUE(font.lfUnderline) << id;
    }
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
}

TEST_F(AboutDialogColourTest, ClientAreaIsPaintedPaleBlue) {
  Then([this] {
    CRect client;
    dlg.GetClientRect(&client);
    // Below the separator, left of the OK button: nothing but background.
    EXPECT_EQ(PaintedColour(dlg.m_hWnd, POINT{3, client.bottom - 3}), RGB(240, 248, 255));
  });
  EXPECT_EQ(dlg.DoModal(), kStepsDone);
}

}  // namespace
