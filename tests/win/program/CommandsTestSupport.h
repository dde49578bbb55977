#pragma once
// Pieces shared by the tests of the Setting, Confirm and About dialogs and of
// the commands that open them: a dialog that runs a test's steps from its own
// modal loop, a watcher that operates a dialog opened by the code under test,
// a recorder that takes the place of the shell's "open", and readers of the
// colours a window paints and hands its controls.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "framework/Wnd.h"

// Whether a dialog box other than `self` exists on this thread.
bool OtherDialogOpen(HWND self);
// Ends every dialog box of this thread but `self` (a test that went wrong
// must not leave a box waiting for an answer that never comes).
void EndOtherDialogs(HWND self);

// Ends with this when the steps did not end the dialog within twenty seconds.
constexpr int kDialogTimedOut = 9998;
constexpr int kStepsDone = 4343;

// A dialog class that runs the test's steps one by one from its own modal
// loop once it is open, each after every message posted before it. A step
// never runs while another dialog (a message box, a folder browser) of this
// thread is open on top. After the last step the dialog ends with kStepsDone
// unless a step ended it.
template <class Dialog>
class ScriptedDialog : public Dialog {
 public:
  std::vector<std::function<void()>> steps;

  // Called by a step that waits for something: it runs again a little later
  // (the watchdog still ends the dialog in the end).
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
    if (OtherDialogOpen(this->m_hWnd)) {
      this->SetTimer(kRetryTimer, 20);
      return 0;
    }
    if (m_next < steps.size()) {
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
      EndOtherDialogs(this->m_hWnd);
      this->EndDialog(kDialogTimedOut);
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

// What a dialog box showed when it was found.
struct SeenDialog {
  HWND hwnd = nullptr;
  HWND owner = nullptr;
  std::string caption;
  // The texts of its static controls, one after the other.
  std::string text;
  // Its buttons that could be seen, by id.
  std::vector<int> visibleButtons;
};

// Watches this process, from a thread of its own, for a visible dialog box
// with the given caption (any caption when empty) that is not `excluding`
// and, when `owner` is given, is owned by it; then runs `action` on the
// watching thread and stops. Gives up after ten seconds or on Finish.
// Actions only send and post messages: the dialog's own thread serves them.
class DialogWatcher {
 public:
  DialogWatcher(std::string caption, std::function<void(HWND)> action, HWND excluding = nullptr,
                HWND owner = nullptr);
  ~DialogWatcher() { Finish(); }
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  // Stops watching; true when a dialog was found and operated.
  bool Finish();
  const SeenDialog& Seen() const { return m_seen; }

 private:
  void Watch();

  std::string m_caption;
  std::function<void(HWND)> m_action;
  HWND m_excluding;
  HWND m_owner;
  std::atomic<bool> m_stop{false};
  bool m_found = false;
  SeenDialog m_seen;
  std::thread m_thread;
};

// Selects `folder` in a folder browser of this process, as its owner could;
// waits until the browser's tree shows it selected (a browser still filling
// its tree may drop an early request). False after five seconds.
bool SelectInFolderBrowser(HWND browser, const std::string& folder);

// Actions for a watcher.
std::function<void(HWND)> Press(int button);
std::function<void(HWND)> CheckThenPress(int box, int button);

// One call of the shell's "open" as the program made it.
struct ShellCall {
  HWND owner;
  std::string verb;
  std::string file;
  bool hasParameters;
  bool hasDirectory;
  int show;
};

// While it lives, calls this program makes to ShellExecuteA are recorded
// instead of carried out (its import is redirected), so no browser, mail
// program or folder window is started. One at a time.
class ShellExecuteRecorder {
 public:
  ShellExecuteRecorder();
  ~ShellExecuteRecorder();
  ShellExecuteRecorder(const ShellExecuteRecorder&) = delete;
  ShellExecuteRecorder& operator=(const ShellExecuteRecorder&) = delete;

  bool Installed() const { return m_slot != nullptr; }
  std::vector<ShellCall> calls;

 private:
  void** m_slot = nullptr;
  void* m_original = nullptr;
};

// How a window answered WM_CTLCOLOR* for one of its controls.
struct ControlColours {
  HBRUSH brush = nullptr;
  COLORREF brushColour = CLR_INVALID;
  int backgroundMode = 0;
  COLORREF textColour = CLR_INVALID;
  COLORREF backgroundColour = CLR_INVALID;
};
// Sends `message` (WM_CTLCOLORSTATIC, ...) for control `id` with a fresh DC.
ControlColours ColoursFor(HWND dialog, int id, UINT message = WM_CTLCOLORSTATIC);

// The colour the window shows at a client point after painting itself anew.
COLORREF PaintedColour(HWND window, POINT client);

// The processes this process has started that are still running.
std::vector<DWORD> ChildProcesses();
