// Link labels in a real window of the test process: hover and leave with the
// mouse moved for real, the visited colour, and the fallback to the browser
// registered for .htm pages, with the classes root redirected to a key of
// the test's own.

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "controls/HyperlinkLabel.h"
#include "support/TempFolder.h"

namespace {

const COLORREF kLinkColour = RGB(0, 0, 238);

COLORREF TextColour(CHyperlinkLabel& link, HWND parent) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  ::SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link.m_hWnd));
  const COLORREF colour = ::GetTextColor(dc);
  ::DeleteDC(dc);
  return colour;
}

bool Underlined(const CHyperlinkLabel& link) {
  LOGFONTA font{};
  return ::GetObjectA(link.GetFont(), sizeof font, &font) && font.lfUnderline;
}

TEST(HyperlinkLabel, HoverTurnsItRedLeavingUndoesOnlyWhatTheModeAsksAndVisitedShowsItsColour) {
  for (const int mode : {-1, 1}) {  // underlined while hovered, always
    SCOPED_TRACE(mode);
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE, CRect(200, 200, 400, 260), nullptr, 0));
    HWND child = ::CreateWindowExA(0, "STATIC", "www.example.test", WS_CHILD | WS_VISIBLE, 10, 10, 150, 30, parent,
                                   nullptr, nullptr, nullptr);
    HFONT dialogFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont), FALSE);
    CHyperlinkLabel link;
    ASSERT_TRUE(link.SubclassWindow(child));
    link.SetUnderline(mode);
    EXPECT_EQ(link.GetFont() == dialogFont, mode == -1);
    EXPECT_EQ(Underlined(link), mode == 1);
    EXPECT_EQ(TextColour(link, parent), kLinkColour);

    CRect shown;
    link.GetWindowRect(&shown);
    ::SetCursorPos(shown.left + 2, shown.top + 2);
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(TextColour(link, parent), RGB(255, 0, 0));
    EXPECT_TRUE(Underlined(link));

    ::SetCursorPos(0, 0);
    for (int i = 0; i < 200 && TextColour(link, parent) != kLinkColour; ++i) {
      MSG msg;
      while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
      ::Sleep(10);
    }
    EXPECT_EQ(TextColour(link, parent), kLinkColour);
    EXPECT_EQ(Underlined(link), mode == 1);
    link.SetVisited();
    EXPECT_EQ(TextColour(link, parent), RGB(85, 26, 139));
  }
}

class BrowserFallback : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegCreateKeyA(HKEY_CURRENT_USER, kClasses, &m_classes);
    ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, m_classes), ERROR_SUCCESS);
    char system[MAX_PATH] = {};
    ::GetSystemDirectoryA(system, MAX_PATH);
    const std::string command = "\"" + std::string(system) + "\\cmd.exe\" /c echo>\"" + target + "\" \"%1\"";
    ::RegSetValueA(m_classes, ".htm", REG_SZ, "VantrelTestPage", 15);
    ::RegSetValueA(m_classes, "VantrelTestPage\\shell\\open\\command", REG_SZ, command.c_str(),
                   static_cast<DWORD>(command.size()));
  }
  void TearDown() override {
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    ::RegCloseKey(m_classes);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kClasses);
  }

  static constexpr const char* kClasses = "Software\\VantrelTests\\Classes";
  TempFolder folder;
  const std::string target = folder.File("opened.txt");
  HKEY m_classes = nullptr;
};

TEST_F(BrowserFallback, RunsTheRegisteredCommandWithTheTargetUnlessItWouldNotFit) {
  EXPECT_GT(CHyperlinkLabel::GotoUrl("vantreltest:page-1", SW_HIDE), 32);
  std::string opened;
  for (int i = 0; i < 500 && opened.find("vantreltest:page-1") == std::string::npos; ++i) {
    ::Sleep(20);
    std::getline(std::ifstream(target), opened);
  }
  EXPECT_NE(opened.find("vantreltest:page-1"), std::string::npos) << opened;

  const std::string tooLong = "vantreltest:" + std::string(500, 'x');
  EXPECT_LE(CHyperlinkLabel::GotoUrl(tooLong.c_str(), SW_HIDE), 32);
}

}  // namespace
