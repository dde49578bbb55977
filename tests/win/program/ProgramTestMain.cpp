// The test program's application object and entry: the windows under test
// need the framework's process set-up before the first test runs. A test
// whose window never ends is stopped by the harness's time limit.

#include <gtest/gtest.h>

#include "app/MainApp.h"
#include "framework/WinApp.h"

// The one application object of this program, standing in for the product's.
CMainApp theApp;

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!AfxWinInit()) return 1;
  const int result = RUN_ALL_TESTS();
  AfxWinTerm();
  return result;
}
