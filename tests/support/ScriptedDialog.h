#pragma once
// A dialog that runs a test's steps one by one from its own modal loop, each
// after every message posted before it and never while another dialog of
// this thread is open on top; then ends with kStepsDone unless a step ended
// it. Ends with kTimedOut after twenty seconds: a broken loop fails, never hangs.

#include <windows.h>

#include <functional>
#include <vector>

#include "support/WinTestSupport.h"

constexpr int kTimedOut = 9998;
constexpr int kStepsDone = 4343;

template <class Dialog>
class ScriptedDialog : public Dialog {
 public:
  using Dialog::Dialog;
  std::vector<std::function<void()>> steps;
  // For a step that waits for something: it runs again a little later.
  void RunAgainLater() { m_again = true; }

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = Dialog::OnInitDialog();
    this->SetTimer(kWatchdogTimer, 20000);
    this->PostMessage(kNextStep);
    return result;
  }
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg != kNextStep) return Dialog::WindowProc(msg, wParam, lParam);
    if (!OtherDialogs(this->m_hWnd).empty()) {
      this->SetTimer(kRetryTimer, 20);
    } else if (m_next < steps.size()) {
      m_again = false;
      steps[m_next++]();
      if (m_again) {
        --m_next;
        this->SetTimer(kRetryTimer, 20);
      } else if (this->m_hWnd) {
        this->PostMessage(kNextStep);
      }
    } else {
      this->EndDialog(kStepsDone);
    }
    return 0;
  }
  void OnTimer(UINT_PTR id) override {
    if (id == kWatchdogTimer) {
      for (HWND other : OtherDialogs(this->m_hWnd)) ::EndDialog(other, IDCANCEL);
      this->EndDialog(kTimedOut);
    } else if (id == kRetryTimer) {
      this->KillTimer(kRetryTimer);
      this->PostMessage(kNextStep);
    } else {
      Dialog::OnTimer(id);
    }
  }

 private:
  static constexpr UINT kNextStep = WM_APP + 41;
  static constexpr UINT_PTR kWatchdogTimer = 4177;
  static constexpr UINT_PTR kRetryTimer = 4178;
  size_t m_next = 0;
  bool m_again = false;
};
