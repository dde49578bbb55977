// The test program's application object and entry: the windows under test
// need the framework's process set-up before the first test runs, and a test
// whose window never ends must not hang the whole run.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "app/MainApp.h"
#include "framework/WinApp.h"

// The one application object of this program, standing in for the product's.
CMainApp theApp;

namespace {

constexpr DWORD kLongestTest = 120000;

// Ends the program, naming the test, when one test runs for two minutes:
// a modal loop blocked outside our reach would otherwise wait forever.
class HangWatchdog : public ::testing::EmptyTestEventListener {
 public:
  HangWatchdog() : m_thread([this] { Watch(); }) { m_thread.detach(); }

  void OnTestStart(const ::testing::TestInfo& test) override {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_current = std::string(test.test_suite_name()) + "." + test.name();
    m_started = GetTickCount();
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_current.clear();
  }

 private:
  void Watch() {
    for (;;) {
      Sleep(1000);
      const std::lock_guard<std::mutex> lock(m_mutex);
      if (m_current.empty() || GetTickCount() - m_started < kLongestTest) continue;
      std::fprintf(stderr, "%s did not end within %lu seconds; stopping the run\n", m_current.c_str(),
                   static_cast<unsigned long>(kLongestTest / 1000));
      std::fflush(stderr);
      TerminateProcess(GetCurrentProcess(), 3);
    }
  }

  std::mutex m_mutex;
  std::string m_current;
  DWORD m_started = 0;
  std::thread m_thread;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!AfxWinInit()) return 1;
  // The listener list owns the watchdog; its thread lives until the process ends.
  ::testing::UnitTest::GetInstance()->listeners().Append(new HangWatchdog);
  const int result = RUN_ALL_TESTS();
  AfxWinTerm();
  return result;
}
