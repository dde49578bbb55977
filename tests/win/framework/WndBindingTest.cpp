// Binding a window to its object: one slot, one procedure, released when
// either side goes away.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FrameworkTestSupport.h"

namespace {

WNDPROC ProcedureOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }

// Sets the window's text and reads it back.
std::string Retitled(HWND hwnd, const char* text) {
  ::SetWindowTextA(hwnd, text);
  char read[256] = {};
  ::GetWindowTextA(hwnd, read, sizeof(read));
  return read;
}

// Notes the messages it sees; it sends its window another message before
// handing WM_SETTEXT on with Default().
class RecordingWnd : public CWnd {
 public:
  std::vector<UINT> seen;
  WNDPROC procedureDuringPreSubclass = nullptr;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(msg);
    if (msg != WM_SETTEXT) return CWnd::WindowProc(msg, wParam, lParam);
    SendMessage(WM_GETTEXTLENGTH);
    return Default();
  }
  void PreSubclassWindow() override { procedureDuringPreSubclass = ProcedureOf(m_hWnd); }
};

// Each case binds a fresh window: one left bound to the object's own procedure would recurse.
TEST(WndBindingTest, SubclassRoutesMessagesToTheObjectOnceAndEitherSideGoingFirstReleasesTheBinding) {
  HostWindow host;
  const auto newLabel = [&host] {
    return ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 100, 20, host, nullptr, nullptr, nullptr);
  };
  HWND label = newLabel();
  const WNDPROC original = ProcedureOf(label);
  RecordingWnd wnd, second;
  ASSERT_TRUE(wnd.SubclassWindow(label));
  EXPECT_EQ(wnd.procedureDuringPreSubclass, original);  // seen before it is replaced
  EXPECT_EQ(CWnd::FromHandlePermanent(label), &wnd);
  EXPECT_FALSE(second.SubclassWindow(label));
  EXPECT_FALSE(wnd.SubclassWindow(label));
  // A second binding would have made the object its own old procedure; Default()
  // after the nested message must still hand on the text being set.
  EXPECT_EQ(Retitled(label, "changed"), "changed");
  EXPECT_NE(std::find(wnd.seen.begin(), wnd.seen.end(), static_cast<UINT>(WM_GETTEXTLENGTH)), wnd.seen.end());
  EXPECT_EQ(wnd.UnsubclassWindow(), label);
  EXPECT_EQ(ProcedureOf(label), original);
  EXPECT_EQ(CWnd::FromHandlePermanent(label), nullptr);
  EXPECT_EQ(wnd.m_hWnd, nullptr);

  HWND objectGoesFirst = newLabel();
  {
    RecordingWnd shortLived;
    ASSERT_TRUE(shortLived.SubclassWindow(objectGoesFirst));
  }
  EXPECT_EQ(ProcedureOf(objectGoesFirst), original);
  ASSERT_TRUE(second.SubclassWindow(newLabel()));
  ::DestroyWindow(second);
  EXPECT_EQ(second.m_hWnd, nullptr);
  EXPECT_EQ(second.seen.back(), static_cast<UINT>(WM_NCDESTROY));
}

// Someone else's subclass on top of ours, handing everything on.
WNDPROC g_underOthers = nullptr;
LRESULT CALLBACK OthersProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(g_underOthers, hwnd, msg, wParam, lParam);
}

TEST(WndBindingTest, AnotherSubclassOnTopNeitherHidesTheObjectNorLosesItsOwnSlotOrProcedure) {
  HostWindow host;
  HWND label = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 100, 20, host, nullptr, nullptr, nullptr);
  ::SetWindowLongPtrA(label, GWLP_USERDATA, 0x5A5A);
  RecordingWnd wnd, second;
  ASSERT_TRUE(wnd.SubclassWindow(label));
  g_underOthers = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OthersProcedure)));
  EXPECT_EQ(CWnd::FromHandlePermanent(label), &wnd);
  EXPECT_FALSE(second.SubclassWindow(label));  // would recurse without end
  EXPECT_EQ(Retitled(label, "under"), "under");
  // Letting go under another's procedure leaves that one in place, and ours passing messages on.
  EXPECT_EQ(wnd.UnsubclassWindow(), label);
  EXPECT_EQ(ProcedureOf(label), &OthersProcedure);
  EXPECT_FALSE(second.SubclassWindow(label));
  EXPECT_EQ(Retitled(label, "after"), "after");
  EXPECT_EQ(::GetWindowLongPtrA(label, GWLP_USERDATA), 0x5A5A);
}

}  // namespace
