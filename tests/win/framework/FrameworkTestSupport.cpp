#include "FrameworkTestSupport.h"

#include <gtest/gtest.h>

#include "framework/WinApp.h"

namespace {

constexpr UINT kRunSteps = WM_APP;
constexpr UINT_PTR kWatchdogTimer = 77;

// The one application object of the test program, as in the product.
class FrameworkTestApp : public CWinApp {};
FrameworkTestApp theApp;

class WindowsEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(AfxWinInit()); }
  void TearDown() override { AfxWinTerm(); }
};
::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new WindowsEnvironment);

}  // namespace

HostWindow::HostWindow() {
  // Shown without activation: under Wine without a window manager, hiding an
  // activated window waits two seconds for the manager's answer.
  CreateEx(0, "STATIC", "Framework host", WS_POPUP | WS_BORDER, CRect(50, 50, 350, 250), nullptr, 0);
  ShowWindow(SW_SHOWNA);
}

BOOL ScriptedDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetTimer(kWatchdogTimer, 10000);
  PostMessage(kRunSteps);
  return TRUE;
}

LRESULT ScriptedDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kRunSteps:
      if (whenRunning) whenRunning();
      return 0;
    case kEndWith:
      EndDialog(static_cast<int>(wParam));
      return 0;
    default:
      return CDialog::WindowProc(msg, wParam, lParam);
  }
}

void ScriptedDialog::OnTimer(UINT_PTR id) {
  if (id == kWatchdogTimer)
    EndDialog(kTimedOut);
  else
    CDialog::OnTimer(id);
}

HWND WaitForWindow(LPCSTR className, LPCSTR title) {
  for (int attempt = 0; attempt < 500; ++attempt) {
    if (HWND found = ::FindWindowA(className, title)) return found;
    ::Sleep(20);
  }
  return nullptr;
}
