// Binding a window to its object: one property, one procedure, released when
// either side goes away.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "framework/Wnd.h"

namespace {

WNDPROC ProcedureOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }

std::string TextOf(HWND hwnd) {
  char text[256] = {};
  ::GetWindowTextA(hwnd, text, sizeof(text));
  return text;
}

class RecordingWnd : public CWnd {
 public:
  std::vector<UINT> seen;
  WNDPROC procedureDuringPreSubclass = nullptr;
  HWND hwndDuringPreSubclass = nullptr;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(msg);
    return CWnd::WindowProc(msg, wParam, lParam);
  }
  void PreSubclassWindow() override {
    hwndDuringPreSubclass = m_hWnd;
    procedureDuringPreSubclass = ProcedureOf(m_hWnd);
  }
};

class WndBindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    label = ::CreateWindowExA(0, "STATIC", "initial", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, host.m_hWnd,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(label, nullptr);
    original = ProcedureOf(label);
  }
  void TearDown() override {
    if (::IsWindow(label)) ::DestroyWindow(label);
  }

  HostWindow host;
  HWND label = nullptr;
  WNDPROC original = nullptr;
};

TEST_F(WndBindingTest, SubclassRoutesMessagesToTheObjectUntilUnsubclassRestoresTheOldProcedure) {
  RecordingWnd wnd;
  ASSERT_TRUE(wnd.SubclassWindow(label));
  EXPECT_EQ(wnd.hwndDuringPreSubclass, label);
  EXPECT_EQ(wnd.procedureDuringPreSubclass, original);  // seen before it is replaced
  EXPECT_EQ(CWnd::FromHandlePermanent(label), &wnd);

  ::SetWindowTextA(label, "changed");
  EXPECT_NE(std::find(wnd.seen.begin(), wnd.seen.end(), static_cast<UINT>(WM_SETTEXT)), wnd.seen.end());
  EXPECT_EQ(TextOf(label), "changed");

  EXPECT_EQ(wnd.UnsubclassWindow(), label);
  EXPECT_EQ(ProcedureOf(label), original);
  EXPECT_EQ(CWnd::FromHandlePermanent(label), nullptr);
  EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST_F(WndBindingTest, AWindowIsBoundOnlyOnce) {
  RecordingWnd first;
  RecordingWnd second;
  ASSERT_TRUE(first.SubclassWindow(label));

  EXPECT_FALSE(second.SubclassWindow(label));
  EXPECT_FALSE(first.SubclassWindow(label));
  EXPECT_EQ(second.m_hWnd, nullptr);
  // A second binding would have made the object its own old procedure.
  ::SetWindowTextA(label, "still fine");
  EXPECT_EQ(TextOf(label), "still fine");
}

TEST_F(WndBindingTest, WhicheverSideGoesFirstReleasesTheBinding) {
  {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(label));
  }
  EXPECT_EQ(ProcedureOf(label), original);
  EXPECT_EQ(CWnd::FromHandlePermanent(label), nullptr);
  ::SetWindowTextA(label, "after the object");
  EXPECT_EQ(TextOf(label), "after the object");

  RecordingWnd wnd;
  ASSERT_TRUE(wnd.SubclassWindow(label));
  ::DestroyWindow(label);
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(wnd.seen.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST_F(WndBindingTest, AWindowTheObjectCreatedIsDestroyedWithIt) {
  HWND created = nullptr;
  {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "mine", WS_CHILD, CRect(0, 0, 10, 10), &host, 5));
    created = wnd.m_hWnd;
    EXPECT_EQ(::GetDlgCtrlID(created), 5);
  }
  EXPECT_FALSE(::IsWindow(created));
}

// A handler that sends its own window another message before Default()
// must still get the default processing of its own message.
class NestingWnd : public CWnd {
 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_SETTEXT) {
      SendMessage(WM_GETTEXTLENGTH);
      return Default();
    }
    return CWnd::WindowProc(msg, wParam, lParam);
  }
};

TEST_F(WndBindingTest, DefaultRefersToTheMessageBeingHandledAfterNestedMessages) {
  NestingWnd wnd;
  ASSERT_TRUE(wnd.SubclassWindow(label));

  ::SetWindowTextA(label, "nested");

  EXPECT_EQ(TextOf(label), "nested");
}

class RewritingWnd : public CWnd {
 protected:
  LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_SETTEXT) lParam = reinterpret_cast<LPARAM>("rewritten");
    return CWnd::DefWindowProc(msg, wParam, lParam);
  }
};

TEST_F(WndBindingTest, DefWindowProcOverrideDecidesWhatReachesTheOldProcedure) {
  RewritingWnd wnd;
  ASSERT_TRUE(wnd.SubclassWindow(label));

  ::SetWindowTextA(label, "original");

  EXPECT_EQ(TextOf(label), "rewritten");
}

}  // namespace
