// The save's worker: which icons are written under which numbers, what the
// bar shows and what a Cancel keeps. (That every image of a module's group is
// written byte for byte the end-to-end save shows on a real module.)

#include "ProgramTestSupport.h"
#include "save/SaveProgressDlg.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace {

// Keeps where the bar stood when the worker was done.
class ObservedSaveDlg : public ScriptedDialog<CSaveProgressDlg> {
 public:
  int rangeHigh = -1;
  int finalPos = -1;
  ObservedSaveDlg() : ScriptedDialog<CSaveProgressDlg>(TheApp().m_icons) { steps.push_back([this] { RunAgainLater(); }); }

 protected:
  void OnWorkerEnded() override {
    ScriptedDialog::OnWorkerEnded();
    finalPos = m_progress.GetPos();
    rangeHigh = static_cast<int>(m_progress.SendMessage(PBM_GETRANGE, FALSE, 0));
  }
};

class SaveWorkerTest : public SaveTest {
 protected:
  // Runs a save progress dialog over the list as the commands do.
  INT_PTR RunSaveDialog(CSaveProgressDlg& dialog, const std::string& type, int total = -1) {
    int ticked = 0;
    for (int i = 0; i < host.list.GetItemCount(); ++i) ticked += host.list.GetCheck(i) ? 1 : 0;
    dialog.m_folder = library.Path().c_str();
    dialog.m_baseName = "Untitled";
    dialog.m_type = type.c_str();
    dialog.m_list = &host.list;
    dialog.m_total = total >= 0 ? total : ticked;
    return dialog.DoModal();
  }
};

// A source that cannot be read uses no number; a write that fails keeps its
// number and leaves a gap; both are reported; a second run starts again at 0000.
TEST_F(SaveWorkerTest, TickedIconsAreNumberedInListOrderSkippingUnreadableOnes) {
  AddIcos({10, 11, 12, 13, 14, 15});
  TickOnly({1, 2, 4, 5});
  DeleteFileA(sources.File("seed12.ico").c_str());
  CreateDirectoryA(library.File("Untitled_0001.ico").c_str(), nullptr);
  ObservedSaveDlg dialog;
  EXPECT_EQ(RunSaveDialog(dialog, "ico"), IDOK);
  EXPECT_EQ(NamesIn(library.Path()),
            (std::vector<std::string>{"Untitled_0000.ico", "Untitled_0001.ico\\", "Untitled_0002.ico"}));
  EXPECT_EQ(FirstBlockIn("Untitled_0000.ico"), SavedSeed(11));
  EXPECT_EQ(FirstBlockIn("Untitled_0002.ico"), SavedSeed(15));
  EXPECT_EQ(dialog.m_done, 2);
  EXPECT_EQ(dialog.finalPos, 2);
  // Each icon not written is handed back with its source, its name and why.
  ASSERT_EQ(dialog.m_failures.size(), 2u);
  const SaveFailure &unread = dialog.m_failures[0], &unwritten = dialog.m_failures[1];
  EXPECT_EQ(unread.source.path + "|" + unread.fileName + "|" + unread.reason,
            sources.File("seed12.ico") + "||cannot be opened: No such file or directory");
  EXPECT_EQ(unwritten.source.path + "|" + unwritten.fileName + "|" + unwritten.reason,
            sources.File("seed14.ico") + "|" + library.File("Untitled_0001.ico") + "|a folder of that name is in the way");
  TickOnly({3});
  ObservedSaveDlg second;
  EXPECT_EQ(RunSaveDialog(second, "ico", 70000), IDOK);
  EXPECT_EQ(FirstBlockIn("Untitled_0000.ico"), SavedSeed(13));
  EXPECT_EQ(second.rangeHigh, 70000);
}

// Far more icons than are written before the Cancel reaches the worker, so
// that a slow machine still cancels mid-run.
TEST_F(SaveWorkerTest, CancelMidRunKeepsTheFilesWrittenAndWritesNoMore) {
  const int kGroups = 2000;
  const std::string module = sources.File("many.dll");
  WriteBytes(module, BuildProgramModule(kGroups, 0));
  Icons().LoadFromFile(module.c_str(), TRUE);
  ASSERT_EQ(host.list.GetItemCount(), kGroups);
  ObservedSaveDlg dialog;
  dialog.steps.insert(dialog.steps.begin(), [&dialog] {
    if (dialog.m_progress.GetPos() == 0) return dialog.RunAgainLater();
    dialog.SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(RunSaveDialog(dialog, "ico"), IDCANCEL);
  EXPECT_GT(dialog.m_done, 0);
  EXPECT_LT(dialog.m_done, kGroups);
  EXPECT_EQ(NamesIn(library.Path()).size(), static_cast<size_t>(dialog.m_done));
  EXPECT_EQ(dialog.finalPos, dialog.m_done);
}

}  // namespace
