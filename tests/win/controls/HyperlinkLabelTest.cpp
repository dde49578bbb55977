// Link labels in a real window of the test process: hover and leave with the
// mouse moved for real, the visited colour, and the browser fallback's bound.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "controls/HyperlinkLabel.h"
#include "framework/Gdi.h"

namespace {

const COLORREF kLinkColour = RGB(0, 0, 238);

COLORREF TextColour(const CHyperlinkLabel& link) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  ::SendMessageA(::GetParent(link), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC),
                 reinterpret_cast<LPARAM>(link.m_hWnd));
  return ::GetTextColor(dc);
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
    ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    CHyperlinkLabel link;
    ASSERT_TRUE(link.SubclassWindow(child));
    link.SetUnderline(mode);
    EXPECT_EQ(Underlined(link), mode == 1);
    EXPECT_EQ(TextColour(link), kLinkColour);

    CRect shown;
    link.GetWindowRect(&shown);
    ::SetCursorPos(shown.left + 2, shown.top + 2);
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(TextColour(link), RGB(255, 0, 0));
    EXPECT_TRUE(Underlined(link));

    ::SetCursorPos(0, 0);
    for (int i = 0; i < 200 && TextColour(link) != kLinkColour; ++i) {
      MSG msg;
      while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
      ::Sleep(10);
    }
    EXPECT_EQ(TextColour(link), kLinkColour);
    EXPECT_EQ(Underlined(link), mode == 1);
    link.SetVisited();
    EXPECT_EQ(TextColour(link), RGB(85, 26, 139));
  }
}

// When the shell cannot open a link, the command registered for .htm pages
// (here one of the test's own, under a redirected classes root) is run with
// it; a target that would not fit the command line is refused, not cut short,
// and so is a command that fills its whole value with no end (never read past).
TEST(HyperlinkLabel, TheBrowserFallbackRunsThePageCommandUnlessItOrTheTargetDoesNotFit) {
  constexpr char kClasses[] = "Software\\VantrelTests\\Classes";
  HKEY classes = nullptr;
  ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, kClasses, &classes), ERROR_SUCCESS);
  ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, classes), ERROR_SUCCESS);
  char system[MAX_PATH] = {};
  ::GetSystemDirectoryA(system, MAX_PATH);
  const std::string command = "\"" + std::string(system) + "\\cmd.exe\" /c rem \"%1\"";
  ::RegSetValueA(classes, ".htm", REG_SZ, "VantrelTestPage", 15);
  ::RegSetValueA(classes, "VantrelTestPage\\shell\\open\\command", REG_SZ, command.c_str(),
                 static_cast<DWORD>(command.size()));
  EXPECT_GT(CHyperlinkLabel::GotoUrl("vantreltest:page", SW_HIDE), 32);
  EXPECT_LE(CHyperlinkLabel::GotoUrl(("vantreltest:" + std::string(500, 'x')).c_str(), SW_HIDE), 32);
  // Stored as binary, which nothing gives a terminator on the way in or out.
  ::RegSetKeyValueA(classes, "VantrelTestPage\\shell\\open\\command", nullptr, REG_BINARY,
                    (command + std::string(MAX_PATH - command.size(), ' ')).data(), MAX_PATH);
  EXPECT_LE(CHyperlinkLabel::GotoUrl("vantreltest:page", SW_HIDE), 32);
  ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
  ::RegCloseKey(classes);
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kClasses);
}

}  // namespace
