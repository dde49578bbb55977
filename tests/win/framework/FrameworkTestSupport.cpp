#include "FrameworkTestSupport.h"

#include <gtest/gtest.h>

#include "framework/WinApp.h"

namespace {

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
