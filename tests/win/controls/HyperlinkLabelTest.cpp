// Link labels in a real window of the test process: hover and leave with the
// mouse moved for real, and the visited colour.

#include <gtest/gtest.h>
#include <windows.h>

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

}  // namespace
