#pragma once
// Shared pieces of the framework tests: a plain top-level window, a dialog
// that runs the test's steps from inside its modal loop, and a poll for
// windows that another thread waits to appear.

#include <windows.h>

#include <functional>

#include "FrameworkTestIds.h"
#include "framework/Dialog.h"
#include "framework/Wnd.h"

// A visible top-level window to act as owner or parent.
class HostWindow : public CWnd {
 public:
  HostWindow();
};

// Ends with this when its watchdog fires: a broken loop fails, never hangs.
constexpr int kTimedOut = 9999;
// Posted to a ScriptedDialog with a result in wParam: ends the dialog with it.
constexpr UINT kEndWith = WM_APP + 1;

class ScriptedDialog : public CDialog {
 public:
  explicit ScriptedDialog(CWnd* parent = nullptr) : CDialog(IDD_FRAMEWORK_TEST, parent) {}
  // Runs once the modal loop is serving messages.
  std::function<void()> whenRunning;

 protected:
  BOOL OnInitDialog() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnTimer(UINT_PTR id) override;
};

// Polls (for up to ten seconds) for a top-level window; null if none came.
HWND WaitForWindow(LPCSTR className, LPCSTR title);
