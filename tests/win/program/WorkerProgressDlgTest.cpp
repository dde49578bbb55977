// The progress dialog both long jobs run in: however it ends, it ends once,
// and only after its worker is done with its windows.

#include <atomic>

#include "ProgramTestSupport.h"
#include "base/WorkerProgressDlg.h"
#include "resources/resource.h"

namespace {

constexpr UINT kFinished = WM_APP + 7;

// A worker that writes to a label of the dialog, a message the interface
// thread must serve, until it is stopped.
class LabelWritingDlg : public CWorkerProgressDlg {
 public:
  LabelWritingDlg() : CWorkerProgressDlg(IDD_SEARCH_PROGRESS, kFinished, {IDC_ICON_COUNT}) {}

  std::atomic<int> written{0};
  std::atomic<bool> returned{false};
  std::atomic<bool> wroteToAGoneWindow{false};
  int ends = 0;
  int enteredAt = -1;
  bool endedAfterTheWorker = true;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    StartWorker();
    return TRUE;
  }
  bool Work() override {
    const HWND label = ::GetDlgItem(m_hWnd, IDC_ICON_COUNT);
    while (!StopRequested()) {
      if (!::IsWindow(label)) wroteToAGoneWindow = true;
      ::SendMessageA(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("step"));
      ++written;
      Sleep(1);
    }
    returned = true;
    return !StopRequested();
  }
  void OnWorkerEnded() override {
    ++ends;
    endedAfterTheWorker = endedAfterTheWorker && returned;
  }
};

using Dlg = ScriptedDialog<LabelWritingDlg>;

struct Ending {
  const char* name;
  void (*act)(Dlg& dialog);
  INT_PTR result;
};

const Ending kEndings[] = {
    {"EnterIgnoredThenCancelTwice",
     [](Dlg& d) {
       // Enter is pressed once; a worker it stopped would never write 5 more.
       if (d.enteredAt < 0 && d.written >= 5) {
         d.SendMessage(WM_COMMAND, IDOK, 0);
         d.enteredAt = d.written;
       }
       if (d.enteredAt < 0 || d.written < d.enteredAt + 5) return d.RunAgainLater();
       d.PostMessage(WM_COMMAND, IDCANCEL);
       d.SendMessage(WM_COMMAND, IDCANCEL, 0);
     },
     IDCANCEL},
    {"QuitMidRun",
     [](Dlg& d) {
       if (d.written < 5) return d.RunAgainLater();
       ::PostQuitMessage(3);
     },
     -1},
};

class WorkerProgressDlgTest : public testing::TestWithParam<Ending> {};

TEST_P(WorkerProgressDlgTest, EndsOnceAndOnlyAfterItsWorker) {
  Dlg dialog;
  const auto act = GetParam().act;
  dialog.steps.push_back([&dialog, act] { act(dialog); });
  dialog.steps.push_back([&dialog] { dialog.RunAgainLater(); });
  EXPECT_EQ(dialog.DoModal(), GetParam().result);
  MSG quit;
  const bool quitLeft = PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  EXPECT_EQ(quitLeft, GetParam().result == -1);
  EXPECT_EQ(dialog.ends, 1);
  EXPECT_TRUE(dialog.endedAfterTheWorker);
  EXPECT_FALSE(dialog.wroteToAGoneWindow);
  EXPECT_FALSE(dialog.WorkerFinished());
}

INSTANTIATE_TEST_SUITE_P(Endings, WorkerProgressDlgTest, testing::ValuesIn(kEndings),
                         [](const testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

}  // namespace
